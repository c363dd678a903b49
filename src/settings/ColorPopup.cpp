#include "settings/ColorPopup.h"
#include "util/Dpi.h"

#include "util/ColorMath.h"
#include "util/GeometryUtils.h"
#include "util/Numbers.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr int Columns = 8;
constexpr int Rows = 5;
constexpr int SysRows = 4;
constexpr int FirstSysCell = StandardColorCount;
constexpr int SliderWidth = 20;
constexpr int RampWidth = 10;

bool IsSystemColor(TColor value) {
    return (static_cast<std::uint32_t>(value) & 0xFF000000u) == 0xFF000000u;
}

TColor RGBForm(TColor value) {
    return GetRealColor(value) & 0xFFFFFF;
}

// The nearest of the combs whose circle holds p, -1 when none does.
template <typename Centre, typename RadiusOf>
int NearestComb(int count, Point p, Centre centre, RadiusOf radiusOf) {
    int best = -1;
    long long bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const Point c = centre(i);
        if (!PtInComb(c, p, radiusOf(i))) continue;
        const long long dx = p.X - c.X, dy = p.Y - c.Y, d = dx * dx + dy * dy;
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

std::wstring Formatted(const wchar_t* pattern, int a, int b = 0, int c = 0) {
    wchar_t buffer[64];
    std::swprintf(buffer, 64, pattern, a, b, c);
    return buffer;
}

} // namespace

wchar_t AcceleratorChar(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return UpperCaseChar(caption[i + 1]);
    }
    return 0;
}

std::wstring StripAccelerator(const std::wstring& caption) {
    std::wstring shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return shown;
}

void TColorPopup::AdjustWindow(const Canvas& canvas, int margin, int dpi) {
    FDpi = dpi > 0 ? dpi : 96;
    FMargin = std::max(margin, 0);
    FSpacing = std::max(ScaleToDpi(8, FDpi), 0);
    FBoxSize = ScaleToDpi(18, FDpi);
    const int M = FMargin, S = FSpacing, B = FBoxSize;

    int textWidth = 0, textHeight = 0;
    if (!DefaultText.empty() || !CustomText.empty()) {
        const Size d = canvas.TextExtent(StripAccelerator(DefaultText), false);
        const Size c = canvas.TextExtent(StripAccelerator(CustomText), false);
        textWidth = std::max(d.Width, c.Width) + 2 * M;
        textHeight = std::max(d.Height, c.Height) + 4 * M + 2;
    }

    FWindowRect = {0, 0, 2 * M + Columns * B + 2 * S, Rows * B + 4 * M};
    FRadius = Columns * B * 7 / 16;
    FCombSize = static_cast<int>(
        RoundHalfEven(static_cast<long double>(FRadius) / std::max(FLevels - 1, 1) + 0.5L));

    // Widens the window to the texts; the entries span it inside the spacing.
    auto entryWidth = [&] {
        if (FWindowRect.Right < textWidth) FWindowRect.Right = textWidth;
        return FWindowRect.Width() - 2 * M;
    };
    FDefaultTextRect = {};
    if (!DefaultText.empty()) {
        const int w = entryWidth();
        FDefaultTextRect = {M + S, 2 * M, M + w - S, 2 * M + textHeight};
        FWindowRect.Bottom += FDefaultTextRect.Height() + 2 * M;
    }
    if (ShowSysColors) FWindowRect.Bottom += SysRows * B + 2 * M;
    FCustomTextRect = {};
    FCustomColorRect = {};
    if (!CustomText.empty()) {
        const int w = entryWidth();
        const int top = FWindowRect.Bottom;
        FCustomTextRect = {M + S, top, M + w - S, top + textHeight};
        FWindowRect.Bottom += FCustomTextRect.Height() + 2 * M;
        const int boxTop = top + (textHeight - B) / 2;
        FCustomColorRect = {FCustomTextRect.Right - B, boxTop, FCustomTextRect.Right, boxTop + B};
        RectShrink(FCustomColorRect, M + 1);
    }

    const int R = FRadius, C = FCombSize;
    const int bottom = FWindowRect.Bottom;
    FColorCombRect = {M + S, bottom, M + S + 2 * R, bottom + 2 * R};
    const auto greyRight = static_cast<int>(
        RoundHalfEven(std::cos(std::numbers::pi_v<long double> / 6) * 17 * C / 2) + 6 * C);
    FBWCombRect = {FColorCombRect.Left, FColorCombRect.Bottom - ScaleToDpi(4, FDpi), greyRight,
                   FColorCombRect.Bottom + 2 * C};
    FSliderRect = {FColorCombRect.Right, FColorCombRect.Top + C,
                   FColorCombRect.Right + ScaleToDpi(SliderWidth, FDpi), FColorCombRect.Bottom - C};
    FColorCombs.clear();
    FBWCombs.clear();
}

