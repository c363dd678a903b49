// The colour dialog component and its window, driven through their own
// interfaces: opening rules, the modal path, and a picture that cannot be read.
#include "../common/TestFiles.h"
#include "colour/win/MVColorDlg.h"
#include "colour/win/MVColorForm.h"
#include "storage/win/Win32Storage.h"
#include "util/AssertionFailed.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

namespace {

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

std::wstring Text(HWND wnd) {
    wchar_t text[512] = L"";
    ::GetWindowTextW(wnd, text, 512);
    return text;
}

HWND Field(TMVColorForm& form, int id) {
    // Fields sit on the value panel.
    return ::GetDlgItem(::GetDlgItem(form.Handle(), idValuePanel), id);
}

// Answers the next message box of this process from another thread with
// its text, pressing its button.
class BoxWatcher {
  public:
    BoxWatcher()
        : m_thread([this] {
              for (int i = 0; i < 400 && m_text.empty(); ++i) {
                  ::Sleep(10);
                  // A box just created may not hold its text yet: wait for it.
                  const HWND box = ::FindWindowW(L"#32770", nullptr);
                  if (std::wstring text = box ? Text(::GetDlgItem(box, 0xFFFF)) : L"";
                      !text.empty()) {
                      m_text = text;
                      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                  }
              }
          }) {}
    std::wstring Wait() {
        m_thread.join();
        return m_text;
    }

  private:
    std::wstring m_text;
    std::thread m_thread;
};

struct ColorDlgTest : ::testing::Test {
    ColorDlgTest() { InstallWin32Storage(); }
    ~ColorDlgTest() override {
        ReleaseColorForm();
        Pump();
    }
    ScratchFolder dir;
};

} // namespace

TEST_F(ColorDlgTest, OneWindowAtATimeAndNoneLeftByAFailedOpen) {
    TMVColorDlg dlg;
    // No settings file: refused before any window exists, and the next open works.
    EXPECT_THROW(
        try { dlg.Execute(false, nullptr); } catch (const EAssertionFailed& e) {
            EXPECT_EQ(e.Message, L"MVColorDlg.IniName darf nicht leer sein");
            throw;
        },
        EAssertionFailed);
    EXPECT_EQ(OpenColorForm(), nullptr);

    dlg.IniName = dir.File(L"Dravik.ini");
    dlg.Color = 0x336699;
    int closed = 0;
    dlg.OnClosed = [&](TMVColorDlg&) { ++closed; };
    ASSERT_TRUE(dlg.Execute(false, nullptr));
    TMVColorForm* form = OpenColorForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Text(Field(*form, idColorRGB)), L"996633");

    // A second open keeps the window and the colour chosen in it.
    form->SetNewColor(0x00FF00);
    TMVColorDlg other;
    other.IniName = dlg.IniName;
    other.Color = clRed;
    EXPECT_FALSE(other.Execute(false, nullptr));
    EXPECT_EQ(OpenColorForm(), form);
    EXPECT_EQ(form->GetUserColor(), 0x00FF00u);

    // The close box hands the colour back; the window goes from the loop.
    ::SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(OpenColorForm(), nullptr);
    EXPECT_EQ(dlg.Color, 0x00FF00u);
    EXPECT_EQ(closed, 1);
}

TEST_F(ColorDlgTest, ModalDialogGivesItsColourOnlyWhenConfirmed) {
    TMVColorDlg dlg;
    dlg.IniName = dir.File(L"Dravik.ini");
    dlg.Color = clRed;
    for (const int button : {IDCANCEL, IDOK}) {
        // The dialog's own loop runs the posted choice.
        ::PostMessageW(nullptr, WM_NULL, 0, 0);
        std::thread choose([button] {
            HWND form = nullptr;
            for (int i = 0; i < 400 && !(form && ::IsWindowVisible(form)); ++i) {
                ::Sleep(10);
                form = ::FindWindowW(ColorFormClass, nullptr);
            }
            const HWND values = ::GetDlgItem(form, idValuePanel);
            // Typed into the decimal field: green.
            const HWND dec = ::GetDlgItem(values, idColorDec);
            ::SendMessageW(dec, WM_SETFOCUS, 0, 0);
            ::SendMessageW(dec, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"65280"));
            ::PostMessageW(form, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        const bool confirmed = dlg.Execute(true, nullptr);
        choose.join();
        EXPECT_EQ(confirmed, button == IDOK);
        EXPECT_EQ(dlg.Color, button == IDOK ? 0x00FF00u : clRed);
        EXPECT_EQ(OpenColorForm(), nullptr);
    }
}

TEST_F(ColorDlgTest, AnUnreadablePictureIsReportedAndThePageStays) {
    const std::wstring picture = dir.File(L"kaputt.png");
    WriteBytes(picture, AsciiBytes("not a png"));
    TMVColorDlg dlg;
    dlg.IniName = dir.File(L"Dravik.ini");
    ASSERT_TRUE(dlg.Execute(false, nullptr));
    TMVColorForm& form = *OpenColorForm();
    const int page = form.ActivePage();
    BoxWatcher box;
    EXPECT_FALSE(form.LoadUserImage(picture));
    EXPECT_EQ(box.Wait(), L"Das Bild \"" + picture +
                              L"\" konnte nicht geladen werden. Die Datei ist kein lesbares Bild.");
    EXPECT_EQ(form.ActivePage(), page);
}
