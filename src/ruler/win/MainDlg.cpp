#include "ruler/win/MainDlg.h"

#include "ruler/RulerDefaults.h"
#include "ruler/RulerTexts.h"
#include "ruler/win/HookLibrary.h"
#include "ruler/win/RulerCompanions.h"
#include "ruler/win/RulerHotkeys.h"
#include "ruler/win/RulerTestChannel.h"
#include "ruler/win/RulerTray.h"
#include "screens/win/Monitors.h"
#include "storage/PBPathList.h"
#include "storage/SaveFiles.h"
#include "storage/win/PathListWin.h"
#include "util/UserError.h"
#include "util/win/AppError.h"
#include "util/win/Fonts.h"
#include "util/win/GdiCanvas.h"
#include "util/win/HtmlHelp.h"
#include "util/win/MVUtilWin.h"
#include "util/win/PopupMenu.h"
#include "util/win/TestControl.h"
#include "util/win/WindowRects.h"

#include <windowsx.h>

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

void TMainDlg::Create(HWND owner, const std::wstring& title) {
    RegisterClassOnce(kRulerClass, ::LoadCursorW(nullptr, IDC_ARROW),
                      ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"), CS_DBLCLKS | CS_OWNDC);
    // Borderless and top-most ("stay on top" is the window's designed
    // style); the size is replaced at once by the orientation.
    if (!CreateWnd(kRulerClass, title.c_str(), WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST, 0, 0,
                   RulerDefaults::HWidth, RulerDefaults::HorizontalClientHeight, owner))
        throw EUserError(RulerText::WindowNotCreated());
    GuardedCall([&] { FormCreate(title); });
    if (!m_companions) return; // the start failed before the parts existed; it was said why
    // The magnifier opens as the settings say, shown ruler or not; a ruler
    // hidden in the settings starts in the tray.
    m_companions->ShowMagnifier(m_model.Options.Magnifier, m_pointer);
    if (m_model.Options.Visible) ShowRuler();
}

void TMainDlg::FormCreate(const std::wstring& title) {
    FixSysGuiFont(Handle());
    // The settings file lives in the user's application data below
    // Morvane\Dravik, unless the registry or a marker file says otherwise.
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

    m_model = RulerModel{};
    m_monitors = ReadMonitorLayout();
    m_cursor = ::LoadCursorW(nullptr, IDC_ARROW);
    UpdateFonts();
    m_popupMenu = Commands().BuildMenu();
    m_companions = std::make_unique<RulerCompanions>(Handle(), m_model, *m_paths, m_programInfo);
    m_hotkeys = std::make_unique<RulerHotkeys>(Handle());
    m_tray = std::make_unique<RulerTray>(
        m_popupMenu.Get(), Handle(), title, [this] { ChangeVisible(true); },
        [this] { PickColor(); });

    const Rect window = WindowRectOf(Handle());
    const Rect client = ClientRect();
    m_border = {(window.Width() - client.Width()) / 2, (window.Height() - client.Height()) / 2};

    LoadSettings();
    m_companions->SetColorDlgColor(m_model.Options.ColorDlgColor);
    m_help = std::make_unique<THookHelpSystem>(m_helpFile, 0, L"");
    // Without the hook the ruler cannot follow the mouse, but its hotkeys
    // still work: they are registered before the error is shown.
    try {
        InstallHookMouse();
    } catch (...) {
        m_hotkeys->Register(m_model.Options);
        throw;
    }
    m_hotkeys->Register(m_model.Options);
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
    m_companions->CheckForUpdates(false);
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
    m_companions.reset();
    m_hotkeys.reset();
    RemoveHookMouse();
    m_tray.reset();
    m_cursorCanvas.reset();
    m_face.SetSize(0, 0);
    m_rendered.reset();
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
    m_cursorCanvas.reset(); // it holds the old box font
    m_model.Scale.TwipsPerPixelY = TwipsPerPixelAt(static_cast<int>(dpi));
    m_model.Scale.Dpi = static_cast<int>(dpi);
}

void TMainDlg::OnDpiChanged(UINT, const RECT& suggested) {
    // The ruler counts device pixels: its length stays, only where it stands
    // and what a person reads (fonts, twips) follow the new monitor.
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_monitors = ReadMonitorLayout();
    UpdateFonts();
    ApplyScale();
}

void TMainDlg::FaceChanged() {
    if (!Handle()) return;
    // The marks' box depends on the unit, fonts and size: place it anew now,
    // so the state always says what the next paint shows.
    m_model.Cursor = PlanCursorMarks(CursorView(), m_model.Cursor, CursorCanvas()).State;
    PlaceMarks();
    ::InvalidateRect(Handle(), nullptr, FALSE);
    if (m_model.Cursor.HasStartPos) FiguresFromStartChanged();
}

bool TMainDlg::FaceIsCurrent(Size client) const {
    return m_rendered && m_rendered->Dpi == Dpi() &&
           m_rendered->Face == FaceOf(m_model, client, m_marksShown);
}

void TMainDlg::RenderFaceIfStale() {
    const Rect client = ClientRect();
    const Size size{client.Width(), client.Height()};
    if (FaceIsCurrent(size)) return;
    m_face.SetSize(size.Width, size.Height);
    const RulerFace face = FaceOf(m_model, size, m_marksShown);
    GdiCanvas canvas(m_face.Dc(), m_labelFont, m_labelFontBold);
    RenderRulerFace(canvas, face);
    m_rendered = RenderedFace{face, Dpi()};
    ++m_counters.FaceRenders;
}

void TMainDlg::PaintContent(HDC dc, const Rect& area) {
    // The face is a cache keyed by what it shows; the marks are drawn from
    // the cursor state on every paint, so any repaint shows them.
    ++m_counters.Paints;
    RenderFaceIfStale();
    ::BitBlt(dc, area.Left, area.Top, area.Width(), area.Height(), m_face.Dc(), area.Left, area.Top,
             SRCCOPY);
    GdiCanvas canvas(dc, m_boxFont, nullptr);
    DrawCursorMarks(canvas, PlanCursorMarks(CursorView(), m_model.Cursor, canvas).Plan);
}

// --- Menu and keys ---------------------------------------------------------

bool TMainDlg::RunCommand(const std::wstring& name) {
    const auto* row = Commands().ByName(name);
    if (!row) return false;
    ::SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(row->Id, 0), 0);
    return true;
}