Size TColorPopup::WindowSize() const {
    const int height = ShowCombs ? 2 * FMargin + FBWCombRect.Bottom : FWindowRect.Height();
    return {FWindowRect.Width(), height};
}

int TColorPopup::GetRow(int index) const {
    if (index < 0 || index > LastCell()) return -1;
    return index < FirstSysCell ? index / Columns : Rows + (index - FirstSysCell) / Columns;
}

int TColorPopup::GetColumn(int index) const {
    if (index < 0 || index > LastCell()) return -1;
    return (index < FirstSysCell ? index : index - FirstSysCell) % Columns;
}

int TColorPopup::GetIndex(int row, int column) const {
    if (row < 0 || column < 0 || column >= Columns) return CellNone;
    if (row < Rows) return row * Columns + column;
    if (!ShowSysColors || row >= Rows + SysRows) return CellNone;
    const int index = FirstSysCell + (row - Rows) * Columns + column;
    return index <= LastCell() ? index : CellNone;
}

Rect TColorPopup::GetCellRect(int index) const {
    if (index == CellDefault) return FDefaultTextRect;
    if (index == CellCustom) return FCustomTextRect;
    const int row = GetRow(index);
    if (row < 0) return {};
    const int gridTop = DefaultText.empty() ? 2 * FMargin : FDefaultTextRect.Bottom;
    int top = gridTop + row * FBoxSize;
    if (index >= FirstSysCell) top += 3 * FMargin;
    const int left = GetColumn(index) * FBoxSize + FMargin + FSpacing;
    return Rect::FromSize(left, top, FBoxSize, FBoxSize);
}

TColor TColorPopup::GetColorFromIndex(int index) const {
    if (index >= 0 && index < FirstSysCell) return StandardColor(ColorPal, index);
    if (index >= FirstSysCell && index <= LastCell()) return SystemCellColor(index - FirstSysCell);
    if (index == CellDefault) return DefaultColor;
    if (index == CellCustom && FCustomIndex != 0) {
        if (FCustomIndex > 0 && FCustomIndex <= static_cast<int>(FColorCombs.size()))
            return FColorCombs[static_cast<std::size_t>(FCustomIndex - 1)].Color;
        if (FCustomIndex < 0 && -FCustomIndex <= static_cast<int>(FBWCombs.size()))
            return FBWCombs[static_cast<std::size_t>(-FCustomIndex - 1)].Color;
    }
    return clNone;
}

int TColorPopup::SelectionFromPoint(Point p) const {
    if (MoreColorsActive() && FCustomTextRect.Contains(p)) return CellCustom;
    if (!DefaultText.empty() && FDefaultTextRect.Contains(p)) return CellDefault;
    // Counted from the first cell's corner, so that a point hits exactly the
    // cell painted under it.
    const int x = p.X - (FMargin + FSpacing);
    int y = p.Y - (DefaultText.empty() ? 2 * FMargin : FDefaultTextRect.Bottom);
    if (x < 0 || y < 0) return CellNone;
    if (ShowSysColors && y >= Rows * FBoxSize) {
        y -= 3 * FMargin;
        if (y < Rows * FBoxSize) return CellNone; // the separator's gap
    }
    return GetIndex(y / FBoxSize, x / FBoxSize);
}

