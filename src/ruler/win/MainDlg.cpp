#include "ruler/win/MainDlg.h"

#include "colour/ColorFormModel.h"
#include "colour/win/MVColorDlg.h"
#include "online/win/MVOnlineUpdate.h"

#include "magnifier/win/MagnifierDlg.h"
#include "ruler/RulerDefaults.h"
#include "ruler/win/HookLibrary.h"
#include "ruler/win/RulerCommands.h"
#include "storage/SaveFiles.h"
#include "storage/win/PathListWin.h"
#include "util/HotkeyMath.h"
#include "util/UserError.h"
#include "util/win/AppError.h"
#include "util/win/CoolTrayIcon.h"
#include "util/win/Fonts.h"
#include "util/win/GdiCanvas.h"
#include "util/win/HtmlHelp.h"
#include "util/win/MVUtilWin.h"
#include "util/win/TestControl.h"
#include "util/win/WindowsInfo.h"

#include <utility>

TMainDlg* MainDlg = nullptr;

namespace {

constexpr wchar_t kRulerClass[] = L"TMainDlg";
// The scale labels: a clear UI face that every Windows and Wine has.
constexpr wchar_t kLabelFace[] = L"Tahoma";
constexpr int kLabelPoints = 8;
// A library that keeps answering "still installed" must not hang the ruler.
constexpr int kMaxHookRemovals = 16;

} // namespace

TMainDlg::TMainDlg() {
    MainDlg = this;
}

TMainDlg::~TMainDlg() {
    if (MainDlg == this) MainDlg = nullptr;
}

