#include "magnifier/win/MagnifierDlg.h"

#include "help/HelpIds.h"
#include "magnifier/MagnifierTexts.h"
#include "util/Dpi.h"
#include "util/win/HtmlHelp.h"

#include "util/UserError.h"
#include "util/win/Fonts.h"
#include "util/win/MVUtilWin.h"
#include "util/win/WindowRects.h"

#include <windowsx.h>

TMagnifierDlg* MagnifierDlg = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TMagnifierDlg";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerInterval = 25; // at most 40 pictures a second
// Design sizes at 96 DPI.
constexpr int kClientWidth = 242;
constexpr int kClientHeight = 166;
constexpr int kToolBarHeight = 28;
constexpr int kButtonSize = 24;
constexpr int kIndent = 5;
constexpr int kDefWidth = 250;
constexpr int kDefHeight = 200;

enum ToolCommand : UINT { idZoomIn = 300, idZoomOut, idChangePos, idSettingsButton };
enum SettingsCommand : UINT { idNeutralPointRuler = 320, idNeutralPointScreen, idMoveWithClick };

} // namespace

const CommandTable<TMagnifierDlg>& TMagnifierDlg::ToolCommands() {
    using Row = CommandRow<TMagnifierDlg>;
    using D = TMagnifierDlg;
    // clang-format off
    static const Row rows[] = {
        {.Id = idZoomIn, .Name = L"acZoomIn", .Caption = {L"Vergrößern", L"Zoom In"}, .Run = &D::acZoomInExecute,
         .Enabled = &D::ZoomInAvailable, .Icon = L"ZOOMIN", .Hint = {L"Vergrößern", L"Zoom In"}},
        {.Id = idZoomOut, .Name = L"acZoomOut", .Caption = {L"Verkleinern", L"Zoom Out"},
         .Run = &D::acZoomOutExecute, .Enabled = &D::ZoomOutAvailable, .Icon = L"ZOOMOUT",
         .Hint = {L"Verkleinern", L"Zoom Out"}},
        {.Kind = CommandKind::Separator},
        // The action itself is "Seite wechseln"; the button says what it does.
        {.Id = idChangePos, .Name = L"acChangePos", .Caption = {L"Seite wechseln", L"Change Side"},
         .Run = &D::acChangePosExecute, .Icon = L"CHANGESIDE", .Hint = {L"Monitorseite wechseln", L"Move to the Other Side of the Monitor"}},
        {.Kind = CommandKind::Separator},
        {.Id = idSettingsButton, .Name = L"acSettings", .Caption = {L"Einstellungen...", L"Settings..."},
         .Run = &D::acSettingsExecute, .Icon = L"MAGNIFIERSETTINGS", .Hint = {L"Einstellungen...", L"Settings..."}},
    };
    // clang-format on
    static const CommandTable<TMagnifierDlg> table{rows};
    return table;
}

const CommandTable<TMagnifierDlg>& TMagnifierDlg::SettingsCommands() {
    using Row = CommandRow<TMagnifierDlg>;
    // clang-format off
    static const Row rows[] = {
        {.Id = idNeutralPointRuler, .Name = L"menNeutralPointRuler", .Caption = {L"Linealkoordinaten", L"Ruler Coordinates"},
         .Choose = &TMagnifierDlg::ChooseCoordinates, .IsChosen = &TMagnifierDlg::CoordinatesAre,
         .Value = RulerCoordinates},
        {.Id = idNeutralPointScreen, .Name = L"menNeutralPointScreen",
         .Caption = {L"Bildschirmkoordinaten", L"Screen Coordinates"}, .Choose = &TMagnifierDlg::ChooseCoordinates,
         .IsChosen = &TMagnifierDlg::CoordinatesAre, .Value = ScreenCoordinates},
        {.Kind = CommandKind::Separator},
        {.Id = idMoveWithClick, .Name = L"menMoveMagnifierWithClick",
         .Caption = {L"Fenster verschieben mit Klick", L"Move Window on Click"}, .Run = &TMagnifierDlg::ToggleMoveWithClick,
         .Checked = &TMagnifierDlg::MoveMagnifierWithClick},
    };
    // clang-format on
    static const CommandTable<TMagnifierDlg> table{rows};
    return table;
}

TMagnifierDlg::TMagnifierDlg() {
    MagnifierDlg = this;
}

