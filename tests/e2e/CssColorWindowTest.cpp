// The colour window's groups "CSS", "Kontrast" and "Verlauf" driven as a user
// would: a colour typed and every labelled field read, each notation pasted
// back, garbage refused, the background set by Shift+click and swapped with
// the ratio and verdicts read, and the history of three picks after a
// restart.
#include "Checks.h"
#include "ColorWindowDriver.h"
#include "DravikProcess.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

// The CSS fields in the window's order, each with the label before it.
const std::pair<int, const wchar_t*> kCssFields[] = {
    {idCssHex, L"HEX"},     {idCssRgb, L"RGB"},     {idCssHsl, L"HSL"},
    {idCssHwb, L"HWB"},     {idCssLab, L"Lab"},     {idCssLch, L"LCh"},
    {idCssOklab, L"OKLab"}, {idCssOklch, L"OKLCh"}, {idCssName, L"Name"},
};
constexpr int kVerdicts[] = {idVerdictNormalAA, idVerdictNormalAAA, idVerdictLargeAA,
                             idVerdictLargeAAA};

// What a screen reader names a field by: the static text just before it.
std::wstring LabelOf(HWND control) {
    return Text(::GetWindow(control, GW_HWNDPREV));
}

using Texts = FieldTexts;

::testing::AssertionResult TextsBecome(DravikProcess& dravik, HWND form, const Texts& expected) {
    return TextsBecome(dravik, form, expected,
                       [&](int id) { return Narrow(LabelOf(Control(form, id))); });
}

// Every CSS field of a colour, in the order of kCssFields.
Texts CssTexts(const std::array<const wchar_t*, 9>& texts) {
    Texts all;
    for (size_t i = 0; i < texts.size(); ++i)
        all.push_back({kCssFields[i].first, texts[i]});
    return all;
}

::testing::AssertionResult TypeInto(DravikProcess& dravik, HWND form, int id,
                                    const std::wstring& text) {
    if (auto selected = SelectText(dravik, Control(form, id)); !selected) return selected;
    TypeText(text);
    return ::testing::AssertionSuccess();
}

// Typed into "CSS-Eingabe" and taken with Enter.
::testing::AssertionResult EnterCss(DravikProcess& dravik, HWND form, const std::wstring& text) {
    if (auto typed = TypeInto(dravik, form, idCssInput, text); !typed) return typed;
    PressKey(VK_RETURN);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PasteCss(DravikProcess& dravik, HWND form, const std::wstring& text) {
    if (!PutOnClipboard(text)) return ::testing::AssertionFailure() << "clipboard not set";
    if (auto selected = SelectText(dravik, Control(form, idCssInput)); !selected) return selected;
    PressKeyWith({VK_CONTROL}, 'V');
    return ::testing::AssertionSuccess();
}

// The colour the window holds, as its "HTML (RGB)" field shows it.
::testing::AssertionResult HoldsColour(DravikProcess& dravik, HWND form, const wchar_t* rrggbb) {
    return TextsBecome(dravik, form, {{idColorRGB, rrggbb}});
}

void KeyEvent(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

// A click with Shift held. The pointer is on the spot and Shift is seen
// down before the button goes: Wine brings its modifiers in line with the X
// server's when the pointer enters a window. A click that lost its Shift
// anyway is undone by undo() before the next try.
::testing::AssertionResult ShiftClickUntil(DravikProcess& dravik, HWND control, POINT client,
                                           const std::function<bool()>& done,
                                           const std::function<void()>& undo) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        POINT at = client;
        ::ClientToScreen(control, &at);
        PointerTo(at.x, at.y);
        KeyEvent(VK_SHIFT, false);
        dravik.WaitUntil([] { return ::GetAsyncKeyState(VK_SHIFT) < 0; }, 1000);
        MouseEventAt(at.x, at.y, MOUSEEVENTF_LEFTDOWN);
        MouseEventAt(at.x, at.y, MOUSEEVENTF_LEFTUP);
        KeyEvent(VK_SHIFT, true);
        if (dravik.WaitUntil(done, 1000)) return ::testing::AssertionSuccess();
        undo();
    }
    return ::testing::AssertionFailure() << "three Shift+clicks had no effect";
}

std::vector<std::wstring> HistoryTexts(HWND form) {
    std::vector<std::wstring> texts;
    for (int id = idHistoryFirst; id <= idHistoryLast; ++id)
        if (const std::wstring text = Text(Control(form, id)); !text.empty()) texts.push_back(text);
    return texts;
}

class CssColorWindow : public ::testing::Test {
  protected:
    void TearDown() override { KeepScreenshotIfFailed(); }
};

} // namespace

