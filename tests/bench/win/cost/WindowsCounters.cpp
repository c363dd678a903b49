#include "WindowsCounters.h"

#include <winternl.h>

#include <vector>

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (value(kernel) + value(user)) / 10000.0;
}

namespace {

// The records of SystemProcessInformation as far as the counts go.
struct ThreadInfo {
    LARGE_INTEGER KernelTime, UserTime, CreateTime;
    ULONG WaitTime;
    PVOID StartAddress;
    CLIENT_ID ClientId;
    LONG Priority, BasePriority;
    ULONG ContextSwitches, ThreadState, WaitReason;
};
struct ProcessInfo {
    ULONG NextEntryOffset, NumberOfThreads;
    LARGE_INTEGER Reserved[3];
    LARGE_INTEGER CreateTime, UserTime, KernelTime;
    UNICODE_STRING ImageName;
    LONG BasePriority;
    HANDLE UniqueProcessId, InheritedFromUniqueProcessId;
    ULONG HandleCount, SessionId;
    ULONG_PTR PageDirectoryBase;
    SIZE_T VmCounters[11];
    SIZE_T PrivatePageCount;
    IO_COUNTERS IoCounters;
};

} // namespace

long long SystemContextSwitches(DWORD pid, DWORD tid) {
    using QueryFn = NTSTATUS(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    static auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    while (query(5 /* SystemProcessInformation */, buffer.data(), static_cast<ULONG>(buffer.size()),
                 &needed) != 0) {
        if (buffer.size() >= (64u << 20)) return -1;
        buffer.resize(buffer.size() * 2);
    }
    for (size_t offset = 0;;) {
        const auto* process = reinterpret_cast<const ProcessInfo*>(buffer.data() + offset);
        if (reinterpret_cast<ULONG_PTR>(process->UniqueProcessId) == pid) {
            const auto* threads = reinterpret_cast<const ThreadInfo*>(process + 1);
            for (ULONG i = 0; i < process->NumberOfThreads; ++i)
                if (reinterpret_cast<ULONG_PTR>(threads[i].ClientId.UniqueThread) == tid)
                    return threads[i].ContextSwitches;
            return -1;
        }
        if (!process->NextEntryOffset) return -1;
        offset += process->NextEntryOffset;
    }
}
