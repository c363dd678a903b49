#pragma once
// Icons in the taskbar's notification area. The shell's notifications for an
// icon become click and mouse events, a popup menu and a tooltip.
//
// All icons of the process share one hidden top-level window: it owns the
// shell icons, receives their notifications and the click timers, and hears
// the shell's "TaskbarCreated" broadcast after a restart of the shell, when
// every icon meant to be visible is added again. It lives from the first icon
// to the last.
//
// Left out because the ruler does not use them: balloon hints, icon cycling,
// mouse enter/exit polling and minimise-to-tray.
#include "util/win/Handles.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <string>

enum TTrayBehavior { bhWin95, bhWin2000 }; // notification version 0 or 3
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

struct TShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

class TCoolTrayIcon {
  public:
    // The message the shell sends the handler window for every icon.
    static constexpr UINT CallbackMessage = 0x800;

    using TNotifyEvent = std::function<void(TCoolTrayIcon& sender)>;
    using TMouseEvent = std::function<void(TCoolTrayIcon& sender, TMouseButton button,
                                           TShiftState shift, int x, int y)>;
    using TMouseMoveEvent =
        std::function<void(TCoolTrayIcon& sender, TShiftState shift, int x, int y)>;

    TCoolTrayIcon(); // hidden, no icon, enabled, tips shown, bhWin95
    ~TCoolTrayIcon();
    TCoolTrayIcon(const TCoolTrayIcon&) = delete;
    TCoolTrayIcon& operator=(const TCoolTrayIcon&) = delete;

    // Add, remove or update the shell icon from the current data; each gives
    // the shell's answer. ShowIcon and HideIcon also set whether the icon is
    // meant to be visible.
    bool ShowIcon();
    bool HideIcon();
    bool ModifyIcon();
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool value);

    // The icon keeps its own copy of the handle it is given.
    HICON Icon() const { return FIcon.Get(); }
    void SetIcon(HICON icon);
    // An image list the caller keeps alive; the index picks the icon from it.
    // An index past the end is lowered to the last image; without a list the
    // index stays 0 and the icon stays as it is.
    HIMAGELIST IconList() const { return FIconList; }
    void SetIconList(HIMAGELIST list);
    int IconIndex() const { return FIconIndex; }
    void SetIconIndex(int index);

    // The tooltip shows the hint's first 127 characters; an empty hint or
    // ShowHint false clears it.
    const std::wstring& Hint() const { return FHint; }
    void SetHint(const std::wstring& hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);

    // Mouse notifications reach the events only while enabled.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    TTrayBehavior Behavior() const { return FBehavior; }
    void SetBehavior(TTrayBehavior value);

    // The menu opened by the right button (and the left one with LeftPopup).
    // Its messages (commands, item measuring and drawing, init and select)
    // go to commandTarget, which may be hidden.
    void SetPopupMenu(HMENU menu, HWND commandTarget);
    HMENU PopupMenu() const { return FPopupMenu; }
    bool LeftPopup() const { return FLeftPopup; }
    void SetLeftPopup(bool value) { FLeftPopup = value; }
    void Popup(int x, int y);
    void PopupAtCursor();

    // Events run from the shared window's messages; a handler must not end
    // its own icon.
    TNotifyEvent OnClick;
    // With a double-click handler a single click waits for the system's
    // double-click time before OnClick fires.
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // What the shell is told about this icon, its id there and the shared
    // window (null while no icon exists).
    const NOTIFYICONDATAW& IconData() const { return FIconData; }
    UINT Id() const { return FIconData.uID; }
    static HWND TrayIconHandlerWindow();

  private:
    friend class TTrayIconHandler;
    struct TMouseInfo {
        TShiftState Shift;
        int X, Y;
    };

    void HandleNotification(UINT mouseMessage);
    void ClickTimerExpired();
    bool AddToShell(); // NIM_ADD and the version, without changing FIconVisible
    void FillIconData();
    void TakeIconFromList();

    void MouseMoved(const TMouseInfo& m);
    void LeftDown(const TMouseInfo& m);
    void LeftUp(const TMouseInfo& m);
    void LeftDblClick(const TMouseInfo& m);
    void RightDown(const TMouseInfo& m);
    void RightUpWin95(const TMouseInfo& m);
    void RightUpWin2000(const TMouseInfo& m);
    void MiddleDown(const TMouseInfo& m);
    void MiddleUp(const TMouseInfo& m);

    NOTIFYICONDATAW FIconData{};
    UniqueHIcon FIcon;
    HIMAGELIST FIconList = nullptr;
    int FIconIndex = 0;
    std::wstring FHint;
    bool FShowHint = true;
    bool FIconVisible = false;
    bool FEnabled = true;
    TTrayBehavior FBehavior = bhWin95;
    HMENU FPopupMenu = nullptr;
    HWND FCommandTarget = nullptr;
    bool FLeftPopup = false;
    // Click bookkeeping: a click waits for the double-click time only while
    // a double-click handler is assigned. The click timer runs on the shared
    // window under the icon's id (util/ sits below the storage timers), so a
    // tick left over from a dead icon finds nobody, like its notifications.
    bool FClickTimerRunning = false;
    bool FClickStart = false;
    bool FClickReady = false;
    bool IsDblClick = false;
};
