#include "colour/ColorPal.h"

#include "storage/IniHelpers.h"
#include "util/ColorText.h"

#include <algorithm>

namespace {

const std::wstring& SectionOrDefault(const std::wstring& section) {
    return section.empty() ? TColorPal::DefaultSection : section;
}

} // namespace

int TColorPal::Columns() const {
    if (PitchX() <= 0) return 0;
    return std::max(0, (FSize.Width - FFrameWidth) / PitchX());
}

int TColorPal::Rows() const {
    const int columns = Columns();
    return columns > 0 ? (MaxCells + columns - 1) / columns : 0;
}

Rect TColorPal::CellRect(int n) const {
    const int columns = Columns();
    if (columns <= 0 || n < 0) return {};
    return Rect::FromSize(n % columns * PitchX() + FFrameWidth,
                          n / columns * PitchY() + FFrameWidth, FColorWidth, FColorHeight);
}

Rect TColorPal::FrameRect(int n) const {
    const int columns = Columns();
    if (columns <= 0 || n < 0) return {};
    return Rect::FromSize(n % columns * PitchX(), n / columns * PitchY(),
                          FColorWidth + 2 * FFrameWidth, FColorHeight + 2 * FFrameWidth);
}

int TColorPal::CellIndexAt(int x, int y) const {
    const int columns = Columns();
    // A drag keeps reporting the pointer outside the control; nothing is there.
    if (columns <= 0 || PitchY() <= 0 ||
        !Rect::FromSize(0, 0, FSize.Width, FSize.Height).Contains({x, y}))
        return -1;
    const int column = x / PitchX();
    const int row = y / PitchY();
    if (column >= columns || MaxCells / columns < row) return -1;
    if (x % PitchX() < FFrameWidth || y % PitchY() < FFrameWidth) return -1;
    return column + row * columns;
}

void TColorPal::InitColors() {
    if (FPalette != TMVPalette::mvPalList) {
        Pal = FixedPaletteCells(FPalette);
    } else {
        const std::size_t used = std::min<std::size_t>(FColors.size(), MaxListCells);
        Pal.clear();
        for (std::size_t i = 0; i < used; ++i)
            Pal.push_back(ShortHexBGRToColor(FColors[i], clNone));
        if (FPalListFillAll)
            while (Pal.size() < MaxListCells) {
                Pal.push_back(clWhite);
                FColors.push_back(DefaultEntry);
            }
    }
    MaxCells = static_cast<int>(Pal.size());
    InitDone = true;
    SyncActiveColor();
}

void TColorPal::EnsureCells() {
    if (!InitDone) InitColors();
}

void TColorPal::SyncActiveColor() {
    // A selection left over from a larger palette shows nothing in this one
    // and comes back with a palette that has the cell again.
    const bool shown = ActiveCell >= 0 && ActiveCell < MaxCells;
    FActiveColor = shown ? Pal[static_cast<std::size_t>(ActiveCell)] : clNone;
}

void TColorPal::Paint(Canvas& canvas) {
    EnsureCells();
    const int width = FSize.Width, height = FSize.Height;
    const TColor back = CanvasColor(FColor);
    const int columns = Columns();
    const int rows = Rows();
    for (int row = 0; row < rows; ++row) {
        const int top = row * PitchY();
        canvas.FillRect({0, top, width, top + FFrameWidth}, back);
        const int cellTop = top + FFrameWidth, cellBottom = cellTop + FColorHeight;
        int x = 0;
        for (int column = 0; column < columns; ++column) {
            const int n = row * columns + column;
            if (n >= MaxCells) break;
            canvas.FillRect({x, cellTop, x + FFrameWidth, cellBottom}, back);
            // An entry that names no colour (a damaged list) shows as an empty cell.
            const TColor cell = Pal[static_cast<std::size_t>(n)];
            canvas.FillRect(CellRect(n), cell == clNone ? back : CanvasColor(cell));
            x += PitchX();
        }
        canvas.FillRect({x, cellTop, width, cellBottom}, back);
    }
    canvas.FillRect({0, rows * PitchY(), width, height}, back);

    if (ActiveCell >= 0 && ActiveCell < MaxCells &&
        Pal[static_cast<std::size_t>(ActiveCell)] != clNone) {
        FActiveColor = Pal[static_cast<std::size_t>(ActiveCell)];
        canvas.FillRect(FrameRect(ActiveCell), CanvasColor(FActiveColorFrame));
        canvas.FillRect(CellRect(ActiveCell), CanvasColor(FActiveColor));
    }
}

