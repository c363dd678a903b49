#pragma once
// The program's help: the system's HTML Help viewer, loaded at run time, and
// the help hook that turns the windows' context requests (F1) into topics
// of the help file.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

// Whether the viewer library is there. The first help request loads it (a
// ruler whose help is never asked for never maps it): from the system folder
// first, then from the path registered for it; never by bare name, which
// would take a copy planted beside a portable program. One that could not
// be loaded is looked for again at the next request.
bool HtmlHelpAvailable();
// At the program's end: the library goes, if it was loaded.
void UnloadHtmlHelp();

// HtmlHelpW when the library is there; 0 (and nothing called) otherwise.
HWND CallHtmlHelp(HWND caller, const std::wstring& file, UINT command, DWORD_PTR data);

// The help file at its default topic; without a viewer the user is told.
bool HelpDisplayTopic(const std::wstring& chmFile);

// The viewer's result codes as the user reads them: 1 no viewer, 2/3 a
// missing viewer program, other codes unknown; 0 shows nothing.
void HHShowError(int code);
// Closes every help window the program opened.
void HHCloseAll();

// Help requests of the application (the windows' F1): command 1 a topic by
// context id, 8 a pop-up topic, 13 the pop-up's position. True when handled.
using THelpEvent = std::function<bool(UINT command, DWORD_PTR data)>;
// The windows call this with their context id when F1 is pressed in them.
bool ApplicationHelpContext(int contextId);

class THookHelpSystem {
  public:
    // hostType 0: the viewer's programming interface; 1 "KeyHH.EXE"; 2 "HH.EXE".
    THookHelpSystem(std::wstring chmFile, int hostType, std::wstring winDef);
    ~THookHelpSystem(); // the previous handler comes back
    THookHelpSystem(const THookHelpSystem&) = delete;
    THookHelpSystem& operator=(const THookHelpSystem&) = delete;

    bool HelpHook(UINT command, DWORD_PTR data);
    void HelpContext(int id);
    const std::wstring& ChmFile() const { return FChmFile; }
    void SetChmFile(std::wstring chmFile) { FChmFile = std::move(chmFile); }

  private:
    std::wstring FChmFile;
    std::wstring FWinDef;
    int FHostType = 0;
    THelpEvent FOldHelpEvent;
    bool FOKToCallOldHelpEvent = false;
    POINT FPopupXY{};
};

// The trace of the help calls, written only with "debug.debug" beside the
// program or the switch "/debug" or "-debug".
void HelpTrace(const std::wstring& line);
