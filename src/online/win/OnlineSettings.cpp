#include "online/win/OnlineSettings.h"

#include <windows.h>

#include <optional>

TOnlineUrls ConfiguredOnlineUrls(const TProgramInfo& info) {
    std::optional<std::wstring> serverURL;
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, info.RegistryKey().c_str(), L"ServerURL", RRF_RT_REG_SZ,
                       nullptr, value, &size) == ERROR_SUCCESS)
        serverURL = value;
    return OnlineUrls(info.ProgramId, serverURL);
}
