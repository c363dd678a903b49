#pragma once
// The colour picker button's face without its window: where the swatch and
// the side button go, and which cursor shows where.
#include "util/Geometry.h"

struct TColorPickerButtonLayout {
    Rect Swatch;       // framed with the edit border
    Rect SwatchInside; // filled with the selection colour
    Rect SideButton;   // the "..." push button, full height at the right edge
};
// buttonWidth is the side button's width at the control's DPI.
TColorPickerButtonLayout ColorPickerButtonLayout(Size client, int buttonWidth);

enum class TPickerCursor { Default, Hand, NoEntry };
TPickerCursor ColorPickerCursor(const TColorPickerButtonLayout& layout, Point p, bool enabled);

// What opening or closing does: with PopUpPicker off the button raises
// OnClick instead; asking for the state it is in does nothing.
enum class TDropDownAction { None, RaiseClick, Open, Close };
TDropDownAction DropDownAction(bool popUpPicker, bool droppedDown, bool requested);
