#pragma once
// Renders the ruler's face (the BackImg bitmap): gradient, ticks, labels, frame.
#include "ruler/PinnedMarks.h"
#include "ruler/RulerModel.h"
#include "ruler/TickRules.h"
#include "util/Canvas.h"
#include "util/Color.h"

#include <cstdint>
#include <utility>

// Everything the face depends on; a change of any of it needs a new render.
struct RulerFace {
    Size Client;
    RulerFaceLook Look;
    RulerScale Scale;
    // The pinned marks are part of the face: a cursor update restores them
    // with the face and costs nothing more for them.
    FaceMarks Marks;
    friend bool operator==(const RulerFace&, const RulerFace&) = default;
};

// The face of a ruler whose client area has the given size.
inline RulerFace FaceOf(const RulerModel& model, Size client, FaceMarks marks = {}) {
    return {client, model.Look, model.Scale, std::move(marks)};
}

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
    int LabelStrideFor(bool vertical, int length);
    void DrawMarkerH(int x, int textY, std::int64_t value, bool bold);
    void DrawMarkerV(int y, int textX, std::int64_t value, bool bold);
    void DrawFrame();
    int Width() const { return FFace.Client.Width; }
    int Height() const { return FFace.Client.Height; }

    Canvas& FCanvas;
    const RulerFace& FFace;
    TColor FTickColor;
    int FLabelStride = 1; // of the edge being drawn
};

inline void RenderRulerFace(Canvas& canvas, const RulerFace& face) {
    TRulerRenderer(canvas, face).Render();
}
