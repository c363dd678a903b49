#pragma once
// The cost driver's programs as Windows reports them.
#include <windows.h>

// User plus kernel time of a process, in milliseconds.
double CpuMs(HANDLE process);
// Context switches of one thread from the system's process list; -1 when
// the system does not count them (Wine leaves them 0).
long long SystemContextSwitches(DWORD pid, DWORD tid);
