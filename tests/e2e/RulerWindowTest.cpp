// The complete ruler window driven as a user would: keys, hotkeys, the mouse,
// the tray icons and the menu; and what it writes to its settings file.
#include "Checks.h"
#include "DravikProcess.h"
#include "Screen.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The ruler's client area on the 1280 x 800 desktop before anything moved it.
constexpr int kLeft = 340;
constexpr int kTop = 200;

class RulerWindow : public ::testing::Test {
  protected:
    void TearDown() override { KeepScreenshotIfFailed(); }
};

} // namespace

TEST_F(RulerWindow, FirstStartWithoutSettingsThenEveryKeyIsWrittenInOrder) {
    DravikProcess dravik; // an empty Dravik.ini beside the copy
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Left, L"340"},
                                      {RulerState::Top, L"200"},
                                      {RulerState::ClientWidth, L"600"},
                                      {RulerState::ClientHeight, L"49"},
                                      {RulerState::TopMost, L"1"},
                                      {RulerState::Layered, L"-1"},
                                      {RulerState::TrayIcon, L"1"},
                                      {RulerState::TrayColorPicker, L"1"}}));
    EXPECT_FALSE(HotkeyFree(MOD_CONTROL | MOD_SHIFT, 'A')) << "the measuring hotkey is the ruler's";
    EXPECT_FALSE(HotkeyFree(MOD_CONTROL | MOD_SHIFT, 'K')) << "so is the edge span's";
    EXPECT_FALSE(HotkeyFree(MOD_CONTROL | MOD_SHIFT, 'M')) << "and the pinned mark's";

    // Moved by the arrow keys: the file keeps the last position.
    ASSERT_TRUE(Focused(dravik));
    PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Left, L"341"}, {RulerState::Top, L"201"}}));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(dravik.WaitForExit(5000));
    EXPECT_TRUE(HotkeyFree(MOD_CONTROL | MOD_SHIFT, 'A')) << "given back at the end";

    const std::vector<IniEntry> entries = ReadIni(dravik.SettingsFile());
    std::vector<std::wstring> order;
    for (const IniEntry& e : entries)
        order.push_back(e.Section + L"/" + e.Key);
    const std::vector<std::wstring> expected = {
        L"Settings/FirstStart", L"Settings/Top", L"Settings/Left", L"Settings/Width",
        L"Settings/Height", L"Settings/OnTop", L"Settings/Transparency", L"Settings/Unit",
        L"Settings/Horizontal", L"Settings/Color", L"Settings/Zoom", L"Settings/NeutralPointScreen",
        L"Settings/MoveMagnifierWithClick", L"Settings/Magnifier", L"Settings/Visible",
        L"Settings/ColorPickerIcon", L"Settings/RefCmSize", L"Settings/RefCmSizeChangeBy",
        L"Settings/CmAuto", L"Settings/MagnifierSyncVisible", L"Settings/MoveHotKeyUp",
        L"Settings/MoveHotKeyDown", L"Settings/MoveHotKeyLeft", L"Settings/MoveHotKeyRight",
        L"Settings/MoveHotKeyMoveBy", L"Settings/HotKeyMeasureStart", L"Settings/HotKeyEdgeSpan",
        L"Settings/HotKeyPinMark", L"Settings/EdgeTolerance", L"Settings/Language",
        L"Colors/MouseLine", L"Colors/MousePosBack", L"Colors/MousePosText", L"Colors/Ticks",
        L"Colors/Back", L"Colors/ColorPinMark",
        // The magnifier, which a first start opens, keeps its place.
        L"WndStates/TMagnifierDlgHeight", L"WndStates/TMagnifierDlgWidth",
        L"WndStates/TMagnifierDlgTop", L"WndStates/TMagnifierDlgLeft"};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(IniValue(entries, L"FirstStart"), L"0");
    EXPECT_EQ(IniValue(entries, L"Left"), L"341");
    EXPECT_EQ(IniValue(entries, L"Top"), L"201");
    EXPECT_EQ(IniValue(entries, L"Language"), L"") << "automatic until the user chooses";
}

