#pragma once
// Utility routines that need the platform: windows, hotkeys, folders.
#include <windows.h>

#include <cstdint>
#include <string>

// The hidden application window that owns the program's top-level windows and
// carries the taskbar button and the title in the task switcher.
void SetApplicationWindow(HWND wnd);
HWND ApplicationWindow();
// The application's title (the product name until the window carries one).
std::wstring ApplicationTitle();

// Hides the application window, which removes the program's taskbar button.
void WndToTaskIco();

// Starts the system's move-by-dragging loop from the current mouse position.
void MoveWnd(HWND wnd);

// Registers a 16-bit shortcut value (key code + 0x2000 Shift, 0x4000 Ctrl,
// 0x8000 Alt) as a system-wide hotkey. Shortcut 0 registers nothing.
bool MvRegisterHotKey(HWND wnd, std::uint16_t shortcut, int id);

// 1440 divided by the DPI of the monitor the window is on (a memory DC would
// only know the system's DPI).
long double TwipsPerPixelY(HWND wnd);

// The executable's full file name.
std::wstring ProgramFileName();
// The executable's folder with a trailing "\"; AppDirAnd joins a relative path.
std::wstring AppDir();
std::wstring AppDirAnd(const std::wstring& relativePath);

// The system's temporary folder (GetTempPathW).
std::wstring GetTempDir();

// The command line as a parameter list (index 0 is the program).
void InitCommandLineParams();
