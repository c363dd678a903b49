#pragma once
// The rules of the screen colour shot that need no window: what a click or a
// drag on the frozen screen picks, where the floating preview goes, what its
// magnifier shows, and the one-shot-at-a-time guard.
#include "util/Color.h"
#include "util/Geometry.h"
#include "util/ImageOps.h"

// The mouse state over the frozen screen (window coordinates, which are the
// screen's).
struct TShotDrag {
    bool HasStartPoint = false; // a button is down, a rectangle is being dragged
    Point StartPoint;
    int OldX = -1; // corner of the focus rectangle on the screen, -1 while none
    int OldY = -1;
};

// A button went down at p. A second button while one is held keeps the first
// start point: the focus rectangle on the screen belongs to it.
void ShotMouseDown(TShotDrag& drag, Point p);

// What releasing the button at p picks: the pixel at p when no button went
// down on the shot (the press happened elsewhere) or when p is the start
// point, otherwise the average of the rectangle spanned by the start point
// and p, both corners included. Outside the image: black.
TColor GetSelColor(const TRGBImage& image, const TShotDrag& drag, Point p);

// The preview jumps away from the mouse: to the left edge from anywhere else,
// from the left edge to the right one.
int PreviewJumpLeft(int miniLeft, int miniWidth, int windowWidth);

// The floating preview in device pixels for a DPI (design values at 96 DPI);
// every rectangle is in the holder's coordinates.
struct TShotPreviewLayout {
    Size Mini;   // the holder
    Rect Prev;   // the colour a click would pick now, with a sunken frame
    Rect Lupe;   // the magnifier's frame
    Rect Box;    // the magnified picture inside the frame
    Rect Centre; // black mark on the magnified centre pixel
};
TShotPreviewLayout PlanShotPreview(int dpi);
// Width of the two one-pixel edges round the colour and the magnifier.
constexpr int ShotPanelEdge = 2;

// The magnifier: a square of box.Width div 4 x box.Height div 4 image pixels
// centred on the mouse, stretched over the whole box. Near the image's edges
// only the part inside the image is copied, onto the matching part of the
// box; the rest of the box is black (Dest smaller than the box).
struct TLupeStretch {
    Rect Source; // image pixels, inside the image (may be empty)
    Rect Dest;   // box pixels
};
Rect LupeSourceRect(Point mouse, Size box);
TLupeStretch PlanLupeStretch(Point mouse, Size box, Size image);

// One shot at a time: a second shot asked for while one runs (a tray click
// handled inside the shot's own message processing) does not own the guard
// and must not run.
class TShotRunGuard {
  public:
    TShotRunGuard();
    ~TShotRunGuard();
    TShotRunGuard(const TShotRunGuard&) = delete;
    TShotRunGuard& operator=(const TShotRunGuard&) = delete;
    bool Owns() const { return m_owns; }
    static bool Running();

  private:
    bool m_owns;
};
