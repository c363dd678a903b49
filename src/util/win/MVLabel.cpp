#include "util/win/MVLabel.h"

#include "util/Canvas.h"
#include "util/LocalText.h"
#include "util/SmallControlRules.h"
#include "util/win/Clipboard.h"
#include "util/win/Fonts.h"
#include "util/win/OffscreenBitmap.h"
#include "util/win/ShellExec.h"
#include "util/win/SysColors.h"
#include "util/win/WindowRects.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr UINT CopyItemId = 1;
// The context menu's item when the label names none of its own.
constexpr LocalText CopyItem{L"Kopieren", L"Copy"};
constexpr UINT_PTR LeaveCheckTimer = 1;
constexpr UINT TextFormat = DT_LEFT | DT_TOP | DT_NOPREFIX | DT_EXPANDTABS;
constexpr TColor clNavy = 0x800000;
// Room for the focus rectangle around the text, so that it does not cross
// the letters or the underline.
constexpr int FocusMargin = 1;

TLabelFont LinkFont(TColor color) {
    TLabelFont font{GetSysGuiFont(96), color};
    font.Face.lfUnderline = TRUE;
    return font;
}

// How far right the caption's ink reaches when drawn at x = 0 in the
// font: a slash or an italic letter leans past its advance, and some font
// renderers place glyphs wider than the extent they report. Drawn once per
// change of caption or font, white on black, and read back.
int InkRight(HFONT font, const std::wstring& caption, const RECT& extent) {
    const int slack = extent.bottom; // a line's height covers any lean
    OffscreenBitmap scratch;
    scratch.SetSize(extent.right + slack, extent.bottom);
    const HDC dc = scratch.Dc();
    const RECT all{0, 0, scratch.Width(), scratch.Height()};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    SelectGuard guard(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    RECT area = all;
    ::DrawTextW(dc, caption.c_str(), -1, &area, TextFormat);
    ::GdiFlush();
    const int stride = (scratch.Width() * 3 + 3) & ~3;
    for (int x = scratch.Width() - 1; x >= 0; --x)
        for (int y = 0; y < scratch.Height(); ++y)
            if (scratch.Bits()[y * stride + x * 3 + 1] != 0) return x + 1;
    return 0;
}

const wchar_t* ItemCaption(const std::wstring& caption) {
    return caption.empty() ? CopyItem() : caption.c_str();
}

} // namespace

TMVLabel::TMVLabel() : m_fontNormal(LinkFont(clNavy)), m_fontHover(LinkFont(clBlue)) {}

void TMVLabel::Create(HWND parent, int id, const Rect& bounds, const std::wstring& caption) {
    m_caption = caption;
    RegisterClassOnce(L"TMVLabel", ::LoadCursorW(nullptr, IDC_HAND), nullptr);
    CreateChild(L"TMVLabel", caption, m_commandEnabled ? WS_TABSTOP : 0, 0, bounds, parent, id);
    ScaleFontsTo(WindowDpi(Handle()));
    Loaded();
}

void TMVLabel::SetCaption(const std::wstring& caption) {
    if (Handle())
        ::SetWindowTextW(Handle(), caption.c_str()); // WM_SETTEXT keeps m_caption
    else
        m_caption = caption;
}

void TMVLabel::SetFontNormal(const TLabelFont& font) {
    m_fontNormal = font;
    RefreshFont();
}

void TMVLabel::SetFontHover(const TLabelFont& font) {
    m_fontHover = font;
    RefreshFont();
}

HFONT TMVLabel::CurrentFont() const {
    return CachedFont((Hover && m_mouseInside ? m_fontHover : m_fontNormal).Face);
}

void TMVLabel::SetCopyMenu(bool value) {
    if (value == CopyMenu()) return;
    if (!value) {
        m_copyMenu.Reset();
        return;
    }
    m_copyMenu.Reset(::CreatePopupMenu());
    ::AppendMenuW(m_copyMenu.Get(), MF_STRING, CopyItemId, ItemCaption(m_copyMenuCaption));
}

