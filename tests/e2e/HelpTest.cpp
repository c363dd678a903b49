// The help as a user reaches it: F1 on the ruler opens the viewer with its
// contents, and closing the program closes the viewer.
#include "WindowDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

// The viewer's window ("HH Parent") of any process in this desktop.
HWND HelpViewer() {
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND wnd, LPARAM param) -> BOOL {
            if (ClassOf(wnd) != L"HH Parent" || !::IsWindowVisible(wnd)) return TRUE;
            *reinterpret_cast<HWND*>(param) = wnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND ContentsTree(HWND viewer) {
    HWND tree = nullptr;
    ::EnumChildWindows(
        viewer,
        [](HWND wnd, LPARAM param) -> BOOL {
            if (ClassOf(wnd) != WC_TREEVIEWW) return TRUE;
            *reinterpret_cast<HWND*>(param) = wnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tree));
    return tree;
}

} // namespace

TEST(Help, F1OpensTheViewerWithItsContentsAndClosingTheProgramClosesIt) {
    const TBytes chm = ReadBytes(TestProgramDir() + L"Hilfe.chm");
    ASSERT_FALSE(chm.empty()) << "the build puts Hilfe.chm beside the tests";
    DravikProcess dravik(
        {.Settings = SettingsFile(L"Magnifier=0"), .Files = {{L"Hilfe.chm", chm}}});
    ASSERT_TRUE(dravik.WaitUntil([&] { return ::GetForegroundWindow() == dravik.Ruler(); }));
    PressKey(VK_F1);
    HWND viewer = nullptr;
    ASSERT_TRUE(dravik.WaitUntil([&] { return (viewer = HelpViewer()) != nullptr; }, 10000));
    EXPECT_EQ(Text(viewer), L"Dravik Hilfe");
    HWND tree = nullptr;
    EXPECT_TRUE(dravik.WaitUntil([&] {
        tree = ContentsTree(viewer);
        return tree && ::SendMessageW(tree, TVM_GETCOUNT, 0, 0) >= 8;
    }));
    EXPECT_TRUE(dravik.Close());
    EXPECT_TRUE(dravik.WaitUntil([] { return HelpViewer() == nullptr; }));
}
