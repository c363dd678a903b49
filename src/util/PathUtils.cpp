#include "util/PathUtils.h"

#include "util/StringUtils.h"

#include <climits>

namespace {

// Index of the extension's dot, or npos when the name has none.
std::size_t ExtensionDot(const std::wstring& fileName) {
    const std::size_t dot = fileName.find_last_of(L".\\:");
    if (dot == std::wstring::npos || fileName[dot] != L'.') return std::wstring::npos;
    return dot;
}

} // namespace

std::wstring ConcatPathEx(const std::wstring& text1, const std::wstring& text2, wchar_t separator) {
    if (text1.empty() || text2.empty()) return text1 + text2;
    std::wstring tail = text2;
    if (tail.front() == separator)
        tail.erase(0, 1);
    else if (tail.size() >= 2 && tail[0] == L'.' && tail[1] == separator)
        tail.erase(0, 2);
    return MustEndsWith(separator, text1) + tail;
}

std::wstring ConcatPath(const std::wstring& text1, const std::wstring& text2) {
    return ConcatPathEx(text1, text2, L'\\');
}

std::wstring ConcatPath(const std::wstring& text1, const std::wstring& text2,
                        const std::wstring& text3) {
    return ConcatPath(text1, ConcatPath(text2, text3));
}

std::wstring ExtractFileExtMV(const std::wstring& fileName) {
    const std::size_t dot = ExtensionDot(fileName);
    return dot == std::wstring::npos ? std::wstring() : fileName.substr(dot);
}

std::wstring DeleteFileExt(const std::wstring& fileName) {
    return fileName.substr(0, ExtensionDot(fileName));
}

std::wstring ChangeFileExtMV(const std::wstring& fileName, const std::wstring& extension) {
    if (fileName.empty()) return {};
    std::wstring result = DeleteFileExt(fileName);
    if (!result.empty() && result.back() == L':') result += L'\\';
    if (extension.empty() || extension.front() != L'.') result += L'.';
    return result + extension;
}

bool SameDir(const std::wstring& folder1, const std::wstring& folder2) {
    return SameTextIgnoreCase(MustEndsWith(L'\\', folder1), MustEndsWith(L'\\', folder2));
}

std::wstring UniqueFileName(const std::wstring& fileName, const std::wstring& separator,
                            int startNumber, bool force,
                            const std::function<bool(const std::wstring&)>& fileExists) {
    if (!force && !fileExists(fileName)) return fileName;
    const std::wstring stem = DeleteFileExt(fileName) + separator;
    const std::wstring extension = ExtractFileExtMV(fileName);
    std::wstring candidate;
    // Stops at the largest number so that a folder that answers "exists" for
    // everything cannot hang the caller.
    for (long long number = startNumber; number <= INT_MAX; ++number) {
        candidate = stem + std::to_wstring(number) + extension;
        if (!fileExists(candidate)) break;
    }
    return candidate;
}
