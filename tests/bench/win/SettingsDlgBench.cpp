// Counting driver for the settings dialog: the time from the command to the
// dialog painted on the screen (creation, fields filled, shown, first paint)
// over a number of openings, and the size of a colour popup.
//   SettingsDlgBench.exe [openings]   (default 20)
#include "settings/win/SettingsDlg.h"
#include "util/win/Fonts.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

LARGE_INTEGER g_painted{};
TSettingsDlg* g_dialog = nullptr;
RECT g_popup{};
constexpr UINT WM_OPEN_POPUP = WM_APP + 1;

// While the popup is open: its place, then it closes.
void CALLBACK MeasurePopup(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    TColorPickerButton& button = g_dialog->ColorButton(0);
    ::GetWindowRect(button.Popup().Handle(), &g_popup);
    button.SetDroppedDown(false);
}

// The first paint of the dialog ends the opening; the last opening also
// drops a colour popup down before the dialog closes.
LRESULT CALLBACK AfterFirstPaint(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR measurePopup) {
    if (msg == WM_OPEN_POPUP) {
        ::SetTimer(nullptr, 0, 100, MeasurePopup);
        g_dialog->ColorButton(0).SetDroppedDown(true);
        ::PostMessageW(wnd, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    const LRESULT result = ::DefSubclassProc(wnd, msg, wParam, lParam);
    if (msg == WM_PAINT && g_painted.QuadPart == 0) {
        ::QueryPerformanceCounter(&g_painted);
        ::PostMessageW(wnd, measurePopup ? WM_OPEN_POPUP : WM_COMMAND, IDCANCEL, 0);
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const int openings = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                        ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&controls);
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    UINT dpi = 96;
    for (int i = 0; i < openings; ++i) {
        g_painted.QuadPart = 0;
        LARGE_INTEGER start{};
        ::QueryPerformanceCounter(&start);
        TSettingsDlg dialog;
        dialog.Create(nullptr);
        g_dialog = &dialog;
        ::SetWindowSubclass(dialog.Handle(), AfterFirstPaint, 1, i + 1 == openings);
        dialog.ShowModal();
        dpi = dialog.Dpi();
        ms.push_back(1000.0 * static_cast<double>(g_painted.QuadPart - start.QuadPart) /
                     static_cast<double>(frequency.QuadPart));
    }
    std::sort(ms.begin(), ms.end());
    std::printf("settings dialog at %u DPI, %d openings: command to painted median %.1f ms, "
                "slowest %.1f ms (the first opening registers the window classes)\n",
                dpi, openings, ms[ms.size() / 2], ms.back());
    std::printf("colour popup: %ld x %ld pixels\n", g_popup.right - g_popup.left,
                g_popup.bottom - g_popup.top);
    return 0;
}
