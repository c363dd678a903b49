// The online windows against a real HTTP server on the loopback, which the
// program reaches through the "ServerURL" value of its registry key: the
// update check from the first start and from the menu, its failures, a
// stalled server and the system's proxy; the About window with the vendor's
// contact data; the feedback dialog's rating page in the browser.
#include "../common/LoopbackServer.h"
#include "../common/ProgramRegistry.h"
#include "WindowDriver.h"

#include "online/UpdateCheck.h"
#include "online/win/MVOnlineUpdate.h"
#include "online/win/OnlineIds.h"
#include "ruler/win/RulerCommands.h"
#include "settings/win/SettingsDlgIds.h"
#include "util/ProgramInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>

namespace {

// What the server answers, changed by the test while it runs. Held, the
// answer waits until the test lets it go (or the server ends).
class Answers {
  public:
    void Set(const std::string& path, std::string response) {
        std::lock_guard lock(m_mutex);
        m_path = path;
        m_response = std::move(response);
    }
    void Hold() { m_held = true; }
    void Release() { m_held = false; }
    void operator()(const std::string& target, const LoopbackServer::Send& send,
                    const LoopbackServer& server) {
        while (m_held && !server.Stopping())
            ::Sleep(10);
        std::lock_guard lock(m_mutex);
        if (target == m_path)
            m_response.empty() ? void() : send(m_response);
        else
            send(LoopbackServer::Response("404 Not Found", "not found"));
    }

  private:
    std::mutex m_mutex;
    std::string m_path, m_response;
    std::atomic<bool> m_held{false};
};

std::wstring MessageOf(HWND dlg) {
    return Text(Control(dlg, idUpdMessage));
}

struct Online : ::testing::Test {
    DirectConnection direct;
    Answers answers;
    LoopbackServer server{[this](const std::string& target, const LoopbackServer::Send& send) {
        answers(target, send, server);
    }};
    const std::wstring base = Wide(server.Url(""));
    RegistryValueScope url{TProgramInfo().RegistryKey().c_str(), L"ServerURL", base};
    ~Online() override { KeepScreenshotIfFailed(); }

    // The menu command as a click on its item runs it (the dialog is modal,
    // so not through the channel).
    static HWND Open(DravikProcess& dravik, int command, const wchar_t* cls) {
        ::PostMessageW(dravik.Ruler(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return ShownProgramWindow(dravik, cls);
    }
    static bool Closed(DravikProcess& dravik, HWND wnd) {
        return dravik.WaitUntil([&] { return !::IsWindow(wnd); });
    }
    // Clicked again when Wine loses the click: a second click does no harm.
    static ::testing::AssertionResult Search(DravikProcess& dravik, HWND dlg) {
        const std::wstring before = MessageOf(dlg);
        return ClickUntil(dravik, Control(dlg, idUpdSearch), [&] {
            return !::IsWindowEnabled(Control(dlg, idUpdSearch)) || MessageOf(dlg) != before;
        });
    }
    static ::testing::AssertionResult Close(DravikProcess& dravik, HWND dlg) {
        return ClickUntil(dravik, Control(dlg, idUpdClose), [&] { return !::IsWindow(dlg); });
    }
};

} // namespace

TEST_F(Online, TheFirstStartOpensTheDialogOfflineAndTheSearchFindsTheNewVersion) {
    {
        const auto store = OpenUpdateCheckStore(TProgramInfo());
        for (const wchar_t* value : {L"Interval", L"LastCheck", L"FirstCheck", L"LastMsgID"})
            store->DeleteKey(UpdateCheckSection, value);
    }
    answers.Set("/updates.txt", LoopbackServer::Response("200 OK", "DVK=2.3|2.0\r\nMSG\r\n"));
    DravikProcess dravik({.UpdateCheckedJustNow = false});
    const HWND dlg = ShownProgramWindow(dravik, UpdateDlgClass);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Text(dlg), L"Update-Assistent");
    EXPECT_EQ(MessageOf(dlg), L"Bitte klicken Sie auf \"Neue Version suchen\".");
    EXPECT_TRUE(server.Requests().empty()) << "the first start goes online";

