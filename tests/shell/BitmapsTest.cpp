// Bitmaps through GDI and the imaging component: pixel buffers in and out,
// pictures from files, disabled glyphs, and twips per pixel.
#include "util/win/Bitmaps.h"
#include "util/win/MVUtilWin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

TRGBTriple Triple(int r, int g, int b) {
    return TRGBTriple{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                      static_cast<std::uint8_t>(r)};
}

TColor PixelOf(const TRGBImage& image, int x, int y) {
    return RGBTripleToColor(image.At(x, y));
}

std::wstring TempFile(const std::wstring& name) {
    return GetTempDir() + L"dravik-bitmaps-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           name;
}

void WriteBytes(const std::wstring& file, const std::vector<std::uint8_t>& bytes) {
    UniqueKernelHandle out(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ::WriteFile(out.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

template <typename T> void Put(std::vector<std::uint8_t>& out, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i)));
}

// A bottom-up 24-bit BMP file, as paint programs write them.
std::vector<std::uint8_t> BmpFile(const TRGBImage& image) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.Width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.Height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put<std::uint32_t>(out, 54 + pixelBytes);
    Put<std::uint32_t>(out, 0);
    Put<std::uint32_t>(out, 54);
    Put<std::uint32_t>(out, 40);
    Put<std::int32_t>(out, image.Width);
    Put<std::int32_t>(out, image.Height);
    Put<std::uint16_t>(out, 1);
    Put<std::uint16_t>(out, 24);
    for (int i = 0; i < 6; ++i)
        Put<std::uint32_t>(out, 0);
    for (int y = image.Height - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width; ++x) {
            const TRGBTriple& p = image.At(x, y);
            out.insert(out.end(), {p.rgbtBlue, p.rgbtGreen, p.rgbtRed});
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.Width) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

// 2 x 1 RGB: red, blue.
const std::vector<std::uint8_t> kRgbPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
    0x00, 0x7B, 0x40, 0xE8, 0xDD, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78,
    0x9C, 0x63, 0xF8, 0xCF, 0x00, 0x04, 0xFF, 0x01, 0x07, 0x00, 0x01, 0xFF, 0xE2, 0x23,
    0x9E, 0x59, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
// 2 x 1 RGBA: opaque green, fully transparent.
const std::vector<std::uint8_t> kRgbaPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xF4,
    0x22, 0x7F, 0x8A, 0x00, 0x00, 0x00, 0x0E, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x60,
    0xF8, 0x0F, 0x84, 0x40, 0x00, 0x00, 0x0B, 0xFD, 0x01, 0xFF, 0xC6, 0x8D, 0xF8, 0xEF, 0x00,
    0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

class PictureFile : public ::testing::Test {
  protected:
    std::wstring Write(const std::wstring& name, const std::vector<std::uint8_t>& bytes) {
        m_files.push_back(TempFile(name));
        WriteBytes(m_files.back(), bytes);
        return m_files.back();
    }
    void TearDown() override {
        for (const auto& file : m_files)
            ::DeleteFileW(file.c_str());
    }
    std::vector<std::wstring> m_files;
};

TEST_F(PictureFile, BmpComesBackPixelForPixel) {
    // Width 3 needs row padding, height 2 shows whether rows are flipped.
    TRGBImage image(3, 2);
    image.At(0, 0) = Triple(255, 0, 0);
    image.At(1, 0) = Triple(0, 255, 0);
    image.At(2, 0) = Triple(0, 0, 255);
    image.At(0, 1) = Triple(10, 20, 30);
    image.At(2, 1) = Triple(255, 255, 255);
    const UniqueHBitmap bitmap = FileToBitmap(Write(L"a.bmp", BmpFile(image)));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(BitmapToImage(bitmap.Get()).Pixels, image.Pixels);
}

TEST_F(PictureFile, PngIsRead) {
    const UniqueHBitmap bitmap = FileToBitmap(Write(L"rgb.png", kRgbPng));
    ASSERT_TRUE(bitmap);
    const TRGBImage image = BitmapToImage(bitmap.Get());
    ASSERT_EQ(image.Width, 2);
    ASSERT_EQ(image.Height, 1);
    EXPECT_EQ(PixelOf(image, 0, 0), clRed);
    EXPECT_EQ(PixelOf(image, 1, 0), clBlue);
}

TEST_F(PictureFile, TransparentPartsShowTheBackground) {
    const std::wstring file = Write(L"rgba.png", kRgbaPng);
    const TRGBImage onWhite = BitmapToImage(FileToBitmap(file).Get());
    ASSERT_EQ(onWhite.Width, 2);
    EXPECT_EQ(PixelOf(onWhite, 0, 0), RGBColor(0, 255, 0));
    EXPECT_EQ(PixelOf(onWhite, 1, 0), clWhite);
    const TRGBImage onSilver = BitmapToImage(FileToBitmap(file, clSilver).Get());
    EXPECT_EQ(PixelOf(onSilver, 1, 0), clSilver);
}

TEST_F(PictureFile, UnreadableFileGivesNoBitmap) {
    EXPECT_FALSE(FileToBitmap(TempFile(L"fehlt.png")));
    EXPECT_FALSE(FileToBitmap(Write(L"text.png", {'k', 'e', 'i', 'n', ' ', 'B', 'i', 'l', 'd'})));
    EXPECT_FALSE(FileToBitmap(L""));
}

