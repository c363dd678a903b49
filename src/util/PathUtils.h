#pragma once
// File-name and folder routines; "\" separates folders, ":" ends a drive.
#include <functional>
#include <string>

// Joins two parts with exactly one separator; a leading separator or "." +
// separator of text2 is dropped. An empty part gives plain concatenation.
std::wstring ConcatPathEx(const std::wstring& text1, const std::wstring& text2, wchar_t separator);
std::wstring ConcatPath(const std::wstring& text1, const std::wstring& text2);
std::wstring ConcatPath(const std::wstring& text1, const std::wstring& text2,
                        const std::wstring& text3);

// The extension, dot included, or empty: from the last "." behind the last "\" or ":".
std::wstring ExtractFileExtMV(const std::wstring& fileName);

// Replaces the extension; extension gets a leading "." when it lacks one, and a
// bare drive ("C:") gets "\" before it.
std::wstring ChangeFileExtMV(const std::wstring& fileName, const std::wstring& extension);
std::wstring DeleteFileExt(const std::wstring& fileName);

// Same folder, ignoring case and a trailing "\".
bool SameDir(const std::wstring& folder1, const std::wstring& folder2);

// When the file exists or force is set: name + separator + number + extension for
// the first number from startNumber on that names no existing file.
std::wstring UniqueFileName(const std::wstring& fileName, const std::wstring& separator,
                            int startNumber, bool force,
                            const std::function<bool(const std::wstring&)>& fileExists);

// An absolute Windows folder path in its plain form: "X:\..." or
// "\\server\share\...", "/" taken as "\", empty, "." and ".." parts resolved,
// no trailing "\" (a drive root keeps its own). Refused, with a German reason
// such as "ist kein vollständiger Pfad": relative and device paths ("\\?\"),
// ".." above the root, characters or names Windows does not allow in a folder
// name (<>:"|?*, control characters, "CON", a trailing dot or blank), and
// results longer than maxLength.
struct TNormalisedPath {
    std::wstring Path;    // empty when refused
    std::wstring Problem; // empty when accepted
};
TNormalisedPath NormaliseAbsolutePath(const std::wstring& path, std::size_t maxLength);

// Creates the folder and its missing parents, one level at a time from the
// root down (no recursion, so any depth is safe). True when it exists afterwards.
bool CreateFolderWithParents(const std::wstring& path,
                             const std::function<bool(const std::wstring&)>& folderExists,
                             const std::function<bool(const std::wstring&)>& createFolder);
