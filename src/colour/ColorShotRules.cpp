#include "colour/ColorShotRules.h"
#include "util/Dpi.h"

#include "util/GeometryUtils.h"

namespace {

bool s_shotRunning = false;

} // namespace

void ShotMouseDown(TShotDrag& drag, Point p) {
    if (drag.HasStartPoint) return;
    drag.StartPoint = p;
    drag.HasStartPoint = true;
}

TColor GetSelColor(const TRGBImage& image, const TShotDrag& drag, Point p) {
    if (!drag.HasStartPoint || SamePoint(p, drag.StartPoint)) {
        if (p.X < 0 || p.Y < 0 || p.X >= image.Width || p.Y >= image.Height) return clBlack;
        return RGBTripleToColor(image.At(p.X, p.Y));
    }
    return ImageAvgColor(image, PointsToPositiveRect(drag.StartPoint, p));
}

TShotPreviewLayout PlanShotPreview(int dpi) {
    TShotPreviewLayout l;
    const int panel = ScaleToDpi(49, dpi);
    l.Mini = {ScaleToDpi(96, dpi), panel};
    l.Prev = Rect::FromSize(0, 0, panel, panel);
    // The two panels overlap by their edges; the magnifier ends at the
    // holder's right edge whatever the rounding.
    l.Lupe = Rect::FromSize(l.Mini.Width - panel, 0, panel, panel);
    l.Box = Rect::FromSize(l.Lupe.Left + ShotPanelEdge, ShotPanelEdge, panel - 2 * ShotPanelEdge,
                           panel - 2 * ShotPanelEdge);
    const int mark = ScaleToDpi(3, dpi);
    l.Centre = Rect::FromSize(l.Box.Left + (l.Box.Width() - mark) / 2,
                              l.Box.Top + (l.Box.Height() - mark) / 2, mark, mark);
    return l;
}

Rect LupeSourceRect(Point mouse, Size box) {
    const int w = box.Width / 4;
    const int h = box.Height / 4;
    return Rect::FromSize(mouse.X - w / 2, mouse.Y - h / 2, w, h);
}

TLupeStretch PlanLupeStretch(Point mouse, Size box, Size image) {
    const Rect full = LupeSourceRect(mouse, box);
    TLupeStretch s;
    s.Source = full.Intersect(Rect{0, 0, image.Width, image.Height});
    if (s.Source.IsEmpty() || full.IsEmpty()) return {};
    // Each source pixel covers box / source pixels of the picture.
    auto destX = [&](int x) { return (x - full.Left) * box.Width / full.Width(); };
    auto destY = [&](int y) { return (y - full.Top) * box.Height / full.Height(); };
    s.Dest = {destX(s.Source.Left), destY(s.Source.Top), destX(s.Source.Right),
              destY(s.Source.Bottom)};
    return s;
}

TShotRunGuard::TShotRunGuard() : m_owns(!s_shotRunning) {
    if (m_owns) s_shotRunning = true;
}

TShotRunGuard::~TShotRunGuard() {
    if (m_owns) s_shotRunning = false;
}

bool TShotRunGuard::Running() {
    return s_shotRunning;
}
