#pragma once
// The HSV picker panel without windows: the square, the hue bar and the row of
// RGB edits as state objects, and the routing of a change from one of them to
// the others. The shell windows draw from this state and ask what to repaint.
#include "colour/HsvPicker.h"

#include <array>
#include <string>
#include <vector>

// Layout at 96 DPI, in the picker's client coordinates (edit fields in the
// edit row's coordinates).
struct TPickerLayout {
    static constexpr Rect SatLum{6, 6, 94, 94};
    static constexpr Rect Hue{6, 98, 94, 107};
    static constexpr Rect EditRow{5, 110, 95, 125};
    static constexpr std::array<int, 3> EditLefts{1, 35, 69};
    static constexpr int EditTop = 1;
    static constexpr Size EditSize{20, 13};
    static constexpr int MinWidth = 100;
    static constexpr int MarkerRadius = 4;
    // The automatic height: below the edit row while it shows (130), else
    // just below the hue bar (113).
    static constexpr int AutoHeight(bool editVisible) {
        return editVisible ? EditRow.Bottom + 5 : EditRow.Top + 3;
    }
};

// A 96-DPI design length at dpi.
int ScaleToDpi(int value, int dpi);
// left, top, width and height each scaled.
Rect ScaleToDpi(const Rect& design, int dpi);

// What a panel needs repainted since the shell last asked.
struct TRepaint {
    bool Whole = false;
    std::vector<Rect> Boxes;
    bool IsEmpty() const { return !Whole && Boxes.empty(); }
};

// The square (tSatLum) or the hue bar (tHue).
class TGraphicPanelModel {
  public:
    explicit TGraphicPanelModel(TGradientType type) : m_type(type) {}

    TGradientType GradientType() const { return m_type; }
    const THSL& HSL() const { return m_hsl; }
    Size PanelSize() const { return m_size; }
    // Rebuilt on a new size and, for the square, a new hue; the version counts
    // the rebuilds so that the shell remakes its bitmap only then.
    const TRGBImage& Gradient() const { return m_gradient; }
    int GradientVersion() const { return m_gradientVersion; }
    // The remembered marker position (clamped); none on an empty panel.
    bool HasMarker() const { return m_hasMarker; }
    Point Marker() const { return m_marker; }
    Rect MarkerBox() const { return PickCircleBox(m_marker, m_radius); }

    void SetSize(Size size, int markerRadius);
    // A colour from elsewhere: the marker goes where the colour puts it.
    void SetHSL(const THSL& hsl);
    // A mouse point: the colour takes it and the marker follows the point.
    // False (nothing changes) on an empty panel.
    bool PickAt(Point p);
    TRepaint TakeRepaint();

  private:
    void MoveMarker(Point p);
    void UpdateGradient(bool force);

    TGradientType m_type;
    THSL m_hsl;
    Size m_size;
    int m_radius = TPickerLayout::MarkerRadius;
    TRGBImage m_gradient;
    int m_gradientHue = -1; // the hue the square's picture shows
    int m_gradientVersion = 0;
    bool m_hasMarker = false;
    Point m_marker;
    TRepaint m_repaint;
};

// The three edits for red, green and blue.
class TRGBEditModel {
  public:
    const THSL& HSL() const { return m_hsl; }
    TColor PickColor() const { return m_pickColor; }
    // A colour from elsewhere; the edits then show Texts().
    void SetHSL(const THSL& hsl);
    // A colour set by the host: kept as it is, the model derived from it.
    void SetColor(TColor color);
    // The user changed an edit: all three are read, the colour taken.
    THSL EditsChanged(const std::array<std::wstring, 3>& texts);

    bool HexEdit() const { return m_hexEdit; }
    // The edits then show Texts() in the new format, at most MaxLength() characters.
    void SetHexEdit(bool value) { m_hexEdit = value; }
    int MaxLength() const { return m_hexEdit ? 2 : 3; }
    // Red, green and blue of the colour in the current format.
    std::array<std::wstring, 3> Texts() const;

    // A key typed into an edit: a-f become A-F; digits and Backspace pass,
    // A-F only in hexadecimal. False drops the key.
    bool FilterKey(wchar_t& key) const;
    // Empty is 0; clamped to 0..255.
    int ParseChannel(const std::wstring& text) const;
    std::wstring FormatChannel(int value) const;
    // What an edit shows once left: its value clamped, "0" when it was empty.
    std::wstring LeaveText(const std::wstring& text) const {
        return FormatChannel(ParseChannel(text));
    }

  private:
    THSL m_hsl;
    TColor m_pickColor = 0;
    bool m_hexEdit = false;
};

enum TPickerPart { ppSatLum, ppHue, ppRGBEdit };

class THsvPickerModel {
  public:
    // Dark red until the host sets a colour.
    static constexpr TColor InitialColor = 128;

    THsvPickerModel() { SetPickColor(InitialColor); }

    TGraphicPanelModel SatLum{tSatLum};
    TGraphicPanelModel Hue{tHue};
    TRGBEditModel Edit;

    TColor PickColor() const { return Edit.PickColor(); }
    // All three parts take the colour; no change is reported.
    void SetPickColor(TColor value);
    // sender reports hsl (the square and the hue bar have taken it already,
    // the edits have set their colour): the other parts take it. Gives the
    // colour to report.
    TColor HSLChanged(TPickerPart sender, const THSL& hsl);
};