void TColorPal::HookMouseDown(int x, int y) {
    Down = true;
    EnsureCells();
    const int cell = CellIndexAt(x, y);
    if (cell < 0) return;
    // Lets the owner hear of a click on the selected cell too.
    bool doIt = false;
    if (OnAllowColorChanged) OnAllowColorChanged(*this, doIt);
    if (cell >= MaxCells || Pal[static_cast<std::size_t>(cell)] == clNone) return;
    if (cell != ActiveCell || doIt) {
        PrevCell = ActiveCell;
        ActiveCell = cell;
        FActiveColor = Pal[static_cast<std::size_t>(cell)];
        Repaint(true);
        if (OnColorChanged) OnColorChanged(*this);
    }
}

void TColorPal::MouseMove(int x, int y) {
    if (Down) HookMouseDown(x, y);
}

void TColorPal::MouseUp() {
    Down = false;
}

void TColorPal::SetActiveColor(TColor value) {
    EnsureCells();
    if (value == FActiveColor) return;
    const auto selectNone = [this] {
        const bool hadCell = ActiveCell >= 0;
        ActiveCell = -1;
        FActiveColor = clNone;
        if (hadCell) Repaint();
    };
    if (value == clNone) {
        selectNone();
        return;
    }
    const auto found = std::find(Pal.begin(), Pal.end(), value);
    if (found != Pal.end()) {
        const int cell = static_cast<int>(found - Pal.begin());
        const bool moved = cell != ActiveCell;
        ActiveCell = cell;
        FActiveColor = value;
        if (moved) Repaint();
    } else if (FSelNoneIfNotFound && FActiveColor != clNone) {
        selectNone();
    }
}

std::optional<std::wstring> TColorPal::ReplaceColor(TColor newColor) {
    if (FPalette != TMVPalette::mvPalList) return NotAListPalette();
    EnsureCells();
    if (ActiveCell < 0 || ActiveCell >= static_cast<int>(FColors.size()) || ActiveCell >= MaxCells)
        return NoCellSelected();
    const auto cell = static_cast<std::size_t>(ActiveCell);
    Changed = true;
    FColors[cell] = ColorToShortHexBGR(newColor);
    Pal[cell] = newColor;
    FActiveColor = newColor;
    Repaint();
    return std::nullopt;
}

void TColorPal::LoadFormIni(TCustomIniFile& ini, const std::wstring& section) {
    const TColor previous = FActiveColor;
    // A hand-edited count may claim millions of entries; a palette shows 256 at most.
    SL_LoadFromIni(FColors, ini, SectionOrDefault(section), DefaultEntry, MaxListCells);
    InitColors();
    Repaint();
    if (ActiveCell >= 0 && ActiveCell < static_cast<int>(FColors.size()) &&
        FActiveColor != previous && OnColorChanged)
        OnColorChanged(*this);
}

void TColorPal::SaveToIni(TCustomIniFile& ini, const std::wstring& section) const {
    // An untouched list stays as the file has it.
    if (Changed) SL_SaveToIniMini(FColors, ini, SectionOrDefault(section), DefaultEntry);
}

void TColorPal::Repaint(bool now) {
    if (OnRepaint) OnRepaint(now);
}

template <typename T> void TColorPal::SetAndRepaint(T& field, T value) {
    if (field == value) return;
    field = value;
    Repaint();
}

void TColorPal::SetColor(TColor value) {
    SetAndRepaint(FColor, value);
}
void TColorPal::SetFrameWidth(int value) {
    SetAndRepaint(FFrameWidth, value);
}
void TColorPal::SetColorWidth(int value) {
    SetAndRepaint(FColorWidth, value);
}
void TColorPal::SetColorHeight(int value) {
    SetAndRepaint(FColorHeight, value);
}
void TColorPal::SetActiveColorFrame(TColor value) {
    SetAndRepaint(FActiveColorFrame, value);
}
void TColorPal::SetSize(Size value) {
    SetAndRepaint(FSize, value);
}

void TColorPal::SetPalette(TMVPalette value) {
    if (value == FPalette) return;
    FPalette = value;
    InitColors();
    Repaint();
}

void TColorPal::SetColors(const TStrings& value) {
    FColors = value;
    InitDone = false;
    Repaint();
}

void TColorPal::SetPalListFillAll(bool value) {
    FPalListFillAll = value;
    InitDone = false;
    Repaint();
}
