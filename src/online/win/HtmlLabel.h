#pragma once
// The update dialog's message: the small HTML of the message, word-wrapped in
// the label's width, with a vertical scroll bar only while the text is taller
// than the window. Links are underlined in blue (unless the message colours
// them), show the hand cursor and open on a click.
//
// Fonts: the font from WM_SETFONT is the base, by default the system's GUI
// font at the window's DPI; a run's size in points sets the height at the
// window's DPI, bold the weight.
//
// Keyboard: a label that holds links is a tab stop; Enter or Space opens its
// first link, which shows the focus rectangle while the label has the focus.
#include "online/HtmlLayout.h"
#include "online/HtmlText.h"
#include "util/win/OffscreenBitmap.h"
#include "util/win/Window.h"

#include <functional>
#include <string>

class THtmlLabel : public Window {
  public:
    THtmlLabel();

    // bounds in the parent's client pixels.
    void Create(HWND parent, int id, const Rect& bounds);
    // Parses and shows html; the window text becomes the plain text (WM_GETTEXT
    // gives what the user reads); scrolls back to the top.
    void SetHtml(const std::wstring& html);
    const THtmlText& Text() const { return m_text; }
    // Opens a clicked link; by default RunCmd(url) (the shell's default handler).
    std::function<void(const std::wstring& url)> OnLinkClick;

    // The lines as they stand now, the layout's top-left corner at Origin()
    // in client pixels (it moves up as the text scrolls).
    const THtmlLayout& Layout() const { return m_layout; }
    Point Origin() const;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    LOGFONTW BaseFont() const;
    HFONT FontFor(const THtmlRun& run) const;
    THtmlExtent Measure(const std::wstring& text, const THtmlStyle& style);
    void Relayout();
    void ScrollTo(int top);
    void OnVScroll(int request);
    void OnWheel(int delta);
    // The link under a client point, -1 for none.
    int LinkAt(LPARAM clientPoint) const;
    void ShowCursorFor(int link) const;
    void OpenLink(int link);
    int MaxScroll() const;
    int Margin() const;

    THtmlText m_text;
    THtmlLayout m_layout;
    LOGFONTW m_font{}; // from WM_SETFONT, at m_fontDpi
    bool m_hasFont = false;
    UINT m_fontDpi = 96;
    int m_lineHeight = 0; // of the base font: one step of the scroll bar's arrows
    int m_contentHeight = 0;
    int m_scrollTop = 0;
    int m_pressedLink = -1;
    bool m_inLayout = false;
    // The back buffer of the painting, and the DC the layout measures in.
    OffscreenBitmap m_buffer;
};
