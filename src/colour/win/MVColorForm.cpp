#include "colour/win/MVColorForm.h"

#include "colour/ColorTexts.h"
#include "help/HelpIds.h"
#include "util/win/HtmlHelp.h"

#include "app/win/Application.h"
#include "colour/win/MVColorShot.h"
#include "util/win/Bitmaps.h"
#include "util/win/Controls.h"
#include "util/win/Deferred.h"
#include "util/win/Fonts.h"
#include "util/win/MVUtilWin.h"
#include "util/win/ModalLoop.h"
#include "util/win/SystemLibraries.h"

#include <commctrl.h>
#include <commdlg.h>

#include <system_error>

namespace {

// The design's client size: the classic window with the groups "CSS" below
// and "Kontrast" and "Verlauf" to the right.
constexpr int ClientWidth = 845;
constexpr int ClientHeight = 506;
constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
constexpr DWORD FormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

constexpr int PageIndex(TColorPage page) {
    return static_cast<int>(page);
}

} // namespace

TMVColorForm::TMVColorForm() : DialogWindow(IDH_COLOR_WINDOW) {
    PaintsWholeClient = true;
}

TMVColorForm::~TMVColorForm() {
    if (Handle()) {
        Application::RemoveModeless(Handle());
        ::DestroyWindow(Handle());
    }
}

