#pragma once
// Hints: a tooltip that shows a short text over a control while the pointer
// rests on it, and a tracking tip that a window places and words itself.
#include <windows.h>

#include <string>

class THints {
  public:
    THints() = default;
    ~THints();
    THints(const THints&) = delete;
    THints& operator=(const THints&) = delete;

    void Create(HWND owner);
    void Add(HWND control, const std::wstring& text);
    // The client area of a window as one tool whose text the window gives
    // each time the tip is about to show (TTN_GETDISPINFOW; no text, no
    // tip). ClientAreaResized follows the window's new size.
    void AddClientArea(HWND wnd);
    void ClientAreaResized(HWND wnd);
    // An inactive tip follows no pointer, so it costs nothing (no timers).
    void Activate(bool active);

  private:
    HWND m_tooltip = nullptr;
};

// One tip the owner shows where and when it wants: for windows whose parts
// (cells, combs) have hints of their own, or that hold the mouse capture,
// which a tooltip's own tracking of the pointer cannot see.
class TTrackingHint {
  public:
    TTrackingHint() = default;
    ~TTrackingHint();
    TTrackingHint(const TTrackingHint&) = delete;
    TTrackingHint& operator=(const TTrackingHint&) = delete;

    // Shows text with its top left at a screen point, or changes the text of
    // the shown tip in place. An empty text hides it.
    void Show(HWND owner, const std::wstring& text, POINT screen);
    void Hide();
    bool Shown() const { return m_shown; }
    const std::wstring& Text() const { return m_text; }
    // The tooltip window (nullptr before the first Show).
    HWND Tooltip() const { return m_tooltip; }

  private:
    void Ensure(HWND owner);

    HWND m_tooltip = nullptr;
    HWND m_owner = nullptr;
    bool m_shown = false;
    std::wstring m_text;
};