void TColorPopup::Open(TColor value) {
    FHoverIndex = CellNone;
    FSelectionMode = TSelectionMode::smNone;
    SelectColor(value);
}

void TColorPopup::SelectColor(TColor value) {
    FCurrentColor = value;
    FCustomIndex = 0;
    FSelectedIndex = CellNone;
    if (value == clNone) return;
    if (value == clDefault) {
        FSelectedIndex = CellDefault;
        return;
    }
    const bool system = IsSystemColor(value);
    if (ShowSysColors && system && (value & 0xFF) < SystemColorCount) {
        FSelectedIndex = FirstSysCell + (value & 0xFF);
        return;
    }
    const TColor rgb = RGBForm(value);
    for (int i = 0; i < StandardColorCount; ++i)
        if (RGBForm(StandardColor(ColorPal, i)) == rgb) {
            FSelectedIndex = i;
            return;
        }
    if (ShowSysColors && !system)
        for (int i = 0; i < SystemColorCount; ++i)
            if (RGBForm(SystemCellColor(i)) == rgb) {
                FSelectedIndex = FirstSysCell + i;
                return;
            }
    EnsureCombs();
    for (std::size_t i = 0; i < FBWCombs.size(); ++i)
        if (FBWCombs[i].Color == rgb) {
            FSelectedIndex = CellCustom;
            FCustomIndex = -static_cast<int>(i) - 1;
            return;
        }
    for (std::size_t i = 0; i < FColorCombs.size(); ++i)
        if (FColorCombs[i].Color == rgb) {
            FSelectedIndex = CellCustom;
            FCustomIndex = static_cast<int>(i) + 1;
            return;
        }
}

void TColorPopup::CalculateCombLayout() {
    FColorCombs = ColorCombLayout(FLevels, FRadius, FCenterIntensity);
    FBWCombs = BWCombLayout(FCombSize);
}

void TColorPopup::EnsureCombs() {
    if (FColorCombs.empty() || FBWCombs.empty()) CalculateCombLayout();
}

const std::vector<TCombEntry>& TColorPopup::ColorCombs() {
    EnsureCombs();
    return FColorCombs;
}

const std::vector<TCombEntry>& TColorPopup::BWCombs() {
    EnsureCombs();
    return FBWCombs;
}

Point TColorPopup::ColorCombCentre(int index) {
    const Point p = ColorCombs()[static_cast<std::size_t>(index)].Position;
    return {p.X + FRadius + FColorCombRect.Left, p.Y + FRadius + FColorCombRect.Top};
}

Point TColorPopup::BWCombCentre(int index) {
    const Point p = BWCombs()[static_cast<std::size_t>(index)].Position;
    return {p.X + FBWCombRect.Left, p.Y + FBWCombRect.Top};
}

int TColorPopup::BWCombRadius(int index) const {
    return IsLargeBWComb(index) ? FCombSize : FCombSize / 2;
}

int TColorPopup::FindColorArea(Point p) {
    return NearestComb(
        static_cast<int>(ColorCombs().size()), p, [&](int i) { return ColorCombCentre(i); },
        [&](int) { return FCombSize / 2; });
}

int TColorPopup::FindBWArea(Point p) {
    return NearestComb(
        static_cast<int>(BWCombs().size()), p, [&](int i) { return BWCombCentre(i); },
        [&](int i) { return BWCombRadius(i); });
}

TColor TColorPopup::CustomColor() {
    EnsureCombs();
    return FCustomIndex == 0 ? clNone : GetColorFromIndex(CellCustom);
}

void TColorPopup::HandleSlider(Point p) {
    const int span = FSliderRect.Height();
    const double t = span > 0 ? static_cast<double>(p.Y - FSliderRect.Top) / span : 0;
    FCenterIntensity = std::clamp(1 - t, 0.0, 1.0);
    FColorCombs = ColorCombLayout(FLevels, FRadius, FCenterIntensity);
}

