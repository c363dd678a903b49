#pragma once
// Hints: a tooltip that shows a short text over a control while the pointer rests on it.
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
