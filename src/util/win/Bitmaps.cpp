#include "util/win/Bitmaps.h"
#include "util/win/Log.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// Pictures larger than this are refused rather than allocated.
constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

std::size_t Stride24(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

BITMAPINFO Info24(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, like TRGBImage
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool BitmapSize(HBITMAP bitmap, int& width, int& height) {
    BITMAP bm{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(bm), &bm) != sizeof(bm)) return false;
    width = bm.bmWidth;
    height = std::abs(bm.bmHeight);
    return width > 0 && height > 0;
}

// A triple is three bytes (blue, green, red), exactly a 24-bit scan-line pixel.
static_assert(sizeof(TRGBTriple) == 3);

void CopyRowsOut(const TRGBImage& image, std::uint8_t* bits) {
    const std::size_t stride = Stride24(image.Width);
    for (int y = 0; y < image.Height; ++y)
        std::memcpy(bits + stride * static_cast<std::size_t>(y), &image.At(0, y),
                    static_cast<std::size_t>(image.Width) * 3);
}

// Reads the first frame as premultiplied BGRA and lays it over background.
bool DecodePicture(const std::wstring& fileName, TColor background, TRGBImage& image) {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&factory))))
        return false;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(fileName.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)))
        return false;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, &frame))) return false;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 ||
        static_cast<std::uint64_t>(width) * height > kMaxPixels)
        return false;
    const UINT stride = width * 4;
    std::vector<std::uint8_t> bgra(static_cast<std::size_t>(stride) * height);
    if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(bgra.size()), bgra.data())))
        return false;

    const TColor back = GetRealColor(background);
    const int backRGB[3] = {BlueOf(back), GreenOf(back), RedOf(back)};
    image = TRGBImage(static_cast<int>(width), static_cast<int>(height));
    for (UINT y = 0; y < height; ++y) {
        for (UINT x = 0; x < width; ++x) {
            const std::uint8_t* p = &bgra[static_cast<std::size_t>(y) * stride + x * 4];
            const int uncovered = 255 - p[3];
            int out[3];
            for (int c = 0; c < 3; ++c)
                out[c] = std::min(255, p[c] + (uncovered * backRGB[c] + 127) / 255);
            TRGBTriple& pixel = image.At(static_cast<int>(x), static_cast<int>(y));
            pixel.rgbtBlue = static_cast<std::uint8_t>(out[0]);
            pixel.rgbtGreen = static_cast<std::uint8_t>(out[1]);
            pixel.rgbtRed = static_cast<std::uint8_t>(out[2]);
        }
    }
    return true;
}

} // namespace

TRGBImage BitmapToImage(HBITMAP bitmap) {
    int width = 0;
    int height = 0;
    if (!BitmapSize(bitmap, width, height)) return {};
    const std::size_t stride = Stride24(width);
    std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(height));
    BITMAPINFO info = Info24(width, height);
    WindowDC screen(nullptr);
    if (::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), bits.data(), &info,
                    DIB_RGB_COLORS) != height)
        return {};
    TRGBImage image(width, height);
    for (int y = 0; y < height; ++y)
        std::memcpy(&image.At(0, y), bits.data() + stride * static_cast<std::size_t>(y),
                    static_cast<std::size_t>(width) * 3);
    return image;
}

bool ImageToBitmap(const TRGBImage& image, HBITMAP bitmap) {
    int width = 0;
    int height = 0;
    if (!BitmapSize(bitmap, width, height) || width != image.Width || height != image.Height)
        return false;
    std::vector<std::uint8_t> bits(Stride24(width) * static_cast<std::size_t>(height));
    CopyRowsOut(image, bits.data());
    BITMAPINFO info = Info24(width, height);
    WindowDC screen(nullptr);
    return ::SetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), bits.data(), &info,
                       DIB_RGB_COLORS) == height;
}

UniqueHBitmap CreateBitmapFromImage(const TRGBImage& image) {
    if (image.Width <= 0 || image.Height <= 0) return {};
    BITMAPINFO info = Info24(image.Width, image.Height);
    void* bits = nullptr;
    UniqueHBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    CopyRowsOut(image, static_cast<std::uint8_t*>(bits));
    ::GdiFlush();
    return bitmap;
}

void ImageToColorscale(HBITMAP bitmap, TColor baseColor, TColor mixColor, TColor skipColor) {
    TRGBImage image = BitmapToImage(bitmap);
    if (image.Pixels.empty()) return;
    ImageToColorscale(image, baseColor, mixColor, skipColor);
    ImageToBitmap(image, bitmap);
}

TColor ImageAvgColor(HBITMAP bitmap, const Rect& area) {
    return ImageAvgColor(BitmapToImage(bitmap), area);
}

UniqueHBitmap GraphicToBitmap(HBITMAP bitmap) {
    return CreateBitmapFromImage(BitmapToImage(bitmap));
}

UniqueHBitmap GraphicToBitmap(HICON icon, TColor background) {
    ICONINFO parts{};
    if (!icon || !::GetIconInfo(icon, &parts)) return {};
    // GetIconInfo hands out copies of the icon's bitmaps.
    UniqueHBitmap colour(parts.hbmColor);
    UniqueHBitmap mask(parts.hbmMask);
    int width = 0;
    int height = 0;
    if (colour) {
        if (!BitmapSize(colour.Get(), width, height)) return {};
    } else {
        // A monochrome icon keeps its AND and XOR masks stacked in one bitmap.
        if (!BitmapSize(mask.Get(), width, height)) return {};
        height /= 2;
    }
    TRGBTriple fill;
    ColorToRGBTriple(GetRealColor(background), fill);
    UniqueHBitmap result = CreateBitmapFromImage(TRGBImage(width, height, fill));
    if (!result) return {};
    UniqueHdc memory(::CreateCompatibleDC(nullptr));
    {
        SelectGuard select(memory.Get(), result.Get());
        ::DrawIconEx(memory.Get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    }
    ::GdiFlush();
    return result;
}

UniqueHBitmap FileToBitmap(const std::wstring& fileName, TColor background) {
    if (fileName.empty()) return {};
    try {
        ComScope com;
        if (!com.Usable()) return {};
        TRGBImage image;
        if (!DecodePicture(fileName, background, image)) return {};
        return CreateBitmapFromImage(image);
    } catch (const std::bad_alloc& e) {
        LogError(L"picture too large to decode", e);
        return {};
    }
}

UniqueHBitmap Btn_CreateDisabledGlyph(HBITMAP glyph, bool force, int glyphCount) {
    glyphCount = std::max(glyphCount, 1);
    if (glyphCount >= 2 && !force) return {};
    const TRGBImage source = BitmapToImage(glyph);
    const int width = source.Width / glyphCount;
    if (width <= 0 || source.Height <= 0) return {};

    TRGBImage disabled(width, source.Height);
    for (int y = 0; y < source.Height; ++y)
        for (int x = 0; x < width; ++x)
            disabled.At(x, y) = source.At(x, y);
    ImageToColorscale(disabled, clBtnFace, clWhite, clNone);

    TRGBImage strip(width * 2, source.Height);
    for (int y = 0; y < source.Height; ++y) {
        for (int x = 0; x < width; ++x) {
            strip.At(x, y) = source.At(x, y);
            strip.At(width + x, y) = disabled.At(x, y);
        }
    }
    return CreateBitmapFromImage(strip);
}
