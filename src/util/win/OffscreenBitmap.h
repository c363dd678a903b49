#pragma once
// A 24-bit off-screen bitmap with its own memory DC.
#include "util/win/Handles.h"

#include <optional>

class OffscreenBitmap {
  public:
    OffscreenBitmap();
    OffscreenBitmap(const OffscreenBitmap&) = delete;
    OffscreenBitmap& operator=(const OffscreenBitmap&) = delete;

    // Keeps the content when the size is unchanged.
    void SetSize(int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    HDC Dc() const { return m_dc.Get(); }
    // Pixels of the DIB section, bottom-up rows padded to 4 bytes.
    const unsigned char* Bits() const { return m_bits; }

  private:
    // Destroyed in reverse: the selection is undone before bitmap and DC go.
    UniqueHdc m_dc;
    UniqueHBitmap m_bitmap;
    std::optional<SelectGuard> m_selection;
    unsigned char* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};
