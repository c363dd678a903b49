#pragma once
// A small tip window that tells what something does, shown beside it on
// request (a menu item's hint while the item is selected) and hidden again.
#include "util/win/Handles.h"

#include <windows.h>

#include <string>

class HintTip {
  public:
    HintTip() = default;
    ~HintTip();
    HintTip(const HintTip&) = delete;
    HintTip& operator=(const HintTip&) = delete;

    // Shows text with its top-left corner at a screen point (created with
    // the first use, owned by owner).
    void Show(HWND owner, const std::wstring& text, POINT at);
    void Hide();
    bool Shown() const { return m_shown; }
    std::wstring Text() const { return m_text; }

  private:
    HWND m_tip = nullptr;
    std::wstring m_text;
    bool m_shown = false;
};
