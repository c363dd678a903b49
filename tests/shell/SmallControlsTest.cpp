// The small shared controls as windows: the link label, the bevel and the
// edit border, driven with real messages and read back through what the
// system shows (window text, the clipboard, pixels).
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

#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// The parent's colour: what it answers WM_CTLCOLORSTATIC with.
constexpr COLORREF HostColor = RGB(0x40, 0x80, 0xC0);
constexpr COLORREF Navy = RGB(0, 0, 0x80);
constexpr COLORREF Blue = RGB(0, 0, 0xFF);
constexpr COLORREF Red = RGB(255, 0, 0);

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

// A red memory DC: what a painter leaves red it did not touch.
class MemoryCanvas {
  public:
    MemoryCanvas(int width, int height)
        : m_screen(nullptr), m_dc(::CreateCompatibleDC(m_screen.Get())),
          m_bitmap(::CreateCompatibleBitmap(m_screen.Get(), width, height)),
          m_select(m_dc.Get(), m_bitmap.Get()), m_width(width), m_height(height) {
        const UniqueHBrush red(::CreateSolidBrush(Red));
        const RECT all{0, 0, width, height};
        ::FillRect(m_dc.Get(), &all, red.Get());
    }
    // The window's client area printed into a canvas of its size.
    explicit MemoryCanvas(HWND wnd) : MemoryCanvas(ClientSize(wnd).cx, ClientSize(wnd).cy) {
        ::SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Dc()), PRF_CLIENT);
    }
    HDC Dc() const { return m_dc.Get(); }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc.Get(), x, y); }
    // Pixels from column fromX on for which test(colour, x, y) holds.
    int Count(const std::function<bool(COLORREF, int x, int y)>& test, int fromX = 0) const {
        int count = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = fromX; x < m_width; ++x)
                count += test(At(x, y), x, y);
        return count;
    }
    int Count(COLORREF color, int fromX = 0) const {
        return Count([color](COLORREF c, int, int) { return c == color; }, fromX);
    }
    // Pixels that are not want(x, y).
    int Wrong(const std::function<COLORREF(int x, int y)>& want) const {
        return Count([&](COLORREF c, int x, int y) { return c != want(x, y); });
    }

  private:
    static SIZE ClientSize(HWND wnd) {
        RECT r{};
        ::GetClientRect(wnd, &r);
        return {r.right, r.bottom};
    }
    WindowDC m_screen;
    UniqueHdc m_dc;
    UniqueHBitmap m_bitmap;
    SelectGuard m_select;
    int m_width, m_height;
};

int PixelsOf(HWND wnd, COLORREF color) {
    return MemoryCanvas(wnd).Count(color);
}

// Moves the pointer to a place and on by step, as a hand does, until done
// holds: Wine now and then drops a move, or the leave of a window, while the
// pointer rests.
template <typename Done> bool MoveUntil(POINT to, POINT step, Done done) {
    for (int i = 0; i < 5; ++i) {
        PointerTo(to.x + i * step.x, to.y + i * step.y);
        if (PumpUntil(done, 700)) return true;
    }
    return false;
}

