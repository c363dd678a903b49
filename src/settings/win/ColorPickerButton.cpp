#include "settings/win/ColorPickerButton.h"

#include "util/Canvas.h"
#include "util/win/Fonts.h"
#include "util/win/Handles.h"
#include "util/win/MvTheme.h"
#include "util/win/WindowRects.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

constexpr int SideButtonId = 1;

RECT ToWin(const Rect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

bool IsAltDown(UINT msg, WPARAM key) {
    return msg == WM_SYSKEYDOWN && key == VK_DOWN;
}

} // namespace

void TColorPickerButton::Create(HWND parent, int id, const Rect& bounds) {
    RegisterClassOnce(L"TColorPickerButton", ::LoadCursorW(nullptr, IDC_ARROW), nullptr);
    CreateWnd(L"TColorPickerButton", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
              WS_EX_TRANSPARENT | WS_EX_CONTROLPARENT, bounds.Left, bounds.Top, bounds.Width(),
              bounds.Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    m_btnShowPal = ::CreateWindowExW(
        0, L"BUTTON", ButtonCaption.empty() ? L"..." : ButtonCaption.c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 1, 1, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(SideButtonId)), nullptr, nullptr);
    ::SendMessageW(m_btnShowPal, WM_SETFONT,
                   reinterpret_cast<WPARAM>(CachedFont(GetSysGuiFont(Dpi()))), FALSE);
    ::SetWindowSubclass(m_btnShowPal, SideButtonProc, 0, reinterpret_cast<DWORD_PTR>(this));
    PlaceSideButton();
}

TColorPickerButtonLayout TColorPickerButton::FaceLayout() const {
    const Rect client = ClientRect();
    return ColorPickerButtonLayout({client.Width(), client.Height()},
                                   ::MulDiv(ButtonWidth, static_cast<int>(Dpi()), 96));
}

void TColorPickerButton::PlaceSideButton() {
    if (!m_btnShowPal) return;
    const Rect side = FaceLayout().SideButton;
    ::SetWindowPos(m_btnShowPal, nullptr, side.Left, side.Top, side.Width(), side.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void TColorPickerButton::SetSelectionColor(TColor color) {
    m_selectionColor = color;
    if (m_popup.IsOpen()) {
        m_popup.Model.SelectColor(color);
        ::InvalidateRect(m_popup.Handle(), nullptr, FALSE);
    }
    if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TColorPickerButton::RaiseClick() {
    const TColor before = m_selectionColor;
    if (OnClick) OnClick(*this);
    if (OnChange && m_selectionColor != before) OnChange(*this);
}

void TColorPickerButton::SetDroppedDown(bool value) {
    switch (DropDownAction(PopUpPicker, m_droppedDown, value)) {
    case TDropDownAction::None:
        return;
    case TDropDownAction::RaiseClick:
        RaiseClick();
        return;
    case TDropDownAction::Close:
        m_popup.Cancel();
        return;
    case TDropDownAction::Open:
        break;
    }
    TColorPopup& model = m_popup.Model;
    model.ShowCombs = ShowCombs;
    model.ColorPal = ColorPal;
    model.DefaultColor = DefaultColor;
    model.DefaultText = DefaultText;
    model.CustomText = CustomText;
    model.ShowSysColors = ShowSystemColors;
    model.HasCustomClick = static_cast<bool>(OnClick);
    m_popup.ShowHints = ShowHint;
    m_popup.OnHint = [this](int cell) {
        std::wstring hint = Hint;
        if (OnHint) OnHint(*this, cell, hint);
        return hint;
    };

    const Rect onScreen = WindowRectOf(Handle());
    m_droppedDown = true;
    ::InvalidateRect(Handle(), nullptr, FALSE);
    const TPopupResult result = m_popup.Execute(Handle(), onScreen, m_selectionColor);
    m_droppedDown = false;
    if (!Handle()) return; // the button went while the popup was open
    ::InvalidateRect(Handle(), nullptr, FALSE);

    if (result.CustomClick) {
        RaiseClick();
        return;
    }
    if (result.End.Cancelled) return;
    if (result.End.Color) SetSelectionColor(*result.End.Color);
    if (result.End.DefaultSelected && OnDefaultSelect) OnDefaultSelect(*this);
    if (OnChange) OnChange(*this);
}

LRESULT CALLBACK TColorPickerButton::SideButtonProc(HWND wnd, UINT msg, WPARAM wParam,
                                                    LPARAM lParam, UINT_PTR /*id*/,
                                                    DWORD_PTR self) {
    auto* button = reinterpret_cast<TColorPickerButton*>(self);
    switch (msg) {
    case WM_GETDLGCODE:
        // Enter opens the popup instead of pressing the dialog's default button.
        if (lParam && reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
            return DLGC_WANTALLKEYS | DLGC_BUTTON;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            button->SetDroppedDown(true);
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        if (IsAltDown(msg, wParam)) {
            button->SetDroppedDown(true);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(wnd, SideButtonProc, 0);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(wnd, msg, wParam, lParam);
}

LRESULT TColorPickerButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        PlaceSideButton();
        ::InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_ENABLE:
        if (m_btnShowPal) ::EnableWindow(m_btnShowPal, static_cast<BOOL>(wParam));
        ::InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == SideButtonId && HIWORD(wParam) == BN_CLICKED) {
            SetDroppedDown(true);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN: {
        const Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (::IsWindowEnabled(Handle()) && !m_droppedDown && FaceLayout().Swatch.Contains(p))
            SetDroppedDown(true);
        return 0;
    }
    case WM_SYSKEYDOWN:
        if (IsAltDown(msg, wParam)) {
            SetDroppedDown(true);
            return 0;
        }
        break;
    case WM_SETCURSOR: {
        if (LOWORD(lParam) != HTCLIENT) break;
        POINT at{};
        ::GetCursorPos(&at);
        ::ScreenToClient(Handle(), &at);
        const TPickerCursor cursor =
            ColorPickerCursor(FaceLayout(), {at.x, at.y}, ::IsWindowEnabled(Handle()) != FALSE);
        const wchar_t* shape = cursor == TPickerCursor::Hand      ? IDC_HAND
                               : cursor == TPickerCursor::NoEntry ? IDC_NO
                                                                  : IDC_ARROW;
        ::SetCursor(::LoadCursorW(nullptr, shape));
        return TRUE;
    }
    case WM_DPICHANGED_AFTERPARENT:
        ::SendMessageW(m_btnShowPal, WM_SETFONT,
                       reinterpret_cast<WPARAM>(CachedFont(GetSysGuiFont(WindowDpi(Handle())))),
                       TRUE);
        PlaceSideButton();
        break;
    case WM_DESTROY:
        m_popup.Cancel();
        break;
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void TColorPickerButton::PaintContent(HDC dc, const Rect& /*area*/) {
    const TColorPickerButtonLayout layout = FaceLayout();
    const Rect client = ClientRect();
    RECT all = ToWin({client.Left, client.Top, layout.SideButton.Left, client.Bottom});
    ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    ThemePaintEditBorder(dc, ToWin(layout.Swatch));
    if (!layout.SwatchInside.IsEmpty()) {
        RECT inside = ToWin(layout.SwatchInside);
        ::SetDCBrushColor(dc, CanvasColor(m_selectionColor));
        ::FillRect(dc, &inside, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    }
}
