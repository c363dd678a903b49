// Numbers with a fraction as each language shows and reads them: a comma in
// German, a point in English; what is stored keeps its comma in both.
#include "colour/ColorContrast.h"
#include "colour/CssColorText.h"
#include "magnifier/MagnifierRules.h"
#include "ruler/PinnedMarks.h"
#include "ruler/RulerSettings.h"
#include "ruler/StartPointDelta.h"
#include "settings/PixelsPerMMEditor.h"
#include "settings/SettingsDlgRules.h"
#include "storage/MvMemIni.h"
#include "util/Numbers.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Each test runs on a German system (decimal comma) unless it says other,
// and leaves the language and the system's formats as it found them.
class ShownNumbers : public ::testing::Test {
  protected:
    void SetUp() override {
        savedFormats_ = FormatSettings();
        savedLanguage_ = UiLanguage();
        SetLocalFormat(L',', L'.');
    }
    void TearDown() override {
        FormatSettings() = savedFormats_;
        SetUiLanguage(savedLanguage_);
    }

  private:
    TFormatSettings savedFormats_;
    Language savedLanguage_ = Language::German;
};

// A horizontal ruler at the screen's left edge, 37.8 pixels to the centimetre
// both ways.
struct TestRuler {
    RulerModel Model;
    explicit TestRuler(TRulerUnit unit) {
        Model.Scale.fRulerUnit = unit;
        Model.Scale.Converter.SetPixelsPerMMX(3.78);
        Model.Scale.Converter.SetPixelsPerMMY(3.78);
    }
    operator CursorRuler() const { return {Model, {}}; }
};

// The cursor at client position 259, measuring from 100.
constexpr CursorState Measuring{.MousePos = 259, .StartPos = 100, .HasStartPos = true};

std::wstring Joined(const std::vector<std::wstring>& texts) {
    std::wstring all;
    for (const std::wstring& text : texts)
        all += (all.empty() ? L"" : L" ") + text;
    return all;
}

} // namespace

// Every text that shows a number with a fraction, called as the program
// calls it, in each language.
TEST_F(ShownNumbers, EveryFiguresTextTakesTheLanguagesSeparatorAndCssKeepsItsPoint) {
    const TestRuler cm(ruCentimeter), inch(ruInch), mm(ruMillimeter);
    const auto delta = [&] { return StartPointDeltaText(DeltaFromStart(cm, {0, 0}, {378, -378})); };
    const struct {
        const char* What;
        std::function<std::wstring()> Text;
        const wchar_t* German;
        const wchar_t* English;
    } rows[] = {
        {"box with a start point", [&] { return MousePosText(cm, Measuring, 259); }, L"6,9  (4,2)",
         L"6.9  (4.2)"},
        {"copied reading", [&] { return ReadingCopyText(inch, Measuring); }, L"1,66 in",
         L"1.66 in"},
        {"whole millimetres", [&] { return ReadingCopyText(mm, Measuring); }, L"42 mm", L"42 mm"},
        {"below zero",
         [] {
             return ReadingText({-0.25L, 1});
         },
         L"-0,3", L"-0.3"},
        {"pinned marks' labels",
         [&] {
             PinnedMarks pinned;
             PinMark(pinned, {100, 10});
             PinMark(pinned, {259, 10});
             const FaceMarks face = MarksOnRuler(cm, pinned, 0);
             return Joined(face.PositionTexts) + L" | " + Joined(face.Distances);
         },
         L"2,6 6,9 | 4,2", L"2.6 6.9 | 4.2"},
        {"figures from the start point", delta, L"\u0394x 10,0  \u0394y -10,0  14,1  -45,0\u00B0",
         L"\u0394x 10.0  \u0394y -10.0  14.1  -45.0\u00B0"},
        {"magnifier caption",
         [&] {
             return MagnifierCaption({9, 19}, 4, delta());
         },
         L" X: 10, Y: 20   \u0394x 10,0  \u0394y -10,0  14,1  -45,0\u00B0   Zoom: 4x",
         L" X: 10, Y: 20   \u0394x 10.0  \u0394y -10.0  14.1  -45.0\u00B0   Zoom: 4x"},
        {"contrast ratio",
         [] {
             return ContrastRatioText(ContrastRatio(RGBColor(0, 0, 0), RGBColor(255, 255, 255)));
         },
         L"21,00 : 1", L"21.00 : 1"},
        {"nearest CSS name", [] { return CssNameText(RGBColor(0x1e, 0x50, 0xb4)); },
         L"darkslateblue (\u0394E 0,087)", L"darkslateblue (\u0394E 0.087)"},
        {"CSS notation",
         [] { return CssNotationText(RGBColor(0x1e, 0x50, 0xb4), TCssNotation::Hsl); },
         L"hsl(220 71.4% 41.2%)", L"hsl(220 71.4% 41.2%)"},
        {"calibration fields",
         [] {
             const TSettingsDlgState shown = FormShowState({}, TypedDecimalSeparator());
             return shown.UserCmMeasured + L" " + shown.UserCmMeasuredChangeBy;
         },
         L"5,4800 0,1000", L"5.4800 0.1000"},
    };
    for (const auto& row : rows) {
        SetUiLanguage(Language::German);
        EXPECT_EQ(row.Text(), row.German) << row.What;
        SetUiLanguage(Language::English);
        EXPECT_EQ(row.Text(), row.English) << row.What;
    }
}

