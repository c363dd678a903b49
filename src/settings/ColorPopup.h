#pragma once
// The colour popup of the colour picker button, without its window: layout,
// cells, combs, slider, hit testing, keys, selection and hints. The shell
// feeds it mouse and key input in popup coordinates and paints from it.
#include "settings/ColorCombs.h"
#include "settings/ColorPopupTables.h"
#include "util/Canvas.h"
#include "util/Color.h"
#include "util/Geometry.h"

#include <optional>
#include <string>
#include <vector>

// Cell indexes besides 0..39 (standard) and 40..64 (system colours).
constexpr int CellNone = -1;
constexpr int CellCustom = -2;  // the more-colours entry, or a chosen comb
constexpr int CellDefault = -3; // the default entry
constexpr TColor clDefault = 0x20000000;

enum class TSelectionMode { smNone, smColor, smBW, smRamp };
enum class TPopupKey { Left, Up, Right, Down, Enter, Space, Escape };

// What the shell does after an input.
enum class TPopupReply {
    Stay,         // stays open; repaint what changed
    EndSelection, // close with EndSelection(false)
    Cancel,       // close with EndSelection(true)
    CustomClick,  // close and raise the button's OnClick
};

// What closing hands back to the button.
struct TPopupEnd {
    bool Cancelled = false;
    std::optional<TColor> Color;  // the new SelectionColor, if any
    bool DefaultSelected = false; // raise OnDefaultSelect
};

struct TPopupHint {
    enum class TKind { None, Text, AskOwner };
    TKind Kind = TKind::None;
    std::wstring Text;
    Rect Area;                     // the hint holds while the pointer stays inside
    int Cell = CellNone;           // for AskOwner: the entry the owner names
    std::optional<Point> Position; // where to show it when not at the pointer
    int HideTimeoutMs = 0;         // 0: the usual time
};

class TColorPopup {
  public:
    // Set up by the button before the layout and on opening.
    std::wstring DefaultText;
    std::wstring CustomText;
    bool ShowSysColors = false;
    bool ShowCombs = true;
    TCpbColorPal ColorPal = TCpbColorPal::cpOffice;
    TColor DefaultColor = clBlack;
    // The button's OnClick is assigned: only then is the more-colours
    // entry drawn, hit and reached by the keys.
    bool HasCustomClick = false;

    // The layout for the texts measured on canvas; margin is the system's
    // 3-D edge width at the popup's DPI, the other sizes scale with dpi.
    void AdjustWindow(const Canvas& canvas, int margin, int dpi = 96);
    Size WindowSize() const; // as shown: with combs down to the grey combs

    const Rect& DefaultTextRect() const { return FDefaultTextRect; }
    const Rect& CustomTextRect() const { return FCustomTextRect; }
    const Rect& CustomColorRect() const { return FCustomColorRect; }
    const Rect& ColorCombRect() const { return FColorCombRect; }
    const Rect& BWCombRect() const { return FBWCombRect; }
    const Rect& SliderRect() const { return FSliderRect; }
    int Margin() const { return FMargin; }
    int BoxSize() const { return FBoxSize; }
    int CombSize() const { return FCombSize; }
    int Radius() const { return FRadius; }

    int LastCell() const { return ShowSysColors ? 64 : 39; }
    int GetRow(int index) const;
    int GetColumn(int index) const;
    int GetIndex(int row, int column) const;
    Rect GetCellRect(int index) const;
    TColor GetColorFromIndex(int index) const;
    int SelectionFromPoint(Point p) const;

    // Opening: a fresh hover and drag, then SelectColor(value).
    void Open(TColor value);
    void SelectColor(TColor value);

    void CalculateCombLayout();
    const std::vector<TCombEntry>& ColorCombs();
    const std::vector<TCombEntry>& BWCombs();
    // Centres and hit radii in popup coordinates.
    Point ColorCombCentre(int index);
    Point BWCombCentre(int index);
    int BWCombRadius(int index) const;
    int FindColorArea(Point p);
    int FindBWArea(Point p);
    // The colour of the chosen comb, clNone when none is chosen.
    TColor CustomColor();

    void HandleSlider(Point p);
    void HandleCustomColors(Point p);
    // The slider pointer's tip.
    Point SliderPointerTip() const;

    void MouseMove(Point p, bool leftDown);
    TPopupReply MouseDown(Point p);
    TPopupReply MouseUp(Point p);
    TPopupReply KeyDown(TPopupKey key);
    // Alt with a letter: the accelerators of the two texts.
    TPopupReply AltKey(wchar_t letter);
    TPopupReply ChangeSelection(int index);
    void ChangeHoverSelection(int index) { FHoverIndex = index; }
    TPopupEnd EndSelection(bool cancel);
    TPopupHint GetHint(Point p);

    // Draws the combs and the slider with its pointer on the background (the
    // button face, resolved). The chosen comb's XOR outline is the shell's.
    void DrawCombControls(Canvas& canvas, TColor background);
    // One cell or entry with its hover and selection edges; leftDown: the
    // left button is held.
    void DrawCell(Canvas& canvas, int index, bool leftDown);
    void DrawSeparator(Canvas& canvas);
    // The whole popup in painting order, ending with its raised edge.
    void PaintContent(Canvas& canvas, bool leftDown);

    int HoverIndex() const { return FHoverIndex; }
    int SelectedIndex() const { return FSelectedIndex; }
    int CustomIndex() const { return FCustomIndex; }
    double CenterIntensity() const { return FCenterIntensity; }
    TSelectionMode SelectionMode() const { return FSelectionMode; }
    TColor CurrentColor() const { return FCurrentColor; }

  private:
    bool MoreColorsActive() const { return HasCustomClick && !CustomText.empty(); }
    int NextKeyCell(int current, TPopupKey key) const;
    void EnsureCombs();

    TColor FCurrentColor = clBlack;
    int FMargin = 2;
    int FDpi = 96;
    int FSpacing = 8;
    int FBoxSize = 18;
    int FSelectedIndex = CellNone;
    int FHoverIndex = CellNone;
    Rect FWindowRect, FCustomTextRect, FDefaultTextRect, FColorCombRect, FBWCombRect, FSliderRect,
        FCustomColorRect;
    int FCombSize = 11;
    int FLevels = 7;
    std::vector<TCombEntry> FBWCombs, FColorCombs;
    double FCenterIntensity = 1;
    int FCustomIndex = 0; // 0 none, n > 0 colour comb n - 1, n < 0 grey comb -n - 1
    int FRadius = 63;
    TSelectionMode FSelectionMode = TSelectionMode::smNone;
};

// The accelerator letter of a caption ("&Standard" -> 'S'), 0 for none.
wchar_t AcceleratorChar(const std::wstring& caption);
// The caption as shown, its '&' markers removed ("&&" shows one '&').
std::wstring StripAccelerator(const std::wstring& caption);

// The popup's place on screen: below the button, one pixel left of it;
// above it when there is no room below; kept inside the work area of the
// button's monitor.
Point ShowPopupAligned(const Rect& buttonOnScreen, Size popup, const Rect& workArea);