TEST(BitmapPixels, AverageOverAnInclusiveArea) {
    TRGBImage image(3, 2, Triple(0, 0, 0));
    image.At(1, 0) = Triple(255, 255, 255);
    image.At(1, 1) = Triple(255, 255, 255);
    image.At(2, 0) = Triple(200, 0, 0);
    const UniqueHBitmap bitmap = CreateBitmapFromImage(image);
    EXPECT_EQ(ImageAvgColor(bitmap.Get(), Rect{0, 0, 1, 1}), RGBColor(127, 127, 127));
    EXPECT_EQ(ImageAvgColor(bitmap.Get(), Rect{2, 0, 2, 0}), RGBColor(200, 0, 0));
}

// A device-dependent bitmap (screen format) becomes a 24-bit copy.
TEST(BitmapPixels, GraphicToBitmapCopiesAScreenBitmap) {
    WindowDC screen(nullptr);
    UniqueHBitmap ddb(::CreateCompatibleBitmap(screen.Get(), 4, 3));
    {
        UniqueHdc dc(::CreateCompatibleDC(screen.Get()));
        SelectGuard select(dc.Get(), ddb.Get());
        UniqueHBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
        const RECT all{0, 0, 4, 3};
        ::FillRect(dc.Get(), &all, brush.Get());
    }
    const UniqueHBitmap copy = GraphicToBitmap(ddb.Get());
    BITMAP info{};
    ASSERT_EQ(::GetObjectW(copy.Get(), sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmBitsPixel, 24);
    const TRGBImage image = BitmapToImage(copy.Get());
    ASSERT_EQ(image.Width, 4);
    EXPECT_EQ(PixelOf(image, 3, 2), RGBColor(1, 2, 3));
}

TEST(BitmapPixels, IconIsDrawnOverTheBackground) {
    // Left half transparent (mask 1), right half opaque red.
    TRGBImage colour(16, 16, Triple(0, 0, 0));
    for (int y = 0; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            colour.At(x, y) = Triple(255, 0, 0);
    const UniqueHBitmap colourBitmap = CreateBitmapFromImage(colour);
    std::vector<std::uint16_t> maskRows(16, 0x00FF); // bytes 0xFF, 0x00: left 8 pixels set
    UniqueHBitmap mask(::CreateBitmap(16, 16, 1, 1, maskRows.data()));
    ICONINFO parts{TRUE, 0, 0, mask.Get(), colourBitmap.Get()};
    UniqueHIcon icon(::CreateIconIndirect(&parts));
    ASSERT_TRUE(icon);
    const TRGBImage image = BitmapToImage(GraphicToBitmap(icon.Get(), clSilver).Get());
    ASSERT_EQ(image.Width, 16);
    EXPECT_EQ(PixelOf(image, 2, 5), clSilver);
    EXPECT_EQ(PixelOf(image, 12, 5), clRed);
}

TEST(BitmapPixels, ColorscaleInPlaceKeepsTheSkipColour) {
    TRGBImage image(2, 1, Triple(0, 0, 0));
    image.At(1, 0) = Triple(0, 255, 0);
    const UniqueHBitmap bitmap = CreateBitmapFromImage(image);
    ImageToColorscale(bitmap.Get(), clBtnFace, clWhite, RGBColor(0, 255, 0));
    const TRGBImage after = BitmapToImage(bitmap.Get());
    // Black keeps lightness 0 whatever the hue, then is mixed half with white.
    EXPECT_EQ(PixelOf(after, 0, 0), RGBColor(128, 128, 128));
    EXPECT_EQ(PixelOf(after, 1, 0), RGBColor(0, 255, 0));
}

TEST(DisabledGlyph, StripHoldsTheGlyphAndItsDisabledLook) {
    TRGBImage glyph(4, 3, Triple(255, 255, 255));
    glyph.At(1, 1) = Triple(0, 0, 0);
    glyph.At(2, 2) = Triple(200, 30, 30);
    const UniqueHBitmap source = CreateBitmapFromImage(glyph);
    const TRGBImage strip = BitmapToImage(Btn_CreateDisabledGlyph(source.Get(), false).Get());
    ASSERT_EQ(strip.Width, 8);
    ASSERT_EQ(strip.Height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(strip.At(x, y), glyph.At(x, y));
    EXPECT_EQ(PixelOf(strip, 4 + 1, 1), RGBColor(128, 128, 128));
    EXPECT_EQ(PixelOf(strip, 4 + 0, 0), clWhite);
    // The red pixel loses its own hue: no channel stands out as much as before.
    const TColor was = PixelOf(strip, 2, 2);
    const TColor now = PixelOf(strip, 4 + 2, 2);
    EXPECT_LT(RedOf(now) - GreenOf(now), RedOf(was) - GreenOf(was));
}

TEST(DisabledGlyph, ExistingStripIsLeftAloneUnlessForced) {
    const UniqueHBitmap strip = CreateBitmapFromImage(TRGBImage(8, 4, Triple(0, 0, 0)));
    EXPECT_FALSE(Btn_CreateDisabledGlyph(strip.Get(), false, 2));
    const TRGBImage rebuilt = BitmapToImage(Btn_CreateDisabledGlyph(strip.Get(), true, 2).Get());
    EXPECT_EQ(rebuilt.Width, 8);
    EXPECT_EQ(PixelOf(rebuilt, 6, 1), RGBColor(128, 128, 128));
    EXPECT_FALSE(Btn_CreateDisabledGlyph(nullptr, true));
}

TEST(Twips, FifteenTwipsPerPixelAt96Dpi) {
    WindowDC screen(nullptr);
    ASSERT_EQ(::GetDeviceCaps(screen.Get(), LOGPIXELSY), 96) << "the prefix runs at 96 DPI";
    EXPECT_EQ(TwipsPerPixelY(::GetDesktopWindow()), 15.0L);
}

} // namespace
