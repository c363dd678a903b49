#include "ruler/win/MainDlg.h"
#include "ruler/win/MainDlgMenu.h"

#include "util/win/TestControl.h"
#include "hook/ZephalApi.h"
#include "ruler/RulerDefaults.h"
#include "storage/win/PathListWin.h"
#include "util/UserError.h"
#include "util/win/AppError.h"
#include "util/win/Fonts.h"
#include "util/win/GdiCanvas.h"
#include "util/win/MVUtilWin.h"

TMainDlg* MainDlg = nullptr;

namespace {

constexpr wchar_t kRulerClass[] = L"TMainDlg";
// The scale labels: a clear UI face that every Windows and Wine has.
constexpr wchar_t kLabelFace[] = L"Tahoma";
constexpr int kLabelPoints = 8;

} // namespace

TMainDlg::TMainDlg()
    : FColorTicks(RulerDefaults::ColorTicks), FColorMouseLine(RulerDefaults::ColorMouseLine),
      FColorMousePosText(RulerDefaults::ColorMousePosText), FColorBack(RulerDefaults::ColorBack),
      FColorMousePosBack(RulerDefaults::ColorMousePosBack), FRefCmSize(RulerDefaults::RefCmSize),
      FRefCmSizeChangeBy(RulerDefaults::RefCmSizeChangeBy),
      HotKeyMeasureStart(RulerDefaults::HotKeyMeasureStart),
      MoveHotKeyMoveBy(RulerDefaults::MoveHotKeyMoveBy) {
    MainDlg = this;
}

TMainDlg::~TMainDlg() {
    if (MainDlg == this) MainDlg = nullptr;
}

