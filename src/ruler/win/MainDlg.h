#pragma once
// The ruler window: a borderless top-most strip with the scale, the program's
// main window for the whole run. What it shows comes from its RulerModel; the
// window turns messages into model changes and paints the model. What it owns
// with a job of its own is a part with its own header: the tray icons
// (RulerTray), the hotkeys (RulerHotkeys), the magnifier, colour window and
// online windows (RulerCompanions) and the test channel (RulerTestChannel).
#include "ruler/MousePosRules.h"
#include "ruler/RulerModel.h"
#include "ruler/RulerRenderer.h"
#include "screens/MonitorLayout.h"
#include "util/ProgramInfo.h"
#include "util/win/CommandTable.h"
#include "util/win/Handles.h"
#include "util/win/Hints.h"
#include "util/win/OffscreenBitmap.h"
#include "util/win/Window.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class GdiCanvas;
class RulerCompanions;
class RulerHotkeys;
class RulerTray;
class TPBPathList;
class THookHelpSystem;

// What the ruler has done so far, for the tests and the cost figures.
struct RulerCounters {
    std::uint64_t HookMessages = 0;
    std::uint64_t FaceRenders = 0;
    std::uint64_t Paints = 0;
    std::uint64_t PixelsCopied = 0; // copied back from the face by cursor updates
    std::uint64_t HotkeyPresses = 0;
    std::uint64_t EdgeSpans = 0;
    std::uint64_t ScreenPixelsRead = 0; // by edge spans
};

class TMainDlg : public Window {
  public:
    TMainDlg();
    ~TMainDlg() override;

    // Creates the window, reads the settings and shows what they say: the
    // magnifier, and the ruler unless it starts hidden in the tray.
    void Create(HWND owner, const std::wstring& title);
    // Closes as the user's "Beenden" does, if the window still exists (the
    // message loop may end for other reasons; the close path must still run).
    void CloseIfOpen();

    // --- Commands: the rows of RulerCommands.cpp run these. ---
    void ToggleVisible();
    bool IsShownChecked() const { return m_model.Options.Visible; }
    void ToggleOnTop();
    bool IsOnTopChecked() const { return m_model.Options.OnTop; }
    void Turn();
    void FitLengthToScreen();
    void CenterOnScreen();
    // "Messwert kopieren": the reading as the box shows it, with its unit.
    void CopyReading();
    void ChooseUnit(int unit);
    bool UnitIs(int unit) const { return m_model.Scale.fRulerUnit == unit; }
    void ChooseLanguage(int choice);
    bool LanguageIs(int choice) const {
        return static_cast<int>(m_model.Options.Language) == choice;
    }
    void NextUnit();
    // The calibration keys: the millimetre spacing grows or shrinks one step.
    void WidenScale();
    void NarrowScale();
    void OpenSettings();
    void ChooseTransparency(int percent);
    bool TransparencyIs(int percent) const { return m_checkedTransparency == percent; }
    void ToggleTrayPicker();
    bool IsTrayPickerChecked() const { return m_model.Options.ColorPickerIcon; }
    void PickColor();
    void ToggleMagnifier();
    bool IsMagnifierChecked() const { return m_model.Options.Magnifier; }
    void ShowHelp();
    void CheckForUpdates();
    void SendFeedback();
    void ShowAbout();
    void Exit();
    // An arrow key (ArrowKey): moves the ruler, or with Shift sizes it.
    void StepByArrow(int arrow);
    // "Kanten messen": the span between the edges around the pointer along
    // the ruler's axis, pinned as two marks, its length on the clipboard.
    void MeasureEdgeSpan();
    // "Markierung setzen" at the pointer; "Markierungen löschen" all.
    void PinMarkAtPointer();
    void PinMarkAt(Point screen);
    void ClearMarks();

    static const CommandTable<TMainDlg>& Commands();
    // Runs a command by its item name, as a click on the item would.
    bool RunCommand(const std::wstring& name);
    // The selected menu item's hint, shown beside it.
    void OnMenuHint(const wchar_t* hint, const RECT* item);

    // Shows the ruler (a tray click, a hotkey of a hidden ruler) or hides it
    // into the tray, with the magnifier if it follows the ruler.
    void ChangeVisible(bool value);
    // The measuring start point: set, move, or end measuring (the hotkey).
    void MeasureStartPoint();
    // Any change of what the ruler shows, made by a part or the test channel:
    // the model is changed, then the scale and the face follow.
    template <class Change> void ChangeModel(Change&& change) {
        const RulerCalibration before = m_model.Calibration;
        change(m_model);
        CalibrationChanged(before);
        ApplyScale();
    }
    // Calibrates by hand to the reference length measured on the 200-pixel bar.
    void SetRefCmSize(double refCmSize);
    // Saves every setting to the settings file now.
    void SaveSettings();

    // What the parts and the test channel read.
    const RulerModel& Model() const { return m_model; }
    const MonitorLayout& Monitors() const { return m_monitors; }
    const RulerCounters& Counters() const { return m_counters; }
    // The pinned marks the face shows now.
    const FaceMarks& MarksShown() const { return m_marksShown; }
    Point Pointer() const { return m_pointer; }
    CursorRuler CursorView() const;
    // The stretches of the ruler's axis on each monitor it runs through.
    SmallList<AxisSpan, 8> AxisSpans(Point clientOrigin) const;
    const std::wstring& MenuHint() const { return m_menuHint; }
    const TTrackingHint& StartTip() const { return m_startTip; }
    HMENU PopupMenu() const { return m_popupMenu.Get(); }
    TProgramInfo& ProgramInfo() { return m_programInfo; }
    TPBPathList& Paths() { return *m_paths; }
    RulerTray& Tray() { return *m_tray; }
    RulerHotkeys& Hotkeys() { return *m_hotkeys; }
    RulerCompanions& Companions() { return *m_companions; }
    const RulerTray& Tray() const { return *m_tray; }
    const RulerHotkeys& Hotkeys() const { return *m_hotkeys; }
    const RulerCompanions& Companions() const { return *m_companions; }
    bool SettingsDlgOpen() const { return m_settingsDlgOpen; }
    // The mouse hook anew for this window (at most one is ever installed).
    void InstallHookMouse();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;

