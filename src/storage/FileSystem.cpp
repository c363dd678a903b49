#include "storage/FileSystem.h"

#include "storage/SaveFiles.h"
#include "storage/StorageError.h"
#include "storage/StorageTexts.h"
#include "util/StringUtils.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

fs::path ToPath(const std::wstring& path) {
#ifdef _WIN32
    return fs::path(path);
#else
    return fs::path(EncodeUtf8(path)); // Linux file names are UTF-8 bytes
#endif
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenForReading(const std::wstring& path) {
#ifdef _WIN32
    return FilePtr(_wfopen(path.c_str(), L"rb"));
#else
    return FilePtr(std::fopen(ToPath(path).c_str(), "rb"));
#endif
}

// A file that did not exist before: never somebody else's.
FilePtr CreateNewFile(const std::wstring& path) {
#ifdef _WIN32
    const int fd =
        _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    FilePtr file(_fdopen(fd, "wb"));
    if (!file) _close(fd);
#else
    const int fd = open(ToPath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) return nullptr;
    FilePtr file(fdopen(fd, "wb"));
    if (!file) close(fd);
#endif
    return file;
}

// Pushes the file's data from the OS cache to the disk, so that a power cut
// after the rename cannot leave an empty file in place.
bool SyncToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

void SyncFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#endif
}

unsigned RandomSequence() {
    static std::mt19937 generator = [] {
        std::random_device device;
        const auto now =
            static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        return std::mt19937(device() ^ now);
    }();
    return static_cast<unsigned>(generator());
}

// Removes the temporary file unless the save got through.
class TempFileGuard {
  public:
    explicit TempFileGuard(std::wstring path) : path_(std::move(path)) {}
    ~TempFileGuard() {
        if (!committed_) {
            std::error_code ec;
            fs::remove(ToPath(path_), ec);
        }
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    void Commit() { committed_ = true; }

  private:
    std::wstring path_;
    bool committed_ = false;
};

TPortableFileSystem& DefaultFileSystem() {
    static TPortableFileSystem instance;
    return instance;
}

TFileSystem*& InstalledFileSystem() {
    static TFileSystem* installed = nullptr;
    return installed;
}

} // namespace

TFileSystem& FileSystem() {
    TFileSystem* installed = InstalledFileSystem();
    return installed ? *installed : DefaultFileSystem();
}

void SetFileSystem(TFileSystem* fileSystem) {
    InstalledFileSystem() = fileSystem;
}

std::wstring TooLargeMessage(const std::wstring& path) {
    return FormatText(StorageText::TooLarge,
                      {Quoted(path), std::to_wstring(MaxSettingsFileBytes >> 20)});
}

std::wstring FolderOfFile(const std::wstring& path) {
#ifdef _WIN32
    const auto pos = path.find_last_of(L"\\/:");
    if (pos == std::wstring::npos) return {};
    // Keep the separator of a root ("C:\", "\") so the folder stays a folder.
    if (pos == 0 || path[pos] == L':' || (pos == 2 && path[1] == L':'))
        return path.substr(0, pos + 1);
#else
    const auto pos = path.find_last_of(L'/');
    if (pos == std::wstring::npos) return {};
    if (pos == 0) return L"/";
#endif
    return path.substr(0, pos);
}

std::wstring NameOfFile(const std::wstring& path) {
    const std::wstring folder = FolderOfFile(path);
    std::size_t start = folder.size();
#ifdef _WIN32
    while (start < path.size() && (path[start] == L'\\' || path[start] == L'/'))
#else
    while (start < path.size() && path[start] == L'/')
#endif
        ++start;
    return path.substr(start);
}

