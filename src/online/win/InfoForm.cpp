#include "online/win/InfoForm.h"

#include "help/HelpIds.h"

#include "online/AboutTexts.h"
#include "online/FetchedText.h"
#include "online/win/HttpClient.h"
#include "online/win/OnlineIds.h"
#include "online/win/SystemProxy.h"
#include "storage/TextCodec.h"
#include "util/Dpi.h"
#include "util/StringUtils.h"
#include "util/win/Clipboard.h"
#include "util/win/ControlRows.h"
#include "util/win/Controls.h"
#include "util/win/Fonts.h"
#include "util/win/MVUtilWin.h"
#include "util/win/ModalLoop.h"
#include "util/win/WindowRects.h"
#include "util/win/WindowsInfo.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD FormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int NameLeft = 68;
constexpr int NameHeight = 21; // pixels at 96 DPI

// Device pixels back to the 96-DPI design, rounded up so no text is cut.
int Unscaled(int v, UINT dpi) {
    return (v * 96 + static_cast<int>(dpi) - 1) / static_cast<int>(dpi);
}

std::wstring Joined(const std::vector<std::wstring>& lines, const wchar_t* separator) {
    std::wstring text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? separator : L"") + lines[i];
    return text;
}

// The text's extent in its control's font, in device pixels; wrapped into
// wrapWidth when that is not 0, as the static control draws it then (a word
// wider than the line is broken).
Size TextExtent(HWND control, int wrapWidth = 0) {
    const std::wstring text = WindowText(control);
    if (text.empty()) return {};
    WindowDC dc(control);
    SelectGuard font(dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    // Measured as the static draws (wrapping as an edit control does), in a
    // width that does not wrap when none is given. A few pixels to spare:
    // given exactly this width, the static (in Wine at least) moved the last
    // character to a line below, out of sight ("Internetseite" lost its colon).
    RECT r{0, 0, wrapWidth ? wrapWidth : 0x7FFF, 0};
    ::DrawTextW(dc.Get(), text.c_str(), -1, &r,
                DT_CALCRECT | DT_NOPREFIX | DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK |
                    DT_EDITCONTROL);
    return {r.right + 3, r.bottom};
}

// The work area of the monitor the window's owner is on (the window's own
// before it has a place), the taskbar left out.
RECT WorkAreaOf(HWND wnd) {
    const HWND owner = ::GetWindow(wnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : wnd, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// The largest client area (96 DPI) whose window fits that work area.
Size LargestClient(HWND wnd, UINT dpi) {
    const RECT work = WorkAreaOf(wnd);
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_STYLE)),
                               FALSE, static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_EXSTYLE)),
                               dpi);
    return {
        ::MulDiv(work.right - work.left - (frame.right - frame.left), 96, static_cast<int>(dpi)),
        ::MulDiv(work.bottom - work.top - (frame.bottom - frame.top), 96, static_cast<int>(dpi))};
}

