// The HSV picker panel in a real window: what its parts draw, and mouse and
// typing on them reported as colours.
#include "colour/win/ajColorPicker.h"
#include "util/win/Bitmaps.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// What a window draws for WM_PRINTCLIENT, as pixels.
TRGBImage Render(HWND wnd) {
    RECT r{};
    ::GetClientRect(wnd, &r);
    UniqueHBitmap bitmap = CreateBitmapFromImage(TRGBImage(r.right, r.bottom));
    {
        WindowDC screen(nullptr);
        UniqueHdc dc(::CreateCompatibleDC(screen.Get()));
        SelectGuard select(dc.Get(), bitmap.Get());
        ::SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    }
    return BitmapToImage(bitmap.Get());
}

TRGBTriple Inverted(TRGBTriple c) {
    return RGBToRGBTriple(255 - c.rgbtRed, 255 - c.rgbtGreen, 255 - c.rgbtBlue);
}

// The picture is the gradient everywhere outside the marker box; inside it
// the circle shows as inverted gradient pixels. Gives how many.
int MarkerPixels(const TRGBImage& shown, const TRGBImage& gradient, const Rect& box) {
    EXPECT_EQ(shown.Width, gradient.Width);
    EXPECT_EQ(shown.Height, gradient.Height);
    if (shown.Width != gradient.Width || shown.Height != gradient.Height) return 0;
    int marker = 0;
    for (int y = 0; y < shown.Height; ++y)
        for (int x = 0; x < shown.Width; ++x) {
            const TRGBTriple want = gradient.At(x, y);
            const TRGBTriple got = shown.At(x, y);
            if (box.Contains({x, y}) && got == Inverted(want) && got != want)
                ++marker;
            else
                EXPECT_EQ(got, want) << x << "," << y;
        }
    return marker;
}

std::wstring Text(HWND wnd) {
    wchar_t buffer[16] = {};
    ::GetWindowTextW(wnd, buffer, 16);
    return buffer;
}

TColor HsvColor(int h, int s, int l) {
    return RGBTripleToTColor(HSLToRGBTriple(h, s, l));
}

class ColorPicker : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"DravikPickerTestHost";
        ::RegisterClassW(&wc);
        m_host = ::CreateWindowExW(0, wc.lpszClassName, L"Picker", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   200, 150, 240, 200, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetForegroundWindow(m_host);
        m_picker.Create(m_host, Rect::FromSize(20, 20, 100, 130), 96);
        m_picker.SetBackground(clBlack);
        m_picker.OnColorChange = [this](TajColorPicker& sender, TColor color) {
            EXPECT_EQ(&sender, &m_picker);
            m_reported.push_back(color);
        };
        m_square = ::GetDlgItem(m_picker.Handle(), TajColorPicker::SatLumId);
        m_hue = ::GetDlgItem(m_picker.Handle(), TajColorPicker::HueId);
        m_red = ::GetDlgItem(::GetDlgItem(m_picker.Handle(), TajColorPicker::EditRowId), 1);
    }
    void TearDown() override { ::DestroyWindow(m_host); }

    void Mouse(HWND panel, UINT msg, int x, int y, WPARAM keys = MK_LBUTTON) {
        ::SendMessageW(panel, msg, keys, MAKELPARAM(x, y));
    }

    HWND m_host = nullptr;
    TajColorPicker m_picker;
    HWND m_square = nullptr;
    HWND m_hue = nullptr;
    HWND m_red = nullptr;
    std::vector<TColor> m_reported;
};

} // namespace

