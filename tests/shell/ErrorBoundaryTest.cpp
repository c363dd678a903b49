// Errors inside window procedures: recorded, shown from the message loop one
// at a time, in German.
#include "app/win/Application.h"
#include "util/CommandLine.h"
#include "util/UserError.h"
#include "util/win/AppError.h"
#include "util/win/Log.h"
#include "util/win/Window.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_shown;
int g_depth = 0;
int g_deepest = 0;

// Records the box and, like a real box, runs the message loop meanwhile.
void RecordingBox(HWND, const std::wstring& message) {
    g_deepest = std::max(g_deepest, ++g_depth);
    g_shown.push_back(message);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
    --g_depth;
}

class ThrowingWindow : public Window {
  public:
    void Create() {
        RegisterClassOnce(L"DravikThrowingWindow", nullptr, nullptr);
        CreateWnd(L"DravikThrowingWindow", L"", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, 50,
                  50, nullptr);
    }
    int Paints = 0;

  protected:
    void PaintContent(HDC, const Rect&) override {
        ++Paints;
        throw std::out_of_range("stoll");
    }
};

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

class ErrorBoundary : public ::testing::Test {
  protected:
    void SetUp() override {
        g_shown.clear();
        g_deepest = 0;
        SetApplicationErrorSink(&RecordingBox);
    }
    void TearDown() override { SetApplicationErrorSink(nullptr); }
    Application app; // the window the boxes come from
};

} // namespace

TEST_F(ErrorBoundary, AThrowingPaintShowsOneGermanBoxFromTheLoop) {
    ThrowingWindow wnd;
    wnd.Create();
    for (int i = 0; i < 3; ++i) {
        ::InvalidateRect(wnd.Handle(), nullptr, FALSE);
        ::UpdateWindow(wnd.Handle());
    }
    EXPECT_EQ(wnd.Paints, 3);
    EXPECT_TRUE(g_shown.empty()) << "no box inside the window procedure";
    Pump();
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0], L"Ein Wert ist ungültig oder liegt außerhalb des erlaubten Bereichs.");
    EXPECT_EQ(g_deepest, 1);
}

TEST_F(ErrorBoundary, ErrorsRaisedWhileABoxIsShownWaitForIt) {
    // The first box's loop sees two more errors: the same text again (not
    // shown twice) and another one, shown after the first box closes.
    SetApplicationErrorSink([](HWND, const std::wstring& message) {
        g_deepest = std::max(g_deepest, ++g_depth);
        g_shown.push_back(message);
        if (g_shown.size() == 1) {
            ShowApplicationError(message);
            GuardedCall([] { throw EUserError(L"Zweiter Fehler."); });
            Pump();
        }
        --g_depth;
    });
    GuardedCall([] { throw std::bad_alloc(); });
    Pump();
    ASSERT_EQ(g_shown.size(), 2u);
    EXPECT_EQ(g_shown[0], L"Für diesen Vorgang reicht der Arbeitsspeicher nicht aus.");
    EXPECT_EQ(g_shown[1], L"Zweiter Fehler.");
    EXPECT_EQ(g_deepest, 1);
}

TEST_F(ErrorBoundary, WithTheDebugSwitchEveryCaughtErrorIsLoggedWithItsPlaceAndText) {
    const std::wstring log = LogFileName();
    ::DeleteFileW(log.c_str());
    auto logged = [&] {
        std::ifstream in(log.c_str(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    GuardedCall([] { throw std::runtime_error("quiet"); });
    EXPECT_EQ(logged(), "") << "without the switch only the debug output gets it";

    SetCommandLineParams({L"Dravik.exe", L"/debug"});
    ThrowingWindow wnd;
    wnd.Create();
    ::UpdateWindow(wnd.Handle());
    GuardedCall([] { throw EUserError(L"Die Datei ist gesperrt."); });
    try {
        throw 42;
    } catch (...) {
        LogCurrentException(L"a swallowed error");
    }
    SetCommandLineParams({L"Dravik.exe"});
    const std::string text = logged();
    // The window procedure names the message and the class, a guarded call
    // its caller; both give the error's own text.
    EXPECT_NE(text.find("message 0x000F to DravikThrowingWindow: stoll"), std::string::npos)
        << text;
    EXPECT_NE(text.find("WithTheDebugSwitch"), std::string::npos) << text;
    EXPECT_NE(text.find("Die Datei ist gesperrt."), std::string::npos) << text;
    EXPECT_NE(text.find("a swallowed error: (an exception of unknown type)"), std::string::npos);
    ::DeleteFileW(log.c_str());
}

TEST(ExceptionText, OurGermanTextsPassAndForeignOnesBecomeGerman) {
    EXPECT_EQ(ExceptionMessage(EUserError(L"Eigener Text.")), L"Eigener Text.");
    EXPECT_EQ(ExceptionMessage(std::runtime_error("boom")), UnknownErrorMessage());
    EXPECT_EQ(ExceptionMessage(std::invalid_argument("stod")),
              L"Ein Wert ist ungültig oder liegt außerhalb des erlaubten Bereichs.");
}
