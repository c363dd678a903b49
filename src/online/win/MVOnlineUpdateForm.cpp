#include "online/win/MVOnlineUpdateForm.h"

#include "help/HelpIds.h"
#include "util/win/Log.h"

#include "online/UpdateDlgTexts.h"
#include "online/win/MVOnlineUpdate.h"
#include "online/win/OnlineIds.h"
#include "util/win/ControlRows.h"
#include "util/win/Controls.h"
#include "util/win/Fonts.h"
#include "util/win/Handles.h"
#include "util/win/ModalLoop.h"

#include <commctrl.h>

#include <array>

namespace {

constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD FormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr UINT WM_SEARCH_DONE = WM_APP + 41;

constexpr int ClientWidth = 614;
constexpr int LeftWidth = 117; // the picture and the blue panel under it
constexpr int PictureHeight = 263;
constexpr int PanelHeight = 55; // the buttons at the bottom
constexpr COLORREF PanelBlue = RGB(0x49, 0x64, 0xE8);

constexpr Rect SettingsPlace{133, 212, 133 + 120, 212 + 15};
constexpr Rect IntervalPlace{133, 258, 133 + 180, 258 + 23}; // its closed height

using enum TControlKind;
constexpr std::array Rows{
    TControlRow{Text, idUpdDescription, 133, 12, 465, 45},
    TControlRow{Custom, idUpdMessage, 133, 62, 457, 141},
    TControlRow{Custom, idUpdSettings, 133, 212, 120, 15},
    TControlRow{Label, idUpdIntervalLabel, 133, 240, 300, 15, UpdateDlgIntervalLabel},
};

// The closed height of the settings and the other heights that decide the
// window's: the link's bottom, or the interval list's once it is shown.
int ClientHeightBelow(const Rect& lowest) {
    return lowest.Bottom + PanelHeight + 16;
}

} // namespace

TOnlineUpdateDlg::TOnlineUpdateDlg() : DialogWindow(IDH_UPDATE) {
    PaintsWholeClient = true;
}

TOnlineUpdateDlg::~TOnlineUpdateDlg() {
    m_search.reset(); // a search still running ends first
    if (Handle()) ::DestroyWindow(Handle());
}

