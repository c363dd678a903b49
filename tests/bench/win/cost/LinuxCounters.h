#pragma once
// The cost driver's programs as Linux sees them under Wine, through /proc on
// drive Z:. Every figure is -1 outside Wine (no such files).
#include <set>
#include <string>

// Processes of this Wine prefix whose command name (as Linux truncates it)
// starts with prefix.
std::set<int> UnixProcesses(const std::string& prefix);
// The only such process, or -1 when there is none or more than one.
int UnixProcess(const std::string& prefix);
// The prefix's wineserver, and the X server when DRAVIK_XVFB_PID names it.
int Wineserver();
int XServer();

// Private memory as Linux counts it: Private_Clean + Private_Dirty of
// smaps_rollup, every page no other process maps. That takes in the pages
// of the program's own image files that are resident (mapped from the file,
// but no other process maps them) as well as heap, stacks and copies.
double UnixPrivateMB(int pid);
// The part of UnixPrivateMB that is the program's own image files (the
// files in the folder of its exe, exeName): mapped from the file, and
// private only because no other process maps them.
double UnixPrivateImagesMB(int pid, const std::string& exeName);
// Resident anonymous memory (RssAnon): heap, stacks, GDI objects and image
// sections Wine had to copy, but not the pages mapped from image files.
double UnixAnonMB(int pid);

// Time on a CPU of all threads of a process, and of one thread, in ms.
double UnixCpuMs(int pid);
double UnixThreadCpuMs(int pid, int tid);
// Voluntary plus forced context switches of a thread.
long long UnixContextSwitches(int pid, int tid);

// An environment variable of this process, "" when unset.
std::string Env(const char* name);
