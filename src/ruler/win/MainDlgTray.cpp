// The ruler's two tray icons: the main icon, always there, and the colour
// picker's icon while "Farbauswahlicon anzeigen" is checked. Both open the
// ruler's menu.
#include "ruler/win/MainDlg.h"
#include "util/win/CoolTrayIcon.h"
#include "util/win/MVUtilWin.h"

namespace {

// Pictures of ilMain: the main icon while the program is active, the same
// greyed while it is not, and the colour picker's icon.
constexpr const wchar_t* IconResources[] = {L"MAINICON", L"TRAYINACTIVE", L"COLORPICKER"};
constexpr int ColorPickerPicture = 2;

} // namespace

void TMainDlg::CreateTrayIcons() {
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    ilMain.Reset(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 3, 0));
    for (const wchar_t* name : IconResources) {
        UniqueHIcon icon(static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), name, IMAGE_ICON, size, size, 0)));
        ::ImageList_AddIcon(ilMain.Get(), icon.Get());
    }
    SetMenuImageList(ilMain.Get());

    TrayIcon = std::make_unique<TCoolTrayIcon>();
    TrayIcon->SetIconList(ilMain.Get());
    TrayIcon->SetIconIndex(0);
    TrayIcon->SetHint(ApplicationTitle());
    TrayIcon->SetPopupMenu(popMenu.Get(), Handle());
    // No double-click handler: the click acts at the button's release.
    TrayIcon->OnClick = [this](TCoolTrayIcon&) { TrayIconClick(); };
    TrayIcon->SetIconVisible(true);

    TrayColorPicker = std::make_unique<TCoolTrayIcon>();
    TrayColorPicker->SetIconList(ilMain.Get());
    TrayColorPicker->SetIconIndex(ColorPickerPicture);
    TrayColorPicker->SetHint(L"Farbe auswählen");
    TrayColorPicker->SetPopupMenu(popMenu.Get(), Handle());
    TrayColorPicker->OnClick = [this](TCoolTrayIcon&) { TrayColorPickerClick(); };
}
