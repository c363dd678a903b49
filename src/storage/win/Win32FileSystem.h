#pragma once
// The settings store's file operations on Windows: wide paths throughout, and a
// save that never leaves a half-written file behind.
#include "storage/FileSystem.h"

#include <windows.h>

#include <string>

class TWin32FileSystem : public TFileSystem {
  public:
    bool FileExists(const std::wstring& path) override;
    bool FolderExists(const std::wstring& path) override;
    // Opened so that others may read but not write meanwhile.
    TBytes ReadWholeFile(const std::wstring& path) override;
    // The bytes go to a new temporary file beside the target (SaveTempPath), are
    // flushed to the disk, and that file then takes the target's place
    // (PutFileInPlace): ReplaceFileW with a backup when the target exists (which
    // keeps its attributes and security), MoveFileExW otherwise or when
    // ReplaceFileW refuses. After any failure the old file is in place, or both
    // copies are kept, and EStorageError is raised.
    void WriteFileAtomically(const std::wstring& path, const TBytes& bytes) override;
    std::vector<std::wstring> FileNamesIn(const std::wstring& folder) override;
    bool RemoveFile(const std::wstring& path) override;
    bool RenameFile(const std::wstring& fromPath, const std::wstring& toPath) override;

  protected:
    // The steps of a save, separate so that tests can make one fail. Each returns
    // false with the system's error code in GetLastError().
    virtual bool WriteTempFile(HANDLE file, const TBytes& bytes);
    // ReplaceFileW: the target becomes backupPath, the temporary file the target.
    virtual bool ReplaceExisting(const std::wstring& tempPath, const std::wstring& targetPath,
                                 const std::wstring& backupPath);
    // MoveFileExW over an existing file: the fall-back, and putting a backup back.
    virtual bool MoveIntoPlace(const std::wstring& fromPath, const std::wstring& toPath);

  private:
    class Steps;
};

// The system's message for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);
