#pragma once
// Renders the ruler's face (the BackImg bitmap): gradient, ticks, labels, frame.
#include "ruler/PixelMMConverter.h"
#include "ruler/RulerUnit.h"
#include "ruler/TickRules.h"
#include "util/Canvas.h"
#include "util/Color.h"

#include <cstdint>

// Everything the face depends on; a change of any of it needs a new render.
struct RulerFace {
    int Width = 0;  // client width
    int Height = 0; // client height
    TTickPosition TickPosition = HorizontalTickPosition;
    TTickPosition TickMarkerPosition = HorizontalTickMarkerPosition;
    bool CenterMarker = true;
    TRulerUnit Unit = ruPixel32;
    TColor ColorBack = clSilver;
    TColor ColorTicks = clBlack;
    TPixelMMConverter Converter;
    long double TwipsPerPixelY = 15; // 1440 / the device's logical pixels per inch
};

// Brightness steps of the face: the gradient starts lighter than the
// background, the frame is darker.
constexpr int FaceGradientLift = 45;
constexpr int FaceFrameShade = -40;

class TRulerRenderer {
  public:
    TRulerRenderer(Canvas& canvas, const RulerFace& face);

    // The whole face: gradient and ticks for each orientation present in
    // TickPosition, then the frame.
    void Render();

    void DrawHorizontalTicker();
    void DrawVerticalTicker();

  private:
    void DoDraw(TTickPositionOption edge, bool vertical);
    void DrawScale(std::int64_t value, int pos, int base, const TTickSize& size, bool labels,
                   bool vertical);
    void DrawMarkerH(int x, int textY, std::int64_t value, bool bold);
    void DrawMarkerV(int y, int textX, std::int64_t value, bool bold);
    void DrawFrame();

    Canvas& FCanvas;
    const RulerFace& FFace;
    TColor FTickColor;
};

inline void RenderRulerFace(Canvas& canvas, const RulerFace& face) {
    TRulerRenderer(canvas, face).Render();
}