class SmallControls : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &HostProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
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
    label.Create(m_host, 10, {10, 10, 20, 20}, L"Homepage");
    EXPECT_EQ(WindowText(label.Handle()), L"Homepage");
    ::SetWindowTextW(label.Handle(), L"E-Mail");
    EXPECT_EQ(label.Caption(), L"E-Mail");
    // AutoSize fits the caption with a pixel for the focus around it: drawn
    // wider, no ink reaches into that pixel (a slash leans past its advance).
    label.SetCaption(L"https://www.morvane.de/");
    EXPECT_EQ(WindowText(label.Handle()), L"https://www.morvane.de/");
    RECT fitted{};
    ::GetClientRect(label.Handle(), &fitted);
    ::SetWindowPos(label.Handle(), nullptr, 0, 0, fitted.right + 20, fitted.bottom,
                   SWP_NOMOVE | SWP_NOZORDER);
    const MemoryCanvas wide(label.Handle());
    EXPECT_EQ(wide.Count(Navy, fitted.right - 1), 0);
    EXPECT_GT(PixelsOf(label.Handle(), Navy), 0);

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
        const LOGFONTW before = other.FontNormal().Face;
        ::SendMessageW(other.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(CachedFont(parentFont)),
                       TRUE);
        for (const TLabelFont* font : {&other.FontNormal(), &other.FontHover()}) {
            EXPECT_STREQ(font->Face.lfFaceName, fix ? L"Courier New" : before.lfFaceName);
            EXPECT_EQ(font->Face.lfHeight, fix ? -20 : before.lfHeight);
            EXPECT_EQ(font->Face.lfWeight, before.lfWeight);
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
        auto showsHoverFont = [&] {
            const int navy = PixelsOf(label.Handle(), Navy);
            const int blue = PixelsOf(label.Handle(), Blue);
            EXPECT_TRUE((navy == 0) != (blue == 0)) << navy << " navy, " << blue << " blue";
            return blue > 0;
        };
        EXPECT_FALSE(showsHoverFont());

        RECT onScreen{};
        ::GetWindowRect(label.Handle(), &onScreen);
        const POINT on{(onScreen.left + onScreen.right) / 2, (onScreen.top + onScreen.bottom) / 2};
        ASSERT_TRUE(MoveUntil(on, {1, 0}, [&] { return events.size() == 1; }));
        EXPECT_EQ(events.back(), "enter");
        EXPECT_EQ(showsHoverFont(), hover);

        ASSERT_TRUE(MoveUntil({on.x + 80, onScreen.bottom + 50}, {4, 4},
                              [&] { return events.size() == 2; }));
        EXPECT_EQ(events.back(), "exit");
        EXPECT_FALSE(showsHoverFont());
    }
}

TEST_F(SmallControls, CopyMenuIsOneMenuHoweverOftenSwitchedAndCopiesTheCaption) {
    TMVLabel label;
    label.Create(m_host, 10, {10, 10, 20, 20}, L"info@morvane.de");
    int made = 0;
    for (bool on : {true, true, false, false, true, false, true, true}) {
        const HMENU before = label.CopyPopupMenu();
        label.SetCopyMenu(on);
        const HMENU now = label.CopyPopupMenu();
        ASSERT_EQ(now != nullptr, on);
        EXPECT_FALSE(!on && before && ::IsMenu(before)) << "a menu switched off is freed";
        EXPECT_TRUE(!on || !before || now == before) << "switched on twice: still the one menu";
        made += now && !before;
    }
    EXPECT_EQ(made, 3);
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
    std::thread driver([] {
        HWND menu = nullptr;
        if (!PollFor(
                [&] {
                    return (menu = ::FindWindowW(L"#32768", nullptr)) && ::IsWindowVisible(menu);
                },
                3000))
            return;
        ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    });
    ::SendMessageW(label.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(label.Handle()), -1);
    driver.join();
    EXPECT_EQ(ClipboardText(), L"info@morvane.de");
}

