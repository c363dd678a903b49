#include "util/win/CoolTrayIcon.h"

#include "util/win/PopupMenu.h"

#include "util/win/Window.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace {

UINT NextIconId() {
    static UINT next = 0;
    return ++next;
}

TShiftState CurrentShiftState() {
    return {::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_MENU) < 0};
}

// Lets the foreground switch settle before a menu opens. A quit request met
// on the way is put back for the message loop.
// The window that gets the open menu's messages. Kept outside the handler:
// the handler may go while its menu is open.
HWND& MenuTarget() {
    static HWND target = nullptr;
    return target;
}

bool IsMenuMessage(UINT msg) {
    switch (msg) {
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_UNINITMENUPOPUP:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUSELECT:
    case WM_MENUCHAR: // keyboard selection of owner-drawn items
        return true;
    default:
        return false;
    }
}

} // namespace

// The shared window. Top-level rather than message-only: only top-level
// windows hear the shell's broadcasts.
class TTrayIconHandler : public Window {
  public:
    TTrayIconHandler() : m_taskbarCreated(::RegisterWindowMessageW(L"TaskbarCreated")) {
        RegisterClassOnce(L"DravikTrayIconHandler", nullptr, nullptr, 0);
        CreateWnd(L"DravikTrayIconHandler", L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0, nullptr);
        // An elevated ruler would otherwise not hear the shell of the user.
        if (Handle())
            ::ChangeWindowMessageFilterEx(Handle(), m_taskbarCreated, MSGFLT_ALLOW, nullptr);
    }

    std::vector<TCoolTrayIcon*> Icons;

    // Shows the menu owned by this window and passes its messages on to
    // target meanwhile; gives the chosen command or 0.
    UINT TrackMenu(HMENU menu, HWND target, int x, int y) {
        const HWND previous = std::exchange(MenuTarget(), target);
        const UINT command = static_cast<UINT>(
            ::TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, Handle(), nullptr));
        MenuTarget() = previous;
        return command;
    }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == TCoolTrayIcon::CallbackMessage) {
            // The id is looked up among the live icons: a notification still
            // queued when its icon died reaches nobody.
            if (TCoolTrayIcon* icon = Find(static_cast<UINT>(wParam)))
                icon->HandleNotification(static_cast<UINT>(lParam));
            return 0;
        }
        if (msg == WM_TIMER) {
            ::KillTimer(Handle(), wParam); // click timers fire once
            if (TCoolTrayIcon* icon = Find(static_cast<UINT>(wParam))) icon->ClickTimerExpired();
            return 0;
        }
        if (m_taskbarCreated != 0 && msg == m_taskbarCreated) {
            // The shell restarted with an empty notification area.
            for (TCoolTrayIcon* icon : std::vector<TCoolTrayIcon*>(Icons))
                if (icon->IconVisible()) icon->AddToShell();
            return 0;
        }
        if (MenuTarget() && IsMenuMessage(msg))
            return ::SendMessageW(MenuTarget(), msg, wParam, lParam);
        return Default(msg, wParam, lParam);
    }

  private:
    TCoolTrayIcon* Find(UINT id) const {
        const auto it = std::find_if(Icons.begin(), Icons.end(),
                                     [&](TCoolTrayIcon* i) { return i->Id() == id; });
        return it == Icons.end() ? nullptr : *it;
    }

    UINT m_taskbarCreated;
};

namespace {

std::unique_ptr<TTrayIconHandler>& Handler() {
    static std::unique_ptr<TTrayIconHandler> handler;
    return handler;
}

} // namespace

// --- Life ------------------------------------------------------------------

TCoolTrayIcon::TCoolTrayIcon() {
    auto& handler = Handler();
    if (!handler) handler = std::make_unique<TTrayIconHandler>();
    handler->Icons.push_back(this);
    FIconData.cbSize = sizeof(FIconData);
    FIconData.hWnd = handler->Handle();
    FIconData.uID = NextIconId();
    FIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    FIconData.uCallbackMessage = CallbackMessage;
}

TCoolTrayIcon::~TCoolTrayIcon() {
    if (FIconVisible) ::Shell_NotifyIconW(NIM_DELETE, &FIconData);
    auto& handler = Handler();
    if (!handler) return;
    if (FClickTimerRunning) ::KillTimer(handler->Handle(), Id());
    auto& icons = handler->Icons;
    icons.erase(std::remove(icons.begin(), icons.end(), this), icons.end());
    if (icons.empty()) handler.reset();
}

HWND TCoolTrayIcon::TrayIconHandlerWindow() {
    return Handler() ? Handler()->Handle() : nullptr;
}

