// Counting driver: what the whole ruler program costs, next to a floor program
// that only shows the same strip and takes the same hook (FloorRuler.exe, with
// and without drawing the marks).
//
// For each program: private bytes after the start and after the moves, the
// CPU time it used while the mouse moved along the ruler (SendInput, about
// 1000 Hz, every move a new position along it), and the context switches of
// its UI thread. Under Wine the cost also lands in the wineserver and the X
// server (every round trip and every X request), so their CPU time over the
// same moves is shown too when /proc is reachable (drive Z:). Last, the ruler
// stands still with the mouse for a while: the timer messages, paints and CPU
// it used meanwhile (idle must cost nothing).
//   RulerCostBench.exe [moves] [rounds] [idle seconds] [magnifier]
//   (default 1000, 5, 10; "magnifier" measures the ruler with its magnifier open)
// Under Wine, DRAVIK_XVFB_PID names the X server to count.
#include "../../e2e/DravikProcess.h"

#include <windows.h>

#include <mmsystem.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

LARGE_INTEGER g_freq;

long long Now() {
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// --- The process as Windows reports it -------------------------------------

double PrivateMB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof(counters)))
        return -1;
    return static_cast<double>(counters.PrivateUsage) / (1024.0 * 1024.0);
}

double WorkingSetMB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(process, &counters, sizeof(counters))) return -1;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// User plus kernel time, in milliseconds.
double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (value(kernel) + value(user)) / 10000.0;
}

// Context switches of one thread, from the system's process list; -1 when
// the system does not count them (Wine leaves them 0).
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

// --- The same processes as Linux sees them (under Wine) --------------------

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ProcFile(int pid, const std::string& name) {
    return ReadText("Z:\\proc\\" + std::to_string(pid) + "\\" + name);
}

std::string Env(const char* name) {
    char value[1024] = {};
    const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof(value));
    return n > 0 && n < sizeof(value) ? value : "";
}

