// Counting driver: what the whole ruler program costs, next to a floor program
// that only shows the same strip and takes the same hook (FloorRuler.exe, with
// and without drawing the marks).
//
// For each program: the start-up (process created to window painted), the
// memory after the start and after the moves, the CPU time it used while
// the mouse moved along the ruler (SendInput, about 1000 Hz, every move a new
// position along it), and the context switches of its UI thread. Under Wine
// the cost also lands in the wineserver and the X server (every round trip
// and every X request), so their CPU time over the same moves is shown too
// when /proc is reachable (drive Z:). Then the ruler stands still with the
// mouse for a while: the timer messages, paints and CPU it used meanwhile
// (idle must cost nothing). With "features", last, the memory the update
// check, the About window and the help leave after each of three uses.
//   RulerCostBench.exe [moves] [rounds] [idle seconds] [magnifier] [pinned] [features]
//   (default 1000, 5, 10; "magnifier" measures the ruler with its magnifier
//   open, "pinned" with 10 marks pinned on it)
// Under Wine, DRAVIK_XVFB_PID names the X server to count. DRAVIK_BASELINE
// names a folder with another build's Dravik.exe and zephal.dll, measured
// in the same rounds (before and after a change, in one run).
#include "../../e2e/DravikProcess.h"
#include "cost/FeatureRounds.h"
#include "cost/LinuxCounters.h"
#include "cost/ProcessMemory.h"
#include "cost/StartupWatch.h"
#include "cost/WindowsCounters.h"

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
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
    RulerTarget(bool magnifier, int pinned, const std::wstring& programDir)
        : m_process([&] {
              DravikOptions options;
              options.ProgramDir = programDir;
              options.PortableSettings = true; // a Dravik.ini beside the copy
              if (!magnifier) options.Settings = Utf16File(L"[Settings]\r\nMagnifier=0\r\n");
              return options;
          }()) {
        RECT r{};
        ::GetWindowRect(m_process.Ruler(), &r);
        for (int i = 0; i < pinned; ++i)
            m_process.Ask(L"pin " + std::to_wstring(r.left + 20 + 50 * i) + L" " +
                          std::to_wstring(r.top));
    }
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
    StartupTime Startup;
    MemoryFigures Start, After;
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

struct Row {
    std::string Name;
    std::function<std::unique_ptr<Target>()> Make;
    const wchar_t* WindowClass;
    std::string UnixName;    // the command name Linux shows for it
    std::wstring ProgramDir; // Dravik's rows: the build they start
    std::vector<Sample> Samples;
    double IdleCpu = -1;
    long long IdleTimers = -1, IdlePaints = -1;
};

Sample Measure(Row& row, int moves, int idleSeconds) {
    // Watching from before the start: the window may be painted at once.
    StartupWatch watch(row.WindowClass, row.UnixName);
    auto target = row.Make();
    Sample s;
    s.Startup = watch.Wait(5000);
    const HWND wnd = target->Window();
    Measured m{};
    m.UiThread = ::GetWindowThreadProcessId(wnd, &m.Pid);
    m.Process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, m.Pid);
    // One target runs at a time in this prefix.
    m.UnixPid = UnixProcess(target->UnixName());
    const int server = Wineserver(), xserver = XServer();

    RECT r{};
    ::GetWindowRect(wnd, &r);
    const int y = r.top + (r.bottom - r.top) / 2;
    MoveTo(r.left + 5, y);
    ::Sleep(1000); // start-up work done, the first move taken
    s.Start = MemoryOf(m.Process, m.UnixPid, target->UnixName());
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
    s.After = MemoryOf(m.Process, m.UnixPid, target->UnixName());

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
        row.IdleCpu = CpuMs(m.Process) - idle0;
        if (!idleAfter.empty()) {
            row.IdleTimers = StateNumber(idleAfter, L"TimerMessages") -
                             StateNumber(idleBefore, L"TimerMessages");
            // The question itself is answered without a paint.
            row.IdlePaints = StateNumber(idleAfter, L"Paints") - StateNumber(idleBefore, L"Paints");
        }
    }
    ::CloseHandle(m.Process);
    return s;
}

// --- Printing --------------------------------------------------------------

template <typename Field> double MedianOf(const Row& row, Field field) {
    std::vector<double> v;
    for (const Sample& s : row.Samples)
        v.push_back(field(s));
    return Median(v);
}

