#include "storage/MvMemIni.h"

#include "IniTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TMvMemIniFile> Parsed(const std::wstring& text) {
    auto ini = std::make_unique<TMvMemIniFile>(L"", TIniTextEncoding::Utf16LE);
    ini->SetText(text);
    return ini;
}

std::unique_ptr<TMvMemIniFile> Loaded(const TBytes& bytes,
                                      TIniTextEncoding encoding = TIniTextEncoding::Utf16LE) {
    auto ini = std::make_unique<TMvMemIniFile>(L"", encoding);
    ini->LoadFromBytes(bytes.data(), bytes.size());
    return ini;
}

} // namespace

TEST(MvMemIniTest, WritesSectionsByteForByte) {
    TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
    ini.WriteString(L"Settings", L"Left", L"10");
    ini.WriteString(L"Colors", L"Face", L"00FFFF");
    ini.WriteString(L"Settings", L"Top", L"ä");
    const std::wstring text = L"[Settings]\r\nLeft=10\r\nTop=ä\r\n\r\n"
                              L"[Colors]\r\nFace=00FFFF\r\n\r\n";
    EXPECT_EQ(ini.GetText(), text);
    EXPECT_EQ(ini.GetBytes(), Utf16File(text));
    const TBytes head{0xFF, 0xFE, '[', 0, 'S', 0};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), ini.GetBytes().begin()));
}

TEST(MvMemIniTest, AnsiStoreWritesWithoutMark) {
    TMvMemIniFile ini(L"", TIniTextEncoding::Ansi);
    ini.WriteString(L"S", L"k", L"ä€");
    EXPECT_EQ(ini.GetBytes(), AsciiBytes("[S]\r\nk=\xE4\x80\r\n\r\n"));
    TMvMemIniFile empty(L"", TIniTextEncoding::Utf16LE);
    EXPECT_EQ(empty.GetBytes(), (TBytes{0xFF, 0xFE}));
}

TEST(MvMemIniTest, ReadingDropsCommentsAndStrayLinesAndTrims) {
    auto parsed = Parsed(L"stray=1\r\n; comment\r\n  [ Main ]  \r\n"
                         L"  key  =  some value \r\n;k=2\r\nplain line\r\n\r\n[Next]\nx=1\ry=2");
    auto& ini = *parsed;
    EXPECT_EQ(ini.GetText(), L"[Main]\r\nkey=some value\r\nplain line\r\n\r\n"
                             L"[Next]\r\nx=1\r\ny=2\r\n\r\n");
    EXPECT_EQ(ini.ReadString(L"Main", L"key", L"?"), L"some value");
    EXPECT_EQ(ini.ReadString(L"Main", L"stray", L"?"), L"?");
    EXPECT_EQ(ini.ReadString(L"Next", L"y", L"?"), L"2");
}

TEST(MvMemIniTest, ValueIsEverythingAfterTheFirstEquals) {
    auto parsed = Parsed(L"[S]\r\nurl=a=b=c\r\nempty=\r\n");
    auto& ini = *parsed;
    EXPECT_EQ(ini.ReadString(L"S", L"url", L"?"), L"a=b=c");
    EXPECT_EQ(ini.ReadString(L"S", L"empty", L"?"), L"");
}

TEST(MvMemIniTest, LookupsIgnoreLetterCaseAndKeepTheFirstSpelling) {
    auto parsed = Parsed(L"[Größe]\r\nBreite=5\r\n");
    auto& ini = *parsed;
    EXPECT_EQ(ini.ReadString(L"GRÖSSE", L"breite", L"?"), L"?"); // ß is no SS
    EXPECT_EQ(ini.ReadString(L"GRÖßE", L"BREITE", L"?"), L"5");
    ini.WriteString(L"größe", L"BREITE", L"6");
    ini.WriteString(L"GRÖßE", L"höhe", L"7");
    EXPECT_EQ(ini.GetText(), L"[Größe]\r\nBREITE=6\r\nhöhe=7\r\n\r\n");
    EXPECT_TRUE(ini.ValueExists(L"größe", L"HÖHE"));
}

TEST(MvMemIniTest, WritingAKeyReplacesItsLineInPlace) {
    auto parsed = Parsed(L"[S]\r\na=1\r\nb=2\r\nc=3\r\n");
    auto& ini = *parsed;
    ini.WriteString(L"S", L"b", L"20");
    ini.WriteString(L"T", L"new", L"x");
    EXPECT_EQ(ini.GetText(), L"[S]\r\na=1\r\nb=20\r\nc=3\r\n\r\n[T]\r\nnew=x\r\n\r\n");
    ini.DeleteKey(L"S", L"A");
    EXPECT_EQ(ini.ReadString(L"S", L"c", L"?"), L"3"); // index still right after the delete
    ini.WriteString(L"S", L"c", L"30");
    EXPECT_EQ(ini.GetText(), L"[S]\r\nb=20\r\nc=30\r\n\r\n[T]\r\nnew=x\r\n\r\n");
}

