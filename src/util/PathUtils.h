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
