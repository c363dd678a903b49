#include "util/VersionCompare.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> Split(const std::wstring& v) {
    TIntegerList list;
    SplitVer(v, list);
    std::vector<int> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.GetValue(i));
    return out;
}

} // namespace

TEST(SplitVer, NumbersLettersAndZero) {
    EXPECT_EQ(Split(L"2.2"), (std::vector<int>{2, 2}));
    EXPECT_EQ(Split(L"2.2a"), (std::vector<int>{2, 2, -26}));
    EXPECT_EQ(Split(L"2.10b"), (std::vector<int>{2, 10, -25}));
    EXPECT_EQ(Split(L"1.0"), (std::vector<int>{1, -200}));
    EXPECT_EQ(Split(L"3.0.1"), (std::vector<int>{3, -200, 1}));
    EXPECT_EQ(Split(L"z"), (std::vector<int>{-1}));
    EXPECT_EQ(Split(L" 2 . 3 "), (std::vector<int>{2, 3}));      // tokens are trimmed
    EXPECT_EQ(Split(L"2..3"), (std::vector<int>{2, '.' - 123})); // a stray dot starts a word
    EXPECT_EQ(Split(L""), (std::vector<int>{}));
    EXPECT_EQ(Split(L"2beta"), (std::vector<int>{2, -25})); // a word counts by its first letter
}

TEST(SplitVer, OverlongNumbersCountAsTheLargest) {
    EXPECT_EQ(Split(L"99999999999"), (std::vector<int>{2147483647}));
    EXPECT_EQ(Split(L"2147483647"), (std::vector<int>{2147483647}));
    EXPECT_EQ(Split(L"2147483648.1"), (std::vector<int>{2147483647, 1}));
}

TEST(Ver2GreaterVer1, ExamplesAndEmptyTexts) {
    EXPECT_TRUE(Ver2GreaterVer1(L"2.2", L"2.10"));
    EXPECT_TRUE(Ver2GreaterVer1(L"2.2", L"2.2a"));
    EXPECT_FALSE(Ver2GreaterVer1(L"2.2b", L"2.2"));
    EXPECT_FALSE(Ver2GreaterVer1(L"2.2", L"2.2"));
    EXPECT_TRUE(Ver2GreaterVer1(L"1.0", L"1"));
    EXPECT_FALSE(Ver2GreaterVer1(L"", L""));
    EXPECT_FALSE(Ver2GreaterVer1(L"2.2", L""));
    EXPECT_TRUE(Ver2GreaterVer1(L"", L"2.2"));
}

TEST(Ver2GreaterVer1, OrderingDetails) {
    EXPECT_FALSE(Ver2GreaterVer1(L"2.2A", L"2.2a")); // compared in lower case
    EXPECT_TRUE(Ver2GreaterVer1(L"2.2a", L"2.2b"));
    EXPECT_FALSE(Ver2GreaterVer1(L"2.10", L"2.9"));
    EXPECT_TRUE(Ver2GreaterVer1(L"2.2", L"2.2.1"));
    EXPECT_TRUE(Ver2GreaterVer1(L"2.2.0", L"2.2a")); // 0 weighs like a missing part
    EXPECT_TRUE(Ver2GreaterVer1(L"2.9", L"3"));
    EXPECT_TRUE(Ver2GreaterVer1(L"2.2", L"999999999999.1"));
    EXPECT_FALSE(Ver2GreaterVer1(L"999999999999.1", L"2.2"));
    EXPECT_TRUE(Ver2GreaterVer1(L"2.x", L"2.2")); // a letter part is below a number
    EXPECT_FALSE(Ver2GreaterVer1(L"2.2", L"2.x"));
    for (const wchar_t* odd : {L"-", L"$", L"0x", L".", L"..", L"|", L"2.-1", L"\x1"})
        EXPECT_FALSE(Ver2GreaterVer1(odd, odd));
}

TEST(IntegerList, GetValueOutsideTheList) {
    TIntegerList list;
    EXPECT_EQ(list.GetValueDef(0, 42), 42);
    int v = 7;
    EXPECT_FALSE(list.GetValue(-1, v));
    EXPECT_EQ(v, 7);
    EXPECT_THROW(list.GetValue(0), std::out_of_range);
    list.Add(5);
    list.Add(3);
    EXPECT_TRUE(list.GetValue(1, v));
    EXPECT_EQ(v, 3);
    EXPECT_EQ(list.GetValueDef(2, -1), -1);
}

TEST(IntegerList, EditingAndQueries) {
    TIntegerList list;
    for (int v : {4, 1, 4, 9})
        list.Add(v);
    EXPECT_FALSE(list.Sorted());
    EXPECT_EQ(list.IndexOf(4), 0);
    EXPECT_EQ(list.IndexOf(7), -1);
    EXPECT_EQ(list.CountValue(4), 2);
    EXPECT_EQ(list.AddUniqueValue(9), 3);
    EXPECT_EQ(list.AddUniqueValue(2), 4);
    list.DeleteValue(4);
    list.Insert(0, 0);
    list.SetValue(1, 8);
    EXPECT_EQ(list.MinValue(), 0);
    EXPECT_EQ(list.MaxValue(), 9);
    list.Sort();
    EXPECT_TRUE(list.Sorted());
    TIntegerList expected;
    for (int v : {0, 2, 4, 8, 9})
        expected.Add(v);
    EXPECT_TRUE(list.Equals(expected));
    list.Clear();
    EXPECT_EQ(list.MaxValueDef(-3), -3);
    EXPECT_THROW(list.Delete(0), std::out_of_range);
}