TEST(MvMemIniTest, DuplicateHeadersAreKeptAndTheFirstIsFound) {
    auto parsed = Parsed(L"[A]\r\nk=1\r\n[B]\r\n[a]\r\nk=2\r\n");
    auto& ini = *parsed;
    TStrings sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections, (TStrings{L"A", L"B", L"a"}));
    EXPECT_EQ(ini.ReadString(L"A", L"k", L"?"), L"1");
    EXPECT_EQ(ini.GetText(), L"[A]\r\nk=1\r\n\r\n[B]\r\n\r\n[a]\r\nk=2\r\n\r\n");
    ini.EraseSection(L"A");
    EXPECT_EQ(ini.ReadString(L"A", L"k", L"?"), L"2");
}

TEST(MvMemIniTest, SectionListsAndExistence) {
    auto parsed = Parsed(L"[S]\r\na=1\r\nloose\r\n=nameless\r\n[Empty]\r\n");
    auto& ini = *parsed;
    TStrings list;
    ini.ReadSection(L"s", list);
    EXPECT_EQ(list, (TStrings{L"a"}));
    ini.ReadSectionValues(L"S", list);
    EXPECT_EQ(list, (TStrings{L"a=1", L"loose", L"=nameless"}));
    EXPECT_TRUE(ini.SectionExists(L"S"));
    EXPECT_FALSE(ini.SectionExists(L"Empty")); // a header without lines
    EXPECT_FALSE(ini.SectionExists(L"Missing"));
}

TEST(MvMemIniTest, LineBreaksInWrittenTextCannotSplitTheFile) {
    TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
    ini.WriteString(L"S", L"k", L"x\r\n[Evil]\r\ny=1");
    auto reread = Parsed(ini.GetText());
    TStrings sections;
    reread->ReadSections(sections);
    EXPECT_EQ(sections, (TStrings{L"S"}));
    EXPECT_EQ(reread->ReadString(L"S", L"k", L"?"), L"x  [Evil]  y=1");
}

TEST(MvMemIniTest, FileWithoutByteOrderMarkIsReadAsAnsi) {
    auto ansi = Loaded(AsciiBytes("[S]\r\nName=M\xFC"
                                  "ller\r\n"));
    EXPECT_EQ(ansi->ReadString(L"S", L"Name", L"?"), L"Müller");
    EXPECT_EQ(ansi->GetBytes(), Utf16File(L"[S]\r\nName=Müller\r\n\r\n"));
    // UTF-16 without its mark: NUL bytes inside every name make the keys unreadable.
    TBytes noMark = Utf16File(L"[Settings]\r\nLeft=10\r\n");
    noMark.erase(noMark.begin(), noMark.begin() + 2);
    EXPECT_EQ(Loaded(noMark)->ReadString(L"Settings", L"Left", L"?"), L"?");
    // An ANSI store does not take FF FE as a mark.
    EXPECT_EQ(
        Loaded(Utf16File(L"[S]\r\nk=v\r\n"), TIniTextEncoding::Ansi)->ReadString(L"S", L"k", L"?"),
        L"?");
}

// Whatever the bytes, loading gives a store whose file re-reads to the same store.
TEST(MvMemIniTest, AnyBytesLoadAndSaveToAValidFile) {
    std::vector<TBytes> inputs = {
        {},
        {0xFF, 0xFE},
        {0xFF},
        {0xFF, 0xFE, '[', 0, 'S', 0, ']', 0, '\n', 0, 'k', 0, '=', 0, 'v'}, // odd count
        {0xFF, 0xFE, '[', 0, 'S', 0, ']', 0, '\n', 0, 'k', 0, '=', 0, 0x00, 0xD8, '\n', 0},
        {0xFF, 0xFE, '[', 0, 0x00, 0xDC, ']', 0, '\n', 0, 'k', 0, '=', 0, 0x00, 0xDC},
        AsciiBytes("["),
        AsciiBytes("[S"),
        AsciiBytes("[S]\r\nk"),
        AsciiBytes("]\r\n[\r\n[]\r\n=\r\n==\r\n"),
        {'[', 'S', ']', '\n', 'k', 0, '=', 0, 'v', 0, '\n', 0, 0, 0},
    };
    TBytes garbage(4096);
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<std::uint8_t>((i * 7919u) ^ (i >> 3));
    inputs.push_back(garbage);
    TBytes longLine = AsciiBytes("[S]\r\nk=");
    longLine.insert(longLine.end(), 1 << 20, 'x');
    inputs.push_back(longLine);

    for (const auto& input : inputs) {
        const auto first = Loaded(input);
        const TBytes saved = first->GetBytes();
        ASSERT_GE(saved.size(), 2u);
        EXPECT_EQ(saved[0], 0xFF);
        EXPECT_EQ(saved[1], 0xFE);
        EXPECT_EQ(saved.size() % 2, 0u);
        const auto second = Loaded(saved);
        EXPECT_EQ(second->GetText(), first->GetText());
        EXPECT_EQ(second->GetBytes(), saved);
    }
    EXPECT_EQ(Loaded(longLine)->ReadString(L"S", L"k", L"").size(), std::size_t(1) << 20);
    EXPECT_EQ(Loaded(inputs[4])->ReadString(L"S", L"k", L"?"), L"\xFFFD");
}

TEST(MvMemIniTest, SetStringsSplitsEntriesThatHoldLineBreaks) {
    TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
    ini.SetStrings({L"[S]", L"a=1\r\nb=2"});
    EXPECT_EQ(ini.GetStrings(), (TStrings{L"[S]", L"a=1", L"b=2", L""}));
}