// Processes whose command name (as Linux truncates it) starts with prefix
// and that belong to this Wine prefix.
std::set<int> UnixProcesses(const std::string& prefix) {
    std::set<int> pids;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return pids;
    const std::string winePrefix = "WINEPREFIX=" + Env("WINEPREFIX");
    do {
        const int pid = std::atoi(found.cFileName);
        if (pid <= 0 || ProcFile(pid, "comm").rfind(prefix, 0) != 0) continue;
        const std::string env = ProcFile(pid, "environ");
        if (winePrefix.size() > 11 && env.find(winePrefix + '\0') == std::string::npos) continue;
        pids.insert(pid);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return pids;
}

// Time on a CPU of all threads of a Linux process, in milliseconds.
double UnixCpuMs(int pid) {
    if (pid <= 0) return -1;
    double total = 0;
    WIN32_FIND_DATAA found;
    const std::string tasks = "Z:\\proc\\" + std::to_string(pid) + "\\task\\";
    HANDLE search = ::FindFirstFileA((tasks + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    do {
        if (found.cFileName[0] == '.') continue;
        total += std::atof(ReadText(tasks + found.cFileName + "\\schedstat").c_str()) / 1e6;
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return total;
}

// Voluntary plus forced context switches of a Linux thread.
long long UnixContextSwitches(int pid, int tid) {
    if (pid <= 0) return -1;
    std::istringstream status(ReadText("Z:\\proc\\" + std::to_string(pid) + "\\task\\" +
                                       std::to_string(tid) + "\\status"));
    std::string line;
    long long total = -1;
    while (std::getline(status, line))
        if (line.find("ctxt_switches:") != std::string::npos)
            total = (total < 0 ? 0 : total) + std::atoll(line.substr(line.find(':') + 1).c_str());
    return total;
}

int Wineserver() {
    const std::set<int> servers = UnixProcesses("wineserver");
    return servers.empty() ? -1 : *servers.begin();
}

// The X server, when the caller names it (scripts/wine-env.sh's Xvfb).
int XServer() {
    const int pid = std::atoi(Env("DRAVIK_XVFB_PID").c_str());
    return pid > 0 ? pid : -1;
}

// Wine reports no private bytes (PrivateUsage stays 0): the Linux process's
// anonymous resident memory is the nearest figure, heap, stacks, GDI objects
// and image sections Wine had to copy (file alignment below a page) alike.
double UnixPrivateMB(int pid) {
    if (pid <= 0) return -1;
    std::istringstream status(ProcFile(pid, "status"));
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("RssAnon:", 0) == 0) return std::atof(line.c_str() + 8) / 1024.0;
    return -1;
}

double PrivateOrUnixMB(HANDLE process, int pid) {
    const double windows = PrivateMB(process);
    return windows > 0 ? windows : UnixPrivateMB(pid);
}

// Time on a CPU of one Linux thread, in milliseconds.
double UnixThreadCpuMs(int pid, int tid) {
    if (pid <= 0) return -1;
    return std::atof(ReadText("Z:\\proc\\" + std::to_string(pid) + "\\task\\" +
                              std::to_string(tid) + "\\schedstat")
                         .c_str()) /
           1e6;
}

// --- The programs ----------------------------------------------------------

struct Target {
    virtual ~Target() = default;
    virtual HWND Window() const = 0;
    // The command name Linux shows for the process (under Wine).
    virtual std::string UnixName() const = 0;
    // The ruler's own counters; empty for the floor.
    virtual std::map<std::wstring, std::wstring> State() { return {}; }
};

class RulerTarget : public Target {
  public:
    // Without the magnifier unless asked: the floor has no second window.
    explicit RulerTarget(bool magnifier)
        : m_process([magnifier] {
              DravikOptions options;
              options.PortableSettings = true; // a Dravik.ini beside the copy
              if (!magnifier) options.Settings = Utf16File(L"[Settings]\r\nMagnifier=0\r\n");
              return options;
          }()) {}
    HWND Window() const override { return m_process.Ruler(); }
    std::string UnixName() const override { return "Dravik.exe"; }
    std::map<std::wstring, std::wstring> State() override { return m_process.State().All(); }

  private:
    DravikProcess m_process;
};

BOOL CALLBACK FindFloor(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    if (pid != search->first || std::wstring(cls) != L"DravikFloorRuler" || !::IsWindowVisible(wnd))
        return TRUE;
    search->second = wnd;
    return FALSE;
}

class FloorTarget : public Target {
  public:
    explicit FloorTarget(bool marks) {
        const std::wstring exe = TestProgramDir() + L"FloorRuler.exe";
        std::wstring cmd = L"\"" + exe + L"\"" + (marks ? L" marks" : L"");
        STARTUPINFOW si{sizeof(si)};
        if (!::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &si, &m_process))
            throw std::runtime_error("FloorRuler.exe could not be started");
        std::pair<DWORD, HWND> search{m_process.dwProcessId, nullptr};
        for (int i = 0; i < 750 && !search.second; ++i) {
            ::EnumWindows(&FindFloor, reinterpret_cast<LPARAM>(&search));
            if (!search.second) ::Sleep(20);
        }
        m_wnd = search.second;
        if (!m_wnd) throw std::runtime_error("the floor's window did not appear");
    }
    ~FloorTarget() override {
        ::PostMessageW(m_wnd, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.hProcess, 1);
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
    HWND Window() const override { return m_wnd; }
    std::string UnixName() const override { return "FloorRuler.exe"; }

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_wnd = nullptr;
};

// --- Measuring -------------------------------------------------------------

void MoveTo(int x, int y) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN) - 1, h = ::GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Exact pixel hit: round to the nearest normalised coordinate.
    in.mi.dx = (x * 65535 + w / 2) / w;
    in.mi.dy = (y * 65535 + h / 2) / h;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
}

struct Sample {
    double PrivateStart = 0, PrivateAfter = 0, WorkingStart = 0, WorkingAfter = 0;
    double Cpu = 0, UnixCpu = -1, UiCpu = -1, ServerCpu = -1, XCpu = -1;
    long long Switches = -1;
    double MoveRate = 0; // moves per second actually sent
    long long HookMessages = -1, Paints = -1;
    bool LastPositionShown = true;
};

struct Measured {
    HANDLE Process;
    DWORD Pid, UiThread;
    int UnixPid; // -1 outside Wine
};

long long Switches(const Measured& m) {
    const long long system = SystemContextSwitches(m.Pid, m.UiThread);
    if (system > 0) return system;
    return UnixContextSwitches(m.UnixPid, m.UnixPid);
}

long long StateNumber(const std::map<std::wstring, std::wstring>& state, const wchar_t* key) {
    auto it = state.find(key);
    return it == state.end() ? -1 : std::stoll(it->second);
}

template <typename Make>
Sample Measure(Make make, int moves, int idleSeconds, double* idleCpu, long long* idleTimers,
               long long* idlePaints) {
    auto target = make();
    const HWND wnd = target->Window();
    Measured m{};
    m.UiThread = ::GetWindowThreadProcessId(wnd, &m.Pid);
    m.Process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, m.Pid);
    m.UnixPid = -1;
    // One target runs at a time in this prefix.
    const std::set<int> same = UnixProcesses(target->UnixName());
    if (same.size() == 1) m.UnixPid = *same.begin();
    const int server = Wineserver(), xserver = XServer();

    RECT r{};
    ::GetWindowRect(wnd, &r);
    const int y = r.top + (r.bottom - r.top) / 2;
    MoveTo(r.left + 5, y);
    ::Sleep(1000); // start-up work done, the first move taken
    Sample s;
    s.PrivateStart = PrivateOrUnixMB(m.Process, m.UnixPid);
    s.WorkingStart = WorkingSetMB(m.Process);
    const auto stateBefore = target->State();

    // Wine runs a process's first thread, its UI thread here, as the Linux
    // main thread.
    const double cpu0 = CpuMs(m.Process), unix0 = UnixCpuMs(m.UnixPid),
                 ui0 = UnixThreadCpuMs(m.UnixPid, m.UnixPid), server0 = UnixCpuMs(server),
                 x0 = UnixCpuMs(xserver);
    const long long switches0 = Switches(m);
    const long long start = Now();
    int lastX = 0;
    for (int i = 0; i < moves; ++i) {
        // Along the ruler, before its far-end grip: every move a new position.
        lastX = r.left + 10 + (i * 7) % 530;
        MoveTo(lastX, y);
        // About a 1000 Hz mouse, without spinning a core the programs need.
        if (Now() < start + g_freq.QuadPart * (i + 1) / 1000) ::Sleep(1);
    }
    s.MoveRate =
        moves / (static_cast<double>(Now() - start) / static_cast<double>(g_freq.QuadPart));
    ::Sleep(300); // the last move drawn
    s.Cpu = CpuMs(m.Process) - cpu0;
    if (unix0 >= 0) s.UnixCpu = UnixCpuMs(m.UnixPid) - unix0;
    if (ui0 >= 0) s.UiCpu = UnixThreadCpuMs(m.UnixPid, m.UnixPid) - ui0;
    if (server0 >= 0) s.ServerCpu = UnixCpuMs(server) - server0;
    if (x0 >= 0) s.XCpu = UnixCpuMs(xserver) - x0;
    const long long switches1 = Switches(m);
    if (switches0 >= 0 && switches1 >= 0) s.Switches = switches1 - switches0;
    s.PrivateAfter = PrivateOrUnixMB(m.Process, m.UnixPid);
    s.WorkingAfter = WorkingSetMB(m.Process);

    const auto stateAfter = target->State();
    if (!stateAfter.empty()) {
        s.HookMessages =
            StateNumber(stateAfter, L"HookMessages") - StateNumber(stateBefore, L"HookMessages");
        s.Paints = StateNumber(stateAfter, L"Paints") - StateNumber(stateBefore, L"Paints");
        s.LastPositionShown = StateNumber(stateAfter, L"ActX") == lastX;
    }

    if (idleSeconds > 0) {
        // Idle: shown, the mouse still.
        const double idle0 = CpuMs(m.Process);
        const auto idleBefore = target->State();
        ::Sleep(static_cast<DWORD>(idleSeconds) * 1000);
        const auto idleAfter = target->State();
        *idleCpu = CpuMs(m.Process) - idle0;
        if (!idleAfter.empty()) {
            *idleTimers = StateNumber(idleAfter, L"TimerMessages") -
                          StateNumber(idleBefore, L"TimerMessages");
            // The question itself is answered without a paint.
            *idlePaints = StateNumber(idleAfter, L"Paints") - StateNumber(idleBefore, L"Paints");
        }
    }
    ::CloseHandle(m.Process);
    return s;
}

