#include "util/win/Hints.h"

#include <commctrl.h>

namespace {

HWND CreateTooltipWindow(HWND owner) {
    return ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

// The one tool of a tracking tip.
TTTOOLINFOW TrackingTool(HWND owner, const std::wstring& text) {
    TTTOOLINFOW tool{sizeof(tool)};
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    tool.hwnd = owner;
    tool.uId = 1;
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    return tool;
}

} // namespace

THints::~THints() {
    if (m_tooltip) ::DestroyWindow(m_tooltip);
}

void THints::Create(HWND owner) {
    m_tooltip = CreateTooltipWindow(owner);
}

void THints::Add(HWND control, const std::wstring& text) {
    if (!m_tooltip || !control) return;
    TTTOOLINFOW tool{sizeof(tool)};
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ::GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

TTrackingHint::~TTrackingHint() {
    if (m_tooltip) ::DestroyWindow(m_tooltip);
}

void TTrackingHint::Ensure(HWND owner) {
    if (m_tooltip && m_owner == owner && ::IsWindow(m_tooltip)) return;
    if (m_tooltip) ::DestroyWindow(m_tooltip);
    m_owner = owner;
    m_shown = false;
    m_tooltip = CreateTooltipWindow(owner);
    TTTOOLINFOW tool = TrackingTool(m_owner, m_text);
    ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TTrackingHint::Show(HWND owner, const std::wstring& text, POINT screen) {
    if (text.empty()) {
        Hide();
        return;
    }
    Ensure(owner);
    if (!m_tooltip) return;
    const bool newText = text != m_text;
    m_text = text;
    TTTOOLINFOW tool = TrackingTool(m_owner, m_text);
    if (newText) ::SendMessageW(m_tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    if (m_shown) return; // a changed text stays where it is
    ::SendMessageW(m_tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
    ::SendMessageW(m_tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    m_shown = true;
}

void TTrackingHint::MoveTo(POINT screen) {
    if (m_shown) ::SendMessageW(m_tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
}

SIZE TTrackingHint::Size() const {
    RECT r{};
    if (!m_shown || !::GetWindowRect(m_tooltip, &r)) return {};
    return {r.right - r.left, r.bottom - r.top};
}

void TTrackingHint::Hide() {
    if (!m_tooltip || !m_shown) return;
    TTTOOLINFOW tool = TrackingTool(m_owner, m_text);
    ::SendMessageW(m_tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    m_shown = false;
}
