// The small shared controls as windows: the link label, the bevel and the
// edit border, driven with real messages and read back through what the
// system shows (window text, fonts, the clipboard, pixels).
#include "../common/Input.h"
#include "util/ColorMath.h"
#include "util/win/Clipboard.h"
#include "util/win/Fonts.h"
#include "util/win/Handles.h"
#include "util/win/MVBevel.h"
#include "util/win/MVLabel.h"
#include "util/win/MvTheme.h"
#include "util/win/ShellExec.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// The parent's colour: what it answers WM_CTLCOLORSTATIC with.
constexpr COLORREF HostColor = RGB(0x40, 0x80, 0xC0);

LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static const UniqueHBrush brush(::CreateSolidBrush(HostColor));
    if (msg == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(brush.Get());
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

std::wstring WindowText(HWND wnd) {
    wchar_t text[256] = {};
    ::SendMessageW(wnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) text = chars;
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

// A memory DC with a bitmap of its own, for reading back what was painted.
class MemoryCanvas {
  public:
    MemoryCanvas(int width, int height)
        : m_screen(nullptr), m_dc(::CreateCompatibleDC(m_screen.Get())),
          m_bitmap(::CreateCompatibleBitmap(m_screen.Get(), width, height)),
          m_select(m_dc.Get(), m_bitmap.Get()) {
        const RECT all{0, 0, width, height};
        ::SetDCBrushColor(m_dc.Get(), RGB(255, 0, 0));
        ::FillRect(m_dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    }
    HDC Dc() const { return m_dc.Get(); }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc.Get(), x, y); }

  private:
    WindowDC m_screen;
    UniqueHdc m_dc;
    UniqueHBitmap m_bitmap;
    SelectGuard m_select;
};

// How many pixels of the window's client area show the colour.
int PixelsOf(HWND wnd, COLORREF color) {
    RECT r{};
    ::GetClientRect(wnd, &r);
    MemoryCanvas canvas(r.right, r.bottom);
    ::SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    int count = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            count += canvas.At(x, y) == color;
    return count;
}

std::wstring FaceName(const TLabelFont& font) {
    return font.Face.lfFaceName;
}

class SmallControls : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &HostProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = L"DravikSmallControlsHost";
        ::RegisterClassW(&wc);
        m_host = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 300,
                                   200, 300, 120, nullptr, nullptr, wc.hInstance, nullptr);
        Drain();
    }
    void TearDown() override {
        SetShellExecuteRecorder({});
        ::DestroyWindow(m_host);
        Drain();
    }

    HWND m_host = nullptr;
};

} // namespace

TEST_F(SmallControls, LabelCaptionIsItsWindowTextAndParentFontKeepsTheLinkLook) {
    TMVLabel label;
    label.Create(m_host, 10, {10, 10, 20, 20}, L"https://www.morvane.de/");
    EXPECT_EQ(WindowText(label.Handle()), L"https://www.morvane.de/");
    label.SetCaption(L"Homepage");
    EXPECT_EQ(WindowText(label.Handle()), L"Homepage");
    ::SetWindowTextW(label.Handle(), L"E-Mail");
    EXPECT_EQ(label.Caption(), L"E-Mail");
    // AutoSize: the window holds the caption with a pixel for the focus around
    // it; drawn wider, no letter reaches into that pixel or beyond (a slash
    // leans past its advance in many fonts).
    label.SetCaption(L"https://www.morvane.de/");
    RECT fitted{};
    ::GetClientRect(label.Handle(), &fitted);
    {
        WindowDC dc(label.Handle());
        SelectGuard guard(dc.Get(), label.CurrentFont());
        SIZE extent{};
        ::GetTextExtentPoint32W(dc.Get(), label.Caption().c_str(),
                                static_cast<int>(label.Caption().size()), &extent);
        EXPECT_GE(fitted.right, extent.cx + 2);
        EXPECT_EQ(fitted.bottom, extent.cy + 2);
    }
    ::SetWindowPos(label.Handle(), nullptr, 0, 0, fitted.right + 20, fitted.bottom,
                   SWP_NOMOVE | SWP_NOZORDER);
    MemoryCanvas wide(fitted.right + 20, fitted.bottom);
    ::SendMessageW(label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(wide.Dc()), PRF_CLIENT);
    int inkOutside = 0;
    for (int y = 0; y < fitted.bottom; ++y)
        for (int x = fitted.right - 1; x < fitted.right + 20; ++x)
            inkOutside += wide.At(x, y) == RGB(0, 0, 0x80);
    EXPECT_EQ(inkOutside, 0);

    // The parent hands its font on: name and size arrive, colour and style stay.
    LOGFONTW parentFont = GetSysGuiFont(label.Dpi());
    std::wcscpy(parentFont.lfFaceName, L"Courier New");
    parentFont.lfHeight = -20;
    parentFont.lfWeight = FW_BOLD;
    for (bool fix : {true, false}) {
        SCOPED_TRACE(fix ? "ParentFontFix on" : "ParentFontFix off");
        TMVLabel other;
        other.SetParentFontFix(fix);
        other.Create(m_host, 11, {10, 40, 20, 50}, L"x");
        const TLabelFont before = other.FontNormal();
        ::SendMessageW(other.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(CachedFont(parentFont)),
                       TRUE);
        for (const TLabelFont* font : {&other.FontNormal(), &other.FontHover()}) {
            EXPECT_EQ(FaceName(*font), fix ? L"Courier New" : FaceName(before));
            EXPECT_EQ(font->Face.lfHeight, fix ? -20 : before.Face.lfHeight);
            EXPECT_EQ(font->Face.lfWeight, before.Face.lfWeight);
            EXPECT_TRUE(font->Face.lfUnderline);
        }
        EXPECT_EQ(other.FontNormal().Color, 0x800000); // navy
        EXPECT_EQ(other.FontHover().Color, 0xFF0000);  // blue
    }
}

