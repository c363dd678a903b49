#include "storage/MvIni.h"
#include "storage/FileSystem.h"
#include "storage/MvMemIni.h"
#include "storage/StorageError.h"
#include "storage/XmlIniFile.h"
#include "util/DateTime.h"

#include "IniTestSupport.h"

#include <gtest/gtest.h>

namespace {

class MvIniTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearLastIniErrorMessage();
        SetIniErrorReporter([this](const std::wstring& m) { reported_.push_back(m); });
    }
    void TearDown() override {
        SetIniErrorReporter({});
        SetFileSystem(nullptr);
        SetRegistryIniFactory(nullptr);
    }
    std::wstring StoredText(TMvIni& ini, const std::wstring& section, const std::wstring& key) {
        return ini.ReadString(section, key, L"<missing>");
    }
    TempFolder folder_;
    std::vector<std::wstring> reported_;
};

// A file system whose reads or writes fail, for the error paths of the store.
class FailingFileSystem : public TPortableFileSystem {
  public:
    bool FailRead = false;
    bool FailWrite = false;
    TBytes ReadWholeFile(const std::wstring& path) override {
        if (FailRead) throw EStorageError(L"gesperrt");
        return TPortableFileSystem::ReadWholeFile(path);
    }
    void WriteFileAtomically(const std::wstring& path, const TBytes& bytes) override {
        if (FailWrite) throw EStorageError(L"Datenträger voll");
        TPortableFileSystem::WriteFileAtomically(path, bytes);
    }
};

} // namespace

TEST_F(MvIniTest, SavesOnReleaseOnlyWhenSomethingWasWritten) {
    const auto file = folder_.File(L"Settings.ini");
    {
        TMvIni ini(file);
        EXPECT_EQ(ini.ReadInteger(L"S", L"k", 5), 5);
        EXPECT_FALSE(ini.Changed());
    }
    EXPECT_FALSE(FileSystem().FileExists(file)); // a store that only reads never writes
    {
        TMvIni ini(file);
        ini.WriteInteger(L"S", L"k", 7);
        EXPECT_TRUE(ini.Changed());
    }
    EXPECT_EQ(ReadBytes(file), Utf16File(L"[S]\r\nk=7\r\n\r\n"));
    {
        TMvIni ini(file);
        ini.SetSaveAtFree(false);
        ini.WriteInteger(L"S", L"k", 8);
    }
    EXPECT_EQ(TMvIni(file).ReadInteger(L"S", L"k", 0), 7);
}

TEST_F(MvIniTest, AnsiFileIsConvertedToUtf16OnlyByAChangingSave) {
    const auto file = folder_.File(L"Old.ini");
    const TBytes ansi = AsciiBytes("; old\r\n[S]\r\nName=M\xFC"
                                   "ller\r\n");
    WriteBytes(file, ansi);
    {
        TMvIni ini(file);
        EXPECT_EQ(ini.ReadString(L"S", L"Name", L""), L"Müller");
    }
    EXPECT_EQ(ReadBytes(file), ansi);
    {
        TMvIni ini(file);
        ini.WriteString(L"S", L"Name", L"Müller"); // the same value still counts as a change
    }
    EXPECT_EQ(ReadBytes(file), Utf16File(L"[S]\r\nName=Müller\r\n\r\n"));
}

TEST_F(MvIniTest, OtherSectionsSurviveASave) {
    const auto file = folder_.File(L"Shared.ini");
    WriteBytes(file, Utf16File(L"[WndStates]\r\nMagnifier=1,2,3,4\r\n\r\n"));
    {
        TMvIni ini(file);
        ini.WriteBool(L"Settings", L"Visible", true);
    }
    EXPECT_EQ(
        ReadBytes(file),
        Utf16File(L"[WndStates]\r\nMagnifier=1,2,3,4\r\n\r\n[Settings]\r\nVisible=1\r\n\r\n"));
}

