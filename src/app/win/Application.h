#pragma once
// The application: its hidden owner window (title in the task switcher, the
// error boxes of the error handler) and the message loop.
#include <windows.h>

#include <string>
#include <vector>

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

    // Modeless windows get their keyboard navigation (Tab, Enter, Esc) from
    // the loop while they are registered.
    static void AddModeless(HWND wnd);
    static void RemoveModeless(HWND wnd);

  private:
    static bool IsModelessMessage(MSG& msg);

    HWND m_wnd = nullptr;
    std::wstring m_title;
};