void TColorPopup::HandleCustomColors(Point p) {
    if (!ShowCombs) return;
    using enum TSelectionMode;
    const bool inSlider =
        FSelectionMode == smNone
            ? FSliderRect.Contains(p)
            : FSelectionMode == smRamp && p.X >= FSliderRect.Left && p.X < FSliderRect.Right;
    if (inSlider) {
        FSelectionMode = smRamp;
        HandleSlider(p);
        return;
    }
    if (FBWCombRect.Contains(p) && (FSelectionMode == smNone || FSelectionMode == smBW)) {
        FSelectionMode = smBW;
        const int hit = FindBWArea(p);
        FCustomIndex = hit >= 0 ? -hit - 1 : 0;
        return;
    }
    if (FColorCombRect.Contains(p) && (FSelectionMode == smNone || FSelectionMode == smColor)) {
        FSelectionMode = smColor;
        const int hit = FindColorArea(p);
        FCustomIndex = hit >= 0 ? hit + 1 : 0;
        return;
    }
    FCustomIndex = 0;
}

Point TColorPopup::SliderPointerTip() const {
    const int h = FSliderRect.Height() - 1;
    return {FSliderRect.Left + ScaleToDpi(11, FDpi),
            FSliderRect.Top + static_cast<int>(RoundHalfEven((1 - FCenterIntensity) * h))};
}

void TColorPopup::MouseMove(Point p, bool leftDown) {
    FHoverIndex = SelectionFromPoint(p);
    const Size size = WindowSize();
    if (FHoverIndex == CellNone && leftDown && Rect{0, 0, size.Width, size.Height}.Contains(p))
        HandleCustomColors(p);
}

TPopupReply TColorPopup::MouseDown(Point p) {
    const Size size = WindowSize();
    if (!Rect{0, 0, size.Width, size.Height}.Contains(p)) return TPopupReply::Cancel;
    FHoverIndex = SelectionFromPoint(p);
    if (FHoverIndex == CellNone) HandleCustomColors(p);
    return TPopupReply::Stay;
}

TPopupReply TColorPopup::MouseUp(Point p) {
    const TSelectionMode dragged = FSelectionMode;
    FSelectionMode = TSelectionMode::smNone;
    const int cell = SelectionFromPoint(p);
    if (cell == CellNone && FCustomIndex == 0) return TPopupReply::Stay;
    if (cell == CellNone) {
        // A comb is chosen: it is the selection, not a click on the entry.
        FSelectedIndex = CellCustom;
    } else {
        FCustomIndex = 0;
        const TPopupReply reply = ChangeSelection(cell);
        if (reply != TPopupReply::Stay) return reply;
    }
    const bool combDrag = dragged == TSelectionMode::smColor || dragged == TSelectionMode::smBW;
    if (FSelectedIndex >= 0 || FSelectedIndex == CellDefault ||
        (FSelectedIndex == CellCustom && combDrag))
        return TPopupReply::EndSelection;
    return TPopupReply::Stay;
}

int TColorPopup::NextKeyCell(int current, TPopupKey key) const {
    const bool hasDefault = !DefaultText.empty();
    const bool hasMore = MoreColorsActive();
    const int last = LastCell();
    if (current == CellCustom && !hasMore) current = CellNone;
    const int beforeFirst = hasDefault ? CellDefault : hasMore ? CellCustom : last;
    const int afterLast = hasMore ? CellCustom : hasDefault ? CellDefault : 0;
    switch (key) {
    case TPopupKey::Left:
    case TPopupKey::Up: {
        if (current == CellNone) return last;
        if (current == CellDefault) return hasMore ? CellCustom : last;
        if (current == CellCustom) return last;
        const int step = key == TPopupKey::Left ? 1 : Columns;
        return current - step >= 0 ? current - step : beforeFirst;
    }
    case TPopupKey::Right:
    case TPopupKey::Down: {
        if (current == CellNone || current == CellDefault) return 0;
        if (current == CellCustom) return hasDefault ? CellDefault : 0;
        const int step = key == TPopupKey::Right ? 1 : Columns;
        return current + step <= last ? current + step : afterLast;
    }
    default:
        return current;
    }
}

