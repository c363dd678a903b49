#pragma once
// The monitors as the program sees them: where each stands on the virtual
// screen, its DPI and, where it tells, its physical size. Built by the shell
// at start and on display changes, then only read: no lookup here touches
// the platform.
#include "screens/Edid.h"
#include "util/Geometry.h"

#include <optional>
#include <string>
#include <vector>

struct Monitor {
    Rect Bounds;   // virtual-screen device pixels
    Rect WorkArea; // without the task bar
    int Dpi = 96;
    std::optional<PhysicalSize> Size; // from a plausible EDID
    // What the device reports as its size in millimetres (often made up
    // from 96 DPI), the second choice; 0 when it reports none.
    int ReportedWidthMM = 0;
    int ReportedHeightMM = 0;
    std::wstring Id;   // stable across starts: for the calibration per monitor
    std::wstring Name; // the EDID's monitor name, "" when it has none
    bool Primary = false;
};

class MonitorLayout {
  public:
    MonitorLayout() = default;
    // An empty list becomes one 96-DPI monitor of the given bounds, so every
    // lookup has an answer.
    explicit MonitorLayout(std::vector<Monitor> monitors, Rect fallback = {0, 0, 1024, 768});

    const std::vector<Monitor>& Monitors() const { return m_monitors; }
    const Monitor& Primary() const;
    // The monitor that holds the point, else the nearest one.
    const Monitor& At(Point p) const;
    // The monitor with the largest share of the rectangle; for a rectangle
    // on none, the one nearest to its centre.
    const Monitor& MostlyUnder(const Rect& r) const;
    // The monitor nearest to a point (the one holding it at distance 0).
    const Monitor& Nearest(Point p) const;
    // The union of all bounds.
    Rect VirtualScreen() const;
    // 1-based position in the list, for "Bildschirm 2".
    int NumberOf(const Monitor& m) const;

  private:
    std::vector<Monitor> m_monitors;
};

// Pixels per millimetre on a monitor, across and down: its EDID size, else
// the size the device reports, else 96 DPI.
struct PixelsPerMM {
    double X = 96.0 / 25.4;
    double Y = 96.0 / 25.4;
    friend bool operator==(const PixelsPerMM&, const PixelsPerMM&) = default;
};
PixelsPerMM AutomaticPixelsPerMM(const Monitor& monitor);

// What the settings dialog calls the monitor: its EDID name, else
// "Bildschirm N".
std::wstring DisplayNameOf(const MonitorLayout& layout, const Monitor& monitor);
