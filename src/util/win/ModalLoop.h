#pragma once
// A window of our own shown modally: its owner is disabled while it runs,
// it takes the dialog keys (Tab, Enter, Esc, accelerators), and messages
// are pumped until done() says so or the window is gone.
#include <windows.h>

#include <functional>

// Shows wnd, brings it to the front and runs until done(); hides it again
// and enables the owner. A WM_QUIT on the way is posted again, so the loop
// above this one ends too.
void RunModal(HWND wnd, const std::function<bool()>& done);

// What a dialog box does with WM_NEXTDLGCTL, for windows that are not of the
// dialog class: the dialog keys move the focus with it (Wine and Windows send
// it for accelerators). lParam true: wParam is the control to focus; else
// wParam 0 is the next tab stop, non-zero the previous one.
void HandleNextDlgCtl(HWND form, WPARAM wParam, LPARAM lParam);
