#pragma once
// "Info über...": the program's name and version, the vendor's company,
// address, telephone and links, and a click on the icon that copies a short
// program report for a support request.
#include "online/AboutLayout.h"
#include "util/ProgramInfo.h"
#include "util/win/DialogWindow.h"
#include "util/win/MVBevel.h"
#include "util/win/MVLabel.h"
#include "util/win/Panel.h"

class TInfoForm : public DialogWindow {
  public:
    TInfoForm();
    ~TInfoForm() override;

    // Creates the window hidden, filled from info, owned by owner.
    void Create(HWND owner, const TProgramInfo& info);
    // Shows it until "OK", Esc or the close box.
    void ShowModal();
    // The click on the program icon: asks, then copies the report.
    void pIconClick();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    HBRUSH ControlBackground(UINT kind, HWND control, HDC dc) override;
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;

  private:
    void CreateControls();
    void FillTexts();
    void ApplyFonts();
    // Places everything for the texts at the window's DPI (FormShow).
    void FormShow();
    HWND Item(int id) const;

    const TProgramInfo* m_info = nullptr;
    TPanel pTop, pHinten;
    TMvBevel m_topLine, bLine;
    TMVLabel lHomepage, lEMail;
};

// Fetches the vendor's contact data once per run (on failure again next
// time), then shows the About window modally over owner.
void ShowAboutDlg(TProgramInfo& info, HWND owner);
