#pragma once
// What every dialog of ours does alike, once: F1 opens the dialog's page of
// the help, the dialog keys move the focus (WM_NEXTDLGCTL), controls get the
// background the dialog gives them, a dialog that paints its whole client
// area is not erased first, a close request ends the dialog, and the modal
// loop runs until EndModal.
#include "util/win/Window.h"

class DialogWindow : public Window {
  protected:
    // helpContext: the dialog's page of the help (0: none).
    explicit DialogWindow(int helpContext) : m_helpContext(helpContext) {}

    // Shows the dialog in front, disables its owner and runs until EndModal;
    // gives the result handed to it (IDCANCEL when the window went away).
    int RunModalLoop();
    void EndModal(int result);
    bool ModalEnded() const { return m_result != 0; }

    // The brush behind a control (kind: WM_CTLCOLORSTATIC, ...BTN or
    // ...EDIT), with the text colours set in dc; null leaves the control to
    // the system.
    virtual HBRUSH ControlBackground(UINT kind, HWND control, HDC dc);
    // The close box, Alt+F4 or the system: the dialog ends as cancelled.
    virtual void OnCloseRequest() { EndModal(IDCANCEL); }
    // PaintContent covers the whole client area: nothing to erase before.
    bool PaintsWholeClient = false;

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    int m_helpContext;
    int m_result = 0;
};
