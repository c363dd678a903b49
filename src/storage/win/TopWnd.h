#pragma once
// Switches a window between the top-most level and the normal level of the
// z-order; the events frame a real change only.
#include <windows.h>

#include <functional>

class TTopMostWindow {
  public:
    using TNotifyEvent = std::function<void(TTopMostWindow& sender)>;

    explicit TTopMostWindow(HWND window) : FHWindow(window) {}
    virtual ~TTopMostWindow() = default;

    HWND HWindow() const { return FHWindow; }
    bool AlwaysOnTop() const { return FAlwaysOnTop; }
    void SetAlwaysOnTop(bool value);

    TNotifyEvent OnBeforeChange;
    TNotifyEvent OnAfterChange;

  protected:
    // Top-most, or just above the normal windows; position and size stay.
    virtual void ChangeState();

  private:
    HWND FHWindow;
    bool FAlwaysOnTop = false;
};