TPopupReply TColorPopup::KeyDown(TPopupKey key) {
    switch (key) {
    case TPopupKey::Escape:
        return TPopupReply::Cancel;
    case TPopupKey::Enter:
    case TPopupKey::Space: {
        // Nothing hovered: the colour stays as it is.
        if (FHoverIndex == CellNone) return TPopupReply::Cancel;
        const TPopupReply reply = ChangeSelection(FHoverIndex);
        return reply == TPopupReply::Stay ? TPopupReply::EndSelection : reply;
    }
    default:
        FHoverIndex = NextKeyCell(FHoverIndex != CellNone ? FHoverIndex : FSelectedIndex, key);
        return TPopupReply::Stay;
    }
}

TPopupReply TColorPopup::AltKey(wchar_t letter) {
    const wchar_t upper = UpperCaseChar(letter);
    if (!DefaultText.empty() && AcceleratorChar(DefaultText) == upper) {
        ChangeSelection(CellDefault);
        return TPopupReply::EndSelection;
    }
    if (MoreColorsActive() && AcceleratorChar(CustomText) == upper && FSelectedIndex != CellCustom)
        return ChangeSelection(CellCustom);
    return TPopupReply::Stay;
}

TPopupReply TColorPopup::ChangeSelection(int index) {
    if (index == CellNone) return TPopupReply::Stay;
    FSelectedIndex = index;
    if (index == CellCustom && HasCustomClick) return TPopupReply::CustomClick;
    return TPopupReply::Stay;
}

TPopupEnd TColorPopup::EndSelection(bool cancel) {
    TPopupEnd end;
    end.Cancelled = cancel;
    if (cancel) return end;
    if (FSelectedIndex >= 0) {
        end.Color = GetColorFromIndex(FSelectedIndex);
    } else if (FSelectedIndex == CellCustom) {
        if (FCustomIndex != 0) end.Color = CustomColor();
    } else {
        end.Color = DefaultColor;
        end.DefaultSelected = true;
    }
    return end;
}

TPopupHint TColorPopup::GetHint(Point p) {
    TPopupHint hint;
    const int cell = SelectionFromPoint(p);
    if (cell >= 0) {
        hint.Text = cell < FirstSysCell ? StandardColorName(ColorPal, cell)
                                        : SystemColorName(cell - FirstSysCell);
        hint.Kind = hint.Text.empty() ? TPopupHint::TKind::None : TPopupHint::TKind::Text;
        hint.Area = GetCellRect(cell);
        return hint;
    }
    if (cell == CellDefault || cell == CellCustom) {
        hint.Kind = TPopupHint::TKind::AskOwner;
        hint.Cell = cell;
        hint.Area = GetCellRect(cell);
        return hint;
    }
    if (ShowCombs && FSliderRect.Contains(p)) {
        hint.Kind = TPopupHint::TKind::Text;
        hint.Text =
            Formatted(L"Intensity: %d%%", static_cast<int>(RoundHalfEven(FCenterIntensity * 100)));
        hint.Area = FSliderRect;
        hint.Position = Point{FSliderRect.Right, SliderPointerTip().Y - ScaleToDpi(8, FDpi)};
        hint.HideTimeoutMs = 5000;
        return hint;
    }
    if (ShowCombs) {
        std::optional<Point> centre;
        int radius = 0;
        TColor color = clNone;
        if (const int grey = FBWCombRect.Contains(p) ? FindBWArea(p) : -1; grey >= 0) {
            centre = BWCombCentre(grey);
            radius = BWCombRadius(grey);
            color = FBWCombs[static_cast<std::size_t>(grey)].Color;
        } else if (const int comb = FColorCombRect.Contains(p) ? FindColorArea(p) : -1; comb >= 0) {
            centre = ColorCombCentre(comb);
            radius = FCombSize / 2;
            color = FColorCombs[static_cast<std::size_t>(comb)].Color;
        }
        if (centre) {
            hint.Kind = TPopupHint::TKind::Text;
            hint.Text = Formatted(L"red: %d, green: %d, blue: %d", RedOf(color), GreenOf(color),
                                  BlueOf(color));
            hint.Area = {centre->X - radius, centre->Y - radius, centre->X + radius + 1,
                         centre->Y + radius + 1};
            hint.HideTimeoutMs = 5000;
            return hint;
        }
    }
    hint.Kind = TPopupHint::TKind::AskOwner;
    hint.Cell = CellNone;
    return hint;
}

