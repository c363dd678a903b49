#pragma once
// The mouse-hook library zephal.dll, loaded at start from the program's
// folder. Loading it ourselves (instead of importing it) lets a missing or
// broken file end the program with a German message instead of the loader's
// box or a crash.
#include <windows.h>

#include <string>

class HookLibrary {
  public:
    // Loads the library beside the program; raises EUserError with the
    // German text when the file is missing or lacks one of its functions.
    static void Load();
    static void Load(const std::wstring& path);
    static bool Loaded();

    static BOOL InstallHookMouse(int reserved, HWND target);
    static BOOL IsHookSetMouse();
    static void RemoveHookMouse();
    static UINT GetMonitorMouseMoveMsg();
};
