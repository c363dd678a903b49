#pragma once
// Real input and the real screen, as a user would see them.
#include "../common/Input.h"

#include <windows.h>

#include <string>
#include <vector>

// The colour of one screen pixel (0x00BBGGRR).
COLORREF ScreenPixel(int x, int y);

// The colours of a screen rectangle, row by row, read in one copy (one
// GetPixel per pixel is slow under Wine).
std::vector<COLORREF> ScreenArea(const RECT& area);

// The rows of pixels of a screen rectangle, read in one copy.
struct ScreenImage {
    RECT Area{};
    std::vector<COLORREF> Pixels;

    int Width() const { return Area.right - Area.left; }
    int Height() const { return Area.bottom - Area.top; }
    // A pixel by its place in the rectangle.
    COLORREF At(int x, int y) const {
        return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width()) +
                      static_cast<size_t>(x)];
    }
};
ScreenImage ScreenImageOf(const RECT& area);

// A window's client area on the screen.
RECT ClientOnScreen(HWND window);

// Saves the whole screen, every monitor, as a 24-bit BMP (for failed tests).
bool SaveScreenshot(const std::wstring& path);

// Saves a screenshot named after the running test when it has failed.
void KeepScreenshotIfFailed();

// The tray icons at the right end of Wine's taskbar (the bottom 20 pixels),
// found by their pictures: the ruler's main icon is yellow with black ticks,
// the colour picker's holds a blue square.
struct TrayIcon {
    POINT Centre;
    bool Picker;
};
std::vector<TrayIcon> TrayIcons();
