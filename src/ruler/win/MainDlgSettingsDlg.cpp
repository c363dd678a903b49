// "Einstellungen...": the settings dialog edits a copy of the ruler's
// values; OK applies, saves and recomputes them. The hotkeys are off while
// it is open, so a combination typed into its fields reaches the field.
#include "ruler/win/MainDlg.h"

#include "colour/win/MVColorDlg.h"
#include "ruler/win/RulerCompanions.h"
#include "ruler/win/RulerHotkeys.h"
#include "settings/SettingsDlgRules.h"
#include "settings/win/SettingsDlg.h"
#include "storage/PBPathList.h"
#include "util/win/MVUtilWin.h"

#include <algorithm>

namespace {

// The hotkeys come back and the level is restored however the dialog ends,
// also after an error.
class SettingsDlgScope {
  public:
    SettingsDlgScope(TMainDlg& ruler, bool& open, std::vector<std::uint16_t>& failed)
        : Failed(failed), m_ruler(ruler), m_open(open) {
        m_open = true;
        m_ruler.Companions().TopMostRemove();
        m_ruler.Hotkeys().Unregister();
    }
    ~SettingsDlgScope() {
        Failed = m_ruler.Hotkeys().Register(m_ruler.Model().Options);
        m_ruler.Companions().TopMostRestore();
        m_open = false;
    }
    SettingsDlgScope(const SettingsDlgScope&) = delete;
    SettingsDlgScope& operator=(const SettingsDlgScope&) = delete;

  private:
    std::vector<std::uint16_t>& Failed;
    TMainDlg& m_ruler;
    bool& m_open;
};

} // namespace

void TMainDlg::OpenSettings() {
    if (m_settingsDlgOpen) return; // a second opening from the tray's menu
    std::vector<std::uint16_t> failed;
    bool applied = false;
    {
        SettingsDlgScope scope(*this, m_settingsDlgOpen, failed);
        TSettingsDlg dialog;
        dialog.OnMoreColors = [this](HWND owner, TColor& color) {
            // The colour window, modal over the dialog, with its own keys in
            // the ruler's settings file.
            TMVColorDlg picker;
            picker.Name = L"MoreColorsDlg";
            picker.RGBText = L"HTML";
            picker.PickerIcon = false;
            picker.IniName = m_paths->IniName();
            picker.IniFormat = m_paths->IniFormat;
            picker.Color = color;
            // A screen colour shot from it sees the screen without the
            // program: the dialog steps aside with the ruler and magnifier.
            picker.OnBeforePickColor = [this, owner](TMVColorDlg&) {
                ::ShowWindow(owner, SW_HIDE);
                m_companions->BeforeColorShot();
            };
            picker.OnAfterPickColor = [this, owner](TMVColorDlg&) {
                m_companions->AfterColorShot();
                ::ShowWindow(owner, SW_SHOWNOACTIVATE);
            };
            if (!picker.Execute(true, owner)) return false;
            color = picker.Color;
            return true;
        };
        dialog.Create(Handle());
        dialog.Exchange = ExchangeFromRuler(m_model);
        if (m_monitors.Monitors().size() > 1)
            dialog.CalibratedMonitor = DisplayNameOf(m_monitors, ScaleMonitor());
        if (dialog.ShowModal() == IDOK) {
            ChangeModel([&](RulerModel& m) { ApplyExchangeToRuler(dialog.Exchange, m); });
            SaveSettings();
            applied = true;
        }
    }
    if (!applied || failed.empty()) return;
    // Which commands another program keeps from the ruler; the values stay saved.
    std::vector<std::pair<std::wstring, std::uint16_t>> named;
    const TSettingsExchange now = ExchangeFromRuler(m_model);
    for (const TSettingsHotKeyField& field : SettingsHotKeyFields()) {
        const std::uint16_t shortCut = now.*field.Field;
        if (std::find(failed.begin(), failed.end(), shortCut) != failed.end())
            named.emplace_back(field.Caption(), shortCut);
    }
    RulerCompanions::TopMostScope level(*m_companions);
    ::MessageBoxW(Handle(), HotKeysNotRegisteredMessage(named).c_str(), ApplicationTitle().c_str(),
                  MB_OK | MB_ICONWARNING);
}
