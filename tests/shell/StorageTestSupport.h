#pragma once
// Shared by the settings-storage shell tests: unique names, a scratch folder,
// registry keys that are removed again, raw file bytes.
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

inline void DeleteFolderTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteFolderTree(path);
            } else {
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

// A fresh folder below the temporary folder, removed with everything in it.
class ScratchFolder {
  public:
    ScratchFolder() : m_path(GetTempDir() + UniqueTestName(L"dravik-test")) {
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~ScratchFolder() { DeleteFolderTree(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }
    // Names in the folder, "." and ".." left out.
    std::vector<std::wstring> Entries() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data{};
        const HANDLE find = ::FindFirstFileW((m_path + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
        return names;
    }
    int EntryCount() const { return static_cast<int>(Entries().size()); }

  private:
    std::wstring m_path;
};

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

inline TBytes FileBytes(const std::wstring& path) {
    TBytes bytes;
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    std::uint8_t buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    ::CloseHandle(file);
    return bytes;
}

inline void PutFileBytes(const std::wstring& path, const TBytes& bytes) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    if (!bytes.empty())
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

// FF FE and the text in UTF-16 LE, as a sifUnicode store writes it.
inline TBytes UnicodeIniBytes(const std::wstring& text) {
    TBytes bytes{0xFF, 0xFE};
    const TBytes body = EncodeUtf16LE(text);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}
