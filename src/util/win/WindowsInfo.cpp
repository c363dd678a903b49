#include "util/win/WindowsInfo.h"

#include "util/win/Handles.h"

#include <vector>

namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);

bool QueryVersion(OSVERSIONINFOEXW& info) {
    info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return false;
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
    return rtlGetVersion && rtlGetVersion(&info) == 0;
}

// The product's marketing name as the system keeps it; empty when missing.
std::wstring ProductName() {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0,
                        KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return L"";
    UniqueHKey key(raw);
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.Get(), L"ProductName", nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ || bytes == 0)
        return L"";
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.Get(), L"ProductName", nullptr, nullptr,
                           reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS)
        return L"";
    return std::wstring(buffer.data());
}

} // namespace

std::wstring GetWindowsLanguage(LCTYPE type) {
    const LCID userDefault = 0x400;
    const int length = ::GetLocaleInfoW(userDefault, type, nullptr, 0);
    if (length <= 0) return L"";
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length), L'\0');
    if (::GetLocaleInfoW(userDefault, type, buffer.data(), length) <= 0) return L"";
    return std::wstring(buffer.data());
}

TWindowsVersion GetWindowsVersion() {
    std::wstring ignored;
    return GetWindowsVersion(ignored);
}

TWindowsVersion GetWindowsVersion(std::wstring& fullName) {
    OSVERSIONINFOEXW info{};
    if (!QueryVersion(info)) {
        fullName = L"Windows";
        return wvUnknown;
    }
    const bool isServer = info.wProductType != VER_NT_WORKSTATION;
    std::wstring name = ProductName();
    if (name.empty()) name = L"Windows";
    const std::wstring servicePack = info.szCSDVersion;
    if (!servicePack.empty()) name += L" " + servicePack;
    name += L" (" + std::to_wstring(info.dwMajorVersion) + L"." +
            std::to_wstring(info.dwMinorVersion) + L", Build " +
            std::to_wstring(info.dwBuildNumber) + L")";
    fullName = name;
    return ClassifyWindowsVersion(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                                  isServer);
}