  private:
    void FormCreate(const std::wstring& title);
    void FormShow();
    void FormClose();
    void FormDestroy();
    void LoadSettings();
    void RemoveHookMouse();
    void OnHotkey(int id);
    void OnAppActivated(bool active);
    void OnDisplayChanged();
    void OnKeyDown(WPARAM key);
    void OnChar(wchar_t character);
    void ShowPopupMenu(POINT screen, bool fromKeyboard);

    // Each reads the model and makes the window match it; calling one again
    // changes nothing.
    void ApplyLoadedSettings();
    void ApplyPlace();
    void ApplyLevel();
    void ApplyTransparency();
    void ApplyScale();
    // The language of the texts and the help file of that language.
    void ApplyLanguage();
    // A calibration the user changed belongs to the ruler's monitor.
    void CalibrationChanged(const RulerCalibration& before);

    void ShowRuler();
    void MoveBy(Point delta);
    void SetLength(int length);
    void SetClientSize(Size size);
    // The monitor of the ruler's zero point (its left or top end), whose
    // millimetres and calibration the scale uses.
    const Monitor& ScaleMonitor() const;
    // The monitor the ruler mostly lies on, which "Optimale Größe" fills.
    const Monitor& OwnMonitor() const;
    // The ruler moved: a scale on another monitor takes that monitor's values.
    void FollowMonitor();

    // Painting: the face is a cache keyed by what it shows; FaceChanged is
    // the one path for "what the ruler shows changed".
    void UpdateFonts();
    void FaceChanged();
    // The marks over the ruler anew, after a pin, a move or any face change.
    void PlaceMarks();
    bool FaceIsCurrent(Size client) const;
    void RenderFaceIfStale();

    // Cursor tracking, in MainDlgCursor.cpp.
    void OnPointerMoved(Point screen);
    void UpdateCursor(Point screen);
    void DrawMarks(GdiCanvas& canvas, const CursorMarksPlan& plan);
    void ShowGripCursor(RulerCursor cursor, Point screen);
    void DragLength(std::optional<int> newLength);
    // The window moved, was sized or the screen changed: where it stands is
    // asked anew at the next cursor update.
    void ForgetPlacement() { m_placement.reset(); }
    // The window's own DC with the box font selected, kept between updates.
    GdiCanvas& CursorCanvas();
    void OnMouseDown();
    void OnMouseUp();
    void OnMouseMove(WPARAM keys);
    // Over the ruler with a start point set and no magnifier open: the
    // figures from it in a tip beside the ruler at the pointer; elsewhere
    // the tip goes.
    void FollowStartTip(Point screen);
    // The start point, the unit or the calibration changed: the magnifier's
    // caption and the tip show the new figures at once.
    void FiguresFromStartChanged();

    RulerModel m_model;
    RulerCounters m_counters;
    Point m_pointer; // the last position the hook reported
    // Read at start and on display changes only.
    MonitorLayout m_monitors;
    Size m_border; // window minus client, per side

    OffscreenBitmap m_face;
    // What m_face holds now: the face it was rendered for, at which DPI.
    struct RenderedFace {
        RulerFace Face;
        UINT Dpi = 0;
    };
    std::optional<RenderedFace> m_rendered;
    FaceMarks m_marksShown; // projected where the ruler stands, for the face
    bool m_edgeSpanRunning = false;
    // Where the window stands, kept from one move or resize to the next.
    mutable std::optional<RulerPlacement> m_placement;
    // On the window's own DC (CS_OWNDC), which lives as long as the window:
    // a cursor update then costs no DC fetch, no font select and no release.
    std::unique_ptr<GdiCanvas> m_cursorCanvas;
    HFONT m_labelFont = nullptr; // scale labels, 8 points at the monitor's DPI
    HFONT m_labelFontBold = nullptr;
    HFONT m_boxFont = nullptr;  // the window's font, for the position box
    HCURSOR m_cursor = nullptr; // arrow, or a resize cursor in the far-end zone
    UINT m_hookMsg = 0;

    TProgramInfo m_programInfo;
    std::unique_ptr<TPBPathList> m_paths;
    UniqueHMenu m_popupMenu;
    std::unique_ptr<RulerTray> m_tray;
    std::unique_ptr<RulerHotkeys> m_hotkeys;
    std::unique_ptr<RulerCompanions> m_companions;
    std::wstring m_helpFile;
    std::unique_ptr<THookHelpSystem> m_help;
    int m_checkedTransparency = 0; // "0%" is checked until a value matches another item
    std::wstring m_menuHint;       // of the selected menu item
    TTrackingHint m_hintTip;
    // The figures from the start point, for a user without the magnifier.
    TTrackingHint m_startTip;
    bool m_settingsDlgOpen = false;
    bool m_closed = false;
};

// The one program-wide reference to the ruler window.
extern TMainDlg* MainDlg;
