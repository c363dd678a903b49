#include "util/DatePattern.h"
#include "util/ConvertError.h"
#include "util/DateTime.h"
#include "util/Language.h"

#include "../common/UiLanguageScope.h"

#include <gtest/gtest.h>

namespace {

std::wstring ErrorOf(const std::wstring& pattern, const std::wstring& text) {
    try {
        ExtractDateFormatValues(pattern, text);
    } catch (const EConvertError& e) {
        return e.Message;
    }
    return L"(no error)";
}

} // namespace

TEST(DateTimeTest, SerialNumbersCountFromTheEndOf1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2013, 12, 24), 41632);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
    DecodeDate(EncodeDate(2000, 2, 29) + EncodeTime(23, 59, 59, 999), y, m, d);
    DecodeTime(EncodeDate(2000, 2, 29) + EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}),
              (std::vector<int>{2000, 2, 29, 23, 59, 59, 999}));
    DecodeDate(-1.25, y, m, d); // before 1899-12-30 the fraction is still the time of day
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h}), (std::vector<int>{1899, 12, 29, 6}));
}

TEST(DateTimeTest, ImpossibleDatesAndTimesRaiseGermanErrors) {
    try {
        EncodeDate(2013, 2, 29);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, L"Ungültiges Argument für Datumscodierung");
    }
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2000, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
}

TEST(DatePatternTest, ExamplesFromTheSettingsFiles) {
    EXPECT_EQ(StrToDateFormat(L"YYYY-MM-DD", L"2013-05-07", 0), EncodeDate(2013, 5, 7));
    EXPECT_EQ(StrToDateFormat(L"DD.MM.YY", L"07.05.13", 2000), EncodeDate(2013, 5, 7));
    EXPECT_EQ(StrToDateFormat(L"YYYY-MM-DD[ HH:NN]", L"2013-05-07", 2000), EncodeDate(2013, 5, 7));
    EXPECT_DOUBLE_EQ(StrToDateFormat(L"YYYY-MM-DD[ HH:NN]", L"2013-05-07 10:30", 2000),
                     EncodeDate(2013, 5, 7) + EncodeTime(10, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToDateFormat(L"HH:NN:SS", L"12:00:00", 2000), 0.5);
    EXPECT_DOUBLE_EQ(StrToDateFormat(L"YYYY-MM-DD HH:NN:SS", L"2013-12-24 18:30:15", 2000),
                     EncodeDate(2013, 12, 24) + EncodeTime(18, 30, 15, 0));
}

TEST(DatePatternTest, TwoDigitYearsGetTheCenturyOnlyWhenExactlyTwoDigits) {
    EXPECT_EQ(StrToDateFormat(L"D.M.Y", L"7.5.13", 1900), EncodeDate(1913, 5, 7));
    EXPECT_EQ(StrToDateFormat(L"D.M.Y", L"7.5.2013", 1900), EncodeDate(2013, 5, 7));
    EXPECT_EQ(StrToDateFormat(L"D.M.Y", L"7.5.9", 1900), EncodeDate(9, 5, 7));
    EXPECT_EQ(StrToDateFormat(L"DD.MM.YY", L"07.05.13", TDateTime(-1)), EncodeDate(2013, 5, 7));
}

TEST(DatePatternTest, SingleLettersReadVariableWidthAndLiteralsAreNotCompared) {
    const auto v = ExtractDateFormatValues(L"D.M.YYYY", L"7/12/2013");
    EXPECT_EQ(v.at(L'D'), L"7");
    EXPECT_EQ(v.at(L'M'), L"12");
    EXPECT_EQ(v.at(L'Y'), L"2013");
    EXPECT_EQ(ExtractDateFormatValues(L"yyyy", L"2013").at(L'Y'), L"2013"); // letters in any case
}

TEST(DatePatternTest, ErrorTextsNameThePatternAndTheValue) {
    const struct {
        const wchar_t* Pattern;
        const wchar_t* Text;
        const wchar_t* German;
        const wchar_t* English;
    } rows[] = {
        {L"YYYY-MM-DD", L"2013-05",
         L"Format \"YYYY-MM-DD\" stimmt nicht mit der Eingabe \"2013-05\" überein.",
         L"The format \"YYYY-MM-DD\" does not match the input \"2013-05\"."},
        {L"YYYY-MM-DD", L"2013-x5-07", L"Extrahierter Wert \"x5\" ist keine Zahl (Format: \"M\").",
         L"The extracted value \"x5\" is not a number (format: \"M\")."},
        {L"YY-MM-YY", L"13-05-13", L"Format \"YY-MM-YY\" enthält den Wert \"Y\" mehrfach.",
         L"The format \"YY-MM-YY\" contains the value \"Y\" more than once."},
        {L"YYYY[-MM", L"2013-05", L"Option in Format \"YYYY[-MM\" nicht abgeschlossen.",
         L"An optional part of the format \"YYYY[-MM\" is not closed."},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ErrorOf(row.Pattern, row.Text), row.German);
        const UiLanguageScope english(Language::English);
        EXPECT_EQ(ErrorOf(row.Pattern, row.Text), row.English);
    }
}

TEST(DatePatternTest, ImpossibleValuesRaiseOrGiveTheDefault) {
    EXPECT_THROW(StrToDateFormat(L"YYYY-MM-DD", L"2013-02-30", 2000), EConvertError);
    EXPECT_THROW(StrToDateFormat(L"HH:NN", L"25:00", 2000), EConvertError);
    EXPECT_EQ(StrToDateFormat(L"YYYY-MM-DD", L"2013-02-30", TDateTime(7)), 7);
    EXPECT_EQ(StrToDateFormat(L"YYYY-MM-DD", L"", TDateTime(7)), 7);
    EXPECT_EQ(StrToDateFormat(L"YYYY-MM-DD", L"garbage", TDateTime(7)), 7);
    // A year of 0 leaves only the time; day and month are then not checked.
    EXPECT_EQ(StrToDateFormat(L"YYYY-MM-DD", L"0000-99-99", 2000), 0);
}

TEST(DatePatternTest, WritingPatternsRoundTrip) {
    const TDateTime when = EncodeDate(2013, 12, 24) + EncodeTime(8, 5, 3, 0);
    EXPECT_EQ(FormatDateTimePattern(L"YYYY-MM-DD", when), L"2013-12-24");
    EXPECT_EQ(FormatDateTimePattern(L"YYYY-MM-DD HH:NN:SS", when), L"2013-12-24 08:05:03");
    EXPECT_EQ(FormatDateTimePattern(L"HH:NN:SS", when), L"08:05:03");
    EXPECT_EQ(FormatDateTimePattern(L"D.M.YY", when), L"24.12.13");
    EXPECT_DOUBLE_EQ(StrToDateFormat(L"YYYY-MM-DD HH:NN:SS",
                                     FormatDateTimePattern(L"YYYY-MM-DD HH:NN:SS", when), 2000),
                     when);
}
