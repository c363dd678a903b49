#pragma once
// The ruler's two tray icons: the main icon, always there (greyed while the
// program is not active), and the colour picker's icon while "Farbauswahlicon
// anzeigen" is checked. Both open the ruler's menu.
#include "util/win/Handles.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

class TCoolTrayIcon;
using UniqueHImageList =
    UniqueHandle<HIMAGELIST, NullHandleTraits<HIMAGELIST, ::ImageList_Destroy>>;

class RulerTray {
  public:
    // The menu's commands go to commandTarget; a click on the main icon runs
    // onClick, one on the picker's icon onPickerClick.
    RulerTray(HMENU menu, HWND commandTarget, const std::wstring& title,
              std::function<void()> onClick, std::function<void()> onPickerClick);
    ~RulerTray();
    RulerTray(const RulerTray&) = delete;
    RulerTray& operator=(const RulerTray&) = delete;

    void SetActive(bool active);
    void ShowPicker(bool show);

    bool MainIconShown() const;
    bool PickerShown() const;
    // The main icon's picture: 0 active, 1 inactive.
    int MainPicture() const;

  private:
    UniqueHImageList m_images;
    std::unique_ptr<TCoolTrayIcon> m_main;
    std::unique_ptr<TCoolTrayIcon> m_picker;
};
