#pragma once
// The colour dialog component: holds the colour and the options of the colour
// window and opens it, modal or not. At most one colour window exists at a
// time, whichever component opened it.
#include "storage/MvIni.h"
#include "util/Color.h"

#include <windows.h>

#include <functional>
#include <string>

class TMVColorForm;

class TMVColorDlg {
  public:
    using TNotifyEvent = std::function<void(TMVColorDlg& sender)>;

    TMVColorDlg();

    // Opens the window owned by owner. Modal: true when it was confirmed.
    // Not modal: true when it opened; false when a colour window was open
    // already (it comes to the front and keeps its colour).
    bool Execute(bool modal, HWND owner);

    void EvBeforePickColor();
    void EvAfterPickColor();
    // The window closed: its colour becomes Color and it is released.
    void EvCloseHandler();

    std::wstring Name = L"MVColorDlg";
    TColor Color = clBlack;
    std::wstring RGBText;
    TNotifyEvent OnBeforePickColor;
    TNotifyEvent OnAfterPickColor;
    // Raised after a non-modal window closed and Color took its colour.
    TNotifyEvent OnClosed;
    bool OnlyCloseBtn = false;
    bool PickerIcon = true;
    TColor DefaultColor = clNone;
    std::wstring IniName;
    TMvIniFormat IniFormat = sifUnicode;
    std::wstring UserImage;
};

// The open colour window, if any.
TMVColorForm* OpenColorForm();
// Closes it without handing anything back (the program ends).
void ReleaseColorForm();
