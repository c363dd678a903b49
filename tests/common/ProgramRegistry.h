#pragma once
// Writes a value into the program's registry data (in the hive the program
// reads) with a registry type of the test's choosing, as an installer or a
// person with regedit would write it.
#include "storage/win/RegistryIni.h"
#include "storage/win/RegistryProgData.h"

#include <windows.h>

#include <string>

inline bool WriteProgramRegistryText(const std::wstring& programKey, const wchar_t* section,
                                     const wchar_t* name, DWORD type, const std::wstring& text) {
    auto data = CreateRegistryProgData(programKey, false, false);
    data->WriteString(section, name, L""); // creates the section
    auto* registry = dynamic_cast<TRegistryIniFile*>(data.get());
    HKEY key = nullptr;
    if (!registry || ::RegOpenKeyExW(registry->Key(), section, 0, KEY_SET_VALUE, &key) != 0)
        return false;
    const LSTATUS status =
        ::RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// A registry value for the time of a test, then the one before (or none).
class RegistryValueScope {
  public:
    // A value below HKEY_LOCAL_MACHINE or another root.
    RegistryValueScope(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type,
                       const void* data, DWORD size)
        : m_name(name) {
        ::RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key, nullptr);
        m_oldSize = sizeof(m_old);
        m_had = ::RegQueryValueExW(m_key, name, nullptr, &m_oldType, m_old, &m_oldSize) ==
                ERROR_SUCCESS;
        ::RegSetValueExW(m_key, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    RegistryValueScope(const wchar_t* key, const wchar_t* name, DWORD type, const void* data,
                       DWORD size)
        : RegistryValueScope(HKEY_CURRENT_USER, key, name, type, data, size) {}
    // A string value (REG_SZ) with its terminating zero.
    RegistryValueScope(const wchar_t* key, const wchar_t* name, const std::wstring& text)
        : RegistryValueScope(key, name, REG_SZ, text.c_str(),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) {}
    ~RegistryValueScope() {
        if (m_had)
            ::RegSetValueExW(m_key, m_name, 0, m_oldType, m_old, m_oldSize);
        else
            ::RegDeleteValueW(m_key, m_name);
        ::RegCloseKey(m_key);
    }

  private:
    HKEY m_key = nullptr;
    const wchar_t* m_name;
    bool m_had = false;
    DWORD m_oldType = 0, m_oldSize = 0;
    BYTE m_old[1024] = {};
};

inline constexpr const wchar_t* kInternetSettings =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// A direct connection, no proxy, for the time of a test that talks to a
// local server: a test that set a proxy and was killed before it could take
// it back must not send this test's requests to a server that is gone.
class DirectConnection {
  public:
    DirectConnection() = default;

  private:
    static constexpr DWORD kOff = 0;
    RegistryValueScope m_enable{kInternetSettings, L"ProxyEnable", REG_DWORD, &kOff, sizeof(kOff)};
};