TEST_F(SmallControls, LabelSwitchesToTheHoverFontWhileThePointerIsOnIt) {
    for (bool hover : {true, false}) {
        SCOPED_TRACE(hover ? "Hover on" : "Hover off");
        TMVLabel label;
        label.Hover = hover;
        std::vector<std::string> events;
        label.OnMouseEnter = [&](TMVLabel&) { events.push_back("enter"); };
        label.OnMouseExit = [&](TMVLabel&) { events.push_back("exit"); };
        label.Create(m_host, 10, {20, 20, 30, 30}, L"Ein Link");
        // The fonts differ in colour only: the underline shows which one paints.
        constexpr COLORREF Navy = RGB(0, 0, 0x80);
        constexpr COLORREF Blue = RGB(0, 0, 0xFF);
        auto showsHoverFont = [&] {
            const int navy = PixelsOf(label.Handle(), Navy);
            const int blue = PixelsOf(label.Handle(), Blue);
            EXPECT_TRUE((navy == 0) != (blue == 0)) << navy << " navy, " << blue << " blue";
            return blue > 0;
        };
        EXPECT_FALSE(showsHoverFont());

        RECT onScreen{};
        ::GetWindowRect(label.Handle(), &onScreen);
        PointerTo((onScreen.left + onScreen.right) / 2, (onScreen.top + onScreen.bottom) / 2);
        ASSERT_TRUE(PumpUntil([&] { return events.size() == 1; }, 3000));
        EXPECT_EQ(events.back(), "enter");
        EXPECT_TRUE(label.MouseInside());
        EXPECT_EQ(showsHoverFont(), hover);

        PointerTo(onScreen.left + 100, onScreen.bottom + 60);
        ASSERT_TRUE(PumpUntil([&] { return events.size() == 2; }, 3000));
        EXPECT_EQ(events.back(), "exit");
        EXPECT_FALSE(showsHoverFont());
    }
}

