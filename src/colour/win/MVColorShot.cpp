#include "colour/win/MVColorShot.h"

#include "util/GeometryUtils.h"
#include "util/win/Bitmaps.h"
#include "util/win/Controls.h"
#include "util/win/ModalLoop.h"
#include "util/win/WindowRects.h"

#include <windowsx.h>

namespace {

constexpr wchar_t kClassName[] = L"TMVColorShotDlg";
constexpr wchar_t kPreviewClassName[] = L"TMVColorShotPreview";
// Time for windows just hidden by the caller to leave the screen.
constexpr DWORD kSettleMs = 500;

Point MousePoint(LPARAM lParam) {
    // Signed: with the mouse captured, a drag may leave the primary screen.
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void FillSolid(HDC dc, const Rect& r, TColor color) {
    UniqueHBrush brush(::CreateSolidBrush(static_cast<COLORREF>(GetRealColor(color))));
    const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    ::FillRect(dc, &rc, brush.Get());
}

void SunkenFrame(HDC dc, const Rect& r) {
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    ::DrawEdge(dc, &rc, BDR_RAISEDOUTER | BDR_SUNKENINNER, BF_RECT);
}

} // namespace

// pMini: the floating preview, the colour (pPrev) beside the magnifier
// (pLupe with its paint box pbLupe and the centre mark). It paints from what
// the last mouse move told it and jumps away when the mouse comes onto it.
class TMVColorShotDlg::TPreview : public Window {
  public:
    explicit TPreview(TMVColorShotDlg& shot) : m_shot(shot) {}

    void Create(HWND parent) {
        RegisterClassOnce(kPreviewClassName, ::LoadCursorW(nullptr, IDC_CROSS), nullptr, 0);
        m_layout = PlanShotPreview(static_cast<int>(m_shot.Dpi()));
        CreateWnd(kPreviewClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, m_layout.Mini.Width,
                  m_layout.Mini.Height, parent);
    }
    int Width() const { return m_layout.Mini.Width; }

    void SetState(TColor color, Point mouse) {
        if (color == m_color && mouse == m_mouse) return;
        m_color = color;
        m_mouse = mouse;
        ::InvalidateRect(Handle(), nullptr, FALSE);
    }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            // Over the magnified picture the preview may stay: it is what
            // the user looks at.
            if (!m_layout.Box.Contains(MousePoint(lParam))) m_shot.JumpPreview();
            return 0;
        default:
            return Default(msg, wParam, lParam);
        }
    }

    void PaintContent(HDC dc, const Rect&) override {
        SunkenFrame(dc, m_layout.Prev);
        Rect inside = m_layout.Prev;
        RectShrink(inside, ShotPanelEdge);
        FillSolid(dc, inside, m_color);
        SunkenFrame(dc, m_layout.Lupe);
        PaintLupe(dc);
        FillSolid(dc, m_layout.Centre, clBlack);
    }

  private:
    void PaintLupe(HDC dc) {
        const Rect& box = m_layout.Box;
        const TLupeStretch s = PlanLupeStretch(m_mouse, {box.Width(), box.Height()},
                                               {m_shot.m_pixels.Width, m_shot.m_pixels.Height});
        // Beyond the screen's edges there is nothing to magnify.
        if (s.Dest != Rect{0, 0, box.Width(), box.Height()}) FillSolid(dc, box, clBlack);
        if (s.Source.IsEmpty()) return;
        ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, box.Left + s.Dest.Left, box.Top + s.Dest.Top, s.Dest.Width(),
                     s.Dest.Height(), m_shot.m_bmpDC.Get(), s.Source.Left, s.Source.Top,
                     s.Source.Width(), s.Source.Height(), SRCCOPY);
    }

    TMVColorShotDlg& m_shot;
    TShotPreviewLayout m_layout;
    TColor m_color = clBlack;
    Point m_mouse;
};

TMVColorShotDlg::TMVColorShotDlg()
    // Every monitor: the virtual screen, whose corner may lie left of or
    // above the primary monitor's.
    : m_screen{VirtualScreenRect()} {
    WindowDC screen(nullptr);
    BigDesktopBmp.Reset(
        ::CreateCompatibleBitmap(screen.Get(), m_screen.Width(), m_screen.Height()));
}

TMVColorShotDlg::~TMVColorShotDlg() {
    // The preview reads the copy: it goes first, then the window, then the copy.
    pMini.reset();
    if (Handle()) ::DestroyWindow(Handle());
}

bool TMVColorShotDlg::Running() {
    return TShotRunGuard::Running();
}

bool TMVColorShotDlg::Execute(HWND owner) {
    TShotRunGuard running;
    if (!running.Owns() || !BigDesktopBmp) return false;
    // Disabled before anything else runs, so nothing reaches the owner meanwhile.
    const bool ownerWasEnabled = owner && !::EnableWindow(owner, FALSE);
    struct OwnerRestore {
        HWND Owner;
        bool Enable;
        ~OwnerRestore() {
            if (Enable) ::EnableWindow(Owner, TRUE);
        }
    } restore{owner, ownerWasEnabled};

    if (!LetScreenSettle(kSettleMs) || !CopyScreen()) return false;
    m_drag = {};
    m_done = m_ok = false;
    ShowShot(owner);
    RunModalLoop();
    if (::GetCapture() == Handle()) ::ReleaseCapture();
    // The owner is enabled again before the shot goes, so it gets the activation back.
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    restore.Enable = false;
    pMini.reset();
    if (Handle()) ::DestroyWindow(Handle());
    return m_ok;
}

