#include "util/Numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace {

// Each test starts from known separators and leaves them as it found them.
class NumbersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = FormatSettings();
        FormatSettings().DecimalSeparator = L'.';
        FormatSettings().ThousandSeparator = L',';
    }
    void TearDown() override { FormatSettings() = saved_; }
    TFormatSettings saved_;
};

} // namespace

TEST(MVRoundTest, HalvesRoundAwayFromZero) {
    EXPECT_EQ(MVRound(0.5L), 1);
    EXPECT_EQ(MVRound(-0.5L), -1);
    EXPECT_EQ(MVRound(0.49L), 0);
    EXPECT_EQ(MVRound(-1.5L), -2);
    EXPECT_EQ(MVRound(2.5L), 3);
    EXPECT_EQ(MVRound(-2.5L), -3);
    EXPECT_EQ(MVRound(0.0L), 0);
}

TEST(MVRoundTest, SaturatesBeyondTheIntegerRange) {
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    const long double inf = std::numeric_limits<long double>::infinity();
    const std::pair<long double, std::int64_t> cases[] = {
        {1e308L, max},
        {-1.8e308L, min},
        {inf, max},
        {-inf, min},
        {std::numeric_limits<long double>::quiet_NaN(), 0},
        {9223372036854775808.0L, max},
        {-9223372036854775808.0L, min},
        {9007199254740993.0L, 9007199254740993},
        {-4503599627370495.5L, -4503599627370496},
    };
    for (const auto& [x, expected] : cases)
        EXPECT_EQ(MVRound(x), expected) << static_cast<double>(x);
}

