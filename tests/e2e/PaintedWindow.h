#pragma once
// A window of the test's own, above everything and never active, at a known
// place, painting what the test gives: something of known pixels for the
// program to read off the screen. It runs its own thread and message loop,
// so it paints while the test waits.
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>

class PaintedWindow {
  public:
    using Painter = std::function<void(HDC dc)>;

    PaintedWindow(RECT place, Painter paint)
        : m_place(place), m_paint(std::move(paint)), m_thread([this] { Run(); }) {
        while (!m_ready)
            ::Sleep(5);
    }
    ~PaintedWindow() {
        if (m_wnd) ::PostMessageW(m_wnd, WM_CLOSE, 0, 0);
        m_thread.join();
    }
    PaintedWindow(const PaintedWindow&) = delete;
    PaintedWindow& operator=(const PaintedWindow&) = delete;

  private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE)
            ::SetWindowLongPtrW(wnd, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(
                                    reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        if (msg == WM_PAINT) {
            auto* self = reinterpret_cast<PaintedWindow*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(wnd, &ps);
            self->m_paint(dc);
            ::EndPaint(wnd, &ps);
            return 0;
        }
        if (msg == WM_DESTROY) ::PostQuitMessage(0);
        return ::DefWindowProcW(wnd, msg, wParam, lParam);
    }

    void Run() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DravikTestPaintedWindow";
        ::RegisterClassW(&wc);
        m_wnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                  wc.lpszClassName, L"", WS_POPUP, m_place.left, m_place.top,
                                  m_place.right - m_place.left, m_place.bottom - m_place.top,
                                  nullptr, nullptr, wc.hInstance, this);
        ::ShowWindow(m_wnd, SW_SHOWNOACTIVATE);
        m_ready = true;
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
    }

    RECT m_place;
    Painter m_paint;
    std::atomic<HWND> m_wnd{nullptr};
    std::atomic<bool> m_ready{false};
    std::thread m_thread;
};