std::wstring BesideFile(const std::wstring& path, const std::wstring& name) {
    const std::wstring folder = FolderOfFile(path);
    if (folder.empty()) return name;
#ifdef _WIN32
    const wchar_t separator = L'\\';
    const bool endsWithSeparator =
        folder.back() == L'\\' || folder.back() == L'/' || folder.back() == L':';
#else
    const wchar_t separator = L'/';
    const bool endsWithSeparator = folder.back() == L'/';
#endif
    return endsWithSeparator ? folder + name : folder + separator + name;
}

bool TPortableFileSystem::FileExists(const std::wstring& path) {
    std::error_code ec;
    const auto status = fs::status(ToPath(path), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool TPortableFileSystem::FolderExists(const std::wstring& path) {
    std::error_code ec;
    return fs::is_directory(ToPath(path), ec);
}

TBytes TPortableFileSystem::ReadWholeFile(const std::wstring& path) {
    const FilePtr file = OpenForReading(path);
    if (!file) throw EStorageError(FormatText(StorageText::CannotOpen, {Quoted(path)}));
    std::error_code ec;
    if (fs::file_size(ToPath(path), ec) > MaxSettingsFileBytes && !ec)
        throw EStorageError(TooLargeMessage(path));
    TBytes bytes;
    std::uint8_t buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (bytes.size() + got > MaxSettingsFileBytes) throw EStorageError(TooLargeMessage(path));
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    if (std::ferror(file.get()))
        throw EStorageError(FormatText(StorageText::CannotRead, {Quoted(path)}));
    return bytes;
}

void TPortableFileSystem::WriteFileAtomically(const std::wstring& path, const TBytes& bytes) {
    std::wstring tempPath;
    FilePtr file;
    const unsigned first = RandomSequence();
    for (unsigned i = 0; i < 256 && !file; ++i) {
        tempPath = SaveTempPath(path, first + i);
        file = CreateNewFile(tempPath);
        if (!file && errno != EEXIST) break;
    }
    if (!file) throw EStorageError(FormatText(StorageText::CannotCreate, {Quoted(path)}));
    TempFileGuard guard(tempPath);
    {
        // Closed before the guard runs: an open file cannot be deleted on Windows.
        FilePtr open = std::move(file);
        WriteToTempFile(open.get(), bytes, tempPath);
        const bool synced = SyncToDisk(open.get());
        const bool closed = std::fclose(open.release()) == 0;
        if (!synced || !closed)
            throw EStorageError(FormatText(StorageText::WriteFailed, {Quoted(path)}));
    }
    ReplaceTarget(tempPath, path);
    guard.Commit();
    SyncFolder(ToPath(path).parent_path());
}

std::vector<std::wstring> TPortableFileSystem::FileNamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    std::error_code ec;
    for (fs::directory_iterator it(ToPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
#ifdef _WIN32
        names.push_back(it->path().filename().wstring());
#else
        const std::string name = it->path().filename().string();
        names.push_back(
            DecodeUtf8(reinterpret_cast<const std::uint8_t*>(name.data()), name.size()));
#endif
    }
    return names;
}

bool TPortableFileSystem::RemoveFile(const std::wstring& path) {
    std::error_code ec;
    return fs::remove(ToPath(path), ec) && !ec;
}

bool TPortableFileSystem::RenameFile(const std::wstring& fromPath, const std::wstring& toPath) {
    std::error_code ec;
    if (fs::exists(ToPath(toPath), ec)) return false;
    fs::rename(ToPath(fromPath), ToPath(toPath), ec);
    return !ec;
}

void TPortableFileSystem::WriteToTempFile(std::FILE* file, const TBytes& bytes,
                                          const std::wstring& tempPath) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        throw EStorageError(FormatText(StorageText::WriteFailed, {Quoted(tempPath)}));
}

void TPortableFileSystem::ReplaceTarget(const std::wstring& tempPath,
                                        const std::wstring& targetPath) {
    std::error_code ec;
    fs::rename(ToPath(tempPath), ToPath(targetPath), ec);
    if (ec) throw EStorageError(FormatText(StorageText::CannotReplace, {Quoted(targetPath)}));
}
