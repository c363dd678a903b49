#include "util/win/MVUtilWin.h"

#include "util/CommandLine.h"
#include "util/HotkeyMath.h"
#include "util/PathUtils.h"

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

void WndToTaskIco() {
    if (g_applicationWindow) ::ShowWindow(g_applicationWindow, SW_HIDE);
}

void MoveWnd(HWND wnd) {
    ::ReleaseCapture();
    ::SendMessageW(wnd, WM_SYSCOMMAND, 0xF012, 0);
}

bool MvRegisterHotKey(HWND wnd, std::uint16_t shortcut, int id) {
    if (shortcut == 0) return false;
    const TShortCutParts parts = ShortCutToKey(shortcut);
    return ::RegisterHotKey(wnd, id, ShiftState2Modifier(parts.ShiftState), parts.KeyCode) != FALSE;
}

long double TwipsPerPixelY(HDC dc) {
    const int ppi = ::GetDeviceCaps(dc, LOGPIXELSY);
    return 1440.0L / (ppi > 0 ? ppi : 96);
}

std::wstring AppDir() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return L"";
        if (n < buffer.size()) {
            std::wstring path(buffer.data(), n);
            const auto slash = path.find_last_of(L"\\/");
            return slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
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
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> params;
    for (int i = 0; i < count; ++i)
        params.emplace_back(argv[i]);
    if (argv) ::LocalFree(argv);
    SetCommandLineParams(std::move(params));
}