void TOnlineUpdateDlg::Create(HWND owner) {
    RegisterClassOnce(UpdateDlgClass, ::LoadCursorW(nullptr, IDC_ARROW),
                      ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"));
    CreateWnd(UpdateDlgClass, UpdateDlgCaption(), FormStyle, FormExStyle, 0, 0, 1, 1, owner);
    CreateControls();
    SetClientHeight(ClientHeightBelow(SettingsPlace));
}

void TOnlineUpdateDlg::CreateControls() {
    const UINT dpi = Dpi();
    const HFONT font = CachedFont(GetSysGuiFont(dpi));
    CreateControlRows(Handle(), Rows, 300, dpi, font, [&](const TControlRow& row, const Rect& at) {
        if (row.Id == idUpdMessage) {
            m_message.Create(Handle(), idUpdMessage, at);
            ::SendMessageW(m_message.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        } else {
            lSettings.Create(Handle(), idUpdSettings, at, UpdateDlgSettingsCaption());
            lSettings.OnClick = [this](TMVLabel&) { lSettingsClick(); };
            lSettings.SetCommandEnabled(false);
        }
    });
    ::ShowWindow(Item(idUpdIntervalLabel), SW_HIDE);
    const auto create = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
        const HWND wnd = ::CreateWindowExW(0, cls, text, WS_CHILD | style, 0, 0, 0, 0, Handle(),
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                           ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return wnd;
    };
    const HWND interval =
        create(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, idUpdInterval);
    for (const TUpdateDlgInterval& entry : UpdateDlgIntervals)
        ::SendMessageW(interval, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.Caption()));
    // Waiting for the server has no known end: a marquee, not a percentage.
    create(PROGRESS_CLASSW, L"", PBS_MARQUEE, idUpdProgress);
    m_panelLine.Create(Handle(), idUpdPanelLine, {0, 0, 1, 1}, bsTopLine);
    create(WC_BUTTONW, UpdateDlgSearchCaption(), WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
           idUpdSearch);
    create(WC_BUTTONW, UpdateDlgCloseCaption(), WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
           idUpdClose);
}

void TOnlineUpdateDlg::SetClientHeight(int designHeight) {
    m_clientHeight = designHeight;
    // Centred at first; growing keeps the window's top-left corner.
    SetDesignClientSize(Handle(), {ClientWidth, designHeight}, Dpi(), true);
    LayoutControls();
}

void TOnlineUpdateDlg::LayoutControls() {
    const UINT dpi = Dpi();
    PlaceControlRows(Handle(), Rows, 300, dpi, CachedFont(GetSysGuiFont(dpi)));
    PlaceDesign(Item(idUpdInterval),
                {IntervalPlace.Left, IntervalPlace.Top, IntervalPlace.Right,
                 IntervalPlace.Top + 120}, // the list's drop-down height
                dpi);
    PlaceDesign(Item(idUpdProgress), {245, 176, 245 + 233, 176 + 17}, dpi);
    const int panelTop = m_clientHeight - PanelHeight;
    PlaceDesign(m_panelLine.Handle(), {LeftWidth, panelTop, ClientWidth, panelTop + 2}, dpi);
    PlaceDesign(
        Item(idUpdSearch),
        {ClientWidth - 8 - 75 - 6 - 130, panelTop + 15, ClientWidth - 8 - 75 - 6, panelTop + 40},
        dpi);
    PlaceDesign(Item(idUpdClose),
                {ClientWidth - 8 - 75, panelTop + 15, ClientWidth - 8, panelTop + 40}, dpi);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TOnlineUpdateDlg::ShowModal() {
    const TProgramInfo* info = OnlineUpdate ? &OnlineUpdate->ProgramInfo() : nullptr;
    ::SetWindowTextW(
        Item(idUpdDescription),
        UpdateDlgDescription(info ? info->DisplayName() : L"", info ? info->Version : L"").c_str());
    m_message.SetHtml(UpdateDlgShownMsg(UpdMessage));
    ::SendMessageW(Item(idUpdInterval), CB_SETCURSEL,
                   static_cast<WPARAM>(UpdateDlgIntervalIndex(AutoUpdateInterval)), 0);
    PickedInterval.reset();
    ::SetFocus(Item(idUpdSearch));
    RunModalLoop();
}

void TOnlineUpdateDlg::lSettingsClick() {
    ::ShowWindow(lSettings.Handle(), SW_HIDE);
    ::ShowWindow(Item(idUpdIntervalLabel), SW_SHOW);
    ::ShowWindow(Item(idUpdInterval), SW_SHOW);
    SetClientHeight(ClientHeightBelow(IntervalPlace));
    ::SetFocus(Item(idUpdInterval));
}

void TOnlineUpdateDlg::btnSearchClick() {
    if (m_search || !OnlineUpdate) return;
    m_message.SetHtml(UpdateDlgSearchingMsg());
    ::ShowWindow(Item(idUpdProgress), SW_SHOW);
    ::SendMessageW(Item(idUpdProgress), PBM_SETMARQUEE, TRUE, 30);
    ::EnableWindow(Item(idUpdSearch), FALSE);
    const TUpdateCheckContext context = OnlineUpdate->CheckContext();
    const TProgramInfo info = OnlineUpdate->ProgramInfo();
    m_search = std::make_unique<TBackgroundTask>(
        Handle(), WM_SEARCH_DONE, [this, context, info](const std::atomic<bool>& cancelled) {
            try {
                const auto store = OpenUpdateCheckStore(info);
                m_searchResult =
                    CheckForUpdates(*store, context, true, [&](const std::wstring& url) {
                        return FetchVersionFile(url, &cancelled);
                    });
            } catch (...) {
                LogCurrentException(L"update check from the dialog");
                m_searchResult = {sdUpdate, FetchErrorMsg(UpdateCheckUnreadableText(), false, L""),
                                  NewLastMsgID};
            }
        });
}

void TOnlineUpdateDlg::SearchDone() {
    m_search.reset();
    NewLastMsgID = m_searchResult.NewLastMsgID;
    ::SendMessageW(Item(idUpdProgress), PBM_SETMARQUEE, FALSE, 0);
    ::ShowWindow(Item(idUpdProgress), SW_HIDE);
    ::EnableWindow(Item(idUpdSearch), TRUE);
    m_message.SetHtml(m_searchResult.Msg);
}

void TOnlineUpdateDlg::OnCloseRequest() {
    if (m_search) m_search->Cancel(); // the download ends; the window does not wait for it here
    EndModal(IDCANCEL);
}

LRESULT TOnlineUpdateDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case idUpdSearch:
            btnSearchClick();
            return 0;
        case idUpdClose:
            OnCloseRequest();
            return 0;
        case idUpdInterval:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                const auto index = ::SendMessageW(Item(idUpdInterval), CB_GETCURSEL, 0, 0);
                if (index >= 0 && index < static_cast<LRESULT>(std::size(UpdateDlgIntervals)))
                    PickedInterval = UpdateDlgIntervals[index].Value;
            }
            return 0;
        default:
            break;
        }
        break;
    case WM_SEARCH_DONE:
        if (m_search && lParam == reinterpret_cast<LPARAM>(m_search.get())) SearchDone();
        return 0;
    default:
        break;
    }
    return DialogWindow::HandleMessage(msg, wParam, lParam);
}