void TMVLabel::SetCopyMenuCaption(const std::wstring& caption) {
    m_copyMenuCaption = caption;
    if (m_copyMenu)
        ::ModifyMenuW(m_copyMenu.Get(), CopyItemId, MF_BYCOMMAND | MF_STRING, CopyItemId,
                      ItemCaption(m_copyMenuCaption));
}

void TMVLabel::SetCommandEnabled(bool value) {
    m_commandEnabled = value;
    UpdateTabStop();
}

void TMVLabel::UpdateTabStop() {
    if (!Handle()) return;
    const LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
    ::SetWindowLongPtrW(Handle(), GWL_STYLE,
                        m_commandEnabled ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
}

void TMVLabel::SetParentFontFix(bool value) {
    if (value == m_parentFontFix) return;
    m_parentFontFix = value;
    if (value) ParentFontChanged();
}

void TMVLabel::ParentFontChanged() {
    if (!m_parentFontFix || !Handle()) return;
    const HWND parent = ::GetParent(Handle());
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0));
    // A parent without a font of its own shows the system's message font.
    if (font)
        TakeFontNameSize(font);
    else
        TakeFontNameSize(CachedFont(GetSysGuiFont(WindowDpi(Handle()))));
}

void TMVLabel::TakeFontNameSize(HFONT font) {
    LOGFONTW source{};
    if (!font || ::GetObjectW(font, sizeof(source), &source) != sizeof(source)) return;
    FontSetNameSize(source, m_fontNormal.Face);
    FontSetNameSize(source, m_fontHover.Face);
    RefreshFont();
}

void TMVLabel::ScaleFontsTo(UINT dpi) {
    if (dpi == m_fontDpi || dpi == 0) return;
    for (TLabelFont* font : {&m_fontNormal, &m_fontHover})
        font->Face.lfHeight =
            ::MulDiv(font->Face.lfHeight, static_cast<int>(dpi), static_cast<int>(m_fontDpi));
    m_fontDpi = dpi;
}

void TMVLabel::Loaded() {
    if (m_parentFontFix) ParentFontChanged();
    RefreshFont();
}

