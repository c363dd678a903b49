#pragma once
// Dialogs of our own, shown modally: the owner is disabled while one runs,
// it takes the dialog keys (Tab, Enter, Esc, accelerators), and messages
// are pumped until done() says so or the window is gone.
#include "util/Geometry.h"

#include <windows.h>

#include <functional>

// Shows wnd, brings it to the front and runs until done(); hides it again
// and enables the owner. A WM_QUIT on the way is posted again, so the loop
// above this one ends too.
void RunModal(HWND wnd, const std::function<bool()>& done);

// How many RunModal loops run now (a dialog over a dialog counts twice).
int OpenModalLoops();
// Posts msg to wnd once no RunModal loop runs any more: at once when none
// runs now, else when the last one ends. Something that arrives from
// elsewhere (a background task's answer) waits so for its own dialog rather
// than opening it inside another.
void PostWhenNoModalLoop(HWND wnd, UINT msg);

// Runs what is queued now, then for ms milliseconds only paints (and sent
// messages), so that what our windows just uncovered is whole on a screen
// copy while no input is handled. False when a WM_QUIT came (posted again).
bool LetScreenSettle(DWORD ms);

// Sizes a dialog of ours so that its client area has the 96-DPI design size
// at dpi, centred on the screen; keepPlace keeps its top-left corner once it
// has a place (a dialog that grows).
void SetDesignClientSize(HWND wnd, Size design, UINT dpi, bool keepPlace = false);

// What a dialog box does with WM_NEXTDLGCTL, for windows that are not of the
// dialog class: the dialog keys move the focus with it (Wine and Windows send
// it for accelerators). lParam true: wParam is the control to focus; else
// wParam 0 is the next tab stop, non-zero the previous one.
void HandleNextDlgCtl(HWND form, WPARAM wParam, LPARAM lParam);
