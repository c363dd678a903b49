#include "TextFit.h"

#include "storage/TextCodec.h"
#include "util/Dpi.h"
#include "util/win/Controls.h"
#include "util/win/Fonts.h"
#include "util/win/Handles.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

namespace {

// How a control lays out its text and what it keeps beside it.
struct TTextLayout {
    UINT Format = DT_SINGLELINE; // DrawText's flags for the text
    int LeftInset = 0;           // taken from the room on the left ...
    int RightInset = 0;          // ... and on the right
    bool HeightCounts = true;    // false: the text may stand out (a group's caption)
};

std::wstring ClassOf(HWND wnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(wnd, name, 64);
    return name;
}

bool IsClass(const std::wstring& cls, const wchar_t* name) {
    return _wcsicmp(cls.c_str(), name) == 0;
}

// The part of the control's client area that its parents show, in its own
// client coordinates: a control reaching past a parent's edge is cut there.
RECT VisibleClientRect(HWND control, HWND window) {
    RECT visible{};
    ::GetClientRect(control, &visible);
    ::MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&visible), 2);
    for (HWND parent = ::GetParent(control); parent; parent = ::GetParent(parent)) {
        RECT client{};
        ::GetClientRect(parent, &client);
        ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        ::IntersectRect(&visible, &visible, &client);
        if (parent == window) break;
    }
    ::MapWindowPoints(nullptr, control, reinterpret_cast<POINT*>(&visible), 2);
    return visible;
}

// A static's text: wrapped at its width unless it is one of the single-line
// kinds; pictures, frames and owner-drawn statics show none.
bool StaticLayout(LONG_PTR style, TTextLayout& layout) {
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        layout.Format = DT_WORDBREAK;
        break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        layout.Format = DT_SINGLELINE;
        break;
    default:
        return false;
    }
    // A text ending in an ellipsis is a text cut off too: measured whole.
    if (style & SS_ELLIPSISMASK) layout.Format = DT_SINGLELINE;
    layout.Format |= DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    return true;
}

// A button's text: inside the frame of a push button, right of the box of a
// check box or radio, between the frame's ends for a group's caption.
// Owner-drawn buttons and buttons showing a picture show no text of theirs.
bool ButtonLayout(HWND control, HDC dc, LONG_PTR style, UINT dpi, TTextLayout& layout) {
    if (style & (BS_BITMAP | BS_ICON)) return false;
    layout.Format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: {
        // The frame and the gap inside it on each side.
        const int frame = ScaleToDpi(4, dpi);
        layout.LeftInset = layout.RightInset = frame;
        return true;
    }
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        // The box, then half a digit's width of space before the text.
        int digit = 0;
        ::GetCharWidth32W(dc, L'0', L'0', &digit);
        const int box = ScaleToDpi(13, dpi) + digit / 2;
        if ((style & BS_LEFTTEXT) || (::GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_RIGHT))
            layout.RightInset = box;
        else
            layout.LeftInset = box;
        return true;
    }
    case BS_GROUPBOX:
        // The caption interrupts the frame's top line: the frame's corners
        // and a little line stay on either side of it.
        layout.LeftInset = layout.RightInset = ScaleToDpi(8, dpi);
        layout.HeightCounts = false;
        return true;
    default:
        return false;
    }
}

TTextFit Measure(HWND control, HWND window, HDC dc, const std::wstring& cls,
                 const std::wstring& text, const TTextLayout& layout) {
    const RECT visible = VisibleClientRect(control, window);
    RECT own{};
    ::GetClientRect(control, &own);
    // Wrapped where the control wraps it: at its own width, whatever of it
    // its parents show.
    const int ownWidth = own.right - own.left - layout.LeftInset - layout.RightInset;
    RECT calc{0, 0, std::max(ownWidth, 1), 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &calc,
                DT_CALCRECT | layout.Format);
    TTextFit fit;
    fit.Id = ::GetDlgCtrlID(control);
    fit.Class = cls;
    fit.Text = text;
    fit.Needed = {calc.right - calc.left, calc.bottom - calc.top};
    RECT line{};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line,
                DT_CALCRECT | DT_SINGLELINE | (layout.Format & (DT_NOPREFIX | DT_EXPANDTABS)));
    fit.OneLineWidth = line.right - line.left;
    fit.Room = {std::max(0L, visible.right - visible.left - layout.LeftInset - layout.RightInset),
                std::max(0L, visible.bottom - visible.top)};
    if (!layout.HeightCounts) fit.Room.cy = fit.Needed.cy;
    return fit;
}

