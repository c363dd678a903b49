#pragma once
// The application: its hidden owner window (title in the task switcher) and
// the message loop.
#include <windows.h>

#include <string>

class Application {
  public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HWND Handle() const { return m_wnd; }
    const std::wstring& Title() const { return m_title; }
    // Runs until WM_QUIT; returns its exit code.
    int Run();

  private:
    HWND m_wnd = nullptr;
    std::wstring m_title = L"Dravik";
};
