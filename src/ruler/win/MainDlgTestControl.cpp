// The ruler's answers on the test control channel (only with the test switch):
// its state for the end-to-end tests, and commands run by their item names
// through the same path a click takes.
#include "colour/win/MVColorDlg.h"
#include "colour/win/MVColorForm.h"
#include "magnifier/win/MagnifierDlg.h"
#include "online/win/MVOnlineUpdate.h"
#include "ruler/win/HookLibrary.h"
#include "ruler/win/MainDlg.h"

#include "ruler/win/RulerCommands.h"
#include "util/ColorText.h"
#include "util/Numbers.h"
#include "util/UserError.h"
#include "util/win/AppError.h"
#include "util/win/CoolTrayIcon.h"
#include "util/win/TestControl.h"

#include <sstream>

namespace {

// "name value" with a decimal number written with a point, whatever the
// user's locale says; false when the number is missing.
bool NumberAfter(const std::wstring& command, const std::wstring& prefix, double& value) {
    if (command.rfind(prefix, 0) != 0) return false;
    return TryStrToFloatMV(command.substr(prefix.size()), L'.', value);
}

// The layered opacity, or -1 while the window is not layered.
int LayeredAlpha(HWND wnd) {
    if (!(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED)) return -1;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!::GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
        return 255;
    return alpha;
}

// The submenu that holds the item with this id.
HMENU SubMenuWith(HMENU menu, UINT id) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (sub && ::GetMenuState(sub, id, MF_BYCOMMAND) != static_cast<UINT>(-1)) return sub;
    }
    return nullptr;
}

BOOL CALLBACK FindOpenMenu(HWND wnd, LPARAM param) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    wchar_t cls[16] = {};
    ::GetClassNameW(wnd, cls, 16);
    if (pid != ::GetCurrentProcessId() || std::wstring(cls) != L"#32768" || !::IsWindowVisible(wnd))
        return TRUE;
    *reinterpret_cast<HWND*>(param) = wnd;
    return FALSE;
}

// The items of the menu on the screen, one line each: "on" or "off" and the
// item's text, "-" for a separator. (Wine cannot read a menu of another
// process, so the test asks the program.)
std::wstring OpenMenuItems() {
    HWND window = nullptr;
    ::EnumWindows(&FindOpenMenu, reinterpret_cast<LPARAM>(&window));
    if (!window) return L"";
    HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(window, MN_GETHMENU, 0, 0));
    std::wostringstream out;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            out << L"-\n";
            continue;
        }
        wchar_t text[128] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        out << ((info.fState & MFS_DISABLED) ? L"off " : L"on ") << text << L"\n";
    }
    return out.str();
}

} // namespace

