#pragma once
// Shared by the fuzz targets: the input read as values, a failed property that
// libFuzzer reports as a crash, and an in-memory file system.
#include "storage/FileSystem.h"
#include "storage/StorageError.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

inline void Check(bool condition) {
    if (!condition) std::abort();
}

// Any UTF-16 code units, NUL and lone surrogates among them.
inline std::wstring TakeText(FuzzedDataProvider& in, std::size_t maxLength) {
    std::wstring text;
    const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(0, maxLength);
    while (text.size() < length && in.remaining_bytes() > 0)
        text += static_cast<wchar_t>(in.ConsumeIntegral<std::uint16_t>());
    return text;
}

// Mostly characters of the given alphabet, so that names and paths meet each
// other and the parsers' special characters come up often; now and then any.
inline std::wstring TakeWord(FuzzedDataProvider& in, std::size_t maxLength,
                             const std::wstring& alphabet) {
    std::wstring text;
    const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(0, maxLength);
    while (text.size() < length && in.remaining_bytes() > 0) {
        const std::uint8_t pick = in.ConsumeIntegral<std::uint8_t>();
        if (pick < 240)
            text += alphabet[pick % alphabet.size()];
        else
            text += static_cast<wchar_t>(in.ConsumeIntegral<std::uint16_t>());
    }
    return text;
}

// Text that UTF-8 and UTF-16 files can hold as it is: no lone surrogates.
inline std::wstring WithoutSurrogates(std::wstring text) {
    for (auto& ch : text)
        if (static_cast<std::uint32_t>(ch) >= 0xD800 && static_cast<std::uint32_t>(ch) <= 0xDFFF)
            ch = L'x';
    return text;
}

// Files by exact name; a folder exists when a file is below it or it was made.
class MemoryFileSystem : public TFileSystem {
  public:
    std::map<std::wstring, TBytes> Files;
    bool FailWrites = false;

    bool FileExists(const std::wstring& path) override { return Files.count(path) > 0; }
    bool FolderExists(const std::wstring&) override { return true; }
    TBytes ReadWholeFile(const std::wstring& path) override {
        const auto it = Files.find(path);
        if (it == Files.end()) throw EStorageError(L"fehlt");
        if (it->second.size() > MaxSettingsFileBytes) throw EStorageError(TooLargeMessage(path));
        return it->second;
    }
    void WriteFileAtomically(const std::wstring& path, const TBytes& bytes) override {
        if (FailWrites) throw EStorageError(L"voll");
        Files[path] = bytes;
    }
    std::vector<std::wstring> FileNamesIn(const std::wstring& folder) override {
        std::vector<std::wstring> names;
        for (const auto& [path, bytes] : Files)
            if (FolderOfFile(path) == folder) names.push_back(NameOfFile(path));
        return names;
    }
    bool RemoveFile(const std::wstring& path) override { return Files.erase(path) > 0; }
    bool RenameFile(const std::wstring& from, const std::wstring& to) override {
        if (Files.count(to) || !Files.count(from)) return false;
        Files[to] = std::move(Files[from]);
        Files.erase(from);
        return true;
    }
};

// Installs a file system for one input.
class InstalledFileSystem {
  public:
    explicit InstalledFileSystem(TFileSystem& fs) { SetFileSystem(&fs); }
    ~InstalledFileSystem() { SetFileSystem(nullptr); }
    InstalledFileSystem(const InstalledFileSystem&) = delete;
    InstalledFileSystem& operator=(const InstalledFileSystem&) = delete;
};
