#include "storage/FileSystem.h"
#include "storage/MvIni.h"
#include "storage/StorageError.h"

#include "IniTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The real portable writer, with a disk that fills up half-way through the
// temporary file or a rename that fails.
class FaultyFileSystem : public TPortableFileSystem {
  public:
    enum class Fault { None, DiskFullHalfway, ReplaceFails, ProcessKilledBeforeReplace };
    Fault Next = Fault::None;

  protected:
    void WriteToTempFile(std::FILE* file, const TBytes& bytes,
                         const std::wstring& tempPath) override {
        if (Next == Fault::DiskFullHalfway) {
            std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
            std::fflush(file);
            throw EStorageError(L"Auf dem Datenträger ist nicht genügend Speicherplatz.");
        }
        TPortableFileSystem::WriteToTempFile(file, bytes, tempPath);
    }
    void ReplaceTarget(const std::wstring& tempPath, const std::wstring& targetPath) override {
        if (Next == Fault::ReplaceFails) throw EStorageError(L"ersetzen fehlgeschlagen");
        // The process dies with the new file complete beside the old one:
        // no destructor, no clean-up runs.
        if (Next == Fault::ProcessKilledBeforeReplace) std::_Exit(7);
        TPortableFileSystem::ReplaceTarget(tempPath, targetPath);
    }
};

class AtomicSaveTest : public ::testing::Test {
  protected:
    void SetUp() override { SetFileSystem(&fs_); }
    void TearDown() override {
        SetFileSystem(nullptr);
        SetIniErrorReporter({});
    }
    TempFolder folder_;
    FaultyFileSystem fs_;
};

} // namespace

TEST_F(AtomicSaveTest, ReplacesTheFileAndLeavesNoTemporaryFile) {
    const auto file = folder_.File(L"Settings.ini");
    WriteBytes(file, AsciiBytes("old content"));
    fs_.WriteFileAtomically(file, AsciiBytes("new"));
    EXPECT_EQ(ReadBytes(file), AsciiBytes("new"));
    fs_.WriteFileAtomically(folder_.File(L"fresh.ini"), {});
    EXPECT_TRUE(fs_.FileExists(folder_.File(L"fresh.ini")));
    EXPECT_EQ(folder_.EntryCount(), 2u);
}

TEST_F(AtomicSaveTest, AnyFailureLeavesTheOldFileByteIdentical) {
    const auto file = folder_.File(L"Settings.ini");
    const TBytes original = Utf16File(L"[Settings]\r\nLeft=10\r\n\r\n");
    for (auto fault :
         {FaultyFileSystem::Fault::DiskFullHalfway, FaultyFileSystem::Fault::ReplaceFails}) {
        WriteBytes(file, original);
        fs_.Next = fault;
        EXPECT_THROW(fs_.WriteFileAtomically(file, TBytes(10000, 0x41)), EStorageError);
        EXPECT_EQ(ReadBytes(file), original);
        EXPECT_EQ(folder_.EntryCount(), 1u); // the temporary file is gone
    }
}

TEST_F(AtomicSaveTest, StoreReportsTheFailureAndTheSettingsSurvive) {
    std::vector<std::wstring> reported;
    SetIniErrorReporter([&](const std::wstring& m) { reported.push_back(m); });
    const auto file = folder_.File(L"Settings.ini");
    const TBytes original = Utf16File(L"[Settings]\r\nLeft=10\r\nTop=20\r\n\r\n");
    WriteBytes(file, original);
    fs_.Next = FaultyFileSystem::Fault::DiskFullHalfway;
    {
        TMvIni ini(file);
        ini.WriteInteger(L"Settings", L"Left", 11);
        ini.UpdateFile();
        EXPECT_TRUE(ini.Changed());
    }
    ASSERT_EQ(reported.size(), 2u); // UpdateFile, then the release
    EXPECT_EQ(reported[0], L"Fehler beim Speichern der Konfigurationdatei:\r\n"
                           L"Auf dem Datenträger ist nicht genügend Speicherplatz.");
    EXPECT_EQ(ReadBytes(file), original);
    fs_.Next = FaultyFileSystem::Fault::None;
    {
        TMvIni ini(file);
        ini.WriteInteger(L"Settings", L"Left", 11);
    }
    EXPECT_EQ(ReadBytes(file), Utf16File(L"[Settings]\r\nLeft=11\r\nTop=20\r\n\r\n"));
}

TEST_F(AtomicSaveTest, FileNamesBeyondAscii) {
    const auto file = folder_.File(L"Einstellungen-\x00E4\x20AC.ini");
    {
        TMvIni ini(file);
        ini.WriteString(L"S", L"k", L"v");
    }
    EXPECT_TRUE(fs_.FileExists(file));
    EXPECT_EQ(TMvIni(file).ReadString(L"S", L"k", L""), L"v");
    EXPECT_TRUE(fs_.FolderExists(FolderOfFile(file)));
}

TEST_F(AtomicSaveTest, ProcessKilledBetweenWritingAndReplacingKeepsTheOldFile) {
    // The save runs in a child process that ends at the worst moment. The
    // child runs this test again from the start, so the file must have a name
    // that parent and child share rather than one of the fixture's folders.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "dravik-killed-save";
    const std::wstring file = (folder / "Settings.ini").wstring();
    const TBytes original = Utf16File(L"[Settings]\r\nLeft=10\r\n\r\n");
    if (!::testing::internal::InDeathTestChild()) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        WriteBytes(file, original);
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            fs_.Next = FaultyFileSystem::Fault::ProcessKilledBeforeReplace;
            TMvIni ini(file);
            ini.WriteInteger(L"Settings", L"Left", 99);
            ini.UpdateFile();
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_EQ(ReadBytes(file), original);
    // The finished temporary file was left beside it: the kill came after writing.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              2);
    // The next run reads the old settings and saves normally.
    {
        TMvIni ini(file);
        EXPECT_EQ(ini.ReadInteger(L"Settings", L"Left", 0), 10);
        ini.WriteInteger(L"Settings", L"Left", 11);
        ini.UpdateFile();
    }
    EXPECT_EQ(TMvIni(file).ReadInteger(L"Settings", L"Left", 0), 11);
    std::filesystem::remove_all(folder);
}
