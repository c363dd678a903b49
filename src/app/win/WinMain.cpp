// Program entry: start-up in a fixed order, the message loop, shut-down.
#include "app/win/Application.h"
#include "ruler/win/HookLibrary.h"
#include "ruler/win/MainDlg.h"
#include "storage/win/SingleInstance.h"
#include "storage/win/Win32Storage.h"
#include "util/win/AppError.h"
#include "util/win/HtmlHelp.h"
#include "util/win/LocalFormat.h"
#include "util/win/MVUtilWin.h"
#include "util/win/SysColors.h"
#include "util/win/UiLanguage.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A second copy ends at once: no window, no settings read.
    if (!SingleInstanceCreate(DravikUniqueAppName, true)) return 0;
    InitCommandLineParams();
    InstallSysColorProvider();
    InstallWin32Storage();
    SetLocalFormatFromSystem();
    // Until the settings are read (a message about the file itself included).
    SetUiLanguageFrom(LanguageChoice::Automatic);
    Application app;
    TMainDlg ruler;
    int exitCode = 0;
    GuardedCall([&] {
        // Without its hook library the ruler cannot follow the mouse: say so
        // and end before any window shows.
        HookLibrary::Load();
        ruler.Create(app.Handle(), app.Title());
        exitCode = app.Run();
        // A WM_QUIT from elsewhere ends the loop with the ruler still open:
        // it closes the ordinary way, so nothing of the close is skipped.
        ruler.CloseIfOpen();
    });
    // An error of the start-up itself has had no loop to show it.
    ShowPendingApplicationErrors();
    UnloadHtmlHelp();
    SingleInstanceClose();
    return HookLibrary::Loaded() ? exitCode : 1;
}