struct TWalk {
    HWND Window;
    std::vector<TTextFit> Fits;
};

void MeasureControl(HWND control, TWalk& walk) {
    const std::wstring cls = ClassOf(control);
    const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    WindowDC screen(control);
    const HDC dc = screen.Get();
    const SelectGuard selected(dc, font);
    const UINT dpi = WindowDpi(control);
    const auto add = [&](const std::wstring& text, const TTextLayout& layout) {
        if (!text.empty())
            walk.Fits.push_back(Measure(control, walk.Window, dc, cls, text, layout));
    };

    TTextLayout layout;
    if (IsClass(cls, WC_STATICW)) {
        if (StaticLayout(style, layout)) add(WindowText(control), layout);
    } else if (IsClass(cls, WC_BUTTONW)) {
        if (ButtonLayout(control, dc, style, dpi, layout)) add(WindowText(control), layout);
    } else if (IsClass(cls, L"TMVLabel")) {
        // A link label: one line, as written.
        layout.Format = DT_SINGLELINE | DT_NOPREFIX;
        add(WindowText(control), layout);
    } else if (IsClass(cls, WC_EDITW)) {
        // Only what the program writes for reading: a read-only line.
        if (!(style & ES_READONLY) || (style & ES_MULTILINE)) return;
        const auto margins = static_cast<DWORD>(::SendMessageW(control, EM_GETMARGINS, 0, 0));
        layout.Format = DT_SINGLELINE | DT_NOPREFIX;
        layout.LeftInset = LOWORD(margins);
        layout.RightInset = HIWORD(margins);
        add(WindowText(control), layout);
    } else if (IsClass(cls, WC_COMBOBOXW)) {
        // A drop-down list shows the chosen entry in its field, beside the
        // arrow: each entry has to fit there.
        if ((style & 3) != CBS_DROPDOWNLIST) return;
        COMBOBOXINFO info{sizeof(info)};
        if (!::GetComboBoxInfo(control, &info)) return;
        RECT client{};
        ::GetClientRect(control, &client);
        layout.Format = DT_SINGLELINE | DT_NOPREFIX;
        layout.LeftInset = info.rcItem.left - client.left;
        layout.RightInset = client.right - info.rcItem.right;
        layout.HeightCounts = false; // the field takes the font's height
        const auto count = ::SendMessageW(control, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring entry(
                static_cast<std::size_t>(std::max<LRESULT>(
                    0, ::SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0))),
                L'\0');
            ::SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(entry.data()));
            entry.resize(std::wcslen(entry.c_str()));
            add(entry, layout);
        }
    }
}

BOOL CALLBACK Visit(HWND control, LPARAM param) {
    MeasureControl(control, *reinterpret_cast<TWalk*>(param));
    return TRUE; // EnumChildWindows descends into every level by itself
}

} // namespace

std::vector<TTextFit> MeasureControlTexts(HWND window) {
    TWalk walk{window, {}};
    ::EnumChildWindows(window, &Visit, reinterpret_cast<LPARAM>(&walk));
    return walk.Fits;
}

std::string Describe(const TTextFit& fit) {
    return "id " + std::to_string(fit.Id) + " " + EncodeUtf8(fit.Class) + " \"" +
           EncodeUtf8(fit.Text) + "\": needs " + std::to_string(fit.Needed.cx) + " x " +
           std::to_string(fit.Needed.cy) + ", has " + std::to_string(fit.Room.cx) + " x " +
           std::to_string(fit.Room.cy) + " (one line: " + std::to_string(fit.OneLineWidth) + ")";
}
