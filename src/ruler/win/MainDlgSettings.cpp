// The ruler's settings file: read once at start and applied, written at close.
#include "ruler/win/MainDlg.h"

#include "magnifier/MagnifierRules.h"
#include "ruler/RulerSettings.h"
#include "ruler/RulerWindowRules.h"
#include "ruler/win/RulerCompanions.h"
#include "ruler/win/RulerTray.h"
#include "storage/MvIni.h"
#include "storage/PBPathList.h"
#include "util/LocalText.h"
#include "util/win/AppError.h"
#include "util/win/HtmlHelp.h"
#include "util/win/MVUtilWin.h"
#include "util/win/UiLanguage.h"
#include "util/win/WindowRects.h"

void TMainDlg::LoadSettings() {
    const Rect primary = m_monitors.Primary().Bounds;
    PrimeRulerDefaults(m_model, {primary.Width(), primary.Height()});
    {
        // One store per load, released at once.
        TMvIni ini(m_paths->IniName(), m_paths->IniFormat);
        LoadRulerSettings(ini, m_model);
        // A file that cannot be read is kept as it is (the store never
        // overwrites it); the ruler starts with its defaults and says why.
        const std::wstring error = ini.LoadError();
        if (!error.empty()) ShowApplicationError(error, Handle());
    }
    ApplyLoadedSettings();
}

void TMainDlg::ApplyLoadedSettings() {
    // A zoom from a hand-edited file is brought to the nearest end of 1..20.
    m_model.Options.Zoom = ClampZoom(m_model.Options.Zoom);
    ApplyLanguage();
    ApplyLevel();
    ApplyTransparency();
    ApplyPlace();
    m_tray->ShowPicker(m_model.Options.ColorPickerIcon);
    ApplyScale();
}

void TMainDlg::ApplyLanguage() {
    SetUiLanguageFrom(m_model.Options.Language);
    static constexpr LocalText helpFile{L"Hilfe.chm", L"Help.chm"};
    m_helpFile = AppDirAnd(helpFile());
    if (m_help) m_help->SetChmFile(m_helpFile);
    // The About window's telephone line says "Tel" in German, "Phone" otherwise.
    m_programInfo.IsGerman = UiLanguage() == Language::German;
}

void TMainDlg::ApplyPlace() {
    SetOrientation(m_model, m_model.Geometry.FHorizontal);
    const Size client = RulerClientSize(m_model.Geometry);
    RECT frame{0, 0, client.Width, client.Height};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_STYLE)),
                         FALSE, static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    const Point at = m_model.Geometry.Position;
    // A ruler stored on a monitor that is gone, or off an edge, comes back
    // onto the monitor it mostly lies on, or the nearest.
    const Rect stored =
        Rect::FromSize(at.X, at.Y, frame.right - frame.left, frame.bottom - frame.top);
    const Rect pulled =
        PullOntoScreen(stored, m_monitors.MostlyUnder(stored).Bounds, m_model.Geometry.VHeight);
    ::SetWindowPos(Handle(), nullptr, pulled.Left, pulled.Top, pulled.Width(), pulled.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    FaceChanged();
}

void TMainDlg::SaveSettings() {
    const Rect w = WindowRectOf(Handle());
    m_model.Geometry.Position = {w.Left, w.Top};
    m_model.Options.ColorDlgColor = m_companions->ColorDlgColor();
    // A failed write is reported by the store; the file stays as it was.
    TMvIni ini(m_paths->IniName(), m_paths->IniFormat);
    SaveRulerSettings(ini, m_model);
}