void TColorPopup::DrawCombControls(Canvas& canvas, TColor background) {
    EnsureCombs();
    const Size size = WindowSize();
    canvas.FillRect({0, FColorCombRect.Top, size.Width, size.Height - FMargin}, background);
    const double small = FCombSize / 2.0;
    for (int i = 0; i < static_cast<int>(FColorCombs.size()); ++i)
        FillComb(canvas, ColorCombCentre(i), small, FColorCombs[static_cast<std::size_t>(i)].Color);
    for (int i = 0; i < static_cast<int>(FBWCombs.size()); ++i)
        FillComb(canvas, BWCombCentre(i), IsLargeBWComb(i) ? FCombSize : small,
                 FBWCombs[static_cast<std::size_t>(i)].Color);

    // The ramp: white at the top to black at the bottom.
    const int h = FSliderRect.Height() - 1;
    for (int t = 0; t <= h; ++t) {
        const int grey = h > 0 ? static_cast<int>(RoundHalfEven((h - t) * 255.0L / h)) : 255;
        canvas.FillRect({FSliderRect.Left, FSliderRect.Top + t,
                         FSliderRect.Left + ScaleToDpi(RampWidth, FDpi), FSliderRect.Top + t + 1},
                        RGBColor(grey, grey, grey));
    }
    // The pointer: its tip at the intensity, 5 to the right, 3 up and down.
    const Point tip = SliderPointerTip();
    const int depth = ScaleToDpi(5, FDpi), half = ScaleToDpi(3, FDpi);
    for (int dy = -half; dy <= half; ++dy) {
        const int from = tip.X + (depth * std::abs(dy) + half - 1) / std::max(half, 1);
        canvas.FillRect({from, tip.Y + dy, tip.X + depth + 1, tip.Y + dy + 1}, clBlack);
    }
}