TEST_F(CssColorWindow, EveryLabelledFieldShowsTheTypedColourAsCssWritesIt) {
    DravikProcess dravik(Quiet());
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    // Each field read-only, its label just before it; the input and the ratio too.
    for (const auto& [id, label] : kCssFields) {
        HWND field = Control(form, id);
        ASSERT_NE(field, nullptr) << Narrow(label);
        EXPECT_EQ(LabelOf(field), label);
        EXPECT_TRUE(::GetWindowLongPtrW(field, GWL_STYLE) & ES_READONLY) << Narrow(label);
    }
    EXPECT_EQ(LabelOf(Control(form, idCssInput)), L"CSS-Eingabe");
    EXPECT_EQ(LabelOf(Control(form, idContrastRatio)), L"Kontrast");
    EXPECT_TRUE(::GetWindowLongPtrW(Control(form, idContrastRatio), GWL_STYLE) & ES_READONLY);

    const struct {
        int Field; // where it is typed
        const wchar_t* Typed;
        std::array<const wchar_t*, 9> Css;
    } rows[] = {
        {idCssInput,
         L"rgb(30, 80, 180)",
         {L"#1e50b4", L"rgb(30 80 180)", L"hsl(220 71.4% 41.2%)", L"hwb(220 11.8% 29.4%)",
          L"lab(35.6 13.9 -59)", L"lch(35.6 60.6 283.3)", L"oklab(0.461 -0.023 -0.166)",
          L"oklch(0.461 0.168 262.1)", L"darkslateblue (\u0394E 0,087)"}},
        {idColorRGB,
         L"FF0000",
         {L"#ff0000", L"rgb(255 0 0)", L"hsl(0 100% 50%)", L"hwb(0 0% 0%)", L"lab(54.3 80.8 69.9)",
          L"lch(54.3 106.8 40.9)", L"oklab(0.628 0.225 0.126)", L"oklch(0.628 0.258 29.2)",
          L"red"}},
        {idCssInput,
         L"gray",
         {L"#808080", L"rgb(128 128 128)", L"hsl(0 0% 50.2%)", L"hwb(0 50.2% 49.8%)",
          L"lab(53.6 0 0)", L"lch(53.6 0 0)", L"oklab(0.6 0 0)", L"oklch(0.6 0 0)", L"gray"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(Narrow(row.Typed));
        ASSERT_TRUE(TypeInto(dravik, form, row.Field, row.Typed));
        PressKey(row.Field == idCssInput ? VK_RETURN : VK_TAB);
        EXPECT_TRUE(TextsBecome(dravik, form, CssTexts(row.Css)));
    }
    // Upper-case hex on request, only in the HEX field.
    HWND upper = Control(form, idCssHexUpper);
    ASSERT_TRUE(ClickUntil(
        dravik, upper, [&] { return ::SendMessageW(upper, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    EXPECT_TRUE(
        TextsBecome(dravik, form, {{idCssHex, L"#808080"}, {idCssRgb, L"rgb(128 128 128)"}}));
    ASSERT_TRUE(EnterCss(dravik, form, L"#1e50b4"));
    EXPECT_TRUE(TextsBecome(dravik, form, {{idCssHex, L"#1E50B4"}}));
}

TEST_F(CssColorWindow, PastedNotationsComeBackExactlyAndGarbageIsRefused) {
    DravikProcess dravik(Quiet());
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    // A colour whose rounded Oklab values lie nearer to a neighbour.
    ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"0000FF"));
    PressKey(VK_TAB);
    ASSERT_TRUE(TextsBecome(dravik, form, {{idCssOklab, L"oklab(0.452 -0.032 -0.312)"}}));
    std::vector<std::wstring> shown;
    for (const auto& [id, label] : kCssFields)
        if (id != idCssName) shown.push_back(Text(Control(form, id)));
    for (const std::wstring& notation : shown) {
        SCOPED_TRACE(Narrow(notation));
        ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"123456"));
        PressKey(VK_TAB);
        ASSERT_TRUE(HoldsColour(dravik, form, L"123456"));
        ASSERT_TRUE(PasteCss(dravik, form, notation));
        EXPECT_TRUE(HoldsColour(dravik, form, L"0000FF"));
        EXPECT_TRUE(TextsBecome(dravik, form, {{idCssNote, L""}}));
    }
    // Said, not refused: the alpha and a colour beyond sRGB.
    ASSERT_TRUE(PasteCss(dravik, form, L"#1e50b480"));
    EXPECT_TRUE(HoldsColour(dravik, form, L"1E50B4"));
    EXPECT_TRUE(TextsBecome(dravik, form, {{idCssNote, L"Deckkraft nicht übernommen."}}));
    ASSERT_TRUE(EnterCss(dravik, form, L"oklch(0.9 0.4 30)"));
    EXPECT_TRUE(HoldsColour(dravik, form, L"FFCCC1"));
    EXPECT_TRUE(
        TextsBecome(dravik, form, {{idCssNote, L"Außerhalb von sRGB: auf sRGB abgebildet."}}));

    // Refused with a message that says what was understood; the colour stays.
    const struct {
        const wchar_t* Text;
        const wchar_t* Message;
        bool Pasted;
    } refused[] = {
        {L"rgb(30 80)",
         L"Die Eingabe \"rgb(30 80)\" ist keine lesbare CSS-Farbe: \"rgb(\" erkannt, aber 2 Werte "
         L"gelesen, es braucht 3.",
         true},
        {L"transparent",
         L"Die Eingabe \"transparent\" ist völlig durchsichtig und hat keine Farbe, die das "
         L"Fenster übernehmen könnte.",
         false},
        {L"#12345",
         L"Die Eingabe \"#12345\" ist keine lesbare CSS-Farbe: \"#\" mit 5 Hexadezimalziffern "
         L"erkannt, es braucht 3, 4, 6 oder 8.",
         true},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(Narrow(row.Text));
        ASSERT_TRUE(row.Pasted ? PasteCss(dravik, form, row.Text)
                               : EnterCss(dravik, form, row.Text));
        EXPECT_EQ(AnswerMessageBox(dravik), row.Message);
        EXPECT_TRUE(HoldsColour(dravik, form, L"FFCCC1"));
    }

    // The copy buttons: a notation as shown, the name without its distance.
    ASSERT_TRUE(EnterCss(dravik, form, L"#4269e1"));
    ASSERT_TRUE(TextsBecome(dravik, form, {{idCssName, L"royalblue (\u0394E 0,001)"}}));
    const std::pair<int, std::wstring> copies[] = {
        {idCopyCssHex + 7, Text(Control(form, idCssOklch))}, {idCopyCssName, L"royalblue"}};
    for (const auto& [button, copied] : copies) {
        SCOPED_TRACE(Narrow(copied));
        ASSERT_TRUE(copied.rfind(L"oklch(0.56", 0) == 0 || copied == L"royalblue");
        ASSERT_TRUE(PutOnClipboard(L""));
        ASSERT_TRUE(
            ClickUntil(dravik, Control(form, button), [&] { return ClipboardText() == copied; }));
        EXPECT_TRUE(ClipboardBecomes(dravik, copied));
    }
}

TEST_F(CssColorWindow, ContrastAgainstTheBackgroundWithItsVerdicts) {
    TBytes written;
    {
        DravikProcess dravik(Quiet());
        HWND form = OpenByKey(dravik);
        ASSERT_NE(form, nullptr);
        // Against white, which the window starts with: just below and at the
        // thresholds, worked out by hand with WCAG's formula. Each row shows
        // something new, so its check waits for its own typing.
        const struct {
            const wchar_t* Foreground;
            const wchar_t* Ratio;
            std::array<const wchar_t*, 4> Verdicts; // normal AA, AAA, large AA, AAA
        } rows[] = {
            {L"968EC8",
             L"2,99 : 1",
             {L"nicht bestanden", L"nicht bestanden", L"nicht bestanden", L"nicht bestanden"}},
            {L"777777",
             L"4,47 : 1",
             {L"nicht bestanden", L"nicht bestanden", L"bestanden", L"nicht bestanden"}},
            {L"008580",
             L"4,49 : 1",
             {L"nicht bestanden", L"nicht bestanden", L"bestanden", L"nicht bestanden"}},
            {L"EC0640",
             L"4,50 : 1",
             {L"bestanden", L"nicht bestanden", L"bestanden", L"bestanden"}},
            {L"B11800",
             L"6,99 : 1",
             {L"bestanden", L"nicht bestanden", L"bestanden", L"bestanden"}},
            // Not first: the window starts with black, and a row that shows
            // nothing new could pass before its own typing arrived.
            {L"000000", L"21,00 : 1", {L"bestanden", L"bestanden", L"bestanden", L"bestanden"}},
            {L"884900", L"7,00 : 1", {L"bestanden", L"bestanden", L"bestanden", L"bestanden"}},
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(Narrow(row.Foreground));
            ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, row.Foreground));
            PressKey(VK_TAB);
            Texts expected{{idContrastRatio, row.Ratio}};
            for (int i = 0; i < 4; ++i)
                expected.push_back({kVerdicts[i], row.Verdicts[static_cast<size_t>(i)]});
            EXPECT_TRUE(TextsBecome(dravik, form, expected));
        }

        // Shift+click on a palette cell: that cell's blue becomes the
        // background; the colour stays.
        ASSERT_TRUE(PageShown(dravik, form, pg256));
        HWND palette = Control(form, idColorPal256);
        ASSERT_TRUE(ShiftClickUntil(
            dravik, palette, CellPoint(palette, 5),
            [&] { return Text(Control(form, idContrastRatio)) == L"1,22 : 1"; },
            [&] { // a plain click took the blue as the colour
                ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"884900"));
                PressKey(VK_TAB);
                ASSERT_TRUE(HoldsColour(dravik, form, L"884900"));
            }));
        ASSERT_TRUE(HoldsColour(dravik, form, L"884900"));
        // "Tauschen": the blue is the colour now, #884900 the background. A
        // second click would swap back: it comes only when the first was lost.
        ASSERT_TRUE(ClickUntil(
            dravik, Control(form, idSwapColors),
            [&] { return Text(Control(form, idColorRGB)) == L"0000FF"; }, std::nullopt, 5000));
        EXPECT_TRUE(TextsBecome(dravik, form,
                                {{idContrastRatio, L"1,22 : 1"},
                                 {idVerdictLargeAA, L"nicht bestanden"},
                                 {idCssHex, L"#0000ff"}}));
        ASSERT_TRUE(ClickUntil(dravik, Control(form, IDOK), [&] { return !::IsWindow(form); }));
        ASSERT_TRUE(dravik.Close());
        EXPECT_EQ(IniValue(ReadIni(dravik.SettingsFile()), L"ColorPal", L"ContrastBack"),
                  L"004988"); // blue, green, red
        written = ReadBytes(dravik.SettingsFile());
    }
    // Started again, the background is still #884900.
    DravikProcess dravik({.Settings = written});
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(EnterCss(dravik, form, L"#0000ff"));
    EXPECT_TRUE(TextsBecome(dravik, form, {{idContrastRatio, L"1,22 : 1"}}));
}

