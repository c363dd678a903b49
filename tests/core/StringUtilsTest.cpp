#include "util/StringUtils.h"

#include <gtest/gtest.h>

TEST(StringCase, FoldsAsciiAndLatin1Letters) {
    EXPECT_EQ(UpperCaseText(L"abz\u00E4\u00F6\u00FC\u00DF\u00F7"),
              L"ABZ\u00C4\u00D6\u00DC\u00DF\u00F7");
    EXPECT_EQ(LowerCaseText(L"ABZ\u00C4\u00D6\u00DC\u00D7"), L"abz\u00E4\u00F6\u00FC\u00D7");
    EXPECT_TRUE(SameTextIgnoreCase(L"M\u00FCLLER", L"m\u00DCller"));
    EXPECT_FALSE(SameTextIgnoreCase(L"abc", L"abcd"));
    EXPECT_EQ(UpperCaseText(L"[]{}@`"), L"[]{}@`");
}

TEST(MustEndsWith, AppendsOnlyWhenMissing) {
    EXPECT_EQ(MustEndsWith(L'\\', L"C:\\a"), L"C:\\a\\");
    EXPECT_EQ(MustEndsWith(L'\\', L"C:\\a\\"), L"C:\\a\\");
    EXPECT_EQ(MustEndsWith(L'\\', L""), L"");
    EXPECT_EQ(MustEndsWith(L'x', L"aX"), L"aX"); // ignoring case
}

TEST(ConcatSeparator, SkipsSeparatorNextToEmptyParts) {
    EXPECT_EQ(ConcatSeparator(L", ", L"a", L"b"), L"a, b");
    EXPECT_EQ(ConcatSeparator(L", ", L"", L"b"), L"b");
    EXPECT_EQ(ConcatSeparator(L", ", L"a", L""), L"a");
    EXPECT_EQ(ConcatSeparator(L"-", L"a", L"b", L"c"), L"a-b-c");
    EXPECT_EQ(ConcatSeparator(L"-", L"a", L"", L"c"), L"a-c");
    EXPECT_EQ(ConcatSeparator(L"-", L"", L"", L"c"), L"c");
}

TEST(SplitKeyValue, SplitsAtFirstSeparatorOnly) {
    std::wstring k, v = L"old";
    SplitKeyValue(L"a=b=c", k, v, L"=");
    EXPECT_EQ(k, L"a");
    EXPECT_EQ(v, L"b=c");
    SplitKeyValue(L"abc", k, v, L"=");
    EXPECT_EQ(k, L"abc");
    EXPECT_EQ(v, L"");
    SplitKeyValue(L" a :: b ", k, v, L"::"); // nothing trimmed
    EXPECT_EQ(k, L" a ");
    EXPECT_EQ(v, L" b ");
    SplitKeyValue(L"aXb", k, v, L"x"); // case-sensitive
    EXPECT_EQ(k, L"aXb");
}

TEST(MyReplace, ReplacesLeftToRightWithoutOverlap) {
    EXPECT_EQ(MyReplace(L"aaaa", L"aa", L"b", false, 0), L"bb");
    EXPECT_EQ(MyReplace(L"aaa", L"aa", L"b", false, 0), L"ba");
    EXPECT_EQ(MyReplace(L"a.b.c.d", L".", L"::", false, 2), L"a::b::c.d");
    EXPECT_EQ(MyReplace(L"a.b.c", L".", L"", false, -1), L"abc");
    EXPECT_EQ(MyReplace(L"xyz", L"q", L"r", false, 0), L"xyz");
}

TEST(MyReplace, IgnoreCaseKeepsCaseOfUntouchedParts) {
    EXPECT_EQ(MyReplace(L"Foo FOO foo", L"foo", L"bar", true, 0), L"bar bar bar");
    EXPECT_EQ(MyReplace(L"Ab \u00C4B", L"\u00E4b", L"x", true, 0), L"Ab x");
    EXPECT_EQ(MyReplace(L"Foo FOO", L"foo", L"bar", false, 0), L"Foo FOO");
    EXPECT_EQ(MyReplace(L"XaX", L"x", L"yy", true, 0), L"yyayy");
}

TEST(MyReplace, DegenerateArgumentsReturnTheText) {
    EXPECT_EQ(MyReplace(L"abc", L"", L"x", false, 0), L"abc");
    EXPECT_EQ(MyReplace(L"abc", L"b", L"b", false, 0), L"abc");
    EXPECT_EQ(MyReplace(L"", L"b", L"x", false, 0), L"");
}

