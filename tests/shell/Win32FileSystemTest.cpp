// The Windows file operations of the settings store: a save replaces the file in
// one step or not at all.
#include "storage/win/Win32FileSystem.h"
#include "storage/MvIni.h"
#include "storage/SaveFiles.h"
#include "storage/StorageError.h"
#include "storage/win/Win32Storage.h"
#include "util/win/AppError.h"

#include "StorageTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// How ReplaceFileW may stop: before doing anything (1175, and 1176 as documented
// for a call with a backup name), or after the target went to the backup name
// (1177, and 1176 as seen without one: the target already gone).
enum class ReplaceStop { None, Untouched, TargetMoved };

// The real writer with one step made to fail.
class FaultyWin32FileSystem : public TWin32FileSystem {
  public:
    bool diskFullHalfway = false;
    bool replaceFails = false;
    bool moveFails = false;    // moving the temporary file into place
    bool restoreFails = false; // moving the backup back
    ReplaceStop replaceStop = ReplaceStop::None;
    DWORD replaceError = ERROR_SUCCESS;
    int replaceCalls = 0;
    int moveCalls = 0;

  protected:
    bool WriteTempFile(HANDLE file, const TBytes& bytes) override {
        if (!diskFullHalfway) return TWin32FileSystem::WriteTempFile(file, bytes);
        const TBytes half(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2));
        TWin32FileSystem::WriteTempFile(file, half);
        ::SetLastError(ERROR_DISK_FULL);
        return false;
    }
    bool ReplaceExisting(const std::wstring& tempPath, const std::wstring& targetPath,
                         const std::wstring& backupPath) override {
        ++replaceCalls;
        if (replaceFails) {
            ::SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED);
            return false;
        }
        if (replaceStop == ReplaceStop::None)
            return TWin32FileSystem::ReplaceExisting(tempPath, targetPath, backupPath);
        if (replaceStop == ReplaceStop::TargetMoved)
            ::MoveFileW(targetPath.c_str(), backupPath.c_str());
        ::SetLastError(replaceError);
        return false;
    }
    bool MoveIntoPlace(const std::wstring& fromPath, const std::wstring& toPath) override {
        ++moveCalls;
        const bool fromBackup =
            fromPath.size() > 4 && fromPath.substr(fromPath.size() - 4) == L".bak";
        if (fromBackup ? restoreFails : moveFails) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
        return TWin32FileSystem::MoveIntoPlace(fromPath, toPath);
    }
};

const TBytes OldContent = Utf16File(L"[Settings]\r\nLeft=10\r\nTop=20\r\n\r\n");

class Win32FileSystemTest : public ::testing::Test {
  protected:
    ScratchFolder folder_;
    FaultyWin32FileSystem fs_;
    std::wstring target_ = folder_.File(L"Settings.ini");
};

TEST_F(Win32FileSystemTest, SaveReplacesTheFileAndLeavesNothingElse) {
    WriteBytes(target_, OldContent);
    fs_.WriteFileAtomically(target_, TBytes{'n', 'e', 'w'});
    EXPECT_EQ(ReadBytes(target_), (TBytes{'n', 'e', 'w'}));
    EXPECT_EQ(fs_.replaceCalls, 1);
    EXPECT_EQ(fs_.moveCalls, 0);
    EXPECT_EQ(folder_.EntryCount(), 1);
}

TEST_F(Win32FileSystemTest, NewFileIsMovedIntoPlace) {
    const std::wstring fresh = folder_.File(L"Neu äöü.ini");
    fs_.WriteFileAtomically(fresh, OldContent);
    EXPECT_EQ(ReadBytes(fresh), OldContent);
    EXPECT_EQ(fs_.replaceCalls, 0);
    EXPECT_EQ(fs_.moveCalls, 1);
    fs_.WriteFileAtomically(folder_.File(L"leer.ini"), {});
    EXPECT_TRUE(fs_.FileExists(folder_.File(L"leer.ini")));
    EXPECT_EQ(folder_.EntryCount(), 2);
}

TEST_F(Win32FileSystemTest, RefusedReplaceFallsBackToMoving) {
    WriteBytes(target_, OldContent);
    fs_.replaceFails = true;
    fs_.WriteFileAtomically(target_, TBytes{'x'});
    EXPECT_EQ(ReadBytes(target_), TBytes{'x'});
    EXPECT_EQ(fs_.moveCalls, 1);
    EXPECT_EQ(folder_.EntryCount(), 1);
}

