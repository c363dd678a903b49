#include "storage/win/Win32FileSystem.h"

#include "storage/SaveFiles.h"
#include "storage/StorageError.h"
#include "storage/StorageTexts.h"
#include "util/StringUtils.h"
#include "util/win/Handles.h"

#include <algorithm>
#include <limits>

namespace {

// The user-facing text plus what the system says about the cause.
[[noreturn]] void Fail(const std::wstring& message, DWORD code) {
    const std::wstring cause = SystemErrorText(code);
    throw EStorageError(cause.empty() ? message : message + L"\r\n" + cause);
}

DWORD Attributes(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str());
}

// Creates a new file beside the target; the name is unique among the files there.
UniqueKernelHandle CreateTempFile(const std::wstring& targetPath, std::wstring& tempPath) {
    static unsigned counter = 0;
    const unsigned first = ::GetTickCount() + ::GetCurrentProcessId() + counter++;
    for (unsigned attempt = 0; attempt < 256; ++attempt) {
        tempPath = SaveTempPath(targetPath, first + attempt);
        UniqueKernelHandle file(::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        const DWORD error = ::GetLastError();
        if (file || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)) return file;
    }
    return UniqueKernelHandle();
}

// Deletes the temporary file unless told to keep it (it took the target's place,
// or it was never ours). Declared before the file's handle, so that the handle
// is closed first: an open file cannot be deleted.
class TempFileGuard {
  public:
    explicit TempFileGuard(const std::wstring& path) : m_path(path) {}
    ~TempFileGuard() {
        if (!m_keep && !m_path.empty()) ::DeleteFileW(m_path.c_str());
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    void Keep() { m_keep = true; }

  private:
    const std::wstring& m_path;
    bool m_keep = false;
};

} // namespace

// The replace steps on the real file system, through the overridable ones.
class TWin32FileSystem::Steps : public TReplaceSteps {
  public:
    explicit Steps(TWin32FileSystem& owner) : m_owner(owner) {}
    bool Exists(const std::wstring& path) override {
        return Attributes(path) != INVALID_FILE_ATTRIBUTES;
    }
    bool ReplaceWithBackup(const std::wstring& tempPath, const std::wstring& targetPath,
                           const std::wstring& backupPath) override {
        return Record(m_owner.ReplaceExisting(tempPath, targetPath, backupPath));
    }
    bool Move(const std::wstring& fromPath, const std::wstring& toPath) override {
        return Record(m_owner.MoveIntoPlace(fromPath, toPath));
    }
    bool Remove(const std::wstring& path) override { return ::DeleteFileW(path.c_str()) != FALSE; }
    std::wstring LastErrorText() override { return SystemErrorText(m_error); }

  private:
    bool Record(bool ok) {
        m_error = ok ? ERROR_SUCCESS : ::GetLastError();
        return ok;
    }
    TWin32FileSystem& m_owner;
    DWORD m_error = ERROR_SUCCESS;
};

std::wstring SystemErrorText(DWORD code) {
    if (code == ERROR_SUCCESS) return {};
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const UniqueLocal<wchar_t*> owned(buffer);
    std::wstring text(buffer ? buffer : L"", n);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

bool TWin32FileSystem::FileExists(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWin32FileSystem::FolderExists(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TBytes TWin32FileSystem::ReadWholeFile(const std::wstring& path) {
    const UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                nullptr));
    if (!file) Fail(FormatText(StorageText::CannotOpen, {Quoted(path)}), ::GetLastError());
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size))
        Fail(FormatText(StorageText::CannotRead, {Quoted(path)}), ::GetLastError());
    if (static_cast<std::uint64_t>(size.QuadPart) > MaxSettingsFileBytes)
        throw EStorageError(TooLargeMessage(path));
    TBytes bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                        &got, nullptr))
            Fail(FormatText(StorageText::CannotRead, {Quoted(path)}), ::GetLastError());
        if (got == 0) break; // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

void TWin32FileSystem::WriteFileAtomically(const std::wstring& path, const TBytes& bytes) {
    std::wstring tempPath;
    TempFileGuard guard(tempPath);
    UniqueKernelHandle file = CreateTempFile(path, tempPath);
    if (!file) {
        const DWORD error = ::GetLastError();
        guard.Keep(); // the name may belong to somebody else's file
        Fail(FormatText(StorageText::CannotCreate, {Quoted(path)}), error);
    }
    if (!WriteTempFile(file.Get(), bytes) || !::FlushFileBuffers(file.Get()))
        Fail(FormatText(StorageText::WriteFailed, {Quoted(path)}), ::GetLastError());
    if (!::CloseHandle(file.Release()))
        Fail(FormatText(StorageText::WriteFailed, {Quoted(path)}), ::GetLastError());

    // From here on the temporary file may be the only copy: only PutFileInPlace
    // decides whether it goes.
    guard.Keep();
    Steps steps(*this);
    PutFileInPlace(steps, tempPath, path, SaveBackupPath(tempPath));
}

std::vector<std::wstring> TWin32FileSystem::FileNamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    const std::wstring pattern =
        folder.empty() || folder.back() == L'\\' ? folder + L"*" : folder + L"\\*";
    const HANDLE find = ::FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(data.cFileName);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

bool TWin32FileSystem::RemoveFile(const std::wstring& path) {
    return ::DeleteFileW(path.c_str()) != FALSE;
}

bool TWin32FileSystem::RenameFile(const std::wstring& fromPath, const std::wstring& toPath) {
    return ::MoveFileExW(fromPath.c_str(), toPath.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool TWin32FileSystem::WriteTempFile(HANDLE file, const TBytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(
            std::min<std::size_t>(bytes.size() - done, std::numeric_limits<DWORD>::max() / 2));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return false;
        if (written == 0) {
            ::SetLastError(ERROR_DISK_FULL);
            return false;
        }
        done += written;
    }
    return true;
}

bool TWin32FileSystem::ReplaceExisting(const std::wstring& tempPath, const std::wstring& targetPath,
                                       const std::wstring& backupPath) {
    return ::ReplaceFileW(targetPath.c_str(), tempPath.c_str(), backupPath.c_str(),
                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE;
}

bool TWin32FileSystem::MoveIntoPlace(const std::wstring& fromPath, const std::wstring& toPath) {
    return ::MoveFileExW(fromPath.c_str(), toPath.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}
