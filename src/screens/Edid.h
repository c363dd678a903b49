#pragma once
// What a monitor says about itself in its EDID base block: who made it,
// its name, and how large its picture is. Everything is read defensively:
// the bytes come from a cable, a driver and the registry.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct EdidInfo {
    std::string Manufacturer; // three capital letters, "" when not letters
    std::uint16_t Product = 0;
    std::uint32_t Serial = 0;
    std::string Name; // the monitor name descriptor, "" when there is none
    // The first detailed timing's active pixels: the panel's native mode.
    int NativeWidth = 0;
    int NativeHeight = 0;
    // The picture's size: from the first detailed timing (millimetres), else
    // from the basic parameters (whole centimetres); 0 where unknown.
    int WidthMM = 0;
    int HeightMM = 0;
};

// Null for anything but a 128-byte (or longer) block with the fixed header
// and a checksum that adds up.
std::optional<EdidInfo> ParseEdid(std::span<const std::uint8_t> bytes);

struct PhysicalSize {
    double WidthMM = 0;
    double HeightMM = 0;
    friend bool operator==(const PhysicalSize&, const PhysicalSize&) = default;
};

// The picture's size when it is believable for a monitor showing that many
// pixels natively (the block's own native mode wins when it has one): both
// sides given, 1.5 to 30 pixels per millimetre, and the sides' ratio within
// 10 % of the pixels'. Projectors say 0, some TVs give only an aspect ratio
// (16 x 9 "cm"), some drivers make sizes up: null then.
std::optional<PhysicalSize> PlausibleSize(const EdidInfo& edid, int pixelsWide, int pixelsHigh);

// A monitor's stable name for stored settings: manufacturer, product code
// and serial ("DEL-A0B1-12345678"), or the fallback (the device id) when the
// block does not name them.
std::wstring MonitorIdOf(const std::optional<EdidInfo>& edid, const std::wstring& fallback);
