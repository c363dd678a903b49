// The ruler's settings file: read once at start and applied, written at close.
#include "magnifier/MagnifierRules.h"
#include "ruler/RulerSettings.h"
#include "ruler/RulerWindowRules.h"
#include "ruler/win/MainDlg.h"
#include "storage/MvIni.h"
#include "util/win/AppError.h"

void TMainDlg::LoadSettings() {
    PrimeRulerDefaults(m_model, m_primaryScreen);
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
    // In the order of the keys, as each value takes effect.
    RulerOptions& o = m_model.Options;
    // A zoom from a hand-edited file is brought to the nearest end of 1..20.
    o.Zoom = ClampZoom(o.Zoom);
    ::SetWindowPos(Handle(), nullptr, m_model.Geometry.Position.X, m_model.Geometry.Position.Y, 0,
                   0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ChangeAlwaysOnTop(o.OnTop, false);
    SetTransparency(o.fTransparency);
    ApplyTransparency();
    SetRulerUnit(m_model.Scale.fRulerUnit);
    OrientationChanged();

    // A ruler stored on a monitor that is gone, or off an edge, comes back
    // onto the primary screen.
    RECT w{};
    ::GetWindowRect(Handle(), &w);
    const Rect pulled = PullOntoScreen({w.left, w.top, w.right, w.bottom}, m_primaryScreen,
                                       m_model.Geometry.VHeight);
    ::SetWindowPos(Handle(), nullptr, pulled.Left, pulled.Top, pulled.Width(), pulled.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);

    // The picker icon's check is set to the opposite and clicked back, so
    // the click shows or hides the icon.
    m_model.Options.ColorPickerIcon = !m_model.Options.ColorPickerIcon;
    menShowTrayPickerClick();
    UpdatePixelMMConverter();
}

void TMainDlg::SaveSettings() {
    RECT w{};
    ::GetWindowRect(Handle(), &w);
    m_model.Geometry.Position = {w.left, w.top};
    m_model.Options.ColorDlgColor = ColorDlgColor();
    // A failed write is reported by the store; the file stays as it was.
    TMvIni ini(m_paths->IniName(), m_paths->IniFormat);
    SaveRulerSettings(ini, m_model);
}
