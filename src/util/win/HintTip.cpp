#include "util/win/HintTip.h"

#include <commctrl.h>

namespace {

TTTOOLINFOW ToolOf(HWND tip, std::wstring& text) {
    TTTOOLINFOW tool{sizeof(tool)};
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = ::GetParent(tip);
    tool.lpszText = text.data();
    return tool;
}

} // namespace

HintTip::~HintTip() {
    if (m_tip) ::DestroyWindow(m_tip);
}

void HintTip::Show(HWND owner, const std::wstring& text, POINT at) {
    m_text = text;
    if (!m_tip) {
        m_tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, owner,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
        if (!m_tip) return;
        TTTOOLINFOW tool = ToolOf(m_tip, m_text);
        ::SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    TTTOOLINFOW tool = ToolOf(m_tip, m_text);
    ::SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(m_tip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    ::SendMessageW(m_tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    m_shown = true;
}

void HintTip::Hide() {
    if (!m_tip || !m_shown) return;
    TTTOOLINFOW tool = ToolOf(m_tip, m_text);
    ::SendMessageW(m_tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    m_shown = false;
}