TEST_F(SmallControls, LabelOpensItsCommandOrCaptionMaximisedOnClickAndKeys) {
    std::vector<std::wstring> opened;
    SetShellExecuteRecorder([&](const std::wstring& verb, const std::wstring& file, int show) {
        opened.push_back(verb + L" " + file + (show == SW_SHOWMAXIMIZED ? L" maximised" : L""));
        return 42;
    });
    TMVLabel label;
    std::vector<std::size_t> clicks; // how much was opened at each OnClick
    label.OnClick = [&](TMVLabel&) { clicks.push_back(opened.size()); };
    label.Create(m_host, 10, {10, 10, 20, 20}, L"https://www.morvane.de/");
    auto send = [&](UINT msg, WPARAM wParam, int x = 2) {
        ::SendMessageW(label.Handle(), msg, wParam, MAKELPARAM(x, 2));
    };
    auto click = [&] {
        send(WM_LBUTTONDOWN, MK_LBUTTON);
        send(WM_LBUTTONUP, 0);
    };
    auto enter = [&] { send(WM_KEYDOWN, VK_RETURN); };
    auto space = [&] { send(WM_KEYDOWN, VK_SPACE); };
    auto releasedOutside = [&] {
        send(WM_LBUTTONDOWN, MK_LBUTTON);
        send(WM_LBUTTONUP, 0, -5);
    };
    const std::wstring home = L"open https://www.morvane.de/ maximised";
    struct Row {
        const char* name;
        bool commandEnabled;
        const wchar_t* command;
        std::function<void()> act;
        std::wstring opened; // empty: nothing
        std::size_t clicks;
    };
    const std::vector<Row> rows = {
        {"empty command opens the caption", true, L"", click, home, 1},
        {"the command wins", true, L"https://x.example/", enter,
         L"open https://x.example/ maximised", 1},
        {"space runs it too", true, L"", space, home, 1},
        {"disabled command: click only", false, L"", click, L"", 1},
        {"disabled command: keys do nothing", false, L"", enter, L"", 0},
        {"released outside: no click", true, L"", releasedOutside, L"", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        opened.clear();
        clicks.clear();
        label.SetCommandEnabled(row.commandEnabled);
        label.Command = row.command;
        // Only a label that runs a command is a tab stop.
        EXPECT_EQ((::GetWindowLongPtrW(label.Handle(), GWL_STYLE) & WS_TABSTOP) != 0,
                  row.commandEnabled);
        row.act();
        EXPECT_EQ(opened, row.opened.empty() ? std::vector<std::wstring>{}
                                             : std::vector<std::wstring>{row.opened});
        EXPECT_EQ(clicks, std::vector<std::size_t>(row.clicks, 0)) << "OnClick before opening";
    }
}

TEST_F(SmallControls, BevelLinesAreOneMixedLineThemedAndAnEdgeOtherwise) {
    const TColor background = static_cast<TColor>(HostColor);
    const auto mixed = static_cast<COLORREF>(MixColor(clBlack, background, 8));
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    constexpr int W = 12;
    constexpr int H = 8;
    for (TBevelShape shape : {bsTopLine, bsBottomLine, bsLeftLine, bsRightLine}) {
        // How far a pixel is from the shape's edge; a lowered classic line is
        // shadow above highlight (left of it), so a far edge starts light.
        auto fromEdge = [shape](int x, int y) {
            return shape == bsTopLine      ? y
                   : shape == bsBottomLine ? H - 1 - y
                   : shape == bsLeftLine   ? x
                                           : W - 1 - x;
        };
        const bool farEdge = shape == bsBottomLine || shape == bsRightLine;
        for (bool themed : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "shape " << shape << (themed ? " themed" : ""));
            MemoryCanvas canvas(W, H);
            PaintBevel(canvas.Dc(), {W, H}, shape, bsLowered, themed, background);
            EXPECT_EQ(canvas.Wrong([&](int x, int y) {
                const int d = fromEdge(x, y);
                if (themed) return d == 0 ? mixed : HostColor;
                return d > 1 ? HostColor : (d == 0) != farEdge ? shadow : light;
            }),
                      0);
        }
    }
    // The window paints the same through WM_PRINTCLIENT, on its parent's
    // colour, with the theme state the system reports.
    for (TBevelShape shape : {bsRightLine, bsBox, bsFrame}) {
        SCOPED_TRACE(::testing::Message() << "window of shape " << shape);
        TMvBevel bevel;
        bevel.Create(m_host, 20, {10, 10, 10 + W, 10 + H}, shape);
        MemoryCanvas expected(W, H);
        PaintBevel(expected.Dc(), {W, H}, shape, bsLowered, ThemesActive(), background);
        EXPECT_EQ(
            MemoryCanvas(bevel.Handle()).Wrong([&](int x, int y) { return expected.At(x, y); }), 0);
    }
}

TEST_F(SmallControls, EditBorderWithoutThemesIsAGreyFrameFilledWithTheWindowColour) {
    constexpr int W = 30;
    constexpr int H = 20;
    const RECT border{2, 2, 2 + W, 2 + H};
    MemoryCanvas canvas(W + 4, H + 4);
    ThemePaintEditBorder(canvas.Dc(), border, false);
    EXPECT_EQ(canvas.Wrong([&](int x, int y) {
        if (!::PtInRect(&border, {x, y})) return Red;
        const bool frame = x == 2 || y == 2 || x == 1 + W || y == 1 + H;
        return frame ? RGB(0x80, 0x80, 0x80) : ::GetSysColor(COLOR_WINDOW);
    }),
              0);
    // With the system's choice the rectangle is painted either way, and no further.
    MemoryCanvas chosen(W + 4, H + 4);
    ThemePaintEditBorder(chosen.Dc(), border);
    EXPECT_NE(chosen.At(2 + W / 2, 2 + H / 2), Red);
    EXPECT_EQ(chosen.At(1, 1), Red);
    EXPECT_EQ(chosen.At(2 + W, 2 + H), Red);
}
