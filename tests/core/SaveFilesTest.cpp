// What crashed saves leave beside a settings file, and how the next start
// clears it: only our own files go, and a settings file lost half-way through
// its replacement comes back.
#include "storage/SaveFiles.h"

#include "IniTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class SaveFilesTest : public ::testing::Test {
  protected:
    std::wstring NameOf(const std::wstring& path) { return NameOfFile(path); }
    bool Has(const std::wstring& name) { return fs_.FileExists(folder_.File(name)); }
    TempFolder folder_;
    TPortableFileSystem fs_;
    const std::wstring target_ = folder_.File(L"Settings.ini");
};

TEST_F(SaveFilesTest, TemporaryNamesAreShortAndBesideTheirTarget) {
    const std::wstring temp = SaveTempPath(target_, 0x1A3);
    EXPECT_EQ(FolderOfFile(temp), FolderOfFile(target_));
    EXPECT_LE(NameOf(temp).size(), NameOf(target_).size());
    EXPECT_EQ(NameOf(SaveTempPath(target_, 0xA3)), NameOf(temp)); // the sequence wraps
    EXPECT_NE(SaveTempPath(target_, 1), SaveTempPath(target_, 2));
    EXPECT_NE(SaveTempPath(folder_.File(L"Other.ini"), 1), SaveTempPath(target_, 1));
    EXPECT_EQ(SaveTempPath(folder_.File(L"SETTINGS.INI"), 7), SaveTempPath(target_, 7));
    EXPECT_EQ(NameOf(SaveBackupPath(temp)), NameOf(temp).substr(0, 8) + L".bak");
}

TEST_F(SaveFilesTest, RemovesOnlyOurLeftoversOfThisFile) {
    WriteBytes(target_, AsciiBytes("settings"));
    const std::wstring ourTemp = NameOf(SaveTempPath(target_, 0x42));
    const std::wstring ourBackup = NameOf(SaveBackupPath(SaveTempPath(target_, 0x43)));
    const std::wstring otherFilesTemp = NameOf(SaveTempPath(folder_.File(L"Other.ini"), 0x42));
    struct Case {
        std::wstring name;
        bool ours;
    };
    const Case cases[] = {
        {L"Settings.ini.tmp-999-12345", true}, // earlier Windows versions
        {L"settings.INI.TMP-1a2b3c4d", true},  // earlier portable versions
        {ourTemp, true},
        {ourBackup, true},
        {L"Settings.ini.tmp-", false},
        {L"Settings.ini.tmp-12x4", false},
        {L"Settings.ini.tmp", false},
        {L"Settings.ini.bak", false},
        {L"Settings.ini.tmp-1-2.txt", false},
        {L"Other.ini.tmp-999-12345", false},
        {otherFilesTemp, false},
        {L"~" + ourTemp.substr(1, 5) + L"zz.tmp", false},
        {L"rf1234.tmp", false},
    };
    for (const auto& c : cases)
        WriteBytes(folder_.File(c.name), AsciiBytes("x"));

    const TSaveCleanup cleanup = RemoveStaleSaveFiles(fs_, target_);
    EXPECT_TRUE(cleanup.RestoredFrom.empty());
    for (const auto& c : cases) {
        EXPECT_NE(Has(c.name), c.ours) << std::string(c.name.begin(), c.name.end());
        const bool reported = std::find(cleanup.Removed.begin(), cleanup.Removed.end(),
                                        folder_.File(c.name)) != cleanup.Removed.end();
        EXPECT_EQ(reported, c.ours);
    }
    EXPECT_EQ(ReadBytes(target_), AsciiBytes("settings"));
}

TEST_F(SaveFilesTest, SettingsFileLostInAReplaceComesBackFromWhatTheSaveLeft) {
    const std::wstring temp = SaveTempPath(target_, 9);
    const std::wstring backup = SaveBackupPath(temp);
    struct Case {
        bool hasTemp, hasBackup;
        const char* expected; // the settings file afterwards, nullptr: still missing
        bool tempStays;
    };
    const Case cases[] = {
        {true, true, "new", false}, // crash in the replace: the new file was complete
        {false, true, "old", false},
        {true, false, nullptr, true}, // may be half-written, or the only copy
    };
    for (const auto& c : cases) {
        if (c.hasTemp) WriteBytes(temp, AsciiBytes("new"));
        if (c.hasBackup) WriteBytes(backup, AsciiBytes("old"));
        const TSaveCleanup cleanup = RemoveStaleSaveFiles(fs_, target_);
        if (c.expected) {
            EXPECT_EQ(ReadBytes(target_), AsciiBytes(c.expected));
            EXPECT_EQ(cleanup.RestoredFrom, c.hasTemp ? temp : backup);
            EXPECT_EQ(folder_.EntryCount(), 1u);
        } else {
            EXPECT_FALSE(fs_.FileExists(target_));
            EXPECT_TRUE(cleanup.Removed.empty());
        }
        EXPECT_EQ(fs_.FileExists(temp), c.tempStays);
        fs_.RemoveFile(target_);
        fs_.RemoveFile(temp);
    }
}

} // namespace