TEST_F(Win32FileSystemTest, AnyFailedStepLeavesTheOldFileByteIdentical) {
    struct Fault {
        bool diskFull, replace, move;
    };
    for (const Fault fault : {Fault{true, false, false}, Fault{false, true, true}}) {
        WriteBytes(target_, OldContent);
        fs_.diskFullHalfway = fault.diskFull;
        fs_.replaceFails = fault.replace;
        fs_.moveFails = fault.move;
        try {
            fs_.WriteFileAtomically(target_, TBytes(100000, 0x41));
            ADD_FAILURE() << "the save did not fail";
        } catch (const EStorageError& e) {
            EXPECT_NE(e.Message.find(target_), std::wstring::npos) << "names the file";
        }
        EXPECT_EQ(ReadBytes(target_), OldContent);
        EXPECT_EQ(folder_.EntryCount(), 1) << "the temporary file is gone";
    }
}

TEST_F(Win32FileSystemTest, ReplaceStoppedHalfWayLeavesTheOldOrTheNewFileInPlace) {
    const TBytes newContent(70000, 0x4E);
    struct Case {
        DWORD error;
        ReplaceStop stop;
        bool moveFails;
        bool expectNew;
    };
    const Case cases[] = {
        {ERROR_UNABLE_TO_REMOVE_REPLACED, ReplaceStop::Untouched, false, true},
        {ERROR_UNABLE_TO_REMOVE_REPLACED, ReplaceStop::Untouched, true, false},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT, ReplaceStop::Untouched, false, true},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT, ReplaceStop::Untouched, true, false},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT, ReplaceStop::TargetMoved, false, true},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT, ReplaceStop::TargetMoved, true, false},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, ReplaceStop::TargetMoved, false, true},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, ReplaceStop::TargetMoved, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "error " << c.error << ", move fails " << c.moveFails);
        WriteBytes(target_, OldContent);
        fs_.replaceStop = c.stop;
        fs_.replaceError = c.error;
        fs_.moveFails = c.moveFails;
        bool failed = false;
        try {
            fs_.WriteFileAtomically(target_, newContent);
        } catch (const EStorageError& e) {
            failed = true;
            EXPECT_NE(e.Message.find(L"kann nicht ersetzt werden"), std::wstring::npos);
        }
        EXPECT_EQ(failed, !c.expectNew) << "reports what happened";
        EXPECT_EQ(ReadBytes(target_), c.expectNew ? newContent : OldContent);
        EXPECT_EQ(folder_.EntryCount(), 1) << "no temporary file or backup is left";
    }
}

TEST_F(Win32FileSystemTest, WhenNoCopyCanBePutBackBothAreKeptAndNamed) {
    WriteBytes(target_, OldContent);
    fs_.replaceStop = ReplaceStop::TargetMoved;
    fs_.replaceError = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    fs_.moveFails = true;
    fs_.restoreFails = true;
    std::wstring message;
    try {
        fs_.WriteFileAtomically(target_, TBytes{'n', 'e', 'u'});
    } catch (const EStorageError& e) {
        message = e.Message;
    }
    ASSERT_EQ(folder_.EntryCount(), 2);
    for (const auto& name : folder_.Entries()) {
        const std::wstring path = folder_.File(name);
        EXPECT_NE(message.find(L"\"" + path + L"\""), std::wstring::npos)
            << "names " << name.c_str();
        EXPECT_EQ(ReadBytes(path), name.back() == L'k' ? OldContent : (TBytes{'n', 'e', 'u'}));
    }
    // The next start puts the new file in place: its save was complete.
    const TSaveCleanup cleanup = RemoveStaleSaveFiles(fs_, target_);
    EXPECT_EQ(ReadBytes(target_), (TBytes{'n', 'e', 'u'}));
    EXPECT_EQ(folder_.EntryCount(), 1);
    EXPECT_FALSE(cleanup.RestoredFrom.empty());
}

TEST_F(Win32FileSystemTest, OversizedFileIsNotRead) {
    WriteBytes(target_, TBytes(static_cast<std::size_t>(MaxSettingsFileBytes) + 1, 'a'));
    try {
        fs_.ReadWholeFile(target_);
        ADD_FAILURE() << "read";
    } catch (const EStorageError& e) {
        EXPECT_EQ(e.Message, TooLargeMessage(target_));
    }
}

