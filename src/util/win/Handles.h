#pragma once
// RAII owners for Win32 handles: one small type per release function.
#include "util/win/SystemLibraries.h"

#include <windows.h>

#include <objbase.h>

#include <utility>

template <typename T, typename Traits> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : m_handle(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    T Get() const { return m_handle; }
    explicit operator bool() const { return Traits::IsValid(m_handle); }
    T Release() { return std::exchange(m_handle, Traits::Invalid()); }
    void Reset(T handle = Traits::Invalid()) {
        if (Traits::IsValid(m_handle)) Traits::Close(m_handle);
        m_handle = handle;
    }

  private:
    T m_handle = Traits::Invalid();
};

template <typename T, auto CloseFn> struct NullHandleTraits {
    static T Invalid() { return nullptr; }
    static bool IsValid(T h) { return h != nullptr; }
    static void Close(T h) { CloseFn(h); }
};

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueHdc = UniqueHandle<HDC, NullHandleTraits<HDC, ::DeleteDC>>;
using UniqueHKey = UniqueHandle<HKEY, NullHandleTraits<HKEY, ::RegCloseKey>>;
using UniqueHook = UniqueHandle<HHOOK, NullHandleTraits<HHOOK, ::UnhookWindowsHookEx>>;
using UniqueHIcon = UniqueHandle<HICON, NullHandleTraits<HICON, ::DestroyIcon>>;
using UniqueHMenu = UniqueHandle<HMENU, NullHandleTraits<HMENU, ::DestroyMenu>>;
using UniqueLibrary = UniqueHandle<HMODULE, NullHandleTraits<HMODULE, ::FreeLibrary>>;
// Memory the system allocated for us with LocalAlloc (FormatMessage,
// CommandLineToArgvW).
template <typename T> using UniqueLocal = UniqueHandle<T, NullHandleTraits<T, ::LocalFree>>;

// COM for the calling thread, when it has none yet; a thread that already
// runs another apartment model keeps it. COM's library loads with the first
// scope; without it nothing is usable.
class ComScope {
  public:
    ComScope()
        : m_result(LoadSystemLibraries({L"ole32.dll"})
                       ? ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)
                       : CO_E_NOTINITIALIZED) {}
    ~ComScope() {
        if (SUCCEEDED(m_result)) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool Usable() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }

  private:
    HRESULT m_result;
};

// GDI objects share DeleteObject.
template <typename T> using UniqueGdi = UniqueHandle<T, NullHandleTraits<T, ::DeleteObject>>;
using UniqueHBitmap = UniqueGdi<HBITMAP>;
using UniqueHBrush = UniqueGdi<HBRUSH>;
using UniqueHPen = UniqueGdi<HPEN>;
using UniqueHFont = UniqueGdi<HFONT>;
using UniqueHRgn = UniqueGdi<HRGN>;

// A DC of a window, given back with ReleaseDC.
class WindowDC {
  public:
    explicit WindowDC(HWND wnd) : m_wnd(wnd), m_dc(::GetDC(wnd)) {}
    ~WindowDC() {
        if (m_dc) ::ReleaseDC(m_wnd, m_dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return m_dc; }

  private:
    HWND m_wnd;
    HDC m_dc;
};

// BeginPaint ... EndPaint.
class PaintScope {
  public:
    explicit PaintScope(HWND wnd) : m_wnd(wnd) { ::BeginPaint(wnd, &m_ps); }
    ~PaintScope() { ::EndPaint(m_wnd, &m_ps); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return m_ps.hdc; }
    const RECT& Area() const { return m_ps.rcPaint; }

  private:
    HWND m_wnd;
    PAINTSTRUCT m_ps{};
};

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(::SelectObject(dc, obj)) {}
    ~SelectGuard() {
        if (m_old) ::SelectObject(m_dc, m_old);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

  private:
    HDC m_dc;
    HGDIOBJ m_old;
};

inline RECT ToRECT(int left, int top, int right, int bottom) {
    return RECT{left, top, right, bottom};
}
