#include "online/win/WishDlg.h"

#include "help/HelpIds.h"

#include "online/win/OnlineIds.h"
#include "util/ColorMath.h"
#include "util/Dpi.h"
#include "util/StringUtils.h"
#include "util/win/ControlRows.h"
#include "util/win/Controls.h"
#include "util/win/Fonts.h"
#include "util/win/ModalLoop.h"
#include "util/win/ShellExec.h"

#include <commctrl.h>

#include <array>
#include <memory>

namespace {

constexpr const wchar_t* WishPictureClass = L"TWishPicture";
constexpr int ClientWidth = 476;
constexpr int ClientHeight = 324;
constexpr int BottomPanelHeight = 42;
constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD FormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr COLORREF Navy = RGB(0, 0, 0x80);
constexpr COLORREF PictureBlue = RGB(0x49, 0x64, 0xE8);

constexpr int idFirstCaption = 200;

using enum TControlKind;
constexpr LocalText kCaption{L"Wünsche/Feedback", L"Suggestions/Feedback"};
// The picture's name for screen readers: what a click on it does.
constexpr LocalText kPictureName{L"Bewertungsseite öffnen", L"Open the rating page"};

constexpr std::array Rows{
    TControlRow{Custom, idWishPicture, 21, 44, 140, 106},
    TControlRow{
        Text, idWishHeadingLike, 177, 22, 290, 22, {L"Ihnen gefällt %s?", L"Do you like %s?"}},
    TControlRow{
        Text, 0, 177, 48, 290, 16, {L"Zeigen Sie es mit einem Klick!", L"Show it with a click!"}},
    TControlRow{Button,
                idWishFeedback,
                177,
                72,
                209,
                25,
                {L"&Bewertungsseite öffnen", L"&Open the rating page"}},
    TControlRow{
        Text, idWishHeadingWish, 176, 131, 290, 22, {L"Ich habe einen Wunsch", L"I have a wish"}},
    TControlRow{Text,
                0,
                176,
                157,
                290,
                16,
                {L"Ihnen fehlt eine bestimmte Funktion?", L"Missing a feature?"}},
    TControlRow{Text,
                0,
                176,
                175,
                290,
                16,
                {L"Etwas sollte anders funktionieren?", L"Something should work differently?"}},
    TControlRow{Text,
                0,
                176,
                193,
                290,
                16,
                {L"Wir ändern diese Software nach Ihren Wünschen.",
                 L"We change this software to suit your wishes."}},
    TControlRow{
        Button, idWishContact, 176, 224, 209, 25, {L"&Kontakt mit uns aufnehmen", L"&Contact us"}},
    TControlRow{DefaultButton,
                idWishClose,
                ClientWidth - 8 - 75,
                ClientHeight - BottomPanelHeight + 9,
                75,
                25,
                {L"Schließen", L"Close"}},
};
constexpr const TControlRow& HeadingLikeRow = Rows[1]; // "%s": the program's name

// A font of the dialog's face, height pixels high at 96 DPI.
HFONT HeadingFont(UINT dpi, int height, bool bold) {
    LOGFONTW font = GetSysGuiFont(dpi);
    font.lfHeight = -ScaleToDpi(height, dpi);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return CachedFont(font);
}

} // namespace

// The picture that invites the click, with "Like!" on it.
class TWishDlg::TPicture : public Window {
  public:
    void Create(HWND parent, const Rect& bounds) {
        RegisterClassOnce(WishPictureClass, ::LoadCursorW(nullptr, IDC_HAND), nullptr);
        CreateChild(WishPictureClass, kPictureName(), 0, 0, bounds, parent, idWishPicture);
        ::CreateWindowExW(0, WC_STATICW, L"Like!", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX,
                          0, 0, 0, 0, Handle(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(idWishLike)),
                          ::GetModuleHandleW(nullptr), nullptr);
        Layout(Dpi());
    }
    void Layout(UINT dpi) {
        const HWND like = ::GetDlgItem(Handle(), idWishLike);
        ::SendMessageW(like, WM_SETFONT, reinterpret_cast<WPARAM>(HeadingFont(dpi, 35, true)),
                       FALSE);
        ::SetWindowPos(like, nullptr, ScaleToDpi(32, dpi), ScaleToDpi(15, dpi), ScaleToDpi(90, dpi),
                       ScaleToDpi(42, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_LBUTTONUP:
            Clicked();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == idWishLike && HIWORD(wParam) == STN_CLICKED) Clicked();
            return 0;
        case WM_CTLCOLORSTATIC: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, RGB(255, 255, 255));
            ::SetBkColor(dc, PictureBlue);
            ::SetDCBrushColor(dc, PictureBlue);
            return reinterpret_cast<LRESULT>(::GetStockObject(DC_BRUSH));
        }
        case WM_SETCURSOR:
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        case WM_ERASEBKGND:
            return 1;
        default:
            break;
        }
        return Window::HandleMessage(msg, wParam, lParam);
    }
    // A blue card with a white heart under the word.
    void PaintContent(HDC dc, const Rect&) override {
        const Rect client = ClientRect();
        const RECT all{0, 0, client.Width(), client.Height()};
        ::SetDCBrushColor(dc, PictureBlue);
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        const int u = client.Width() / 14; // the radius of a lobe
        const int cx = client.Width() / 2, cy = client.Height() - 3 * u;
        ::SetDCBrushColor(dc, RGB(255, 255, 255));
        const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(DC_BRUSH));
        const HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
        ::Ellipse(dc, cx - 2 * u, cy - 2 * u, cx + 1, cy + 1);
        ::Ellipse(dc, cx, cy - 2 * u, cx + 2 * u + 1, cy + 1);
        const POINT tip[3] = {{cx - 2 * u + u / 8, cy - u + u / 3},
                              {cx + 2 * u - u / 8, cy - u + u / 3},
                              {cx, cy + 2 * u}};
        ::Polygon(dc, tip, 3);
        ::SelectObject(dc, oldPen);
        ::SelectObject(dc, oldBrush);
    }

  private:
    void Clicked() {
        ::SendMessageW(::GetParent(Handle()), WM_COMMAND, MAKEWPARAM(idWishPicture, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Handle()));
    }
};