TEST_F(RulerWindow, MeasuringHotkeySetsMovesAndEndsTheStartPoint) {
    DravikProcess dravik;
    auto client = [](int x, int y) { return ScreenPixel(kLeft + x, kTop + y); };
    // Row 36 lies between labels and bottom ticks: where nothing is drawn it
    // shows the face as a far column does.
    auto faceAt = [&](int x) { return client(x, 36) == client(300, 36); };
    auto boxWidth = [&] {
        return dravik.StateInt(RulerState::BoxRight) - dravik.StateInt(RulerState::BoxLeft);
    };

    MoveMouseTo(kLeft + 100, kTop + 30);
    ASSERT_TRUE(
        StateBecomes(dravik, {{RulerState::MousePos, L"100"}, {RulerState::HasStartPos, L"0"}}));
    const long long plainWidth = boxWidth();
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    ASSERT_TRUE(
        StateBecomes(dravik, {{RulerState::HasStartPos, L"1"}, {RulerState::StartPos, L"100"}}));

    MoveMouseTo(kLeft + 160, kTop + 30);
    ASSERT_TRUE(StateBecomes(dravik, {{RulerState::MousePos, L"160"}}));
    EXPECT_GT(boxWidth(), plainWidth) << "the box holds the distance as well";
    EXPECT_EQ(dravik.State()[RulerState::BoxText], L"161  (61)");
    EXPECT_TRUE(dravik.WaitUntil([&] { return client(100, 36) == RGB(0, 0, 255); }))
        << "the start line";

    // Pressed elsewhere: the start moves there and the old line goes.
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    EXPECT_TRUE(
        StateBecomes(dravik, {{RulerState::HasStartPos, L"1"}, {RulerState::StartPos, L"160"}}));
    EXPECT_TRUE(dravik.WaitUntil([&] { return faceAt(100); })) << "the old start line is gone";
    // Pressed again without moving: measuring ends.
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    EXPECT_TRUE(
        StateBecomes(dravik, {{RulerState::HasStartPos, L"0"}, {RulerState::BoxText, L"161"}}));
}

TEST_F(RulerWindow, KeysSizeTurnCycleLevelHideAndFillTheScreen) {
    DravikProcess dravik;
    ASSERT_TRUE(Focused(dravik));
    PressKeyWith({VK_SHIFT, VK_CONTROL}, VK_RIGHT);
    EXPECT_TRUE(
        StateBecomes(dravik, {{RulerState::ClientWidth, L"605"}, {RulerState::Left, L"340"}}));

    // Turned at the top-left corner.
    PressKey('A');
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Horizontal, L"0"},
                                      {RulerState::ClientWidth, L"57"},
                                      {RulerState::ClientHeight, L"400"},
                                      {RulerState::Left, L"340"},
                                      {RulerState::Top, L"200"}}));
    // Shift+Left sizes a horizontal ruler only; turning back shows that it
    // neither sized nor moved this one.
    PressKeyWith({VK_SHIFT}, VK_LEFT);
    PressKey('A');
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Horizontal, L"1"},
                                      {RulerState::ClientWidth, L"605"},
                                      {RulerState::VHeight, L"400"},
                                      {RulerState::Left, L"340"},
                                      {RulerState::Top, L"200"}}));

    PressKey('E'); // the character "e": the next unit
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Unit, L"3"}}));

    PressKey('O');
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::TopMost, L"0"}, {RulerState::OnTop, L"0"}}));
    // The hook was installed anew for the new level: the line still follows.
    MoveMouseTo(kLeft + 250, 600);
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::MousePos, L"250"}}));
    PressKey('O');
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::TopMost, L"1"}, {RulerState::OnTop, L"1"}}));

    PressKey('S');
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Visible, L"0"}}));
    EXPECT_TRUE(dravik.Running());
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Visible, L"1"}}));

    ASSERT_TRUE(Focused(dravik));
    PressKey('G');
    EXPECT_TRUE(
        StateBecomes(dravik, {{RulerState::Left, L"0"}, {RulerState::ClientWidth, L"1280"}}));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(dravik.WaitForExit(5000));
    const auto entries = ReadIni(dravik.SettingsFile());
    EXPECT_EQ(IniValue(entries, L"Width"), L"1280");
    EXPECT_EQ(IniValue(entries, L"Left"), L"0");
    EXPECT_EQ(IniValue(entries, L"Unit"), L"3");
    EXPECT_EQ(IniValue(entries, L"OnTop"), L"1");
}

