// The update dialog's message label as a window: read back through its
// window text, the pixels it prints and the messages a user's mouse and
// keys would send.
#include "online/win/HtmlLabel.h"
#include "../common/Input.h"
#include "util/win/Fonts.h"
#include "util/win/OffscreenBitmap.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);

std::wstring WindowText(HWND wnd) {
    wchar_t text[512] = {};
    ::SendMessageW(wnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// The label's client area as WM_PRINTCLIENT paints it.
class Printed {
  public:
    explicit Printed(const THtmlLabel& label) {
        const Rect client = label.ClientRect();
        m_bitmap.SetSize(client.Width(), client.Height());
        ::SendMessageW(label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_bitmap.Dc()),
                       PRF_CLIENT);
        ::GdiFlush();
    }
    COLORREF At(int x, int y) const {
        const int stride = (m_bitmap.Width() * 3 + 3) & ~3;
        const unsigned char* p = m_bitmap.Bits() + (m_bitmap.Height() - 1 - y) * stride + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    int Count(COLORREF color, const RECT& area) const {
        int count = 0;
        for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, m_bitmap.Height());
             ++y)
            for (int x = std::max<int>(area.left, 0);
                 x < std::min<int>(area.right, m_bitmap.Width()); ++x)
                count += At(x, y) == color;
        return count;
    }
    int Count(COLORREF color) const {
        return Count(color, {0, 0, m_bitmap.Width(), m_bitmap.Height()});
    }
    // The box round all pixels of a colour, nothing when there are none.
    std::optional<RECT> BoundsOf(COLORREF color) const {
        std::optional<RECT> box;
        for (int y = 0; y < m_bitmap.Height(); ++y)
            for (int x = 0; x < m_bitmap.Width(); ++x) {
                if (At(x, y) != color) continue;
                if (!box) box = RECT{x, y, x + 1, y + 1};
                box->left = std::min<LONG>(box->left, x);
                box->right = std::max<LONG>(box->right, x + 1);
                box->top = std::min<LONG>(box->top, y);
                box->bottom = std::max<LONG>(box->bottom, y + 1);
            }
        return box;
    }

  private:
    OffscreenBitmap m_bitmap;
};

// The client box of the first piece that holds text.
RECT PieceBox(const THtmlLabel& label, const std::wstring& text) {
    const Point origin = label.Origin();
    for (const THtmlPiece& piece : label.Layout().Pieces)
        if (piece.Text.find(text) != std::wstring::npos)
            return {origin.X + piece.Bounds.Left, origin.Y + piece.Bounds.Top,
                    origin.X + piece.Bounds.Right, origin.Y + piece.Bounds.Bottom};
    ADD_FAILURE() << "no piece " << std::string(text.begin(), text.end());
    return {};
}

bool HasScrollBar(const THtmlLabel& label) {
    return (::GetWindowLongPtrW(label.Handle(), GWL_STYLE) & WS_VSCROLL) != 0;
}

class HtmlLabelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DravikHtmlLabelHost";
        ::RegisterClassW(&wc);
        m_host = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 200,
                                   150, 480, 180, nullptr, nullptr, wc.hInstance, nullptr);
        // The update dialog's message area.
        m_label.Create(m_host, 1, {10, 10, 467, 151});
        m_label.OnLinkClick = [this](const std::wstring& url) { m_opened.push_back(url); };
        Drain();
    }
    void TearDown() override {
        ::DestroyWindow(m_host);
        Drain();
    }
    // Posted like the system posts a click, then handled.
    void ClickAt(int x, int y) {
        ::PostMessageW(m_label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageW(m_label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Drain();
    }

    HWND m_host = nullptr;
    THtmlLabel m_label;
    std::vector<std::wstring> m_opened;
};

} // namespace

TEST_F(HtmlLabelTest, WindowTextIsWhatTheUserReadsAndLinksMakeATabStop) {
    const struct {
        std::wstring html;
        std::wstring text;
        bool tabStop;
    } cases[] = {
        {L"Ihre Version ist <b>aktuell</b>.", L"Ihre Version ist aktuell.", false},
        {L"Die <b>neue Version 2.3</b> ist verf&uuml;gbar!<br>Download auf der <a "
         L"href=\"https://h/u\">Update-Seite</a>.",
         L"Die neue Version 2.3 ist verfügbar!\r\nDownload auf der Update-Seite.", true},
        {L"<a href=\"file:///c:/x\">lokal</a>", L"lokal", false},
        {L"", L"", false},
    };
    for (const auto& c : cases) {
        m_label.SetHtml(c.html);
        EXPECT_EQ(WindowText(m_label.Handle()), c.text);
        EXPECT_EQ(m_label.Text().PlainText, c.text);
        const bool tabStop = (::GetWindowLongPtrW(m_label.Handle(), GWL_STYLE) & WS_TABSTOP) != 0;
        EXPECT_EQ(tabStop, c.tabStop) << std::string(c.text.begin(), c.text.end());
    }
}