// German reads what it always read: the system's separator only. English
// reads a point whatever the system's, and a lone comma as one too.
TEST_F(ShownNumbers, TheCalibrationReadsWhatEachLanguageTypes) {
    const struct {
        Language Ui;
        wchar_t SystemDecimal;
        const wchar_t* Typed;
        bool Valid;
        double Read; // 1 when it is no number
    } rows[] = {
        {Language::German, L',', L"5,48", true, 5.48},
        {Language::German, L',', L"5.48", false, 1},
        {Language::German, L'.', L"5.48", true, 5.48}, // a German system with a point
        {Language::English, L',', L"5.48", true, 5.48},
        {Language::English, L',', L"5,48", true, 5.48},
        {Language::English, L'.', L"0,25", true, 0.25},
        {Language::English, L',', L"1,000.5", false, 1}, // no grouping in these fields
        {Language::English, L',', L"5,4,8", false, 1},
        {Language::English, L',', L" 5.48", false, 5.48},
        {Language::English, L',', L"1000.0", false, 1000},
    };
    for (const auto& row : rows) {
        SetLocalFormat(row.SystemDecimal, row.SystemDecimal == L',' ? L'.' : L',');
        SetUiLanguage(row.Ui);
        const wchar_t decimal = TypedDecimalSeparator();
        EXPECT_EQ(IsValidCmMeasured(row.Typed, decimal), row.Valid) << row.Typed;
        EXPECT_DOUBLE_EQ(ParseCmMeasured(row.Typed, decimal), row.Read) << row.Typed;
    }
}

// A length typed into the English dialog is saved as the German one is, and
// the file reads back the same in either language.
TEST_F(ShownNumbers, TheStoredFormIsTheSameWhicheverLanguageWroteIt) {
    const auto savedAfterTyping = [](Language ui, const std::wstring& length) {
        SetUiLanguage(ui);
        const TSettingsExchange before;
        TSettingsDlgState state = FormShowState(before, TypedDecimalSeparator());
        state.AutoPixelPerMM = false;
        state.UserCmMeasured = length;
        EXPECT_TRUE(CheckSettings(state, TypedDecimalSeparator()).Ok) << length;
        RulerModel model;
        ApplyExchangeToRuler(FormCloseValues(state, TypedDecimalSeparator(), before), model);
        TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
        SaveRulerSettings(ini, model);
        return ini.GetText();
    };
    const std::wstring german = savedAfterTyping(Language::German, L"6,25");
    EXPECT_NE(german.find(L"RefCmSize=6,25\r\n"), std::wstring::npos);
    EXPECT_EQ(savedAfterTyping(Language::English, L"6.25"), german);
    EXPECT_EQ(savedAfterTyping(Language::English, L"6,25"), german);

    for (const auto& [ui, shown] :
         {std::pair{Language::German, L"6,2500"}, std::pair{Language::English, L"6.2500"}}) {
        SetUiLanguage(ui);
        TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
        ini.SetText(german);
        RulerModel model;
        LoadRulerSettings(ini, model);
        EXPECT_EQ(FormShowState(ExchangeFromRuler(model), TypedDecimalSeparator()).UserCmMeasured,
                  shown);
    }
}
