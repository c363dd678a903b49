#pragma once
// A process's memory in the figures the cost driver prints.
#include <windows.h>

#include <string>

struct MemoryFigures {
    // Under Wine Linux's private pages (Private_Clean + Private_Dirty), as
    // Wine reports no private bytes; on Windows its private bytes.
    double Private = -1;
    // Of that, under Wine, the program's own image files (exe and hook
    // library): pages mapped from the file, counted private by Linux only
    // because no other process maps them.
    double OwnImages = -1;
    double Anon = -1; // under Wine resident anonymous memory (RssAnon), else -1
    double WorkingSet = -1;
};

// unixPid: the process as Linux knows it, -1 outside Wine; exeName the
// program file's name.
MemoryFigures MemoryOf(HANDLE process, int unixPid, const std::string& exeName);