void TMVColorForm::Create(HWND owner) {
    RegisterClassOnce(ColorFormClass, nullptr,
                      ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"));
    CreateWnd(ColorFormClass, ColorText::WindowCaption(), FormStyle, FormExStyle, 0, 0, ClientWidth,
              ClientHeight, owner);
    m_eyedrop = ::LoadCursorW(::GetModuleHandleW(nullptr), L"EYEDROP");
    m_hints.Create(Handle());
    CreateControls();

    // The user palette: 256 cells, white where the list has none, and a cell
    // stays selected when the colour is not in it.
    for (const auto& [id, palette] : m_palettes) {
        TColorPal& pal = palette->Pal();
        static const std::map<int, TMVPalette> kinds{
            {idColorPal256, TMVPalette::mvPal256},
            {idColorPal16, TMVPalette::mvPal16},
            {idColorPal8, TMVPalette::mvPal8},
            {idColorPalWin, TMVPalette::mvPalWin},
            {idColorPalWeb120, TMVPalette::mvPalWeb120},
            {idColorPalCreme, TMVPalette::mvPalCreme},
            {idColorPalWordVista, TMVPalette::mvPalWordVista},
            {idColorPalWeb216, TMVPalette::mvPalWeb216},
            {idColorPalUser, TMVPalette::mvPalList},
        };
        pal.SetPalette(kinds.at(id));
        if (id == idColorPalUser) {
            pal.SetSelNoneIfNotFound(false);
            pal.SetPalListFillAll(true);
            // A click on the selected cell re-applies it when the colour has moved on.
            pal.OnAllowColorChanged = [this](TColorPal& sender, bool& doIt) {
                doIt = sender.ActiveColor() != FUserColor;
            };
        }
        pal.OnColorChanged = [this, id = id](TColorPal& sender) {
            // Loading the user palette selects a cell: that is no choice of the user's.
            if (ChangeAllow) OnPaletteClick(sender, id);
        };
        palette->OnMouseUp = [this](TColorPalControl&) {
            if (m_paletteTook) AddToHistory(FUserColor);
            m_paletteTook = false;
        };
    }
    for (TImagePanel* picture : {&ImgColorPalette, &ImgCustomPalette}) {
        picture->SetCursor(m_eyedrop);
        picture->OnMouse = [this](TImagePanel& sender, TImagePanel::TMouse what, Point point) {
            PickFromImage(sender, what, point);
        };
    }
    for (TImagePanel* bar : {&ImgBrightPalette, &ImgSatPalette}) {
        bar->SetCursor(m_eyedrop);
        bar->OnMouse = [this](TImagePanel& sender, TImagePanel::TMouse what, Point point) {
            PickFromBar(sender, what, point);
        };
    }
    pColorOld.OnClick = [this](TColorSwatch& sender) { SetNewColor(sender.Color()); };
    pDefColor.OnClick = [this](TColorSwatch& sender) { SetNewColor(sender.Color()); };
    PickerHarmonic.SetBackground(clBlack);
    PickerHarmonic.SetEditVisible(false);
    PickerHarmonic.SetPickColor(clLime);
    PickerHarmonic.OnColorChange = [this](TajColorPicker&, TColor color) {
        SetNewColor(idPickerHarmonic, color, true);
    };

    SetDesignClientSize(Handle(), {ClientWidth, ClientHeight}, Dpi());
    ShowPage(m_page);
}

void TMVColorForm::SetUserColor(TColor value) {
    FUserColor = EditableColor(value);
    m_oldColor = FUserColor;
    pColorOld.SetColor(FUserColor);
}

void TMVColorForm::SetOnlyCloseBtn(bool value) {
    m_onlyCloseBtn = value;
    ::ShowWindow(Item(idCancel), value ? SW_HIDE : SW_SHOW);
    ::SetWindowTextW(Item(idOK), value ? ColorText::Close() : L"OK");
    LayoutControls();
}

void TMVColorForm::SetRGBText(const std::wstring& text) {
    ::SetWindowTextW(Item(idRGBText), (text + L" (RGB)").c_str());
}

void TMVColorForm::ShowNonModal() {
    m_modal = false;
    FormShow();
    Application::AddModeless(Handle());
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
}

int TMVColorForm::ShowModal() {
    m_modal = true;
    FormShow();
    return RunModalLoop();
}

void TMVColorForm::BringToFront() {
    if (::IsIconic(Handle())) ::ShowWindow(Handle(), SW_RESTORE);
    ::SetForegroundWindow(Handle());
}

void TMVColorForm::FormShow() {
    {
        TMvIni ini(FIniName, FIniFormat);
        const TColorFormSettings settings = LoadColorFormSettings(ini);
        ::SendMessageW(Item(idPalName), CB_SETCURSEL, static_cast<WPARAM>(settings.ActivePal), 0);
        m_withNumSign = settings.RGBwithNumSign;
        ::SendMessageW(Item(idRGBwithNumSign), BM_SETCHECK,
                       m_withNumSign ? BST_CHECKED : BST_UNCHECKED, 0);
        m_palettes.at(idColorPalUser)->Pal().LoadFormIni(ini, UserPaletteSection);
        m_cssUpper = settings.CssHexUpper;
        ::SendMessageW(Item(idCssHexUpper), BM_SETCHECK, m_cssUpper ? BST_CHECKED : BST_UNCHECKED,
                       0);
        m_background = EditableColor(settings.ContrastBack);
        m_backgroundSwatch.SetColor(m_background);
        m_history.Load(ini);
    }
    ShowHistory();
    cbPalNameChange();
    SetNewColor(0, FUserColor, true);
    if (FPickerIcon) {
        TrayIcon = std::make_unique<TCoolTrayIcon>();
        TrayIcon->SetIcon(::LoadIconW(::GetModuleHandleW(nullptr), L"COLORPICKER"));
        TrayIcon->SetHint(ColorText::CaptureTip());
        TrayIcon->OnClick = [this](TCoolTrayIcon&) { btnColCaptureClick(); };
        TrayIcon->ShowIcon();
    }
    pDefColor.SetColor(FDefaultColor);
    const int show = FDefaultColor == clNone ? SW_HIDE : SW_SHOW;
    ::ShowWindow(pDefColor.Handle(), show);
    ::ShowWindow(Item(idDefColorLabel), show);
    if (!FUserImage.empty() && ::GetFileAttributesW(FUserImage.c_str()) != INVALID_FILE_ATTRIBUTES)
        LoadUserImage(FUserImage);
}

void TMVColorForm::cbPalNameChange() {
    const auto selected = static_cast<int>(::SendMessageW(Item(idPalName), CB_GETCURSEL, 0, 0));
    if (selected >= 0 && selected < ColorPageCount) ShowPage(selected);
}

void TMVColorForm::ShowPage(int page) {
    m_page = page;
    for (int i = 0; i < ColorPageCount; ++i)
        ::ShowWindow(m_pages[static_cast<std::size_t>(i)].Handle(), i == page ? SW_SHOW : SW_HIDE);
    ::EnableWindow(Item(idSetUserColor), page == PageIndex(TColorPage::UserPal));
}

void TMVColorForm::StoreSettings() {
    TMvIni ini(FIniName, FIniFormat);
    SaveColorFormSettings(ini, {m_page, m_withNumSign, m_background, m_cssUpper});
    m_palettes.at(idColorPalUser)->Pal().SaveToIni(ini, UserPaletteSection);
    m_history.Save(ini);
}

void TMVColorForm::btnOKClick() {
    ConfirmTyping(); // Enter in a field ends here without leaving it
    StoreSettings();
    Dismiss(IDOK);
}

void TMVColorForm::Dismiss(int result) {
    if (m_modal)
        EndModal(result);
    else
        CloseWindow();
}

void TMVColorForm::CloseWindow() {
    if (m_closing) return;
    m_closing = true;
    Application::RemoveModeless(Handle());
    ::ShowWindow(Handle(), SW_HIDE);
    if (TrayIcon) TrayIcon->HideIcon();
    // The handler releases this window: not from inside its own messages.
    if (FOnCloseHandler) RunDeferred([handler = FOnCloseHandler] { handler(); });
}

void TMVColorForm::btnColCaptureClick() {
    if (const auto picked = RunShot()) {
        SetNewColor(0, *picked, true);
        AddToHistory(*picked);
    }
}

std::optional<TColor> TMVColorForm::RunShot() {
    // A click on the tray icon while a shot runs starts none.
    if (m_shotRunning || TMVColorShotDlg::Running()) return std::nullopt;
    m_shotRunning = true;
    TMVColorShotDlg shot;
    ::ShowWindow(Handle(), SW_HIDE);
    const auto after = [this] {
        m_shotRunning = false;
        if (FOnAfterPickColor) FOnAfterPickColor();
        ::ShowWindow(Handle(), SW_SHOWNORMAL);
        ::SetForegroundWindow(Handle());
    };
    std::optional<TColor> picked;
    try {
        if (FOnBeforePickColor) FOnBeforePickColor();
        if (shot.Execute(Handle())) picked = shot.PickColor();
    } catch (...) {
        after();
        throw;
    }
    after();
    return picked;
}

void TMVColorForm::btnLoadImgClick() {
    wchar_t file[MAX_PATH] = L"";
    // Pairs of name and pattern, each ending in a zero, and one zero more.
    const std::wstring images = L"*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.ico";
    std::wstring filter = std::wstring(ColorText::ImagesFilter()) + L" (" + images + L")";
    filter += L'\0' + images + L'\0';
    filter += std::wstring(ColorText::AllFilesFilter()) + L" (*.*)";
    filter += std::wstring(1, L'\0') + L"*.*" + L'\0';
    OPENFILENAMEW ofn{sizeof(ofn)};
    ofn.hwndOwner = Handle();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags =
        OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    // The common dialogs load with the first open dialog; without them the
    // user reads of a failed system call, as of any other.
    const bool dialogs = LoadSystemLibraries({L"comdlg32.dll"});
    if (dialogs && ::GetOpenFileNameW(&ofn)) LoadUserImage(file);
    Down = false;
    if (!dialogs)
        throw std::system_error(ERROR_MOD_NOT_FOUND, std::system_category(), "comdlg32.dll");
}

bool TMVColorForm::LoadUserImage(const std::wstring& fileName) {
    const UniqueHBitmap bitmap = FileToBitmap(fileName);
    TRGBImage image = bitmap ? BitmapToImage(bitmap.Get()) : TRGBImage();
    if (image.Width == 0 || image.Height == 0) {
        // The picture shown before stays.
        ShowError(FormatText(ColorText::ImageUnreadable, {fileName}));
        return false;
    }
    const Size size{image.Width, image.Height};
    ImgCustomPalette.SetImage(std::move(image));
    m_userBox.SetContent(ImgCustomPalette.Handle(), size);
    ::ShowWindow(ImgCustomPalette.Handle(), SW_SHOW);
    ::SendMessageW(Item(idPalName), CB_SETCURSEL, PageIndex(TColorPage::UserBild), 0);
    ShowPage(PageIndex(TColorPage::UserBild));
    return true;
}

void TMVColorForm::btnSetUserColorClick() {
    if (const auto error = m_palettes.at(idColorPalUser)->Pal().ReplaceColor(FUserColor))
        ShowError(*error);
    else
        AddToHistory(FUserColor);
}

void TMVColorForm::ShowError(const std::wstring& text) {
    ::MessageBoxW(Handle(), text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONERROR);
}

HWND TMVColorForm::Item(int id) const {
    const auto found = m_items.find(id);
    return found == m_items.end() ? nullptr : found->second;
}

std::wstring TMVColorForm::ItemText(int id) const {
    return WindowText(Item(id));
}

const TColorPalControl* TMVColorForm::Palette(int id) const {
    const auto found = m_palettes.find(id);
    return found == m_palettes.end() ? nullptr : found->second.get();
}

void TMVColorForm::OnCommand(int id, int code, HWND) {
    switch (id) {
    case idPalName:
        if (code == CBN_SELCHANGE) cbPalNameChange();
        return;
    case idOK:
        if (code == BN_CLICKED) btnOKClick();
        return;
    case idCancel: // also Esc
        Dismiss(IDCANCEL);
        return;
    case idColCapture:
        if (code == BN_CLICKED) btnColCaptureClick();
        return;
    case idLoadImg:
        if (code == BN_CLICKED) btnLoadImgClick();
        return;
    case idSetUserColor:
        if (code == BN_CLICKED) btnSetUserColorClick();
        return;
    case idRGBwithNumSign:
        m_withNumSign = ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
        return;
    case idCopyRGB:
    case idCopyBGR:
    case idCopyDec:
        if (code == BN_CLICKED) CopyField(id);
        return;
    default:
        break;
    }
    if (id >= idCssGroup && id <= idHistoryLast) {
        OnCssCommand(id, code);
        return;
    }
    if (code == EN_CHANGE) OnFieldChanged(id);
    if (code == EN_SETFOCUS) OnFieldFocus(id, true);
    if (code == EN_KILLFOCUS) OnFieldFocus(id, false);
}

LRESULT TMVColorForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    }
    if (msg == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID >= idHistoryFirst && item.CtlID <= idHistoryLast) {
            DrawHistoryCell(item);
            return TRUE;
        }
    }
    return DialogWindow::HandleMessage(msg, wParam, lParam);
}

HBRUSH TMVColorForm::ControlBackground(UINT kind, HWND control, HDC dc) {
    if (kind != WM_CTLCOLORSTATIC) return nullptr;
    if (const HBRUSH verdict = VerdictColors(control, dc)) return verdict;
    // Labels on the grey panels: the panel's background, no white boxes.
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

void TMVColorForm::PaintContent(HDC dc, const Rect& area) {
    const RECT fill{area.Left, area.Top, area.Right, area.Bottom};
    ::FillRect(dc, &fill, ::GetSysColorBrush(COLOR_BTNFACE));
}

void TMVColorForm::OnDpiChanged(UINT dpi, const RECT& suggested) {
    Window::OnDpiChanged(dpi, suggested);
    CreateCopyGlyph();
    LoadCssIcons();
    LayoutControls();
    ApplyFonts();
}
