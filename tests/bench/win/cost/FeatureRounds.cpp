#include "FeatureRounds.h"

#include "../../../common/VendorServer.h"
#include "../../../e2e/ProgramWindows.h"
#include "LinuxCounters.h"
#include "ProcessMemory.h"

#include "online/win/OnlineIds.h"
#include "ruler/win/RulerCommands.h"

#include <functional>

namespace {

constexpr DWORD kStepTimeoutMs = 10000;

// A button's click as the button reports it to its window.
void Click(HWND form, int id) {
    ::PostMessageW(form, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Control(form, id)));
}

HWND OpenFromMenu(DravikProcess& dravik, UINT command, const wchar_t* cls) {
    ::PostMessageW(dravik.Ruler(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return ShownProgramWindow(dravik, cls, kStepTimeoutMs);
}

bool Gone(DravikProcess& dravik, HWND wnd) {
    return dravik.WaitUntil([&] { return !::IsWindow(wnd); }, kStepTimeoutMs);
}

// The update dialog from the menu, a search against the local server that
// finds this version, and "Schließen".
bool CheckForUpdate(DravikProcess& dravik) {
    const HWND dlg = OpenFromMenu(dravik, idCheckUpdate, UpdateDlgClass);
    if (!dlg) return false;
    Click(dlg, idUpdSearch);
    const bool answered = dravik.WaitUntil(
        [&] { return Text(Control(dlg, idUpdMessage)) == L"Ihre Version ist aktuell."; },
        kStepTimeoutMs);
    Click(dlg, idUpdClose);
    return Gone(dravik, dlg) && answered;
}

bool ShowAbout(DravikProcess& dravik) {
    const HWND about = OpenFromMenu(dravik, idAbout, InfoFormClass);
    if (!about) return false;
    Click(about, idInfoOK);
    return Gone(dravik, about);
}

// The help's menu command (F1 on the ruler) opens the system's viewer.
bool ShowHelp(DravikProcess& dravik) {
    const HWND viewer = OpenFromMenu(dravik, idHelp, L"HH Parent");
    if (!viewer) return false;
    ::PostMessageW(viewer, WM_CLOSE, 0, 0);
    return Gone(dravik, viewer);
}

} // namespace

FeatureRoundsResult MeasureFeatureRounds(const std::wstring& programDir, int rounds) {
    const VendorServer server;
    DravikOptions options;
    options.ProgramDir = programDir;
    options.Settings = Utf16File(L"[Settings]\r\nMagnifier=0\r\n");
    options.Files = {{L"Hilfe.chm", ReadBytes(TestProgramDir() + L"Hilfe.chm")}};
    DravikProcess dravik(options);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(dravik.Ruler(), &pid);
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    const int unixPid = UnixProcess("Dravik.exe");
    // Threads that ended, windows that closed: what stays once they are done.
    auto settled = [&] {
        ::Sleep(500);
        return MemoryOf(process, unixPid, "Dravik.exe").Private;
    };

    FeatureRoundsResult result;
    result.AfterStart = settled();
    const std::pair<const char*, std::function<bool(DravikProcess&)>> uses[] = {
        {"update check", CheckForUpdate}, {"About window", ShowAbout}, {"help (F1)", ShowHelp}};
    for (const auto& [name, use] : uses)
        result.Features.push_back({name, {}});
    for (int round = 0; round < rounds && result.Failure.empty(); ++round) {
        for (std::size_t i = 0; i < std::size(uses); ++i) {
            if (!uses[i].second(dravik)) {
                result.Failure = std::string(uses[i].first) + " did not work in round " +
                                 std::to_string(round + 1);
                break;
            }
            result.Features[i].AfterRound.push_back(settled());
        }
    }
    ::CloseHandle(process);
    return result;
}