namespace {

// A settings file edited by hand: what the ruler makes of it at start, what
// the user does then (with its own checks), and what it writes back.
struct HandEdited {
    const wchar_t* Lines;
    Values State;
    void (*Act)(DravikProcess&) = nullptr;
    IniValues Written;
};

const HandEdited kHandEdited[] = {
    // Off an edge or beyond the screen: pulled back onto it.
    {L"Left=-700", {{RulerState::Left, L"0"}}},
    {L"Top=780\r\nHeight=400", {{RulerState::Top, L"400"}}},
    {L"Top=-30", {{RulerState::Top, L"0"}}},
    // Wider than the screen: shown as wide as it, but the length is kept.
    {L"Width=5000\r\nLeft=1270",
     {{RulerState::Left, L"0"}, {RulerState::ClientWidth, L"1280"}},
     nullptr,
     {{L"Width", L"5000"}}},
    {L"Transparency=50", {{RulerState::Layered, L"128"}}},
    // A value without a menu item: applied, and no item checked for it.
    {L"Transparency=25",
     {{RulerState::Layered, L"191"}, {RulerState::CheckedTransparency, L"0"}},
     [](DravikProcess& d) {
         EXPECT_EQ(d.Ask(L"command mnut0"), L"ok");
         EXPECT_TRUE(StateBecomes(d, {{RulerState::Layered, L"-1"}}));
     }},
    {L"RefCmSize=-3", {}, nullptr, {{L"RefCmSize", L"5,48"}}},
    {L"HotKeyMeasureStart=0",
     {},
     [](DravikProcess&) { EXPECT_TRUE(HotkeyFree(MOD_CONTROL | MOD_SHIFT, 'A')); }},
    // Ctrl+Shift+Left twice: the first row's registration (left) acts, and a
    // hotkey shows the hidden ruler.
    {L"MoveHotKeyLeft=24613\r\nMoveHotKeyRight=24613\r\nMoveHotKeyMoveBy=7\r\nVisible=0",
     {{RulerState::Visible, L"0"}},
     [](DravikProcess& d) {
         EXPECT_TRUE(d.PressHotkey({VK_CONTROL, VK_SHIFT}, VK_LEFT));
         EXPECT_TRUE(StateBecomes(d, {{RulerState::Visible, L"1"}, {RulerState::Left, L"333"}}));
     }},
    {L"Unit=9\r\nWidth=50\r\nZoom=abc",
     {{RulerState::Unit, L"2"}, {RulerState::ClientWidth, L"600"}},
     nullptr,
     {{L"Unit", L"2"}, {L"Width", L"600"}, {L"Zoom", L"4"}}},
    // Only "1" is true.
    {L"Horizontal=yes", {{RulerState::Horizontal, L"0"}, {RulerState::ClientWidth, L"57"}}},
};

} // namespace

TEST_F(RulerWindow, HandEditedSettingsAreReadOrRepaired) {
    for (const HandEdited& row : kHandEdited) {
        const std::wstring lines = row.Lines;
        SCOPED_TRACE(Narrow(lines));
        DravikProcess dravik({.Settings = SettingsFile(lines)});
        EXPECT_TRUE(StateBecomes(dravik, row.State));
        if (row.Act) row.Act(dravik);
        ASSERT_TRUE(dravik.Close());
        const auto entries = ReadIni(dravik.SettingsFile());
        for (const auto& [key, value] : row.Written)
            EXPECT_EQ(IniValue(entries, key), value) << Narrow(key);
    }
}

