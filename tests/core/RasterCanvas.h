#pragma once
// Test canvas: rasterises fills and lines into a pixel array the size of the
// target and records every text call. Text is measured with a fixed metric.
#include "util/Canvas.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

class RasterCanvas : public Canvas {
  public:
    struct TextCall {
        int X;
        int Y;
        std::wstring Text;
        TColor Color;
        bool Bold;
    };

    static constexpr int CharWidth = 6;
    static constexpr int BoldCharWidth = 7;
    static constexpr int TextHeight = 13;
    static constexpr TColor Unpainted = static_cast<TColor>(0x7F123456);

    RasterCanvas(int width, int height)
        : Width(width), Height(height),
          Pixels(static_cast<std::size_t>(std::max(width, 0) * std::max(height, 0)), Unpainted) {}

    void FillRect(const Rect& rect, TColor color) override {
        ++FillCount;
        for (int y = rect.Top; y < rect.Bottom; ++y)
            for (int x = rect.Left; x < rect.Right; ++x)
                Plot(x, y, color);
    }

    void MoveTo(Point point) override { Pen = point; }

    // Bresenham from the pen position, without the end point, like GDI.
    void LineTo(Point to, TColor color) override {
        ++LineCount;
        int x = Pen.X, y = Pen.Y;
        const int dx = std::abs(to.X - x), dy = -std::abs(to.Y - y);
        const int sx = x < to.X ? 1 : -1, sy = y < to.Y ? 1 : -1;
        int err = dx + dy;
        while (x != to.X || y != to.Y) {
            Plot(x, y, color);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
        Pen = to;
    }

    Size TextExtent(const std::wstring& text, bool bold) const override {
        return {static_cast<int>(text.size()) * (bold ? BoldCharWidth : CharWidth), TextHeight};
    }

    void TextAt(int x, int y, const std::wstring& text, TColor color, bool bold) override {
        Texts.push_back({x, y, text, color, bold});
    }

    TColor At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }

    // Length of the run of colour starting at (x, y) going down (dy 1) or right.
    int RunDown(int x, int y, TColor color) const {
        int n = 0;
        while (y + n < Height && At(x, y + n) == color)
            ++n;
        return n;
    }
    int RunRight(int x, int y, TColor color) const {
        int n = 0;
        while (x + n < Width && At(x + n, y) == color)
            ++n;
        return n;
    }

    const TextCall* TextAt(const std::wstring& text) const {
        for (const auto& t : Texts)
            if (t.Text == text) return &t;
        return nullptr;
    }

    int Width;
    int Height;
    std::vector<TColor> Pixels;
    std::vector<TextCall> Texts;
    Point Pen{};
    int FillCount = 0;
    int LineCount = 0;

  private:
    void Plot(int x, int y, TColor color) {
        if (x >= 0 && y >= 0 && x < Width && y < Height)
            Pixels[static_cast<std::size_t>(y * Width + x)] = color;
    }
};