void TMVLabel::RefreshFont() {
    if (!Handle()) return;
    AdjustSize();
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TMVLabel::AdjustSize() {
    if (!AutoSize || !Handle()) return;
    WindowDC dc(Handle());
    Size size;
    for (const TLabelFont* font : {&m_fontNormal, &m_fontHover}) {
        const HFONT shown = CachedFont(font->Face);
        SelectGuard guard(dc.Get(), shown);
        RECT r{0, 0, 0, 0};
        // An empty caption still has the height of a line.
        ::DrawTextW(dc.Get(), m_caption.empty() ? L" " : m_caption.c_str(), -1, &r,
                    TextFormat | DT_CALCRECT);
        size.Width = std::max<int>({size.Width, r.right, InkRight(shown, m_caption, r)});
        size.Height = std::max<int>(size.Height, r.bottom);
    }
    ::SetWindowPos(Handle(), nullptr, 0, 0, size.Width + 2 * FocusMargin,
                   size.Height + 2 * FocusMargin, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TMVLabel::ExecuteCmd() {
    const std::wstring target = LinkLabelTarget(Command, m_caption);
    if (target.empty()) return false;
    return RunFileExt(L"open", L"", target, nullptr, false, SW_SHOWMAXIMIZED, L"", L"");
}

void TMVLabel::Click() {
    if (OnClick) OnClick(*this);
    if (m_commandEnabled) ExecuteCmd();
}

void TMVLabel::MouseEntered() {
    m_mouseInside = true;
    TRACKMOUSEEVENT track{sizeof(track)};
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = Handle();
    ::TrackMouseEvent(&track);
    // The leave notice can go missing (Wine drops it now and then when the
    // pointer moves on to another window of the thread): while the pointer
    // is inside, a slow check catches that.
    ::SetTimer(Handle(), LeaveCheckTimer, 250, nullptr);
    if (Hover) ::InvalidateRect(Handle(), nullptr, TRUE);
    if (OnMouseEnter) OnMouseEnter(*this);
}

bool TMVLabel::PointerInside() const {
    POINT at{};
    return ::GetCursorPos(&at) && ::WindowFromPoint(at) == Handle();
}

void TMVLabel::MouseLeft() {
    m_mouseInside = false;
    ::KillTimer(Handle(), LeaveCheckTimer);
    if (Hover) ::InvalidateRect(Handle(), nullptr, TRUE);
    if (OnMouseExit) OnMouseExit(*this);
}

void TMVLabel::ShowCopyMenu(LPARAM at) {
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at == -1) { // from the keyboard: below the label
        const Rect r = WindowRectOf(Handle());
        p = {r.Left, r.Bottom};
    }
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(m_copyMenu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, p.x, p.y,
                         0, Handle(), nullptr));
    if (chosen == CopyItemId) CopyTextToClipboard(Handle(), m_caption);
}

LRESULT TMVLabel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETTEXT: {
        m_caption = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
        const LRESULT result = Default(msg, wParam, lParam);
        RefreshFont();
        return result;
    }
    case WM_SETFONT:
        // The parent hands its font on (see the header).
        if (m_parentFontFix) TakeFontNameSize(reinterpret_cast<HFONT>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(CurrentFont());
    case WM_DPICHANGED_AFTERPARENT:
        ScaleFontsTo(WindowDpi(Handle()));
        RefreshFont();
        return 0;
    case WM_MOUSEMOVE:
        if (!m_mouseInside) MouseEntered();
        return 0;
    case WM_MOUSELEAVE:
        if (m_mouseInside) MouseLeft();
        return 0;
    case WM_TIMER:
        if (wParam != LeaveCheckTimer) break;
        if (m_mouseInside && !PointerInside()) MouseLeft();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_pressed = true;
        ::SetCapture(Handle());
        return 0;
    case WM_LBUTTONUP: {
        if (!m_pressed) return 0;
        m_pressed = false;
        ::ReleaseCapture();
        RECT client{};
        ::GetClientRect(Handle(), &client);
        if (::PtInRect(&client, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        m_pressed = false;
        return 0;
    case WM_CONTEXTMENU:
        if (!m_copyMenu) break; // the parent's menu, if it has one
        ShowCopyMenu(lParam);
        return 0;
    case WM_GETDLGCODE:
        // Enter runs the command instead of pressing the dialog's default button.
        if (m_commandEnabled && lParam &&
            reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
            return DLGC_WANTALLKEYS;
        return DLGC_STATIC;
    case WM_KEYDOWN:
        if (m_commandEnabled && (wParam == VK_RETURN || wParam == VK_SPACE)) {
            Click();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
        ::InvalidateRect(Handle(), nullptr, TRUE);
        break;
    case WM_ERASEBKGND:
        return 1; // painted whole in PaintContent
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void TMVLabel::PaintContent(HDC dc, const Rect& /*area*/) {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    ::FillRect(dc, &client, ParentBackgroundBrush(Handle(), dc));
    const TLabelFont& font = Hover && m_mouseInside ? m_fontHover : m_fontNormal;
    SelectGuard fontGuard(dc, CachedFont(font.Face));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::IsWindowEnabled(Handle()) ? static_cast<COLORREF>(CanvasColor(font.Color))
                                                   : ::GetSysColor(COLOR_GRAYTEXT));
    RECT text = client;
    ::InflateRect(&text, -FocusMargin, -FocusMargin);
    ::DrawTextW(dc, m_caption.c_str(), -1, &text, TextFormat);
    const auto uiState = static_cast<UINT>(::SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0));
    if (::GetFocus() == Handle() && !(uiState & UISF_HIDEFOCUS)) ::DrawFocusRect(dc, &client);
}
