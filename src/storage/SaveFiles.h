#pragma once
// The files a save leaves beside its target for a moment: the temporary file
// with the new content and, while the target is replaced, a backup of the old
// one. Their names are as short as "Settings.ini" ("~" + 5 hex digits of the
// target's name + 2 of a sequence number, ".tmp" or ".bak"), so that a target
// near MAX_PATH can still be saved, and tell whose they are, so that a crashed save can be cleaned
// up without touching anybody else's files.
#include "storage/FileSystem.h"

#include <string>
#include <vector>

// The temporary file for a save of targetPath, in the same folder.
std::wstring SaveTempPath(const std::wstring& targetPath, unsigned sequence);
// The backup that goes with a temporary file.
std::wstring SaveBackupPath(const std::wstring& tempPath);

// The steps that put a finished temporary file in its target's place. Each
// returns false on failure, with LastErrorText() saying why.
class TReplaceSteps {
  public:
    virtual ~TReplaceSteps() = default;
    virtual bool Exists(const std::wstring& path) = 0;
    // In one call: the target becomes the backup, the temporary file the target
    // (ReplaceFileW). It may stop half-way and leave any of the three names.
    virtual bool ReplaceWithBackup(const std::wstring& tempPath, const std::wstring& targetPath,
                                   const std::wstring& backupPath) = 0;
    // Renames, replacing a file at toPath.
    virtual bool Move(const std::wstring& fromPath, const std::wstring& toPath) = 0;
    virtual bool Remove(const std::wstring& path) = 0;
    virtual std::wstring LastErrorText() = 0;
};

// Puts the temporary file in the target's place: through ReplaceWithBackup when
// the target exists, else (or when that fails) by moving it there. After a
// failure the old file is put back from the backup when it went missing, and
// EStorageError is raised. A temporary file or backup is removed only while the
// target exists; when neither the new nor the old file could be put in place,
// both stay and the message names them.
void PutFileInPlace(TReplaceSteps& steps, const std::wstring& tempPath,
                    const std::wstring& targetPath, const std::wstring& backupPath);

struct TSaveCleanup {
    std::vector<std::wstring> Removed; // full paths
    std::wstring RestoredFrom;         // the file that became the settings file, if any
};

// Clears what crashed saves of settingsFile left beside it: temporary files
// ("<file>.tmp-<pid>-<n>", "<file>.tmp-<hex>" of earlier versions, and ours)
// and backups. A save that crashed while replacing a settings file can leave it
// missing: then the new file of that save (or else its backup) takes its place.
// Otherwise, while the settings file is missing nothing is removed, since a
// temporary file may be the only copy. Files of other names are never touched;
// files in use stay as they are.
TSaveCleanup RemoveStaleSaveFiles(TFileSystem& fileSystem, const std::wstring& settingsFile);
