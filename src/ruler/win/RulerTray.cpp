#include "ruler/win/RulerTray.h"

#include "ruler/RulerTexts.h"
#include "util/win/CoolTrayIcon.h"

namespace {

// The pictures: the main icon while the program is active, the same greyed
// while it is not, and the colour picker's icon.
constexpr const wchar_t* IconResources[] = {L"MAINICON", L"TRAYINACTIVE", L"COLORPICKER"};
constexpr int ActivePicture = 0;
constexpr int InactivePicture = 1;
constexpr int ColorPickerPicture = 2;

} // namespace

RulerTray::RulerTray(HMENU menu, HWND commandTarget, const std::wstring& title,
                     std::function<void()> onClick, std::function<void()> onPickerClick) {
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    m_images.Reset(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 3, 0));
    for (const wchar_t* name : IconResources) {
        UniqueHIcon icon(static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), name, IMAGE_ICON, size, size, 0)));
        ::ImageList_AddIcon(m_images.Get(), icon.Get());
    }

    m_main = std::make_unique<TCoolTrayIcon>();
    m_main->SetIconList(m_images.Get());
    m_main->SetIconIndex(ActivePicture);
    m_main->SetHint(title);
    m_main->SetPopupMenu(menu, commandTarget);
    // No double-click handler: the click acts at the button's release.
    m_main->OnClick = [onClick](TCoolTrayIcon&) { onClick(); };
    m_main->SetIconVisible(true);

    m_picker = std::make_unique<TCoolTrayIcon>();
    m_picker->SetIconList(m_images.Get());
    m_picker->SetIconIndex(ColorPickerPicture);
    m_picker->SetHint(RulerText::PickColorTip());
    m_picker->SetPopupMenu(menu, commandTarget);
    m_picker->OnClick = [onPickerClick](TCoolTrayIcon&) { onPickerClick(); };
}

RulerTray::~RulerTray() {
    // The icons leave the taskbar before their pictures go.
    m_picker.reset();
    m_main.reset();
}

void RulerTray::SetActive(bool active) {
    m_main->SetIconIndex(active ? ActivePicture : InactivePicture);
}

void RulerTray::ShowPicker(bool show) {
    m_picker->SetIconVisible(show);
}

bool RulerTray::MainIconShown() const {
    return m_main->IconVisible();
}

bool RulerTray::PickerShown() const {
    return m_picker->IconVisible();
}

int RulerTray::MainPicture() const {
    return m_main->IconIndex();
}
