#include "colour/win/ajColorPickerPanels.h"

#include "util/win/Bitmaps.h"
#include "util/win/Fonts.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

constexpr wchar_t kGraphicClass[] = L"DravikajGraphicPanel";
constexpr wchar_t kEditRowClass[] = L"DravikajRGBEditPanel";
// Red, green and blue edits in their own light shade.
constexpr std::array<COLORREF, 3> kEditColors{RGB(0xFF, 0x5F, 0x5F), RGB(0x5F, 0xFF, 0x5F),
                                              RGB(0x5F, 0x5F, 0xFF)};
// The edits are 13 pixels high at 96 DPI: the message font would not fit.
constexpr int kEditFontPixels = 10;

HMENU ChildId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

void MoveChild(HWND wnd, const Rect& bounds) {
    ::SetWindowPos(wnd, nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

HCURSOR PickerCursor() {
    static const HCURSOR cursor = [] {
        HCURSOR own = ::LoadCursorW(::GetModuleHandleW(nullptr), L"PICKER");
        return own ? own : ::LoadCursorW(nullptr, IDC_CROSS);
    }();
    return cursor;
}

void FillBackground(HDC dc, const Rect& area, TColor color) {
    UniqueHBrush brush(::CreateSolidBrush(static_cast<COLORREF>(GetRealColor(color))));
    const RECT r = ToRECT(area.Left, area.Top, area.Right, area.Bottom);
    ::FillRect(dc, &r, brush.Get());
}

// Graphic panels.

void TajGraphicPanel::Create(HWND parent, const Rect& bounds, int id) {
    // No double clicks: a quick second press is a press like any other.
    RegisterClassOnce(kGraphicClass, nullptr, nullptr, 0);
    CreateWnd(kGraphicClass, L"", WS_CHILD | WS_VISIBLE, 0, bounds.Left, bounds.Top, bounds.Width(),
              bounds.Height(), parent, ChildId(id));
}

void TajGraphicPanel::SetBounds(const Rect& bounds, int markerRadius) {
    MoveChild(Handle(), bounds);
    m_model.SetSize({bounds.Width(), bounds.Height()}, markerRadius);
    Refresh();
}

void TajGraphicPanel::Refresh() {
    const TRepaint repaint = m_model.TakeRepaint();
    if (!Handle()) return;
    if (repaint.Whole) {
        ::InvalidateRect(Handle(), nullptr, FALSE);
        return;
    }
    for (const Rect& box : repaint.Boxes) {
        const RECT r = ToRECT(box.Left, box.Top, box.Right, box.Bottom);
        ::InvalidateRect(Handle(), &r, FALSE);
    }
}

void TajGraphicPanel::PaintContent(HDC dc, const Rect& area) {
    const TRGBImage& gradient = m_model.Gradient();
    if (gradient.Pixels.empty()) return;
    if (m_bitmapVersion != m_model.GradientVersion()) {
        m_bitmap = CreateBitmapFromImage(gradient);
        m_bitmapVersion = m_model.GradientVersion();
    }
    UniqueHdc memory(::CreateCompatibleDC(dc));
    {
        SelectGuard bitmap(memory.Get(), m_bitmap.Get());
        ::BitBlt(dc, area.Left, area.Top, area.Width(), area.Height(), memory.Get(), area.Left,
                 area.Top, SRCCOPY);
    }
    if (!m_model.HasMarker()) return;
    // A white XOR circle stays visible on every colour of the gradient.
    SelectGuard pen(dc, ::GetStockObject(WHITE_PEN));
    SelectGuard brush(dc, ::GetStockObject(NULL_BRUSH));
    const int oldRop = ::SetROP2(dc, R2_XORPEN);
    const Rect box = m_model.MarkerBox();
    ::Ellipse(dc, box.Left, box.Top, box.Right, box.Bottom);
    ::SetROP2(dc, oldRop);
}

void TajGraphicPanel::Pick(LPARAM lParam) {
    if (!m_model.PickAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return;
    Refresh();
    if (OnHSLChange) OnHSLChange();
}

LRESULT TajGraphicPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // the gradient covers everything
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(m_cursor);
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        ::SetFocus(Handle());
        ::SetCapture(Handle());
        m_dragging = true;
        Pick(lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (m_dragging && (wParam & MK_LBUTTON)) Pick(lParam);
        return 0;
    case WM_LBUTTONUP:
        if (m_dragging) ::ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        m_dragging = false;
        return 0;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

// The edit row.

void TajRGBEditPanel::Create(HWND parent, const Rect& bounds, int id, UINT dpi) {
    RegisterClassOnce(kEditRowClass, nullptr, nullptr, 0);
    CreateWnd(kEditRowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
              bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), parent, ChildId(id));
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i] = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0,
                                       0, Handle(), ChildId(static_cast<int>(i) + 1),
                                       ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowSubclass(m_edits[i], &TajRGBEditPanel::EditProc, 0,
                            reinterpret_cast<DWORD_PTR>(this));
        m_brushes[i].Reset(::CreateSolidBrush(kEditColors[i]));
    }
    LayoutEdits(dpi);
    ShowValues();
}

void TajRGBEditPanel::SetBounds(const Rect& bounds, UINT dpi) {
    MoveChild(Handle(), bounds);
    LayoutEdits(dpi);
}

void TajRGBEditPanel::LayoutEdits(UINT dpi) {
    const int d = static_cast<int>(dpi);
    LOGFONTW font = GetSysGuiFont(dpi);
    font.lfHeight = -ScaleToDpi(kEditFontPixels, d);
    const HFONT handle = CachedFont(font);
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        MoveChild(m_edits[i],
                  ScaleToDpi(Rect::FromSize(TPickerLayout::EditLefts[i], TPickerLayout::EditTop,
                                            TPickerLayout::EditSize.Width,
                                            TPickerLayout::EditSize.Height),
                             d));
        ::SendMessageW(m_edits[i], WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
        // Three digits in 20 pixels leave no room for the usual margins.
        ::SendMessageW(m_edits[i], EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 0));
    }
}

