#pragma once
// The magnifier: a small top-most window that shows the screen round the
// pointer enlarged 1 to 20 times, with the position in its caption. The
// ruler owns it, hands it the pointer positions and keeps its options; its
// place and size are kept by a window state saver.
#include "magnifier/MagnifierRules.h"
#include "storage/MvIni.h"
#include "storage/WndStateSaver.h"
#include "util/win/CommandTable.h"
#include "util/win/Handles.h"
#include "util/win/Window.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>

class TMagnifierDlg : public Window, private TWndStateHost {
  public:
    using TNotifyEvent = std::function<void(TMagnifierDlg& sender)>;

    TMagnifierDlg();
    ~TMagnifierDlg() override;

    // Creates the window (hidden) and loads its place from the settings file.
    void Create(HWND owner, const std::wstring& iniName, TMvIniFormat iniFormat);
    void Show();

    // Stores the pointer's screen position; the timer draws it.
    void Magnify(int x, int y);
    // Draws the last position again (its caption's figures changed).
    void Redraw();

    int Zoom() const { return FZoom; }
    // From the ruler: a zoom outside 1..20 is brought into it.
    void SetZoom(int value);
    bool NeutralPointScreen() const { return FNeutralPointScreen; }
    void SetNeutralPointScreen(bool value) { FNeutralPointScreen = value; }
    bool MoveMagnifierWithClick() const { return FMoveMagnifierWithClick; }
    void SetMoveMagnifierWithClick(bool value) { FMoveMagnifierWithClick = value; }
    // Top-most, or a normal window while a dialog of the ruler is open.
    void SetStayOnTop(bool value);

    // The ruler's outer bounds and orientation, for ruler coordinates.
    std::function<RulerFrame()> RulerPosition;
    // The steps, distance and angle from a measuring start point to a
    // point; empty without a start point.
    std::function<std::wstring(Point)> FromStartPoint;
    TNotifyEvent ZoomChanged;
    TNotifyEvent NeutralPointScreenChanged;
    // The close box hid the window; Esc released it (it is destroyed at once
    // after this event, from the message loop).
    TNotifyEvent Closed;
    TNotifyEvent Released;

    void acZoomInExecute();
    void acZoomOutExecute();
    void acChangePosExecute();
    void acSettingsExecute();
    // "Linealkoordinaten" or "Bildschirmkoordinaten" in the caption.
    enum Coordinates { RulerCoordinates, ScreenCoordinates };
    void ChooseCoordinates(int coordinates);
    bool CoordinatesAre(int coordinates) const;
    void ToggleMoveWithClick();

    bool ZoomInAvailable() const { return FZoom < MaxZoom; }
    bool ZoomOutAvailable() const { return FZoom > MinZoom; }
    // The picture's size and the draws and pixels copied so far (tests, figures).
    Size PictureSize() const;
    std::uint64_t Draws() const { return m_draws; }
    std::uint64_t TimerTicks() const { return m_ticks; }

    // The tool bar's buttons and the settings button's menu.
    static const CommandTable<TMagnifierDlg>& ToolCommands();
    static const CommandTable<TMagnifierDlg>& SettingsCommands();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;

  private:
    // The window state saver's view of this window.
    std::wstring ClassName() const override;
    std::wstring Name() const override;
    TFormBorderStyle BorderStyle() const override;
    Rect Bounds() const override;
    void SetBounds(const Rect& bounds) override;
    TWindowState WindowState() const override;
    void SetWindowState(TWindowState state) override;
    Rect WorkArea() const override;

    void FormCreate(const std::wstring& iniName, TMvIniFormat iniFormat);
    void CreateToolBar();
    void FormShow();
    void Timer1Timer();
    void Draw(int x, int y);
    void DrawPicture(HDC dc, Point pointer);
    void DoZoomChanged();
    void ZoomStep(int delta);
    void WheelStep(int delta);
    int ToolBarHeight() const;
    // The figures from a start point make the caption longer than the
    // window's default width: it widens while they show and takes the
    // user's width back after them.
    void FitCaption(const std::wstring& caption, bool figures);
    void TakeBackWidth();
    bool InPicture(POINT client) const;

    HWND AHWND = nullptr; // the desktop window
    HDC ADC = nullptr;    // its device context, the source of every copy
    int FZoom = DefaultZoom;
    int NewX = 0, NewY = 0;
    int OldX = 0, OldY = 0;
    bool FNeutralPointScreen = true;
    bool FMoveMagnifierWithClick = true;
    bool m_timerRunning = false;
    HWND ToolBar1 = nullptr;
    UniqueHMenu popSettings;
    HIMAGELIST m_toolImages = nullptr;
    UINT m_wheelRollMsg = 0; // "MSWHEEL_ROLLMSG" of old wheel drivers
    std::unique_ptr<TWndStateSaver> WndStateSaver1;
    std::uint64_t m_draws = 0;
    std::uint64_t m_ticks = 0;
    // While widened for the caption: the width the user gave, and how far
    // the left edge went leftwards for it (the user may move it meanwhile).
    struct Narrow {
        int Width = 0;
        int Shift = 0;
    };
    std::optional<Narrow> m_narrow;
    // The length of the longest caption found to fit: a caption no longer
    // fits as well (the widening leaves room for a digit more), so most
    // draws measure nothing.
    std::size_t m_fittedLength = 0;
};

// The one magnifier, while it exists.
extern TMagnifierDlg* MagnifierDlg;
