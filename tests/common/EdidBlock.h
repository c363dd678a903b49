#pragma once
// A monitor's EDID base block as a monitor sends it, built from the few
// fields the tests care about, with a valid checksum; portable, for the core
// tests and for the end-to-end tests that plant one in Wine's registry.
#include <cstdint>
#include <string>
#include <vector>

struct EdidFields {
    std::string Manufacturer = "DRV"; // three capital letters
    std::uint16_t Product = 0x2201;
    std::uint32_t Serial = 1234567;
    std::string Name = "Dravik Test"; // up to 13 characters; empty: no name descriptor
    int NativeWidth = 1920;           // pixels of the first detailed timing
    int NativeHeight = 1080;
    int WidthMM = 527; // image size in the detailed timing
    int HeightMM = 296;
    int WidthCM = 53; // bytes 21 and 22
    int HeightCM = 30;
};

inline std::vector<std::uint8_t> EdidBlock(const EdidFields& f = {}) {
    std::vector<std::uint8_t> e(128, 0);
    const std::uint8_t header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::copy(std::begin(header), std::end(header), e.begin());
    auto letter = [&](int i) {
        return f.Manufacturer.size() > size_t(i) ? f.Manufacturer[i] - 'A' + 1 : 0;
    };
    const int packed = (letter(0) << 10) | (letter(1) << 5) | letter(2);
    e[8] = static_cast<std::uint8_t>(packed >> 8);
    e[9] = static_cast<std::uint8_t>(packed);
    e[10] = static_cast<std::uint8_t>(f.Product);
    e[11] = static_cast<std::uint8_t>(f.Product >> 8);
    for (int i = 0; i < 4; ++i)
        e[12 + i] = static_cast<std::uint8_t>(f.Serial >> (8 * i));
    e[18] = 1; // EDID 1.4
    e[19] = 4;
    e[21] = static_cast<std::uint8_t>(f.WidthCM);
    e[22] = static_cast<std::uint8_t>(f.HeightCM);
    // First detailed timing: a pixel clock, the active pixels and the image size.
    std::uint8_t* d = &e[54];
    d[0] = 0x02;
    d[1] = 0x3A;
    d[2] = static_cast<std::uint8_t>(f.NativeWidth);
    d[4] = static_cast<std::uint8_t>((f.NativeWidth >> 8) << 4);
    d[5] = static_cast<std::uint8_t>(f.NativeHeight);
    d[7] = static_cast<std::uint8_t>((f.NativeHeight >> 8) << 4);
    d[12] = static_cast<std::uint8_t>(f.WidthMM);
    d[13] = static_cast<std::uint8_t>(f.HeightMM);
    d[14] = static_cast<std::uint8_t>(((f.WidthMM >> 8) << 4) | ((f.HeightMM >> 8) & 0x0F));
    // Second descriptor: the monitor's name, ended by a line feed, padded with blanks.
    if (!f.Name.empty()) {
        std::uint8_t* n = &e[72];
        n[3] = 0xFC;
        for (int i = 0; i < 13; ++i) {
            const size_t at = static_cast<size_t>(i);
            n[5 + i] = at < f.Name.size()    ? static_cast<std::uint8_t>(f.Name[at])
                       : at == f.Name.size() ? 0x0A
                                             : 0x20;
        }
    } else {
        e[75] = 0x10; // a dummy descriptor
    }
    e[90 + 3] = 0x10;
    e[108 + 3] = 0x10;
    int sum = 0;
    for (int i = 0; i < 127; ++i)
        sum += e[static_cast<size_t>(i)];
    e[127] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
    return e;
}