TEST_F(SmallControls, CopyMenuIsOneMenuHoweverOftenSwitchedAndCopiesTheCaption) {
    TMVLabel label;
    label.Create(m_host, 10, {10, 10, 20, 20}, L"info@morvane.de");
    EXPECT_EQ(label.CopyPopupMenu(), nullptr);
    std::vector<HMENU> made;
    for (bool on : {true, true, false, false, true, false, true, true}) {
        const HMENU before = label.CopyPopupMenu();
        label.SetCopyMenu(on);
        ASSERT_EQ(label.CopyPopupMenu() != nullptr, on);
        if (!on) {
            EXPECT_FALSE(before && ::IsMenu(before)) << "a menu switched off is freed";
        } else if (before) {
            EXPECT_EQ(label.CopyPopupMenu(), before) << "switched on twice";
        }
        if (on && !before) made.push_back(label.CopyPopupMenu());
    }
    EXPECT_EQ(made.size(), 3u);
    auto itemText = [&] {
        wchar_t text[64] = {};
        ::GetMenuStringW(label.CopyPopupMenu(), 0, text, 64, MF_BYPOSITION);
        return std::wstring(text);
    };
    EXPECT_EQ(::GetMenuItemCount(label.CopyPopupMenu()), 1);
    EXPECT_EQ(itemText(), L"Kopieren");
    label.SetCopyMenuCaption(L"Adresse kopieren");
    EXPECT_EQ(itemText(), L"Adresse kopieren");

    // The menu opens on WM_CONTEXTMENU; a driver chooses its item with the keys.
    ASSERT_TRUE(CopyTextToClipboard(nullptr, L"vorher"));
    std::atomic<bool> chosen{false};
    std::thread driver([&] {
        HWND menu = nullptr;
        if (PollFor(
                [&] {
                    menu = ::FindWindowW(L"#32768", nullptr);
                    return menu && ::IsWindowVisible(menu);
                },
                3000)) {
            ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
            chosen = true;
        }
    });
    RECT onScreen{};
    ::GetWindowRect(label.Handle(), &onScreen);
    ::SendMessageW(label.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(label.Handle()),
                   MAKELPARAM(onScreen.left + 2, onScreen.top + 2));
    driver.join();
    EXPECT_TRUE(chosen);
    EXPECT_EQ(ClipboardText(), L"info@morvane.de");
}

