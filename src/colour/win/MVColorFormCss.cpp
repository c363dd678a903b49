// The colour window's groups for today's designers: the colour as CSS writes
// it (every notation to read and copy, and a field to type or paste one
// into), its contrast against a second colour with the WCAG verdicts, and the
// history of the colours taken.
#include "colour/win/MVColorForm.h"

#include "colour/ColorTexts.h"
#include "colour/CssColorParse.h"
#include "util/Canvas.h"
#include "util/win/Clipboard.h"
#include "util/win/Controls.h"
#include "util/win/Handles.h"

#include <commctrl.h>

namespace {

void SetTextIfDifferent(HWND wnd, const std::wstring& text) {
    if (WindowText(wnd) != text) ::SetWindowTextW(wnd, text.c_str());
}

std::wstring HexOf(TColor color) {
    return CssNotationText(color, TCssNotation::Hex);
}

constexpr int VerdictIds[] = {idVerdictNormalAA, idVerdictNormalAAA, idVerdictLargeAA,
                              idVerdictLargeAAA};

} // namespace

void TMVColorForm::WriteCssFields() {
    const TCssTexts texts = CssTextsOf(FUserColor, m_cssUpper);
    for (int i = 0; i < CssNotationCount; ++i)
        SetTextIfDifferent(Item(idCssHex + i), texts.Notations[static_cast<std::size_t>(i)]);
    SetTextIfDifferent(Item(idCssName), texts.Name);
}

void TMVColorForm::WriteContrast() {
    m_foreground.SetColor(FUserColor);
    m_backgroundSwatch.SetColor(m_background);
    m_sample.SetColors(FUserColor, m_background);
    const double ratio = ContrastRatio(FUserColor, m_background);
    SetTextIfDifferent(Item(idContrastRatio), ContrastRatioText(ratio));
    m_verdicts = ContrastVerdicts(ratio);
    const bool passed[] = {m_verdicts.NormalAA, m_verdicts.NormalAAA, m_verdicts.LargeAA,
                           m_verdicts.LargeAAA};
    for (int i = 0; i < 4; ++i) {
        const HWND label = Item(VerdictIds[i]);
        const std::wstring text = VerdictText(passed[i]);
        if (WindowText(label) == text) continue;
        ::SetWindowTextW(label, text.c_str());
        ::InvalidateRect(label, nullptr, TRUE); // its colour follows the verdict
    }
}

