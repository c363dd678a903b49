// The ruler's answers on the test control channel (only with the test switch):
// its state for the end-to-end tests, and commands run by their item names
// through the same path a click takes.
#include "ruler/win/HookLibrary.h"
#include "ruler/win/MainDlg.h"

#include "ruler/win/RulerCommands.h"
#include "util/Numbers.h"
#include "util/win/TestControl.h"

#include <sstream>

namespace {

// "name value" with a decimal number; false when the number is missing.
bool NumberAfter(const std::wstring& command, const std::wstring& prefix, double& value) {
    if (command.rfind(prefix, 0) != 0) return false;
    return TryStrToFloat(command.substr(prefix.size()), value);
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
        HMENU units = ::GetSubMenu(popMenu.Get(), 1);
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
            << L"\nVisible=" << (::IsWindowVisible(Handle()) ? 1 : 0) << L"\nCheckedUnit=";
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
