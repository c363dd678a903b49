#include "util/win/Window.h"

#include "util/Dpi.h"
#include "util/win/AppError.h"
#include "util/win/Fonts.h"
#include "util/win/Handles.h"
#include "util/win/WindowRects.h"

#include <cwchar>

namespace {

// "message 0x0201 to TMainDlg": where a window procedure failed, for the log.
std::wstring MessageContext(HWND hwnd, UINT msg) {
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    wchar_t text[96];
    std::swprintf(text, 96, L"message 0x%04X to %ls", msg, cls);
    return text;
}

} // namespace

Window::~Window() {
    if (m_hwnd) {
        // The object dies before its window: cut the link so late messages
        // go to the default handling instead of a dead object.
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        HWND hwnd = m_hwnd;
        m_hwnd = nullptr;
        ::DestroyWindow(hwnd);
    }
}

Rect Window::ClientRect() const {
    return ClientRectOf(m_hwnd);
}

int Window::Scale(int px96) const {
    return ScaleToDpi(px96, static_cast<int>(m_dpi));
}

int Window::SmallIconSize() const {
    return ::GetSystemMetricsForDpi(SM_CXSMICON, m_dpi);
}

void Window::RegisterClassOnce(const wchar_t* className, HCURSOR cursor, HICON icon, UINT style,
                               HBRUSH background) {
    WNDCLASSEXW existing{sizeof(existing)};
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &existing)) return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = style;
    wc.lpfnWndProc = &Window::StaticWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    ::RegisterClassExW(&wc);
}

bool Window::CreateWnd(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                       int x, int y, int width, int height, HWND parent, HMENU menu) {
    HWND hwnd = ::CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent,
                                  menu, ::GetModuleHandleW(nullptr), this);
    return hwnd != nullptr;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

LRESULT Window::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

void Window::PaintContent(HDC, const Rect&) {}

void Window::OnDpiChanged(UINT, const RECT& suggested) {
    ::SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        m_dpi = WindowDpi(m_hwnd);
        break;
    case WM_PAINT: {
        PaintScope paint(m_hwnd);
        const RECT& a = paint.Area();
        PaintContent(paint.Dc(), {a.left, a.top, a.right, a.bottom});
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintContent(reinterpret_cast<HDC>(wParam), ClientRect());
        return 0;
    case WM_DPICHANGED:
        m_dpi = HIWORD(wParam);
        OnDpiChanged(m_dpi, *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DPICHANGED_AFTERPARENT: // child windows: the parent moved to another DPI
        m_dpi = WindowDpi(m_hwnd);
        break;
    default:
        break;
    }
    return HandleMessage(msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(cs->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);

    LRESULT result = 0;
    GuardedCallWith([&] { result = self->Dispatch(msg, wParam, lParam); },
                    [&] { return MessageContext(hwnd, msg); });
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        GuardedCall([&] { self->OnDestroyed(); });
    }
    return result;
}

bool Window::CreateChild(const wchar_t* className, const std::wstring& name, DWORD style,
                         DWORD exStyle, const Rect& bounds, HWND parent, int id) {
    return CreateWnd(className, name.c_str(), WS_CHILD | WS_VISIBLE | style, exStyle, bounds.Left,
                     bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top, parent,
                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void Window::PlaceAt(const Rect& bounds) {
    ::SetWindowPos(m_hwnd, nullptr, bounds.Left, bounds.Top, bounds.Right - bounds.Left,
                   bounds.Bottom - bounds.Top, SWP_NOZORDER | SWP_NOACTIVATE);
}
