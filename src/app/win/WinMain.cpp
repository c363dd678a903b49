// Program entry: start-up in a fixed order, the message loop, shut-down.
#include "app/win/Application.h"
#include "ruler/win/MainDlg.h"
#include "storage/win/Win32Storage.h"
#include "util/win/AppError.h"
#include "util/win/LocalFormat.h"
#include "util/win/MVUtilWin.h"
#include "util/win/SysColors.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InitCommandLineParams();
    InstallSysColorProvider();
    InstallWin32Storage();
    // 1. The single-instance lock joins here.
    // 2. Fixed number and date formats.
    SetLocalFormatFromSystem();
    // 3. The application and the ruler window (FormCreate).
    Application app;
    TMainDlg ruler;
    int exitCode = 0;
    GuardedCall([&] {
        ruler.Create(app.Handle());
        // 4. The title.
        ruler.SetTitle(app.Title());
        // 5. The magnifier joins here; the ruler shows itself.
        ::ShowWindow(ruler.Handle(), SW_SHOWNOACTIVATE);
        ::SetForegroundWindow(ruler.Handle());
        // 6. The message loop runs until the ruler is closed.
        exitCode = app.Run();
    });
    // 7. The single-instance lock is released here.
    return exitCode;
}
