#pragma once
// The ruler's companion windows and their lifetimes: the magnifier, the
// colour window and the online windows (update check, feedback, About); and
// the top-most level they share with the ruler: lifted around every modal
// dialog, so no dialog opens behind a top-most window, and restored after.
#include "ruler/RulerModel.h"
#include "util/Geometry.h"

#include <windows.h>

#include <memory>

class TMagnifierDlg;
class TMVColorDlg;
class TMVOnlineUpdate;
class TPBPathList;
class TTopMostWindow;
struct TProgramInfo;

class RulerCompanions {
  public:
    // The model, paths and program information belong to the ruler, which
    // outlives its companions.
    RulerCompanions(HWND ruler, RulerModel& model, TPBPathList& paths, TProgramInfo& info);
    ~RulerCompanions();
    RulerCompanions(const RulerCompanions&) = delete;
    RulerCompanions& operator=(const RulerCompanions&) = delete;

    // --- The level ---
    // The ruler top-most or not, as the option "Immer oben" says.
    void SetRulerOnTop(bool value);
    bool RulerOnTop() const;
    // Around every modal dialog of the program.
    void TopMostRemove();
    void TopMostRestore();
    class TopMostScope {
      public:
        explicit TopMostScope(RulerCompanions& c) : m_c(c) { m_c.TopMostRemove(); }
        ~TopMostScope() { m_c.TopMostRestore(); }
        TopMostScope(const TopMostScope&) = delete;
        TopMostScope& operator=(const TopMostScope&) = delete;

      private:
        RulerCompanions& m_c;
    };
    // Another program's top-most window may have come over the ruler and
    // the magnifier while the program was not active.
    void BringAboveOthers();

    // --- The magnifier ---
    // Opens it (created when there is none) at the pointer, or releases it.
    void ShowMagnifier(bool show, Point pointer);
    // The pointer moved: the magnifier follows, also while the ruler is hidden.
    void FollowPointer(Point pointer);
    // The figures from the start point changed under a resting pointer.
    void RedrawMagnifier();
    const TMagnifierDlg* Magnifier() const { return m_magnifier.get(); }
    HWND MagnifierWindow() const;
    // The magnifier's own messages to the ruler (its release after Esc).
    bool HandleMessage(UINT msg);

    // --- The colour window ---
    void OpenColorWindow();
    // The colour it shows, or shown last, as the settings file keeps it.
    TColor ColorDlgColor() const;
    void SetColorDlgColor(TColor color);
    bool ColorWindowOpen() const;
    bool ColorShotRunning() const;
    // Around a screen colour shot: the ruler and the magnifier step aside,
    // so the shot sees the screen without them, and come back after.
    void BeforeColorShot();
    void AfterColorShot();

    // --- Online ---
    // manual false: the automatic check when due (in the background).
    void CheckForUpdates(bool manual);
    bool UpdateCheckRunning() const;
    void ShowFeedback();
    void ShowAbout();

  private:
    TMVOnlineUpdate& OnlineUpdate();

    HWND m_ruler;
    RulerModel& m_model;
    TPBPathList& m_paths;
    TProgramInfo& m_info;
    std::unique_ptr<TTopMostWindow> m_level;
    std::unique_ptr<TMagnifierDlg> m_magnifier;
    std::unique_ptr<TMVColorDlg> m_colorDlg;
    std::unique_ptr<TMVOnlineUpdate> m_onlineUpdate; // created with the first use
    // What was shown before a screen colour shot hid it.
    bool m_rulerShownBeforeShot = false;
    bool m_magnifierShownBeforeShot = false;
};