TEST_F(ColorPicker, PureRedDrawsBothGradientsWithTheirMarkers) {
    m_picker.SetPickColor(clRed);
    EXPECT_TRUE(m_reported.empty());
    EXPECT_EQ(m_picker.PickColor(), clRed);
    RECT bounds{};
    ::GetWindowRect(m_picker.Handle(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 100);
    EXPECT_EQ(bounds.bottom - bounds.top, 130);

    const TRGBImage square = Render(m_square);
    const TRGBImage squareGradient = CreateGradient(tSatLum, 0, {88, 88});
    ASSERT_EQ(square.Width, 88);
    EXPECT_EQ(square.At(0, 0), RGBToRGBTriple(255, 255, 255));
    EXPECT_EQ(square.At(0, 87), RGBToRGBTriple(3, 3, 3));
    // The marker sits in the top-right corner, the hue bar's on its left end.
    EXPECT_GT(MarkerPixels(square, squareGradient, PickCircleBox({87, 0}, 4)), 4);
    const TRGBImage hue = Render(m_hue);
    EXPECT_EQ(hue.At(87, 0), HSLToRGBTriple(356, 255, 255));
    EXPECT_GT(MarkerPixels(hue, CreateGradient(tHue, 0, {88, 9}), PickCircleBox({0, 4}, 4)), 4);
    EXPECT_EQ(Text(m_red), L"255");

    // The screen shows the same once painted.
    ::UpdateWindow(m_host);
    WindowDC dc(m_square);
    EXPECT_EQ(::GetPixel(dc.Get(), 0, 87), RGB(3, 3, 3));
    EXPECT_EQ(::GetPixel(dc.Get(), 44, 44), RGB(128, 64, 64));

    // At 144 DPI every part grows by half and is drawn at its real size.
    m_picker.SetDpi(144, Rect::FromSize(20, 20, 100, 130));
    ::GetWindowRect(m_picker.Handle(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 150);
    EXPECT_EQ(bounds.bottom - bounds.top, 195);
    EXPECT_GT(MarkerPixels(Render(m_square), CreateGradient(tSatLum, 0, {132, 132}),
                           PickCircleBox({131, 0}, 6)),
              4);
    m_picker.SetDpi(96, Rect::FromSize(20, 20, 100, 130));

    // Set DRAVIK_PICKER_HOLD_MS to look at it.
    if (const char* hold = std::getenv("DRAVIK_PICKER_HOLD_MS")) {
        m_picker.SetPickColor(RGBColor(60, 140, 200));
        const DWORD end = ::GetTickCount() + static_cast<DWORD>(std::atoi(hold));
        while (::GetTickCount() < end) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
            ::Sleep(20);
        }
    }
}

TEST_F(ColorPicker, MouseAndTypingReportColours) {
    m_picker.SetPickColor(clRed);
    Mouse(m_square, WM_LBUTTONDOWN, 44, 22);
    EXPECT_EQ(::GetFocus(), m_square);
    EXPECT_EQ(::GetCapture(), m_square);
    ASSERT_EQ(m_reported, std::vector<TColor>{HsvColor(0, 128, 191)});
    // Beyond the square's top-right corner: the clamped colour.
    Mouse(m_square, WM_MOUSEMOVE, 200, -50);
    EXPECT_EQ(m_reported.back(), clRed);
    Mouse(m_square, WM_LBUTTONUP, 200, -50, 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    Mouse(m_square, WM_MOUSEMOVE, 10, 10, 0);
    EXPECT_EQ(m_reported.size(), 2u);

    // The hue bar's middle is cyan; the square is drawn anew for that hue.
    Mouse(m_hue, WM_LBUTTONDOWN, 44, 4);
    Mouse(m_hue, WM_LBUTTONUP, 44, 4, 0);
    EXPECT_EQ(m_reported.back(), HsvColor(180, 255, 255));
    EXPECT_EQ(Render(m_square).At(44, 44), HSLToRGBTriple(180, 128, 128));
    EXPECT_EQ(Text(m_red), L"0");

    // Typing 300 reports 255; leaving the edit rewrites it so.
    ::SetFocus(m_red);
    ::SetWindowTextW(m_red, L"300");
    EXPECT_EQ(m_reported.back(), RGBColor(255, 255, 255));
    EXPECT_EQ(m_picker.PickColor(), RGBColor(255, 255, 255));
    ::SetFocus(m_host);
    EXPECT_EQ(Text(m_red), L"255");
    EXPECT_EQ(m_reported.size(), 4u);
}
