#pragma once
// Dialog controls as rows: kind, id, 96-DPI place and text. The same rows
// create the controls, in row order, which is their tab order (so a caption
// row stands directly before its field), and place them again at another DPI.
#include "util/Geometry.h"
#include "util/LocalText.h"

#include <windows.h>

#include <span>

enum class TControlKind {
    Label,      // a caption; "&" marks the key that moves to the next field
    Text,       // a caption without accelerator, wrapping over several lines
    Edit,       // single line
    NumberEdit, // digits only, with an up-down control as the next row
    UpDown,     // the up-down of the NumberEdit row before it
    Button,
    DefaultButton,
    Check,
    Radio, // the first radio of a group starts it
    Group,
    HotKey,
    Custom, // created by the owner; the row gives its place
};

struct TControlRow {
    TControlKind Kind;
    int Id; // 0: a caption nothing refers to; it gets FirstCaptionId + its index
    int X, Y, W, H;
    LocalText Text = LocalText::Neutral(L""); // in the language of the moment it is created
};

// The row's place at a DPI.
Rect ScaledRowBounds(const TControlRow& row, UINT dpi);
// Moves and sizes a control to its 96-DPI design place (left, top, width and
// height each scaled) at a DPI.
void PlaceDesign(HWND control, const Rect& design, UINT dpi);
// The id a row's control gets.
int RowControlId(const TControlRow& row, std::size_t index, int firstCaptionId);

// Creates the controls of all rows but the custom ones (the owner creates
// those in its create callback, at the same point of the tab order), sets
// the font and places them. createCustom gets the row and its scaled place.
template <typename CreateCustom>
void CreateControlRows(HWND parent, std::span<const TControlRow> rows, int firstCaptionId, UINT dpi,
                       HFONT font, CreateCustom&& createCustom);
HWND CreateControlRow(HWND parent, const TControlRow& row, int id, UINT dpi, HFONT font);

// Places the rows' controls (custom ones too, by their id) at a DPI.
void PlaceControlRows(HWND parent, std::span<const TControlRow> rows, int firstCaptionId, UINT dpi,
                      HFONT font);

template <typename CreateCustom>
void CreateControlRows(HWND parent, std::span<const TControlRow> rows, int firstCaptionId, UINT dpi,
                       HFONT font, CreateCustom&& createCustom) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TControlRow& row = rows[i];
        if (row.Kind == TControlKind::Custom) {
            createCustom(row, ScaledRowBounds(row, dpi));
            continue;
        }
        const HWND wnd =
            CreateControlRow(parent, row, RowControlId(row, i, firstCaptionId), dpi, font);
        // The first of a run of radios starts the group the arrow keys move in.
        if (row.Kind == TControlKind::Radio && (i == 0 || rows[i - 1].Kind != TControlKind::Radio))
            ::SetWindowLongPtrW(wnd, GWL_STYLE, ::GetWindowLongPtrW(wnd, GWL_STYLE) | WS_GROUP);
    }
}
