#pragma once
// Shared by the settings-store tests: a scratch folder and raw file access.
#include "storage/TextCodec.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempFolder {
  public:
    TempFolder() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("dravik-ini-" + std::to_string(stamp) + "-" + std::to_string(counter_++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // A file name in the folder, as the store takes it.
    std::wstring File(const std::wstring& name) const {
        return path_.wstring() + std::wstring(1, std::filesystem::path::preferred_separator) + name;
    }
    std::size_t EntryCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                      std::filesystem::directory_iterator()));
    }

  private:
    std::filesystem::path path_;
    static inline int counter_ = 0;
};

inline TBytes ReadBytes(const std::wstring& file) {
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::wstring& file, const TBytes& bytes) {
    std::ofstream out(std::filesystem::path(file), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline TBytes AsciiBytes(const std::string& text) {
    return TBytes(text.begin(), text.end());
}

// FF FE and the text as UTF-16 LE: the bytes a sifUnicode store writes.
inline TBytes Utf16File(const std::wstring& text) {
    TBytes bytes{0xFF, 0xFE};
    const TBytes body = EncodeUtf16LE(text);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}
