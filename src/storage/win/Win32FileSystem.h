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
    // The bytes go to "<name>.tmp-<n>" beside the target, are flushed to the disk,
    // and that file then takes the target's place: ReplaceFileW when the target
    // exists (which keeps its attributes and security), MoveFileExW otherwise or
    // when ReplaceFileW refuses. Any failure removes the temporary file, leaves
    // the target as it was and raises EStorageError.
    void WriteFileAtomically(const std::wstring& path, const TBytes& bytes) override;

  protected:
    // The steps of a save, separate so that tests can make one fail. Each returns
    // false with the system's error code in GetLastError().
    virtual bool WriteTempFile(HANDLE file, const TBytes& bytes);
    virtual bool ReplaceExisting(const std::wstring& tempPath, const std::wstring& targetPath);
    virtual bool MoveIntoPlace(const std::wstring& tempPath, const std::wstring& targetPath);
};

// The system's message for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);
