#include "storage/WndStateSaver.h"
#include "storage/MvMemIni.h"
#include "util/AssertionFailed.h"

#include <gtest/gtest.h>

namespace {

struct FakeWindow : TWndStateHost {
    TFormBorderStyle Style = TFormBorderStyle::bsSizeable;
    Rect Placed = Rect::FromSize(10, 10, 258, 204);
    TWindowState State = wsNormal;
    Rect Area = {0, 0, 1280, 780};
    std::wstring ClassName() const override { return L"TMagnifierDlg"; }
    std::wstring Name() const override { return L"MagnifierDlg"; }
    TFormBorderStyle BorderStyle() const override { return Style; }
    Rect Bounds() const override { return Placed; }
    void SetBounds(const Rect& bounds) override { Placed = bounds; }
    TWindowState WindowState() const override { return State; }
    void SetWindowState(TWindowState s) override { State = s; }
    Rect WorkArea() const override { return Area; }
};

// The magnifier's saver: place and size, not the state, 250 x 200 by default.
TWndStateSaver MagnifierSaver(FakeWindow& window) {
    TWndStateSaver saver(window, L"WndStateSaver1");
    saver.SetSavePosition(true);
    saver.SetSaveState(false);
    saver.SetDefWidth(250);
    saver.SetDefHeight(200);
    return saver;
}

void Store(TMvMemIniFile& ini, std::initializer_list<std::pair<const wchar_t*, int>> values) {
    for (auto [key, value] : values)
        ini.WriteInteger(L"WndStates", std::wstring(L"TMagnifierDlg") + key, value);
}

} // namespace

TEST(WndStateSaver, LoadPullsEveryStoredPlaceOntoTheWorkArea) {
    struct Case {
        std::initializer_list<std::pair<const wchar_t*, int>> Values;
        Rect Expected;
    } cases[] = {
        {{}, Rect::FromSize(515, 290, 250, 200)}, // first start: centred
        {{{L"Left", -1200}, {L"Top", 100}, {L"Width", 300}, {L"Height", 250}},
         Rect::FromSize(0, 100, 300, 250)},
        {{{L"Left", 5000}, {L"Top", 700}}, Rect::FromSize(1030, 580, 250, 200)},
        // A size of nothing reads as missing; a huge one is capped.
        {{{L"Width", 0}, {L"Height", -4}, {L"Left", 20}, {L"Top", 30}},
         Rect::FromSize(20, 30, 250, 200)},
        {{{L"Width", 3000}, {L"Height", 2000}}, Rect::FromSize(0, 0, 1280, 780)},
    };
    for (const Case& c : cases) {
        FakeWindow window;
        TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
        Store(ini, c.Values);
        MagnifierSaver(window).LoadFromIni(ini);
        EXPECT_EQ(window.Placed, c.Expected) << c.Expected.Left << "," << c.Expected.Top;
    }
}

TEST(WndStateSaver, SaveWritesPlaceAndStateAsKept) {
    FakeWindow window;
    window.Placed = Rect::FromSize(7, 8, 300, 250);
    TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
    MagnifierSaver(window).SaveToIni(ini);
    TStrings keys;
    ini.ReadSection(L"WndStates", keys);
    EXPECT_EQ(keys, (TStrings{L"TMagnifierDlgHeight", L"TMagnifierDlgWidth", L"TMagnifierDlgTop",
                              L"TMagnifierDlgLeft"}));
    EXPECT_EQ(ini.ReadInteger(L"WndStates", L"TMagnifierDlgLeft", 0), 7);

    // With the state kept: minimised is stored as normal, and a maximised
    // window keeps the place it had before.
    TWndStateSaver full(window, L"Saver");
    window.State = wsMinimized;
    full.SaveToIni(ini);
    EXPECT_EQ(ini.ReadInteger(L"WndStates", L"TMagnifierDlgState", -1), 0);
    window.State = wsMaximized;
    window.Placed = Rect::FromSize(0, 0, 1280, 780);
    full.SaveToIni(ini);
    EXPECT_EQ(ini.ReadInteger(L"WndStates", L"TMagnifierDlgState", -1), 2);
    EXPECT_EQ(ini.ReadInteger(L"WndStates", L"TMagnifierDlgWidth", 0), 300);

    FakeWindow reopened;
    TWndStateSaver again(reopened, L"Saver");
    again.LoadFromIni(ini);
    EXPECT_EQ(reopened.State, wsMaximized);
}

TEST(WndStateSaver, FrameDecidesWhatCanBeKeptAndMisuseIsNamed) {
    FakeWindow dialog;
    dialog.Style = TFormBorderStyle::bsDialog;
    TWndStateSaver saver(dialog, L"WndStateSaver1");
    EXPECT_FALSE(saver.SaveSize());
    EXPECT_FALSE(saver.SaveState());
    dialog.Style = TFormBorderStyle::bsSingle;
    saver.SetSaveState(true);
    saver.SetSaveSize(true);
    EXPECT_TRUE(saver.SaveState());
    EXPECT_FALSE(saver.SaveSize());

    try {
        saver.SaveWndState();
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message,
                  L"WndStateSaver1: IniName darf nicht leer sein. Setzen z.B. in OnFormCreate.");
    }
}
