#include "util/win/MVUtilWin.h"

#include "util/CommandLine.h"
#include "util/HotkeyMath.h"
#include "util/PathUtils.h"
#include "util/ProgramInfo.h"
#include "util/win/Fonts.h"
#include "util/win/Handles.h"

#include <shellapi.h>

#include <vector>

namespace {
HWND g_applicationWindow = nullptr;
}

void SetApplicationWindow(HWND wnd) {
    g_applicationWindow = wnd;
}
HWND ApplicationWindow() {
    return g_applicationWindow;
}

std::wstring ApplicationTitle() {
    wchar_t text[256] = {};
    if (g_applicationWindow && ::GetWindowTextW(g_applicationWindow, text, 256) > 0) return text;
    return TProgramInfo().ProductName;
}

void WndToTaskIco() {
    if (g_applicationWindow) ::ShowWindow(g_applicationWindow, SW_HIDE);
}

void MoveWnd(HWND wnd) {
    ::ReleaseCapture();
    // SC_MOVE with the caption hit-test code: the move loop follows the mouse.
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

bool MvRegisterHotKey(HWND wnd, std::uint16_t shortcut, int id) {
    if (shortcut == 0) return false;
    const TShortCutParts parts = ShortCutToKey(shortcut);
    return ::RegisterHotKey(wnd, id, ShiftState2Modifier(parts.ShiftState), parts.KeyCode) != FALSE;
}

long double TwipsPerPixelY(HWND wnd) {
    return 1440.0L / WindowDpi(wnd);
}

std::wstring ProgramFileName() {
    // Paths may be longer than MAX_PATH: grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return L"";
        if (n < buffer.size()) return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring AppDir() {
    const std::wstring path = ProgramFileName();
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
}

std::wstring AppDirAnd(const std::wstring& relativePath) {
    return ConcatPath(AppDir(), relativePath);
}

std::wstring GetTempDir() {
    wchar_t buffer[262] = {};
    const DWORD n = ::GetTempPathW(262, buffer);
    return n > 0 && n < 262 ? std::wstring(buffer, n) : std::wstring();
}

void InitCommandLineParams() {
    int count = 0;
    const UniqueLocal<LPWSTR*> argv(::CommandLineToArgvW(::GetCommandLineW(), &count));
    std::vector<std::wstring> params;
    for (int i = 0; argv && i < count; ++i)
        params.emplace_back(argv.Get()[i]);
    SetCommandLineParams(std::move(params));
}
