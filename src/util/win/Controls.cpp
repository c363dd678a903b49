#include "util/win/Controls.h"

#include "util/AssertionFailed.h"
#include "util/GeometryUtils.h"
#include "util/LocalText.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

constexpr const wchar_t* kTabSheetIndexProp = L"TabSheetIndex";
constexpr const wchar_t* kTabSheetControlProp = L"TabSheetControl";

std::wstring ClassNameOf(HWND wnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(wnd, name, 64);
    return name;
}

bool IsEditControl(HWND wnd) {
    return wnd && _wcsicmp(ClassNameOf(wnd).c_str(), L"Edit") == 0;
}

} // namespace

std::wstring WindowText(HWND wnd) {
    if (!wnd) return {};
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(wnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

namespace {

// A control's name for a programming-error message: its text, else its id.
std::wstring ControlName(HWND wnd) {
    if (!wnd) return L"";
    if (std::wstring text = WindowText(wnd); !text.empty()) return text;
    return std::to_wstring(::GetDlgCtrlID(wnd));
}

constexpr LocalText NoEditBuddy{L"UD_SetPosition(%1) hat kein TEdit as Associate!",
                                L"UD_SetPosition(%1) has no edit control as its buddy!"};

bool TabSheetOf(HWND page, HWND& tabControl, int& index) {
    const HANDLE indexValue = ::GetPropW(page, kTabSheetIndexProp);
    tabControl = static_cast<HWND>(::GetPropW(page, kTabSheetControlProp));
    if (!indexValue || !tabControl || !::IsWindow(tabControl)) return false;
    index = static_cast<int>(reinterpret_cast<std::intptr_t>(indexValue) - 1);
    return true;
}

// Shows page and hides the other pages of the same tab control.
void ShowOnlyPage(HWND page, HWND tabControl) {
    const HWND container = ::GetParent(page);
    for (HWND sibling = ::GetWindow(container, GW_CHILD); sibling;
         sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == page) continue;
        if (::GetPropW(sibling, kTabSheetControlProp) == tabControl) ::ShowWindow(sibling, SW_HIDE);
    }
    ::ShowWindow(page, SW_SHOW);
}

void ActivateTabSheet(HWND page) {
    HWND tabControl = nullptr;
    int index = 0;
    if (!TabSheetOf(page, tabControl, index)) return;
    if (TabCtrl_GetCurSel(tabControl) == index) return;
    TabCtrl_SetCurSel(tabControl, index);
    ShowOnlyPage(page, tabControl);
    // TabCtrl_SetCurSel does not notify; the parent's change handling expects it.
    NMHDR change{};
    change.hwndFrom = tabControl;
    change.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(tabControl));
    change.code = TCN_SELCHANGE;
    ::SendMessageW(::GetParent(tabControl), WM_NOTIFY, change.idFrom,
                   reinterpret_cast<LPARAM>(&change));
}

// Visible and enabled, itself and every parent below the form: the form may
// still be hidden, as while a dialog is being set up.
bool CanFocusWithin(HWND form, HWND control) {
    for (HWND wnd = control; wnd && wnd != form; wnd = ::GetParent(wnd)) {
        const auto style = ::GetWindowLongPtrW(wnd, GWL_STYLE);
        if (!(style & WS_VISIBLE) || !::IsWindowEnabled(wnd)) return false;
    }
    return true;
}

} // namespace

int POP_PopUpLeftBottom(HMENU menu, HWND button) {
    if (!menu || !button) return 0;
    RECT client{};
    ::GetClientRect(button, &client);
    POINT corner{0, client.bottom};
    ::ClientToScreen(button, &corner);
    const HWND parent = ::GetParent(button);
    const HWND owner = parent ? parent : button;
    return static_cast<int>(
        ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                         corner.x, corner.y, 0, owner, nullptr));
}

void DrawFocusRectMv(HDC dc, const Point& point1, const Point& point2) {
    const Rect r = PointsToPositiveRect(point1, point2);
    const RECT area{r.Left, r.Top, r.Right + 1, r.Bottom + 1};
    ::DrawFocusRect(dc, &area);
}

void RegisterTabSheet(HWND page, HWND tabControl, int index) {
    if (!page || !tabControl || index < 0) return;
    // The index is kept + 1 so that page 0 is told apart from "not a page".
    ::SetPropW(page, kTabSheetIndexProp,
               reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(index) + 1));
    ::SetPropW(page, kTabSheetControlProp, tabControl);
}

void UnregisterTabSheet(HWND page) {
    if (!page) return;
    ::RemovePropW(page, kTabSheetIndexProp);
    ::RemovePropW(page, kTabSheetControlProp);
}

bool SetActiveControl(HWND form, HWND control) {
    if (!form || !control || !::IsWindow(form) || !::IsChild(form, control)) return false;
    for (HWND wnd = ::GetParent(control); wnd && wnd != form; wnd = ::GetParent(wnd))
        ActivateTabSheet(wnd);
    if (!CanFocusWithin(form, control)) return false;
    // A dialog moves its focus itself, so that its default button follows.
    if (ClassNameOf(form) == L"#32770")
        ::SendMessageW(form, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    else
        ::SetFocus(control);
    return true;
}

void UD_SetPosition(HWND upDown, int value) {
    const HWND buddy =
        upDown ? reinterpret_cast<HWND>(::SendMessageW(upDown, UDM_GETBUDDY, 0, 0)) : nullptr;
    if (!IsEditControl(buddy))
        throw EAssertionFailed(FormatText(NoEditBuddy, {ControlName(upDown)}));
    int lower = 0;
    int upper = 0;
    ::SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                   reinterpret_cast<LPARAM>(&upper));
    // An up-down may count downwards (lower > upper); the range is the same.
    const int clamped = std::clamp(value, std::min(lower, upper), std::max(lower, upper));
    ::SendMessageW(upDown, UDM_SETPOS32, 0, clamped);
    ::SetWindowTextW(buddy, std::to_wstring(clamped).c_str());
}
