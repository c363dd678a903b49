#pragma once
// The colour popup's window: a top-most tool window that paints the popup
// model, holds the mouse capture while open and runs its own message loop
// until a colour is chosen or the popup is cancelled.
#include "settings/ColorPopup.h"
#include "util/win/Hints.h"
#include "util/win/OffscreenBitmap.h"
#include "util/win/Window.h"

#include <functional>
#include <optional>
#include <string>

struct TPopupResult {
    TPopupEnd End;
    bool CustomClick = false; // the more-colours entry: the button raises OnClick
};

class TColorPopupWnd : public Window {
  public:
    static constexpr const wchar_t* ClassName = L"TColorPopup";

    // Texts, palette and flags are set here before Execute.
    TColorPopup Model;
    // Hints over cells, combs and the slider while the pointer rests there;
    // the owner words those of the default and more-colours entries (cell
    // CellDefault, CellCustom) and of empty places (CellNone).
    bool ShowHints = true;
    std::function<std::wstring(int cell)> OnHint;

    // Opens the popup for the button (its screen rectangle given), at the DPI
    // and inside the work area of the button's monitor, and returns once the
    // popup has closed.
    TPopupResult Execute(HWND button, const Rect& buttonOnScreen, TColor current);
    bool IsOpen() const { return m_open; }
    // Closes an open popup as Esc does.
    void Cancel();
    // The hint shown now, if any.
    const TTrackingHint& Hint() const { return m_hint; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    void Create(HWND owner);
    void Layout(UINT dpi);
    void Reply(TPopupReply reply);
    void HandleKey(const MSG& msg);
    void DrawChosenComb(HDC dc);
    void UpdateHint(Point p);
    void ShowPendingHint();
    void EndHint();

    bool m_open = false;
    bool m_leftDown = false;
    UINT m_layoutDpi = 0;
    HFONT m_font = nullptr;
    std::optional<TPopupResult> m_result;
    OffscreenBitmap m_buffer;
    TTrackingHint m_hint;
    // The hint for where the pointer is: shown after the usual delay, for
    // as long as it stays inside Area.
    TPopupHint m_pendingHint;
    std::wstring m_hintText;
    Point m_hintPointer; // where the pointer was last, in popup coordinates
};
