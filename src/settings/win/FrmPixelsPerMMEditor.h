#pragma once
// The calibration frame of the settings dialog: the automatic spacing or the
// user's own, measured with a real ruler on a black bar of 200 device pixels.
#include "util/Geometry.h"
#include "util/win/Window.h"

#include <string>

class TFrmPixelsPerMMEditor : public Window {
  public:
    // The frame's size at 96 DPI.
    static Size DesignSize();
    // place: the frame's top-left corner in the parent at 96 DPI.
    void Create(HWND parent, int id, Point place, UINT dpi);
    // Places the frame and its controls again at the parent's DPI.
    void Layout(UINT dpi);

    // With several monitors the frame's caption names the one it calibrates;
    // an empty name leaves the caption as it is.
    void NameMonitor(const std::wstring& name);
    void SetAutoPixelPerMM(bool value);
    bool GetAutoPixelPerMM() const;
    void SetUserCmMeasured(double value);
    void SetUserCmMeasuredChangeBy(double value);
    double GetUserCmMeasured() const;
    double GetCmMeasuredChangeBy() const;
    // The texts as typed, for the dialog's checks.
    std::wstring UserCmMeasuredText() const;
    std::wstring UserCmMeasuredChangeByText() const;
    // The length and the step are checked: on a fault the field gets the
    // focus within form, the message is shown, and the answer is false.
    bool CheckSettings(HWND form);
    void rbAutoPixelPerMMClick();

    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateReferenceBar(const Rect& bounds);
    Point m_place;
};
