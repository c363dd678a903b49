#pragma once
// The file operations of the settings store, behind an interface so that the
// Windows shell can put its own (ReplaceFileW) in place and tests can inject faults.
#include "storage/TextCodec.h"

#include <cstdio>
#include <string>

class TFileSystem {
  public:
    virtual ~TFileSystem() = default;
    // An existing file (not a folder).
    virtual bool FileExists(const std::wstring& path) = 0;
    virtual bool FolderExists(const std::wstring& path) = 0;
    // The whole file; raises EStorageError when it cannot be opened or read.
    virtual TBytes ReadWholeFile(const std::wstring& path) = 0;
    // Replaces the file's content in one step: the bytes go to a temporary file
    // beside it, which then takes the file's place. Raises EStorageError on any
    // failure, and the old file is then left exactly as it was.
    virtual void WriteFileAtomically(const std::wstring& path, const TBytes& bytes) = 0;
};

// The file system in use: the installed one, else the portable default.
TFileSystem& FileSystem();
// Installs a file system (not owned; it must outlive its use). nullptr restores the default.
void SetFileSystem(TFileSystem* fileSystem);

// The folder part of a file path ("" when the path names no folder).
std::wstring FolderOfFile(const std::wstring& path);

// std::filesystem and C stdio. Writing: "<name>.tmp-<random>" beside the target,
// written, flushed to the disk, closed, renamed over the target.
class TPortableFileSystem : public TFileSystem {
  public:
    bool FileExists(const std::wstring& path) override;
    bool FolderExists(const std::wstring& path) override;
    TBytes ReadWholeFile(const std::wstring& path) override;
    void WriteFileAtomically(const std::wstring& path, const TBytes& bytes) override;

  protected:
    // The steps of WriteFileAtomically, separate so that tests can make one fail
    // (a full disk half-way through, a failing rename). Each raises EStorageError.
    virtual void WriteToTempFile(std::FILE* file, const TBytes& bytes,
                                 const std::wstring& tempPath);
    virtual void ReplaceTarget(const std::wstring& tempPath, const std::wstring& targetPath);
};
