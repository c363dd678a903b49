#include "settings/win/ColorPopupWnd.h"

#include "util/win/Fonts.h"
#include "util/win/GdiCanvas.h"
#include "util/win/Handles.h"

#include <windowsx.h>

#include <cmath>
#include <numbers>

namespace {

constexpr UINT_PTR HintShowTimer = 1;
constexpr UINT_PTR HintHideTimer = 2;

Rect FromRECT(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

std::optional<TPopupKey> PopupKey(WPARAM key) {
    switch (key) {
    case VK_LEFT:
        return TPopupKey::Left;
    case VK_UP:
        return TPopupKey::Up;
    case VK_RIGHT:
        return TPopupKey::Right;
    case VK_DOWN:
        return TPopupKey::Down;
    case VK_RETURN:
        return TPopupKey::Enter;
    case VK_SPACE:
        return TPopupKey::Space;
    case VK_ESCAPE:
        return TPopupKey::Escape;
    default:
        return std::nullopt;
    }
}

} // namespace

void TColorPopupWnd::Create(HWND owner) {
    RegisterClassOnce(ClassName, ::LoadCursorW(nullptr, IDC_ARROW), nullptr,
                      CS_DBLCLKS | CS_SAVEBITS);
    CreateWnd(ClassName, L"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, -1000, -1000, 1, 1,
              owner);
}

void TColorPopupWnd::Layout(UINT dpi) {
    m_font = CachedFont(GetSysGuiFont(dpi));
    WindowDC screen(nullptr);
    GdiCanvas canvas(screen.Get(), m_font, nullptr);
    Model.AdjustWindow(canvas, ::GetSystemMetricsForDpi(SM_CXEDGE, dpi), static_cast<int>(dpi));
    m_layoutDpi = dpi;
}

TPopupResult TColorPopupWnd::Execute(HWND button, const Rect& buttonOnScreen, TColor current) {
    if (m_open) return {{true, std::nullopt, false}, false};
    // Owned by no window: under Wine an owned top-most popup can stay below
    // its owner, and one owned by the hidden application window below the
    // active dialog. (Wine's taskbar then shows an empty button for it while
    // it is open; Windows keeps tool windows out of the taskbar.)
    if (!Handle()) Create(nullptr);
    Layout(WindowDpi(button));
    Model.Open(current);

    // The work area of the button's monitor, not of the primary one.
    const RECT buttonRect{buttonOnScreen.Left, buttonOnScreen.Top, buttonOnScreen.Right,
                          buttonOnScreen.Bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromRect(&buttonRect, MONITOR_DEFAULTTONEAREST), &monitor);
    const Size size = Model.WindowSize();
    const Point at = ShowPopupAligned(buttonOnScreen, size, FromRECT(monitor.rcWork));
    ::SetWindowPos(Handle(), HWND_TOPMOST, at.X, at.Y, size.Width, size.Height,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // Once more when shown: Wine stacks a window it shows for the first time
    // below the active dialog now and then.
    ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    ::SetCapture(Handle());
    m_open = true;
    m_leftDown = false;
    m_result.reset();

    // Keys go to the popup whichever window has the focus; the loop ends with
    // the popup, or gives a quit message back to the outer loop.
    while (!m_result) {
        MSG msg{};
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_result = TPopupResult{Model.EndSelection(true), false};
            break;
        }
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            HandleKey(msg);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_open = false;
    EndHint();
    if (::GetCapture() == Handle()) ::ReleaseCapture();
    ::SetWindowPos(Handle(), nullptr, -1000, -1000, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
    return *m_result;
}

void TColorPopupWnd::Cancel() {
    if (m_open) Reply(TPopupReply::Cancel);
}

void TColorPopupWnd::Reply(TPopupReply reply) {
    switch (reply) {
    case TPopupReply::Stay:
        if (m_open && ::GetCapture() != Handle()) ::SetCapture(Handle());
        ::InvalidateRect(Handle(), nullptr, FALSE);
        return;
    case TPopupReply::EndSelection:
        m_result = TPopupResult{Model.EndSelection(false), false};
        return;
    case TPopupReply::Cancel:
        m_result = TPopupResult{Model.EndSelection(true), false};
        return;
    case TPopupReply::CustomClick:
        m_result = TPopupResult{Model.EndSelection(true), true};
        return;
    }
}

void TColorPopupWnd::HandleKey(const MSG& msg) {
    if (msg.message == WM_KEYDOWN) {
        if (const auto key = PopupKey(msg.wParam)) Reply(Model.KeyDown(*key));
    } else if (msg.message == WM_SYSKEYDOWN) {
        const UINT letter = ::MapVirtualKeyW(static_cast<UINT>(msg.wParam), MAPVK_VK_TO_CHAR);
        if (letter != 0) Reply(Model.AltKey(static_cast<wchar_t>(letter)));
    }
    // Every other key message is swallowed: Alt must not open a menu below.
}

LRESULT TColorPopupWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_MOUSEMOVE:
        if (m_open) {
            const int hover = Model.HoverIndex();
            const int custom = Model.CustomIndex();
            const double intensity = Model.CenterIntensity();
            m_leftDown = (wParam & MK_LBUTTON) != 0;
            Model.MouseMove(p, m_leftDown);
            if (hover != Model.HoverIndex() || custom != Model.CustomIndex() ||
                intensity != Model.CenterIntensity())
                ::InvalidateRect(Handle(), nullptr, FALSE);
            UpdateHint(p);
        }
        return 0;
    case WM_TIMER:
        if (wParam == HintShowTimer) {
            ::KillTimer(Handle(), HintShowTimer);
            if (m_open) ShowPendingHint();
        } else if (wParam == HintHideTimer) {
            ::KillTimer(Handle(), HintHideTimer);
            m_hint.Hide();
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (m_open) {
            m_leftDown = true;
            Reply(Model.MouseDown(p));
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_open) {
            m_leftDown = false;
            Reply(Model.MouseUp(p));
        }
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        // Any press outside closes, as the left one does.
        const Size size = Model.WindowSize();
        if (m_open && !Rect{0, 0, size.Width, size.Height}.Contains(p)) Reply(TPopupReply::Cancel);
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a menu, a system dialog): cancel.
        if (m_open && reinterpret_cast<HWND>(lParam) != Handle() && !m_leftDown)
            Reply(TPopupReply::Cancel);
        return 0;
    case WM_ACTIVATEAPP:
        if (m_open && !wParam) Reply(TPopupReply::Cancel);
        return 0;
    case WM_CANCELMODE:
        Cancel();
        return 0;
    case WM_DESTROY:
        Cancel();
        return Window::HandleMessage(msg, wParam, lParam);
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}

void TColorPopupWnd::PaintContent(HDC dc, const Rect& /*area*/) {
    const Size size = Model.WindowSize();
    m_buffer.SetSize(size.Width, size.Height);
    {
        GdiCanvas canvas(m_buffer.Dc(), m_font, nullptr);
        Model.PaintContent(canvas, m_leftDown);
    }
    DrawChosenComb(m_buffer.Dc());
    ::BitBlt(dc, 0, 0, size.Width, size.Height, m_buffer.Dc(), 0, 0, SRCCOPY);
}

// The chosen comb's outline: a 2-pixel white XOR pen, so it shows on any
// colour and on white.
void TColorPopupWnd::DrawChosenComb(HDC dc) {
    const int custom = Model.CustomIndex();
    if (custom == 0 || !Model.ShowCombs) return;
    const Point centre =
        custom > 0 ? Model.ColorCombCentre(custom - 1) : Model.BWCombCentre(-custom - 1);
    const double scale = custom < 0 && Model.BWCombRadius(-custom - 1) > Model.CombSize() / 2
                             ? 2.0 * Model.CombSize()
                             : Model.CombSize();
    POINT corners[6];
    constexpr double angles[6] = {90, 30, -30, -90, -150, -210};
    for (int i = 0; i < 6; ++i) {
        const double a = angles[i] * std::numbers::pi / 180;
        corners[i] = {centre.X + static_cast<LONG>(std::lround(std::cos(a) / 2 * scale)),
                      centre.Y + static_cast<LONG>(std::lround(std::sin(a) / 2 * scale))};
    }
    UniqueHPen pen(::CreatePen(PS_SOLID, 2, RGB(255, 255, 255)));
    SelectGuard penGuard(dc, pen.Get());
    SelectGuard brushGuard(dc, ::GetStockObject(NULL_BRUSH));
    const int oldRop = ::SetROP2(dc, R2_XORPEN);
    ::Polygon(dc, corners, 6);
    ::SetROP2(dc, oldRop);
}

void TColorPopupWnd::UpdateHint(Point p) {
    if (!ShowHints) return;
    m_hintPointer = p;
    TPopupHint hint = Model.GetHint(p);
    std::wstring text = hint.Kind == TPopupHint::TKind::Text ? hint.Text : L"";
    if (hint.Kind == TPopupHint::TKind::AskOwner && OnHint) text = OnHint(hint.Cell);

    if (hint.Area == m_pendingHint.Area && hint.Kind == m_pendingHint.Kind) {
        // Still the same place: a text that changes there (the slider's
        // intensity while it is dragged) changes in the shown tip.
        if (text != m_hintText) {
            m_hintText = text;
            if (m_hint.Shown()) m_hint.Show(Handle(), text, {});
        }
        return;
    }
    EndHint();
    m_pendingHint = hint;
    m_hintText = text;
    if (!text.empty()) ::SetTimer(Handle(), HintShowTimer, ::GetDoubleClickTime(), nullptr);
}

void TColorPopupWnd::ShowPendingHint() {
    POINT at{};
    if (m_pendingHint.Position) {
        at = {m_pendingHint.Position->X, m_pendingHint.Position->Y};
    } else {
        // Below the pointer, clear of the arrow.
        at = {m_hintPointer.X,
              m_hintPointer.Y + ::GetSystemMetricsForDpi(SM_CYCURSOR, m_layoutDpi) * 2 / 3};
    }
    ::ClientToScreen(Handle(), &at);
    m_hint.Show(Handle(), m_hintText, at);
    // Tooltips hide after ten double-click times unless told otherwise.
    const UINT hideAfter = m_pendingHint.HideTimeoutMs > 0
                               ? static_cast<UINT>(m_pendingHint.HideTimeoutMs)
                               : 10 * ::GetDoubleClickTime();
    ::SetTimer(Handle(), HintHideTimer, hideAfter, nullptr);
}

void TColorPopupWnd::EndHint() {
    if (Handle()) {
        ::KillTimer(Handle(), HintShowTimer);
        ::KillTimer(Handle(), HintHideTimer);
    }
    m_hint.Hide();
    m_pendingHint = {};
    m_hintText.clear();
}
