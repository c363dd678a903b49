#include "util/win/ControlRows.h"
#include "util/Dpi.h"

#include <commctrl.h>

Rect ScaledRowBounds(const TControlRow& row, UINT dpi) {
    const auto scaled = [dpi](int v) { return ScaleToDpi(v, dpi); };
    return {scaled(row.X), scaled(row.Y), scaled(row.X + row.W), scaled(row.Y + row.H)};
}

void PlaceDesign(HWND control, const Rect& design, UINT dpi) {
    const auto scaled = [dpi](int v) { return ScaleToDpi(v, dpi); };
    ::SetWindowPos(control, nullptr, scaled(design.Left), scaled(design.Top),
                   scaled(design.Width()), scaled(design.Height()), SWP_NOZORDER | SWP_NOACTIVATE);
}

int RowControlId(const TControlRow& row, std::size_t index, int firstCaptionId) {
    return row.Id ? row.Id : firstCaptionId + static_cast<int>(index);
}

HWND CreateControlRow(HWND parent, const TControlRow& row, int id, UINT dpi, HFONT font) {
    using enum TControlKind;
    const wchar_t* cls = WC_BUTTONW;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (row.Kind) {
    // A caption ends the radio group before it.
    case Label:
        cls = WC_STATICW;
        style |= SS_LEFT | WS_GROUP;
        break;
    case Text:
        cls = WC_STATICW;
        style |= SS_LEFT | SS_NOPREFIX | WS_GROUP;
        break;
    case Edit:
    case NumberEdit:
        cls = WC_EDITW;
        style |= WS_TABSTOP | ES_AUTOHSCROLL | (row.Kind == NumberEdit ? ES_NUMBER : 0);
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case UpDown:
        cls = UPDOWN_CLASSW;
        style |= UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
        break;
    case Button:
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    case DefaultButton:
        style |= WS_TABSTOP | BS_DEFPUSHBUTTON;
        break;
    case Check:
        style |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
    case Radio:
        style |= BS_AUTORADIOBUTTON;
        break;
    case Group:
        style |= BS_GROUPBOX;
        break;
    case HotKey:
        cls = HOTKEY_CLASSW;
        style |= WS_TABSTOP;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case Custom:
        return nullptr;
    }
    const HWND wnd = ::CreateWindowExW(exStyle, cls, row.Text(), style, 0, 0, 0, 0, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       ::GetModuleHandleW(nullptr), nullptr);
    if (!wnd) return nullptr;
    ::SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (row.Kind == UpDown) {
        // It stands at the right end of its field, the edit created just before.
        ::SendMessageW(wnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetWindow(wnd, GW_HWNDPREV)),
                       0);
        return wnd;
    }
    const Rect place = ScaledRowBounds(row, dpi);
    ::SetWindowPos(wnd, nullptr, place.Left, place.Top, place.Width(), place.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return wnd;
}

void PlaceControlRows(HWND parent, std::span<const TControlRow> rows, int firstCaptionId, UINT dpi,
                      HFONT font) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TControlRow& row = rows[i];
        const HWND wnd = ::GetDlgItem(parent, RowControlId(row, i, firstCaptionId));
        if (!wnd) continue;
        if (row.Kind == TControlKind::UpDown) { // it follows its field
            ::SendMessageW(wnd, UDM_SETBUDDY,
                           reinterpret_cast<WPARAM>(::GetWindow(wnd, GW_HWNDPREV)), 0);
            continue;
        }
        if (row.Kind != TControlKind::Custom)
            ::SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const Rect place = ScaledRowBounds(row, dpi);
        ::SetWindowPos(wnd, nullptr, place.Left, place.Top, place.Width(), place.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::InvalidateRect(parent, nullptr, TRUE);
}