// Neighbouring runs share the machine's load: the ratio within a round
// holds better than the ratio of the medians when the load changes.
template <typename Field> double RoundRatio(const Row& a, const Row& b, Field field) {
    std::vector<double> v;
    for (size_t i = 0; i < a.Samples.size() && i < b.Samples.size(); ++i)
        if (field(b.Samples[i]) > 0) v.push_back(field(a.Samples[i]) / field(b.Samples[i]));
    return Median(v);
}

void PrintMemory(const std::vector<Row>& rows) {
    std::printf("\nmemory MB         %17s %17s %17s %17s\n", "private", "own images", "anonymous",
                "working set");
    std::printf("%-17s %8s %8s %8s %8s %8s %8s %8s %8s\n", "", "start", "after", "start", "after",
                "start", "after", "start", "after");
    for (const Row& row : rows) {
        std::printf("%-17s", row.Name.c_str());
        for (double MemoryFigures::*figure : {&MemoryFigures::Private, &MemoryFigures::OwnImages,
                                              &MemoryFigures::Anon, &MemoryFigures::WorkingSet})
            std::printf(" %8.2f %8.2f",
                        MedianOf(row, [&](const Sample& s) { return s.Start.*figure; }),
                        MedianOf(row, [&](const Sample& s) { return s.After.*figure; }));
        std::printf("\n");
    }
    std::printf(
        "(private: under Wine Private_Clean + Private_Dirty of smaps_rollup, pages no other "
        "process on the machine maps, on Windows the private bytes; own images: the part "
        "of it that is the program's exe and hook library, mapped from their files; "
        "anonymous: RssAnon)\n");
}

void PrintStartup(const std::vector<Row>& rows, const Row& floor) {
    std::printf("\nstart-up          %12s %12s %16s\n", "painted ms", "CPU ms", "/ floor (rounds)");
    const auto wall = [](const Sample& s) { return s.Startup.WallMs; };
    for (const Row& row : rows)
        std::printf("%-17s %12.1f %12.1f %16.2f\n", row.Name.c_str(), MedianOf(row, wall),
                    MedianOf(row, [](const Sample& s) { return s.Startup.CpuMs; }),
                    RoundRatio(row, floor, wall));
    std::printf("(from the creation of the process to its window shown and painted)\n");
}

void PrintCpu(const std::vector<Row>& rows, const Row& floor, const Row& marks, int moves) {
    std::printf("\n%d moves   %8s %9s %9s %9s %9s %9s\n", moves, "CPU ms", "run ms", "UI run",
                "UI ctx", "server", "X server");
    std::printf("%-17s %8s %9s %9s %9s %9s %9s\n", "", "(Windows)", "(Linux)", "ms", "switches",
                "CPU ms", "CPU ms");
    for (const Row& row : rows)
        std::printf("%-17s %8.1f %9.1f %9.1f %9.0f %9.1f %9.1f\n", row.Name.c_str(),
                    MedianOf(row, [](const Sample& s) { return s.Cpu; }),
                    MedianOf(row, [](const Sample& s) { return s.UnixCpu; }),
                    MedianOf(row, [](const Sample& s) { return s.UiCpu; }),
                    MedianOf(row, [](const Sample& s) { return static_cast<double>(s.Switches); }),
                    MedianOf(row, [](const Sample& s) { return s.ServerCpu; }),
                    MedianOf(row, [](const Sample& s) { return s.XCpu; }));
    // The spread behind the medians.
    for (const Row& row : rows) {
        std::printf("%-17s UI run ms by round:", row.Name.c_str());
        for (const Sample& s : row.Samples)
            std::printf(" %.1f", s.UiCpu);
        std::printf("\n");
    }
    const auto ui = [](const Sample& s) { return s.UiCpu; };
    for (const Row& row : rows) {
        if (&row == &floor || &row == &marks) continue;
        std::printf("UI thread run, median of the per-round ratios:  %s / floor %.2f   %s / "
                    "floor with marks %.2f\n",
                    row.Name.c_str(), RoundRatio(row, floor, ui), row.Name.c_str(),
                    RoundRatio(row, marks, ui));
    }
    std::printf("marks / floor %.2f\n", RoundRatio(marks, floor, ui));
}

void PrintFeatures(const std::string& name, const FeatureRoundsResult& result) {
    std::printf("\n%s: private MB after each use (after the start %.2f)\n", name.c_str(),
                result.AfterStart);
    for (const FeatureMemory& feature : result.Features) {
        std::printf("  %-16s", feature.Feature.c_str());
        for (double mb : feature.AfterRound)
            std::printf(" %8.2f", mb);
        std::printf("\n");
    }
    if (!result.Failure.empty()) std::printf("  failed: %s\n", result.Failure.c_str());
}