// --- The shell icon ----------------------------------------------------------

void TCoolTrayIcon::FillIconData() {
    FIconData.hIcon = FIcon.Get();
    std::fill(std::begin(FIconData.szTip), std::end(FIconData.szTip), L'\0');
    if (!FShowHint) return;
    size_t length = std::min(FHint.size(), std::size(FIconData.szTip) - 1);
    // Never end the tip on the first half of a character.
    if (length < FHint.size() && length > 0 && IS_HIGH_SURROGATE(FHint[length - 1])) --length;
    std::copy_n(FHint.begin(), length, FIconData.szTip);
}

bool TCoolTrayIcon::AddToShell() {
    FillIconData();
    if (!::Shell_NotifyIconW(NIM_ADD, &FIconData)) return false;
    // The version belongs to the shell's icon: a new one starts at 0.
    if (FBehavior == bhWin2000) ::Shell_NotifyIconW(NIM_SETVERSION, &FIconData);
    return true;
}

bool TCoolTrayIcon::ShowIcon() {
    FIconVisible = true;
    return AddToShell();
}

bool TCoolTrayIcon::HideIcon() {
    FIconVisible = false;
    return ::Shell_NotifyIconW(NIM_DELETE, &FIconData) != FALSE;
}

bool TCoolTrayIcon::ModifyIcon() {
    FillIconData();
    return ::Shell_NotifyIconW(NIM_MODIFY, &FIconData) != FALSE;
}

void TCoolTrayIcon::SetIconVisible(bool value) {
    if (value)
        ShowIcon();
    else
        HideIcon();
}

void TCoolTrayIcon::SetIcon(HICON icon) {
    // A handle that cannot be copied leaves no icon.
    FIcon.Reset(icon ? ::CopyIcon(icon) : nullptr);
    ModifyIcon();
}

void TCoolTrayIcon::SetIconList(HIMAGELIST list) {
    FIconList = list;
    SetIconIndex(FIconIndex);
}

void TCoolTrayIcon::SetIconIndex(int index) {
    const int count = FIconList ? ::ImageList_GetImageCount(FIconList) : 0;
    FIconIndex = std::clamp(index, 0, std::max(count - 1, 0));
    if (count == 0) return;
    FIcon.Reset(::ImageList_GetIcon(FIconList, FIconIndex, ILD_NORMAL));
    ModifyIcon();
}

void TCoolTrayIcon::SetHint(const std::wstring& hint) {
    FHint = hint;
    ModifyIcon();
}

void TCoolTrayIcon::SetShowHint(bool value) {
    FShowHint = value;
    ModifyIcon();
}

void TCoolTrayIcon::SetBehavior(TTrayBehavior value) {
    FBehavior = value;
    FIconData.uVersion = value == bhWin2000 ? NOTIFYICON_VERSION : 0;
    ::Shell_NotifyIconW(NIM_SETVERSION, &FIconData);
}

// --- Menu --------------------------------------------------------------------

void TCoolTrayIcon::SetPopupMenu(HMENU menu, HWND commandTarget) {
    FPopupMenu = menu;
    FCommandTarget = commandTarget;
}

