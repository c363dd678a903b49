#pragma once
// A link label: a caption that underlines itself in link colours, turns to the
// hover font while the pointer is on it, opens its command (or its caption)
// through the shell when clicked, and can offer a menu to copy its caption.
//
// It is a child window of its own so that screen readers and tests read the
// caption with WM_GETTEXT like any static text. A label that runs a command
// is a tab stop and runs it on Enter and Space, as links in dialogs do; it
// shows the focus with the usual dotted rectangle.
//
// Parent font: with ParentFontFix on, the label takes the name and size of
// the font its parent hands to its children with WM_SETFONT (FixSysGuiFont
// and dialogs do so), keeping the colours and styles of its own fonts. A
// parent that changes its font another way calls ParentFontChanged().
#include "util/Color.h"
#include "util/win/Handles.h"
#include "util/win/Window.h"

#include <functional>
#include <string>

struct TLabelFont {
    LOGFONTW Face{}; // at the label's DPI (96 before it has a window)
    TColor Color = clBlack;
};

class TMVLabel : public Window {
  public:
    using TNotifyEvent = std::function<void(TMVLabel& sender)>;

    TMVLabel();

    // bounds in the parent's client coordinates; with AutoSize the label
    // then takes the size of its caption.
    void Create(HWND parent, int id, const Rect& bounds, const std::wstring& caption);

    const std::wstring& Caption() const { return m_caption; }
    void SetCaption(const std::wstring& caption);

    // Switch to FontHover while the pointer is on the label.
    bool Hover = true;
    const TLabelFont& FontNormal() const { return m_fontNormal; }
    void SetFontNormal(const TLabelFont& font);
    const TLabelFont& FontHover() const { return m_fontHover; }
    void SetFontHover(const TLabelFont& font);
    // The font the label shows now.
    HFONT CurrentFont() const;
    bool MouseInside() const { return m_mouseInside; }

    bool CopyMenu() const { return static_cast<bool>(m_copyMenu); }
    // On: a popup menu with one item that copies the caption; off frees it.
    void SetCopyMenu(bool value);
    // Empty: "Kopieren".
    const std::wstring& CopyMenuCaption() const { return m_copyMenuCaption; }
    void SetCopyMenuCaption(const std::wstring& caption);
    // The copy menu, nullptr while CopyMenu is off.
    HMENU CopyPopupMenu() const { return m_copyMenu.Get(); }

    // Opened by ExecuteCmd; empty opens the caption.
    std::wstring Command;
    bool CommandEnabled() const { return m_commandEnabled; }
    void SetCommandEnabled(bool value);

    bool ParentFontFix() const { return m_parentFontFix; }
    // Switching it on takes the parent's font at once.
    void SetParentFontFix(bool value);
    void ParentFontChanged();

    // The window follows the caption's size in the larger of the two fonts,
    // with one pixel around it for the focus rectangle.
    bool AutoSize = true;

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;

    // Opens Command, or the caption, with the shell's "open" verb, maximised;
    // false when there is nothing to open or the shell failed (it says why).
    bool ExecuteCmd();
    // OnClick, then ExecuteCmd when CommandEnabled.
    void Click();
    // Once the label and its parent are set up: the parent's font when
    // ParentFontFix is on, and the font of the current state.
    void Loaded();
    // Shows the fonts as they are now (size and paint).
    void RefreshFont();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    void TakeFontNameSize(HFONT font);
    void ScaleFontsTo(UINT dpi);
    void AdjustSize();
    void MouseEntered();
    void MouseLeft();
    bool PointerInside() const;
    void ShowCopyMenu(LPARAM at);
    void UpdateTabStop();

    std::wstring m_caption;
    TLabelFont m_fontNormal;
    TLabelFont m_fontHover;
    UINT m_fontDpi = 96;
    bool m_mouseInside = false;
    bool m_pressed = false;
    bool m_commandEnabled = false;
    bool m_parentFontFix = true;
    std::wstring m_copyMenuCaption;
    UniqueHMenu m_copyMenu;
};
