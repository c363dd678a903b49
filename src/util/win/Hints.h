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
    // Moves the shown tip's top left to a screen point.
    void MoveTo(POINT screen);
    void Hide();
    bool Shown() const { return m_shown; }
    const std::wstring& Text() const { return m_text; }
    // The shown tip's size on the screen (none while hidden).
    SIZE Size() const;
    // The tooltip window (nullptr before the first Show).
    HWND Tooltip() const { return m_tooltip; }

  private:
    void Ensure(HWND owner);

    HWND m_tooltip = nullptr;
    HWND m_owner = nullptr;
    bool m_shown = false;
    std::wstring m_text;
};
