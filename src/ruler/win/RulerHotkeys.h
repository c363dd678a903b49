#pragma once
// The ruler's system-wide hotkeys: the rows of RulerHotkeyRows() (the move keys
// and the measuring key) registered for the ruler window with the shortcuts
// the options hold, and given back.
#include "ruler/RulerModel.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class RulerHotkeys {
  public:
    explicit RulerHotkeys(HWND window) : m_window(window) {}
    ~RulerHotkeys() { Unregister(); }
    RulerHotkeys(const RulerHotkeys&) = delete;
    RulerHotkeys& operator=(const RulerHotkeys&) = delete;

    // Registers the shortcuts anew; gives the combinations that could not be
    // registered (another program holds them), for the caller to tell.
    std::vector<std::uint16_t> Register(const RulerOptions& options);
    void Unregister();
    int Registered() const { return static_cast<int>(m_registered.size()); }

  private:
    HWND m_window;
    std::vector<int> m_registered; // the ids
};