void TCoolTrayIcon::Popup(int x, int y) {
    if (!FPopupMenu) return;
    // Copies: the messages processed below may end this icon.
    const HMENU menu = FPopupMenu;
    const HWND target = FCommandTarget;
    const HWND owner = TrayIconHandlerWindow();
    // Without the foreground the menu would not close on a click elsewhere.
    ::SetForegroundWindow(owner);
    ProcessPendingMessages();
    if (!Handler() || Handler()->Handle() != owner) return;
    const UINT command = Handler()->TrackMenu(menu, target, x, y);
    if (!target) return;
    // Posted, so that a command that ends the icons runs after we return.
    if (command != 0) ::PostMessageW(target, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    // The message after the menu lets it close properly next time.
    ::PostMessageW(target, WM_NULL, 0, 0);
}

void TCoolTrayIcon::PopupAtCursor() {
    POINT pos{};
    ::GetCursorPos(&pos);
    Popup(pos.x, pos.y);
}

// --- Notifications -----------------------------------------------------------

void TCoolTrayIcon::HandleNotification(UINT mouseMessage) {
    using Action = void (TCoolTrayIcon::*)(const TMouseInfo&);
    static constexpr struct {
        UINT Message;
        Action Run;
    } kDispatch[] = {
        {WM_MOUSEMOVE, &TCoolTrayIcon::MouseMoved},
        {WM_LBUTTONDOWN, &TCoolTrayIcon::LeftDown},
        {WM_LBUTTONUP, &TCoolTrayIcon::LeftUp},
        {WM_LBUTTONDBLCLK, &TCoolTrayIcon::LeftDblClick},
        {WM_RBUTTONDOWN, &TCoolTrayIcon::RightDown},
        {WM_RBUTTONUP, &TCoolTrayIcon::RightUpWin95},
        {WM_MBUTTONDOWN, &TCoolTrayIcon::MiddleDown},
        {WM_MBUTTONUP, &TCoolTrayIcon::MiddleUp},
        // Version 3 reports the end of a right click (also by keyboard) so:
        {WM_CONTEXTMENU, &TCoolTrayIcon::RightUpWin2000},
        {NIN_SELECT, &TCoolTrayIcon::RightUpWin2000},
        {NIN_KEYSELECT, &TCoolTrayIcon::RightUpWin2000},
    };
    if (!FEnabled) return;
    const auto row = std::find_if(std::begin(kDispatch), std::end(kDispatch),
                                  [&](const auto& r) { return r.Message == mouseMessage; });
    if (row == std::end(kDispatch)) return;
    POINT pos{};
    ::GetCursorPos(&pos);
    (this->*row->Run)({CurrentShiftState(), pos.x, pos.y});
}

// Handlers are copied before the call: a handler may replace itself.
void TCoolTrayIcon::MouseMoved(const TMouseInfo& m) {
    if (auto handler = OnMouseMove) handler(*this, m.Shift, m.X, m.Y);
}

void TCoolTrayIcon::LeftDown(const TMouseInfo& m) {
    if (OnDblClick) {
        // A click waits whether a double click follows.
        FClickTimerRunning =
            ::SetTimer(TrayIconHandlerWindow(), Id(), ::GetDoubleClickTime(), nullptr) != 0;
    }
    IsDblClick = false;
    if (auto handler = OnMouseDown) handler(*this, TMouseButton::mbLeft, m.Shift, m.X, m.Y);
    FClickStart = true;
    if (FLeftPopup) PopupAtCursor();
}

void TCoolTrayIcon::LeftUp(const TMouseInfo& m) {
    if (FClickStart) FClickReady = true;
    FClickStart = false;
    if (FClickReady && !FClickTimerRunning) {
        FClickReady = false;
        if (auto handler = OnClick) handler(*this);
    }
    if (auto handler = OnMouseUp) handler(*this, TMouseButton::mbLeft, m.Shift, m.X, m.Y);
}

void TCoolTrayIcon::LeftDblClick(const TMouseInfo&) {
    FClickStart = FClickReady = false;
    IsDblClick = true;
    if (auto handler = OnDblClick) handler(*this);
    // Without a left-button menu a double click runs the menu's default item.
    if (!FLeftPopup && FPopupMenu && FCommandTarget) {
        const UINT item = ::GetMenuDefaultItem(FPopupMenu, FALSE, 0);
        if (item != static_cast<UINT>(-1))
            ::PostMessageW(FCommandTarget, WM_COMMAND, MAKEWPARAM(item, 0), 0);
    }
}

void TCoolTrayIcon::ClickTimerExpired() {
    FClickTimerRunning = false;
    const bool click = FClickReady && !IsDblClick;
    FClickReady = false;
    if (click)
        if (auto handler = OnClick) handler(*this);
}

void TCoolTrayIcon::RightDown(const TMouseInfo& m) {
    if (auto handler = OnMouseDown) handler(*this, TMouseButton::mbRight, m.Shift, m.X, m.Y);
    PopupAtCursor();
}

void TCoolTrayIcon::RightUpWin95(const TMouseInfo& m) {
    if (FBehavior != bhWin95) return;
    if (auto handler = OnMouseUp) handler(*this, TMouseButton::mbRight, m.Shift, m.X, m.Y);
}

void TCoolTrayIcon::RightUpWin2000(const TMouseInfo& m) {
    if (FBehavior != bhWin2000) return;
    if (auto handler = OnMouseUp) handler(*this, TMouseButton::mbRight, m.Shift, m.X, m.Y);
}

void TCoolTrayIcon::MiddleDown(const TMouseInfo& m) {
    if (auto handler = OnMouseDown) handler(*this, TMouseButton::mbMiddle, m.Shift, m.X, m.Y);
}

void TCoolTrayIcon::MiddleUp(const TMouseInfo& m) {
    if (auto handler = OnMouseUp) handler(*this, TMouseButton::mbMiddle, m.Shift, m.X, m.Y);
}