TEST_F(NumbersTest, IntegerParseAcceptsDecimalAndBothHexPrefixes) {
    std::int32_t v = 0;
    EXPECT_TRUE(TryStrToInt(L"42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(TryStrToInt(L"  -17", v)); // leading blanks are allowed
    EXPECT_EQ(v, -17);
    EXPECT_TRUE(TryStrToInt(L"+5", v));
    EXPECT_EQ(v, 5);
    EXPECT_TRUE(TryStrToInt(L"$1F", v));
    EXPECT_EQ(v, 31);
    EXPECT_TRUE(TryStrToInt(L"0x10", v));
    EXPECT_EQ(v, 16);
    EXPECT_TRUE(TryStrToInt(L"0Xff", v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(TryStrToInt(L"$FFFFFFFF", v)); // hex may use all 32 bits
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(TryStrToInt(L"-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_TRUE(TryStrToInt(L"2147483647", v));
    EXPECT_EQ(v, INT32_MAX);
}

TEST_F(NumbersTest, IntegerParseRejectsIncompleteOrOversizedText) {
    std::int32_t v = 7;
    for (const wchar_t* bad : {L"", L" ", L"-", L"$", L"0x", L"12 ", L"1.0", L"2147483648",
                               L"-2147483649", L"$100000000", L"12a", L"ten"})
        EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
    EXPECT_EQ(v, 7);
    EXPECT_EQ(StrToIntDef(L"x", -3), -3);
    EXPECT_EQ(StrToIntDef(L"0", -3), 0);
}

TEST_F(NumbersTest, IsIntWithGroupingDropsSeparatorsButNeverAllowsBlanks) {
    FormatSettings().ThousandSeparator = L'.';
    EXPECT_TRUE(IsInt(L"1.000", true));
    EXPECT_FALSE(IsInt(L"1.000", false));
    EXPECT_FALSE(IsInt(L"1 000", true));
    EXPECT_FALSE(IsInt(L" 1", false)); // the parser would accept it, IsInt must not
    EXPECT_TRUE(IsInt(L"$A", false));
}

TEST_F(NumbersTest, FloatParseUsesTheCurrentDecimalSeparator) {
    double v = 0;
    EXPECT_TRUE(TryStrToFloat(L"3.25", v));
    EXPECT_DOUBLE_EQ(v, 3.25);
    EXPECT_FALSE(TryStrToFloat(L"3,25", v));
    FormatSettings().DecimalSeparator = L',';
    EXPECT_TRUE(TryStrToFloat(L" -3,25 ", v));
    EXPECT_DOUBLE_EQ(v, -3.25);
    EXPECT_TRUE(TryStrToFloat(L"1,5E3", v));
    EXPECT_DOUBLE_EQ(v, 1500);
    EXPECT_TRUE(TryStrToFloat(L",5", v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(TryStrToFloat(L"1e-400", v)); // underflow reads as zero
    EXPECT_EQ(v, 0);
    for (const wchar_t* bad : {L"", L",", L"-", L"1E", L"1,2,3", L"1e999", L"abc", L"1 2"})
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
}

TEST_F(NumbersTest, IsFloatNEHasExclusiveBoundsAndRefusesSurroundingBlanks) {
    EXPECT_TRUE(IsFloatNE(L"5", 0, 1000));
    EXPECT_FALSE(IsFloatNE(L"0", 0, 1000));
    EXPECT_FALSE(IsFloatNE(L"1000", 0, 1000));
    EXPECT_FALSE(IsFloatNE(L" 5", 0, 1000));
    EXPECT_FALSE(IsFloatNE(L"5 ", 0, 1000));
    EXPECT_FALSE(IsFloatNE(L"", 0, 1000));
    EXPECT_TRUE(IsFloat(L"5.5"));
    EXPECT_FALSE(IsFloat(L"\t5.5"));
}

TEST_F(NumbersTest, StrToFloatDefReadsStoredTextWhateverTheLocale) {
    for (wchar_t decimal : {L'.', L','}) {
        FormatSettings().DecimalSeparator = decimal;
        FormatSettings().ThousandSeparator = decimal == L'.' ? L',' : L'.';
        EXPECT_DOUBLE_EQ(StrToFloatDef(L"1.234,5", L'.', L',', -1), 1234.5);
        EXPECT_DOUBLE_EQ(StrToFloatDef(L"3,14", L'.', L',', -1), 3.14);
        EXPECT_DOUBLE_EQ(StrToFloatDef(L"3.14", L'.', L',', -1), 314);
        EXPECT_DOUBLE_EQ(StrToFloatDef(L"", L'.', L',', -1), -1);
        EXPECT_DOUBLE_EQ(StrToFloatDef(L"x", L'.', L',', -1), -1);
    }
}

TEST_F(NumbersTest, FormatFloatPatterns) {
    EXPECT_EQ(FormatFloat(L"0.00", 9.84), L"9.84");
    EXPECT_EQ(FormatFloat(L"0.00", 2.5), L"2.50");
    EXPECT_EQ(FormatFloat(L"0", 2.5), L"3");
    EXPECT_EQ(FormatFloat(L"0", -2.5), L"-3");
    EXPECT_EQ(FormatFloat(L"0.00", 0.125), L"0.13"); // decimal halves round away from zero
    EXPECT_EQ(FormatFloat(L"0.00", 9.999), L"10.00");
    EXPECT_EQ(FormatFloat(L"#,##0.00", 1234567.891), L"1,234,567.89");
    EXPECT_EQ(FormatFloat(L"#,##0", 999), L"999");
    EXPECT_EQ(FormatFloat(L"#", 0), L"");
    EXPECT_EQ(FormatFloat(L"#.##", 0.5), L".5");
    EXPECT_EQ(FormatFloat(L"0.##", 1), L"1");
    EXPECT_EQ(FormatFloat(L"000", 7), L"007");
    EXPECT_EQ(FormatFloat(L"0.0", -0.01), L"0.0"); // no "-0.0"
    EXPECT_EQ(FormatFloat(L"0 mm", 12.4), L"12 mm");
    EXPECT_EQ(FormatFloat(L"'#'0", 5), L"#5");
    EXPECT_EQ(FormatFloat(L"0;(0);null", -4), L"(4)");
    EXPECT_EQ(FormatFloat(L"0;(0);null", 0.2), L"null");
    EXPECT_EQ(FormatFloat(L"0", 1e20), L"100000000000000000000");
}

TEST_F(NumbersTest, FormatFloatMVUsesGivenSeparatorsAndRestoresThem) {
    EXPECT_EQ(FormatFloatMV(L"0.00", L'.', L',', 3.14159), L"3,14");
    EXPECT_EQ(FormatFloatMV(L"0", L'.', L',', 3.14159), L"3");
    EXPECT_EQ(FormatFloatMV(L"0.0", L'.', L',', -0.5), L"-0,5");
    EXPECT_EQ(FormatFloatMV(L"0.00", L'.', L',', 1234.5), L"1234,50"); // no grouping
    EXPECT_EQ(FormatFloatMV(L"#,##0.00", L'.', L',', 1234.5), L"1.234,50");
    EXPECT_EQ(FormatSettings().DecimalSeparator, L'.');
    EXPECT_EQ(FormatSettings().ThousandSeparator, L',');
}

TEST_F(NumbersTest, SetLocalFormatFixesDatesAndSwapsEqualSeparators) {
    SetLocalFormat(L',', L'.');
    EXPECT_EQ(FormatSettings().DateSeparator, L'.');
    EXPECT_EQ(FormatSettings().ShortDateFormat, L"DD/MM/YYYY");
    EXPECT_EQ(FormatSettings().DecimalSeparator, L',');
    SetLocalFormat(L'.', L',');
    EXPECT_EQ(FormatSettings().DecimalSeparator, L'.');
    EXPECT_EQ(FormatSettings().ThousandSeparator, L',');
    SetLocalFormat(L' ', L' ');
    EXPECT_EQ(FormatSettings().DecimalSeparator, L',');
    EXPECT_EQ(FormatSettings().ThousandSeparator, L'.');
}
