// Counting driver for the colour window: the UI-thread cost of one colour
// update during a spectrum drag and of one palette repaint, the timer messages
// of an idle open window, and the process's memory before, during a screen
// shot and after closing.
//   ColorFormBench.exe [moves] [idle seconds]   (defaults 500 and 10)
#include "colour/win/MVColorDlg.h"
#include "colour/win/MVColorForm.h"
#include "storage/win/Win32Storage.h"

#include "ThreadTime.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

// Counts the timer messages it takes.
int Pump(DWORD forMs = 0) {
    int timers = 0;
    const DWORD end = ::GetTickCount() + forMs;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER) ++timers;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (forMs) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    } while (forMs && ::GetTickCount() < end);
    return timers;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// This program's Linux process under Wine (files are opened by the Wine
// server, so "self" would be the server): the one whose first argument is
// this program; -1 outside Wine.
int UnixPid() {
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    int pid = -1;
    do {
        const int candidate = std::atoi(found.cFileName);
        if (candidate <= 0) continue;
        const std::string cmdline =
            ReadText("Z:\\proc\\" + std::to_string(candidate) + "\\cmdline");
        const std::string first = cmdline.substr(0, cmdline.find('\0'));
        const std::string name = "ColorFormBench.exe";
        if (first.size() >= name.size() &&
            first.compare(first.size() - name.size(), name.size(), name) == 0)
            pid = candidate;
    } while (pid < 0 && ::FindNextFileA(search, &found));
    ::FindClose(search);
    return pid;
}

// Wine keeps no private byte count; the Linux process's anonymous resident
// memory is the nearest figure.
double PrivateMB() {
    static const int pid = UnixPid();
    std::istringstream status(ReadText("Z:\\proc\\" + std::to_string(pid) + "\\status"));
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("RssAnon:", 0) == 0) return std::atof(line.c_str() + 8) / 1024.0;
    return -1;
}

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

} // namespace

int main(int argc, char** argv) {
    const int moves = argc > 1 ? std::atoi(argv[1]) : 500;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 10;
    InstallWin32Storage();
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring ini = std::wstring(temp) + L"ColorFormBench.ini";
    ::DeleteFileW(ini.c_str());

    Pump();
    const double before = PrivateMB();
    TMVColorDlg dlg;
    dlg.IniName = ini;
    dlg.OnlyCloseBtn = true;
    dlg.PickerIcon = false;
    dlg.Execute(false, nullptr);
    TMVColorForm& form = *OpenColorForm();
    Pump();
    const double open = PrivateMB();

    // Drags over the spectrum: every move is one colour update, painted. A
    // hand moves a pixel or two per move; jumps change every field at once.
    const HWND page = ::GetDlgItem(::GetDlgItem(form.Handle(), idPageArea), idPageFirst);
    const HWND spectrum = ::GetDlgItem(page, idSpectrum);
    const auto drag = [&](auto pointAt) {
        ::SendMessageW(spectrum, WM_LBUTTONDOWN, MK_LBUTTON, pointAt(0));
        const double begin = ThreadMillis();
        for (int i = 0; i < moves; ++i) {
            ::SendMessageW(spectrum, WM_MOUSEMOVE, MK_LBUTTON, pointAt(i));
            ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        const double perMove = (ThreadMillis() - begin) / moves;
        ::SendMessageW(spectrum, WM_LBUTTONUP, 0, pointAt(0));
        return perMove;
    };
    const double perUpdate = drag([](int i) { return At(i % 256, 64 + (i / 256) % 128); });
    const double perJump = drag([](int i) { return At((i * 37) % 256, (i * 7) % 256); });
    double start = 0;

    // The 256-colour palette: a whole repaint, and a selection that moves.
    const TColorPalControl& pal256 = *form.Palette(idColorPal256);
    ::SendMessageW(::GetDlgItem(form.Handle(), idPalName), CB_SETCURSEL, 1, 0);
    ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(idPalName, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(form.Handle(), idPalName)));
    Pump();
    start = ThreadMillis();
    for (int i = 0; i < moves; ++i)
        ::RedrawWindow(pal256.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const double perRepaint = (ThreadMillis() - start) / moves;
    start = ThreadMillis();
    for (int i = 0; i < moves; ++i) {
        // Cells 0 and 1 in turn: a palette click and the colour update it starts.
        const int x = 2 + (i % 2) * 12 + 3;
        ::SendMessageW(pal256.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, 5));
        ::SendMessageW(pal256.Handle(), WM_LBUTTONUP, 0, At(x, 5));
        ::UpdateWindow(pal256.Handle());
    }
    const double perClick = (ThreadMillis() - start) / moves;
    // Counted now: the palette goes with the window when it closes.
    const auto palettePaints = static_cast<unsigned long long>(pal256.Paints());

    const int idleTimers = Pump(static_cast<DWORD>(idleSeconds) * 1000);

    // During a shot: measured from another thread while the shot window shows.
    double during = -1;
    std::thread watcher([&] {
        HWND shot = nullptr;
        for (int i = 0; i < 100 && !shot; ++i) {
            ::Sleep(50);
            shot = ::FindWindowW(L"TMVColorShotDlg", nullptr);
        }
        ::Sleep(300);
        during = PrivateMB();
        if (shot) ::PostMessageW(shot, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    form.btnColCaptureClick();
    watcher.join();
    Pump();
    const double afterShot = PrivateMB();

    ::SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    Pump(300);
    const double closed = PrivateMB();
    // More windows and shots: what the first left behind is kept once, not per use.
    for (int round = 0; round < 4; ++round) {
        dlg.Execute(false, nullptr);
        Pump();
        std::thread escape([] {
            HWND shot = nullptr;
            for (int i = 0; i < 100 && !shot; ++i) {
                ::Sleep(50);
                shot = ::FindWindowW(L"TMVColorShotDlg", nullptr);
            }
            if (shot) ::PostMessageW(shot, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        OpenColorForm()->btnColCaptureClick();
        escape.join();
        ::SendMessageW(OpenColorForm()->Handle(), WM_CLOSE, 0, 0);
        Pump(300);
    }
    const double closedAgain = PrivateMB();

    std::printf("colour update during a spectrum drag: %.3f ms UI thread, %.3f ms for jumps that "
                "change every field (%d moves each)\n",
                perUpdate, perJump, moves);
    std::printf("256-colour palette: %.3f ms per whole repaint, %.3f ms per click with its colour "
                "update (%llu paints)\n",
                perRepaint, perClick, palettePaints);
    std::printf("idle %d s with the window open: %d timer messages\n", idleSeconds, idleTimers);
    std::printf("memory (MB): before %.2f, open %.2f, during a shot %.2f, after the shot %.2f, "
                "after closing %.2f, after four more windows with a shot each %.2f\n",
                before, open, during, afterShot, closed, closedAgain);
    std::printf("window still open after closing: %s\n", OpenColorForm() ? "yes" : "no");
    return OpenColorForm() ? 1 : 0;
}