TWishDlg::TWishDlg() : DialogWindow(IDH_FEEDBACK) {
    PaintsWholeClient = true;
}

TWishDlg::~TWishDlg() {
    if (Handle()) ::DestroyWindow(Handle());
}

void TWishDlg::Create(HWND owner) {
    RegisterClassOnce(WishDlgClass, ::LoadCursorW(nullptr, IDC_ARROW),
                      ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"));
    CreateWnd(WishDlgClass, kCaption(), FormStyle, FormExStyle, 0, 0, 1, 1, owner);
    FormCreate();
}

void TWishDlg::FormCreate() {
    CreateControlRows(Handle(), Rows, idFirstCaption, Dpi(), CachedFont(GetSysGuiFont(Dpi())),
                      [this](const TControlRow&, const Rect& bounds) {
                          m_picture = std::make_unique<TPicture>();
                          m_picture->Create(Handle(), bounds);
                      });
    ApplyFonts();
    SetDesignClientSize(Handle(), {ClientWidth, ClientHeight}, Dpi());
}

void TWishDlg::ApplyFonts() {
    for (int id : {idWishHeadingLike, idWishHeadingWish})
        ::SendMessageW(Item(id), WM_SETFONT,
                       reinterpret_cast<WPARAM>(HeadingFont(Dpi(), 16, false)), TRUE);
}

void TWishDlg::FormShow() {
    const std::wstring name = ProgramInfo ? ProgramInfo->DisplayName() : std::wstring();
    ::SetWindowTextW(Item(idWishHeadingLike),
                     MyReplace(HeadingLikeRow.Text(), L"%s", name, false, 1).c_str());
}

void TWishDlg::ShowModal() {
    FormShow();
    ::SetFocus(Item(idWishFeedback));
    RunModalLoop();
}

void TWishDlg::btnFeedbackClick() {
    if (!ProgramInfo || FeedbackUrl.empty()) return;
    RunCmd(MyReplace(FeedbackUrl, L"%s", LowerCaseText(ProgramInfo->ProgramId), false, 1));
}

void TWishDlg::btnContactClick() {
    if (ProgramInfo && OnContact) OnContact(Handle());
}

LRESULT TWishDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case idWishClose:
        case IDCANCEL:
            EndModal(IDCANCEL);
            return 0;
        case idWishFeedback:
        case idWishPicture:
            btnFeedbackClick();
            return 0;
        case idWishContact:
            btnContactClick();
            return 0;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return DialogWindow::HandleMessage(msg, wParam, lParam);
}

HBRUSH TWishDlg::ControlBackground(UINT kind, HWND control, HDC dc) {
    if (kind == WM_CTLCOLOREDIT) return nullptr;
    // White above the bottom panel; headings in navy.
    const int id = ::GetDlgCtrlID(control);
    if (id == idWishClose) return ::GetSysColorBrush(COLOR_BTNFACE);
    if (id == idWishHeadingLike || id == idWishHeadingWish) ::SetTextColor(dc, Navy);
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

void TWishDlg::PaintContent(HDC dc, const Rect&) {
    const Rect client = ClientRect();
    const int panelTop = client.Height() - Scale(BottomPanelHeight);
    const RECT top{0, 0, client.Width(), panelTop};
    const RECT panel{0, panelTop, client.Width(), client.Height()};
    ::FillRect(dc, &top, ::GetSysColorBrush(COLOR_WINDOW));
    ::FillRect(dc, &panel, ::GetSysColorBrush(COLOR_BTNFACE));
    // The panel's separator: black at 8 per cent over the panel's colour.
    const TColor line = MixColor(clBlack, static_cast<TColor>(::GetSysColor(COLOR_BTNFACE)), 8);
    ::SetDCBrushColor(dc, static_cast<COLORREF>(line));
    const RECT separator{0, panelTop, client.Width(), panelTop + 1};
    ::FillRect(dc, &separator, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

void TWishDlg::OnDpiChanged(UINT dpi, const RECT& suggested) {
    Window::OnDpiChanged(dpi, suggested);
    PlaceControlRows(Handle(), Rows, idFirstCaption, dpi, CachedFont(GetSysGuiFont(dpi)));
    if (m_picture) m_picture->Layout(dpi);
    ApplyFonts();
}

void ShowWishDlg(const TProgramInfo& info, const std::wstring& feedbackUrl,
                 std::function<void(HWND owner)> onContact, HWND owner) {
    TWishDlg dialog;
    dialog.ProgramInfo = &info;
    dialog.FeedbackUrl = feedbackUrl;
    dialog.OnContact = std::move(onContact);
    dialog.Create(owner);
    dialog.ShowModal();
}
