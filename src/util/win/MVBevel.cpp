#include "util/win/MVBevel.h"

#include "util/Canvas.h"
#include "util/ColorMath.h"
#include "util/win/MvTheme.h"
#include "util/win/SysColors.h"

namespace {

void FillSolid(HDC dc, const RECT& r, TColor color) {
    ::SetDCBrushColor(dc, CanvasColor(color));
    ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

// The classic edges: a lowered line or frame is etched (shadow, then
// highlight), a raised one bumps out; a box is one sunken or raised edge.
void PaintClassicBevel(HDC dc, RECT r, TBevelShape shape, TBevelStyle style) {
    const bool lowered = style == bsLowered;
    UINT sides = BF_RECT;
    switch (shape) {
    case bsSpacer:
        return;
    case bsBox:
        ::DrawEdge(dc, &r, lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        return;
    case bsTopLine:
        sides = BF_TOP;
        break;
    case bsBottomLine:
        sides = BF_BOTTOM;
        break;
    case bsLeftLine:
        sides = BF_LEFT;
        break;
    case bsRightLine:
        sides = BF_RIGHT;
        break;
    case bsFrame:
        break;
    }
    ::DrawEdge(dc, &r, lowered ? EDGE_ETCHED : EDGE_BUMP, sides);
}

} // namespace

void PaintBevel(HDC dc, Size size, TBevelShape shape, TBevelStyle style, bool themed,
                TColor background) {
    const RECT all{0, 0, size.Width, size.Height};
    FillSolid(dc, all, background);
    if (themed) {
        if (const std::optional<Rect> line = ThemedBevelLine(shape, size)) {
            FillSolid(dc, {line->Left, line->Top, line->Right, line->Bottom},
                      MixColor(clBlack, background, 8));
            return;
        }
    }
    PaintClassicBevel(dc, all, shape, style);
}

void TMvBevel::Create(HWND parent, int id, const Rect& bounds, TBevelShape shape,
                      TBevelStyle style) {
    m_shape = shape;
    m_style = style;
    RegisterClassOnce(L"TMvBevel", nullptr, nullptr, 0);
    CreateChild(L"TMvBevel", L"", 0, 0, bounds, parent, id);
}

void TMvBevel::SetShape(TBevelShape shape) {
    if (shape == m_shape) return;
    m_shape = shape;
    if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TMvBevel::SetStyle(TBevelStyle style) {
    if (style == m_style) return;
    m_style = style;
    if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TMvBevel::Paint(HDC dc) {
    const Rect client = ClientRect();
    PaintBevel(dc, {client.Width(), client.Height()}, m_shape, m_style, ThemesActive(),
               ParentBackgroundColor(Handle(), dc));
}

void TMvBevel::PaintContent(HDC dc, const Rect& /*area*/) {
    Paint(dc);
}

LRESULT TMvBevel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // painted whole in PaintContent
    case WM_SIZE:
        // The line and the edges sit on the far edges too.
        ::InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT; // a bevel is decoration: clicks reach what lies below
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}
