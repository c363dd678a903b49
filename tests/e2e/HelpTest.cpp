// The help as a user reaches it: F1 on the ruler opens the viewer with its
// contents, F1 in every other window opens that window's page, and closing
// the program closes the viewer. Which page the viewer was asked for shows
// in Wine's trace of the viewer.
#include "../common/ProgramRegistry.h"
#include "WindowDriver.h"

#include "colour/win/MVColorFormIds.h"
#include "online/win/OnlineIds.h"
#include "ruler/win/RulerCommands.h"
#include "settings/win/SettingsDlgIds.h"

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
    return ChildOfClass(viewer, WC_TREEVIEWW);
}

// Wine writes its debug channels to the standard error of the unix process,
// which every program started from here shares with this test; the test
// command sends it to the file that DRAVIK_E2E_STDERR names. What was
// written there from the object's creation on.
class WineTrace {
  public:
    WineTrace() {
        wchar_t file[MAX_PATH] = {};
        ::GetEnvironmentVariableW(L"DRAVIK_E2E_STDERR", file, MAX_PATH);
        m_file = file;
        m_start = ReadBytes(m_file).size();
    }
    bool Available() const { return !m_file.empty(); }
    std::string Text() const {
        const TBytes bytes = ReadBytes(m_file);
        return bytes.size() > m_start ? std::string(bytes.begin() + m_start, bytes.end()) : "";
    }

  private:
    std::wstring m_file;
    std::size_t m_start = 0;
};

TBytes HelpFile() {
    return ReadBytes(TestProgramDir() + L"Hilfe.chm");
}

// Where the viewer was asked to go, one line each, from Wine's trace.
std::vector<std::string> PagesAskedFor(const std::string& trace) {
    std::vector<std::string> pages;
    const std::string mark = ".chm::/";
    for (std::size_t at = trace.find("navigate_url"); at != std::string::npos;
         at = trace.find("navigate_url", at + 1)) {
        const std::size_t page = trace.find(mark, at);
        const std::size_t end = trace.find_first_of("\"\r\n", page);
        if (page != std::string::npos && end != std::string::npos)
            pages.push_back(trace.substr(page + mark.size(), end - page - mark.size()));
    }
    return pages;
}

std::string Utf8Text(const TBytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The program's help trace beside it (written with the debug switch).
std::string HelpLog(const DravikProcess& dravik) {
    return Utf8Text(ReadBytes(dravik.Folder() + L"\\DravikHelp.log"));
}

DravikOptions TracedCopy(std::vector<std::pair<std::wstring, TBytes>> files,
                         std::wstring args = L"") {
    files.emplace_back(L"Hilfe.chm", HelpFile());
    return {.ExtraArgs = std::move(args),
            .Settings = SettingsFile(L"Magnifier=0"),
            .Files = std::move(files),
            .Environment = {{L"WINEDEBUG", L"-all,+htmlhelp"}}};
}

// Closes the viewer as its close box does, and waits until it has gone.
bool CloseViewer(DravikProcess& dravik) {
    if (HWND viewer = HelpViewer()) ::PostMessageW(viewer, WM_CLOSE, 0, 0);
    return dravik.WaitUntil([] { return HelpViewer() == nullptr; });
}

// How Wine loads the viewer's library into Dravik.exe for the time of a
// test ("native,builtin" searches as Windows does, "" refuses it).
class ViewerLoadOrder {
  public:
    explicit ViewerLoadOrder(const std::wstring& order)
        : m_value(L"Software\\Wine\\AppDefaults\\Dravik.exe\\DllOverrides", L"hhctrl.ocx", order) {}

  private:
    RegistryValueScope m_value;
};

} // namespace

