#include "util/PathUtils.h"

#include "util/LocalText.h"
#include "util/StringUtils.h"

#include <climits>
#include <vector>

namespace {

// Index of the extension's dot, or npos when the name has none.
std::size_t ExtensionDot(const std::wstring& fileName) {
    const std::size_t dot = fileName.find_last_of(L".\\:");
    if (dot == std::wstring::npos || fileName[dot] != L'.') return std::wstring::npos;
    return dot;
}

bool IsSeparator(wchar_t ch) {
    return ch == L'\\' || ch == L'/';
}

// The length of "X:\" or "\\server\share\" at the start, 0 when there is none.
std::size_t RootLength(const std::wstring& path) {
    if (path.size() >= 3 && ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z') &&
        path[1] == L':' && IsSeparator(path[2]))
        return 3;
    if (path.size() < 5 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || IsSeparator(path[2]))
        return 0;
    const std::size_t serverEnd = path.find_first_of(L"\\/", 2);
    if (serverEnd == std::wstring::npos || serverEnd + 1 >= path.size() ||
        IsSeparator(path[serverEnd + 1]))
        return 0;
    const std::size_t shareEnd = path.find_first_of(L"\\/", serverEnd + 1);
    return shareEnd == std::wstring::npos ? path.size() : shareEnd + 1;
}

bool IsReservedDeviceName(const std::wstring& part) {
    const std::wstring stem = UpperCaseText(part.substr(0, part.find(L'.')));
    static const wchar_t* const names[] = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (const wchar_t* name : names)
        if (stem == name) return true;
    return stem.size() == 4 &&
           (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

// Why a path is refused: said of the path, so a message can name it first
// ("The folder X ... is too long.").
constexpr LocalText kForbiddenCharacters{L"enthält Zeichen, die in Ordnernamen nicht erlaubt sind",
                                         L"contains characters not allowed in folder names"};
constexpr LocalText kNameEndsInDotOrBlank{
    L"enthält einen Ordnernamen, der auf Punkt oder Leerzeichen endet",
    L"contains a folder name that ends in a dot or a space"};
constexpr LocalText kDeviceName{L"enthält einen Gerätenamen als Ordnernamen",
                                L"contains a device name as a folder name"};
constexpr LocalText kTooLong{L"ist zu lang", L"is too long"};
constexpr LocalText kDevicePath{L"ist ein Gerätepfad", L"is a device path"};
constexpr LocalText kNotFull{L"ist kein vollständiger Pfad", L"is not a full path"};
constexpr LocalText kAboveDrive{L"verweist über das Laufwerk hinaus", L"points above the drive"};

// Why Windows would refuse the name of a folder, or nothing.
const LocalText* ProblemOfName(const std::wstring& part) {
    for (wchar_t ch : part)
        if (ch < 0x20 || std::wstring_view(L"<>:\"|?*").find(ch) != std::wstring_view::npos)
            return &kForbiddenCharacters;
    if (part.back() == L'.' || part.back() == L' ') return &kNameEndsInDotOrBlank;
    if (IsReservedDeviceName(part)) return &kDeviceName;
    return nullptr;
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

TNormalisedPath NormaliseAbsolutePath(const std::wstring& path, std::size_t maxLength) {
    const auto refuse = [](const LocalText& problem) { return TNormalisedPath{{}, problem()}; };
    // Each part is at least one character and a separator, so a text this long
    // cannot shrink to an acceptable length; it is not looked at further.
    if (path.size() > 2 * maxLength + 64) return refuse(kTooLong);
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
        (path[2] == L'?' || path[2] == L'.') && IsSeparator(path[3]))
        return refuse(kDevicePath);
    const std::size_t root = RootLength(path);
    if (root == 0) return refuse(kNotFull);

    std::wstring result = path.substr(0, root);
    for (auto& ch : result)
        if (ch == L'/') ch = L'\\';
    if (result.back() != L'\\') result += L'\\'; // "\\server\share" without the last "\"
    // A share's server and name must be names too.
    if (root > 3) {
        const std::size_t serverEnd = result.find(L'\\', 2);
        for (const auto& part : {result.substr(2, serverEnd - 2),
                                 result.substr(serverEnd + 1, result.size() - serverEnd - 2)})
            if (const LocalText* problem = ProblemOfName(part)) return refuse(*problem);
    }
    const std::size_t rootSize = result.size();
    std::vector<std::size_t> partStarts;
    std::size_t start = root;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        const std::wstring part = path.substr(start, end - start);
        if (part == L"..") {
            if (partStarts.empty()) return refuse(kAboveDrive);
            result.resize(partStarts.back());
            partStarts.pop_back();
        } else if (!part.empty() && part != L".") {
            if (const LocalText* problem = ProblemOfName(part)) return refuse(*problem);
            if (result.size() != rootSize) result += L'\\';
            partStarts.push_back(result.size() == rootSize ? rootSize : result.size() - 1);
            result += part;
        }
        if (result.size() > maxLength) return refuse(kTooLong);
        start = end + 1;
    }
    // "\\server\share\" keeps its separator only as a drive root does.
    if (root > 3 && result.size() == rootSize) result.pop_back();
    if (result.size() > maxLength) return refuse(kTooLong);
    return {result, {}};
}

bool CreateFolderWithParents(const std::wstring& path,
                             const std::function<bool(const std::wstring&)>& folderExists,
                             const std::function<bool(const std::wstring&)>& createFolder) {
    std::wstring target = path;
    while (target.size() > 1 && IsSeparator(target.back()))
        target.pop_back();
    if (target.empty()) return false;
    // Roots ("C:\", "\\server\share\") exist or they don't: start below them.
    std::size_t pos = RootLength(target + L'\\');
    std::wstring prefix = target.substr(0, pos);
    bool creating = false;
    while (pos < target.size()) {
        std::size_t end = pos;
        while (end < target.size() && !IsSeparator(target[end]))
            ++end;
        prefix.append(target, pos, end - pos);
        // Once one level had to be created, the ones below it cannot exist yet.
        if (end > pos && (creating || !folderExists(prefix))) {
            creating = true;
            if (!createFolder(prefix) && !folderExists(prefix)) return false;
        }
        if (end < target.size()) prefix += target[end];
        pos = end + 1;
    }
    return folderExists(target);
}
