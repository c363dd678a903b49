#pragma once
// The ruler window: a borderless top-most strip with the scale, the program's
// main window for the whole run.
#include "util/ProgramInfo.h"
#include "ruler/MousePosRules.h"
#include "ruler/PixelMMConverter.h"
#include "ruler/RulerRenderer.h"
#include "ruler/RulerUnit.h"
#include "ruler/TickRules.h"
#include "storage/PBPathList.h"
#include "util/Color.h"
#include "util/Geometry.h"
#include "util/win/Handles.h"
#include "util/win/OffscreenBitmap.h"
#include "util/win/Window.h"

#include <cstdint>
#include <memory>
#include <string>

class GdiCanvas;

class TMainDlg : public Window {
  public:
    TMainDlg();
    ~TMainDlg() override;

    // Creates the window and runs FormCreate; owner is the application window.
    void Create(HWND owner);

    void SetTitle(const std::wstring& title);
    void menExitClick();

    // Units and calibration.
    TRulerUnit RulerUnit() const { return fRulerUnit; }
    void SetRulerUnit(TRulerUnit value);
    void UpdatePixelMMConverter();
    bool BeforeCmSizeChangeBy(double delta);
    void Plus1Click();
    void Minus1Click();
    void menMilimeterClick() { SetRulerUnit(ruMillimeter); }
    void menPixel20Click() { SetRulerUnit(ruPixel20); }
    void menPixel32Click() { SetRulerUnit(ruPixel32); }
    void menPixel50Click() { SetRulerUnit(ruPixel50); }
    void menTwipClick() { SetRulerUnit(ruTwip); }

    const TPixelMMConverter& PixelMMConverter() const { return m_PixelMMConverter; }
    bool Horizontal() const { return FHorizontal; }
    bool CmAuto() const { return FCmAuto; }
    double RefCmSize() const { return FRefCmSize; }
    int ActX() const { return ActX_; }
    int ActY() const { return ActY_; }
    int MousePos() const { return Cursor.MousePos; }
    std::uint64_t HookMessageCount() const { return m_hookMessages; }
    std::uint64_t BackImgRenderCount() const { return m_backImgRenders; }
    // Pixels copied back from BackImg by cursor updates so far.
    std::uint64_t PixelsCopied() const { return m_pixelsCopied; }

    // Colours of the face and the cursor marks; an unchanged colour does nothing.
    void SetColorBack(TColor value);
    void SetColorTicks(TColor value);
    void SetColorMouseLine(TColor value);
    void SetColorMousePosBack(TColor value);
    void SetColorMousePosText(TColor value);
    void SetTickPosition(TTickPosition value);
    void SetTickMarkerPosition(TTickPosition value) { FTickMarkerPosition = value; }

    // The measuring start point: set, move, or end measuring (the hotkey).
    void MeasureStartPoint();

    // Location and format of the settings file.
    TPBPathList& Paths() { return *m_Paths; }
    const TProgramInfo& ProgramInfo() const { return m_ProgramInfo; }

    // Answers the test control channel (only enabled by the test switch).
    std::wstring TestQuery(const std::wstring& command);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    LRESULT HandleHooks(UINT msg, WPARAM wParam, LPARAM lParam);
    void InstallHookMouse();
    void WMDisplayChange();
    void FormResize();
    void OrientationChanged();
    void FormPaint(HDC dc);
    void RenderBackImg();
    // redraw: draw even when the position along the ruler is unchanged.
    void DrawMousePos(int x, int y, bool redraw = false);
    void ExecuteCursorPlan(GdiCanvas& canvas, const CursorMarksPlan& plan);
    CursorRuler CursorRulerNow() const;
    RulerFace FaceNow() const;
    void UpdateLabelFonts();
    void SetColorField(TColor& field, TColor value);
    void FormMouseDown();
    void FormMouseUp();
    void FormMouseMove(WPARAM keys);
    void FormKeyDown(WPARAM key);
    void SetClientSize(int width, int height);
    Rect ClientRect() const;
    DeviceMetrics ScreenMetrics() const;
    void CreatePopMenu();
    void ShowPopMenu(POINT screen);
    void UpdateUnitChecks();
    void OnCommand(UINT id);

    // Fields, in the order the ruler declares them.
    int HWidth = 600;
    int VHeight = 400;
    int WndBorderX = 0;
    int WndBorderY = 0;
    bool FirstStart = true;
    bool Down = false;
    int ActX_ = 0;
    int ActY_ = 0;
    bool OldVisibleLineal = false;
    bool OldVisibleMagnifier = false;
    int Zoom = 4;
    bool NeutralPointScreen = true;
    bool MoveMagnifierWithClick = true;
    bool MagnifierSyncVisible = true;
    OffscreenBitmap BackImg;
    bool InvalidateBackImg = false;
    // MousePos, MousePosDisplay, StartPos, OldStartPos, HasStartPos,
    // OldMousePosX and OldMousePosY: the state of the cursor marks.
    CursorState Cursor;
    TTickPosition fTickPosition;
    int fTransparency = 0;
    TRulerUnit fRulerUnit = ruPixel32;
    TTickPosition FTickMarkerPosition;
    bool FCenterMarker = true;
    bool FHorizontal = true;
    TColor FColorTicks;
    TColor FColorMouseLine;
    TColor FColorMousePosText;
    TColor FColorBack;
    TColor FColorMousePosBack;
    double FRefCmSize;
    bool FCmAuto = true;
    double FRefCmSizeChangeBy;
    std::uint16_t MoveHotKeyUp = 0;
    std::uint16_t MoveHotKeyDown = 0;
    std::uint16_t MoveHotKeyLeft = 0;
    std::uint16_t MoveHotKeyRight = 0;
    std::uint16_t HotKeyMeasureStart;
    int MoveHotKeyMoveBy;
    TPixelMMConverter m_PixelMMConverter;

    TProgramInfo m_ProgramInfo;
    std::unique_ptr<TPBPathList> m_Paths;
    UniqueHMenu popMenu;
    HMENU menUnit = nullptr;
    HFONT m_labelFont = nullptr; // scale labels, 8 points at the monitor's DPI
    HFONT m_labelFontBold = nullptr;
    HFONT m_boxFont = nullptr;  // the window's font, for the position box
    HCURSOR m_cursor = nullptr; // arrow, or a resize cursor in the far-end zone
    UINT m_hookMsg = 0;
    std::uint64_t m_hookMessages = 0;
    std::uint64_t m_backImgRenders = 0;
    std::uint64_t m_pixelsCopied = 0;
};

// The one program-wide reference to the ruler window.
extern TMainDlg* MainDlg;