void TajRGBEditPanel::SetBackground(TColor color) {
    m_background = color;
    if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TajRGBEditPanel::SetShown(bool value) {
    m_shown = value;
    ::ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE);
    ShowValues();
}

void TajRGBEditPanel::ShowValues() {
    if (!m_shown) return;
    const auto texts = m_model.Texts();
    m_ignoreChange = true;
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        if (!m_edits[i]) continue;
        ::SendMessageW(m_edits[i], EM_SETLIMITTEXT, static_cast<WPARAM>(m_model.MaxLength()), 0);
        wchar_t current[8] = {};
        ::GetWindowTextW(m_edits[i], current, 8);
        if (texts[i] != current) ::SetWindowTextW(m_edits[i], texts[i].c_str());
    }
    m_ignoreChange = false;
}

void TajRGBEditPanel::EditLeft(HWND edit) {
    wchar_t text[8] = {};
    ::GetWindowTextW(edit, text, 8);
    const std::wstring clean = m_model.LeaveText(text);
    if (clean == text) return;
    // The value itself is unchanged: it was read clamped already.
    m_ignoreChange = true;
    ::SetWindowTextW(edit, clean.c_str());
    m_ignoreChange = false;
}

void TajRGBEditPanel::EditChanged() {
    std::array<std::wstring, 3> texts;
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        wchar_t text[8] = {};
        ::GetWindowTextW(m_edits[i], text, 8);
        texts[i] = text;
    }
    m_model.EditsChanged(texts);
    if (OnHSLChange) OnHSLChange();
}

void TajRGBEditPanel::PaintContent(HDC dc, const Rect& area) {
    FillBackground(dc, area, m_background);
}

LRESULT TajRGBEditPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // PaintContent fills
    case WM_CTLCOLOREDIT:
        for (std::size_t i = 0; i < m_edits.size(); ++i)
            if (reinterpret_cast<HWND>(lParam) == m_edits[i]) {
                const HDC dc = reinterpret_cast<HDC>(wParam);
                ::SetBkColor(dc, kEditColors[i]);
                ::SetTextColor(dc, RGB(0, 0, 0));
                return reinterpret_cast<LRESULT>(m_brushes[i].Get());
            }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && !m_ignoreChange) {
            EditChanged();
            return 0;
        }
        if (HIWORD(wParam) == EN_KILLFOCUS) {
            EditLeft(reinterpret_cast<HWND>(lParam));
            return 0;
        }
        break;
    case WM_DESTROY:
        for (HWND edit : m_edits)
            ::RemoveWindowSubclass(edit, &TajRGBEditPanel::EditProc, 0);
        break;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

LRESULT CALLBACK TajRGBEditPanel::EditProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR refData) {
    if (msg == WM_CHAR) {
        auto* self = reinterpret_cast<TajRGBEditPanel*>(refData);
        wchar_t key = static_cast<wchar_t>(wParam);
        if (!self->m_model.FilterKey(key)) return 0;
        wParam = key;
    }
    return ::DefSubclassProc(wnd, msg, wParam, lParam);
}
