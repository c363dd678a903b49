// The real program started in the virtual desktop and driven like a user would.
#include "DravikProcess.h"
#include "Screen.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <vector>

namespace {

class Startup : public ::testing::Test {
  protected:
    void SetUp() override { dravik = std::make_unique<DravikProcess>(); }
    void TearDown() override {
        KeepScreenshotIfFailed();
        dravik.reset();
    }
    std::unique_ptr<DravikProcess> dravik;
};

struct WindowCount {
    DWORD pid;
    int visible = 0;
};

BOOL CALLBACK CountVisible(HWND wnd, LPARAM param) {
    auto* count = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (pid == count->pid && ::IsWindowVisible(wnd)) ++count->visible;
    return TRUE;
}

} // namespace

TEST_F(Startup, OneBorderlessTopMostRulerWithItsDefaultPlaceAndSize) {
    HWND ruler = dravik->Ruler();
    const LONG_PTR style = ::GetWindowLongPtrW(ruler, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrW(ruler, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME), 0);
    EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);

    // 1280 x 800 desktop: (1280 - 600) / 2 = 340, (800 - 400) / 2 = 200.
    auto state = dravik->State();
    EXPECT_EQ(state[RulerState::ClientLeft], L"340");
    EXPECT_EQ(state[RulerState::ClientTop], L"200");
    EXPECT_EQ(state[RulerState::ClientWidth], L"600");
    EXPECT_EQ(state[RulerState::ClientHeight], L"49");
    RECT window{};
    ::GetWindowRect(ruler, &window);
    EXPECT_EQ(window.left, 340);
    EXPECT_EQ(window.top, 200);
    EXPECT_EQ(window.right - window.left, 600);
    EXPECT_EQ(window.bottom - window.top, 49);

    DWORD pid = 0;
    ::GetWindowThreadProcessId(ruler, &pid);
    WindowCount count{pid};
    ::EnumWindows(&CountVisible, reinterpret_cast<LPARAM>(&count));
    // The ruler and the magnifier, which a first start opens.
    EXPECT_EQ(count.visible, 2);

    // The ruler is on screen where it says it is: its face differs from the
    // desktop just outside it.
    // (The program paints asynchronously to the screen this test reads.)
    EXPECT_TRUE(dravik->WaitUntil([] { return ScreenPixel(640, 224) != ScreenPixel(640, 260); }));
}

TEST_F(Startup, MouseMovesAnywhereOnTheDesktopReachTheRuler) {
    const POINT targets[] = {{10, 790}, {1270, 5}, {640, 600}, {345, 210}, {0, 0}};
    for (const POINT& p : targets) {
        MoveMouseTo(p.x, p.y);
        EXPECT_TRUE(dravik->WaitUntil([&] {
            auto state = dravik->State();
            return state[RulerState::ActX] == std::to_wstring(p.x) &&
                   state[RulerState::ActY] == std::to_wstring(p.y);
        })) << p.x
            << "," << p.y;
    }
    EXPECT_EQ(dravik->StateInt(RulerState::HookSet), 1);
}

TEST_F(Startup, EscapeOnTheFocusedRulerEndsTheProgram) {
    // A click on the ruler gives it the focus, as a user would do.
    LeftClickAt(400, 220);
    ASSERT_TRUE(dravik->WaitUntil([&] { return ::GetForegroundWindow() == dravik->Ruler(); }));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(dravik->WaitForExit(5000));
}

TEST_F(Startup, CalibrationStepSwitchesToMillimetresAndCalibratesByHand) {
    EXPECT_EQ(dravik->StateInt(RulerState::Unit), 2);
    EXPECT_EQ(dravik->StateInt(RulerState::CmAuto), 1);
    const double autoValue = dravik->StateDouble(RulerState::PixelsPerMMX);
    EXPECT_EQ(dravik->Ask(L"command Plus1"), L"ok");
    EXPECT_EQ(dravik->StateInt(RulerState::Unit), 0);
    EXPECT_EQ(dravik->StateInt(RulerState::CmAuto), 0);
    // "MM-Abstand vergrößern": the millimetre ticks move apart.
    const double after = dravik->StateDouble(RulerState::PixelsPerMMX);
    EXPECT_GT(after, autoValue);
    EXPECT_EQ(dravik->Ask(L"command Minus1"), L"ok");
    EXPECT_NEAR(dravik->StateDouble(RulerState::PixelsPerMMX), autoValue, 1e-3);
}

