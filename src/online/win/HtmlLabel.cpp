#include "online/win/HtmlLabel.h"

#include "util/Canvas.h"
#include "util/win/Fonts.h"
#include "util/win/Handles.h"
#include "util/win/ShellExec.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace {

constexpr wchar_t ClassName[] = L"THtmlLabel";
constexpr COLORREF LinkColor = RGB(0, 0, 255);

COLORREF TextColor(const THtmlRun& run) {
    if (run.Style.Color != clNone) return CanvasColor(run.Style.Color);
    return run.Link >= 0 ? LinkColor : ::GetSysColor(COLOR_WINDOWTEXT);
}

// Draws the letters where the layout measured them: some renderers space a
// string they draw a little differently from the extents they report, and
// the next run, placed at the measured end, would then touch or gap.
void TextAtMeasuredPlaces(HDC dc, int x, int y, const std::wstring& text) {
    const int count = static_cast<int>(text.size());
    std::vector<int> ends(text.size());
    SIZE extent{};
    ::GetTextExtentExPointW(dc, text.c_str(), count, 0, nullptr, ends.data(), &extent);
    for (int i = count - 1; i > 0; --i)
        ends[i] -= ends[i - 1];
    ::ExtTextOutW(dc, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(count), ends.data());
}

} // namespace

THtmlLabel::THtmlLabel() : OnLinkClick([](const std::wstring& url) { RunCmd(url); }) {}

void THtmlLabel::Create(HWND parent, int id, const Rect& bounds) {
    RegisterClassOnce(ClassName, ::LoadCursorW(nullptr, IDC_ARROW), nullptr);
    CreateChild(ClassName, m_text.PlainText, m_text.Links.empty() ? 0 : WS_TABSTOP, 0, bounds,
                parent, id);
    Relayout();
}

void THtmlLabel::SetHtml(const std::wstring& html) {
    m_text = ParseHtmlText(html);
    m_scrollTop = 0;
    m_pressedLink = -1;
    if (!Handle()) return;
    ::SetWindowTextW(Handle(), m_text.PlainText.c_str());
    const LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
    ::SetWindowLongPtrW(Handle(), GWL_STYLE,
                        m_text.Links.empty() ? style & ~LONG_PTR{WS_TABSTOP} : style | WS_TABSTOP);
    Relayout();
}

Point THtmlLabel::Origin() const {
    return {Margin(), Margin() - m_scrollTop};
}

int THtmlLabel::Margin() const {
    // Room for the focus rectangle around a link at the edge.
    return ::MulDiv(2, static_cast<int>(Dpi()), 96);
}

LOGFONTW THtmlLabel::BaseFont() const {
    if (!m_hasFont) return GetSysGuiFont(Dpi());
    LOGFONTW font = m_font;
    font.lfHeight = ::MulDiv(font.lfHeight, static_cast<int>(Dpi()), static_cast<int>(m_fontDpi));
    return font;
}

HFONT THtmlLabel::FontFor(const THtmlRun& run) const {
    LOGFONTW font = BaseFont();
    if (run.Style.Size > 0) font.lfHeight = -::MulDiv(run.Style.Size, static_cast<int>(Dpi()), 72);
    if (run.Style.Bold) font.lfWeight = FW_BOLD;
    font.lfUnderline = run.Link >= 0;
    return CachedFont(font);
}

THtmlExtent THtmlLabel::Measure(const std::wstring& text, const THtmlStyle& style) {
    const HDC dc = m_buffer.Dc();
    SelectGuard font(dc, FontFor({L"", style, -1}));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    SIZE extent{};
    if (!text.empty())
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return {extent.cx, metrics.tmHeight, metrics.tmAscent};
}

void THtmlLabel::Relayout() {
    if (!Handle() || m_inLayout) return;
    m_inLayout = true; // showing or hiding the scroll bar sizes the client area again
    const int bar = ::GetSystemMetricsForDpi(SM_CXVSCROLL, Dpi());
    const bool hasBar = (::GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VSCROLL) != 0;
    const Rect client = ClientRect();
    const int fullWidth = client.Width() + (hasBar ? bar : 0);
    const auto measure = [this](const std::wstring& text, const THtmlStyle& style) {
        return Measure(text, style);
    };
    m_lineHeight = Measure(L"", {}).Height;
    m_layout = LayoutHtml(m_text, fullWidth - 2 * Margin(), measure);
    const bool needsBar = m_layout.Height + 2 * Margin() > client.Height();
    if (needsBar) m_layout = LayoutHtml(m_text, fullWidth - bar - 2 * Margin(), measure);
    m_contentHeight = m_layout.Height + 2 * Margin();
    m_scrollTop = std::clamp(m_scrollTop, 0, MaxScroll());

    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS};
    info.nMax = needsBar ? m_contentHeight - 1 : 0;
    info.nPage = needsBar ? static_cast<UINT>(client.Height()) : 0;
    info.nPos = m_scrollTop;
    ::SetScrollInfo(Handle(), SB_VERT, &info, TRUE); // shows or hides the bar
    m_inLayout = false;
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

int THtmlLabel::MaxScroll() const {
    return std::max(0, m_contentHeight - ClientRect().Height());
}

