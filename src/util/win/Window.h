#pragma once
// One base for all windows: the object pointer rides in the window's user
// data from WM_NCCREATE to WM_NCDESTROY, and no exception leaves the window
// procedure (the application's error handler shows it and the program runs on).
#include <windows.h>

#include <string>

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return m_hwnd; }

    // Registers the class once per process.
    static void RegisterClassOnce(const wchar_t* className, HCURSOR cursor, HICON icon,
                                  UINT style = CS_DBLCLKS);

  protected:
    bool CreateWnd(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                   int x, int y, int width, int height, HWND parent, HMENU menu = nullptr);

    // Handles a message; Default() passes it on.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

    // Called after the window is gone (WM_NCDESTROY).
    virtual void OnDestroyed() {}

  private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};
