#pragma once
// The screen colour shot: the primary screen frozen into a bitmap and shown
// by a borderless top-most window under a cross-hair; a click picks the pixel
// under the cursor, a drag the average colour of the rectangle, Esc cancels.
// A small preview shows the colour a click would pick and the surroundings
// magnified. One object serves one shot.
#include "colour/ColorShotRules.h"
#include "storage/win/TopWnd.h"
#include "util/ImageOps.h"
#include "util/win/Handles.h"
#include "util/win/Window.h"

#include <memory>
#include <optional>

class TMVColorShotDlg : public Window {
  public:
    TMVColorShotDlg(); // allocates BigDesktopBmp with the primary screen's size
    ~TMVColorShotDlg() override;
    // Lets pending messages run, waits 500 ms, copies the primary screen once, shows the
    // frozen copy top-most over the primary screen and runs a modal loop until a click/drag
    // (true, colour in PickColor) or Esc (false). owner is disabled meanwhile, like a modal dialog.
    bool Execute(HWND owner);
    TColor PickColor() const { return FPickColor; }
    static bool Running();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;
    // The window covers the primary screen whatever its DPI says.
    void OnDpiChanged(UINT, const RECT&) override {}

  private:
    class TPreview;

    bool CopyScreen();
    void ShowShot(HWND owner);
    void RunModalLoop();
    void EndShot(bool ok);
    void FormMouseDown(Point p);
    void FormMouseMove(Point p);
    void FormMouseUp(Point p);
    void JumpPreview();

    Rect m_screen; // the virtual screen
    UniqueHBitmap BigDesktopBmp;
    // The frozen copy as pixels, made once per shot: every hover and average
    // reads it, never the bitmap or the live screen.
    TRGBImage m_pixels;
    UniqueHdc m_bmpDC; // BigDesktopBmp selected, the source of painting
    std::optional<SelectGuard> m_bmpSelected;
    TShotDrag m_drag;
    TColor FPickColor = clBlack;
    bool m_done = false;
    bool m_ok = false;
    std::unique_ptr<TTopMostWindow> m_topMost;
    std::unique_ptr<TPreview> pMini;
};