TEST(ReplaceMulti, FirstMatchingOldTextWinsAndReplacementsAreNotRescanned) {
    EXPECT_EQ(ReplaceMulti(L"a&b<c", {L"&", L"<"}, {L"&amp;", L"&lt;"}, true), L"a&amp;b&lt;c");
    // "ab" is tried before "a"; the output "b" of a->b is not scanned again.
    EXPECT_EQ(ReplaceMulti(L"aba", {L"ab", L"a", L"b"}, {L"X", L"b", L"c"}, true), L"Xb");
    EXPECT_EQ(ReplaceMulti(L"AbA", {L"a"}, {L"x"}, false), L"xbx");
    EXPECT_EQ(ReplaceMulti(L"AbA", {L"a"}, {L"x"}, true), L"AbA");
}

TEST(ReplaceMulti, MismatchedOrEmptyArgumentsLeaveTheText) {
    EXPECT_EQ(ReplaceMulti(L"abc", {L"a"}, {}, true), L"abc");
    EXPECT_EQ(ReplaceMulti(L"abc", {}, {}, true), L"abc");
    EXPECT_EQ(ReplaceMulti(L"", {L"a"}, {L"b"}, true), L"");
    EXPECT_EQ(ReplaceMulti(L"abc", {L"", L"b"}, {L"z", L"y"}, true), L"ayc"); // empty old skipped
}

TEST(DeleteIfEqual, DeletesAtOneBasedPositionIgnoringCase) {
    std::wstring s = L"Hello World";
    EXPECT_TRUE(DeleteIfEqual(s, 7, L"WORLD"));
    EXPECT_EQ(s, L"Hello ");
    s = L"Hello";
    EXPECT_FALSE(DeleteIfEqual(s, 2, L"x"));
    EXPECT_FALSE(DeleteIfEqual(s, 0, L"H"));
    EXPECT_FALSE(DeleteIfEqual(s, 5, L"oo"));
    EXPECT_FALSE(DeleteIfEqual(s, 9, L"o"));
    EXPECT_EQ(s, L"Hello");
    EXPECT_TRUE(DeleteIfEqual(s, 1, L"h"));
    EXPECT_EQ(s, L"ello");
}

TEST(DeleteEndsWith, RemovesSuffixIgnoringCase) {
    std::wstring s = L"Setup.EXE";
    DeleteEndsWith(s, L".exe");
    EXPECT_EQ(s, L"Setup");
    DeleteEndsWith(s, L"LongerThanTheText");
    EXPECT_EQ(s, L"Setup");
    DeleteEndsWith(s, L"x");
    EXPECT_EQ(s, L"Setup");
}

TEST(PosNC, OneBasedZeroWhenAbsent) {
    EXPECT_EQ(PosNC(L"WORLD", L"hello world"), 7);
    EXPECT_EQ(PosNC(L"h", L"Hello"), 1);
    EXPECT_EQ(PosNC(L"x", L"Hello"), 0);
    EXPECT_EQ(PosNC(L"", L"Hello"), 0);
    EXPECT_EQ(PosNC(L"\u00FC", L"M\u00DCller"), 2);
}

TEST(RepeatAndPad, CountsAndLengths) {
    EXPECT_EQ(RepeatStr(L"ab", 3), L"ababab");
    EXPECT_EQ(RepeatStr(L"ab", 0), L"");
    EXPECT_EQ(RepeatStr(L"ab", -2), L"");
    EXPECT_EQ(StrDefLenFuncL(L"ab", 5, L'0'), L"ab000");
    EXPECT_EQ(StrDefLenFuncL(L"abcdef", 5, L'0'), L"abcdef");
    EXPECT_EQ(StrDefLenFuncL(L"ab", -1, L'0'), L"ab");
    std::wstring s = L"F";
    StrDefLenL(s, 6, L'F');
    EXPECT_EQ(s, L"FFFFFF");
}

TEST(BoolTexts, OneAndZero) {
    EXPECT_EQ(BoolToIntStr(true), L"1");
    EXPECT_EQ(BoolToIntStr(false), L"0");
    EXPECT_EQ(BoolToInt(true), 1);
    EXPECT_EQ(BoolToInt(false), 0);
}
