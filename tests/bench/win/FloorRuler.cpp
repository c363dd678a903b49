// The floor for the ruler's whole-program figures (RulerCostBench): what any
// program costs that shows one top-most 600 x 49 strip and follows the mouse
// through zephal.dll, without the ruler's own work.
//   FloorRuler.exe          the movement message is taken and nothing done
//   FloorRuler.exe marks    the marks drawn about as cheaply as GDI allows: a
//                           1-pixel line and a filled box with the position,
//                           on one DC kept for the window, the old ones
//                           painted over with the background colour
// Ends with WM_CLOSE to its window.
#include "hook/ZephalApi.h"
#include "util/win/Handles.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 49;
constexpr COLORREF kBack = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kLine = RGB(0xFF, 0x00, 0x00);
constexpr COLORREF kBoxBack = RGB(0xA2, 0xCD, 0x20);
constexpr COLORREF kBoxText = RGB(0x9A, 0x1F, 0x04);

bool g_marks = false;
UINT g_moveMsg = 0;
HDC g_dc = nullptr; // the window's own DC (CS_OWNDC), font selected once
POINT g_origin{};   // window position, from WM_WINDOWPOSCHANGED
int g_lastPos = -1;
RECT g_lastBox{};

void Fill(const RECT& r, COLORREF color) {
    ::SetDCBrushColor(g_dc, color);
    ::PatBlt(g_dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATCOPY);
}

void DrawMarks(int screenX) {
    const int pos = screenX - g_origin.x;
    if (pos == g_lastPos) return;
    if (g_lastPos >= 0) {
        Fill({g_lastPos, 0, g_lastPos + 1, kHeight}, kBack);
        Fill(g_lastBox, kBack);
    }
    g_lastPos = pos;
    Fill({pos, 0, pos + 1, kHeight}, kLine);
    wchar_t text[16];
    const int length = std::swprintf(text, 16, L"%d", pos + 1);
    SIZE extent{};
    ::GetTextExtentPoint32W(g_dc, text, length, &extent);
    const int width = extent.cx + 12, height = extent.cy + 4;
    int left = pos + 15;
    if (left + width >= kWidth - 5) left = pos - 15 - width;
    g_lastBox = {left, (kHeight - height) / 2, left + width, (kHeight - height) / 2 + height};
    // One call fills the box and writes the number.
    ::ExtTextOutW(g_dc, left + 6, g_lastBox.top + 2, ETO_OPAQUE, &g_lastBox, text,
                  static_cast<UINT>(length), nullptr);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == g_moveMsg && g_moveMsg != 0) {
        if (g_marks) DrawMarks(static_cast<int>(static_cast<INT_PTR>(wParam)));
        return 0;
    }
    switch (msg) {
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        g_origin = {pos->x, pos->y};
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        ::BeginPaint(hwnd, &ps);
        ::EndPaint(hwnd, &ps);
        g_lastPos = -1; // the background covered the marks
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int main(int argc, char** argv) {
    g_marks = argc > 1 && std::strcmp(argv[1], "marks") == 0;
    ::SetProcessDPIAware();
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    UniqueHBrush back(::CreateSolidBrush(kBack));
    WNDCLASSW wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = &Proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = back.Get();
    wc.lpszClassName = L"DravikFloorRuler";
    ::RegisterClassW(&wc);
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - 400) / 2;
    HWND wnd = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"FloorRuler", WS_POPUP, left,
                                 top, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    if (!wnd) return 1;
    g_dc = ::GetDC(wnd);
    ::SelectObject(g_dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SelectObject(g_dc, ::GetStockObject(DC_BRUSH));
    ::SetBkColor(g_dc, kBoxBack);
    ::SetTextColor(g_dc, kBoxText);
    g_moveMsg = ::GetMonitorMouseMoveMsg();
    ::ShowWindow(wnd, SW_SHOWNOACTIVATE);
    if (!::InstallHookMouse(0, wnd)) return 2;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::RemoveHookMouse();
    return 0;
}