namespace {

// System colour indexes of the 3-D look.
constexpr int ColorBtnFace = 15;
constexpr int ColorBtnShadow = 16;
constexpr int ColorBtnHighlight = 20;
constexpr int Color3DDkShadow = 21;
constexpr int Color3DLight = 22;

TColor Sys(int index) {
    return CanvasColor(SystemCellColor(index));
}

// One ring of a 3-D edge: topLeft along the top and left, bottomRight along
// the bottom and right, inside r.
void EdgeRing(Canvas& canvas, const Rect& r, TColor topLeft, TColor bottomRight) {
    canvas.FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

void SunkenEdge(Canvas& canvas, Rect r) {
    EdgeRing(canvas, r, Sys(ColorBtnShadow), Sys(ColorBtnHighlight));
    RectShrink(r, 1);
    EdgeRing(canvas, r, Sys(Color3DDkShadow), Sys(Color3DLight));
}

void RaisedEdge(Canvas& canvas, Rect r) {
    EdgeRing(canvas, r, Sys(Color3DLight), Sys(Color3DDkShadow));
    RectShrink(r, 1);
    EdgeRing(canvas, r, Sys(ColorBtnHighlight), Sys(ColorBtnShadow));
}

void Outline(Canvas& canvas, const Rect& r, TColor color) {
    EdgeRing(canvas, r, color, color);
}

} // namespace

void TColorPopup::DrawCell(Canvas& canvas, int index, bool leftDown) {
    Rect r = GetCellRect(index);
    if (r.IsEmpty()) return;
    if (index == CellCustom && !HasCustomClick) return; // takes its space, not drawn
    const bool selected = index == FSelectedIndex;
    const bool hovered = index == FHoverIndex;
    const TColor face = Sys(ColorBtnFace);
    const TColor back = selected && !hovered ? Sys(ColorBtnHighlight) : face;
    auto edges = [&](const Rect& area) {
        if (selected || (hovered && leftDown))
            SunkenEdge(canvas, area);
        else if (hovered)
            EdgeRing(canvas, area, Sys(ColorBtnHighlight), Sys(ColorBtnShadow));
    };
    if (index >= 0) {
        canvas.FillRect(r, back);
        edges(r);
        RectShrink(r, FMargin + 1);
        Outline(canvas, r, 0x808080);
        RectShrink(r, 1);
        canvas.FillRect(r, CanvasColor(GetColorFromIndex(index)));
        return;
    }
    canvas.FillRect(r, face);
    if (index == CellDefault) {
        Rect inner{r.Left, r.Top + 1, r.Right, r.Bottom - 1};
        canvas.FillRect(inner, back);
        edges(inner);
        RectShrink(inner, FMargin + 1);
        Outline(canvas, inner, Sys(ColorBtnShadow));
        RectShrink(inner, 1);
        const TColor color = CanvasColor(DefaultColor);
        canvas.FillRect(inner, color);
        const std::wstring text = StripAccelerator(DefaultText);
        const Size extent = canvas.TextExtent(text, false);
        canvas.TextAt(r.Left + (r.Width() - extent.Width) / 2,
                      r.Top + (r.Height() - extent.Height) / 2, text, InvertColor(color) & 0xFFFFFF,
                      false);
        return;
    }
    const Rect inner{r.Left + 1, r.Top, r.Right - 1, r.Bottom};
    edges(inner);
    const std::wstring text = StripAccelerator(CustomText);
    const Size extent = canvas.TextExtent(text, false);
    canvas.TextAt(inner.Left + 2, inner.Top + (inner.Height() - extent.Height) / 2, text,
                  Sys(18 /* button text */), false);
}

void TColorPopup::DrawSeparator(Canvas& canvas) {
    const Rect last = GetCellRect(FirstSysCell - 1);
    const int y = last.Bottom + (3 * FMargin) / 2 - 1;
    const int left = FMargin + FSpacing, right = left + Columns * FBoxSize;
    canvas.FillRect({left, y, right, y + 1}, Sys(ColorBtnShadow));
    canvas.FillRect({left, y + 1, right, y + 2}, Sys(ColorBtnHighlight));
}

void TColorPopup::PaintContent(Canvas& canvas, bool leftDown) {
    const Size size = WindowSize();
    canvas.FillRect({0, 0, size.Width, size.Height}, Sys(ColorBtnFace));
    if (!DefaultText.empty()) DrawCell(canvas, CellDefault, leftDown);
    for (int i = 0; i < FirstSysCell; ++i)
        DrawCell(canvas, i, leftDown);
    if (ShowSysColors) {
        DrawSeparator(canvas);
        for (int i = FirstSysCell; i <= LastCell(); ++i)
            DrawCell(canvas, i, leftDown);
    }
    if (!CustomText.empty()) DrawCell(canvas, CellCustom, leftDown);
    if (ShowCombs) DrawCombControls(canvas, Sys(ColorBtnFace));
    RaisedEdge(canvas, {0, 0, size.Width, size.Height});
}

Point ShowPopupAligned(const Rect& button, Size popup, const Rect& workArea) {
    Point p{button.Left - 1, button.Bottom};
    if (p.Y + popup.Height > workArea.Bottom) {
        p.Y = workArea.Bottom - popup.Height;
        if (p.Y < button.Top) p.Y = button.Top - popup.Height;
    }
    // A screen too low for either side: the top stays reachable.
    p.Y = std::max(p.Y, workArea.Top);
    if (p.X + popup.Width > workArea.Right) p.X = workArea.Right - popup.Width;
    p.X = std::max(p.X, workArea.Left);
    return p;
}
