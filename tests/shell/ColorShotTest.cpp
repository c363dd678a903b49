// The screen colour shot with real input: two strips of known colours are on
// the screen, a driver thread clicks, drags or presses Esc on the frozen copy
// once the shot window shows, and the shot's answer is checked.
#include "../common/Input.h"
#include "colour/win/MVColorShot.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

constexpr TColor kLeft = 0x2060C0;  // columns 300-349
constexpr TColor kRight = 0x40A010; // columns 350-399

HWND ShotWindow() {
    HWND wnd = ::FindWindowW(L"TMVColorShotDlg", nullptr);
    return wnd && ::IsWindowVisible(wnd) ? wnd : nullptr;
}

TColor ScreenPixel(int x, int y) {
    WindowDC screen(nullptr);
    return static_cast<TColor>(::GetPixel(screen.Get(), x, y));
}

// Moves the mouse and waits until the preview at the top-left corner shows
// the colour a click would pick there. Wine drops a move now and then onto a
// window just opened under the pointer: then the move is made again.
template <typename Done> bool MoveUntil(int x, int y, Done done) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        MoveMouseTo(x + 1, y);
        MoveMouseTo(x, y);
        if (PollFor(done, 500)) return true;
    }
    return false;
}

bool MoveUntilPreviewShows(int x, int y, TColor color) {
    return MoveUntil(x, y, [color] { return ScreenPixel(20, 20) == color; });
}

class ColorShot : public ::testing::Test {
  protected:
    void SetUp() override {
        // Two top-most strips that the system paints in their class colours.
        for (int i = 0; i < 2; ++i) {
            const wchar_t* name = i ? L"DravikShotRight" : L"DravikShotLeft";
            WNDCLASSW wc{};
            wc.lpfnWndProc = &::DefWindowProcW;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.hbrBackground = ::CreateSolidBrush(i ? kRight : kLeft);
            wc.lpszClassName = name;
            if (!::RegisterClassW(&wc)) ::DeleteObject(wc.hbrBackground);
            m_sample[i] = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, name, L"",
                                            WS_POPUP | WS_VISIBLE, 300 + 50 * i, 200, 50, 40,
                                            nullptr, nullptr, wc.hInstance, nullptr);
        }
        MoveMouseTo(640, 500);
        // The shot copies what is on the screen: the strips must be there.
        ASSERT_TRUE(PollFor(
            [] {
                MSG msg;
                while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                    ::DispatchMessageW(&msg);
                return ScreenPixel(310, 210) == kLeft && ScreenPixel(360, 230) == kRight;
            },
            3000));
    }
    void TearDown() override {
        for (HWND w : m_sample)
            ::DestroyWindow(w);
    }

    // Runs one shot while a driver thread acts on it; a shot that does not
    // end after the driver is done is closed (and the test fails).
    bool Shoot(TMVColorShotDlg& shot, std::function<void()> act) {
        std::atomic<bool> closed{false};
        std::thread driver([&] {
            if (PollFor([] { return ShotWindow() != nullptr; }, 10000)) act();
            if (!PollFor([] { return ShotWindow() == nullptr; }, 5000)) {
                closed = true;
                ::PostMessageW(ShotWindow(), WM_CLOSE, 0, 0);
            }
        });
        const bool ok = shot.Execute(m_sample[0]);
        driver.join();
        EXPECT_FALSE(closed) << "the shot did not end by itself";
        return ok;
    }

    HWND m_sample[2] = {};
};

} // namespace

TEST_F(ColorShot, ClickPicksThePixelAndThePreviewShowsItAndJumpsAway) {
    TMVColorShotDlg shot;
    bool previewShowed = false, jumped = false, jumpedBack = false;
    const bool ok = Shoot(shot, [&] {
        previewShowed = MoveUntilPreviewShows(310, 210, kLeft);
        HWND preview = ::FindWindowExW(ShotWindow(), nullptr, L"TMVColorShotPreview", nullptr);
        auto left = [preview] {
            RECT r{};
            ::GetWindowRect(preview, &r);
            return r.left;
        };
        const int width = ::GetSystemMetrics(SM_CXSCREEN);
        jumped = MoveUntil(10, 10, [&] { return left() > width / 2; });
        // onto the colour panel at the right
        jumpedBack = MoveUntil(width - 90, 10, [&] { return left() == 0; });
        MoveUntilPreviewShows(360, 230, kRight);
        MouseEventAt(360, 230, MOUSEEVENTF_LEFTDOWN);
        MouseEventAt(360, 230, MOUSEEVENTF_LEFTUP);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(shot.PickColor(), kRight);
    EXPECT_TRUE(previewShowed);
    EXPECT_TRUE(jumped);
    EXPECT_TRUE(jumpedBack);
    EXPECT_FALSE(TMVColorShotDlg::Running());
    EXPECT_TRUE(::IsWindowEnabled(m_sample[0])); // the owner is given back
}

TEST_F(ColorShot, DragAveragesAndEscWhileDraggingCancels) {
    TMVColorShotDlg shot;
    // Five columns of each colour, two rows, dragged right to left. Each step
    // waits until the preview shows it: Wine loses moves now and then.
    auto mean = [](int a, int b) { return (5 * a + 5 * b) / 10; };
    const TColor average =
        RGBColor(mean(RedOf(kLeft), RedOf(kRight)), mean(GreenOf(kLeft), GreenOf(kRight)),
                 mean(BlueOf(kLeft), BlueOf(kRight)));
    EXPECT_TRUE(Shoot(shot, [average] {
        MoveUntilPreviewShows(354, 211, kRight);
        MouseEventAt(354, 211, MOUSEEVENTF_LEFTDOWN);
        MoveUntilPreviewShows(345, 210, average);
        MouseEventAt(345, 210, MOUSEEVENTF_LEFTUP);
    }));
    EXPECT_EQ(shot.PickColor(), average);

    TMVColorShotDlg cancelled;
    EXPECT_FALSE(Shoot(cancelled, [] {
        MoveUntilPreviewShows(310, 210, kLeft);
        MouseEventAt(310, 210, MOUSEEVENTF_LEFTDOWN);
        MoveMouseTo(320, 220);
        PressKey(VK_ESCAPE);
    }));
    MouseButton(MOUSEEVENTF_LEFTUP);
}

namespace {
bool g_nestedResult = true;
bool g_runningSeen = false;
void CALLBACK NestedShot(HWND, UINT, UINT_PTR id, DWORD) {
    // Waits for the shot window: the timer may fire while the shot still lets
    // the queue run.
    if (!ShotWindow()) return;
    ::KillTimer(nullptr, id);
    g_runningSeen = TMVColorShotDlg::Running();
    TMVColorShotDlg nested;
    g_nestedResult = nested.Execute(nullptr);
    ::PostMessageW(ShotWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
}
} // namespace

TEST_F(ColorShot, ASecondShotWhileOneRunsIsRefused) {
    ::SetTimer(nullptr, 0, 10, &NestedShot);
    TMVColorShotDlg shot;
    EXPECT_FALSE(Shoot(shot, [] {}));
    EXPECT_TRUE(g_runningSeen);
    EXPECT_FALSE(g_nestedResult);
    EXPECT_FALSE(TMVColorShotDlg::Running());
}