void TMainDlg::Create(HWND owner) {
    RegisterClassOnce(kRulerClass, ::LoadCursorW(nullptr, IDC_ARROW),
                      ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"));
    // Borderless, top-most ("stay on top" is the window's designed style);
    // the size is replaced at once by the orientation.
    if (!CreateWnd(kRulerClass, L"Dravik", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST, 0, 0, 663, 90,
                   owner))
        throw EUserError(L"Das Linealfenster konnte nicht erzeugt werden.");
    GuardedCall([this] { FormCreate(); });
}

void TMainDlg::FormCreate() {
    // 1. The system's message font.
    FixSysGuiFont(Handle());
    // 2. Where the settings file lives: the user's application data below
    //    Morvane\Dravik, unless the registry or a marker file says otherwise.
    m_Paths = std::make_unique<TPBPathList>(CreateWin32PathListPlatform(), L"Paths");
    m_Paths->UseAppDataDir = true;
    m_Paths->DirTypeLocal = sdSettingsCurrentUser;
    m_Paths->DirTypeGlobal = sdSettingsAllUser;
    m_Paths->SettingsPerInstance = false;
    m_Paths->FSubDirDocSettings = m_ProgramInfo.SubDirDocSettings();
    m_Paths->LoadFromReg(m_ProgramInfo.RegistryKey(), false);
    // 3. The colour dialog's settings file joins here with the colour dialog.
    // 4. The scale bitmap (24 bits per pixel), empty until the first resize.
    BackImg.SetSize(0, 0);
    // 5. Fields and the converter.
    Down = false;
    FHorizontal = true;
    m_PixelMMConverter.AutoPixelsPerMM(ScreenMetrics());
    fRulerUnit = ruPixel32;
    fTransparency = 0;
    FCenterMarker = true;
    Cursor.MousePos = 0;
    Cursor.OldStartPos = 0;
    Cursor.HasStartPos = false;
    m_cursor = ::LoadCursorW(nullptr, IDC_ARROW);
    UpdateLabelFonts();
    CreatePopMenu();
    // 6. No caption bits (WS_BORDER and WS_DLGFRAME).
    const LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
    ::SetWindowLongPtrW(Handle(), GWL_STYLE, style & static_cast<LONG_PTR>(0xFF3FFFFF));
    // 7.-9. Client equals window; remember the border halves.
    RECT window{}, client{};
    ::GetWindowRect(Handle(), &window);
    ::GetClientRect(Handle(), &client);
    WndBorderX = ((window.right - window.left) - (client.right - client.left)) / 2;
    WndBorderY = ((window.bottom - window.top) - (client.bottom - client.top)) / 2;
    // 10. The ruler's settings. Until they are stored, the defaults apply:
    //     horizontal, 600 long, centred as a 600 x 400 window would be.
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
    HWidth = RulerDefaults::HWidth;
    VHeight = RulerDefaults::VHeight;
    ::SetWindowPos(Handle(), nullptr, RulerDefaults::Left(screenW), RulerDefaults::Top(screenH), 0,
                   0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetRulerUnit(fRulerUnit);
    OrientationChanged();
    UpdatePixelMMConverter();
    // 11. The help system joins here.
    // 12. Top-most state and the global mouse hook.
    InstallHookMouse();
    // 13. System-wide hotkeys join here.
    // 14. HandleHooks sees every message first (HandleMessage below).
}

void TMainDlg::InstallHookMouse() {
    m_hookMsg = ::GetMonitorMouseMoveMsg();
    while (::IsHookSetMouse())
        ::RemoveHookMouse();
    if (!::InstallHookMouse(0, Handle()))
        throw EUserError(L"Could not install mouse hook. InstallHookMouse failed.");
}

void TMainDlg::FormShow() {
    WndToTaskIco();
    // The automatic update check joins here.
}

void TMainDlg::FormClose() {
    // Saving the settings and closing the help windows join here.
}

void TMainDlg::FormDestroy() {
    // Hotkeys are unregistered here once they exist.
    while (::IsHookSetMouse())
        ::RemoveHookMouse();
    BackImg.SetSize(0, 0);
}

void TMainDlg::SetTitle(const std::wstring& title) {
    ::SetWindowTextW(Handle(), title.c_str());
}

void TMainDlg::menExitClick() {
    ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

// --- Units and calibration -------------------------------------------------

void TMainDlg::SetRulerUnit(TRulerUnit value) {
    fRulerUnit = value;
    UpdateUnitChecks();
    InvalidateBackImg = true;
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TMainDlg::UpdateUnitChecks() {
    if (!menUnit) return;
    auto check = [this](UINT id, bool on) {
        ::CheckMenuItem(menUnit, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    };
    check(idPixel20, fRulerUnit == ruPixel20);
    check(idPixel32, fRulerUnit == ruPixel32);
    check(idPixel50, fRulerUnit == ruPixel50);
    check(idMilimeter, fRulerUnit == ruMillimeter);
}

void TMainDlg::UpdatePixelMMConverter() {
    m_PixelMMConverter.SetAutoCalc(FCmAuto);
    if (FCmAuto) {
        m_PixelMMConverter.AutoPixelsPerMM(ScreenMetrics());
    } else {
        const double perMM = GetUserPixelPerMM(FRefCmSize);
        m_PixelMMConverter.SetPixelsPerMMX(perMM);
        m_PixelMMConverter.SetPixelsPerMMY(perMM);
    }
    InvalidateBackImg = true;
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

bool TMainDlg::BeforeCmSizeChangeBy(double delta) {
    if (fRulerUnit != ruMillimeter) menMilimeterClick();
    m_PixelMMConverter.SetAutoCalc(false);
    if (FCmAuto) {
        // A calibration step is a wish to calibrate by hand: leave automatic
        // mode, starting from the spacing the screen shows now.
        FCmAuto = false;
        FRefCmSize = RefCmSizeFromPixelsPerMM(m_PixelMMConverter.PixelsPerMMX());
    }
    const CalibrationStep step = StepRefCmSize(FRefCmSize, delta, FRefCmSizeChangeBy);
    if (step.Beep) ::MessageBeep(0);
    FRefCmSize = step.RefCmSize;
    UpdatePixelMMConverter();
    return true;
}

void TMainDlg::Plus1Click() {
    BeforeCmSizeChangeBy(-FRefCmSizeChangeBy);
}
void TMainDlg::Minus1Click() {
    BeforeCmSizeChangeBy(FRefCmSizeChangeBy);
}

void TMainDlg::WMDisplayChange() {
    UpdatePixelMMConverter();
}

DeviceMetrics TMainDlg::ScreenMetrics() const {
    WindowDC dc(Handle());
    return {::GetDeviceCaps(dc.Get(), HORZRES), ::GetDeviceCaps(dc.Get(), VERTRES),
            ::GetDeviceCaps(dc.Get(), HORZSIZE), ::GetDeviceCaps(dc.Get(), VERTSIZE)};
}

// --- Orientation and size --------------------------------------------------

void TMainDlg::OrientationChanged() {
    if (FHorizontal) {
        SetTickPosition(HorizontalTickPosition);
        SetTickMarkerPosition(HorizontalTickMarkerPosition);
        SetClientSize(HWidth, RulerDefaults::HorizontalClientHeight);
    } else {
        SetTickPosition(VerticalTickPosition);
        SetTickMarkerPosition(VerticalTickMarkerPosition);
        SetClientSize(RulerDefaults::VerticalClientWidth, VHeight);
    }
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TMainDlg::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    ::SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect TMainDlg::ClientRect() const {
    RECT r{};
    ::GetClientRect(Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void TMainDlg::FormResize() {
    const Rect client = ClientRect();
    BackImg.SetSize(client.Width(), client.Height());
    InvalidateBackImg = true;
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

// --- Painting --------------------------------------------------------------

void TMainDlg::UpdateLabelFonts() {
    const UINT dpi = WindowDpi(Handle());
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
}

RulerFace TMainDlg::FaceNow() const {
    RulerFace face;
    face.Width = BackImg.Width();
    face.Height = BackImg.Height();
    face.TickPosition = fTickPosition;
    face.TickMarkerPosition = FTickMarkerPosition;
    face.CenterMarker = FCenterMarker;
    face.Unit = fRulerUnit;
    face.ColorBack = FColorBack;
    face.ColorTicks = FColorTicks;
    face.Converter = m_PixelMMConverter;
    face.TwipsPerPixelY = TwipsPerPixelY(BackImg.Dc());
    return face;
}

void TMainDlg::RenderBackImg() {
    ++m_backImgRenders;
    GdiCanvas canvas(BackImg.Dc(), m_labelFont, m_labelFontBold);
    RenderRulerFace(canvas, FaceNow());
}

void TMainDlg::FormPaint(HDC dc) {
    const bool render = InvalidateBackImg;
    if (render) RenderBackImg();
    ::BitBlt(dc, 0, 0, BackImg.Width(), BackImg.Height(), BackImg.Dc(), 0, 0, SRCCOPY);
    if (render) {
        // The fresh face has no marks: draw them for the current position.
        InvalidateBackImg = false;
        GdiCanvas canvas(dc, m_boxFont, nullptr);
        CursorMarksResult marks = PlanCursorMarks(CursorRulerNow(), Cursor, canvas);
        Cursor = marks.State;
        ExecuteCursorPlan(canvas, marks.Plan);
    }
}

void TMainDlg::SetColorField(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    InvalidateBackImg = true;
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TMainDlg::SetColorBack(TColor value) {
    SetColorField(FColorBack, value);
}
void TMainDlg::SetColorTicks(TColor value) {
    SetColorField(FColorTicks, value);
}
void TMainDlg::SetColorMouseLine(TColor value) {
    SetColorField(FColorMouseLine, value);
}
void TMainDlg::SetColorMousePosBack(TColor value) {
    SetColorField(FColorMousePosBack, value);
}
void TMainDlg::SetColorMousePosText(TColor value) {
    SetColorField(FColorMousePosText, value);
}

void TMainDlg::SetTickPosition(TTickPosition value) {
    fTickPosition = value;
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

// --- Mouse tracking --------------------------------------------------------

LRESULT TMainDlg::HandleHooks(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Take only the newest of the positions already queued: a busy moment
    // must not leave a backlog of stale cursor updates.
    MSG next;
    while (::PeekMessageW(&next, Handle(), msg, msg, PM_REMOVE)) {
        ++m_hookMessages;
        wParam = next.wParam;
        lParam = next.lParam;
    }
    ++m_hookMessages;
    DrawMousePos(static_cast<int>(static_cast<std::int32_t>(wParam)),
                 static_cast<int>(static_cast<std::int32_t>(lParam)));
    return 0;
}

CursorRuler TMainDlg::CursorRulerNow() const {
    CursorRuler r;
    r.Horizontal = FHorizontal;
    const Rect client = ClientRect();
    r.Client = {client.Width(), client.Height()};
    RECT window{};
    ::GetWindowRect(Handle(), &window);
    r.WindowOrigin = {window.left, window.top};
    r.WndBorderX = WndBorderX;
    r.WndBorderY = WndBorderY;
    r.PrimaryScreen = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    r.Unit = fRulerUnit;
    r.Converter = m_PixelMMConverter;
    r.ColorMouseLine = FColorMouseLine;
    r.ColorMousePosBack = FColorMousePosBack;
    r.ColorMousePosText = FColorMousePosText;
    r.Down = Down;
    r.Length = FHorizontal ? HWidth : VHeight;
    return r;
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
    ActX_ = x;
    ActY_ = y;
    // The magnifier follows here, also while the ruler is hidden.
    if (!::IsWindowVisible(Handle())) return;
    const CursorRuler ruler = CursorRulerNow();
    // A move across the ruler keeps the position along it: the marks and the
    // length stay as they are, so there is nothing to draw.
    if (!redraw && MousePosFromScreen(ruler, {x, y}) == Cursor.MousePos) return;
    WindowDC dc(Handle());
    GdiCanvas canvas(dc.Get(), m_boxFont, nullptr);
    const CursorUpdatePlan update = PlanCursorUpdate(ruler, Cursor, {x, y}, canvas);
    // While a new face is pending (after a resize) the next paint draws the
    // marks; the position and the length drag go on regardless.
    if (!InvalidateBackImg) ExecuteCursorPlan(canvas, update.Marks);
    Cursor = update.State;

    // The length drag at the far end.
    const LPCWSTR shape = update.Drag.Cursor == RulerCursor::SizeWE   ? IDC_SIZEWE
                          : update.Drag.Cursor == RulerCursor::SizeNS ? IDC_SIZENS
                                                                      : IDC_ARROW;
    HCURSOR cursor = ::LoadCursorW(nullptr, shape);
    if (cursor != m_cursor) {
        m_cursor = cursor;
        POINT pt{x, y};
        if (::WindowFromPoint(pt) == Handle()) ::SetCursor(m_cursor);
    }
    if (update.Drag.NewLength) {
        if (FHorizontal) {
            HWidth = *update.Drag.NewLength;
            SetClientSize(HWidth, ClientRect().Height());
        } else {
            VHeight = *update.Drag.NewLength;
            SetClientSize(ClientRect().Width(), VHeight);
        }
    }
}

void TMainDlg::MeasureStartPoint() {
    Cursor = SetMeasureStartPoint(Cursor);
    DrawMousePos(ActX_, ActY_, true);
}

void TMainDlg::FormMouseDown() {
    Down = true;
    ::SetCapture(Handle());
}

void TMainDlg::FormMouseUp() {
    Down = false;
    if (::GetCapture() == Handle()) ::ReleaseCapture();
}

void TMainDlg::FormMouseMove(WPARAM keys) {
    if (!(keys & MK_LBUTTON) || !Down) return;
    // Before the far-end zone a drag moves the window; in the zone the hook
    // updates change the length instead.
    const Rect client = ClientRect();
    const int length = FHorizontal ? client.Width() : client.Height();
    if (Cursor.MousePos < length - 50) {
        Down = false;
        MoveWnd(Handle());
    }
}

// --- Menu and keys ---------------------------------------------------------

void TMainDlg::CreatePopMenu() {
    popMenu.Reset(::CreatePopupMenu());
    menUnit = ::CreatePopupMenu();
    ::AppendMenuW(menUnit, MF_STRING, idPixel20, L"Pixel 20");
    ::AppendMenuW(menUnit, MF_STRING, idPixel32, L"Pixel 32\tP");
    ::AppendMenuW(menUnit, MF_STRING, idPixel50, L"Pixel 50");
    ::AppendMenuW(menUnit, MF_STRING, idMilimeter, L"Milimeter\tM");
    ::AppendMenuW(menUnit, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menUnit, MF_STRING, idPlus1, L"MM-Abstand vergrößern\t+");
    ::AppendMenuW(menUnit, MF_STRING, idMinus1, L"MM-Abstand verkleinern\t-");
    for (UINT id : {idPixel20, idPixel32, idPixel50, idMilimeter}) {
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_STRING | MFT_RADIOCHECK;
        ::SetMenuItemInfoW(menUnit, id, FALSE, &info);
    }
    ::AppendMenuW(popMenu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(menUnit), L"Einheit");
    ::AppendMenuW(popMenu.Get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(popMenu.Get(), MF_STRING, idExit, L"Beenden\tEsc");
    UpdateUnitChecks();
}

void TMainDlg::ShowPopMenu(POINT screen) {
    ::SetForegroundWindow(Handle());
    const UINT id = static_cast<UINT>(::TrackPopupMenu(
        popMenu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr));
    if (id) OnCommand(id);
}

void TMainDlg::OnCommand(UINT id) {
    switch (id) {
    case idPixel20:
        menPixel20Click();
        break;
    case idPixel32:
        menPixel32Click();
        break;
    case idPixel50:
        menPixel50Click();
        break;
    case idMilimeter:
        menMilimeterClick();
        break;
    case idPlus1:
        Plus1Click();
        break;
    case idMinus1:
        Minus1Click();
        break;
    case idExit:
        menExitClick();
        break;
    default:
        break;
    }
}

void TMainDlg::FormKeyDown(WPARAM key) {
    if (key == VK_ESCAPE) menExitClick();
}

// --- Message dispatch ------------------------------------------------------

LRESULT TMainDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_hookMsg != 0 && msg == m_hookMsg) return HandleHooks(msg, wParam, lParam);
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paint(Handle());
        FormPaint(paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        FormPaint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
        FormResize();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) FormShow();
        break;
    case WM_KEYDOWN:
        FormKeyDown(wParam);
        return 0;
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
    case WM_DPICHANGED:
        UpdateLabelFonts();
        InvalidateBackImg = true;
        ::InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
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
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_DISPLAYCHANGE:
        WMDisplayChange();
        break;
    case WM_COPYDATA:
        return HandleTestControl(Handle(), reinterpret_cast<HWND>(wParam),
                                 reinterpret_cast<const COPYDATASTRUCT*>(lParam),
                                 [this](const std::wstring& cmd) { return TestQuery(cmd); });
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
