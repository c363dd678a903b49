#include "screens/Edid.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr std::uint8_t kHeader[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kBlockSize = 128;
constexpr std::size_t kDescriptors = 54;
constexpr std::size_t kDescriptorSize = 18;

std::string ManufacturerOf(std::uint8_t high, std::uint8_t low) {
    const int packed = (high << 8) | low;
    std::string letters;
    for (int shift : {10, 5, 0}) {
        const int letter = (packed >> shift) & 0x1F;
        if (letter < 1 || letter > 26) return {};
        letters += static_cast<char>('A' + letter - 1);
    }
    return letters;
}

// A display descriptor's text: up to 13 printable characters, ended by a
// line feed, trailing blanks dropped.
std::string DescriptorText(const std::uint8_t* d) {
    std::string text;
    for (int i = 5; i < 18 && d[i] != 0x0A; ++i)
        text += d[i] >= 0x20 && d[i] < 0x7F ? static_cast<char>(d[i]) : '?';
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

std::optional<EdidInfo> ParseEdid(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kBlockSize) return std::nullopt;
    for (std::size_t i = 0; i < sizeof(kHeader); ++i)
        if (bytes[i] != kHeader[i]) return std::nullopt;
    unsigned sum = 0;
    for (std::size_t i = 0; i < kBlockSize; ++i)
        sum += bytes[i];
    if (sum % 256 != 0) return std::nullopt;

    EdidInfo info;
    info.Manufacturer = ManufacturerOf(bytes[8], bytes[9]);
    info.Product = static_cast<std::uint16_t>(bytes[10] | (bytes[11] << 8));
    info.Serial = static_cast<std::uint32_t>(bytes[12] | (bytes[13] << 8) | (bytes[14] << 16) |
                                             (static_cast<std::uint32_t>(bytes[15]) << 24));
    bool timingSeen = false;
    for (std::size_t at = kDescriptors; at + kDescriptorSize <= kBlockSize; at += kDescriptorSize) {
        const std::uint8_t* d = &bytes[at];
        if (d[0] != 0 || d[1] != 0) { // a detailed timing: only the first counts
            if (timingSeen) continue;
            timingSeen = true;
            info.NativeWidth = d[2] | ((d[4] & 0xF0) << 4);
            info.NativeHeight = d[5] | ((d[7] & 0xF0) << 4);
            info.WidthMM = d[12] | ((d[14] & 0xF0) << 4);
            info.HeightMM = d[13] | ((d[14] & 0x0F) << 8);
        } else if (d[3] == 0xFC && info.Name.empty()) {
            info.Name = DescriptorText(d);
        }
    }
    if (info.WidthMM == 0 || info.HeightMM == 0) {
        info.WidthMM = bytes[21] * 10;
        info.HeightMM = bytes[22] * 10;
    }
    return info;
}

std::optional<PhysicalSize> PlausibleSize(const EdidInfo& edid, int pixelsWide, int pixelsHigh) {
    // Only one side given is the encoding of an aspect ratio, not a size.
    if (edid.WidthMM <= 0 || edid.HeightMM <= 0) return std::nullopt;
    const bool native = edid.NativeWidth > 0 && edid.NativeHeight > 0;
    const double wide = native ? edid.NativeWidth : pixelsWide;
    const double high = native ? edid.NativeHeight : pixelsHigh;
    if (wide <= 0 || high <= 0) return std::nullopt;
    for (double perMM : {wide / edid.WidthMM, high / edid.HeightMM})
        if (perMM < 1.5 || perMM > 30) return std::nullopt;
    const double sizeAspect = static_cast<double>(edid.WidthMM) / edid.HeightMM;
    const double pixelAspect = wide / high;
    if (std::abs(sizeAspect / pixelAspect - 1) > 0.10) return std::nullopt;
    return PhysicalSize{static_cast<double>(edid.WidthMM), static_cast<double>(edid.HeightMM)};
}

std::wstring MonitorIdOf(const std::optional<EdidInfo>& edid, const std::wstring& fallback) {
    if (!edid || edid->Manufacturer.empty() || (edid->Product == 0 && edid->Serial == 0)) {
        // The id is a key of the settings file: no character that ends a key
        // or starts a section.
        std::wstring key = fallback;
        for (wchar_t& c : key)
            if (c == L'=' || c == L'[' || c == L']' || c == L';' || c < L' ') c = L'_';
        return key;
    }
    char id[32];
    std::snprintf(id, sizeof(id), "%s-%04X-%08X", edid->Manufacturer.c_str(),
                  static_cast<unsigned>(edid->Product), static_cast<unsigned>(edid->Serial));
    return std::wstring(id, id + std::char_traits<char>::length(id));
}
