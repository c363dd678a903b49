#pragma once
// Shared by the settings-storage shell tests: unique names and registry keys
// that are removed again; folders and file bytes come from the common header.
#include "../common/TestFiles.h"
#include "storage/TextCodec.h"
#include "util/win/MVUtilWin.h"

#include <windows.h>

#include <string>
#include <vector>

inline std::wstring UniqueTestName(const std::wstring& prefix) {
    static unsigned counter = 0;
    return prefix + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(::GetTickCount()) + L"-" + std::to_wstring(++counter);
}

// A registry key below both hives that is deleted again (tests may create it
// in either: the program's data goes to HKEY_LOCAL_MACHINE when it may).
class TestRegistryKey {
  public:
    explicit TestRegistryKey(const std::wstring& name)
        : m_path(L"Software\\DravikTest\\" + UniqueTestName(name)) {}
    ~TestRegistryKey() {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            ::RegDeleteTreeW(root, m_path.c_str());
            ::RegDeleteKeyW(root, L"Software\\DravikTest"); // only when empty
        }
    }
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;
    const std::wstring& Path() const { return m_path; }

  private:
    std::wstring m_path;
};

inline bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}
