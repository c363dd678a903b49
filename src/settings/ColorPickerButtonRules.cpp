#include "settings/ColorPickerButtonRules.h"

#include "util/GeometryUtils.h"

#include <algorithm>

TColorPickerButtonLayout ColorPickerButtonLayout(Size client, int buttonWidth) {
    TColorPickerButtonLayout layout;
    const int side = std::clamp(buttonWidth, 0, client.Width);
    layout.SideButton = {client.Width - side, 0, client.Width, client.Height};
    layout.Swatch = {0, 0, std::max(client.Width - side - 3, 0), client.Height};
    layout.SwatchInside = layout.Swatch;
    RectShrink(layout.SwatchInside, 3);
    if (layout.SwatchInside.IsEmpty()) layout.SwatchInside = {};
    return layout;
}

TPickerCursor ColorPickerCursor(const TColorPickerButtonLayout& layout, Point p, bool enabled) {
    if (!enabled) return TPickerCursor::NoEntry;
    return layout.Swatch.Contains(p) ? TPickerCursor::Hand : TPickerCursor::Default;
}

TDropDownAction DropDownAction(bool popUpPicker, bool droppedDown, bool requested) {
    if (requested && !popUpPicker) return TDropDownAction::RaiseClick;
    if (droppedDown == requested) return TDropDownAction::None;
    return requested ? TDropDownAction::Open : TDropDownAction::Close;
}
