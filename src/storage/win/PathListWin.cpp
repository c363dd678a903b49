#include "storage/win/PathListWin.h"

#include "storage/win/RegistryProgData.h"
#include "util/PathUtils.h"
#include "util/win/Handles.h"
#include "util/win/MVUtilWin.h"

#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <type_traits>
#include <vector>

namespace {

using SHGetFolderPathWFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);

DWORD Attributes(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str());
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class Win32PathListPlatform : public PathListPlatform {
  public:
    Win32PathListPlatform() {
        m_shFolder.Reset(::LoadLibraryW(L"SHFolder.dll"));
        if (m_shFolder)
            m_getFolderPath = reinterpret_cast<SHGetFolderPathWFn>(
                reinterpret_cast<void*>(::GetProcAddress(m_shFolder.Get(), "SHGetFolderPathW")));
    }

    bool FolderQueryAvailable() override { return m_getFolderPath != nullptr; }

    std::optional<std::wstring> FolderPath(int csidl) override {
        if (!m_getFolderPath) return std::nullopt;
        wchar_t buffer[MAX_PATH] = {};
        if (m_getFolderPath(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK ||
            buffer[0] == L'\0')
            return std::nullopt;
        return std::wstring(buffer);
    }

    std::optional<std::wstring> VirtualFolderName(int csidl) override {
        ITEMIDLIST* raw = nullptr;
        if (::SHGetSpecialFolderLocation(nullptr, csidl, &raw) != S_OK || !raw) return std::nullopt;
        // The shell's own release, so COM's library need not load for it.
        const UniqueHandle<ITEMIDLIST*, NullHandleTraits<ITEMIDLIST*, ::ILFree>> pidl(raw);
        SHFILEINFOW info{};
        if (!::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl.Get()), 0, &info, sizeof(info),
                              SHGFI_PIDL | SHGFI_DISPLAYNAME))
            return std::nullopt;
        return std::wstring(info.szDisplayName);
    }

    std::wstring TempDir() override { return GetTempDir(); }

    std::wstring CurrentDir() override {
        const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
        if (needed == 0) return {};
        std::vector<wchar_t> buffer(needed);
        const DWORD n = ::GetCurrentDirectoryW(needed, buffer.data());
        return n > 0 && n < needed ? std::wstring(buffer.data(), n) : std::wstring();
    }

    std::wstring ProgramFile() override { return ProgramFileName(); }

    bool FileExists(const std::wstring& path) override {
        const DWORD attributes = Attributes(path);
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool DirectoryExists(const std::wstring& path) override { return IsFolder(path); }

    bool DriveExists(const std::wstring& path) override {
        if (path.size() < 2 || path[1] != L':') return true;
        const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
        const UINT type = ::GetDriveTypeW(root);
        return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
    }

    bool CreateDirectories(const std::wstring& path) override {
        return CreateFolderWithParents(path, IsFolder, [](const std::wstring& folder) {
            return ::CreateDirectoryW(folder.c_str(), nullptr) != FALSE;
        });
    }

    std::optional<std::wstring> EnvironmentVariable(const std::wstring& name) override {
        std::vector<wchar_t> buffer(256);
        for (;;) {
            ::SetLastError(ERROR_SUCCESS);
            const DWORD n = ::GetEnvironmentVariableW(name.c_str(), buffer.data(),
                                                      static_cast<DWORD>(buffer.size()));
            if (n == 0 && ::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            if (n < buffer.size()) return std::wstring(buffer.data(), n);
            buffer.resize(n); // n counts the terminator when the buffer was too small
        }
    }

    std::unique_ptr<TCustomIniFile> OpenProgramRegistry(const std::wstring& mainKey,
                                                        bool portable) override {
        return CreateRegistryProgData(mainKey, portable, false);
    }

    void BeginBusy() override { m_previousCursor = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }
    void EndBusy() override { ::SetCursor(m_previousCursor); }

  private:
    UniqueLibrary m_shFolder;
    SHGetFolderPathWFn m_getFolderPath = nullptr;
    HCURSOR m_previousCursor = nullptr;
};

} // namespace

std::unique_ptr<PathListPlatform> CreateWin32PathListPlatform() {
    return std::make_unique<Win32PathListPlatform>();
}
