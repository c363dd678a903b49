#include "ruler/win/RulerHotkeys.h"

#include "ruler/RulerWindowRules.h"
#include "util/win/MVUtilWin.h"

std::vector<std::uint16_t> RulerHotkeys::Register(const RulerOptions& options) {
    Unregister();
    std::vector<std::uint16_t> failed;
    for (const RulerHotkey& h : RulerHotkeyRows()) {
        const std::uint16_t shortCut = options.*h.Shortcut;
        if (MvRegisterHotKey(m_window, shortCut, h.Id))
            m_registered.push_back(h.Id);
        else if (shortCut != 0)
            failed.push_back(shortCut);
    }
    return failed;
}

void RulerHotkeys::Unregister() {
    for (int id : m_registered)
        ::UnregisterHotKey(m_window, id);
    m_registered.clear();
}
