#include "ruler/win/RulerTestChannel.h"

#include "magnifier/win/MagnifierDlg.h"
#include "ruler/win/HookLibrary.h"
#include "ruler/win/MainDlg.h"
#include "ruler/win/RulerCommands.h"
#include "ruler/win/RulerCompanions.h"
#include "ruler/win/RulerHotkeys.h"
#include "ruler/win/RulerStateKeys.h"
#include "ruler/win/RulerTray.h"
#include "storage/PBPathList.h"
#include "util/ColorText.h"
#include "util/Numbers.h"
#include "util/UserError.h"
#include "util/win/AppError.h"
#include "util/win/TestControl.h"
#include "util/win/WindowRects.h"

#include <cwchar>
#include <sstream>

namespace {

// As the stream writes it: whole numbers plainly, decimals with a point and
// six significant digits, booleans as 1 and 0.
template <class T> std::wstring Text(const T& value) {
    std::wostringstream out;
    out << value;
    return out.str();
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

Point ClientOrigin(HWND wnd) {
    POINT origin{0, 0};
    ::ClientToScreen(wnd, &origin);
    return {origin.x, origin.y};
}

// The units the menu shows checked, as their ordinals.
std::wstring CheckedUnits(const TMainDlg& d) {
    std::wstring checked;
    for (const auto& row : TMainDlg::Commands().Rows())
        if (row.IsChosen == &TMainDlg::UnitIs && !row.Hidden && row.IsChecked(d))
            checked += Text(row.Value);
    return checked;
}

struct StateRow {
    RulerStateKey Key;
    std::wstring (*Value)(const TMainDlg&);
};

using namespace RulerState;

// clang-format off
const StateRow StateRows[] = {
    {Left, [](const TMainDlg& d) { return Text(WindowRectOf(d.Handle()).Left); }},
    {Top, [](const TMainDlg& d) { return Text(WindowRectOf(d.Handle()).Top); }},
    {ClientLeft, [](const TMainDlg& d) { return Text(ClientOrigin(d.Handle()).X); }},
    {ClientTop, [](const TMainDlg& d) { return Text(ClientOrigin(d.Handle()).Y); }},
    {ClientWidth, [](const TMainDlg& d) { return Text(d.ClientRect().Width()); }},
    {ClientHeight, [](const TMainDlg& d) { return Text(d.ClientRect().Height()); }},
    {Horizontal, [](const TMainDlg& d) { return Text(d.Model().Geometry.FHorizontal); }},
    {Unit, [](const TMainDlg& d) { return Text(static_cast<int>(d.Model().Scale.fRulerUnit)); }},
    {ActX, [](const TMainDlg& d) { return Text(d.Pointer().X); }},
    {ActY, [](const TMainDlg& d) { return Text(d.Pointer().Y); }},
    {MousePos, [](const TMainDlg& d) { return Text(d.Model().Cursor.MousePos); }},
    {HasStartPos, [](const TMainDlg& d) { return Text(d.Model().Cursor.HasStartPos); }},
    {StartPos, [](const TMainDlg& d) { return Text(d.Model().Cursor.StartPos); }},
    {BoxLeft, [](const TMainDlg& d) { return Text(d.Model().Cursor.MousePosDisplay.Left); }},
    {BoxTop, [](const TMainDlg& d) { return Text(d.Model().Cursor.MousePosDisplay.Top); }},
    {BoxRight, [](const TMainDlg& d) { return Text(d.Model().Cursor.MousePosDisplay.Right); }},
    {BoxBottom, [](const TMainDlg& d) { return Text(d.Model().Cursor.MousePosDisplay.Bottom); }},
    {BoxText, [](const TMainDlg& d) {
         const CursorState& cursor = d.Model().Cursor;
         return MousePosText(d.CursorView(), cursor, cursor.MousePos);
     }},
    {Down, [](const TMainDlg& d) { return Text(d.Model().Down); }},
    {HWidth, [](const TMainDlg& d) { return Text(d.Model().Geometry.HWidth); }},
    {VHeight, [](const TMainDlg& d) { return Text(d.Model().Geometry.VHeight); }},
    {HookMessages, [](const TMainDlg& d) { return Text(d.Counters().HookMessages); }},
    {HookSet, [](const TMainDlg&) { return Text(HookLibrary::IsHookSetMouse()); }},
    {BackImgRenders, [](const TMainDlg& d) { return Text(d.Counters().FaceRenders); }},
    {Paints, [](const TMainDlg& d) { return Text(d.Counters().Paints); }},
    {TimerMessages, [](const TMainDlg&) { return Text(LoopTimerMessages()); }},
    {PixelsCopied, [](const TMainDlg& d) { return Text(d.Counters().PixelsCopied); }},
    {CmAuto, [](const TMainDlg& d) { return Text(d.Model().Calibration.FCmAuto); }},
    {RefCmSize, [](const TMainDlg& d) { return Text(d.Model().Calibration.FRefCmSize); }},
    {PixelsPerMMX, [](const TMainDlg& d) { return Text(d.Model().Scale.Converter.PixelsPerMMX()); }},
    {PixelsPerMMY, [](const TMainDlg& d) { return Text(d.Model().Scale.Converter.PixelsPerMMY()); }},
    {Dpi, [](const TMainDlg& d) { return Text(d.Dpi()); }},
    {MonitorId, [](const TMainDlg& d) { return d.Model().Calibration.MonitorId; }},
    {Monitors, [](const TMainDlg& d) { return Text(d.Monitors().Monitors().size()); }},
    {TopMost, [](const TMainDlg& d) {
         return Text((::GetWindowLongPtrW(d.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
     }},
    {Visible, [](const TMainDlg& d) { return Text(::IsWindowVisible(d.Handle()) != FALSE); }},
    {OnTop, [](const TMainDlg& d) { return Text(d.Model().Options.OnTop); }},
    {Transparency, [](const TMainDlg& d) { return Text(d.Model().Options.fTransparency); }},
    {CheckedTransparency, [](const TMainDlg& d) {
         for (int percent = 0; percent <= 60; percent += 10)
             if (d.TransparencyIs(percent)) return Text(percent);
         return std::wstring();
     }},
    {TrayIcon, [](const TMainDlg& d) { return Text(d.Tray().MainIconShown()); }},
    {TrayPicture, [](const TMainDlg& d) { return Text(d.Tray().MainPicture()); }},
    {TrayColorPicker, [](const TMainDlg& d) { return Text(d.Tray().PickerShown()); }},
    {Magnifier, [](const TMainDlg& d) { return Text(d.Companions().Magnifier() != nullptr); }},
    {MagnifierChecked, [](const TMainDlg& d) { return Text(d.Model().Options.Magnifier); }},
    {Zoom, [](const TMainDlg& d) { return Text(d.Model().Options.Zoom); }},
    {ColorWindow, [](const TMainDlg& d) { return Text(d.Companions().ColorWindowOpen()); }},
    {ColorDlgColor, [](const TMainDlg& d) {
         return ColorToShortHexBGR(d.Companions().ColorDlgColor());
     }},
    {ColorShot, [](const TMainDlg& d) { return Text(d.Companions().ColorShotRunning()); }},
    {MagnifierDraws, [](const TMainDlg& d) {
         const TMagnifierDlg* m = d.Companions().Magnifier();
         return Text(m ? m->Draws() : 0);
     }},
    {MagnifierTicks, [](const TMainDlg& d) {
         const TMagnifierDlg* m = d.Companions().Magnifier();
         return Text(m ? m->TimerTicks() : 0);
     }},
    {MenuHint, [](const TMainDlg& d) { return d.MenuHint(); }},
    {Layered, [](const TMainDlg& d) { return Text(LayeredAlpha(d.Handle())); }},
    {HotKeys, [](const TMainDlg& d) { return Text(d.Hotkeys().Registered()); }},
    {HotkeyPresses, [](const TMainDlg& d) { return Text(d.Counters().HotkeyPresses); }},
    {SettingsDlg, [](const TMainDlg& d) { return Text(d.SettingsDlgOpen()); }},
    {UpdateCheck, [](const TMainDlg& d) { return Text(d.Companions().UpdateCheckRunning()); }},
    {CheckedUnit, CheckedUnits},
    {MarkPositions, [](const TMainDlg& d) {
         std::wstring list;
         for (int pos : d.MarksShown().Positions)
             list += (list.empty() ? L"" : L",") + Text(pos);
         return list;
     }},
    {EdgeSpans, [](const TMainDlg& d) { return Text(d.Counters().EdgeSpans); }},
    {ScreenPixelsRead, [](const TMainDlg& d) { return Text(d.Counters().ScreenPixelsRead); }},
    {StartTip, [](const TMainDlg& d) {
         const TTrackingHint& tip = d.StartTip();
         return tip.Shown() && ::IsWindowVisible(tip.Tooltip()) ? tip.Text() : std::wstring();
     }},
};
// clang-format on

std::wstring StateAnswer(const TMainDlg& ruler) {
    std::wstring answer;
    for (const StateRow& row : StateRows) {
        if (!answer.empty()) answer += L'\n';
        answer += std::wstring(row.Key.Name) + L"=" + row.Value(ruler);
    }
    return answer;
}

// The colours the test channel may set, by name.
struct ColorSetting {
    const wchar_t* Name;
    TColor& (*Field)(RulerModel&);
};
const ColorSetting ColorSettings[] = {
    {L"Back", [](RulerModel& m) -> TColor& { return m.Look.FColorBack; }},
    {L"Ticks", [](RulerModel& m) -> TColor& { return m.Look.FColorTicks; }},
    {L"MouseLine", [](RulerModel& m) -> TColor& { return m.MarkColors.FColorMouseLine; }},
    {L"MousePosBack", [](RulerModel& m) -> TColor& { return m.MarkColors.FColorMousePosBack; }},
    {L"MousePosText", [](RulerModel& m) -> TColor& { return m.MarkColors.FColorMousePosText; }},
};

// "name value" with a decimal number written with a point, whatever the
// user's locale says; false when the number is missing.
bool NumberAfter(const std::wstring& command, const std::wstring& prefix, double& value) {
    if (command.rfind(prefix, 0) != 0) return false;
    return TryStrToFloatMV(command.substr(prefix.size()), L'.', value);
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

// Prints the client area into a memory DC, as a screenshot tool would, and
// tells the colour at client (x, y) of the print.
std::wstring PrintedPixel(const TMainDlg& ruler, const std::wstring& at) {
    std::wistringstream in(at);
    int x = 0, y = 0;
    in >> x >> y;
    const Rect c = ruler.ClientRect();
    WindowDC screen(ruler.Handle());
    UniqueHdc memory(::CreateCompatibleDC(screen.Get()));
    UniqueHBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), c.Width(), c.Height()));
    SelectGuard select(memory.Get(), bitmap.Get());
    ::SendMessageW(ruler.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()),
                   PRF_CLIENT);
    return Text(::GetPixel(memory.Get(), x, y));
}

// An item's check and enabled state, as the menu shows them.
std::wstring ItemState(const TMainDlg& ruler, const std::wstring& name) {
    const auto& commands = TMainDlg::Commands();
    const auto* row = commands.ByName(name);
    if (!row) return L"unknown item";
    std::wostringstream out;
    out << L"Checked=" << row->IsChecked(ruler) << L"\nEnabled=" << row->IsEnabled(ruler)
        << L"\nCaption=" << row->Caption() << L"\nKey="
        << static_cast<unsigned>(row->Key.VirtualKey);
    return out.str();
}

} // namespace

std::wstring AnswerTest(TMainDlg& ruler, const std::wstring& command) {
    if (command == L"state") return StateAnswer(ruler);
    if (command.rfind(L"command ", 0) == 0) {
        const bool ran = ruler.RunCommand(command.substr(8));
        ::UpdateWindow(ruler.Handle());
        return ran ? L"ok" : L"unknown command";
    }
    if (command.rfind(L"printclient ", 0) == 0) return PrintedPixel(ruler, command.substr(12));
    if (command.rfind(L"item ", 0) == 0) return ItemState(ruler, command.substr(5));
    if (command == L"failingdialog") {
        // A modal dialog that fails while it is open: the top-most level
        // must come back all the same, and the error is shown.
        GuardedCall([&] {
            RulerCompanions::TopMostScope scope(ruler.Companions());
            throw EUserError(L"Der Dialog konnte nicht angezeigt werden.");
        });
        return Text((::GetWindowLongPtrW(ruler.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    }
    if (command == L"menu") return OpenMenuItems();
    if (command == L"ininame") return ruler.Paths().IniName();
    if (command == L"measure") {
        // What the measuring hotkey does.
        ruler.MeasureStartPoint();
        return L"ok";
    }
    if (command.rfind(L"pin ", 0) == 0) {
        // Pins a mark at a screen point, as the hotkey does at the pointer.
        int x = 0, y = 0;
        if (std::swscanf(command.c_str() + 4, L"%d %d", &x, &y) != 2) return L"bad point";
        ruler.PinMarkAt({x, y});
        ::UpdateWindow(ruler.Handle());
        return L"ok";
    }
    if (command == L"reinstallhook") {
        ruler.InstallHookMouse();
        return L"ok";
    }
    double value = 0;
    if (NumberAfter(command, L"pixelspermm ", value)) {
        // Calibrates by hand to an exact spacing, as the settings dialog will.
        ruler.SetRefCmSize(RefCmSizeFromPixelsPerMM(value));
        ::UpdateWindow(ruler.Handle());
        return L"ok";
    }
    for (const ColorSetting& setting : ColorSettings) {
        if (!NumberAfter(command, L"setcolor " + std::wstring(setting.Name) + L" ", value))
            continue;
        ruler.ChangeModel([&](RulerModel& m) { setting.Field(m) = static_cast<TColor>(value); });
        ::UpdateWindow(ruler.Handle());
        return L"ok";
    }
    return L"unknown command";
}