    ASSERT_TRUE(Search(dravik, dlg));
    EXPECT_TRUE(dravik.WaitUntil(
        [&] { return MessageOf(dlg).find(L"Die neue Version 2.3 ist verfügbar!") == 0; }, 10000))
        << Narrow(MessageOf(dlg));
    ASSERT_FALSE(server.Requests().empty());
    EXPECT_EQ(server.Requests().front(), "GET /updates.txt HTTP/1.1");
    EXPECT_NE(MessageOf(dlg).find(L"Update-Seite"), std::wstring::npos);

    ASSERT_TRUE(Close(dravik, dlg));
    const auto store = OpenUpdateCheckStore(TProgramInfo());
    EXPECT_GT(store->ReadDateTime(UpdateCheckSection, L"LastCheck", 0), 0);
    EXPECT_GT(store->ReadDate(UpdateCheckSection, L"FirstCheck", 0), 0);
    EXPECT_EQ(store->ReadString(UpdateCheckSection, L"Interval", L""), L"aai4Weeks");

    // Top-most again: another program's window opened over it stays below.
    EXPECT_TRUE(dravik.WaitUntil([&] { return dravik.StateInt(RulerState::TopMost) == 1; }));
    const RECT ruler = Place(dravik.Ruler());
    const HWND other =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, ruler.left,
                          ruler.top - 20, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    PumpUntil([] { return false; }, 300);
    const HWND hit = ::WindowFromPoint({ruler.left + 50, ruler.top + 20});
    ::DestroyWindow(other);
    EXPECT_EQ(hit, dravik.Ruler()) << "a window opened later covers the ruler";
}

TEST_F(Online, FailuresShowAGermanErrorLineAndAStalledServerDoesNotHoldTheWindow) {
    DravikProcess dravik;
    struct Case {
        std::string Response; // empty: the server never answers
        std::wstring Shown;
    };
    const Case cases[] = {
        {LoopbackServer::Response("200 OK", "DVK=2.2|2.0\r\n"), L"Ihre Version ist aktuell."},
        {LoopbackServer::Response("404 Not Found", "weg"),
         L"Fehler Der Server meldet den HTTP-Status 404."},
        {LoopbackServer::Response("200 OK", std::string("\x89PNG\0\0", 6)),
         L"Fehler Die Antwort des Servers ist keine Textdatei."},
    };
    for (const Case& c : cases) {
        answers.Set("/updates.txt", c.Response);
        const HWND dlg = Open(dravik, idCheckUpdate, UpdateDlgClass);
        ASSERT_NE(dlg, nullptr);
        ASSERT_TRUE(Search(dravik, dlg));
        EXPECT_TRUE(dravik.WaitUntil([&] { return MessageOf(dlg) == c.Shown; }, 10000))
            << Narrow(MessageOf(dlg));
        ASSERT_TRUE(Close(dravik, dlg));
    }

    // A server that takes the request and says nothing: the window answers
    // meanwhile, the search button waits, and "Schließen" ends it at once.
    answers.Set("/updates.txt", "");
    const HWND dlg = Open(dravik, idCheckUpdate, UpdateDlgClass);
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(Search(dravik, dlg));
    ASSERT_TRUE(dravik.WaitUntil([&] { return !::IsWindowEnabled(Control(dlg, idUpdSearch)); }));
    EXPECT_EQ(MessageOf(dlg), L"Suche neue Version. Bitte warten...");
    DWORD_PTR answer = 0;
    EXPECT_NE(::SendMessageTimeoutW(dlg, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0);
    EXPECT_TRUE(Close(dravik, dlg));
    EXPECT_TRUE(dravik.Running());
}

TEST_F(Online, AboutShowsTheProductAndTheContactDataAndCopiesTheReport) {
    answers.Set("/contact.ini",
                LoopbackServer::Response("200 OK", "Street=Hafenstra\xC3\x9F"
                                                   "e 12\r\nCity=20457 "
                                                   "Hamburg\r\nCountry=Deutschland\r\nPhone=040 "
                                                   "123\r\nFax=040 124\r\n"));
    DravikProcess dravik;
    HWND about = Open(dravik, idAbout, InfoFormClass);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(Text(about), L"Info über...");
    EXPECT_EQ(Text(Control(about, idInfoProduktName)), L"Morvane Dravik");
    EXPECT_EQ(Text(Control(about, idInfoVersion)), L"Version 2.2");
    EXPECT_EQ(Text(Control(about, idInfoAnschrift)),
              L"Hafenstraße 12\r\n20457 Hamburg\r\nDeutschland");
    EXPECT_NE(Text(Control(about, idInfoTelFax)).find(L"040 123\r\nFax: 040 124"),
              std::wstring::npos);
    EXPECT_EQ(Text(Control(about, idInfoEMail)), L"info@morvane.de");

    // The icon copies the report after a question.
    ASSERT_TRUE(ClickOn(Control(about, idInfoIcon)));
    HWND box = nullptr;
    EXPECT_NE(dravik.WaitForMessageBox(3000, &box).find(L"Infos jetzt kopieren?"),
              std::wstring::npos);
    ASSERT_NE(box, nullptr);
    // "Ja", as its button sends it (a key may go astray under Wine).
    ::PostMessageW(box, WM_COMMAND, IDYES, 0);
    std::wstring report;
    dravik.WaitUntil([&] {
        if (!::OpenClipboard(nullptr)) return false;
        if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
            report = static_cast<const wchar_t*>(::GlobalLock(data));
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
        return report.rfind(L"App=", 0) == 0;
    });
    EXPECT_EQ(report.substr(0, 32), L"App=Morvane Dravik\r\nVer=2.2\r\nDir");
    EXPECT_NE(report.find(L"\\Dravik.exe\r\nWin="), std::wstring::npos);
    ASSERT_TRUE(ClickUntil(dravik, Control(about, idInfoOK), [&] { return !::IsWindow(about); }));

    // Fetched once per run: the second opening asks the server no more.
    about = Open(dravik, idAbout, InfoFormClass);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(server.Requests().size(), 1u);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(Closed(dravik, about));
}

// Contact data of any length: the window stays within the screen's work
// area, the long lines cut and wrapped, the OK button inside it.
TEST_F(Online, AboutStaysWithinTheWorkAreaWhateverTheContactData) {
    // (The whole file within the 64 KB the window fetches at most.)
    answers.Set("/contact.ini",
                LoopbackServer::Response("200 OK", "Street=" + std::string(60000, 'x') +
                                                       "\r\nCity=" + std::string(300, 'y') +
                                                       " z\r\nPhone=" + std::string(2000, '1') +
                                                       "\r\n"));
    DravikProcess dravik;
    const HWND about = Open(dravik, idAbout, InfoFormClass);
    ASSERT_NE(about, nullptr);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT place = Place(about);
    EXPECT_GE(place.left, work.left);
    EXPECT_GE(place.top, work.top);
    EXPECT_LE(place.right, work.right);
    EXPECT_LE(place.bottom, work.bottom);
    const std::wstring address = Text(Control(about, idInfoAnschrift));
    EXPECT_LT(address.size(), 400u);
    EXPECT_EQ(address.substr(0, 3), L"xxx");
    EXPECT_NE(address.find(L"\u2026"), std::wstring::npos) << "the cut is not marked";
    RECT ok = Place(Control(about, idInfoOK)), client{};
    ::GetClientRect(about, &client);
    ::MapWindowPoints(about, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(ok.left >= client.left && ok.right <= client.right && ok.bottom <= client.bottom)
        << "the OK button is cut off";
    ASSERT_TRUE(ClickUntil(dravik, Control(about, idInfoOK), [&] { return !::IsWindow(about); }));
}

TEST_F(Online, TheCheckGoesThroughTheProxyOfTheInternetSettings) {
    // An address the program cannot reach itself; only the proxy can.
    const std::wstring elsewhere = L"http://updates.example.invalid/";
    RegistryValueScope address(TProgramInfo().RegistryKey().c_str(), L"ServerURL", elsewhere);
    const DWORD on = 1;
    const std::wstring proxy = L"127.0.0.1:" + std::to_wstring(server.Port());
    RegistryValueScope enable(kInternetSettings, L"ProxyEnable", REG_DWORD, &on, sizeof(on));
    RegistryValueScope named(kInternetSettings, L"ProxyServer", proxy);
    answers.Set("http://updates.example.invalid/updates.txt",
                LoopbackServer::Response("200 OK", "DVK=2.2|2.0\r\n"));

    DravikProcess dravik;
    const HWND dlg = Open(dravik, idCheckUpdate, UpdateDlgClass);
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(Search(dravik, dlg));
    EXPECT_TRUE(
        dravik.WaitUntil([&] { return MessageOf(dlg) == L"Ihre Version ist aktuell."; }, 10000))
        << Narrow(MessageOf(dlg));
    ASSERT_FALSE(server.Requests().empty());
    EXPECT_EQ(server.Requests().back(), "GET http://updates.example.invalid/updates.txt HTTP/1.1");
    EXPECT_TRUE(Close(dravik, dlg));
}

TEST_F(Online, TheFeedbackDialogOpensTheRatingPageAndTheContactData) {
    // The test command puts a stand-in for the browser on the path that
    // writes down what it was asked to open.
    wchar_t log[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"DRAVIK_BROWSER_LOG", log, MAX_PATH))
        GTEST_SKIP() << "DRAVIK_BROWSER_LOG is not set";
    std::wstring logFile = std::wstring(L"Z:") + log;
    std::replace(logFile.begin(), logFile.end(), L'/', L'\\');
    ::DeleteFileW(logFile.c_str());
    answers.Set("/contact.ini", LoopbackServer::Response("200 OK", "Street=Kai 1\r\n"));

    DravikProcess dravik;
    const HWND wish = Open(dravik, idFeedback, WishDlgClass);
    ASSERT_NE(wish, nullptr);
    EXPECT_EQ(Text(wish), L"Wünsche/Feedback");
    EXPECT_EQ(Text(Control(wish, idWishHeadingLike)), L"Ihnen gefällt Morvane Dravik?");
    std::string opened;
    EXPECT_TRUE(ClickUntil(
        dravik, Control(wish, idWishFeedback),
        [&] {
            const TBytes bytes = ReadBytes(logFile);
            opened.assign(bytes.begin(), bytes.end());
            return !opened.empty();
        },
        {}, 5000));
    EXPECT_NE(opened.find(server.Url("/feedback.php?prog=dvk")), std::string::npos) << opened;
    EXPECT_TRUE(::IsWindow(wish)) << "the dialog stays open";

    // "Kontakt mit uns aufnehmen" shows the About window over it. (The click
    // comes right after the browser's start, which may take the first one.)
    HWND about = nullptr;
    ASSERT_TRUE(ClickUntil(dravik, Control(wish, idWishContact), [&] {
        about = dravik.ProgramWindow(InfoFormClass);
        return about && ::IsWindowVisible(about);
    }));
    EXPECT_EQ(::GetWindow(about, GW_OWNER), wish);
    EXPECT_EQ(Text(Control(about, idInfoAnschrift)), L"Kai 1\r\n\r\n");
    ASSERT_TRUE(ClickUntil(dravik, Control(about, idInfoOK), [&] { return !::IsWindow(about); }));
    ASSERT_TRUE(ClickUntil(dravik, Control(wish, idWishClose), [&] { return !::IsWindow(wish); }));
}

TEST_F(Online, TheBookkeepingOpensTheFeedbackOnceAndTheDialogStoresTheChosenInterval) {
    // 120 days after the first check, the automatic check not due: the
    // feedback dialog opens, once in the program's life.
    {
        MarkUpdateCheckedJustNow();
        const auto store = OpenUpdateCheckStore(TProgramInfo());
        store->WriteDate(UpdateCheckSection, L"FirstCheck", LocalNow() - 120);
    }
    {
        DravikProcess dravik({.UpdateCheckedJustNow = false});
        const HWND wish = ShownProgramWindow(dravik, WishDlgClass);
        ASSERT_NE(wish, nullptr);
        ASSERT_TRUE(
            ClickUntil(dravik, Control(wish, idWishClose), [&] { return !::IsWindow(wish); }));
        EXPECT_TRUE(OpenUpdateCheckStore(TProgramInfo())
                        ->ReadBool(UpdateCheckSection, L"WishShown", false));
    }
    {
        DravikProcess dravik({.UpdateCheckedJustNow = false});
        // Once the automatic check is through, any window it opens is there.
        ASSERT_TRUE(
            dravik.WaitUntil([&] { return dravik.StateInt(RulerState::UpdateCheck) == 0; }));
        EXPECT_EQ(dravik.ProgramWindow(WishDlgClass), nullptr);

        // "Einstellungen..." shows the interval below, the window grows, and
        // the entry chosen is what closing stores. "Nie" switches the check
        // off, shows as itself the next time and stays when nothing is chosen.
        const struct {
            int Pick; // the entry chosen, -1 none
            const wchar_t* Shown;
            const wchar_t* Stored;
        } steps[] = {{2, L"Alle 4 Wochen", L"aai1Year"},
                     {3, L"Ein mal im Jahr", L"aaiDisabled"},
                     {-1, L"Nie", L"aaiDisabled"}};
        for (const auto& step : steps) {
            SCOPED_TRACE(Narrow(step.Stored));
            const HWND dlg = Open(dravik, idCheckUpdate, UpdateDlgClass);
            ASSERT_NE(dlg, nullptr);
            const RECT small = Place(dlg);
            const HWND interval = Control(dlg, idUpdInterval);
            EXPECT_FALSE(::IsWindowVisible(interval));
            ASSERT_TRUE(ClickUntil(dravik, Control(dlg, idUpdSettings),
                                   [&] { return ::IsWindowVisible(interval); }));
            // (The list shows a moment before the window has grown.)
            EXPECT_TRUE(dravik.WaitUntil(
                [&] { return Place(dlg).bottom - Place(dlg).top > small.bottom - small.top; }));
            EXPECT_EQ(Text(interval), step.Shown);
            if (step.Pick >= 0) {
                ::SendMessageW(interval, CB_SETCURSEL, static_cast<WPARAM>(step.Pick), 0);
                ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(idUpdInterval, CBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(interval));
            }
            ASSERT_TRUE(Close(dravik, dlg));
            EXPECT_EQ(OpenUpdateCheckStore(TProgramInfo())
                          ->ReadString(UpdateCheckSection, L"Interval", L""),
                      step.Stored);
        }
    }
}

// The automatic check's answer, arriving while a dialog of the program is
// open, waits for it to close and then opens its own: one dialog at a time,
// and the ruler top-most again only once the last one has gone.
TEST_F(Online, TheAutomaticCheckOpensItsDialogOnlyAfterAnOpenDialogClosed) {
    const struct {
        const char* Name;
        int Command;
        const wchar_t* Class;
    } dialogs[] = {{"settings", idSettings, SettingsDlgClass},
                   {"feedback", idFeedback, WishDlgClass}};
    for (const auto& open : dialogs) {
        SCOPED_TRACE(open.Name);
        MarkUpdateCheckedJustNow();
        OpenUpdateCheckStore(TProgramInfo())
            ->WriteDateTime(UpdateCheckSection, L"LastCheck", LocalNow() - 35); // due
        answers.Set("/updates.txt", LoopbackServer::Response("200 OK", "DVK=2.3|2.0\r\n"));
        answers.Hold();
        const std::size_t asked = server.Requests().size();
        DravikProcess dravik({.UpdateCheckedJustNow = false});
        ASSERT_TRUE(dravik.WaitUntil([&] { return server.Requests().size() > asked; }, 10000));
        const HWND dialog = Open(dravik, open.Command, open.Class);
        ASSERT_NE(dialog, nullptr);
        answers.Release();
        ASSERT_TRUE(
            dravik.WaitUntil([&] { return dravik.StateInt(RulerState::UpdateCheck) == 0; }, 10000));
        EXPECT_EQ(dravik.ProgramWindow(UpdateDlgClass), nullptr) << "a dialog inside the dialog";

        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        ASSERT_TRUE(Closed(dravik, dialog));
        const HWND update = ShownProgramWindow(dravik, UpdateDlgClass);
        ASSERT_NE(update, nullptr) << "the answer was lost";
        EXPECT_EQ(::GetWindow(update, GW_OWNER), dravik.Ruler());
        EXPECT_EQ(MessageOf(update).find(L"Die neue Version 2.3 ist verfügbar!"), 0u)
            << Narrow(MessageOf(update));
        EXPECT_EQ(dravik.StateInt(RulerState::TopMost), 0) << "top-most over the update dialog";
        ASSERT_TRUE(Close(dravik, update));
        EXPECT_TRUE(dravik.WaitUntil([&] { return dravik.StateInt(RulerState::TopMost) == 1; }));
    }
}