// The window centred on that work area, and cut to it.
void KeepInWorkArea(HWND wnd) {
    const RECT work = WorkAreaOf(wnd);
    const Rect r = WindowRectOf(wnd);
    const int width = std::min<int>(r.Width(), work.right - work.left);
    const int height = std::min<int>(r.Height(), work.bottom - work.top);
    ::SetWindowPos(wnd, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

Size Design(Size device, UINT dpi) {
    return {Unscaled(device.Width, dpi), Unscaled(device.Height, dpi)};
}

HFONT ProductNameFont(UINT dpi, int points) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(points, static_cast<int>(dpi), 72);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(font.lfFaceName, L"Arial");
    return CachedFont(font);
}

// SS_EDITCONTROL: a text that wraps breaks a word wider than its line, as
// TextExtent measures it.
HWND CreateStatic(HWND parent, int id, DWORD style = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL) {
    return ::CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TInfoForm::TInfoForm() : DialogWindow(IDH_ABOUT) {}

TInfoForm::~TInfoForm() {
    if (Handle()) ::DestroyWindow(Handle());
}

HWND TInfoForm::Item(int id) const {
    for (HWND parent : {Handle(), pTop.Handle(), pHinten.Handle()})
        if (HWND wnd = ::GetDlgItem(parent, id)) return wnd;
    return nullptr;
}

void TInfoForm::Create(HWND owner, const TProgramInfo& info) {
    m_info = &info;
    RegisterClassOnce(InfoFormClass, ::LoadCursorW(nullptr, IDC_ARROW),
                      ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"), CS_DBLCLKS,
                      ::GetSysColorBrush(COLOR_BTNFACE));
    CreateWnd(InfoFormClass, info.Caption.empty() ? AboutCaption() : info.Caption.c_str(),
              FormStyle, FormExStyle, 0, 0, 1, 1, owner);
    CreateControls();
    FillTexts();
}

void TInfoForm::CreateControls() {
    const Rect none{0, 0, 1, 1};
    pTop.Create(Handle(), idInfoTop, none, TPanel::TBevel::None, clWhite);
    CreateStatic(pTop.Handle(), idInfoIcon, SS_ICON | SS_NOTIFY | SS_REALSIZEIMAGE);
    CreateStatic(pTop.Handle(), idInfoProduktName);
    CreateStatic(pTop.Handle(), idInfoVersion);
    m_topLine.Create(Handle(), idInfoTopLine, none, bsTopLine);
    // Disabled: its texts take no clicks; they read as texts all the same.
    pHinten.Create(Handle(), idInfoHinten, none, TPanel::TBevel::None);
    CreateStatic(pHinten.Handle(), idInfoCopyright);
    CreateStatic(pHinten.Handle(), idInfoComment);
    bLine.Create(pHinten.Handle(), idInfoLine, none, bsTopLine);
    CreateStatic(pHinten.Handle(), idInfoFirma);
    CreateStatic(pHinten.Handle(), idInfoAnschrift);
    CreateStatic(pHinten.Handle(), idInfoTelFax);
    ::EnableWindow(pHinten.Handle(), FALSE);
    // Links in blue, navy under the pointer.
    for (TMVLabel* link : {&lHomepage, &lEMail}) {
        link->Create(Handle(), link == &lHomepage ? idInfoHomepage : idInfoEMail, none, L"");
        TLabelFont normal = link->FontNormal();
        TLabelFont hover = link->FontHover();
        std::swap(normal.Color, hover.Color);
        link->SetFontNormal(normal);
        link->SetFontHover(hover);
        link->SetCommandEnabled(true);
    }
    ::CreateWindowExW(0, WC_BUTTONW, L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                      0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(idInfoOK)),
                      ::GetModuleHandleW(nullptr), nullptr);
}

void TInfoForm::FillTexts() {
    const TProgramInfo& info = *m_info;
    ::SetWindowTextW(Item(idInfoProduktName), info.DisplayName().c_str());
    ::SetWindowTextW(Item(idInfoVersion), (L"Version " + info.Version).c_str());
    const std::wstring copyright =
        info.CopyrightYear.empty() && info.CopyrightBy.empty()
            ? std::wstring()
            : L"Copyright \u00A9 " + info.CopyrightYear + L" " + info.CopyrightBy;
    ::SetWindowTextW(Item(idInfoCopyright), copyright.c_str());
    ::SetWindowTextW(Item(idInfoComment), Joined(info.Comments, L"\r\n\r\n").c_str());
    std::vector<std::wstring> firma{info.Firma};
    if (!info.Firma2.empty()) firma.push_back(info.Firma2);
    ::SetWindowTextW(Item(idInfoFirma), Joined(firma, L"\r\n").c_str());
    ::SetWindowTextW(Item(idInfoAnschrift), Joined(info.Adresse, L"\r\n").c_str());
    ::SetWindowTextW(Item(idInfoTelFax), Joined(info.TelFax, L"\r\n").c_str());
    lHomepage.SetCaption(info.Homepage);
    lEMail.SetCaption(info.EMail);
    lEMail.Command = AboutMailCommand(info.EMail, info.ProductName);
}

void TInfoForm::ApplyFonts() {
    const UINT dpi = Dpi();
    const HFONT gui = CachedFont(GetSysGuiFont(dpi));
    for (int id : {idInfoVersion, idInfoCopyright, idInfoComment, idInfoFirma, idInfoAnschrift,
                   idInfoTelFax, idInfoOK})
        ::SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(gui), FALSE);
    for (TMVLabel* link : {&lHomepage, &lEMail})
        ::SendMessageW(link->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(gui), TRUE);
    // The name shrinks a point at a time until it fits its width.
    const HWND name = Item(idInfoProduktName);
    int points = ::MulDiv(NameHeight, 72, 96);
    ::SendMessageW(name, WM_SETFONT, reinterpret_cast<WPARAM>(ProductNameFont(dpi, points)), FALSE);
    while (points > 6 && TextExtent(name).Width > ScaleToDpi(ProductNameMaxWidth, dpi)) {
        --points;
        ::SendMessageW(name, WM_SETFONT, reinterpret_cast<WPARAM>(ProductNameFont(dpi, points)),
                       FALSE);
    }
    // The program icon at the size of this DPI.
    const int iconSize = ScaleToDpi(32, dpi);
    const HICON icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON",
                                                       IMAGE_ICON, iconSize, iconSize, LR_SHARED));
    ::SendMessageW(Item(idInfoIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void TInfoForm::FormShow() {
    ApplyFonts();
    const UINT dpi = Dpi();
    TAboutMeasures m;
    const std::pair<int, Size*> texts[] = {{idInfoCopyright, &m.Copyright},
                                           {idInfoComment, &m.Comment},
                                           {idInfoFirma, &m.Firma},
                                           {idInfoAnschrift, &m.Anschrift},
                                           {idInfoTelFax, &m.TelFax}};
    for (const auto& [id, size] : texts)
        *size = Design(TextExtent(Item(id)), dpi);
    for (auto [link, size] : {std::pair{&lHomepage, &m.Homepage}, {&lEMail, &m.EMail}}) {
        const Rect r = WindowRectOf(link->Handle());
        *size = Design({r.Width(), r.Height()}, dpi);
    }
    m.HasCopyright = !WindowText(Item(idInfoCopyright)).empty();
    m.HasComment = !WindowText(Item(idInfoComment)).empty();
    // Texts wider than the screen allows wrap, measured anew in their widths.
    const TAboutTextWidths widths = AboutTextWidths(m, LargestClient(Handle(), dpi).Width);
    const int wrapWidths[] = {widths.Copyright, widths.Comment, widths.Firma, widths.Anschrift,
                              widths.TelFax};
    for (std::size_t i = 0; i < std::size(texts); ++i)
        if (wrapWidths[i])
            *texts[i].second =
                Design(TextExtent(Item(texts[i].first), ScaleToDpi(wrapWidths[i], dpi)), dpi);
    const TAboutLayout l = AboutLayout(m);

    // Name and version beside the icon, in the white panel.
    const Size name = Design(TextExtent(Item(idInfoProduktName)), dpi);
    const Size version = Design(TextExtent(Item(idInfoVersion)), dpi);
    const Rect nameAt{NameLeft, l.Icon.Top - 4, NameLeft + name.Width,
                      l.Icon.Top - 4 + name.Height};
    const Rect versionAt{NameLeft, nameAt.Bottom + 2, NameLeft + version.Width,
                         nameAt.Bottom + 2 + version.Height};
    const int topHeight = std::max(l.Top.Height(), versionAt.Bottom + 8);
    const int shift = topHeight - l.Top.Height(); // everything below moves with the panel
    const auto down = [shift](Rect r) {
        return Rect{r.Left, r.Top + shift, r.Right, r.Bottom + shift};
    };

    PlaceDesign(pTop.Handle(), {0, 0, l.Client.Width, topHeight}, dpi);
    PlaceDesign(Item(idInfoIcon), l.Icon, dpi);
    PlaceDesign(Item(idInfoProduktName), nameAt, dpi);
    PlaceDesign(Item(idInfoVersion), versionAt, dpi);
    PlaceDesign(m_topLine.Handle(), {0, topHeight, l.Client.Width, topHeight + 2}, dpi);
    PlaceDesign(pHinten.Handle(), down(l.Hinten), dpi);
    PlaceDesign(Item(idInfoCopyright), l.Copyright, dpi);
    PlaceDesign(Item(idInfoComment), l.Comment, dpi);
    PlaceDesign(bLine.Handle(), l.Line, dpi);
    PlaceDesign(Item(idInfoFirma), l.Firma, dpi);
    PlaceDesign(Item(idInfoAnschrift), l.Anschrift, dpi);
    PlaceDesign(Item(idInfoTelFax), l.TelFax, dpi);
    PlaceDesign(lHomepage.Handle(), down(l.Homepage), dpi);
    PlaceDesign(lEMail.Handle(), down(l.EMail), dpi);
    PlaceDesign(Item(idInfoOK), down(l.OK), dpi);

    SetDesignClientSize(Handle(), {l.Client.Width, l.Client.Height + shift}, dpi);
    KeepInWorkArea(Handle());
}

void TInfoForm::ShowModal() {
    FormShow();
    ::SetFocus(Item(idInfoOK));
    RunModalLoop();
}

void TInfoForm::pIconClick() {
    if (::MessageBoxW(Handle(), ProgramReportQuestion(), ApplicationTitle().c_str(),
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CopyTextToClipboard(Handle(), ProgramReport(m_info->DisplayName(), m_info->Version,
                                                ProgramFileName(), GetWindowsVersion()));
}

LRESULT TInfoForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == idInfoOK || LOWORD(wParam) == IDCANCEL) {
            EndModal(IDOK);
            return 0;
        }
        if (LOWORD(wParam) == idInfoIcon && HIWORD(wParam) == STN_CLICKED) {
            pIconClick();
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Item(idInfoIcon)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DialogWindow::HandleMessage(msg, wParam, lParam);
}

HBRUSH TInfoForm::ControlBackground(UINT kind, HWND control, HDC dc) {
    if (kind != WM_CTLCOLORSTATIC) return nullptr;
    // The top panel is white; the rest has the dialog's colour.
    const bool top = ::GetParent(control) == pTop.Handle();
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, top ? RGB(255, 255, 255) : ::GetSysColor(COLOR_BTNFACE));
    return top ? static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))
               : ::GetSysColorBrush(COLOR_BTNFACE);
}

void TInfoForm::OnDpiChanged(UINT dpi, const RECT& suggested) {
    Window::OnDpiChanged(dpi, suggested);
    FormShow();
}

void ShowAboutDlg(TProgramInfo& info, HWND owner) {
    if (!info.LoadContactOnlineDone && !info.ContactDataURL.empty()) {
        const HCURSOR old = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        THttpLimits limits;
        limits.ConnectTimeoutMs = 5000;
        limits.TotalTimeoutMs = 10000;
        limits.MaxBytes = 64 * 1024;
        const THttpResult fetched =
            HttpGet(EncodeUtf8(info.ContactDataURL), SystemProxyFor(L"http"), limits);
        const TContactLines contact =
            fetched.Ok()
                ? ContactLinesFromFile(
                      DecodeFetchedText(reinterpret_cast<const std::uint8_t*>(fetched.Body.data()),
                                        fetched.Body.size()),
                      info.TelFax, info.IsGerman)
                : ContactLinesAfterFailure(info.TelFax);
        info.Adresse = contact.Address;
        info.TelFax = contact.TelFax;
        info.LoadContactOnlineDone = contact.Done;
        ::SetCursor(old);
    }
    TInfoForm form;
    form.Create(owner, info);
    form.ShowModal();
}