void TMainDlg::OnMenuHint(const wchar_t* hint, const RECT* item) {
    m_menuHint = hint;
    if (*hint && item) {
        const POINT beside{item->right + Scale(4), item->top};
        m_hintTip.Show(Handle(), hint, beside);
        m_hintTip.MoveTo(beside); // the next item's hint beside that item
    } else {
        m_hintTip.Hide();
    }
}

void TMainDlg::ShowPopupMenu(POINT screen, bool fromKeyboard) {
    // From the keyboard (Shift+F10, the menu key) it opens at the ruler's
    // corner, beside the ruler rather than over its scale.
    const RECT ruler = ToRECT(WindowRectOf(Handle()));
    if (fromKeyboard) screen = {ruler.left, ruler.bottom};
    const UINT command =
        TrackPopupMenuFor(Handle(), m_popupMenu.Get(), screen, fromKeyboard ? &ruler : nullptr);
    if (command != 0) ::PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

namespace {

KeyMods HeldModifiers() {
    auto held = [](int key) { return ::GetKeyState(key) < 0; };
    KeyMods mods = KeyMods::None;
    if (held(VK_SHIFT)) mods = mods | KeyMods::Shift;
    if (held(VK_CONTROL)) mods = mods | KeyMods::Ctrl;
    if (held(VK_MENU)) mods = mods | KeyMods::Alt;
    return mods;
}

} // namespace

void TMainDlg::OnKeyDown(WPARAM key) {
    const auto* row = Commands().ByKey(static_cast<std::uint8_t>(key), HeldModifiers());
    if (!row) return;
    // The character the key typed is part of this press: it leaves the queue
    // now, so it cannot run a command of its own ("+" is a key and a character).
    MSG typed;
    ::PeekMessageW(&typed, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
    Commands().Run(*this, *row);
}

void TMainDlg::OnChar(wchar_t character) {
    if (const auto* row = Commands().ByChar(character)) Commands().Run(*this, *row);
}

// --- Message dispatch ------------------------------------------------------

LRESULT TMainDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_hookMsg != 0 && msg == m_hookMsg) {
        // The hook library keeps at most one notification queued and fills in
        // the newest position as it leaves the queue: there is no backlog.
        ++m_counters.HookMessages;
        OnPointerMoved({static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam)});
        return 0;
    }
    if (m_companions && m_companions->HandleMessage(msg)) return 0;
    if (HandleTestSync(msg, wParam, lParam)) return 0;
    if (const auto handled = Commands().HandleMenuMessage(*this, msg, wParam, lParam, Dpi()))
        return *handled;
    switch (msg) {
    case WM_WINDOWPOSCHANGED:
        ForgetPlacement(); // moved or sized
        FollowMonitor();
        // Marks keep their screen points: the face shows them where they are now.
        if (!m_model.Marks.Points.empty()) FaceChanged();
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        FaceChanged();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) FormShow();
        break;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_CHAR:
        OnChar(static_cast<wchar_t>(wParam));
        return 0;
    case WM_HOTKEY:
        OnHotkey(static_cast<int>(wParam));
        return 0;
    case WM_ACTIVATEAPP:
        OnAppActivated(wParam != 0);
        break;
    case WM_LBUTTONDOWN:
        OnMouseDown();
        return 0;
    case WM_LBUTTONUP:
        OnMouseUp();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(m_cursor);
            return TRUE;
        }
        break;
    case WM_CONTEXTMENU: {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ShowPopupMenu(at, at.x == -1 && at.y == -1);
        return 0;
    }
    case WM_COMMAND:
        Commands().Execute(*this, LOWORD(wParam));
        return 0;
    case WM_DISPLAYCHANGE:
        OnDisplayChanged();
        break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA) OnDisplayChanged();
        break;
    case WM_COPYDATA:
        return HandleTestControl(
            Handle(), reinterpret_cast<HWND>(wParam),
            reinterpret_cast<const COPYDATASTRUCT*>(lParam),
            [this](const std::wstring& cmd) { return AnswerTest(*this, cmd); });
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

void TMainDlg::OnAppActivated(bool active) {
    if (!m_tray) return; // during the window's creation
    m_tray->SetActive(active);
    if (!active) m_companions->BringAboveOthers();
}

void TMainDlg::OnDisplayChanged() {
    m_monitors = ReadMonitorLayout();
    ForgetPlacement();
    // A monitor that is gone must not keep the ruler where no one sees it.
    const Rect w = WindowRectOf(Handle());
    m_model.Geometry.Position = {w.Left, w.Top};
    ApplyPlace();
    ApplyScale();
}
