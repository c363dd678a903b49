#include "screens/MonitorLayout.h"

#include "util/LocalText.h"

#include <climits>
#include <cstdint>

namespace {

// A monitor without a name of its own, as the calibration names it: %1 its number.
constexpr LocalText NumberedDisplay{L"Bildschirm %1", L"Display %1"};

// Squared distance from a point to a half-open rectangle (0 inside).
std::int64_t DistanceSquared(const Rect& r, Point p) {
    const std::int64_t dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - (r.Right - 1) : 0;
    const std::int64_t dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - (r.Bottom - 1) : 0;
    return dx * dx + dy * dy;
}

} // namespace

MonitorLayout::MonitorLayout(std::vector<Monitor> monitors, Rect fallback)
    : m_monitors(std::move(monitors)) {
    if (m_monitors.empty()) {
        Monitor only;
        only.Bounds = only.WorkArea = fallback;
        only.Primary = true;
        only.Id = L"default";
        m_monitors.push_back(only);
    }
}

const Monitor& MonitorLayout::Primary() const {
    for (const Monitor& m : m_monitors)
        if (m.Primary) return m;
    return m_monitors.front();
}

const Monitor& MonitorLayout::At(Point p) const {
    for (const Monitor& m : m_monitors)
        if (m.Bounds.Contains(p)) return m;
    return Nearest(p);
}

const Monitor& MonitorLayout::Nearest(Point p) const {
    const Monitor* best = &m_monitors.front();
    std::int64_t bestDistance = INT64_MAX;
    for (const Monitor& m : m_monitors) {
        const std::int64_t d = DistanceSquared(m.Bounds, p);
        if (d < bestDistance) {
            bestDistance = d;
            best = &m;
        }
    }
    return *best;
}

const Monitor& MonitorLayout::MostlyUnder(const Rect& r) const {
    const Monitor* best = nullptr;
    std::int64_t bestArea = 0;
    for (const Monitor& m : m_monitors) {
        const Rect shared = m.Bounds.Intersect(r);
        const std::int64_t area = static_cast<std::int64_t>(shared.Width()) * shared.Height();
        if (area > bestArea) {
            bestArea = area;
            best = &m;
        }
    }
    if (best) return *best;
    return Nearest({r.Left + r.Width() / 2, r.Top + r.Height() / 2});
}

Rect MonitorLayout::VirtualScreen() const {
    Rect all = m_monitors.front().Bounds;
    for (const Monitor& m : m_monitors) {
        all.Left = std::min(all.Left, m.Bounds.Left);
        all.Top = std::min(all.Top, m.Bounds.Top);
        all.Right = std::max(all.Right, m.Bounds.Right);
        all.Bottom = std::max(all.Bottom, m.Bounds.Bottom);
    }
    return all;
}

int MonitorLayout::NumberOf(const Monitor& monitor) const {
    for (std::size_t i = 0; i < m_monitors.size(); ++i)
        if (&m_monitors[i] == &monitor) return static_cast<int>(i) + 1;
    return 1;
}

PixelsPerMM AutomaticPixelsPerMM(const Monitor& m) {
    const double wide = m.Bounds.Width();
    const double high = m.Bounds.Height();
    if (m.Size && wide > 0 && high > 0) return {wide / m.Size->WidthMM, high / m.Size->HeightMM};
    PixelsPerMM result;
    if (m.ReportedWidthMM > 0 && wide > 0) result.X = wide / m.ReportedWidthMM;
    if (m.ReportedHeightMM > 0 && high > 0) result.Y = high / m.ReportedHeightMM;
    return result;
}

std::wstring DisplayNameOf(const MonitorLayout& layout, const Monitor& monitor) {
    if (!monitor.Name.empty()) return monitor.Name;
    return FormatText(NumberedDisplay, {std::to_wstring(layout.NumberOf(monitor))});
}