TEST_F(HtmlLabelTest, SizeInPointsAndTheParentsFontSetTheHeights) {
    m_label.SetHtml(L"<font size=\"24\">Gross</font> klein");
    const RECT big = PieceBox(m_label, L"Gross");
    const RECT small = PieceBox(m_label, L"klein");
    EXPECT_GE(big.bottom - big.top, ::MulDiv(24, static_cast<int>(m_label.Dpi()), 72));
    EXPECT_LT(small.bottom - small.top, big.bottom - big.top);

    LOGFONTW larger = GetSysGuiFont(m_label.Dpi());
    larger.lfHeight *= 3;
    ::SendMessageW(m_label.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(CachedFont(larger)),
                   TRUE);
    const RECT bigAfter = PieceBox(m_label, L"Gross");
    const RECT smallAfter = PieceBox(m_label, L"klein");
    EXPECT_EQ(bigAfter.bottom - bigAfter.top, big.bottom - big.top) << "points stay points";
    EXPECT_GT(smallAfter.bottom - smallAfter.top, 2 * (small.bottom - small.top));
}

TEST_F(HtmlLabelTest, LinkOpensWhereItIsPaintedAndFileLinksStayText) {
    m_label.SetHtml(L"Download auf der <a href=\"https://h/u\">Update-Seite</a>, die Datei <a "
                    L"href=\"file:///c:/x\">lokal</a> nicht.");
    const std::optional<RECT> link = Printed(m_label).BoundsOf(Blue);
    ASSERT_TRUE(link) << "the link is painted blue";
    const RECT file = PieceBox(m_label, L"lokal");
    EXPECT_EQ(Printed(m_label).Count(Blue, file), 0) << "a file link is plain text";

    // The hand shows over the link only.
    auto cursorAt = [&](int x, int y) {
        ::SendMessageW(m_label.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        return ::GetCursor();
    };
    EXPECT_EQ(cursorAt((link->left + link->right) / 2, (link->top + link->bottom) / 2),
              ::LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(cursorAt((file.left + file.right) / 2, (file.top + file.bottom) / 2),
              ::LoadCursorW(nullptr, IDC_ARROW));

    ClickAt((file.left + file.right) / 2, (file.top + file.bottom) / 2);
    ClickAt(link->left - 3, (link->top + link->bottom) / 2); // beside it
    EXPECT_TRUE(m_opened.empty());
    ClickAt((link->left + link->right) / 2, (link->top + link->bottom) / 2);
    EXPECT_EQ(m_opened, (std::vector<std::wstring>{L"https://h/u"}));

    // From the keyboard: Enter opens the first link.
    ::PostMessageW(m_label.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(PumpUntil([&] { return m_opened.size() == 2; }, 2000));
    EXPECT_EQ(m_opened.back(), L"https://h/u");
}

TEST_F(HtmlLabelTest, ScrollBarOnlyWhileTheTextIsTallerThanTheWindow) {
    std::wstring lines, paragraph;
    for (int i = 0; i < 30; ++i)
        lines += L"Zeile " + std::to_wstring(i) + L"<br>";
    for (int i = 0; i < 200; ++i)
        paragraph += L"Wort" + std::to_wstring(i) + L" ";
    const struct {
        std::wstring html;
        bool bar;
    } cases[] = {
        {L"Ihre Version ist aktuell.", false},
        {lines, true},
        {paragraph, true}, // wrapped into many lines
        {L"kurz<br>und knapp", false},
    };
    for (const auto& c : cases) {
        m_label.SetHtml(c.html);
        ASSERT_EQ(HasScrollBar(m_label), c.bar) << std::string(c.html.begin(), c.html.begin() + 20);
        const Rect client = m_label.ClientRect();
        for (const THtmlPiece& piece : m_label.Layout().Pieces)
            EXPECT_LE(m_label.Origin().X + piece.Bounds.Right, client.Width());
        if (!c.bar) continue;
        EXPECT_GT(m_label.Layout().Height, client.Height());

        const int top = m_label.Origin().Y;
        ::SendMessageW(m_label.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
        EXPECT_LT(m_label.Origin().Y, top) << "the wheel scrolls down";
        ::SendMessageW(m_label.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
        // The last line ends a margin above the bottom, as the first starts below the top.
        EXPECT_EQ(m_label.Origin().Y + m_label.Layout().Height + top, client.Height());
        EXPECT_EQ(::GetScrollPos(m_label.Handle(), SB_VERT), top - m_label.Origin().Y);
        ::SendMessageW(m_label.Handle(), WM_VSCROLL, SB_LINEUP, 0);
        ::SendMessageW(m_label.Handle(), WM_VSCROLL, SB_TOP, 0);
        EXPECT_EQ(m_label.Origin().Y, top);
        ::SendMessageW(m_label.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
        m_label.SetHtml(c.html);
        EXPECT_EQ(m_label.Origin().Y, top) << "new text starts at the top";
    }
}

TEST_F(HtmlLabelTest, ErrorLinePaintsRedBehindItsText) {
    m_label.SetHtml(L"<FONT color=\"clWhite\" bgcolor=\"clRed\"><b> Fehler </b></font> Keine "
                    L"Verbindung zum Server.");
    const Printed printed(m_label);
    const RECT run = PieceBox(m_label, L"Fehler"); // with its blank
    const int area = (run.right - run.left) * (run.bottom - run.top);
    EXPECT_GT(printed.Count(Red, run), area / 2);
    EXPECT_GT(printed.Count(White, run), 0) << "white letters on it";
    // Red is only behind the run.
    EXPECT_EQ(printed.Count(Red, run), printed.Count(Red));
    EXPECT_EQ(printed.Count(Red, PieceBox(m_label, L"Keine")), 0);
}
