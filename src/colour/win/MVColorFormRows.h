#pragma once
// The colour window's controls as rows: kind, id, parent, 96-DPI place, text
// and hint. The rows' order is the tab order.
#include "util/LocalText.h"
#include <span>

enum class TColorFormKind {
    Label,
    Edit,
    ReadOnlyEdit, // text to select and copy, read by screen readers
    Button,
    Check,
    Combo,
    Panel,
    Group,
    Note,        // a static text of two lines
    HistoryCell, // an owner-drawn button showing one colour
    Custom,
};

struct TColorFormRow {
    TColorFormKind Kind;
    int Id;     // 0 for a label: it gets an id from its row number
    int Parent; // 0: the form
    int X, Y, W, H;
    LocalText Text = LocalText::Neutral(L"");
    LocalText Hint = LocalText::Neutral(L""); // none when empty
    int MaxLength = 0;                        // edits
    int UpDownMax = -1;                       // edits with an up-down control
};

// The groups "CSS", "Kontrast" and "Verlauf".
std::span<const TColorFormRow> CssColorFormRows();