bool TMVColorShotDlg::CopyScreen() {
    m_bmpSelected.reset();
    {
        // The screen's DC counts in screen coordinates, over every monitor.
        WindowDC screen(nullptr);
        UniqueHdc memory(::CreateCompatibleDC(screen.Get()));
        if (!screen.Get() || !memory) return false;
        SelectGuard select(memory.Get(), BigDesktopBmp.Get());
        if (!::BitBlt(memory.Get(), 0, 0, m_screen.Width(), m_screen.Height(), screen.Get(),
                      m_screen.Left, m_screen.Top, SRCCOPY))
            return false;
    }
    m_pixels = BitmapToImage(BigDesktopBmp.Get());
    if (m_pixels.Pixels.empty()) return false;
    m_bmpDC.Reset(::CreateCompatibleDC(nullptr));
    if (!m_bmpDC) return false;
    m_bmpSelected.emplace(m_bmpDC.Get(), BigDesktopBmp.Get());
    return true;
}

void TMVColorShotDlg::ShowShot(HWND owner) {
    RegisterClassOnce(kClassName, ::LoadCursorW(nullptr, IDC_CROSS), nullptr, 0);
    // Borderless over exactly the copy of every monitor, so a point of the
    // window is the same point of the copy; no taskbar button.
    CreateWnd(kClassName, L"", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, m_screen.Left,
              m_screen.Top, m_screen.Width(), m_screen.Height(), owner);
    if (!Handle()) {
        m_done = true;
        return;
    }
    m_topMost = std::make_unique<TTopMostWindow>(Handle());
    m_topMost->SetAlwaysOnTop(true);
    pMini = std::make_unique<TPreview>(*this);
    pMini->Create(Handle());
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const Point at{cursor.x - m_screen.Left, cursor.y - m_screen.Top};
    pMini->SetState(GetSelColor(m_pixels, m_drag, at), at);
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    ::SetFocus(Handle());
    ::UpdateWindow(Handle());
}

void TMVColorShotDlg::RunModalLoop() {
    MSG msg;
    while (!m_done) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program ends: the loop above ours must see the quit too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void TMVColorShotDlg::EndShot(bool ok) {
    m_ok = ok;
    m_done = true;
}

LRESULT TMVColorShotDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // the copy covers everything
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        FormMouseDown(MousePoint(lParam));
        return 0;
    case WM_MOUSEMOVE:
        FormMouseMove(MousePoint(lParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        FormMouseUp(MousePoint(lParam));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) EndShot(false);
        return 0;
    case WM_CLOSE: // Alt+F4 and the like cancel like Esc
        EndShot(false);
        return 0;
    case WM_DESTROY:
        if (!m_done) EndShot(false);
        return 0;
    default:
        return Default(msg, wParam, lParam);
    }
}

void TMVColorShotDlg::PaintContent(HDC dc, const Rect& area) {
    ::BitBlt(dc, area.Left, area.Top, area.Width(), area.Height(), m_bmpDC.Get(), area.Left,
             area.Top, SRCCOPY);
    // The fresh copy has no focus rectangle: put the current one back.
    if (m_drag.HasStartPoint && m_drag.OldX >= 0)
        DrawFocusRectMv(dc, m_drag.StartPoint, {m_drag.OldX, m_drag.OldY});
}

void TMVColorShotDlg::FormMouseDown(Point p) {
    ShotMouseDown(m_drag, p);
    ::SetCapture(Handle()); // the release may happen off the primary screen
}

void TMVColorShotDlg::FormMouseMove(Point p) {
    if (pMini) pMini->SetState(GetSelColor(m_pixels, m_drag, p), p);
    if (!m_drag.HasStartPoint) return;
    if (m_drag.OldX == p.X && m_drag.OldY == p.Y) return;
    WindowDC dc(Handle());
    // Drawn by inversion: drawing the old one again erases it.
    if (m_drag.OldX >= 0) DrawFocusRectMv(dc.Get(), m_drag.StartPoint, {m_drag.OldX, m_drag.OldY});
    DrawFocusRectMv(dc.Get(), m_drag.StartPoint, p);
    m_drag.OldX = p.X;
    m_drag.OldY = p.Y;
}

void TMVColorShotDlg::FormMouseUp(Point p) {
    FPickColor = GetSelColor(m_pixels, m_drag, p);
    EndShot(true);
}

void TMVColorShotDlg::JumpPreview() {
    const Rect r = WindowRectOf(pMini->Handle());
    POINT topLeft{r.Left, r.Top};
    ::ScreenToClient(Handle(), &topLeft);
    const int left = OtherSideLeft(topLeft.x, pMini->Width(), ClientRect().Width());
    ::SetWindowPos(pMini->Handle(), nullptr, left, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