void THtmlLabel::ScrollTo(int top) {
    top = std::clamp(top, 0, MaxScroll());
    if (top == m_scrollTop) return;
    m_scrollTop = top;
    ::SetScrollPos(Handle(), SB_VERT, top, TRUE);
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void THtmlLabel::OnVScroll(int request) {
    SCROLLINFO info{sizeof(info), SIF_ALL};
    ::GetScrollInfo(Handle(), SB_VERT, &info);
    const int page = ClientRect().Height();
    switch (request) {
    case SB_LINEUP:
        ScrollTo(m_scrollTop - m_lineHeight);
        break;
    case SB_LINEDOWN:
        ScrollTo(m_scrollTop + m_lineHeight);
        break;
    case SB_PAGEUP:
        ScrollTo(m_scrollTop - page);
        break;
    case SB_PAGEDOWN:
        ScrollTo(m_scrollTop + page);
        break;
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_BOTTOM:
        ScrollTo(MaxScroll());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        ScrollTo(info.nTrackPos);
        break;
    default:
        break;
    }
}

void THtmlLabel::OnWheel(int delta) {
    UINT lines = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int notch =
        lines == WHEEL_PAGESCROLL ? ClientRect().Height() : static_cast<int>(lines) * m_lineHeight;
    // A fine-grained wheel sends parts of a notch: they move in proportion.
    ScrollTo(m_scrollTop - ::MulDiv(delta, notch, WHEEL_DELTA));
}

int THtmlLabel::LinkAt(LPARAM clientPoint) const {
    const Point origin = Origin();
    return HtmlLinkAt(m_text, m_layout,
                      {GET_X_LPARAM(clientPoint) - origin.X, GET_Y_LPARAM(clientPoint) - origin.Y});
}

void THtmlLabel::ShowCursorFor(int link) const {
    ::SetCursor(::LoadCursorW(nullptr, link >= 0 ? IDC_HAND : IDC_ARROW));
}

void THtmlLabel::OpenLink(int link) {
    if (link < 0 || link >= static_cast<int>(m_text.Links.size())) return;
    const std::wstring url = m_text.Links[link]; // the handler may set another text
    if (IsClickableUrl(url) && OnLinkClick) OnLinkClick(url);
}

LRESULT THtmlLabel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // painted whole in PaintContent, from the back buffer
    case WM_SETFONT: {
        LOGFONTW font{};
        const auto handle = reinterpret_cast<HFONT>(wParam);
        m_hasFont = handle && ::GetObjectW(handle, sizeof(font), &font) == sizeof(font);
        m_font = font;
        m_fontDpi = Dpi();
        Relayout();
        return 0;
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(CachedFont(BaseFont()));
    case WM_SIZE:
    case WM_DPICHANGED_AFTERPARENT:
        Relayout();
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (MaxScroll() == 0) break; // the parent may scroll instead
        OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_SETCURSOR: {
        if (LOWORD(lParam) != HTCLIENT) break;
        POINT at{};
        ::GetCursorPos(&at);
        ::ScreenToClient(Handle(), &at);
        ShowCursorFor(LinkAt(MAKELPARAM(at.x, at.y)));
        return TRUE;
    }
    case WM_MOUSEMOVE:
        // Again from the move's own place: the pointer may be elsewhere by now.
        ShowCursorFor(LinkAt(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_pressedLink = LinkAt(lParam);
        if (m_pressedLink >= 0) ::SetCapture(Handle());
        return 0;
    case WM_LBUTTONUP: {
        const int pressed = m_pressedLink;
        if (pressed < 0) return 0;
        ::ReleaseCapture(); // clears m_pressedLink
        if (LinkAt(lParam) == pressed) OpenLink(pressed);
        return 0;
    }
    case WM_CAPTURECHANGED:
        m_pressedLink = -1;
        return 0;
    case WM_GETDLGCODE:
        // Enter opens the first link instead of pressing the dialog's default button.
        if (!m_text.Links.empty() && lParam &&
            reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
            return DLGC_WANTALLKEYS;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            OpenLink(0);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        ::InvalidateRect(Handle(), nullptr, FALSE);
        break;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void THtmlLabel::PaintContent(HDC dc, const Rect& area) {
    const Rect client = ClientRect();
    m_buffer.SetSize(client.Width(), client.Height());
    const HDC buffer = m_buffer.Dc();
    const RECT all{0, 0, client.Width(), client.Height()};
    ::FillRect(buffer, &all, ::GetSysColorBrush(COLOR_WINDOW));
    ::SetBkMode(buffer, TRANSPARENT);
    const Point origin = Origin();
    SelectGuard brush(buffer, ::GetStockObject(DC_BRUSH));
    SelectGuard font(buffer, ::GetStockObject(DEFAULT_GUI_FONT));
    RECT focus{};
    for (const THtmlPiece& piece : m_layout.Pieces) {
        const THtmlRun& run = m_text.Runs[piece.Run];
        const RECT box{origin.X + piece.Bounds.Left, origin.Y + piece.Bounds.Top,
                       origin.X + piece.Bounds.Right, origin.Y + piece.Bounds.Bottom};
        if (run.Link == 0) ::UnionRect(&focus, &focus, &box);
        if (box.bottom <= 0 || box.top >= client.Height()) continue;
        if (run.Style.BgColor != clNone) {
            ::SetDCBrushColor(buffer, CanvasColor(run.Style.BgColor));
            ::PatBlt(buffer, box.left, box.top, box.right - box.left, box.bottom - box.top,
                     PATCOPY);
        }
        ::SelectObject(buffer, FontFor(run));
        ::SetTextColor(buffer, TextColor(run));
        TextAtMeasuredPlaces(buffer, box.left, box.top, piece.Text);
    }
    const auto uiState = static_cast<UINT>(::SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0));
    if (::GetFocus() == Handle() && !(uiState & UISF_HIDEFOCUS) && !::IsRectEmpty(&focus)) {
        ::InflateRect(&focus, 1, 1);
        ::DrawFocusRect(buffer, &focus);
    }
    ::BitBlt(dc, area.Left, area.Top, area.Width(), area.Height(), buffer, area.Left, area.Top,
             SRCCOPY);
}