TEST(Help, F1OpensTheSystemViewerAtTheOverviewAndEscEndsItWithTheProgram) {
    ASSERT_FALSE(HelpFile().empty()) << "the build puts Hilfe.chm beside the tests";
    const WineTrace trace;
    ASSERT_TRUE(trace.Available()) << "run it as scripts/test.sh does, with DRAVIK_E2E_STDERR";
    // A library named like the viewer's beside the program, and Wine told to
    // search for it as Windows does: a load by bare name would take it.
    const ViewerLoadOrder windowsOrder(L"native,builtin");
    DravikProcess dravik(
        TracedCopy({{L"hhctrl.ocx", ReadBytes(TestProgramDir() + L"zephal.dll")}}, L"/debug"));
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
    EXPECT_TRUE(dravik.WaitUntil([&] { return !PagesAskedFor(trace.Text()).empty(); }));
    EXPECT_EQ(PagesAskedFor(trace.Text()), std::vector<std::string>{"uebersicht.htm"});
    EXPECT_EQ(HelpLog(dravik).rfind("THookHelpSystem.Create(\"", 0), 0u) << HelpLog(dravik);
    for (const std::wstring& module : dravik.Modules())
        EXPECT_NE(module, dravik.Folder() + L"\\hhctrl.ocx") << "the planted library was loaded";

    // Wine keeps the viewer above the top-most ruler until the ruler is
    // clicked; aside, it leaves the ruler free for the key.
    ::SetWindowPos(viewer, nullptr, 0, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetForegroundWindow(dravik.Ruler());
    ASSERT_TRUE(dravik.WaitUntil([&] { return ::GetForegroundWindow() == dravik.Ruler(); }));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(dravik.WaitForExit(5000));
    EXPECT_EQ(HelpViewer(), nullptr);
}

TEST(Help, F1InEveryOtherWindowOpensItsOwnPage) {
    // No search may leave this machine, and none may hang on a server.
    const std::wstring closedPort = L"http://127.0.0.1:9";
    RegistryValueScope server(L"Software\\Morvane\\Dravik", L"ServerURL", closedPort);
    // "debug.debug" beside the program switches its help trace on.
    const WineTrace trace;
    ASSERT_TRUE(trace.Available()) << "run it as scripts/test.sh does, with DRAVIK_E2E_STDERR";
    DravikProcess dravik(TracedCopy({{L"debug.debug", {}}}));
    struct Row {
        int Command;
        const wchar_t* Class;
        const char* Page;
        int ContextId;
    };
    const Row rows[] = {
        {idMagnifier, L"TMagnifierDlg", "lupe.htm", 1010},
        {idPickColor, ColorFormClass, "farbfenster.htm", 1020},
        {idSettings, SettingsDlgClass, "einstellungen.htm", 1030},
        {idCheckUpdate, UpdateDlgClass, "aktualisierung.htm", 1050},
        {idFeedback, WishDlgClass, "feedback.htm", 1051},
        {idAbout, InfoFormClass, "info.htm", 1052},
    };
    std::vector<std::string> expected;
    for (const Row& row : rows) {
        SCOPED_TRACE(Narrow(row.Class));
        ::PostMessageW(dravik.Ruler(), WM_COMMAND, MAKEWPARAM(row.Command, 0), 0);
        HWND wnd = nullptr;
        ASSERT_TRUE(dravik.WaitUntil([&] {
            wnd = dravik.ProgramWindow(row.Class);
            return wnd && ::IsWindowVisible(wnd);
        }));
        // The magnifier opens without taking the focus: a click on its
        // caption would give it, as here.
        ::SetForegroundWindow(wnd);
        ASSERT_TRUE(dravik.WaitUntil([&] { return ::GetForegroundWindow() == wnd; }));
        PressKey(VK_F1);
        expected.push_back(row.Page);
        EXPECT_TRUE(dravik.WaitUntil(
            [&] { return PagesAskedFor(trace.Text()).size() == expected.size(); }, 10000));
        EXPECT_NE(HelpLog(dravik).find("HelpHook(1, " + std::to_string(row.ContextId) + ")"),
                  std::string::npos);
        EXPECT_TRUE(CloseViewer(dravik));
        ::PostMessageW(wnd, WM_CLOSE, 0, 0);
        // The About window may still be reading the contact data, its first
        // use of the network, on a busy machine.
        ASSERT_TRUE(dravik.WaitUntil([&] { return !::IsWindowVisible(wnd); }, 10000));
    }
    EXPECT_EQ(PagesAskedFor(trace.Text()), expected);
    // Every page is in the file: the viewer found each one.
    EXPECT_EQ(trace.Text().find("80030002"), std::string::npos) << "a page the file lacks";
}

TEST(Help, WithoutTheSystemViewerF1SaysSoInFrontOfTheRuler) {
    const ViewerLoadOrder none(L"");
    DravikProcess dravik(TracedCopy({}));
    ASSERT_TRUE(dravik.WaitUntil([&] { return ::GetForegroundWindow() == dravik.Ruler(); }));
    PressKey(VK_F1);
    HWND box = nullptr;
    EXPECT_EQ(dravik.WaitForMessageBox(5000, &box), L"MS Html Help is not installed on this PC.");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(dravik.Ask(L"state").find(L"TopMost=1"), std::wstring::npos);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(dravik.WaitUntil([&] { return dravik.State()[RulerState::TopMost] == L"1"; }));
    EXPECT_EQ(HelpViewer(), nullptr);
}
