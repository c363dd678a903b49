// The ruler's colour window: opened from the menu, the key F and the colour
// tray icon; ruler and magnifier step aside while the screen colour is taken.
#include "colour/win/MVColorDlg.h"
#include "colour/win/MVColorForm.h"
#include "magnifier/win/MagnifierDlg.h"
#include "ruler/win/MainDlg.h"

void TMainDlg::CreateColorDlg() {
    MVColorDlg = std::make_unique<TMVColorDlg>();
    MVColorDlg->Name = L"MVColorDlg";
    MVColorDlg->RGBText = L"HTML";
    MVColorDlg->OnlyCloseBtn = true;
    MVColorDlg->PickerIcon = false;
    MVColorDlg->OnBeforePickColor = [this](TMVColorDlg&) { MVColorDlgBeforePickColor(); };
    MVColorDlg->OnAfterPickColor = [this](TMVColorDlg&) { MVColorDlgAfterPickColor(); };
    // The window keeps its keys in the ruler's own settings file, in the
    // file's own format (it must stay UTF-16 when it is).
    MVColorDlg->IniName = m_paths->IniName();
    MVColorDlg->IniFormat = m_paths->IniFormat;
}

void TMainDlg::Farbeauswhlen1Click() {
    // Owned by the ruler, so the window stays above the top-most ruler and
    // its title bar never hides behind it.
    MVColorDlg->Execute(false, Handle());
}

void TMainDlg::TrayColorPickerClick() {
    Farbeauswhlen1Click();
}

TColor TMainDlg::ColorDlgColor() const {
    // A window still open at exit hands over the colour it shows.
    if (const TMVColorForm* form = OpenColorForm()) return form->GetUserColor();
    return MVColorDlg ? MVColorDlg->Color : m_model.Options.ColorDlgColor;
}

void TMainDlg::MVColorDlgBeforePickColor() {
    OldVisibleLineal = ::IsWindowVisible(Handle()) != FALSE;
    if (OldVisibleLineal) ::ShowWindow(Handle(), SW_HIDE);
    OldVisibleMagnifier = m_magnifier && ::IsWindowVisible(m_magnifier->Handle());
    if (OldVisibleMagnifier) ::ShowWindow(m_magnifier->Handle(), SW_HIDE);
}

void TMainDlg::MVColorDlgAfterPickColor() {
    if (OldVisibleLineal) ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    if (OldVisibleMagnifier && m_magnifier) ::ShowWindow(m_magnifier->Handle(), SW_SHOWNOACTIVATE);
}
