// The magnifier's tool bar follows its window to a monitor of another DPI:
// buttons, pictures and strip in the new sizes, the zoom buttons' states kept.
#include "../common/TestFiles.h"
#include "magnifier/win/MagnifierDlg.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

namespace {

struct ToolBarSizes {
    int Button = 0, Icon = 0, Height = 0;
    bool ZoomInEnabled = false;
};

ToolBarSizes SizesOf(const TMagnifierDlg& dlg) {
    const HWND bar = ::FindWindowExW(dlg.Handle(), nullptr, TOOLBARCLASSNAMEW, nullptr);
    ToolBarSizes sizes;
    if (!bar) return sizes;
    sizes.Button = LOWORD(::SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0));
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(bar, TB_GETIMAGELIST, 0, 0));
    int cx = 0, cy = 0;
    if (images && ::ImageList_GetIconSize(images, &cx, &cy)) sizes.Icon = cx;
    RECT r{};
    ::GetWindowRect(bar, &r);
    sizes.Height = r.bottom - r.top;
    // The first button zooms in.
    TBBUTTON first{};
    ::SendMessageW(bar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&first));
    sizes.ZoomInEnabled = (first.fsState & TBSTATE_ENABLED) != 0;
    return sizes;
}

} // namespace

TEST(MagnifierToolBar, IsBuiltAnewForTheDpiOfItsNewMonitor) {
    ScratchFolder folder;
    TMagnifierDlg dlg;
    dlg.Create(nullptr, folder.File(L"Dravik.ini"), sifUnicode);
    dlg.SetZoom(20); // zooming in is not available at the end
    for (const int dpi : {144, 192, 96}) {
        SCOPED_TRACE(dpi);
        RECT place{};
        ::GetWindowRect(dlg.Handle(), &place);
        ::SendMessageW(dlg.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&place));
        const ToolBarSizes sizes = SizesOf(dlg);
        EXPECT_EQ(sizes.Button, ::MulDiv(24, dpi, 96));
        EXPECT_EQ(sizes.Icon, ::MulDiv(16, dpi, 96));
        EXPECT_EQ(sizes.Height, ::MulDiv(28, dpi, 96) - 1);
        EXPECT_FALSE(sizes.ZoomInEnabled);
    }
}