bool HasWord(int argc, char** argv, const char* word) {
    return std::any_of(argv + 1, argv + argc,
                       [&](const char* arg) { return std::string(arg) == word; });
}

} // namespace

int main(int argc, char** argv) {
    const int moves = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int idleSeconds = argc > 3 ? std::max(0, std::atoi(argv[3])) : 10;
    const bool magnifier = HasWord(argc, argv, "magnifier");
    const bool features = HasWord(argc, argv, "features");
    const int pinned = HasWord(argc, argv, "pinned") ? 10 : 0;
    ::SetProcessDPIAware();
    ::QueryPerformanceFrequency(&g_freq);
    ::timeBeginPeriod(1);

    auto ruler = [magnifier, pinned](std::wstring dir) {
        return [magnifier, pinned, dir] {
            return std::unique_ptr<Target>(std::make_unique<RulerTarget>(magnifier, pinned, dir));
        };
    };
    std::vector<Row> rows;
    rows.push_back(
        {"Dravik", ruler(TestProgramDir()), L"TMainDlg", "Dravik.exe", TestProgramDir()});
    if (std::string baseline = Env("DRAVIK_BASELINE"); !baseline.empty()) {
        if (baseline.back() != '\\') baseline += '\\';
        const std::wstring dir(baseline.begin(), baseline.end());
        rows.push_back({"Dravik baseline", ruler(dir), L"TMainDlg", "Dravik.exe", dir});
    }
    rows.push_back({"floor",
                    [] { return std::unique_ptr<Target>(std::make_unique<FloorTarget>(false)); },
                    L"DravikFloorRuler", "FloorRuler.exe"});
    rows.push_back({"floor with marks",
                    [] { return std::unique_ptr<Target>(std::make_unique<FloorTarget>(true)); },
                    L"DravikFloorRuler", "FloorRuler.exe"});
    const Row& floor = rows[rows.size() - 2];
    const Row& marks = rows.back();
    try {
        // Interleaved, so that a slow moment of the machine hits all alike.
        for (int round = 0; round < rounds; ++round)
            for (Row& row : rows)
                row.Samples.push_back(Measure(row, moves, round == 0 ? idleSeconds : 0));
    } catch (const std::exception& e) {
        std::printf("failed: %s\n", e.what());
        return 1;
    }

    std::printf("%d moves along the ruler, median of %d rounds (%.0f moves/s sent)%s\n", moves,
                rounds, MedianOf(rows[0], [](const Sample& s) { return s.MoveRate; }),
                magnifier ? ", the ruler with its magnifier"
                : pinned  ? ", the ruler with 10 marks pinned"
                          : "");
    PrintMemory(rows);
    for (const Row& row : rows)
        if (row.Name != floor.Name)
            std::printf(
                "private memory  %s - floor %+.2f MB after start, %+.2f MB after the moves\n",
                row.Name.c_str(),
                MedianOf(row, [](const Sample& s) { return s.Start.Private; }) -
                    MedianOf(floor, [](const Sample& s) { return s.Start.Private; }),
                MedianOf(row, [](const Sample& s) { return s.After.Private; }) -
                    MedianOf(floor, [](const Sample& s) { return s.After.Private; }));
    PrintStartup(rows, floor);
    PrintCpu(rows, floor, marks, moves);
    const Sample& last = rows[0].Samples.back();
    std::printf("\nDravik during the moves: %lld hook messages, %lld paints, last position %s\n",
                last.HookMessages, last.Paints, last.LastPositionShown ? "shown" : "NOT shown");
    std::printf("idle %d s, mouse still:", idleSeconds);
    for (const Row& row : rows) {
        std::printf(" %s CPU %.1f ms", row.Name.c_str(), row.IdleCpu);
        if (row.IdleTimers >= 0)
            std::printf(" (%lld timer messages, %lld paints)", row.IdleTimers, row.IdlePaints);
        std::printf(";");
    }
    std::printf("\n");

    if (features)
        for (const Row& row : rows)
            if (!row.ProgramDir.empty())
                PrintFeatures(row.Name, MeasureFeatureRounds(row.ProgramDir, 3));
    ::timeEndPeriod(1);
    return 0;
}