TEST_F(Win32FileSystemTest, FileHeldOpenByAnotherProgramIsNotReplaced) {
    WriteBytes(target_, OldContent);
    // Another program reads it without letting anybody delete or rename it.
    const HANDLE other = ::CreateFileW(target_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_THROW(fs_.WriteFileAtomically(target_, TBytes{'x'}), EStorageError);
    ::CloseHandle(other);
    EXPECT_EQ(ReadBytes(target_), OldContent);
    // Wine's ReplaceFileW leaves an empty "rf*.tmp" of its own behind here; what
    // matters is that ours is gone.
    for (const auto& name : folder_.Entries())
        EXPECT_TRUE(name == L"Settings.ini" || name.rfind(L"rf", 0) == 0)
            << "temporary file left behind: " << std::string(name.begin(), name.end());
    fs_.WriteFileAtomically(target_, TBytes{'x'}); // free again: works
    EXPECT_EQ(ReadBytes(target_), TBytes{'x'});
}

TEST_F(Win32FileSystemTest, MissingFolderFailsWithoutLeavingAnything) {
    const std::wstring inMissing = folder_.File(L"fehlt\\Settings.ini");
    EXPECT_THROW(fs_.WriteFileAtomically(inMissing, TBytes{'x'}), EStorageError);
    EXPECT_EQ(folder_.EntryCount(), 0);
}

TEST_F(Win32FileSystemTest, ReadsWholeFilesAndTellsFilesFromFolders) {
    TBytes big(200000);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 7);
    WriteBytes(target_, big);
    EXPECT_EQ(fs_.ReadWholeFile(target_), big);
    EXPECT_TRUE(fs_.FileExists(target_));
    EXPECT_FALSE(fs_.FolderExists(target_));
    EXPECT_TRUE(fs_.FolderExists(folder_.Path()));
    EXPECT_FALSE(fs_.FileExists(folder_.Path()));
    try {
        fs_.ReadWholeFile(folder_.File(L"fehlt.ini"));
        ADD_FAILURE() << "no error";
    } catch (const EStorageError& e) {
        EXPECT_EQ(e.Message.rfind(L"Datei \"" + folder_.File(L"fehlt.ini") +
                                      L"\" kann nicht geöffnet werden.",
                                  0),
                  0u);
    }
}

// The whole store with the Windows parts installed, as the program runs it.
class Win32StorageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallWin32Storage();
        SetApplicationErrorSink(&Win32StorageTest::Record);
        Shown().clear();
    }
    void TearDown() override {
        SetApplicationErrorSink(nullptr);
        SetIniErrorReporter({});
        SetFileSystem(nullptr);
        SetRegistryIniFactory(nullptr);
        SetAnsiCodec({});
    }
    static std::vector<std::wstring>& Shown() {
        static std::vector<std::wstring> messages;
        return messages;
    }
    static void Record(HWND, const std::wstring& message) { Shown().push_back(message); }
    ScratchFolder folder_;
};

TEST_F(Win32StorageTest, StoreSavesUnicodeThroughTheWindowsFileSystem) {
    const std::wstring file = folder_.File(L"Settings.ini");
    {
        TMvIni ini(file);
        ini.WriteString(L"Settings", L"Name", L"Maß");
    }
    EXPECT_EQ(ReadBytes(file), Utf16File(L"[Settings]\r\nName=Maß\r\n\r\n"));
    EXPECT_NE(dynamic_cast<TWin32FileSystem*>(&FileSystem()), nullptr);
}

TEST_F(Win32StorageTest, FailedSaveIsShownAndTheOldFileSurvives) {
    const std::wstring file = folder_.File(L"Settings.ini");
    WriteBytes(file, OldContent);
    const HANDLE other = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    {
        TMvIni ini(file);
        ini.WriteInteger(L"Settings", L"Left", 11);
        ini.UpdateFile();
        EXPECT_TRUE(ini.Changed());
        ini.SetSaveAtFree(false);
    }
    ::CloseHandle(other);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].rfind(L"Fehler beim Speichern der Konfigurationdatei:\r\nDatei \"" + file +
                                   L"\" kann nicht ersetzt werden.",
                               0),
              0u)
        << std::string(Shown()[0].begin(), Shown()[0].end());
    EXPECT_EQ(ReadBytes(file), OldContent);
}

TEST_F(Win32StorageTest, AnsiFilesUseTheSystemCodePage) {
    const std::wstring text = L"Grün";
    const TBytes bytes = EncodeAnsi(text);
    EXPECT_EQ(DecodeAnsi(bytes.data(), bytes.size()), text);
    if (::GetACP() == 1252) {
        EXPECT_EQ(bytes, (TBytes{'G', 'r', 0xFC, 'n'}));
        EXPECT_EQ(EncodeAnsi(L"\u4E2D"), TBytes{'?'}); // not in the Western code page
    }
    // A legacy ANSI settings file loads through the same code page.
    const std::wstring file = folder_.File(L"alt.ini");
    WriteBytes(file, EncodeAnsi(L"[Settings]\r\nName=Grün\r\n"));
    TMvIni ini(file);
    EXPECT_EQ(ini.ReadString(L"Settings", L"Name", L""), L"Grün");
}

} // namespace
