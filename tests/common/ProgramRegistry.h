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
