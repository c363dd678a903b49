#pragma once
// A palette shown as a grid of coloured cells, without a window: the shell
// hands in the size, mouse input and a canvas, and repaints when asked to.
#include "colour/PaletteTables.h"
#include "storage/CustomIniFile.h"
#include "util/Canvas.h"
#include "util/Color.h"
#include "util/Geometry.h"
#include "util/LocalText.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TColorPal {
  public:
    using TNotifyEvent = std::function<void(TColorPal& sender)>;
    using TAllowEvent = std::function<void(TColorPal& sender, bool& doIt)>;
    // now: the click paths want the frame on screen before their event runs.
    using TRepaintEvent = std::function<void(bool now)>;

    // A list palette uses at most this many entries; filled up, it has exactly as many.
    static constexpr int MaxListCells = 256;
    static inline const std::wstring DefaultSection = L"ColorPal";
    static inline const std::wstring DefaultEntry = L"FFFFFF";
    static constexpr LocalText NotAListPalette{
        L"Farbe konnte nicht zugewiesen werden. Nur Benutzer-Paletten können geändert werden.",
        L"The color could not be assigned. Only user palettes can be changed."};
    static constexpr LocalText NoCellSelected{
        L"Farbe konnte nicht zugewiesen werden. Bitte wählen Sie zuerst eine Farbe aus der "
        L"Palette aus, die Sie ersetzen möchten.",
        L"The color could not be assigned. Please first select the color in the palette that you "
        L"want to replace."};

    std::vector<TColor> Pal; // the cells in reading order
    int ActiveCell = 0;      // -1: none
    int PrevCell = -1;
    int MaxCells = 0;
    bool Down = false;     // a button is held on the control
    bool InitDone = false; // Pal matches the kind and list
    bool Changed = false;  // a list cell was replaced: only then is the list saved

    // Geometry; the columns are those that fit whole after the leading gap.
    int PitchX() const { return FColorWidth + FFrameWidth; }
    int PitchY() const { return FColorHeight + FFrameWidth; }
    int Columns() const;
    int Rows() const;
    // The colour area of cell n and the frame drawn round it when it is selected.
    Rect CellRect(int n) const;
    Rect FrameRect(int n) const;
    // The cell under a point of the control, -1 over a gap or outside; may lie
    // beyond the last cell in the last row.
    int CellIndexAt(int x, int y) const;

    // Builds the cells for the current kind and list.
    void InitColors();
    void Paint(Canvas& canvas);

    // Mouse input in control coordinates; moves count only while a button is down.
    void HookMouseDown(int x, int y);
    void MouseMove(int x, int y);
    void MouseUp();

    void SetActiveColor(TColor value);
    // Replaces the selected cell of a list palette. Gives the error text
    // (error icon, OK) when nothing was replaced.
    std::optional<std::wstring> ReplaceColor(TColor newColor);

    // An empty section name means DefaultSection.
    void LoadFormIni(TCustomIniFile& ini, const std::wstring& section);
    void SaveToIni(TCustomIniFile& ini, const std::wstring& section) const;

    // Properties.
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int FrameWidth() const { return FFrameWidth; }
    void SetFrameWidth(int value);
    int ColorWidth() const { return FColorWidth; }
    void SetColorWidth(int value);
    int ColorHeight() const { return FColorHeight; }
    void SetColorHeight(int value);
    TColor ActiveColorFrame() const { return FActiveColorFrame; }
    void SetActiveColorFrame(TColor value);
    TColor ActiveColor() const { return FActiveColor; }
    TMVPalette Palette() const { return FPalette; }
    void SetPalette(TMVPalette value);
    const TStrings& Colors() const { return FColors; }
    void SetColors(const TStrings& value);
    bool SelNoneIfNotFound() const { return FSelNoneIfNotFound; }
    void SetSelNoneIfNotFound(bool value) { FSelNoneIfNotFound = value; }
    bool PalListFillAll() const { return FPalListFillAll; }
    void SetPalListFillAll(bool value);
    Size GetSize() const { return FSize; }
    void SetSize(Size value);

    TNotifyEvent OnColorChanged;
    TAllowEvent OnAllowColorChanged;
    TRepaintEvent OnRepaint;

  private:
    void EnsureCells();
    // The active colour is the selected cell's, clNone when none is shown.
    void SyncActiveColor();
    void Repaint(bool now = false);
    template <typename T> void SetAndRepaint(T& field, T value);

    int FColorWidth = 10;
    int FColorHeight = 12;
    TMVPalette FPalette = TMVPalette::mvPal8;
    TColor FActiveColorFrame = clWhite;
    TColor FActiveColor = clNone;
    int FFrameWidth = 2;
    TStrings FColors; // BBGGRR texts of a list palette
    bool FSelNoneIfNotFound = true;
    bool FPalListFillAll = false;
    TColor FColor = clBlack;
    Size FSize{50, 50};
};
