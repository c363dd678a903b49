#include "ruler/win/ScreenLine.h"

#include "util/win/Handles.h"

#include <windows.h>

#include <cstring>

std::vector<std::uint32_t> CopyScreenLine(const Rect& line) {
    const int width = line.Width(), height = line.Height();
    if (width <= 0 || height <= 0) return {};
    // A 32-bit top-down DIB: its rows are whole words, so a column of one
    // pixel lies in memory as one run too.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    WindowDC screen(nullptr);
    UniqueHBitmap bitmap(
        ::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueHdc memory(::CreateCompatibleDC(screen.Get()));
    if (!screen.Get() || !bitmap || !memory || !bits) return {};
    {
        SelectGuard select(memory.Get(), bitmap.Get());
        if (!::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), line.Left, line.Top,
                      SRCCOPY))
            return {};
    }
    ::GdiFlush();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                      static_cast<std::size_t>(height));
    std::memcpy(pixels.data(), bits, pixels.size() * sizeof(std::uint32_t));
    return pixels;
}
