// The ruler's answers on the test control channel (only with the test switch):
// its state for the end-to-end tests, and commands whose menu items and
// hotkeys come later.
#include "ruler/win/MainDlg.h"
#include "ruler/win/MainDlgMenu.h"

#include "hook/ZephalApi.h"

#include <sstream>

std::wstring TMainDlg::TestQuery(const std::wstring& command) {
    std::wostringstream out;
    if (command == L"state") {
        RECT w{};
        ::GetWindowRect(Handle(), &w);
        const Rect c = ClientRect();
        POINT origin{0, 0};
        ::ClientToScreen(Handle(), &origin);
        out << L"Left=" << w.left << L"\nTop=" << w.top << L"\nClientLeft=" << origin.x
            << L"\nClientTop=" << origin.y << L"\nClientWidth=" << c.Width() << L"\nClientHeight="
            << c.Height() << L"\nHorizontal=" << (FHorizontal ? 1 : 0) << L"\nUnit="
            << static_cast<int>(fRulerUnit) << L"\nActX=" << ActX_ << L"\nActY=" << ActY_
            << L"\nMousePos=" << Cursor.MousePos << L"\nHasStartPos="
            << (Cursor.HasStartPos ? 1 : 0) << L"\nStartPos=" << Cursor.StartPos << L"\nBoxLeft="
            << Cursor.MousePosDisplay.Left << L"\nBoxTop=" << Cursor.MousePosDisplay.Top
            << L"\nBoxRight=" << Cursor.MousePosDisplay.Right << L"\nBoxBottom="
            << Cursor.MousePosDisplay.Bottom << L"\nBoxText="
            << MousePosText(CursorRulerNow(), Cursor, Cursor.MousePos) << L"\nDown="
            << (Down ? 1 : 0) << L"\nHWidth=" << HWidth << L"\nVHeight=" << VHeight
            << L"\nHookMessages=" << m_hookMessages << L"\nHookSet=" << (::IsHookSetMouse() ? 1 : 0)
            << L"\nBackImgRenders=" << m_backImgRenders << L"\nPixelsCopied=" << m_pixelsCopied
            << L"\nCmAuto=" << (FCmAuto ? 1 : 0) << L"\nRefCmSize=" << FRefCmSize
            << L"\nPixelsPerMMX=" << m_PixelMMConverter.PixelsPerMMX() << L"\nPixelsPerMMY="
            << m_PixelMMConverter.PixelsPerMMY() << L"\nTopMost="
            << ((::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0)
            << L"\nVisible=" << (::IsWindowVisible(Handle()) ? 1 : 0) << L"\nCheckedUnit=";
        for (UINT id : {idPixel20, idPixel32, idPixel50, idMilimeter})
            if (::GetMenuState(menUnit, id, MF_BYCOMMAND) & MF_CHECKED) out << id - idMilimeter;
        return out.str();
    }
    if (command.rfind(L"unit ", 0) == 0) {
        SetRulerUnit(RulerUnitFromOrdinal(std::stoll(command.substr(5))));
        ::UpdateWindow(Handle());
        return L"ok";
    }
    if (command == L"plus") {
        Plus1Click();
        return L"ok";
    }
    if (command == L"minus") {
        Minus1Click();
        return L"ok";
    }
    if (command == L"ininame") return m_Paths ? m_Paths->IniName() : std::wstring();
    if (command == L"measure") {
        MeasureStartPoint();
        return L"ok";
    }
    if (command.rfind(L"setcolor ", 0) == 0) {
        // setcolor <Back|Ticks|MouseLine|MousePosBack|MousePosText> <decimal value>
        std::wistringstream in(command.substr(9));
        std::wstring which;
        long long value = 0;
        in >> which >> value;
        const TColor c = static_cast<TColor>(value);
        if (which == L"Back")
            SetColorBack(c);
        else if (which == L"Ticks")
            SetColorTicks(c);
        else if (which == L"MouseLine")
            SetColorMouseLine(c);
        else if (which == L"MousePosBack")
            SetColorMousePosBack(c);
        else if (which == L"MousePosText")
            SetColorMousePosText(c);
        else
            return L"unknown colour";
        ::UpdateWindow(Handle());
        return L"ok";
    }
    if (command == L"orientation") {
        // Turns the ruler (the menu command comes with the window commands).
        FHorizontal = !FHorizontal;
        OrientationChanged();
        ::UpdateWindow(Handle());
        return L"ok";
    }
    if (command.rfind(L"pixelspermm ", 0) == 0) {
        // Calibrates by hand to an exact spacing, for checking the scale.
        const double perMM = std::stod(command.substr(12));
        FCmAuto = false;
        FRefCmSize = RefCmSizeFromPixelsPerMM(perMM);
        UpdatePixelMMConverter();
        ::UpdateWindow(Handle());
        return L"ok";
    }
    if (command == L"reinstallhook") {
        InstallHookMouse();
        return L"ok";
    }
    return L"unknown command";
}
