#pragma once
// Whether the controls of a window show their whole texts: each text measured
// with the control's own font, laid out as the control lays it out (one line,
// or wrapped at the control's width), against the room the control gives it
// (its client area less what it draws beside the text: the box of a check
// box, the frame of a button, the inset of a group's caption), cut by the
// client areas of the windows it sits in.
#include <windows.h>

#include <string>
#include <vector>

struct TTextFit {
    int Id = 0;
    std::wstring Class;
    std::wstring Text;
    SIZE Needed{};        // the text's extent as the control lays it out
    SIZE Room{};          // where it is shown
    int OneLineWidth = 0; // the text on one line, for the report
    bool Fits() const { return Needed.cx <= Room.cx && Needed.cy <= Room.cy; }
};

// Every control below window, at all levels, that shows a text the program
// wrote: statics, buttons, check boxes, radios, group boxes, link labels,
// read-only fields and the entries of drop-down lists (each entry one fit).
// Not fields the user types into, nor controls that show a picture instead.
std::vector<TTextFit> MeasureControlTexts(HWND window);

// "id 1204 Static "S&kala": needs 74 x 13, has 64 x 15"
std::string Describe(const TTextFit& fit);