struct Row {
    const char* Name;
    std::vector<Sample> Samples;
    double IdleCpu = -1;
    long long IdleTimers = -1, IdlePaints = -1;
};

double MedianOf(const Row& row, double Sample::*field) {
    std::vector<double> v;
    for (const Sample& s : row.Samples)
        v.push_back(s.*field);
    return Median(v);
}

} // namespace

int main(int argc, char** argv) {
    const int moves = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int idleSeconds = argc > 3 ? std::max(0, std::atoi(argv[3])) : 10;
    ::SetProcessDPIAware();
    ::QueryPerformanceFrequency(&g_freq);
    ::timeBeginPeriod(1);

    Row rows[3] = {{"Dravik", {}}, {"floor", {}}, {"floor with marks", {}}};
    const bool magnifier = argc > 4 && std::string(argv[4]) == "magnifier";
    auto makeRuler = [magnifier] {
        return std::unique_ptr<Target>(std::make_unique<RulerTarget>(magnifier));
    };
    auto makeFloor = [] { return std::unique_ptr<Target>(std::make_unique<FloorTarget>(false)); };
    auto makeMarks = [] { return std::unique_ptr<Target>(std::make_unique<FloorTarget>(true)); };
    try {
        // Interleaved, so that a slow moment of the machine hits all alike.
        for (int round = 0; round < rounds; ++round) {
            const int idle = round == 0 ? idleSeconds : 0;
            rows[0].Samples.push_back(Measure(makeRuler, moves, idle, &rows[0].IdleCpu,
                                              &rows[0].IdleTimers, &rows[0].IdlePaints));
            rows[1].Samples.push_back(Measure(makeFloor, moves, idle, &rows[1].IdleCpu,
                                              &rows[1].IdleTimers, &rows[1].IdlePaints));
            rows[2].Samples.push_back(Measure(makeMarks, moves, idle, &rows[2].IdleCpu,
                                              &rows[2].IdleTimers, &rows[2].IdlePaints));
        }
    } catch (const std::exception& e) {
        std::printf("failed: %s\n", e.what());
        return 1;
    }

    std::printf("%d moves along the ruler, median of %d rounds (%.0f moves/s sent)\n", moves,
                rounds, MedianOf(rows[0], &Sample::MoveRate));
    std::printf("%-17s %8s %8s %8s %8s %9s %9s %9s %9s %9s %9s\n", "", "priv MB", "priv MB",
                "ws MB", "ws MB", "CPU ms", "run ms", "UI run", "UI ctx", "server", "X server");
    std::printf("%-17s %8s %8s %8s %8s %9s %9s %9s %9s %9s %9s\n", "", "start", "after", "start",
                "after", "(Windows)", "(Linux)", "ms", "switches", "CPU ms", "CPU ms");
    for (const Row& row : rows) {
        std::vector<double> switches;
        for (const Sample& s : row.Samples)
            switches.push_back(static_cast<double>(s.Switches));
        std::printf("%-17s %8.2f %8.2f %8.2f %8.2f %9.1f %9.1f %9.1f %9.0f %9.1f %9.1f\n", row.Name,
                    MedianOf(row, &Sample::PrivateStart), MedianOf(row, &Sample::PrivateAfter),
                    MedianOf(row, &Sample::WorkingStart), MedianOf(row, &Sample::WorkingAfter),
                    MedianOf(row, &Sample::Cpu), MedianOf(row, &Sample::UnixCpu),
                    MedianOf(row, &Sample::UiCpu), Median(switches),
                    MedianOf(row, &Sample::ServerCpu), MedianOf(row, &Sample::XCpu));
    }
    // The spread behind the medians.
    for (const Row& row : rows) {
        std::printf("%-17s UI run ms by round:", row.Name);
        for (const Sample& s : row.Samples)
            std::printf(" %.1f", s.UiCpu);
        std::printf("\n");
    }
    auto ratio = [&](double Sample::*field, int a, int b) {
        const double below = MedianOf(rows[b], field);
        return below > 0 ? MedianOf(rows[a], field) / below : 0.0;
    };
    // Neighbouring runs share the machine's load: the ratio within a round
    // holds better than the ratio of the medians when the load changes.
    auto roundRatio = [&](double Sample::*field, int a, int b) {
        std::vector<double> v;
        for (size_t i = 0; i < rows[a].Samples.size(); ++i)
            if (rows[b].Samples[i].*field > 0)
                v.push_back(rows[a].Samples[i].*field / rows[b].Samples[i].*field);
        return Median(v);
    };
    std::printf("UI thread run, median of the per-round ratios:  Dravik / floor %.2f   Dravik / "
                "floor with marks %.2f   marks / floor %.2f\n",
                roundRatio(&Sample::UiCpu, 0, 1), roundRatio(&Sample::UiCpu, 0, 2),
                roundRatio(&Sample::UiCpu, 2, 1));
    for (auto [field, what] :
         {std::pair{&Sample::Cpu, "CPU (Windows)"}, std::pair{&Sample::UnixCpu, "run (Linux)"},
          std::pair{&Sample::UiCpu, "UI thread run"}})
        std::printf("%-14s ratio  Dravik / floor %.2f   Dravik / floor with marks %.2f   "
                    "marks / floor %.2f\n",
                    what, ratio(field, 0, 1), ratio(field, 0, 2), ratio(field, 2, 1));
    std::printf("private bytes  Dravik - floor %+.2f MB after start, %+.2f MB after the moves\n",
                MedianOf(rows[0], &Sample::PrivateStart) - MedianOf(rows[1], &Sample::PrivateStart),
                MedianOf(rows[0], &Sample::PrivateAfter) -
                    MedianOf(rows[1], &Sample::PrivateAfter));
    const Sample& last = rows[0].Samples.back();
    std::printf("Dravik during the moves: %lld hook messages, %lld paints, last position %s\n",
                last.HookMessages, last.Paints, last.LastPositionShown ? "shown" : "NOT shown");
    std::printf("idle %d s, mouse still: Dravik %lld timer messages, %lld paints, CPU %.1f ms;"
                " floor CPU %.1f ms; floor with marks CPU %.1f ms\n",
                idleSeconds, rows[0].IdleTimers, rows[0].IdlePaints, rows[0].IdleCpu,
                rows[1].IdleCpu, rows[2].IdleCpu);
    ::timeEndPeriod(1);
    return 0;
}
