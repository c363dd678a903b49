#pragma once
// One base for all windows: the object pointer rides in the window's user
// data from WM_NCCREATE to WM_NCDESTROY, and no exception leaves the window
// procedure (the error goes to the application's error handler, which shows
// it from the message loop, and the program runs on).
//
// Painting: WM_PAINT and WM_PRINTCLIENT both call PaintContent, which draws
// the whole client area from the window's state and changes nothing, so any
// invalidation, and any print into a memory DC, shows what the state says.
//
// DPI: the window knows the DPI of the monitor it is on; WM_DPICHANGED keeps
// it and applies the suggested rectangle unless OnDpiChanged says otherwise.
#include "util/Geometry.h"

#include <windows.h>

#include <string>

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return m_hwnd; }
    // The DPI of the window's monitor (96 until the window exists).
    UINT Dpi() const { return m_dpi; }
    // The client area as a core rectangle.
    Rect ClientRect() const;
    // A length of the 96-DPI design at the window's DPI.
    int Scale(int px96) const;
    // The size of a small icon (the title bar's, a menu's) at the window's DPI.
    int SmallIconSize() const;

    // Registers the class once per process; a background brush lets the
    // default handling erase the window with it.
    static void RegisterClassOnce(const wchar_t* className, HCURSOR cursor, HICON icon,
                                  UINT style = CS_DBLCLKS, HBRUSH background = nullptr);

  protected:
    bool CreateWnd(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                   int x, int y, int width, int height, HWND parent, HMENU menu = nullptr);
    // A child control with an id, bounds in the parent's client coordinates.
    bool CreateChild(const wchar_t* className, const std::wstring& name, DWORD style, DWORD exStyle,
                     const Rect& bounds, HWND parent, int id);
    // Moves and sizes the window to bounds in its parent's client coordinates.
    void PlaceAt(const Rect& bounds);

    // Handles a message; Default() passes it on.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

    // Draws the client area (area is the part that needs it) from the state.
    virtual void PaintContent(HDC dc, const Rect& area);
    // After the DPI changed; the default takes the suggested window rectangle.
    virtual void OnDpiChanged(UINT dpi, const RECT& suggested);

    // Called after the window is gone (WM_NCDESTROY).
    virtual void OnDestroyed() {}

  private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
    UINT m_dpi = 96;
};
