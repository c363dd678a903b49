#include "storage/SaveFiles.h"

#include "storage/StorageError.h"
#include "storage/StorageTexts.h"
#include "util/StringUtils.h"

#include <cstdint>

namespace {

const wchar_t* const TempExtension = L".TMP";
const wchar_t* const BackupExtension = L".BAK";

std::wstring Hex(std::uint32_t value, int digits) {
    static const wchar_t* const hex = L"0123456789abcdef";
    std::wstring text(static_cast<std::size_t>(digits), L'0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = hex[value & 0xF];
    return text;
}

bool IsHexText(const std::wstring& text, bool allowDash) {
    if (text.empty()) return false;
    for (wchar_t ch : text) {
        const bool hex =
            (ch >= L'0' && ch <= L'9') || (ch >= L'A' && ch <= L'F') || (ch >= L'a' && ch <= L'f');
        if (!hex && !(allowDash && ch == L'-')) return false;
    }
    return true;
}

// Five hex digits of the target's name, ignoring case as Windows file names do.
std::wstring NameMark(const std::wstring& targetPath) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (wchar_t ch : UpperCaseText(NameOfFile(targetPath))) {
        hash ^= static_cast<std::uint32_t>(ch);
        hash *= 16777619u;
    }
    return Hex(hash & 0xFFFFF, 5);
}

// "~" + mark + 2 hex digits + extension, ignoring case.
bool IsOurShortName(const std::wstring& name, const std::wstring& mark, const wchar_t* extension) {
    const std::wstring upper = UpperCaseText(name);
    return upper.size() == 12 && upper[0] == L'~' &&
           upper.compare(1, 5, UpperCaseText(mark)) == 0 && IsHexText(upper.substr(6, 2), false) &&
           upper.compare(8, 4, extension) == 0;
}

// "<file>.tmp-" + hex digits and dashes: the names of earlier versions.
bool IsEarlierTempName(const std::wstring& name, const std::wstring& targetName) {
    const std::wstring prefix = UpperCaseText(targetName) + L".TMP-";
    const std::wstring upper = UpperCaseText(name);
    return upper.size() > prefix.size() && upper.compare(0, prefix.size(), prefix) == 0 &&
           IsHexText(upper.substr(prefix.size()), true);
}

} // namespace

std::wstring SaveTempPath(const std::wstring& targetPath, unsigned sequence) {
    return BesideFile(targetPath, L"~" + NameMark(targetPath) + Hex(sequence & 0xFF, 2) + L".tmp");
}

std::wstring SaveBackupPath(const std::wstring& tempPath) {
    std::wstring path = tempPath;
    if (path.size() >= 4) path.replace(path.size() - 4, 4, L".bak");
    return path;
}

void PutFileInPlace(TReplaceSteps& steps, const std::wstring& tempPath,
                    const std::wstring& targetPath, const std::wstring& backupPath) {
    std::wstring cause;
    if (steps.Exists(targetPath)) {
        if (steps.ReplaceWithBackup(tempPath, targetPath, backupPath)) {
            steps.Remove(backupPath);
            return;
        }
        cause = steps.LastErrorText();
    }
    // ReplaceFileW refuses on some file systems and network shares, and when it
    // stops half-way the new file is still under its temporary name: a plain
    // move may still get it into place.
    if (steps.Exists(tempPath)) {
        if (steps.Move(tempPath, targetPath)) {
            if (steps.Exists(backupPath)) steps.Remove(backupPath);
            return;
        }
        if (cause.empty()) cause = steps.LastErrorText();
    }
    // The new file cannot take the target's place: the old one must be there.
    if (!steps.Exists(targetPath) && steps.Exists(backupPath)) steps.Move(backupPath, targetPath);

    std::wstring message = FormatText(StorageText::CannotReplace, {Quoted(targetPath)});
    if (!cause.empty()) message += L"\r\n" + cause;
    if (steps.Exists(targetPath)) {
        steps.Remove(tempPath);
        if (steps.Exists(backupPath)) steps.Remove(backupPath);
    } else {
        // Neither copy could be put in place: keep both, and say where they are.
        if (steps.Exists(backupPath))
            message += L"\r\n" + FormatText(StorageText::OldFileAt, {Quoted(backupPath)});
        if (steps.Exists(tempPath))
            message += L"\r\n" + FormatText(StorageText::NewFileAt, {Quoted(tempPath)});
    }
    throw EStorageError(message);
}

TSaveCleanup RemoveStaleSaveFiles(TFileSystem& fileSystem, const std::wstring& settingsFile) {
    TSaveCleanup result;
    const std::wstring targetName = NameOfFile(settingsFile);
    if (targetName.empty()) return result;
    const std::wstring mark = NameMark(settingsFile);
    const std::vector<std::wstring> names = fileSystem.FileNamesIn(FolderOfFile(settingsFile));

    if (!fileSystem.FileExists(settingsFile)) {
        // A backup exists only while a finished temporary file replaces the
        // target, so a crash then leaves the new file complete beside it.
        for (const auto& name : names) {
            if (!IsOurShortName(name, mark, BackupExtension)) continue;
            const std::wstring backup = BesideFile(settingsFile, name);
            const std::wstring temp = backup.substr(0, backup.size() - 4) + L".tmp";
            for (const auto& candidate : {temp, backup}) {
                if (fileSystem.FileExists(candidate) &&
                    fileSystem.RenameFile(candidate, settingsFile)) {
                    result.RestoredFrom = candidate;
                    break;
                }
            }
            if (!result.RestoredFrom.empty()) break;
        }
        // Without a backup a temporary file may be half-written or the only copy.
        if (result.RestoredFrom.empty()) return result;
    }
    for (const auto& name : names) {
        if (!IsOurShortName(name, mark, TempExtension) &&
            !IsOurShortName(name, mark, BackupExtension) && !IsEarlierTempName(name, targetName))
            continue;
        const std::wstring path = BesideFile(settingsFile, name);
        if (path != result.RestoredFrom && fileSystem.RemoveFile(path))
            result.Removed.push_back(path);
    }
    return result;
}
