#pragma once
// Shared by every test layer: a scratch folder that is removed with all it
// holds, and raw file bytes (UTF-16 settings files among them).
#include "storage/TextCodec.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& prefix = "dravik-test") {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 (prefix + "-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::wstring Path() const { return m_path.wstring(); }
    // A file name in the folder, as the program takes it.
    // (Joined as text: a path would convert the name through the C locale.)
    std::wstring File(const std::wstring& name) const {
        return m_path.wstring() + std::wstring(1, std::filesystem::path::preferred_separator) +
               name;
    }
    // Names in the folder.
    std::vector<std::wstring> Entries() const {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename().wstring());
        return names;
    }
    int EntryCount() const { return static_cast<int>(Entries().size()); }

  private:
    std::filesystem::path m_path;
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
