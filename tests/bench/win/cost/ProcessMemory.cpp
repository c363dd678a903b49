#include "ProcessMemory.h"

#include "LinuxCounters.h"

#include <psapi.h>

MemoryFigures MemoryOf(HANDLE process, int unixPid, const std::string& exeName) {
    MemoryFigures figures;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    const bool windows = ::GetProcessMemoryInfo(
        process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    constexpr double MB = 1024.0 * 1024.0;
    if (windows) figures.WorkingSet = static_cast<double>(counters.WorkingSetSize) / MB;
    figures.Private = UnixPrivateMB(unixPid);
    if (figures.Private < 0 && windows && counters.PrivateUsage > 0)
        figures.Private = static_cast<double>(counters.PrivateUsage) / MB;
    figures.OwnImages = UnixPrivateImagesMB(unixPid, exeName);
    figures.Anon = UnixAnonMB(unixPid);
    return figures;
}
