// Drives the installer's and the uninstaller's pages as a user would click
// them, and reads a Start-menu link, for scripts/check-dist.sh.
//   SetupDriver cancel SECONDS      the installer's first page: "Abbrechen",
//                                   then "Ja" to the question; it ends
//   SetupDriver install SECONDS     the installer's pages: "Weiter" up to the
//                                   last, whose "Dravik starten" must be
//                                   ticked, then "Fertig stellen"
//   SetupDriver uninstall SECONDS   the uninstaller: "Weiter", then
//                                   "Einstellungen löschen" ticked,
//                                   "Deinstallieren", and at the end closed
//   SetupDriver link FILE.lnk       prints the link's target
// Exit code: 0 done, 1 usage, 2 no such window in time, 3 a step did not take
// (named on the standard error).
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>

namespace {

// The installer's and uninstaller's outer window: a dialog named after the
// product ("Installation von Morvane Dravik 2.2").
HWND FindSetupWindow() {
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND wnd, LPARAM out) -> BOOL {
            wchar_t cls[32] = {}, title[128] = {};
            ::GetClassNameW(wnd, cls, 32);
            ::GetWindowTextW(wnd, title, 128);
            if (std::wcscmp(cls, L"#32770") == 0 && ::IsWindowVisible(wnd) &&
                std::wcsstr(title, L"Morvane Dravik") && !::GetWindow(wnd, GW_OWNER)) {
                *reinterpret_cast<HWND*>(out) = wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A message box the setup window owns.
HWND FindQuestion(HWND owner) {
    struct Search {
        HWND Owner, Found;
    } search{owner, nullptr};
    ::EnumWindows(
        [](HWND wnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (::GetWindow(wnd, GW_OWNER) == s->Owner && ::IsWindowVisible(wnd) &&
                ::GetDlgItem(wnd, IDYES)) {
                s->Found = wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool PollUntil(DWORD timeoutMs, const std::function<bool()>& done) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() >= end) return false;
        ::Sleep(100);
    }
    return true;
}

// A button of the outer window clicked, once it is enabled, until what it
// leads to is there: a click that comes while the page is still being set
// up is lost, and a user would click again.
bool ClickUntil(HWND setup, int id, DWORD timeoutMs, const std::function<bool()>& done) {
    const HWND button = ::GetDlgItem(setup, id);
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (button && ::GetTickCount64() < end) {
        if (::IsWindowEnabled(button))
            ::PostMessageW(setup, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                           reinterpret_cast<LPARAM>(button));
        if (PollUntil(1000, done)) return true;
    }
    return false;
}

// The inner page's control by its id (the pages are child dialogs).
HWND PageControl(HWND setup, int id) {
    for (HWND page = ::FindWindowExW(setup, nullptr, L"#32770", nullptr); page;
         page = ::FindWindowExW(setup, page, L"#32770", nullptr))
        if (HWND control = ::GetDlgItem(page, id); control && ::IsWindowVisible(control))
            return control;
    return nullptr;
}

// The setup window once it is shown; null when it was not in time.
HWND WaitForSetup(DWORD timeoutMs) {
    HWND setup = nullptr;
    PollUntil(timeoutMs, [&] { return (setup = FindSetupWindow()) != nullptr; });
    return setup;
}

// The page's control with this id, once "Weiter" (or the button in its place:
// "Installieren", "Deinstallieren") has led to its page; null if it did not.
HWND NextUntilPageWith(HWND setup, int id, DWORD timeoutMs) {
    HWND control = nullptr;
    ClickUntil(setup, IDOK, timeoutMs,
               [&] { return (control = PageControl(setup, id)) != nullptr; });
    return control;
}

int Cancel(DWORD timeoutMs) {
    const HWND setup = WaitForSetup(timeoutMs);
    if (!setup) return 2;
    HWND question = nullptr;
    if (!ClickUntil(setup, IDCANCEL, timeoutMs,
                    [&] { return (question = FindQuestion(setup)) != nullptr; }))
        return 3;
    ::PostMessageW(question, WM_COMMAND, IDYES, 0);
    return PollUntil(timeoutMs, [&] { return !::IsWindow(setup); }) ? 0 : 3;
}

// A step that did not take, named on the standard error.
int Failed(const char* step) {
    std::fprintf(stderr, "SetupDriver: %s\n", step);
    return 3;
}

int InstallToTheEnd(DWORD timeoutMs) {
    constexpr int RunBoxId = 1203; // the last page's "Dravik starten"
    const HWND setup = WaitForSetup(timeoutMs);
    if (!setup) return 2;
    // "Weiter" on the welcome and the folder page; the files; the last page.
    const HWND runBox = NextUntilPageWith(setup, RunBoxId, timeoutMs);
    if (!runBox) return Failed("\"Weiter\" led to no last page with \"Dravik starten\"");
    wchar_t caption[64] = {};
    ::GetWindowTextW(runBox, caption, 64);
    if (std::wcscmp(caption, L"Dravik starten") != 0)
        return Failed("the box is not \"Dravik starten\"");
    if (::SendMessageW(runBox, BM_GETCHECK, 0, 0) != BST_CHECKED)
        return Failed("\"Dravik starten\" is not ticked");
    if (!ClickUntil(setup, IDOK, timeoutMs, [&] { return !::IsWindow(setup); }))
        return Failed("\"Fertig stellen\" did not close the installer");
    return 0;
}

int UninstallWithSettings(DWORD timeoutMs) {
    constexpr int TreeId = 1032;   // the components page's list
    constexpr int StatusId = 1006; // the progress page's status line
    const HWND setup = WaitForSetup(timeoutMs);
    if (!setup) return 2;
    // The confirmation page, then the components.
    const HWND tree = NextUntilPageWith(setup, TreeId, timeoutMs);
    if (!tree) return Failed("\"Weiter\" led to no components page");
    // "Einstellungen löschen", the second entry, ticked as the space key does.
    const auto root =
        reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    const auto second = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)));
    if (!second) return Failed("no second component");
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(second));
    const auto image = [&] {
        return static_cast<UINT>(::SendMessageW(tree, TVM_GETITEMSTATE,
                                                reinterpret_cast<WPARAM>(second),
                                                TVIS_STATEIMAGEMASK)) >>
               12;
    };
    const UINT unticked = image();
    ::PostMessageW(tree, WM_KEYDOWN, VK_SPACE, 0);
    if (!PollUntil(timeoutMs, [&] { return image() != unticked; }))
        return Failed("the space key did not tick the component");
    if (!NextUntilPageWith(setup, StatusId, timeoutMs))
        return Failed("\"Deinstallieren\" led to no progress page");
    // Done when the progress page's button, enabled at the end, closes the window.
    if (!ClickUntil(setup, IDOK, timeoutMs, [&] { return !::IsWindow(setup); }))
        return Failed("\"Schließen\" did not close the uninstaller");
    return 0;
}

int PrintLinkTarget(const wchar_t* file) {
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
    int result = 3;
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, reinterpret_cast<void**>(&link)))) {
        IPersistFile* persist = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
            wchar_t target[MAX_PATH] = {};
            if (SUCCEEDED(persist->Load(file, STGM_READ)) &&
                SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0))) {
                std::wprintf(L"%ls\n", target);
                result = 0;
            }
            persist->Release();
        }
        link->Release();
    }
    ::CoUninitialize();
    return result;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc == 3 ? argv[1] : L"";
    if (mode == L"link") return PrintLinkTarget(argv[2]);
    const long seconds = argc == 3 ? std::wcstol(argv[2], nullptr, 10) : 0;
    if ((mode != L"cancel" && mode != L"install" && mode != L"uninstall") || seconds <= 0) {
        std::fputs("usage: SetupDriver cancel|install|uninstall SECONDS | link FILE\n", stderr);
        return 1;
    }
    const DWORD timeoutMs = static_cast<DWORD>(seconds) * 1000;
    if (mode == L"cancel") return Cancel(timeoutMs);
    return mode == L"install" ? InstallToTheEnd(timeoutMs) : UninstallWithSettings(timeoutMs);
}