HBRUSH TMVColorForm::VerdictColors(HWND control, HDC dc) const {
    const bool passed[] = {m_verdicts.NormalAA, m_verdicts.NormalAAA, m_verdicts.LargeAA,
                           m_verdicts.LargeAAA};
    for (int i = 0; i < 4; ++i) {
        if (control != Item(VerdictIds[i])) continue;
        // Dark green and dark red: both readable on the button face.
        ::SetTextColor(dc, passed[i] ? RGB(0, 100, 0) : RGB(170, 0, 0));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    return nullptr;
}

void TMVColorForm::SetBackground(TColor color) {
    m_background = EditableColor(color);
    WriteContrast();
}

void TMVColorForm::SwapColors() {
    const TColor background = m_background;
    m_background = FUserColor;
    SetNewColor(background); // writes the contrast with the new background too
}

void TMVColorForm::PickBackground() {
    if (const auto picked = RunShot()) {
        SetBackground(*picked);
        AddToHistory(*picked);
    }
}

void TMVColorForm::OnPaletteClick(TColorPal& sender, int id) {
    if (m_palettes.at(id)->ShiftClick()) {
        // Shift+click: the cell's colour becomes the background; the palette
        // shows the current colour again.
        SetBackground(sender.ActiveColor());
        sender.SetActiveColor(FUserColor);
        return;
    }
    SetNewColor(id, sender.ActiveColor(), true);
    m_paletteTook = true;
}

void TMVColorForm::AddToHistory(TColor color) {
    if (m_history.Add(color)) ShowHistory();
}

void TMVColorForm::ShowHistory() {
    const auto& colors = m_history.Colors();
    for (int i = 0; i <= idHistoryLast - idHistoryFirst; ++i) {
        const HWND cell = Item(idHistoryFirst + i);
        const bool used = static_cast<std::size_t>(i) < colors.size();
        // Screen readers read the cell's colour as its name.
        SetTextIfDifferent(cell, used ? HexOf(colors[static_cast<std::size_t>(i)]) : L"");
        ::EnableWindow(cell, used);
        ::InvalidateRect(cell, nullptr, FALSE);
    }
}

void TMVColorForm::DrawHistoryCell(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    ::FillRect(item.hDC, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    const auto index = static_cast<std::size_t>(static_cast<int>(item.CtlID) - idHistoryFirst);
    const auto& colors = m_history.Colors();
    if (index >= colors.size()) {
        ::DrawEdge(item.hDC, &r, BDR_SUNKENOUTER, BF_RECT);
        return;
    }
    ::DrawEdge(item.hDC, &r, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : BDR_SUNKENINNER,
               BF_RECT | BF_ADJUST);
    const UniqueHBrush brush(::CreateSolidBrush(CanvasColor(colors[index])));
    ::FillRect(item.hDC, &r, brush.Get());
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        ::InflateRect(&focus, -Scale(3), -Scale(3));
        ::SetTextColor(item.hDC, RGB(0, 0, 0));
        ::SetBkColor(item.hDC, RGB(255, 255, 255));
        ::DrawFocusRect(item.hDC, &focus);
    }
}

void TMVColorForm::OnCssCommand(int id, int code) {
    if (id >= idCopyCssHex && id <= idCopyCssName) {
        if (code == BN_CLICKED) CopyCssField(id);
    } else if (id >= idHistoryFirst && id <= idHistoryLast) {
        const auto index = static_cast<std::size_t>(id - idHistoryFirst);
        if (code == BN_CLICKED && index < m_history.Colors().size())
            SetNewColor(m_history.Colors()[index]);
    } else if (id == idCssHexUpper && code == BN_CLICKED) {
        m_cssUpper = ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
        WriteCssFields();
    } else if (id == idSwapColors && code == BN_CLICKED) {
        SwapColors();
    } else if (id == idPickBackground && code == BN_CLICKED) {
        PickBackground();
    } else if (id == idCssInput) {
        if (code == EN_CHANGE && ChangeAllow) ReadCssInput(false);
        if (code == EN_SETFOCUS) TypingStarted();
        if (code == EN_KILLFOCUS) {
            // Left unreadable: said in the note; a message box here would
            // fight the focus that is just moving on.
            const std::wstring text = ItemText(idCssInput);
            if (!text.empty() && !ReadCssColor(text).Value) {
                KeepColorBeforeTyping();
                SetCssNote(ColorText::CssUnreadable());
            }
            TypingEnded();
        }
    }
}

void TMVColorForm::CopyCssField(int id) {
    std::wstring text = ItemText(idCssHex + (id - idCopyCssHex));
    // The name without its distance: what a style sheet takes.
    if (id == idCopyCssName) text = text.substr(0, text.find(L' '));
    CopyTextToClipboard(Handle(), text);
}

void TMVColorForm::TypingStarted() {
    m_colorAtFocus = FUserColor;
}

void TMVColorForm::ConfirmTyping() {
    if (m_colorAtFocus == clNone || m_colorAtFocus == FUserColor) return;
    AddToHistory(FUserColor);
    m_colorAtFocus = FUserColor; // typing on from here
}

void TMVColorForm::KeepColorBeforeTyping() {
    // A text typed on past a colour ("tan" on the way to "transparent")
    // showed that colour meanwhile; refused, the colour before it stays.
    if (m_colorAtFocus != clNone && m_colorAtFocus != FUserColor)
        SetNewColor(idCssInput, m_colorAtFocus, false);
}

void TMVColorForm::TypingEnded() {
    ConfirmTyping();
    m_colorAtFocus = clNone;
}

std::vector<TColor> TMVColorForm::PreferredColors() const {
    // What the window shows or showed: a notation copied from it comes back
    // as the colour it was copied from.
    std::vector<TColor> colors{FUserColor};
    if (m_colorAtFocus != clNone) colors.push_back(m_colorAtFocus);
    colors.insert(colors.end(), m_history.Colors().begin(), m_history.Colors().end());
    return colors;
}

void TMVColorForm::SetCssNote(const std::wstring& note) {
    SetTextIfDifferent(Item(idCssNote), note);
}

void TMVColorForm::ReadCssInput(bool confirmed) {
    const std::wstring text = ItemText(idCssInput);
    const TCssReading reading = ReadCssColor(text);
    if (!reading.Value) {
        // While typing, a text on its way to a colour is no error yet.
        SetCssNote(L"");
        if (confirmed) {
            KeepColorBeforeTyping();
            ShowError(reading.Error);
        }
        return;
    }
    const TCssTaken taken = TakeCssColor(*reading.Value, PreferredColors());
    if (taken.Color != FUserColor) SetNewColor(idCssInput, taken.Color, false);
    SetCssNote(CssTakenNote(taken));
    if (confirmed) ConfirmTyping();
}

void TMVColorForm::LoadCssIcons() {
    const int size = SmallIconSize();
    // Shared: the system keeps one per size, nothing to free.
    const auto icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"COLORPICKER",
                                                      IMAGE_ICON, size, size, LR_SHARED));
    ::SendMessageW(Item(idPickBackground), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

LRESULT CALLBACK TMVColorForm::CssInputKeys(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR formPtr) {
    auto* form = reinterpret_cast<TMVColorForm*>(formPtr);
    switch (msg) {
    case WM_GETDLGCODE:
        // Enter takes the typed colour instead of closing the window.
        if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
            return DLGC_WANTALLKEYS | ::DefSubclassProc(edit, msg, wParam, lParam);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            form->ReadCssInput(true);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r') return 0; // no beep for the Enter handled above
        break;
    case WM_PASTE: {
        // A paste is meant as it stands: taken, or refused with the message.
        const LRESULT result = ::DefSubclassProc(edit, msg, wParam, lParam);
        form->ReadCssInput(true);
        return result;
    }
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(edit, &TMVColorForm::CssInputKeys, id);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(edit, msg, wParam, lParam);
}
