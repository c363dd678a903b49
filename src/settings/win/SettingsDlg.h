#pragma once
// The settings dialog "Einstellungen": the ruler's five colours, its
// calibration, the system-wide hotkeys with the move step, and whether
// "Sichtbar" also shows the magnifier. It owns no settings: the ruler fills
// Exchange, shows the dialog modally and, after OK, takes Exchange back.
#include "settings/SettingsDlgRules.h"
#include "settings/win/ColorPickerButton.h"
#include "settings/win/FrmPixelsPerMMEditor.h"
#include "util/win/DialogWindow.h"

#include <array>
#include <functional>

class TSettingsDlg : public DialogWindow {
  public:
    TSettingsDlg();
    ~TSettingsDlg() override;

    // Creates the window hidden, centred on the screen, owned by owner (FormCreate).
    void Create(HWND owner);
    // Shows the fields from Exchange and runs until OK or Cancel; IDOK or
    // IDCANCEL. After IDOK Exchange holds the values read back.
    int ShowModal();

    // The exchange fields.
    TSettingsExchange Exchange;
    // The monitor the calibration is for, when there are several.
    std::wstring CalibratedMonitor;
    // "Weitere..." in a colour popup: a window to choose any colour, owned by
    // owner; true with the colour chosen. Without it the entry is not shown.
    // Set before Create.
    std::function<bool(HWND owner, TColor& color)> OnMoreColors;

    // "Standard..." and "?".
    void Button3Click();
    void Button4Click();

    // The controls, for the ruler's test channel.
    TColorPickerButton& ColorButton(int index) {
        return m_colorButtons[static_cast<std::size_t>(index)];
    }
    TFrmPixelsPerMMEditor FrmPixelsPerMMEditor;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCloseRequest() override { CloseWith(IDCANCEL); }
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;

  private:
    // Building and placing (SettingsDlgLayout.cpp).
    void CreateControls();
    void LayoutControls();
    Size ClientDesignSize() const;

    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void CloseWith(int result);
    // What the fields hold now.
    TSettingsDlgState FieldState() const;
    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }
    static LRESULT CALLBACK HotKeyFieldProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self);

    std::array<TColorPickerButton, SettingsColorCount> m_colorButtons;
    HWND m_lastFocus = nullptr; // given back when the dialog is active again
};