TEST_F(CssColorWindow, HistoryOfThreePicksNewestFirstKeptAcrossARestart) {
    TBytes written;
    const std::vector<std::wstring> picked = {L"#5c5c5c", L"#66cccc", L"#0000ff"};
    {
        // Opened on "256 Farben": only the three picks go to the window.
        DravikProcess dravik(Quiet(L"[ColorPal]\r\nActivePal=1\r\n"));
        HWND form = OpenByKey(dravik);
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(HistoryTexts(form).empty());
        EXPECT_FALSE(::IsWindowEnabled(Control(form, idHistoryFirst))) << "an empty cell";
        ASSERT_EQ(Selection(Control(form, idPalName)), pg256);
        HWND palette = Control(form, idColorPal256);
        for (const auto& [cell, colour] :
             {std::pair{5, L"0000FF"}, std::pair{100, L"66CCCC"}, std::pair{230, L"5C5C5C"}}) {
            ASSERT_TRUE(ClickUntil(
                dravik, palette, [&] { return Text(Control(form, idColorRGB)) == colour; },
                CellPoint(palette, cell)));
        }
        // The same cell again adds no second entry.
        ASSERT_TRUE(ClickOn(palette, CellPoint(palette, 230)));
        EXPECT_TRUE(dravik.WaitUntil([&] { return HistoryTexts(form) == picked; }))
            << Narrow(HistoryTexts(form).empty() ? L"(none)" : HistoryTexts(form).front());
        // A cell of the history takes its colour and leaves the history as it is.
        ASSERT_TRUE(ClickUntil(dravik, Control(form, idHistoryFirst + 2),
                               [&] { return Text(Control(form, idColorRGB)) == L"0000FF"; }));
        EXPECT_EQ(HistoryTexts(form), picked);
        ASSERT_TRUE(ClickUntil(dravik, Control(form, IDOK), [&] { return !::IsWindow(form); }));
        ASSERT_TRUE(dravik.Close());
        const auto entries = ReadIni(dravik.SettingsFile());
        EXPECT_EQ(IniValue(entries, L"ColorHistory", L"0"), L"5C5C5C");
        EXPECT_EQ(IniValue(entries, L"ColorHistory", L"1"), L"CCCC66");
        EXPECT_EQ(IniValue(entries, L"ColorHistory", L"2"), L"FF0000");
        written = ReadBytes(dravik.SettingsFile());
    }
    DravikProcess dravik({.Settings = written});
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(dravik.WaitUntil([&] { return HistoryTexts(form) == picked; }));
    EXPECT_FALSE(::IsWindowEnabled(Control(form, idHistoryFirst + 3)));
}