// A user's session, then a start with a hand-edited file: "S" still hides
// the ruler shown again from the tray.
TEST_F(RulerWindow, SHidesTheRulerAfterASessionOfKeysAndHotkeys) {
    {
        DravikProcess first;
        DravikProcess second({.ExpectRuler = false}); // ends at once
        EXPECT_TRUE(second.WaitForExit(5000));
        for (int x : {100, 160, 220}) {
            MoveMouseTo(kLeft + x, kTop + 30);
            ASSERT_TRUE(StateBecomes(first, {{RulerState::MousePos, std::to_wstring(x)}}));
            ASSERT_TRUE(first.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
        }
        ASSERT_TRUE(Focused(first));
        PressKeyWith({VK_SHIFT, VK_CONTROL}, VK_RIGHT);
        PressKey('A');
        PressKeyWith({VK_SHIFT}, VK_LEFT);
        for (WORD key : {'A', 'E', 'O', 'O', 'S'})
            PressKey(key);
        ASSERT_TRUE(StateBecomes(first, {{RulerState::Visible, L"0"}}));
        ASSERT_TRUE(first.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
        ASSERT_TRUE(StateBecomes(first, {{RulerState::Visible, L"1"}}));
        ASSERT_TRUE(Focused(first));
        PressKey('G');
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(first.WaitForExit(5000));
    }
    DravikProcess dravik(
        {.Settings =
             SettingsFile(L"Left=-700\r\nTop=780\r\nWidth=600\r\nTransparency=50\r\n"
                          L"Magnifier=0\r\nVisible=0\r\nColorPickerIcon=0\r\nRefCmSize=-3\r\n"
                          L"MoveHotKeyLeft=49191\r\nMoveHotKeyRight=49191\r\nMoveHotKeyMoveBy=7")});
    ASSERT_TRUE(ClickTrayIconUntil(dravik, false,
                                   [&] { return ::IsWindowVisible(dravik.Ruler()) != FALSE; }));
    ASSERT_TRUE(Focused(dravik));
    PressKey('S');
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Visible, L"0"}}));
}

TEST_F(RulerWindow, AHiddenRulerWithoutPickerIconComesBackByAClickOnItsTrayIcon) {
    DravikProcess dravik({.Settings = SettingsFile(L"Visible=0\r\nColorPickerIcon=0")});
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Visible, L"0"},
                                      {RulerState::TrayIcon, L"1"},
                                      {RulerState::TrayColorPicker, L"0"}}));
    EXPECT_FALSE(::IsWindowVisible(dravik.Ruler()));
    POINT icon{};
    ASSERT_TRUE(FindTrayIcon(dravik, false, icon)) << "no ruler icon in the taskbar";
    EXPECT_EQ(TrayIcons().size(), 1u) << "the picker's icon is hidden";
    EXPECT_TRUE(ClickTrayIconUntil(dravik, false,
                                   [&] { return ::IsWindowVisible(dravik.Ruler()) != FALSE; }));
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Visible, L"1"}}));
    EXPECT_TRUE(::IsWindowVisible(dravik.Ruler()));
}

TEST_F(RulerWindow, HelpWithoutItsFileAndAFailingDialogGiveTheLevelBack) {
    DravikProcess dravik;
    ASSERT_TRUE(Focused(dravik));
    PressKey(VK_F1);
    HWND box = nullptr;
    EXPECT_EQ(dravik.WaitForMessageBox(5000, &box),
              L"Die Hilfe-Datei \"" + dravik.Folder() + L"\\Hilfe.chm\" wurde nicht gefunden!");
    ASSERT_NE(box, nullptr);
    // The box must not open behind the top-most ruler.
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::TopMost, L"0"}}));
    ASSERT_TRUE(dravik.WaitUntil([&] { return ::GetForegroundWindow() == box; }));
    PressKey(VK_RETURN);
    EXPECT_TRUE(dravik.WaitUntil([&] { return !::IsWindow(box); }));
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::TopMost, L"1"}}));

    EXPECT_EQ(dravik.Ask(L"failingdialog"), L"1");
    EXPECT_EQ(dravik.WaitForMessageBox(5000, &box), L"Der Dialog konnte nicht angezeigt werden.");
    if (box) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(dravik.WaitUntil([&] { return !::IsWindow(box); }));
}