void TMainDlg::Create(HWND owner) {
    RegisterClassOnce(kRulerClass, ::LoadCursorW(nullptr, IDC_ARROW),
                      ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"), CS_DBLCLKS | CS_OWNDC);
    // Borderless and top-most ("stay on top" is the window's designed
    // style); the size is replaced at once by the orientation.
    if (!CreateWnd(kRulerClass, ApplicationTitle().c_str(), WS_POPUP | WS_CLIPCHILDREN,
                   WS_EX_TOPMOST, 0, 0, RulerDefaults::HWidth,
                   RulerDefaults::HorizontalClientHeight, owner))
        throw EUserError(L"Das Linealfenster konnte nicht erzeugt werden.");
    GuardedCall([this] { FormCreate(); });
}

void TMainDlg::FormCreate() {
    FixSysGuiFont(Handle());
    // The settings file lives in the user's application data below
    // Morvane\Dravik, unless the registry or a marker file says otherwise.
    // The About window's telephone lines follow the user's language.
    m_programInfo.IsGerman = IsGermanWin(GetWindowsLanguage(LOCALE_ILANGUAGE));
    m_paths = std::make_unique<TPBPathList>(CreateWin32PathListPlatform(), L"Paths");
    m_paths->UseAppDataDir = true;
    m_paths->DirTypeLocal = sdSettingsCurrentUser;
    m_paths->DirTypeGlobal = sdSettingsAllUser;
    m_paths->SettingsPerInstance = false;
    m_paths->FSubDirDocSettings = m_programInfo.SubDirDocSettings();
    m_paths->LoadFromReg(m_programInfo.RegistryKey(), false);
    // A folder the user chose that cannot be used: say why the default
    // place serves instead.
    for (const std::wstring& warning : m_paths->Warnings())
        ShowApplicationError(warning, Handle());
    // Leftovers of a save that crashed (or was killed) go, and a settings
    // file that such a save left missing comes back. A file that cannot be
    // cleared is reported; the start goes on.
    GuardedCall([this] { RemoveStaleSaveFiles(FileSystem(), m_paths->IniName()); });
    CreateColorDlg();

    m_model = RulerModel{};
    m_model.Scale.Converter.AutoPixelsPerMM(ScreenMetrics());
    m_primaryScreen = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    m_cursor = m_cursors[0];
    UpdateFonts();
    popMenu = Commands().BuildMenu();
    TopMostWindow = std::make_unique<TTopMostWindow>(Handle());
    CreateTrayIcons();

    RECT window{}, client{};
    ::GetWindowRect(Handle(), &window);
    ::GetClientRect(Handle(), &client);
    WndBorderX = ((window.right - window.left) - (client.right - client.left)) / 2;
    WndBorderY = ((window.bottom - window.top) - (client.bottom - client.top)) / 2;

    LoadSettings();
    // "No colour" (a hand-edited file) has nothing to show: the window starts from black.
    MVColorDlg->Color = EditableColor(m_model.Options.ColorDlgColor);
    m_helpFile = AppDirAnd(L"Hilfe.chm");
    mHHelp = std::make_unique<THookHelpSystem>(m_helpFile, 0, L"");
    // Without the hook the ruler cannot follow the mouse, but its hotkeys
    // still work: they are registered before the error is shown.
    try {
        ChangeAlwaysOnTop(m_model.Options.OnTop, true);
    } catch (...) {
        RegisterHotkeys();
        throw;
    }
    RegisterHotkeys();
}

void TMainDlg::InstallHookMouse() {
    m_hookMsg = HookLibrary::GetMonitorMouseMoveMsg();
    RemoveHookMouse();
    if (!HookLibrary::InstallHookMouse(0, Handle()))
        throw EUserError(L"Could not install mouse hook. InstallHookMouse failed.");
}

void TMainDlg::RemoveHookMouse() {
    for (int i = 0; i < kMaxHookRemovals && HookLibrary::IsHookSetMouse(); ++i)
        HookLibrary::RemoveHookMouse();
}

void TMainDlg::FormShow() {
    WndToTaskIco();
    CheckForUpdatesAutomatically();
}

void TMainDlg::FormClose() {
    // Runs once, whichever way the program ends.
    if (m_closed) return;
    m_closed = true;
    HHCloseAll();
    GuardedCall([this] { SaveSettings(); });
}

void TMainDlg::CloseIfOpen() {
    if (!Handle()) return;
    FormClose();
    ::DestroyWindow(Handle());
}

void TMainDlg::FormDestroy() {
    // The magnifier keeps its place in the settings file as it goes.
    GuardedCall([this] { m_magnifier.reset(); });
    MVOnlineUpdate1.reset(); // a check still downloading stops
    GuardedCall([] { ReleaseColorForm(); });
    UnRegisterHotkeys();
    RemoveHookMouse();
    TrayColorPicker.reset();
    TrayIcon.reset();
    m_cursorCanvas.reset();
    BackImg.SetSize(0, 0);
    m_rendered.reset();
}

void TMainDlg::SetTitle(const std::wstring& title) {
    ::SetWindowTextW(Handle(), title.c_str());
}

void TMainDlg::menExitClick() {
    ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

// --- Units and calibration -------------------------------------------------

void TMainDlg::SetRulerUnit(TRulerUnit value) {
    m_model.Scale.fRulerUnit = value;
    FaceChanged();
}

void TMainDlg::UpdatePixelMMConverter() {
    ApplyCalibration(m_model, ScreenMetrics());
    FaceChanged();
}

bool TMainDlg::BeforeCmSizeChangeBy(double delta) {
    if (m_model.Scale.fRulerUnit != ruMillimeter) SetRulerUnit(ruMillimeter);
    if (StepCalibration(m_model, delta)) ::MessageBeep(0);
    UpdatePixelMMConverter();
    return true;
}

void TMainDlg::Plus1Click() {
    BeforeCmSizeChangeBy(-m_model.Calibration.FRefCmSizeChangeBy);
}
void TMainDlg::Minus1Click() {
    BeforeCmSizeChangeBy(m_model.Calibration.FRefCmSizeChangeBy);
}

void TMainDlg::SetRefCmSize(double refCmSize) {
    m_model.Calibration.FCmAuto = false;
    m_model.Calibration.FRefCmSize = refCmSize;
    UpdatePixelMMConverter();
}

void TMainDlg::WMDisplayChange() {
    m_primaryScreen = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    UpdatePixelMMConverter();
}

DeviceMetrics TMainDlg::ScreenMetrics() const {
    WindowDC dc(Handle());
    return {::GetDeviceCaps(dc.Get(), HORZRES), ::GetDeviceCaps(dc.Get(), VERTRES),
            ::GetDeviceCaps(dc.Get(), HORZSIZE), ::GetDeviceCaps(dc.Get(), VERTSIZE)};
}

// --- Orientation and size --------------------------------------------------

void TMainDlg::menOrientationClick() {
    SetOrientation(m_model, !m_model.Geometry.FHorizontal);
    OrientationChanged();
}

void TMainDlg::OrientationChanged() {
    SetOrientation(m_model, m_model.Geometry.FHorizontal);
    SetClientSize(RulerClientSize(m_model.Geometry));
    FaceChanged();
}

void TMainDlg::SetClientSize(Size size) {
    RECT r{0, 0, size.Width, size.Height};
    ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    ::SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainDlg::FormResize() {
    FaceChanged();
}

// --- Painting --------------------------------------------------------------

void TMainDlg::UpdateFonts() {
    const UINT dpi = Dpi();
    LOGFONTW label{};
    label.lfHeight = -::MulDiv(kLabelPoints, static_cast<int>(dpi), 72);
    label.lfWeight = FW_NORMAL;
    label.lfCharSet = DEFAULT_CHARSET;
    label.lfQuality = DEFAULT_QUALITY;
    wcscpy_s(label.lfFaceName, kLabelFace);
    m_labelFont = CachedFont(label);
    label.lfWeight = FW_BOLD;
    m_labelFontBold = CachedFont(label);
    m_boxFont = CachedFont(GetSysGuiFont(dpi));
    m_model.Scale.TwipsPerPixelY = TwipsPerPixelAt(static_cast<int>(dpi));
}

void TMainDlg::OnDpiChanged(UINT, const RECT& suggested) {
    // The ruler counts device pixels: its length stays, only where it stands
    // and what a person reads (fonts, twips) follow the new monitor.
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateFonts();
    FaceChanged();
}

void TMainDlg::FaceChanged() {
    if (!Handle()) return;
    // Size, DPI and fonts may have changed with the face.
    m_placement.reset();
    m_cursorCanvas.reset();
    // The marks' box depends on the unit, fonts and size: place it anew now,
    // so the state always says what the next paint shows.
    m_model.Cursor = PlanCursorMarks(CursorView(), m_model.Cursor, CursorCanvas()).State;
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

bool TMainDlg::FaceIsCurrent(Size client) const {
    return m_rendered && m_rendered->Dpi == Dpi() && m_rendered->Face == FaceOf(m_model, client);
}

void TMainDlg::RenderBackImgIfStale() {
    const Rect client = ClientRect();
    const Size size{client.Width(), client.Height()};
    if (FaceIsCurrent(size)) return;
    BackImg.SetSize(size.Width, size.Height);
    const RulerFace face = FaceOf(m_model, size);
    GdiCanvas canvas(BackImg.Dc(), m_labelFont, m_labelFontBold);
    RenderRulerFace(canvas, face);
    m_rendered = RenderedFace{face, Dpi()};
    ++m_backImgRenders;
}

void TMainDlg::PaintContent(HDC dc, const Rect& area) {
    // The face is a cache keyed by what it shows; the marks are drawn from
    // the cursor state on every paint, so any repaint shows them.
    ++m_paints;
    RenderBackImgIfStale();
    ::BitBlt(dc, area.Left, area.Top, area.Width(), area.Height(), BackImg.Dc(), area.Left,
             area.Top, SRCCOPY);
    GdiCanvas canvas(dc, m_boxFont, nullptr);
    DrawCursorMarks(canvas, PlanCursorMarks(CursorView(), m_model.Cursor, canvas).Plan);
}

void TMainDlg::SetColorField(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    FaceChanged();
}

void TMainDlg::SetColorBack(TColor value) {
    SetColorField(m_model.Look.FColorBack, value);
}
void TMainDlg::SetColorTicks(TColor value) {
    SetColorField(m_model.Look.FColorTicks, value);
}
void TMainDlg::SetColorMouseLine(TColor value) {
    SetColorField(m_model.MarkColors.FColorMouseLine, value);
}
void TMainDlg::SetColorMousePosBack(TColor value) {
    SetColorField(m_model.MarkColors.FColorMousePosBack, value);
}
void TMainDlg::SetColorMousePosText(TColor value) {
    SetColorField(m_model.MarkColors.FColorMousePosText, value);
}

void TMainDlg::SetTickPosition(TTickPosition value) {
    m_model.Look.fTickPosition = value;
    FaceChanged();
}

void TMainDlg::SetTickMarkerPosition(TTickPosition value) {
    m_model.Look.FTickMarkerPosition = value;
    FaceChanged();
}

// --- Mouse tracking --------------------------------------------------------

LRESULT TMainDlg::HandleHooks(UINT, WPARAM wParam, LPARAM lParam) {
    // The hook library keeps at most one notification queued and fills in the
    // newest position as it leaves the queue: there is no backlog to skip.
    ++m_hookMessages;
    DrawMousePos(static_cast<int>(static_cast<std::int32_t>(wParam)),
                 static_cast<int>(static_cast<std::int32_t>(lParam)));
    return 0;
}

CursorRuler TMainDlg::CursorView() const {
    if (!m_placement) {
        const Rect client = ClientRect();
        RECT window{};
        ::GetWindowRect(Handle(), &window);
        m_placement = RulerPlacement{{client.Width(), client.Height()},
                                     {window.left, window.top},
                                     WndBorderX,
                                     WndBorderY,
                                     m_primaryScreen};
    }
    return {m_model, *m_placement};
}

GdiCanvas& TMainDlg::CursorCanvas() {
    if (!m_cursorCanvas)
        m_cursorCanvas = std::make_unique<GdiCanvas>(::GetDC(Handle()), m_boxFont, nullptr);
    return *m_cursorCanvas;
}

void TMainDlg::ExecuteCursorPlan(GdiCanvas& canvas, const CursorMarksPlan& plan) {
    for (const Rect& r : plan.Restore) {
        canvas.CopyFrom(BackImg.Dc(), r);
        m_pixelsCopied +=
            static_cast<std::uint64_t>(r.Width()) * static_cast<std::uint64_t>(r.Height());
    }
    DrawCursorMarks(canvas, plan);
}

void TMainDlg::DrawMousePos(int x, int y, bool redraw) {
    ActX = x;
    ActY = y;
    // The magnifier follows here, also while the ruler is hidden.
    if (m_magnifier) m_magnifier->Magnify(x, y);
    if (!::IsWindowVisible(Handle())) return;
    const CursorRuler ruler = CursorView();
    // A move across the ruler keeps the position along it: the marks and the
    // length stay as they are, so there is nothing to draw.
    if (!redraw && MousePosFromScreen(ruler, {x, y}) == m_model.Cursor.MousePos) return;
    GdiCanvas& canvas = CursorCanvas();
    const CursorUpdatePlan update = PlanCursorUpdate(ruler, m_model.Cursor, {x, y}, canvas);
    // While a new face is pending (after a resize) the next paint draws the
    // marks from the state; the position and the length drag go on.
    if (FaceIsCurrent(ruler.Placement.Client)) ExecuteCursorPlan(canvas, update.Marks);
    m_model.Cursor = update.State;

    // The length drag at the far end.
    HCURSOR cursor = m_cursors[static_cast<int>(update.Drag.Cursor)];
    if (cursor != m_cursor) {
        m_cursor = cursor;
        POINT pt{x, y};
        if (::WindowFromPoint(pt) == Handle()) ::SetCursor(m_cursor);
    }
    if (update.Drag.NewLength) {
        RulerGeometry& g = m_model.Geometry;
        (g.FHorizontal ? g.HWidth : g.VHeight) = *update.Drag.NewLength;
        const Rect client = ClientRect();
        SetClientSize(g.FHorizontal ? Size{g.HWidth, client.Height()}
                                    : Size{client.Width(), g.VHeight});
    }
}

void TMainDlg::MeasureStartPoint() {
    m_model.Cursor = SetMeasureStartPoint(m_model.Cursor);
    DrawMousePos(ActX, ActY, true);
}

void TMainDlg::FormMouseDown() {
    m_model.Down = true;
    ::SetCapture(Handle());
}

void TMainDlg::FormMouseUp() {
    m_model.Down = false;
    if (::GetCapture() == Handle()) ::ReleaseCapture();
}

void TMainDlg::FormMouseMove(WPARAM keys) {
    if (!(keys & MK_LBUTTON) || !m_model.Down) return;
    // Before the far-end grip a drag moves the window; in the grip the hook
    // updates change the length instead.
    if (!InDragGrip(CursorView(), m_model.Cursor.MousePos)) {
        m_model.Down = false;
        MoveWnd(Handle());
    }
}

// --- Menu and keys ---------------------------------------------------------

bool TMainDlg::RunCommand(const std::wstring& name) {
    const auto* row = Commands().ByName(name);
    if (!row) return false;
    ::SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(row->Id, 0), 0);
    return true;
}

void TMainDlg::ShowPopMenu(POINT screen) {
    ::SetForegroundWindow(Handle());
    ::TrackPopupMenu(popMenu.Get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr);
    // Without a message after it, a menu shown from the tray would not close
    // when the user clicks elsewhere.
    ::PostMessageW(Handle(), WM_NULL, 0, 0);
}

// --- Message dispatch ------------------------------------------------------

LRESULT TMainDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_hookMsg != 0 && msg == m_hookMsg) return HandleHooks(msg, wParam, lParam);
    if (HandleMagnifierMessage(msg)) return 0;
    if (msg == WM_WINDOWPOSCHANGED) m_placement.reset(); // moved or resized
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        FormResize();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) FormShow();
        break;
    case WM_KEYDOWN:
        m_menuKeyRan = FormKeyDown(wParam);
        return 0;
    case WM_CHAR:
        // A key the menu took gives no character command as well: each
        // press steps the calibration once.
        if (!std::exchange(m_menuKeyRan, false)) FormKeyPress(static_cast<wchar_t>(wParam));
        return 0;
    case WM_HOTKEY:
        ProcessHotkeys(static_cast<int>(wParam));
        return 0;
    case WM_ACTIVATEAPP:
        if (wParam)
            ApplicationEventsActivate();
        else
            ApplicationEventsDeactivate();
        break;
    case WM_LBUTTONDOWN:
        FormMouseDown();
        return 0;
    case WM_LBUTTONUP:
        FormMouseUp();
        return 0;
    case WM_MOUSEMOVE:
        FormMouseMove(wParam);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(m_cursor);
            return TRUE;
        }
        break;
    case WM_CONTEXTMENU: {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (pt.x == -1 && pt.y == -1) {
            RECT r{};
            ::GetWindowRect(Handle(), &r);
            pt = {r.left, r.top};
        }
        ShowPopMenu(pt);
        return 0;
    }
    case WM_MENUSELECT: {
        const auto* row = Commands().ById(LOWORD(wParam));
        m_menuHint = row ? row->Hint : L"";
        break;
    }
    case WM_INITMENUPOPUP:
        Commands().UpdateStates(*this, reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU) break;
        Commands().Measure(*item, Dpi());
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU) break;
        Commands().Draw(*item, Dpi());
        return TRUE;
    }
    case WM_COMMAND:
        Commands().Execute(*this, LOWORD(wParam));
        return 0;
    case WM_DISPLAYCHANGE:
        WMDisplayChange();
        break;
    case WM_COPYDATA:
        return HandleTestControl(Handle(), reinterpret_cast<HWND>(wParam),
                                 reinterpret_cast<const COPYDATASTRUCT*>(lParam),
                                 [this](const std::wstring& cmd) { return TestQuery(cmd); });
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Windows ends the process after this message: close properly first.
        if (wParam) FormClose();
        return 0;
    case WM_CLOSE:
        FormClose();
        ::DestroyWindow(Handle());
        return 0;
    case WM_DESTROY:
        FormDestroy();
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}