TMagnifierDlg::~TMagnifierDlg() {
    if (Handle()) ::DestroyWindow(Handle());
    if (ADC) ::ReleaseDC(AHWND, ADC);
    if (m_toolImages) ::ImageList_Destroy(m_toolImages);
    if (MagnifierDlg == this) MagnifierDlg = nullptr;
}

void TMagnifierDlg::Create(HWND owner, const std::wstring& iniName, TMvIniFormat iniFormat) {
    // One device context for every drawing: the window keeps its own.
    RegisterClassOnce(kClassName, ::LoadCursorW(nullptr, IDC_ARROW),
                      ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"), CS_OWNDC | CS_DBLCLKS);
    // Sizeable, only a close box, above the other windows.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    RECT r{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, WS_EX_TOPMOST);
    if (!CreateWnd(kClassName, L"", style, WS_EX_TOPMOST, CW_USEDEFAULT, CW_USEDEFAULT,
                   r.right - r.left, r.bottom - r.top, owner))
        throw EUserError(MagnifierText::WindowNotCreated());
    FormCreate(iniName, iniFormat);
    // The saver loads after the window's own creation handler.
    WndStateSaver1->CreateHandler();
}

void TMagnifierDlg::FormCreate(const std::wstring& iniName, TMvIniFormat iniFormat) {
    FixSysGuiFont(Handle());
    AHWND = ::GetDesktopWindow();
    ADC = ::GetDC(AHWND);
    FZoom = DefaultZoom;
    m_wheelRollMsg = ::RegisterWindowMessageW(L"MSWHEEL_ROLLMSG");
    CreateToolBar();
    popSettings = SettingsCommands().BuildMenu();

    WndStateSaver1 =
        std::make_unique<TWndStateSaver>(static_cast<TWndStateHost&>(*this), L"WndStateSaver1");
    WndStateSaver1->SetSavePosition(true);
    WndStateSaver1->SetSaveState(false);
    WndStateSaver1->SetDefWidth(Scale(kDefWidth));
    WndStateSaver1->SetDefHeight(Scale(kDefHeight));
    WndStateSaver1->IniName = iniName;
    WndStateSaver1->IniFormat = iniFormat;
}

void TMagnifierDlg::CreateToolBar() {
    ToolBar1 =
        ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                          WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                              CCS_NORESIZE | CCS_NOPARENTALIGN,
                          0, 0, 0, 0, Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(ToolBar1, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int icon = Scale(16);
    m_toolImages = ::ImageList_Create(icon, icon, ILC_COLOR32 | ILC_MASK, 4, 0);
    std::vector<TBBUTTON> buttons;
    for (const auto& row : ToolCommands().Rows()) {
        TBBUTTON b{};
        if (row.Kind == CommandKind::Separator) {
            b.iBitmap = Scale(8);
            b.fsStyle = BTNS_SEP;
        } else {
            UniqueHIcon image(static_cast<HICON>(
                ::LoadImageW(::GetModuleHandleW(nullptr), row.Icon, IMAGE_ICON, icon, icon, 0)));
            b.iBitmap = ::ImageList_AddIcon(m_toolImages, image.Get());
            b.idCommand = static_cast<int>(row.Id);
            b.fsState = row.IsEnabled(*this) ? TBSTATE_ENABLED : 0;
            b.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(b);
    }
    ::SendMessageW(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_toolImages));
    ::SendMessageW(ToolBar1, TB_SETINDENT, static_cast<WPARAM>(Scale(kIndent)), 0);
    ::SendMessageW(ToolBar1, TB_ADDBUTTONSW, buttons.size(),
                   reinterpret_cast<LPARAM>(buttons.data()));
    const int button = Scale(kButtonSize);
    ::SendMessageW(ToolBar1, TB_SETBUTTONSIZE, 0, MAKELPARAM(button, button));
}

void TMagnifierDlg::OnDpiChanged(UINT dpi, const RECT& suggested) {
    m_fittedLength = 0; // the caption font's size changes with the DPI
    // The buttons and their pictures have the sizes of one DPI: the tool bar
    // is built anew for the new one, with the zoom buttons' states.
    if (ToolBar1) ::DestroyWindow(ToolBar1);
    if (m_toolImages) ::ImageList_Destroy(m_toolImages);
    ToolBar1 = nullptr;
    m_toolImages = nullptr;
    CreateToolBar();
    SetZoom(FZoom);
    Window::OnDpiChanged(dpi, suggested);
    ::MoveWindow(ToolBar1, 0, 0, ClientRect().Width(), ToolBarHeight() - 1, TRUE);
}

int TMagnifierDlg::ToolBarHeight() const {
    return Scale(kToolBarHeight);
}

Size TMagnifierDlg::PictureSize() const {
    const Rect c = ClientRect();
    return {c.Width(), std::max(0, c.Height() - ToolBarHeight())};
}

bool TMagnifierDlg::InPicture(POINT client) const {
    return client.y >= ToolBarHeight();
}

void TMagnifierDlg::Show() {
    ::ShowWindow(Handle(), SW_SHOW);
}

void TMagnifierDlg::FormShow() {
    // Whatever was drawn before the window was hidden is out of date.
    OldX = -1;
    Magnify(NewX, NewY);
}

void TMagnifierDlg::SetStayOnTop(bool value) {
    ::SetWindowPos(Handle(), value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// --- Drawing -----------------------------------------------------------------

void TMagnifierDlg::Magnify(int x, int y) {
    NewX = x;
    NewY = y;
    // The timer runs only while a picture is due: a resting pointer costs
    // nothing.
    if (m_timerRunning || !Handle() || !::IsWindowVisible(Handle())) return;
    if (NewX == OldX && NewY == OldY) return;
    m_timerRunning = ::SetTimer(Handle(), kTimerId, kTimerInterval, nullptr) != 0;
}

void TMagnifierDlg::Redraw() {
    OldX = OldY = -1;
    Magnify(NewX, NewY);
}

void TMagnifierDlg::Timer1Timer() {
    ++m_ticks;
    ::KillTimer(Handle(), kTimerId);
    m_timerRunning = false;
    Draw(NewX, NewY);
}

void TMagnifierDlg::Draw(int x, int y) {
    if (!::IsWindowVisible(Handle()) || (x == OldX && y == OldY)) return;
    OldX = x;
    OldY = y;
    ++m_draws;
    const RulerFrame ruler = RulerPosition ? RulerPosition() : RulerFrame{};
    const std::wstring figures = FromStartPoint ? FromStartPoint({x, y}) : std::wstring();
    const std::wstring caption =
        MagnifierCaption(ShownPosition({x, y}, FNeutralPointScreen, ruler), FZoom, figures);
    ::SetWindowTextW(Handle(), caption.c_str());
    FitCaption(caption, !figures.empty());
    DrawPicture(::GetDC(Handle()), {x, y}); // the window's own DC: nothing to release
}

namespace {

// The window width a caption needs: its text in the caption font, the icon,
// the close box and the frame.
int CaptionWindowWidth(const std::wstring& caption, int padding) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return 0;
    HDC dc = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, CachedFont(metrics.lfCaptionFont));
    SIZE text{};
    ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return text.cx + ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXSIZE) +
           4 * ::GetSystemMetrics(SM_CXSIZEFRAME) + padding;
}

} // namespace

void TMagnifierDlg::FitCaption(const std::wstring& caption, bool figures) {
    if (!figures) {
        m_fittedLength = 0;
        TakeBackWidth();
        return;
    }
    if (caption.size() <= m_fittedLength) return;
    m_fittedLength = caption.size();
    const Rect r = WindowRectOf(Handle());
    const int needed = CaptionWindowWidth(caption, Scale(8));
    if (needed <= r.Width()) return;
    // Some room to spare, so that a caption a digit longer does not widen it
    // again; leftwards where the monitor ends on the right.
    const int width = needed + Scale(24);
    const Rect monitor = MonitorRectOf(Handle());
    const int left = std::max(monitor.Left, std::min(r.Left, monitor.Right - width));
    if (!m_narrow) m_narrow = Narrow{r.Width(), 0};
    m_narrow->Shift += r.Left - left;
    ::SetWindowPos(Handle(), nullptr, left, r.Top, width, r.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMagnifierDlg::TakeBackWidth() {
    if (!m_narrow) return;
    const Narrow narrow = *m_narrow;
    m_narrow.reset();
    const Rect r = WindowRectOf(Handle());
    ::SetWindowPos(Handle(), nullptr, r.Left + narrow.Shift, r.Top, narrow.Width, r.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMagnifierDlg::DrawPicture(HDC dc, Point pointer) {
    const Size picture = PictureSize();
    if (picture.Width <= 0 || picture.Height <= 0) return;
    const MagnifierFrame frame = PlanMagnifierFrame(pointer, picture, FZoom, VirtualScreenRect());
    const int top = ToolBarHeight();
    HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    for (const Rect& strip : frame.BlackStrips) {
        RECT r{strip.Left, strip.Top + top, strip.Right, strip.Bottom + top};
        ::FillRect(dc, &r, black);
    }
    // Straight from the screen, one copy, no bitmap in between.
    ::StretchBlt(dc, 0, top, picture.Width, picture.Height, ADC, frame.Source.Left,
                 frame.Source.Top, frame.Source.Width(), frame.Source.Height(), SRCCOPY);
    RECT marker{frame.Marker.Left, frame.Marker.Top + top, frame.Marker.Right,
                frame.Marker.Bottom + top};
    ::FillRect(dc, &marker, black);
}

void TMagnifierDlg::PaintContent(HDC dc, const Rect&) {
    // An uncovered part shows the picture at once, not only when the
    // pointer moves again.
    const Rect c = ClientRect();
    RECT line{0, ToolBarHeight() - 1, c.Width(), ToolBarHeight()};
    ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_3DSHADOW));
    DrawPicture(dc, {NewX, NewY});
}

// --- Zoom, side and options ----------------------------------------------------

void TMagnifierDlg::SetZoom(int value) {
    FZoom = ClampZoom(value);
    // Zoom in and out are available from the moment the zoom is set.
    if (!ToolBar1) return;
    for (const auto& row : ToolCommands().Rows())
        if (row.Enabled)
            ::SendMessageW(ToolBar1, TB_ENABLEBUTTON, row.Id, MAKELPARAM(row.IsEnabled(*this), 0));
}

void TMagnifierDlg::ZoomStep(int delta) {
    // Not available at the ends, from any source.
    if (delta > 0 ? !ZoomInAvailable() : !ZoomOutAvailable()) return;
    FZoom += delta;
    OldX = -1;
    Timer1Timer();
    DoZoomChanged();
}

void TMagnifierDlg::DoZoomChanged() {
    SetZoom(FZoom);
    if (ZoomChanged) ZoomChanged(*this);
}

void TMagnifierDlg::acZoomInExecute() {
    ZoomStep(1);
}
void TMagnifierDlg::acZoomOutExecute() {
    ZoomStep(-1);
}

void TMagnifierDlg::WheelStep(int delta) {
    // One step per wheel message, whatever its size.
    if (delta > 0)
        acZoomInExecute();
    else
        acZoomOutExecute();
}

void TMagnifierDlg::acChangePosExecute() {
    const Rect r = WindowRectOf(Handle());
    // To the other side of its own monitor.
    const Rect monitor = MonitorRectOf(Handle());
    const int left =
        monitor.Left + OtherSideLeft(r.Left - monitor.Left, r.Width(), monitor.Width());
    ::SetWindowPos(Handle(), nullptr, left, r.Top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMagnifierDlg::acSettingsExecute() {
    // At the settings button's bottom-left corner.
    RECT button{};
    const auto index = ::SendMessageW(ToolBar1, TB_COMMANDTOINDEX, idSettingsButton, 0);
    ::SendMessageW(ToolBar1, TB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&button));
    POINT corner{button.left, button.bottom};
    ::ClientToScreen(ToolBar1, &corner);
    ::TrackPopupMenu(popSettings.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, corner.x,
                     corner.y, 0, Handle(), nullptr);
}

void TMagnifierDlg::ChooseCoordinates(int coordinates) {
    FNeutralPointScreen = coordinates == ScreenCoordinates;
    if (NeutralPointScreenChanged) NeutralPointScreenChanged(*this);
}

bool TMagnifierDlg::CoordinatesAre(int coordinates) const {
    return FNeutralPointScreen == (coordinates == ScreenCoordinates);
}

void TMagnifierDlg::ToggleMoveWithClick() {
    FMoveMagnifierWithClick = !FMoveMagnifierWithClick;
    if (NeutralPointScreenChanged) NeutralPointScreenChanged(*this);
}

// --- The saver's view ------------------------------------------------------------

std::wstring TMagnifierDlg::ClassName() const {
    return kClassName;
}
std::wstring TMagnifierDlg::Name() const {
    return L"MagnifierDlg";
}
TFormBorderStyle TMagnifierDlg::BorderStyle() const {
    return TFormBorderStyle::bsSizeable;
}

Rect TMagnifierDlg::Bounds() const {
    WINDOWPLACEMENT placement{sizeof(placement)};
    RECT r{};
    if (::IsIconic(Handle()) || ::IsZoomed(Handle())) {
        ::GetWindowPlacement(Handle(), &placement);
        r = placement.rcNormalPosition;
    } else {
        ::GetWindowRect(Handle(), &r);
        // Widened only for the caption: the user's width is the one to keep.
        if (m_narrow) {
            r.left += m_narrow->Shift;
            r.right = r.left + m_narrow->Width;
        }
    }
    return {r.left, r.top, r.right, r.bottom};
}

void TMagnifierDlg::SetBounds(const Rect& b) {
    ::SetWindowPos(Handle(), nullptr, b.Left, b.Top, b.Width(), b.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

TWindowState TMagnifierDlg::WindowState() const {
    if (::IsIconic(Handle())) return wsMinimized;
    if (::IsZoomed(Handle())) return wsMaximized;
    return wsNormal;
}

void TMagnifierDlg::SetWindowState(TWindowState state) {
    ::ShowWindow(Handle(), state == wsMinimized   ? SW_MINIMIZE
                           : state == wsMaximized ? SW_MAXIMIZE
                                                  : SW_RESTORE);
}

Rect TMagnifierDlg::WorkArea() const {
    RECT r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
}

// --- Messages ----------------------------------------------------------------------

LRESULT TMagnifierDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // F1: this window's page of the help.
    if (msg == WM_HELP && ApplicationHelpContext(IDH_MAGNIFIER)) return TRUE;
    if (m_wheelRollMsg != 0 && msg == m_wheelRollMsg) {
        WheelStep(static_cast<int>(wParam));
        return 0;
    }
    if (const auto handled =
            SettingsCommands().HandleMenuMessage(*this, msg, wParam, lParam, Dpi()))
        return *handled;
    switch (msg) {
    case WM_TIMER:
        if (wParam == kTimerId) Timer1Timer();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) FormShow();
        break;
    case WM_SIZING:
        m_narrow.reset(); // the user's own width from now on
        m_fittedLength = 0;
        break;
    case WM_SIZE: {
        ::MoveWindow(ToolBar1, 0, 0, LOWORD(lParam), ToolBarHeight() - 1, TRUE);
        ::InvalidateRect(Handle(), nullptr, FALSE);
        OldX = -1;
        break;
    }
    case WM_ERASEBKGND: {
        // Only the tool bar's strip: the flat tool bar shows it through, and
        // the picture covers the rest.
        const Rect c = ClientRect();
        RECT strip{0, 0, c.Width(), ToolBarHeight() - 1};
        ::FillRect(reinterpret_cast<HDC>(wParam), &strip, ::GetSysColorBrush(COLOR_3DFACE));
        return 1;
    }
    case WM_MOUSEWHEEL:
        WheelStep(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle()) {
            POINT pt{};
            ::GetCursorPos(&pt);
            ::ScreenToClient(Handle(), &pt);
            ::SetCursor(::LoadCursorW(nullptr, InPicture(pt) ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_LBUTTONUP: {
        const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (InPicture(pt) && FMoveMagnifierWithClick) acChangePosExecute();
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            // Released: gone from the screen now, destroyed by the owner.
            ::ShowWindow(Handle(), SW_HIDE);
            if (Released) Released(*this);
            return 0;
        }
        break;
    case WM_COMMAND:
        if (!ToolCommands().Execute(*this, LOWORD(wParam)))
            SettingsCommands().Execute(*this, LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        auto* tip = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if (tip->hdr.code == TTN_GETDISPINFOW) {
            if (const auto* row = ToolCommands().ById(static_cast<UINT>(tip->hdr.idFrom)))
                tip->lpszText = const_cast<wchar_t*>(row->Hint());
            return 0;
        }
        break;
    }
    case WM_CLOSE:
        // The close box only hides: the next "Lupe" shows the same window.
        ::ShowWindow(Handle(), SW_HIDE);
        if (Closed) Closed(*this);
        return 0;
    case WM_DESTROY:
        if (m_timerRunning) ::KillTimer(Handle(), kTimerId);
        m_timerRunning = false;
        WndStateSaver1->DestroyHandler();
        return 0;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}
