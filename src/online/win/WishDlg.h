#pragma once
// "Wünsche/Feedback": invites the user to rate the program on the vendor's
// site or to get in touch.
#include "util/ProgramInfo.h"
#include "util/win/DialogWindow.h"

#include <functional>
#include <memory>
#include <string>

class TWishDlg : public DialogWindow {
  public:
    TWishDlg();
    ~TWishDlg() override;

    // Set before Create: the product, the rating page (one "%s" for the
    // program id) and what "Kontakt mit uns aufnehmen" opens.
    const TProgramInfo* ProgramInfo = nullptr;
    std::wstring FeedbackUrl;
    std::function<void(HWND owner)> OnContact;

    // Creates the window hidden, centred on the screen, owned by owner.
    void Create(HWND owner);
    // Shows it until "Schließen", Esc or the close box.
    void ShowModal();

    void btnFeedbackClick();
    void btnContactClick();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    HBRUSH ControlBackground(UINT kind, HWND control, HDC dc) override;
    void PaintContent(HDC dc, const Rect& area) override;
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;

  private:
    void FormCreate();
    void FormShow();
    void ApplyFonts();
    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }

    class TPicture;
    std::unique_ptr<TPicture> m_picture;
};

// Opens the dialog modally over owner and releases it.
void ShowWishDlg(const TProgramInfo& info, const std::wstring& feedbackUrl,
                 std::function<void(HWND owner)> onContact, HWND owner);
