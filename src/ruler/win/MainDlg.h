#pragma once
// The ruler window: a borderless top-most strip with the scale, the program's
// main window for the whole run. What it shows comes from its RulerModel; the
// window turns messages into model changes and paints the model.
#include "ruler/MousePosRules.h"
#include "ruler/RulerModel.h"
#include "ruler/RulerRenderer.h"
#include "storage/PBPathList.h"
#include "storage/win/TopWnd.h"
#include "util/ProgramInfo.h"
#include "util/win/CommandTable.h"
#include "util/win/Handles.h"
#include "util/win/OffscreenBitmap.h"
#include "util/win/Window.h"

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GdiCanvas;
class TCoolTrayIcon;
class TMagnifierDlg;
class TMVColorDlg;
class TMVOnlineUpdate;
class THookHelpSystem;
using UniqueHImageList =
    UniqueHandle<HIMAGELIST, NullHandleTraits<HIMAGELIST, ::ImageList_Destroy>>;

class TMainDlg : public Window {
  public:
    TMainDlg();
    ~TMainDlg() override;

    // Creates the window and runs FormCreate; owner is the application window.
    void Create(HWND owner);
    // Closes as the user's "Beenden" does, if the window still exists (the
    // message loop may end for other reasons; the close path must still run).
    void CloseIfOpen();

    void SetTitle(const std::wstring& title);

    // Window commands (menu, keys, tray icons).
    void menVisibleClick();
    void menOnTopClick();
    void menOrientationClick();
    void OptimaleGre1Click();
    void AufdemBildschirmzenterien1Click();
    void mnut0Click(int percent);
    void menShowTrayPickerClick();
    void Hilfe1Click();
    void menExitClick();
    void TrayIconClick();
    void menMagnifierClick();
    void Farbeauswhlen1Click();
    void Farben1Click();
    void WnscheFeedback1Click();
    void menAboutClick();
    void NachneuerVersionsuchen1Click();
    void TrayColorPickerClick();
    void MVColorDlgBeforePickColor();
    void MVColorDlgAfterPickColor();
    // The colour of the colour window, as the settings file keeps it.
    TColor ColorDlgColor() const;
    // Opens the magnifier (created when there is none) or releases it.
    void ShowMagnifier(bool show);
    void EvZoomChanged(TMagnifierDlg& sender);
    void EvNeutralPointScreenChanged(TMagnifierDlg& sender);
    void ChangeVisible(bool value);
    void ShowLineal();
    // Top-most or not; with installHook the mouse hook is installed anew for
    // this window (at most one installation is ever active).
    void ChangeAlwaysOnTop(bool value, bool installHook);
    void OrientationChanged();
    void CenterAtScreen();
    int Transparency() const { return m_model.Options.fTransparency; }
    void SetTransparency(int value);
    void ApplyTransparency();
    // The percentage of the checked "Transparenz" item.
    int CheckedTransparency() const { return m_checkedTransparency; }
    const RulerOptions& Options() const { return m_model.Options; }

    // Around every modal dialog of the ruler: the dialog must not open
    // behind the top-most ruler. The restore runs however the dialog ends.
    void TopMostRemove();
    void TopMostRestore();
    class TopMostScope {
      public:
        explicit TopMostScope(TMainDlg& dlg) : m_dlg(dlg) { m_dlg.TopMostRemove(); }
        ~TopMostScope() { m_dlg.TopMostRestore(); }
        TopMostScope(const TopMostScope&) = delete;
        TopMostScope& operator=(const TopMostScope&) = delete;

      private:
        TMainDlg& m_dlg;
    };

    // Settings file: everything at start, everything at close.
    void LoadSettings();
    void SaveSettings();

    // The system-wide hotkeys of the current shortcut values; gives the
    // combinations that could not be registered (another program holds them).
    std::vector<std::uint16_t> RegisterHotkeys();
    void UnRegisterHotkeys();
    int RegisteredHotkeys() const { return m_registeredHotkeys; }

    // Units and calibration.
    TRulerUnit RulerUnit() const { return m_model.Scale.fRulerUnit; }
    void SetRulerUnit(TRulerUnit value);
    void UpdatePixelMMConverter();
    bool BeforeCmSizeChangeBy(double delta);
    void Plus1Click();
    void Minus1Click();
    // Calibrates by hand to the reference length measured on the 200-pixel bar.
    void SetRefCmSize(double refCmSize);

    const RulerModel& Ruler() const { return m_model; }
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
    void SetTickMarkerPosition(TTickPosition value);

    // The measuring start point: set, move, or end measuring (the hotkey).
    void MeasureStartPoint();

    // Location and format of the settings file.
    TPBPathList& Paths() { return *m_paths; }
    const TProgramInfo& ProgramInfo() const { return m_programInfo; }

    // The commands of the pop-up menu and the keys.
    static const CommandTable<TMainDlg>& Commands();
    // Runs a command by its item name, as a click on the item would.
    bool RunCommand(const std::wstring& name);

