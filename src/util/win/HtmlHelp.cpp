#include "util/win/HtmlHelp.h"

#include "util/CommandLine.h"
#include "util/StringUtils.h"
#include "util/win/MVUtilWin.h"
#include "util/win/ShellExec.h"

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

using HtmlHelpWFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
using HtmlHelpAFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

constexpr UINT HH_DISPLAY_TOPIC_ = 0x0000;
constexpr UINT HH_HELP_CONTEXT_ = 0x000F;
constexpr UINT HH_CLOSE_ALL_ = 0x0012;
constexpr const wchar_t* HelpClsidKey =
    L"CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";

HMODULE g_library = nullptr;
HtmlHelpWFn g_htmlHelpW = nullptr;
HtmlHelpAFn g_htmlHelpA = nullptr;
THelpEvent g_helpEvent;

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring RegisteredViewer() {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, HelpClsidKey, nullptr,
                       RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ, nullptr, value,
                       &size) != ERROR_SUCCESS)
        return {};
    wchar_t expanded[MAX_PATH] = {};
    ::ExpandEnvironmentStringsW(value, expanded, MAX_PATH);
    return expanded;
}

bool TraceOn() {
    static const bool on = FileExists(AppDirAnd(L"debug.debug")) || HasParam(L"debug");
    return on;
}

} // namespace

bool HtmlHelpAvailable() {
    if (g_htmlHelpW) return true;
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    for (const std::wstring& path : {std::wstring(system) + L"\\hhctrl.ocx", RegisteredViewer()}) {
        if (path.empty() || !FileExists(path)) continue;
        g_library = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (g_library) break;
    }
    if (!g_library) return false;
    g_htmlHelpW = reinterpret_cast<HtmlHelpWFn>(
        reinterpret_cast<void*>(::GetProcAddress(g_library, "HtmlHelpW")));
    g_htmlHelpA = reinterpret_cast<HtmlHelpAFn>(
        reinterpret_cast<void*>(::GetProcAddress(g_library, "HtmlHelpA")));
    if (!g_htmlHelpW) UnloadHtmlHelp();
    return g_htmlHelpW != nullptr;
}

void UnloadHtmlHelp() {
    if (g_library) ::FreeLibrary(g_library);
    g_library = nullptr;
    g_htmlHelpW = nullptr;
    g_htmlHelpA = nullptr;
}

HWND CallHtmlHelp(HWND caller, const std::wstring& file, UINT command, DWORD_PTR data) {
    if (!HtmlHelpAvailable()) return nullptr;
    return g_htmlHelpW(caller, file.empty() ? nullptr : file.c_str(), command, data);
}

void HHShowError(int code) {
    if (code == 0) return;
    const wchar_t* text = code == 1 ? L"MS Html Help is not installed on this PC."
                          : code == 2
                              ? L"System file KeyHH.EXE was not found in the Windows folder."
                          : code == 3 ? L"System file HH.EXE was not found in the Windows folder."
                                      : L"Unknown error returned by HHHelpContext";
    ::MessageBoxW(ApplicationWindow(), text, ApplicationTitle().c_str(), MB_OK | MB_ICONWARNING);
}

void HHCloseAll() {
    if (!g_htmlHelpW) return; // never loaded: no help window is open
    g_htmlHelpW(nullptr, nullptr, HH_CLOSE_ALL_, 0);
    ::Sleep(0);
}

bool ApplicationHelpContext(int contextId) {
    return g_helpEvent && g_helpEvent(1, static_cast<DWORD_PTR>(contextId));
}

void HelpTrace(const std::wstring& line) {
    if (!TraceOn()) return;
    // Beside the program when that folder takes files, else in the temporary one.
    for (const std::wstring& file :
         {AppDirAnd(L"DravikHelp.log"), GetTempDir() + L"DravikHelp.log"}) {
        const HANDLE out = ::CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out == INVALID_HANDLE_VALUE) continue;
        const std::wstring wide = line + L"\r\n";
        const int bytes = ::WideCharToMultiByte(
            CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(bytes), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), text.data(),
                              bytes, nullptr, nullptr);
        DWORD written = 0;
        ::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ::CloseHandle(out);
        return;
    }
}

THookHelpSystem::THookHelpSystem(std::wstring chmFile, int hostType, std::wstring winDef)
    : FChmFile(std::move(chmFile)), FWinDef(std::move(winDef)), FHostType(hostType) {
    HelpTrace(L"THookHelpSystem.Create(\"" + FChmFile + L"\",\"" + FWinDef + L"\", " +
              std::to_wstring(FHostType) + L")");
    FOldHelpEvent = g_helpEvent;
    g_helpEvent = [this](UINT command, DWORD_PTR data) { return HelpHook(command, data); };
}

THookHelpSystem::~THookHelpSystem() {
    HelpTrace(L"THookHelpSystem.Destroy");
    g_helpEvent = FOldHelpEvent;
}

bool THookHelpSystem::HelpHook(UINT command, DWORD_PTR data) {
    HelpTrace(L"THookHelpSystem.HelpHook(" + std::to_wstring(command) + L", " +
              std::to_wstring(data) + L")");
    bool handled = false;
    switch (command) {
    case 1: // a topic
    case 8: // a pop-up topic
        HelpContext(static_cast<int>(data));
        handled = true;
        break;
    case 13: // where pop-ups go
        FPopupXY = {static_cast<short>(LOWORD(data)), static_cast<short>(HIWORD(data))};
        handled = true;
        break;
    default:
        break;
    }
    if (FOKToCallOldHelpEvent && FOldHelpEvent) FOldHelpEvent(command, data);
    return handled;
}

void THookHelpSystem::HelpContext(int id) {
    const std::wstring file = FWinDef.empty() ? FChmFile : FChmFile + L">" + FWinDef;
    HelpTrace(L"HHHelpContext(\"" + file + L"\", " + std::to_wstring(id) + L")");
    int result = 0;
    if (FHostType == 0) {
        if (!HtmlHelpAvailable()) {
            result = 1;
        } else if (HWND help = CallHtmlHelp(::GetDesktopWindow(), file, HH_HELP_CONTEXT_,
                                            static_cast<DWORD_PTR>(id))) {
            ::SetForegroundWindow(help);
        }
    } else {
        wchar_t windows[MAX_PATH] = {};
        ::GetWindowsDirectoryW(windows, MAX_PATH);
        const std::wstring program =
            std::wstring(windows) + (FHostType == 1 ? L"\\KeyHH.EXE" : L"\\HH.EXE");
        if (!FileExists(program))
            result = FHostType == 1 ? 2 : 3;
        else
            RunFileExt(L"open", L"", program, nullptr, false, SW_SHOWNORMAL, L"",
                       (FHostType == 1 ? L"-win -#mapid " : L"-mapid ") + std::to_wstring(id) +
                           L" " + FChmFile);
    }
    HelpTrace(L"  returned - " + std::to_wstring(result));
    HHShowError(result);
}

bool HelpDisplayTopic(const std::wstring& chmFile) {
    HelpTrace(L"ShowContext(\"" + chmFile + L"\", 0)");
    if (!HtmlHelpAvailable()) {
        HHShowError(1);
        return false;
    }
    // The viewer belongs to the desktop, so the top-most ruler cannot hide it.
    if (HWND help = CallHtmlHelp(::GetDesktopWindow(), chmFile, HH_DISPLAY_TOPIC_, 0))
        ::SetForegroundWindow(help);
    return true;
}