TEST_F(SmallControls, LabelOpensItsCommandOrCaptionMaximisedOnClickAndKeys) {
    struct Opened {
        std::wstring verb, file;
        int show;
    };
    std::vector<Opened> opened;
    SetShellExecuteRecorder([&](const std::wstring& verb, const std::wstring& file, int show) {
        opened.push_back({verb, file, show});
        return 42;
    });
    TMVLabel label;
    std::vector<std::wstring> order;
    label.OnClick = [&](TMVLabel&) { order.push_back(L"click " + std::to_wstring(opened.size())); };
    label.Create(m_host, 10, {10, 10, 20, 20}, L"https://www.morvane.de/");

    auto leftClick = [&] {
        ::SendMessageW(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageW(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    };
    auto enter = [&] { ::SendMessageW(label.Handle(), WM_KEYDOWN, VK_RETURN, 0); };
    auto space = [&] { ::SendMessageW(label.Handle(), WM_KEYDOWN, VK_SPACE, 0); };
    auto pressAndLeave = [&] {
        ::SendMessageW(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageW(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-5, 2));
    };
    struct Row {
        const char* name;
        bool commandEnabled;
        const wchar_t* command;
        std::function<void()> act;
        const wchar_t* expected; // nullptr: nothing opened
        int clicks;
    };
    const std::vector<Row> rows = {
        {"empty command opens the caption", true, L"", leftClick, L"https://www.morvane.de/", 1},
        {"the command wins", true, L"https://www.morvane.de/dvk", enter,
         L"https://www.morvane.de/dvk", 1},
        {"space runs it too", true, L"", space, L"https://www.morvane.de/", 1},
        {"disabled command: click only", false, L"", leftClick, nullptr, 1},
        {"disabled command: keys do nothing", false, L"", enter, nullptr, 0},
        {"released outside: no click", true, L"", pressAndLeave, nullptr, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        opened.clear();
        order.clear();
        label.SetCommandEnabled(row.commandEnabled);
        label.Command = row.command;
        EXPECT_EQ((::GetWindowLongPtrW(label.Handle(), GWL_STYLE) & WS_TABSTOP) != 0,
                  row.commandEnabled);
        row.act();
        ASSERT_EQ(opened.size(), row.expected ? 1u : 0u);
        if (row.expected) {
            EXPECT_EQ(opened[0].verb, L"open");
            EXPECT_EQ(opened[0].file, row.expected);
            EXPECT_EQ(opened[0].show, SW_SHOWMAXIMIZED);
        }
        ASSERT_EQ(order.size(), static_cast<std::size_t>(row.clicks));
        if (row.clicks) {
            EXPECT_EQ(order[0], L"click 0") << "OnClick comes before the command";
        }
    }
}

TEST_F(SmallControls, BevelLinesAreOneMixedLineThemedAndAnEdgeOtherwise) {
    const TColor background = static_cast<TColor>(HostColor);
    const COLORREF mixed = static_cast<COLORREF>(MixColor(clBlack, background, 8));
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    constexpr int W = 12;
    constexpr int H = 8;
    // For each line shape: which pixels are not the background, by x and y.
    struct Row {
        TBevelShape shape;
        std::function<COLORREF(int x, int y)> themed, classic;
    };
    const COLORREF bg = HostColor;
    const std::vector<Row> rows = {
        {bsTopLine, [&](int, int y) { return y == 0 ? mixed : bg; },
         [&](int, int y) { return y == 0   ? shadow
                                  : y == 1 ? light
                                           : bg; }},
        {bsBottomLine, [&](int, int y) { return y == H - 1 ? mixed : bg; },
         [&](int, int y) { return y == H - 2   ? shadow
                                  : y == H - 1 ? light
                                               : bg; }},
        {bsLeftLine, [&](int x, int) { return x == 0 ? mixed : bg; },
         [&](int x, int) { return x == 0   ? shadow
                                  : x == 1 ? light
                                           : bg; }},
        {bsRightLine, [&](int x, int) { return x == W - 1 ? mixed : bg; },
         [&](int x, int) { return x == W - 2   ? shadow
                                  : x == W - 1 ? light
                                               : bg; }},
    };
    for (const Row& row : rows) {
        for (bool themed : {true, false}) {
            SCOPED_TRACE(::testing::Message()
                         << "shape " << row.shape << (themed ? " themed" : ""));
            MemoryCanvas canvas(W, H);
            PaintBevel(canvas.Dc(), {W, H}, row.shape, bsLowered, themed, background);
            int wrong = 0;
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    const COLORREF want = themed ? row.themed(x, y) : row.classic(x, y);
                    if (canvas.At(x, y) != want && wrong++ < 3)
                        ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex
                                      << canvas.At(x, y) << ", not " << want;
                }
        }
    }

    // The window paints the same through WM_PRINTCLIENT, on its parent's
    // colour, with the theme state the system reports.
    for (TBevelShape shape : {bsTopLine, bsRightLine, bsBox, bsFrame}) {
        SCOPED_TRACE(::testing::Message() << "window of shape " << shape);
        TMvBevel bevel;
        bevel.Create(m_host, 20, {10, 10, 10 + W, 10 + H}, shape);
        MemoryCanvas printed(W, H), expected(W, H);
        ::SendMessageW(bevel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.Dc()),
                       PRF_CLIENT);
        PaintBevel(expected.Dc(), {W, H}, shape, bsLowered, ThemesActive(), background);
        int differing = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                differing += printed.At(x, y) != expected.At(x, y);
        EXPECT_EQ(differing, 0);
    }
}

TEST_F(SmallControls, EditBorderWithoutThemesIsAGreyFrameFilledWithTheWindowColour) {
    constexpr int W = 30;
    constexpr int H = 20;
    MemoryCanvas canvas(W + 4, H + 4);
    ThemePaintEditBorder(canvas.Dc(), {2, 2, 2 + W, 2 + H}, false);
    int wrong = 0;
    for (int y = 0; y < H + 4; ++y)
        for (int x = 0; x < W + 4; ++x) {
            const bool outside = x < 2 || y < 2 || x >= 2 + W || y >= 2 + H;
            const bool frame = !outside && (x == 2 || y == 2 || x == 1 + W || y == 1 + H);
            const COLORREF want = outside ? RGB(255, 0, 0)
                                  : frame ? RGB(0x80, 0x80, 0x80)
                                          : ::GetSysColor(COLOR_WINDOW);
            if (canvas.At(x, y) != want && wrong++ < 3)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << canvas.At(x, y);
        }
    // With the system's choice the rectangle is painted either way, and no further.
    MemoryCanvas chosen(W + 4, H + 4);
    ThemePaintEditBorder(chosen.Dc(), {2, 2, 2 + W, 2 + H});
    EXPECT_NE(chosen.At(2 + W / 2, 2 + H / 2), RGB(255, 0, 0));
    EXPECT_EQ(chosen.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(chosen.At(2 + W, 2 + H), RGB(255, 0, 0));
}