std::wstring TMainDlg::TestQuery(const std::wstring& command) {
    std::wostringstream out;
    if (command == L"state") {
        RECT w{};
        ::GetWindowRect(Handle(), &w);
        const Rect c = ClientRect();
        POINT origin{0, 0};
        ::ClientToScreen(Handle(), &origin);
        const CursorState& cursor = m_model.Cursor;
        const RulerGeometry& g = m_model.Geometry;
        // The unit checks as the menu shows them when it opens.
        HMENU units = SubMenuWith(popMenu.Get(), idPixel32);
        Commands().UpdateStates(*this, units);
        out << L"Left=" << w.left << L"\nTop=" << w.top << L"\nClientLeft=" << origin.x
            << L"\nClientTop=" << origin.y << L"\nClientWidth=" << c.Width() << L"\nClientHeight="
            << c.Height() << L"\nHorizontal=" << (g.FHorizontal ? 1 : 0) << L"\nUnit="
            << static_cast<int>(RulerUnit()) << L"\nActX=" << ActX << L"\nActY=" << ActY
            << L"\nMousePos=" << cursor.MousePos << L"\nHasStartPos="
            << (cursor.HasStartPos ? 1 : 0) << L"\nStartPos=" << cursor.StartPos << L"\nBoxLeft="
            << cursor.MousePosDisplay.Left << L"\nBoxTop=" << cursor.MousePosDisplay.Top
            << L"\nBoxRight=" << cursor.MousePosDisplay.Right << L"\nBoxBottom="
            << cursor.MousePosDisplay.Bottom << L"\nBoxText="
            << MousePosText(CursorView(), cursor, cursor.MousePos) << L"\nDown="
            << (m_model.Down ? 1 : 0) << L"\nHWidth=" << g.HWidth << L"\nVHeight=" << g.VHeight
            << L"\nHookMessages=" << m_hookMessages << L"\nHookSet="
            << (HookLibrary::IsHookSetMouse() ? 1 : 0) << L"\nBackImgRenders=" << m_backImgRenders
            << L"\nPaints=" << m_paints << L"\nTimerMessages=" << LoopTimerMessages()
            << L"\nPixelsCopied=" << m_pixelsCopied << L"\nCmAuto="
            << (m_model.Calibration.FCmAuto ? 1 : 0) << L"\nRefCmSize="
            << m_model.Calibration.FRefCmSize << L"\nPixelsPerMMX="
            << m_model.Scale.Converter.PixelsPerMMX() << L"\nPixelsPerMMY="
            << m_model.Scale.Converter.PixelsPerMMY() << L"\nDpi=" << Dpi() << L"\nTopMost="
            << ((::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0)
            << L"\nVisible=" << (::IsWindowVisible(Handle()) ? 1 : 0) << L"\nOnTop="
            << (m_model.Options.OnTop ? 1 : 0) << L"\nTransparency="
            << m_model.Options.fTransparency << L"\nCheckedTransparency=" << m_checkedTransparency
            << L"\nTrayIcon=" << (TrayIcon && TrayIcon->IconVisible()) << L"\nTrayPicture="
            << (TrayIcon ? TrayIcon->IconIndex() : -1) << L"\nTrayColorPicker="
            << (TrayColorPicker && TrayColorPicker->IconVisible()) << L"\nMagnifier="
            << (m_magnifier ? 1 : 0) << L"\nMagnifierChecked="
            << (m_model.Options.Magnifier ? 1 : 0) << L"\nZoom=" << m_model.Options.Zoom
            << L"\nColorWindow=" << (OpenColorForm() ? 1 : 0) << L"\nColorDlgColor="
            << ColorToShortHexBGR(ColorDlgColor()) << L"\nColorShot="
            << (OpenColorForm() && OpenColorForm()->ShotRunning() ? 1 : 0) << L"\nMagnifierDraws="
            << (m_magnifier ? m_magnifier->Draws() : 0) << L"\nMagnifierTicks="
            << (m_magnifier ? m_magnifier->TimerTicks() : 0) << L"\nMenuHint=" << m_menuHint
            << L"\nLayered=" << LayeredAlpha(Handle()) << L"\nHotKeys=" << m_registeredHotkeys
            << L"\nSettingsDlg=" << (m_settingsDlgOpen ? 1 : 0) << L"\nUpdateCheck="
            << (MVOnlineUpdate1 && MVOnlineUpdate1->CheckRunning() ? 1 : 0) << L"\nCheckedUnit=";
        for (UINT id : {idMilimeter, idPixel20, idPixel32, idPixel50}) {
            const UINT itemState = ::GetMenuState(units, id, MF_BYCOMMAND);
            if (itemState != static_cast<UINT>(-1) && (itemState & MF_CHECKED))
                out << id - idMilimeter;
        }
        return out.str();
    }
    if (command.rfind(L"command ", 0) == 0) {
        const bool ran = RunCommand(command.substr(8));
        ::UpdateWindow(Handle());
        return ran ? L"ok" : L"unknown command";
    }
    if (command.rfind(L"printclient ", 0) == 0) {
        // Prints the client area into a memory DC, as a screenshot tool
        // would, and tells the colour at client (x, y) of the print.
        std::wistringstream in(command.substr(12));
        int x = 0, y = 0;
        in >> x >> y;
        const Rect c = ClientRect();
        WindowDC screen(Handle());
        UniqueHdc memory(::CreateCompatibleDC(screen.Get()));
        UniqueHBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), c.Width(), c.Height()));
        SelectGuard select(memory.Get(), bitmap.Get());
        ::SendMessageW(Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()),
                       PRF_CLIENT);
        return std::to_wstring(::GetPixel(memory.Get(), x, y));
    }
    if (command.rfind(L"item ", 0) == 0) {
        // An item's check and enabled state, as the menu shows them.
        const auto* row = Commands().ByName(command.substr(5));
        if (!row) return L"unknown item";
        out << L"Checked=" << (row->Checked && row->Checked(*this) ? 1 : 0) << L"\nEnabled="
            << (!row->Enabled || row->Enabled(*this) ? 1 : 0) << L"\nCaption=" << row->Caption
            << L"\nKey=" << row->Key;
        return out.str();
    }
    if (command == L"failingdialog") {
        // A modal dialog that fails while it is open: the top-most level
        // must come back all the same, and the error is shown.
        GuardedCall([this] {
            TopMostScope scope(*this);
            throw EUserError(L"Der Dialog konnte nicht angezeigt werden.");
        });
        return std::to_wstring(::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST ? 1 : 0);
    }
    if (command == L"menu") return OpenMenuItems();
    if (command == L"ininame") return m_paths ? m_paths->IniName() : std::wstring();
    if (command == L"measure") {
        // What the measuring hotkey does.
        MeasureStartPoint();
        return L"ok";
    }
    double value = 0;
    if (NumberAfter(command, L"setcolor Back ", value)) {
        SetColorBack(static_cast<TColor>(value));
    } else if (NumberAfter(command, L"setcolor Ticks ", value)) {
        SetColorTicks(static_cast<TColor>(value));
    } else if (NumberAfter(command, L"setcolor MouseLine ", value)) {
        SetColorMouseLine(static_cast<TColor>(value));
    } else if (NumberAfter(command, L"setcolor MousePosBack ", value)) {
        SetColorMousePosBack(static_cast<TColor>(value));
    } else if (NumberAfter(command, L"setcolor MousePosText ", value)) {
        SetColorMousePosText(static_cast<TColor>(value));
    } else if (NumberAfter(command, L"pixelspermm ", value)) {
        // Calibrates by hand to an exact spacing, as the settings dialog will.
        SetRefCmSize(RefCmSizeFromPixelsPerMM(value));
    } else if (command == L"reinstallhook") {
        InstallHookMouse();
        return L"ok";
    } else {
        return L"unknown command";
    }
    ::UpdateWindow(Handle());
    return L"ok";
}