HBRUSH TOnlineUpdateDlg::ControlBackground(UINT kind, HWND, HDC dc) {
    if (kind == WM_CTLCOLORBTN) return ::GetSysColorBrush(COLOR_BTNFACE);
    if (kind != WM_CTLCOLORSTATIC) return nullptr;
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

void TOnlineUpdateDlg::PaintContent(HDC dc, const Rect&) {
    const Rect client = ClientRect();
    const int left = Scale(LeftWidth);
    const int panelTop = client.Height() - Scale(PanelHeight);
    const RECT text{left, 0, client.Width(), panelTop};
    const RECT panel{left, panelTop, client.Width(), client.Height()};
    ::FillRect(dc, &text, ::GetSysColorBrush(COLOR_WINDOW));
    ::FillRect(dc, &panel, ::GetSysColorBrush(COLOR_BTNFACE));
    // Left: a picture of a globe over the blue panel that runs to the bottom.
    const RECT column{0, 0, left, client.Height()};
    ::SetDCBrushColor(dc, PanelBlue);
    ::FillRect(dc, &column, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    const int pictureHeight = Scale(PictureHeight);
    for (int y = 0; y < pictureHeight; ++y) { // lighter towards the top
        const int t = 255 - 255 * y / pictureHeight;
        ::SetDCBrushColor(dc, RGB(0x49 + (255 - 0x49) * t / 512, 0x64 + (255 - 0x64) * t / 512,
                                  0xE8 + (255 - 0xE8) * t / 512));
        const RECT row{0, y, left, y + 1};
        ::FillRect(dc, &row, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    }
    const int r = left / 3, cx = left / 2, cy = pictureHeight / 3;
    const UniqueHPen pen(::CreatePen(PS_SOLID, std::max(2, Scale(3)), RGB(255, 255, 255)));
    SelectGuard usePen(dc, pen.Get());
    SelectGuard noBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
    ::Ellipse(dc, cx - r / 2, cy - r, cx + r / 2, cy + r);
    ::MoveToEx(dc, cx - r, cy, nullptr);
    ::LineTo(dc, cx + r, cy);
    ::MoveToEx(dc, cx, cy - r, nullptr);
    ::LineTo(dc, cx, cy + r);
}

void TOnlineUpdateDlg::OnDpiChanged(UINT dpi, const RECT& suggested) {
    Window::OnDpiChanged(dpi, suggested);
    LayoutControls();
}
