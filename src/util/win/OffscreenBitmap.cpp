#include "util/win/OffscreenBitmap.h"

OffscreenBitmap::OffscreenBitmap() : m_dc(::CreateCompatibleDC(nullptr)) {}

void OffscreenBitmap::SetSize(int width, int height) {
    width = width > 0 ? width : 0;
    height = height > 0 ? height : 0;
    if (width == m_width && height == m_height && (m_bitmap || width == 0 || height == 0)) return;
    m_selection.reset();
    m_bitmap.Reset();
    m_bits = nullptr;
    m_width = width;
    m_height = height;
    if (width == 0 || height == 0) return;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.Reset(::CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_bitmap) return;
    m_bits = static_cast<unsigned char*>(bits);
    m_selection.emplace(m_dc.Get(), m_bitmap.Get());
}