    // Answers the test control channel (only enabled by the test switch).
    std::wstring TestQuery(const std::wstring& command);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;

  private:
    void CreateTrayIcons();
    bool HandleMagnifierMessage(UINT msg);
    void ApplyLoadedSettings();
    void ProcessHotkeys(int id);
    void ApplicationEventsActivate();
    void ApplicationEventsDeactivate();
    void MoveBy(Point delta);
    void SetWindowLength(int length);
    bool FormKeyPress(wchar_t key);
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    LRESULT HandleHooks(UINT msg, WPARAM wParam, LPARAM lParam);
    void InstallHookMouse();
    void RemoveHookMouse();
    void WMDisplayChange();
    void FormResize();
    // The one path for "what the ruler shows changed": the marks are placed
    // for the new state and the window repaints (the face renders if its key
    // changed).
    void FaceChanged();
    bool FaceIsCurrent(Size client) const;
    void RenderBackImgIfStale();
    // redraw: draw even when the position along the ruler is unchanged.
    void DrawMousePos(int x, int y, bool redraw = false);
    void ExecuteCursorPlan(GdiCanvas& canvas, const CursorMarksPlan& plan);
    CursorRuler CursorView() const;
    // The window's own DC with the box font selected, kept between updates.
    GdiCanvas& CursorCanvas();
    void UpdateFonts();
    void SetColorField(TColor& field, TColor value);
    void FormMouseDown();
    void FormMouseUp();
    void FormMouseMove(WPARAM keys);
    // True when a menu key ran a command (its character must not act too).
    bool FormKeyDown(WPARAM key);
    void SetClientSize(Size size);
    DeviceMetrics ScreenMetrics() const;
    void ShowPopMenu(POINT screen);

    RulerModel m_model;
    int WndBorderX = 0;
    int WndBorderY = 0;
    OffscreenBitmap BackImg;
    int ActX = 0; // last hook position
    int ActY = 0;

    // What BackImg holds now: the face it was rendered for, at which DPI.
    struct RenderedFace {
        RulerFace Face;
        UINT Dpi = 0;
    };
    std::optional<RenderedFace> m_rendered;
    bool m_closed = false;

    TProgramInfo m_programInfo;
    std::unique_ptr<TPBPathList> m_paths;
    UniqueHMenu popMenu;
    std::unique_ptr<TTopMostWindow> TopMostWindow;
    std::unique_ptr<TMagnifierDlg> m_magnifier;
    std::unique_ptr<TMVColorDlg> MVColorDlg;
    // What was shown before a screen colour shot hid it.
    bool OldVisibleLineal = false;
    bool OldVisibleMagnifier = false;
    void CreateColorDlg();
    // The update check, created with the first use.
    TMVOnlineUpdate& OnlineUpdate();
    void CheckForUpdatesAutomatically();
    std::unique_ptr<TMVOnlineUpdate> MVOnlineUpdate1;
    std::unique_ptr<TCoolTrayIcon> TrayIcon;
    std::unique_ptr<TCoolTrayIcon> TrayColorPicker;
    UniqueHImageList ilMain;
    std::wstring m_helpFile;
    std::unique_ptr<THookHelpSystem> mHHelp;
    int m_checkedTransparency = 0; // "0%" is checked until a value matches another item
    bool m_menuKeyRan = false;     // the last key ran a menu command
    std::wstring m_menuHint;       // of the selected menu item
    HFONT m_labelFont = nullptr;   // scale labels, 8 points at the monitor's DPI
    HFONT m_labelFontBold = nullptr;
    HFONT m_boxFont = nullptr;  // the window's font, for the position box
    HCURSOR m_cursor = nullptr; // arrow, or a resize cursor in the far-end zone
    // By RulerCursor: loaded once, since every cursor update may need one.
    const HCURSOR m_cursors[3] = {::LoadCursorW(nullptr, IDC_ARROW),
                                  ::LoadCursorW(nullptr, IDC_SIZEWE),
                                  ::LoadCursorW(nullptr, IDC_SIZENS)};
    Size m_primaryScreen; // refreshed on WM_DISPLAYCHANGE
    // Where the window stands, kept from one move or resize to the next.
    mutable std::optional<RulerPlacement> m_placement;
    // On the window's own DC (CS_OWNDC), which lives as long as the window:
    // a cursor update then costs no DC fetch, no font select and no release.
    std::unique_ptr<GdiCanvas> m_cursorCanvas;
    UINT m_hookMsg = 0;
    std::uint64_t m_hookMessages = 0;
    std::uint64_t m_backImgRenders = 0;
    std::uint64_t m_paints = 0;
    std::uint64_t m_pixelsCopied = 0;
    int m_registeredHotkeys = 0;
    bool m_settingsDlgOpen = false;
};

// The one program-wide reference to the ruler window.
extern TMainDlg* MainDlg;