TEST_F(Startup, UnitMenuChecksFollowTheUnitAndTheHiddenTwipChecksNothing) {
    EXPECT_EQ(dravik->State()[RulerState::CheckedUnit], L"2");
    const std::pair<const wchar_t*, int> items[] = {
        {L"menMilimeter", 0}, {L"menPixel20", 1}, {L"menPixel50", 3}, {L"menPixel32", 2}};
    for (const auto& [item, unit] : items) {
        ASSERT_EQ(dravik->Ask(std::wstring(L"command ") + item), L"ok");
        const auto state = dravik->State();
        EXPECT_EQ(state[RulerState::CheckedUnit], std::to_wstring(unit));
        EXPECT_EQ(state[RulerState::Unit], std::to_wstring(unit));
    }
    // The twip item is hidden: the menu shows no unit checked.
    ASSERT_EQ(dravik->Ask(L"command menTwip"), L"ok");
    const auto state = dravik->State();
    EXPECT_EQ(state[RulerState::CheckedUnit], L"");
    EXPECT_EQ(state[RulerState::Unit], L"4");
}

TEST(InstalledStartup, SettingsFileIsInTheUsersApplicationData) {
    DravikProcess installed({.PortableSettings = false});
    wchar_t appData[MAX_PATH] = {};
    ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE));
    const std::wstring folder = std::wstring(appData) + L"\\Morvane\\Dravik";
    EXPECT_EQ(installed.Ask(L"ininame"), folder + L"\\Settings.ini");
    EXPECT_NE(::GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Startup, AnIniFileNamedLikeTheProgramBesideItWins) {
    EXPECT_EQ(dravik->Ask(L"ininame"), dravik->SettingsFile());
}

// Without its hook library the program says in German which file is wrong
// and ends; it never shows a ruler that cannot follow the mouse.
TEST(BrokenInstallation, AMissingOrBrokenHookLibraryIsNamedAndTheProgramEnds) {
    for (auto hook : {DravikOptions::Hook::Missing, DravikOptions::Hook::Broken}) {
        DravikProcess dravik({.HookFile = hook});
        HWND box = nullptr;
        const std::wstring text = dravik.WaitForMessageBox(10000, &box);
        EXPECT_NE(text.find(L"zephal.dll"), std::wstring::npos) << text;
        EXPECT_NE(text.find(hook == DravikOptions::Hook::Missing ? L"fehlt" : L"beschädigt"),
                  std::wstring::npos)
            << text;
        ASSERT_NE(box, nullptr);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(dravik.WaitForExit(5000));
        EXPECT_EQ(dravik.ExitCode(), 1u);
        KeepScreenshotIfFailed();
    }
}

// Any program may send the ruler data it did not ask for; a huge block must
// neither end it nor hide it.
TEST_F(Startup, AHugeCopyDataFromAnotherProgramLeavesTheRulerRunning) {
    std::vector<wchar_t> junk(1024 * 1024, L'x'); // 2 MB
    for (ULONG_PTR kind : {ULONG_PTR{0}, ULONG_PTR{0x44564B51}}) {
        COPYDATASTRUCT data{kind, static_cast<DWORD>(junk.size() * sizeof(wchar_t)), junk.data()};
        DWORD_PTR result = 0;
        // Wine cannot hand such a block over: the sender waits until the
        // timeout while the ruler drops the message and goes on.
        ::SendMessageTimeoutW(dravik->Ruler(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                              SMTO_ABORTIFHUNG, 1000, &result);
    }
    EXPECT_TRUE(dravik->Running());
    EXPECT_TRUE(::IsWindowVisible(dravik->Ruler()));
    EXPECT_EQ(dravik->StateInt(RulerState::Visible), 1);
}

TEST_F(Startup, ASecondStartEndsAtOnceWithoutAWindow) {
    DravikProcess second({.ExpectRuler = false});
    EXPECT_TRUE(second.WaitForExit(5000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(dravik->Running());
    EXPECT_TRUE(::IsWindowVisible(dravik->Ruler()));
    // The first copy still owns the lock after the second has gone.
    DravikProcess third({.ExpectRuler = false});
    EXPECT_TRUE(third.WaitForExit(5000));
}
