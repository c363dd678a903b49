// The handling every dialog shares: the modal loop and its end, the close
// request, the control backgrounds and the erase of a fully painted dialog.
#include "util/win/DialogWindow.h"
#include "util/win/Handles.h"

#include <gtest/gtest.h>

namespace {

class TestDialog : public DialogWindow {
  public:
    TestDialog() : DialogWindow(0) {}
    void Create(bool paintsAll) {
        PaintsWholeClient = paintsAll;
        RegisterClassOnce(L"DravikTestDialog", nullptr, nullptr, CS_DBLCLKS,
                          ::GetSysColorBrush(COLOR_BTNFACE));
        CreateWnd(L"DravikTestDialog", L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 60, 40, nullptr);
        m_label = ::CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 20, 10,
                                    Handle(), nullptr, nullptr, nullptr);
    }
    // Posts msg to itself, then runs modally: the message ends the loop.
    int RunWith(UINT msg, WPARAM wParam = 0) {
        ::PostMessageW(Handle(), msg, wParam, 0);
        return RunModalLoop();
    }
    HWND Label() const { return m_label; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COMMAND) {
            EndModal(static_cast<int>(wParam));
            return 0;
        }
        return DialogWindow::HandleMessage(msg, wParam, lParam);
    }
    HBRUSH ControlBackground(UINT kind, HWND control, HDC) override {
        return kind == WM_CTLCOLORSTATIC && control == m_label ? ::GetSysColorBrush(COLOR_WINDOW)
                                                               : nullptr;
    }

  private:
    HWND m_label = nullptr;
};

} // namespace

TEST(DialogWindow, TheModalLoopEndsWithTheResultAndACloseRequestCancels) {
    TestDialog dialog;
    dialog.Create(false);
    EXPECT_EQ(dialog.RunWith(WM_COMMAND, IDOK), IDOK);
    EXPECT_EQ(dialog.RunWith(WM_CLOSE), IDCANCEL);
    EXPECT_TRUE(::IsWindow(dialog.Handle())) << "a close request ends the dialog, not the window";
    EXPECT_FALSE(::IsWindowVisible(dialog.Handle()));
}

TEST(DialogWindow, ControlsGetTheBackgroundTheDialogGivesAndAFullPaintIsNotErased) {
    for (const bool paintsAll : {false, true}) {
        TestDialog dialog;
        dialog.Create(paintsAll);
        WindowDC screen(nullptr);
        const HDC dc = screen.Get();
        const auto colour = [&](UINT kind, HWND control) {
            return ::SendMessageW(dialog.Handle(), kind, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(control));
        };
        EXPECT_EQ(colour(WM_CTLCOLORSTATIC, dialog.Label()),
                  reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW)));
        // A control the dialog leaves alone gets the system's brush, not none.
        EXPECT_NE(colour(WM_CTLCOLORBTN, dialog.Label()), 0);

        // The class brush erases unless the dialog paints everything itself.
        UniqueHdc memory(::CreateCompatibleDC(dc));
        UniqueHBitmap bitmap(::CreateCompatibleBitmap(dc, 60, 40));
        SelectGuard select(memory.Get(), bitmap.Get());
        const RECT all{0, 0, 60, 40};
        ::FillRect(memory.Get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::SendMessageW(dialog.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.Get()), 0);
        EXPECT_EQ(::GetPixel(memory.Get(), 30, 30) == RGB(0, 0, 0), paintsAll);
    }
}
