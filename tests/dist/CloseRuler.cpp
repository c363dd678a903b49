// Waits for a running ruler and, unless only asked to wait, closes it as the
// user's "Beenden" does, for scripts/check-dist.sh.
//   CloseRuler wait SECONDS    the ruler window is shown
//   CloseRuler user SECONDS    ...and the desktop shell started its process,
//                              with the user's own rights
//   CloseRuler close SECONDS   ...then WM_CLOSE to it, and its process ended
// Exit code: 0 done, 1 usage, 2 no ruler shown in time, 3 the process still
// runs, 4 a dialog of the program blocks the ruler (no user could click
// "Beenden", though WM_CLOSE would still end it), 5 the ruler was started by
// another process than the shell.
#include "util/win/Handles.h"

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// The same window the installer looks for; shown, so its start-up is done.
HWND FindRuler() {
    const HWND ruler = ::FindWindowW(L"TMainDlg", L"Dravik");
    return ruler && ::IsWindowVisible(ruler) ? ruler : nullptr;
}

bool PollUntil(DWORD timeoutMs, HWND& found) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        found = FindRuler();
        if (found || ::GetTickCount64() >= end) return found != nullptr;
        ::Sleep(50);
    }
}

// Whether the ruler's process was started by the desktop shell
// (explorer.exe), as one started through the shell's ShellExecute is: it then
// runs with the rights of the user at the desktop, not with an installer's.
// (Wine gives every process the same elevated token, so the token cannot tell.)
bool StartedByShell(HWND ruler) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(ruler, &pid);
    const UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.Get() == INVALID_HANDLE_VALUE) return false;
    DWORD parent = 0;
    std::wstring parentName;
    for (int pass = 0; pass < 2; ++pass) { // the ruler's parent, then its name
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
             more = ::Process32NextW(snapshot.Get(), &entry)) {
            if (pass == 0 && entry.th32ProcessID == pid) parent = entry.th32ParentProcessID;
            if (pass == 1 && parent && entry.th32ProcessID == parent) parentName = entry.szExeFile;
        }
    }
    return ::_wcsicmp(parentName.c_str(), L"explorer.exe") == 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc == 3 ? argv[1] : L"";
    const long seconds = argc == 3 ? std::wcstol(argv[2], nullptr, 10) : 0;
    if ((mode != L"wait" && mode != L"user" && mode != L"close") || seconds <= 0) {
        std::fputs("usage: CloseRuler wait|user|close SECONDS\n", stderr);
        return 1;
    }
    const DWORD timeoutMs = static_cast<DWORD>(seconds) * 1000;
    HWND ruler = nullptr;
    if (!PollUntil(timeoutMs, ruler)) {
        std::fputs("CloseRuler: no ruler shown\n", stderr);
        return 2;
    }
    if (mode == L"wait") return 0;
    if (mode == L"user") {
        if (StartedByShell(ruler)) return 0;
        std::fputs("CloseRuler: the ruler was not started by the desktop shell\n", stderr);
        return 5;
    }
    if (!::IsWindowEnabled(ruler)) {
        std::fputs("CloseRuler: a dialog blocks the ruler\n", stderr);
        return 4;
    }

    DWORD pid = 0;
    ::GetWindowThreadProcessId(ruler, &pid);
    // Opened before the message goes, so the end cannot slip past unseen.
    const UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    if (!process) {
        std::fprintf(stderr, "CloseRuler: process %lu cannot be opened\n", pid);
        return 3;
    }
    ::PostMessageW(ruler, WM_CLOSE, 0, 0);
    const bool ended = ::WaitForSingleObject(process.Get(), timeoutMs) == WAIT_OBJECT_0;
    if (!ended) std::fputs("CloseRuler: the ruler did not end\n", stderr);
    return ended ? 0 : 3;
}
