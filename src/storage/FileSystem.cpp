#include "storage/FileSystem.h"

#include "storage/StorageError.h"
#include "util/StringUtils.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
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

FilePtr OpenFile(const std::wstring& path, bool forWriting) {
#ifdef _WIN32
    return FilePtr(_wfopen(path.c_str(), forWriting ? L"wb" : L"rb"));
#else
    return FilePtr(std::fopen(ToPath(path).c_str(), forWriting ? "wb" : "rb"));
#endif
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

std::wstring RandomSuffix() {
    static std::mt19937_64 generator = [] {
        std::random_device device;
        const auto now =
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        return std::mt19937_64((static_cast<std::uint64_t>(device()) << 32) ^ now);
    }();
    static const wchar_t* hex = L"0123456789abcdef";
    auto bits = generator();
    std::wstring s;
    for (int i = 0; i < 8; ++i, bits >>= 4)
        s += hex[bits & 0xF];
    return s;
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
    const FilePtr file = OpenFile(path, false);
    if (!file) throw EStorageError(L"Datei " + Quoted(path) + L" kann nicht geöffnet werden.");
    TBytes bytes;
    std::uint8_t buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    if (std::ferror(file.get()))
        throw EStorageError(L"Datei " + Quoted(path) + L" kann nicht gelesen werden.");
    return bytes;
}

void TPortableFileSystem::WriteFileAtomically(const std::wstring& path, const TBytes& bytes) {
    const std::wstring tempPath = path + L".tmp-" + RandomSuffix();
    TempFileGuard guard(tempPath);
    {
        FilePtr file = OpenFile(tempPath, true);
        if (!file) throw EStorageError(L"Datei " + Quoted(path) + L" kann nicht erstellt werden.");
        WriteToTempFile(file.get(), bytes, tempPath);
        const bool synced = SyncToDisk(file.get());
        const bool closed = std::fclose(file.release()) == 0;
        if (!synced || !closed)
            throw EStorageError(L"Fehler beim Schreiben der Datei " + Quoted(path) + L".");
    }
    ReplaceTarget(tempPath, path);
    guard.Commit();
    SyncFolder(ToPath(path).parent_path());
}

void TPortableFileSystem::WriteToTempFile(std::FILE* file, const TBytes& bytes,
                                          const std::wstring& tempPath) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        throw EStorageError(L"Fehler beim Schreiben der Datei " + Quoted(tempPath) + L".");
}

void TPortableFileSystem::ReplaceTarget(const std::wstring& tempPath,
                                        const std::wstring& targetPath) {
    std::error_code ec;
    fs::rename(ToPath(tempPath), ToPath(targetPath), ec);
    if (ec) throw EStorageError(L"Datei " + Quoted(targetPath) + L" kann nicht ersetzt werden.");
}