TEST_F(RulerWindow, RightClicksOnTheRulerAndOnItsTrayIconOpenTheMenu) {
    DravikProcess dravik;
    const std::wstring expected = L"on Sichtbar\tS\n"
                                  L"on Immer oben\tO\n"
                                  L"on Ausrichtung ändern\tA\n"
                                  L"on Optimale Größe\tG\n"
                                  L"on Messwert kopieren\tStrg+C\n"
                                  L"on Kanten messen\n"
                                  L"on Markierung setzen\n"
                                  L"on Markierungen löschen\tEntf\n"
                                  L"on Auf dem Bildschirm zentrieren\n"
                                  L"on Einheit\n"
                                  L"on Einstellungen...\n"
                                  L"on Transparenz\n"
                                  L"on Sprache\n"
                                  L"on Farbauswahlicon anzeigen\n"
                                  L"-\n"
                                  L"on Farbe auswählen...\tF\n"
                                  L"on Lupe\tL\n"
                                  L"-\n"
                                  L"on Hilfe...\tF1\n"
                                  L"on Nach neuer Version suchen...\n"
                                  L"on Wünsche/Feedback...\n"
                                  L"on Info über...\n"
                                  L"-\n"
                                  L"on Beenden\tEsc\n";
    POINT icon{};
    ASSERT_TRUE(FindTrayIcon(dravik, false, icon)) << "no ruler icon in the taskbar";
    const POINT places[] = {{kLeft + 100, kTop + 24}, icon};
    for (const POINT& p : places) {
        SCOPED_TRACE(p.y == icon.y ? "tray icon" : "ruler");
        RightClickAt(p.x, p.y);
        ASSERT_TRUE(dravik.WaitUntil([&] { return OpenMenu(dravik) != nullptr; }));
        EXPECT_EQ(dravik.Ask(L"menu"), expected);
        // An item with a hint tells it beside itself while it is selected.
        // Down, one item at a time, until it is selected: the pointer that
        // rests on the menu's corner may select the first item of its own,
        // so no count of presses is sure (the menu wraps around).
        const std::wstring hint = L"Sucht im Internet nach einer neuen Programmversion";
        const auto hintNow = [&] { return dravik.State()[RulerState::MenuHint]; };
        for (int press = 0; press < 40 && hintNow() != hint; ++press) {
            const std::wstring before = hintNow();
            PressKey(VK_DOWN);
            dravik.WaitUntil([&] { return hintNow() != before; }, 150);
        }
        EXPECT_TRUE(StateBecomes(dravik, {{RulerState::MenuHint, hint}}));
        HWND tip = nullptr;
        EXPECT_TRUE(dravik.WaitUntil([&] {
            tip = dravik.ProgramWindow(L"tooltips_class32");
            return tip && ::IsWindowVisible(tip) && Text(tip) == hint;
        })) << "no tip beside the item: "
            << (tip ? (::IsWindowVisible(tip) ? "shown, \"" : "hidden, \"") + Narrow(Text(tip)) +
                          "\""
                    : std::string("none"));
        // Esc closes the menu, not the program.
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(dravik.WaitUntil([&] { return OpenMenu(dravik) == nullptr; }));
        EXPECT_TRUE(dravik.WaitUntil([&] { return !tip || !::IsWindowVisible(tip); }))
            << "the tip stays after the menu closed";
        EXPECT_TRUE(dravik.Running());
    }
}

TEST_F(RulerWindow, HandEditedCalibrationsPerMonitorAreReadSafelyAndKept) {
    std::wstring monitor;
    {
        DravikProcess first;
        ASSERT_TRUE(first.WaitUntil(
            [&] { return !(monitor = first.State()[RulerState::MonitorId]).empty(); }));
    }
    // This monitor's entry is negative: the general keys count. Entries of
    // monitors that are not connected now stay as they are, whatever they say.
    const std::wstring lines = L"CmAuto=0\r\nRefCmSize=6,5\r\n[Calibration]\r\n" + monitor +
                               L"=-3\r\nGONE-0000-00000001=garbage\r\nOTHR-0001-00000002=auto";
    DravikProcess dravik({.Settings = SettingsFile(lines)});
    EXPECT_TRUE(
        StateBecomes(dravik, {{RulerState::CmAuto, L"0"}, {RulerState::MonitorId, monitor}}));
    const std::wstring general = dravik.State()[RulerState::RefCmSize];
    // A calibration step ("+": the millimetres wider, the bar's length
    // shorter) gives this monitor an entry of its own.
    ASSERT_EQ(dravik.Ask(L"command KeyPlus"), L"ok");
    EXPECT_TRUE(dravik.WaitUntil([&] { return dravik.State()[RulerState::RefCmSize] != general; }));
    ASSERT_TRUE(Focused(dravik));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(dravik.WaitForExit(5000));
    const std::vector<IniEntry> entries = ReadIni(dravik.SettingsFile());
    EXPECT_EQ(IniValue(entries, L"Calibration", monitor), L"6,40");
    EXPECT_EQ(IniValue(entries, L"Calibration", L"GONE-0000-00000001"), L"garbage");
    EXPECT_EQ(IniValue(entries, L"Calibration", L"OTHR-0001-00000002"), L"auto");
    EXPECT_EQ(IniValue(entries, L"Settings", L"RefCmSize"), L"6,40")
        << "written for older programs";
}