TEST_F(MvIniTest, IntegersAndBooleans) {
    TMvIni ini(L"");
    ini.SetStrings(L"[S]\r\nhex=$1F\r\nchex=0x10\r\nneg=-3\r\nbad=12a\r\n"
                   L"t=true\r\nm=-1\r\none=1\r\nzero=0\r\nempty=\r\n");
    EXPECT_FALSE(ini.Changed());
    EXPECT_EQ(ini.ReadInteger(L"S", L"hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger(L"S", L"chex", 0), 16);
    EXPECT_EQ(ini.ReadInteger(L"S", L"neg", 0), -3);
    EXPECT_EQ(ini.ReadInteger(L"S", L"bad", 99), 99);
    EXPECT_EQ(ini.ReadInteger(L"S", L"missing", 99), 99);
    EXPECT_FALSE(ini.ReadBool(L"S", L"t", true));
    EXPECT_FALSE(ini.ReadBool(L"S", L"m", true));
    EXPECT_FALSE(ini.ReadBool(L"S", L"empty", true));
    EXPECT_TRUE(ini.ReadBool(L"S", L"one", false));
    EXPECT_FALSE(ini.ReadBool(L"S", L"zero", true));
    EXPECT_TRUE(ini.ReadBool(L"S", L"missing", true));
    ini.WriteInteger(L"W", L"i", -42);
    ini.WriteBool(L"W", L"b", true);
    ini.WriteBool(L"W", L"c", false);
    EXPECT_EQ(StoredText(ini, L"W", L"i"), L"-42");
    EXPECT_EQ(StoredText(ini, L"W", L"b"), L"1");
    EXPECT_EQ(StoredText(ini, L"W", L"c"), L"0");
}

TEST_F(MvIniTest, FloatsUseADecimalCommaWhateverTheLocale) {
    TMvIni ini(L"");
    ini.WriteFloat(L"S", L"a", 2.5);
    ini.WriteFloat(L"S", L"b", 9.84);
    EXPECT_EQ(StoredText(ini, L"S", L"a"), L"2,50");
    EXPECT_EQ(StoredText(ini, L"S", L"b"), L"9,84");
    ini.SetFloatPrecision(0);
    ini.WriteFloat(L"S", L"c", 3.5);
    EXPECT_EQ(StoredText(ini, L"S", L"c"), L"4");
    ini.SetFloatPrecision(4);
    ini.WriteFloat(L"S", L"d", -1234.5);
    EXPECT_EQ(StoredText(ini, L"S", L"d"), L"-1234,5000");
    ini.SetStrings(L"[S]\r\na=2,5\r\nb=1.234,5\r\nc=9.84\r\nd=x\r\n");
    EXPECT_DOUBLE_EQ(ini.ReadFloat(L"S", L"a", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(L"S", L"b", 0), 1234.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(L"S", L"c", 0), 984);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(L"S", L"d", -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(L"S", L"missing", -1), -1);
}

TEST_F(MvIniTest, DatesTimesAndTheirDefaults) {
    TMvIni ini(L"");
    const TDateTime eve = EncodeDate(2013, 12, 24);
    const TDateTime evening = eve + EncodeTime(18, 30, 15, 0);
    ini.WriteDate(L"S", L"d", evening);
    ini.WriteDateTime(L"S", L"dt", evening);
    ini.WriteTime(L"S", L"t", evening);
    EXPECT_EQ(StoredText(ini, L"S", L"d"), L"2013-12-24");
    EXPECT_EQ(StoredText(ini, L"S", L"dt"), L"2013-12-24 18:30:15");
    EXPECT_EQ(StoredText(ini, L"S", L"t"), L"18:30:15");
    EXPECT_DOUBLE_EQ(ini.ReadDateTime(L"S", L"dt", 0), evening);
    EXPECT_DOUBLE_EQ(ini.ReadTime(L"S", L"t", 0), EncodeTime(18, 30, 15, 0));

    ini.SetStrings(L"[S]\r\ngerman=24.12.2013\r\niso=2013-12-24\r\ngdt=24.12.2013 18:30:15\r\n"
                   L"bad=2013-13-01\r\n");
    EXPECT_EQ(ini.ReadDate(L"S", L"german", 0), eve);
    EXPECT_EQ(ini.ReadDate(L"S", L"iso", 0), eve);
    EXPECT_EQ(ini.ReadDateTime(L"S", L"german", 0), eve);
    EXPECT_DOUBLE_EQ(ini.ReadDateTime(L"S", L"gdt", 0), evening);
    EXPECT_EQ(ini.ReadDateTime(L"S", L"iso", 7), 7); // the ISO pattern needs the time
    EXPECT_EQ(ini.ReadDate(L"S", L"bad", 7), 7);
    // A missing key gives the default cut to what the pattern holds.
    EXPECT_EQ(ini.ReadDate(L"S", L"missing", evening), eve);
    EXPECT_DOUBLE_EQ(ini.ReadTime(L"S", L"missing", evening), EncodeTime(18, 30, 15, 0));
    EXPECT_DOUBLE_EQ(ini.ReadDateTime(L"S", L"missing", evening + 0.4 / 86400), evening);
}

TEST_F(MvIniTest, EraseAndDeleteMarkTheStoreChanged) {
    TMvIni ini(L"");
    ini.SetStrings(L"[Empty]\r\n[Full]\r\na=1\r\nb=2\r\n");
    ini.EraseSection(L"empty"); // nothing to erase: the header stays
    EXPECT_TRUE(ini.Changed());
    TStrings sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections, (TStrings{L"Empty", L"Full"}));
    ini.DeleteKey(L"FULL", L"A");
    TStrings lines;
    ini.ReadSectionValues(L"Full", lines);
    EXPECT_EQ(lines, (TStrings{L"b=2"}));
    ini.EraseSection(L"Full");
    ini.ReadSections(sections);
    EXPECT_EQ(sections, (TStrings{L"Empty"}));
    EXPECT_FALSE(ini.ValueExists(L"Full", L""));
    EXPECT_FALSE(ini.SectionExists(L"Full"));
}

TEST_F(MvIniTest, UpdateFileWithoutAPlaceToWriteKeepsChanged) {
    TMvIni noName(L"");
    noName.WriteString(L"S", L"k", L"v");
    noName.UpdateFile();
    EXPECT_TRUE(noName.Changed());

    const auto file = folder_.File(L"missing-folder") + L"/x.ini";
    {
        TMvIni noFolder(file);
        noFolder.WriteString(L"S", L"k", L"v");
        noFolder.UpdateFile();
        EXPECT_TRUE(noFolder.Changed());
        EXPECT_TRUE(reported_.empty());
        noFolder.SetSaveAtFree(false);
    }

    const auto good = folder_.File(L"good.ini");
    TMvIni ini(good);
    ini.WriteString(L"S", L"k", L"v");
    ini.UpdateFile();
    EXPECT_FALSE(ini.Changed());
    EXPECT_EQ(ReadBytes(good), Utf16File(L"[S]\r\nk=v\r\n\r\n"));
}

TEST_F(MvIniTest, FailingSaveIsReportedAndKeepsChanged) {
    FailingFileSystem failing;
    failing.FailWrite = true;
    SetFileSystem(&failing);
    const auto file = folder_.File(L"x.ini");
    {
        TMvIni ini(file);
        ini.WriteString(L"S", L"k", L"v");
        ini.UpdateFile();
        EXPECT_TRUE(ini.Changed());
        ASSERT_EQ(reported_.size(), 1u);
        EXPECT_EQ(reported_[0],
                  L"Fehler beim Speichern der Konfigurationdatei:\r\nDatenträger voll");
        EXPECT_THROW(ini.Release(), EStorageError); // an explicit release lets the caller see it
    }
    EXPECT_EQ(reported_.size(), 1u); // released already: the destructor does nothing more
    {
        TMvIni ini(file);
        ini.WriteString(L"S", L"k", L"v");
    } // the destructor cannot throw: it reports
    EXPECT_EQ(reported_.size(), 2u);
    EXPECT_EQ(LastIniErrorMessage(), reported_[1]);
    EXPECT_FALSE(FileSystem().FileExists(file));
}

TEST_F(MvIniTest, UnreadableFileIsNeverOverwritten) {
    const auto file = folder_.File(L"locked.ini");
    const TBytes original = Utf16File(L"[S]\r\nk=precious\r\n\r\n");
    WriteBytes(file, original);
    FailingFileSystem failing;
    failing.FailRead = true;
    SetFileSystem(&failing);
    {
        TMvIni ini(file);
        EXPECT_EQ(ini.ReadString(L"S", L"k", L"default"), L"default");
        ini.WriteString(L"S", L"other", L"1");
        ini.UpdateFile();
        EXPECT_EQ(reported_.size(), 1u);
    }
    EXPECT_EQ(reported_.size(), 2u);
    EXPECT_EQ(ReadBytes(file), original);
}

TEST_F(MvIniTest, SaveToStreamGivesTheFileBytesAndSetStringsReplacesContent) {
    TMvIni ini(L"");
    ini.SetStrings(TStrings{L"junk", L"[A]", L"x = 1", L"; note"});
    TBytes bytes;
    ini.SaveToStream(bytes);
    EXPECT_EQ(bytes, Utf16File(L"[A]\r\nx=1\r\n\r\n"));
    std::string text;
    ini.SaveToStream(text);
    EXPECT_EQ(TBytes(text.begin(), text.end()), bytes);
    EXPECT_FALSE(ini.Changed());
}

TEST_F(MvIniTest, AnsiFormatWritesTheCodePage) {
    const auto file = folder_.File(L"ansi.ini");
    {
        TMvIni ini(file, sifANSI);
        ini.WriteString(L"S", L"k", L"Größe");
    }
    EXPECT_EQ(ReadBytes(file), AsciiBytes("[S]\r\nk=Gr\xF6\xDF"
                                          "e\r\n\r\n"));
    TMvIni again(file, sifANSI);
    EXPECT_EQ(again.ReadString(L"S", L"k", L""), L"Größe");
}

TEST_F(MvIniTest, RegistryWithoutBackEndIsAnEmptyStoreThatCannotWrite) {
    TMvIni ini(L"Software\\Morvane\\Dravik", sifRegistry);
    EXPECT_EQ(ini.ReadString(L"S", L"k", L"def"), L"def");
    EXPECT_THROW(ini.WriteString(L"S", L"k", L"v"), EStorageError);
}

TEST_F(MvIniTest, RegistryUsesTheInstalledBackEnd) {
    SetRegistryIniFactory([](const std::wstring& key) -> std::unique_ptr<TCustomIniFile> {
        // Registry writes take effect at once: nothing to do on UpdateFile.
        struct FakeRegistry : TMvMemIniFile {
            FakeRegistry() : TMvMemIniFile(L"", TIniTextEncoding::Utf16LE) {}
            void UpdateFile() override {}
        };
        auto fake = std::make_unique<FakeRegistry>();
        fake->WriteString(L"Key", L"Path", key);
        return fake;
    });
    TMvIni ini(L"Software\\Morvane\\Dravik", sifRegistry);
    EXPECT_EQ(ini.ReadString(L"Key", L"Path", L""), L"Software\\Morvane\\Dravik");
    ini.WriteInteger(L"S", L"k", 3);
    EXPECT_EQ(ini.ReadInteger(L"S", L"k", 0), 3);
    ini.UpdateFile();
    EXPECT_FALSE(ini.Changed());
    TBytes ignored;
    EXPECT_THROW(ini.SaveToStream(ignored), EStorageError);
}

TEST_F(MvIniTest, XmlDocumentShape) {
    if (!TXmlIniFile::Available()) GTEST_SKIP() << "built without the XML library";
    const auto file = folder_.File(L"settings.xml");
    {
        TMvIni ini(file, sifXML);
        ini.WriteString(L"A\\B", L"7", L"seven");
        ini.WriteString(L"A\\B\\", L"name", L"Müller");
        ini.WriteInteger(L"Top", L"count", 2);
    }
    const TBytes bytes = ReadBytes(file);
    const std::string xml(bytes.begin(), bytes.end());
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>", 0), 0u)
        << xml;
    EXPECT_NE(xml.find("<ini>"), std::string::npos);
    EXPECT_NE(xml.find("<section name=\"A\">"), std::string::npos);
    EXPECT_NE(xml.find("<section name=\"B\">"), std::string::npos);
    EXPECT_NE(xml.find("<N7>seven</N7>"), std::string::npos);
    EXPECT_NE(xml.find("<name>M\xC3\xBCller</name>"), std::string::npos);

    TMvIni ini(file, sifXML);
    EXPECT_EQ(ini.ReadString(L"A\\B", L"7", L""), L"seven");
    TStrings list;
    ini.ReadSections(list);
    EXPECT_EQ(list, (TStrings{L"A\\B", L"Top"}));
    ini.ReadSection(L"A", list);
    EXPECT_EQ(list, (TStrings{L"B"}));
    ini.ReadSectionValues(L"A\\B", list);
    EXPECT_EQ(list, (TStrings{L"N7=seven", L"name=Müller"}));
    EXPECT_TRUE(ini.SectionExists(L"A"));
    ini.EraseSection(L"A\\B");
    EXPECT_FALSE(ini.ValueExists(L"A\\B", L"7"));
    ini.SetSaveAtFree(false);
}

TEST_F(MvIniTest, XmlFileWithoutRootOrDeclarationIsRepaired) {
    if (!TXmlIniFile::Available()) GTEST_SKIP() << "built without the XML library";
    const auto file = folder_.File(L"broken.xml");
    WriteBytes(file, AsciiBytes("<ini><section name=\"S\"><k>v</k></section></ini>"));
    {
        TMvIni ini(file, sifXML);
        EXPECT_EQ(ini.ReadString(L"S", L"k", L""), L"v");
        ini.WriteString(L"S", L"k", L"w");
    }
    const TBytes fixed = ReadBytes(file);
    EXPECT_EQ(std::string(fixed.begin(), fixed.end()).rfind("<?xml", 0), 0u);
    WriteBytes(file, AsciiBytes("not xml at all <"));
    TMvIni garbage(file, sifXML);
    EXPECT_EQ(garbage.ReadString(L"S", L"k", L"def"), L"def");
    garbage.WriteString(L"S", L"k", L"v");
    TBytes out;
    garbage.SaveToStream(out);
    EXPECT_NE(std::string(out.begin(), out.end()).find("<ini>"), std::string::npos);
    garbage.SetSaveAtFree(false);
}

TEST_F(MvIniTest, XmlKeepsEveryKeyNameAndValue) {
    if (!TXmlIniFile::Available()) GTEST_SKIP() << "built without the XML library";
    const auto file = folder_.File(L"names.xml");
    const std::wstring names[] = {L" ",  L"a b",  L"x<y",    L"Größe", L"section", L"key",
                                  L"N7", L"7",    L"-3",     L"xmlns", L"1a",      L"a\"b'c&d",
                                  L"\t", L"Ende", L"a\r\nb", L"N"};
    const std::wstring values[] = {L"",       L"  ",    L"a\r\nb\rc", L"\tx ",
                                   L"<&>\"'", L"\x01!", L"Müller €",  L"]]>"};
    const auto valueOf = [&](std::size_t i) { return values[i % std::size(values)]; };
    {
        TMvIni ini(file, sifXML);
        for (std::size_t i = 0; i < std::size(names); ++i)
            ini.WriteString(L"S\\T", names[i], valueOf(i));
    }
    TMvIni ini(file, sifXML);
    EXPECT_EQ(ini.LoadError(), L"");
    TStrings listed;
    ini.ReadSection(L"S\\T", listed);
    EXPECT_EQ(listed.size(), std::size(names));
    for (std::size_t i = 0; i < std::size(names); ++i) {
        EXPECT_EQ(StoredText(ini, L"S\\T", names[i]), valueOf(i))
            << std::string(names[i].begin(), names[i].end());
        EXPECT_TRUE(std::find(listed.begin(), listed.end(), names[i]) != listed.end() ||
                    std::find(listed.begin(), listed.end(), L"N" + names[i]) != listed.end());
    }
    EXPECT_EQ(StoredText(ini, L"S", L"T"), L"<missing>"); // a section is no key
}

TEST_F(MvIniTest, XmlFilesOfEarlierVersionsStillLoad) {
    if (!TXmlIniFile::Available()) GTEST_SKIP() << "built without the XML library";
    const auto file = folder_.File(L"old.xml");
    WriteBytes(file, AsciiBytes("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                                "<ini><section name=\"Colors\"><N0>FF0000</N0><N-1>x</N-1>"
                                "<key>k</key><Gr\xC3\xB6\xC3\x9F"
                                "e>12</Gr\xC3\xB6\xC3\x9F"
                                "e></section></ini>"));
    {
        TMvIni ini(file, sifXML);
        EXPECT_EQ(StoredText(ini, L"Colors", L"0"), L"FF0000");
        EXPECT_EQ(StoredText(ini, L"Colors", L"-1"), L"x");
        EXPECT_EQ(StoredText(ini, L"Colors", L"key"), L"k");
        EXPECT_EQ(StoredText(ini, L"Colors", L"Größe"), L"12");
        EXPECT_EQ(StoredText(ini, L"Colors", L"N0"), L"<missing>");
        ini.WriteString(L"Colors", L"0", L"00FF00"); // changed where it stands
        ini.WriteString(L"Colors", L"Größe", L"13");
    }
    const TBytes saved = ReadBytes(file);
    const std::string xml(saved.begin(), saved.end());
    EXPECT_NE(xml.find("<N0>00FF00</N0>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("e>13</Gr"), std::string::npos) << xml;
}

TEST_F(MvIniTest, FileThatDidNotLoadIsNeverOverwritten) {
    auto failing = std::make_unique<FailingFileSystem>();
    SetFileSystem(failing.get());
    struct Case {
        const char* what;
        TMvIniFormat format;
        TBytes content;
        bool lockRead;
        const wchar_t* error;
    };
    const TBytes tooLarge(static_cast<std::size_t>(MaxSettingsFileBytes) + 1, ' ');
    const Case cases[] = {
        {"XML not parsable", sifXML, AsciiBytes("<ini><section name=\"S\"><k>v</k>"), false,
         L"ist beschädigt"},
        {"XML locked", sifXML, AsciiBytes("<ini/>"), true, L"gesperrt"},
        {"XML too large", sifXML, tooLarge, false, L"größer als 4 MB"},
        {"text too large", sifUnicode, tooLarge, false, L"größer als 4 MB"},
        {"text locked", sifUnicode, Utf16File(L"[S]\r\nk=v\r\n"), true, L"gesperrt"},
    };
    for (const Case& c : cases) {
        if (c.format == sifXML && !TXmlIniFile::Available()) continue;
        SCOPED_TRACE(c.what);
        const auto file = folder_.File(L"damaged");
        WriteBytes(file, c.content);
        reported_.clear();
        failing->FailRead = c.lockRead;
        {
            TMvIni ini(file, c.format);
            EXPECT_NE(ini.LoadError().find(c.error), std::wstring::npos);
            EXPECT_NE(ini.LoadError().find(L"Die Datei wird nicht überschrieben."),
                      std::wstring::npos);
            EXPECT_EQ(StoredText(ini, L"S", L"k"), L"<missing>");
            ini.WriteString(L"S", L"k", L"neu");
        }
        EXPECT_EQ(ReadBytes(file), c.content);
        ASSERT_EQ(reported_.size(), 1u);
        EXPECT_NE(reported_[0].find(c.error), std::wstring::npos);
    }
}
