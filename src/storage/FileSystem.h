#pragma once
// The file operations of the settings store, behind an interface so that the
// Windows shell can put its own (ReplaceFileW) in place and tests can inject faults.
#include "storage/TextCodec.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A settings file is a few kilobytes. Anything much larger is not read at all,
// so that a stray file cannot cost the start-up its memory and time.
constexpr std::uint64_t MaxSettingsFileBytes = 4u << 20;

class TFileSystem {
  public:
    virtual ~TFileSystem() = default;
    // An existing file (not a folder).
    virtual bool FileExists(const std::wstring& path) = 0;
    virtual bool FolderExists(const std::wstring& path) = 0;
    // The whole file; raises EStorageError when it cannot be opened or read, or
    // holds more than MaxSettingsFileBytes (TooLargeMessage).
    virtual TBytes ReadWholeFile(const std::wstring& path) = 0;
    // Replaces the file's content in one step: the bytes go to a temporary file
    // beside it, which then takes the file's place. Raises EStorageError on any
    // failure, and the old file is then left exactly as it was.
    virtual void WriteFileAtomically(const std::wstring& path, const TBytes& bytes) = 0;
    // The names of the files (not folders) in a folder; none when it cannot be read.
    virtual std::vector<std::wstring> FileNamesIn(const std::wstring& folder) = 0;
    virtual bool RemoveFile(const std::wstring& path) = 0;
    // Renames a file; fails when toPath exists.
    virtual bool RenameFile(const std::wstring& fromPath, const std::wstring& toPath) = 0;
};

// "Die Datei ... ist größer als 4 MB ...", for ReadWholeFile.
std::wstring TooLargeMessage(const std::wstring& path);

// The file system in use: the installed one, else the portable default.
TFileSystem& FileSystem();
// Installs a file system (not owned; it must outlive its use). nullptr restores the default.
void SetFileSystem(TFileSystem* fileSystem);

// The folder part of a file path ("" when the path names no folder).
std::wstring FolderOfFile(const std::wstring& path);
// The name part: what follows the folder.
std::wstring NameOfFile(const std::wstring& path);
// A file of that name in the folder of path.
std::wstring BesideFile(const std::wstring& path, const std::wstring& name);

// std::filesystem and C stdio. Writing: a new temporary file beside the target
// (SaveTempPath), written, flushed to the disk, closed, renamed over the target.
class TPortableFileSystem : public TFileSystem {
  public:
    bool FileExists(const std::wstring& path) override;
    bool FolderExists(const std::wstring& path) override;
    TBytes ReadWholeFile(const std::wstring& path) override;
    void WriteFileAtomically(const std::wstring& path, const TBytes& bytes) override;
    std::vector<std::wstring> FileNamesIn(const std::wstring& folder) override;
    bool RemoveFile(const std::wstring& path) override;
    bool RenameFile(const std::wstring& fromPath, const std::wstring& toPath) override;

  protected:
    // The steps of WriteFileAtomically, separate so that tests can make one fail
    // (a full disk half-way through, a failing rename). Each raises EStorageError.
    virtual void WriteToTempFile(std::FILE* file, const TBytes& bytes,
                                 const std::wstring& tempPath);
    virtual void ReplaceTarget(const std::wstring& tempPath, const std::wstring& targetPath);
};
