#include "Screen.h"

#include "DravikProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

COLORREF ScreenPixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

std::vector<COLORREF> ScreenArea(const RECT& area) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}; // top-down
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
    ::SelectObject(mem, old);
    std::vector<COLORREF> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    const auto* bgra = static_cast<const BYTE*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

ScreenImage ScreenImageOf(const RECT& area) {
    return {area, ScreenArea(area)};
}

RECT ClientOnScreen(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

bool SaveScreenshot(const std::wstring& path) {
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int w = ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
              h = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, x, y, SRCCOPY);
    ::SelectObject(mem, old);
    const DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u);
    const DWORD size = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER file{
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0,
        0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    bool ok = false;
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ok = ::WriteFile(f, &file, sizeof(file), &written, nullptr) &&
             ::WriteFile(f, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr) &&
             ::WriteFile(f, bits, size, &written, nullptr);
        ::CloseHandle(f);
    }
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

void KeepScreenshotIfFailed() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info || !info->result()->Failed()) return;
    std::wstring name;
    for (const char* p = info->test_suite_name(); *p; ++p)
        name += static_cast<wchar_t>(*p);
    name += L'.';
    for (const char* p = info->name(); *p; ++p)
        name += static_cast<wchar_t>(*p);
    const std::wstring dir = TestProgramDir() + L"e2e-failures\\";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    SaveScreenshot(dir + name + L".bmp");
}

std::vector<TrayIcon> TrayIcons() {
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    const RECT strip{sw - 200, sh - 20, sw, sh};
    const int w = strip.right - strip.left, h = strip.bottom - strip.top;
    const std::vector<COLORREF> pixels = ScreenArea(strip);
    auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y * w + x)]; };
    // Icon pixels are coloured or dark; the taskbar is light grey.
    auto iconPixel = [](COLORREF c) {
        const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
        return hi - lo > 60 || hi < 80;
    };
    std::vector<TrayIcon> icons;
    for (int x = 0; x < w;) {
        auto column = [&](int cx) {
            for (int y = 0; y < h; ++y)
                if (iconPixel(at(cx, y))) return true;
            return false;
        };
        if (!column(x)) {
            ++x;
            continue;
        }
        const int first = x;
        bool blue = false;
        int top = h, bottom = 0;
        for (; x < w && column(x); ++x)
            for (int y = 0; y < h; ++y) {
                const COLORREF c = at(x, y);
                if (!iconPixel(c)) continue;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                blue = blue || (GetBValue(c) > 150 && GetRValue(c) < 100);
            }
        icons.push_back({{strip.left + (first + x - 1) / 2, strip.top + (top + bottom) / 2}, blue});
    }
    return icons;
}
