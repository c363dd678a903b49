// The settings location with the real system answers: special folders, the
// registry (both hives), files beside the test program.
#include "storage/win/PathListWin.h"
#include "storage/FileSystem.h"
#include "storage/PBPathList.h"
#include "storage/win/RegistryIni.h"
#include "storage/win/RegistryProgData.h"
#include "storage/win/Win32Storage.h"
#include "util/PathUtils.h"
#include "util/StringUtils.h"

#include "../common/ProgramRegistry.h"
#include "StorageTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

std::wstring Env(const wchar_t* name) {
    wchar_t buffer[1024] = {};
    const DWORD n = ::GetEnvironmentVariableW(name, buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring ProgramFile() {
    wchar_t buffer[MAX_PATH * 2] = {};
    ::GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
    return buffer;
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

#define EXPECT_SAME_PATH(actual, expected) EXPECT_PRED2(SameTextIgnoreCase, actual, expected)

// A file beside the test program, removed again.
class FileBesideProgram {
  public:
    explicit FileBesideProgram(std::wstring path) : m_path(std::move(path)) {
        ::DeleteFileW(m_path.c_str()); // a leftover of an aborted run
    }
    ~FileBesideProgram() { ::DeleteFileW(m_path.c_str()); }
    FileBesideProgram(const FileBesideProgram&) = delete;
    FileBesideProgram& operator=(const FileBesideProgram&) = delete;
    void Write(const std::wstring& iniText) const { WriteBytes(m_path, Utf16File(iniText)); }
    const std::wstring& Path() const { return m_path; }

  private:
    std::wstring m_path;
};

class PathListWinTest : public ::testing::Test {
  protected:
    void SetUp() override { InstallWin32Storage(); }
    void TearDown() override {
        SetIniErrorReporter({});
        SetFileSystem(nullptr);
        SetRegistryIniFactory(nullptr);
        SetAnsiCodec({});
    }

    // As the ruler sets it up.
    std::unique_ptr<TPBPathList> MakeList() {
        auto list = std::make_unique<TPBPathList>(CreateWin32PathListPlatform(), L"Paths");
        list->UseAppDataDir = true;
        list->DirTypeLocal = sdSettingsCurrentUser;
        list->DirTypeGlobal = sdSettingsAllUser;
        list->SettingsPerInstance = false;
        list->FSubDirDocSettings = L"Morvane\\Dravik";
        return list;
    }
    std::unique_ptr<TPBPathList> Loaded(const std::wstring& mainKey) {
        auto list = MakeList();
        list->LoadFromReg(mainKey, false);
        return list;
    }
    // Written where the program will look: its registry data for the key.
    void WriteChoice(const std::wstring& mainKey, const std::wstring& section,
                     const std::wstring& key, const std::wstring& value) {
        CreateRegistryProgData(mainKey, false, false)->WriteString(section, key, value);
    }

    TestRegistryKey key_{L"PathList"};
    const std::wstring appDir_ = AppDir();
    const std::wstring userDefault_ = ConcatPath(Env(L"APPDATA"), L"Morvane\\Dravik");
    FileBesideProgram exeIni_{ChangeFileExtMV(ProgramFile(), L".ini")};
    FileBesideProgram marker_{AppDirAnd(L"UseAppDir.ini")};
    ScratchFolder scratch_;
};

TEST_F(PathListWinTest, WithoutChoicesTheFileIsSettingsIniBelowTheUsersAppData) {
    ASSERT_FALSE(Env(L"APPDATA").empty());
    std::wstring common = Env(L"ProgramData");
    if (common.empty()) common = Env(L"ALLUSERSPROFILE");
    auto paths = Loaded(key_.Path());
    EXPECT_SAME_PATH(paths->IniName(), userDefault_ + L"\\Settings.ini");
    EXPECT_TRUE(FolderExists(userDefault_));
    EXPECT_TRUE(FolderExists(ConcatPath(common, L"Morvane\\Dravik")));
    EXPECT_TRUE(paths->PathLocalExists());
    EXPECT_TRUE(paths->PathGlobalExists());
    EXPECT_SAME_PATH(paths->UserDirLocal, appDir_);
    // The location is only read: the registry key holds no values afterwards.
    auto data = CreateRegistryProgData(key_.Path(), false, false);
    TStrings sections;
    data->ReadSections(sections);
    EXPECT_TRUE(sections.empty());
}

TEST_F(PathListWinTest, IniNamedLikeTheTestProgramBesideItWins) {
    auto paths = Loaded(key_.Path());
    EXPECT_SAME_PATH(paths->IniName(), userDefault_ + L"\\Settings.ini");
    exeIni_.Write(L"[Settings]\r\n");
    // "dravik_shell_tests.ini" here, "Dravik.ini" for the program.
    EXPECT_SAME_PATH(paths->IniName(), exeIni_.Path());
    EXPECT_SAME_PATH(exeIni_.Path(), appDir_ + L"dravik_shell_tests.ini");
}

TEST_F(PathListWinTest, DirTypeLocalTwoMeansBesideTheProgram) {
    WriteChoice(key_.Path(), L"SettingsDir", L"DirTypeLocal", L"2");
    auto paths = Loaded(key_.Path());
    EXPECT_EQ(paths->DirTypeLocal, sdProg);
    EXPECT_SAME_PATH(paths->IniName(), appDir_ + L"Settings.ini");
}

TEST_F(PathListWinTest, DirTypeLocalThreeCreatesTheUsersFolder) {
    const std::wstring chosen = scratch_.File(L"Meine Einstellungen\\Lineal");
    WriteChoice(key_.Path(), L"SettingsDir", L"DirTypeLocal", L"3");
    WriteChoice(key_.Path(), L"SettingsDir", L"UserDirLocal", chosen);
    auto paths = Loaded(key_.Path());
    EXPECT_TRUE(FolderExists(chosen));
    EXPECT_TRUE(paths->PathLocalExists());
    EXPECT_SAME_PATH(paths->IniName(), chosen + L"\\Settings.ini");
}

TEST_F(PathListWinTest, DirTypeLocalSevenIsTheUsersAppData) {
    WriteChoice(key_.Path(), L"SettingsDir", L"DirTypeLocal", L"7");
    auto paths = Loaded(key_.Path());
    EXPECT_EQ(paths->DirTypeLocal, sdSettingsCurrentUser);
    EXPECT_SAME_PATH(paths->IniName(), userDefault_ + L"\\Settings.ini");
}

TEST_F(PathListWinTest, SettingsPerInstanceReadsTheSectionOfThisFolder) {
    std::wstring instance = appDir_;
    std::replace(instance.begin(), instance.end(), L'\\', L'|');
    instance.pop_back(); // the trailing "|"
    WriteChoice(key_.Path(), L"SettingsDir", L"SettingsPerInstance", L"1");
    WriteChoice(key_.Path(), L"SettingsDir", L"DirTypeLocal", L"0");
    WriteChoice(key_.Path(), L"SettingsDir\\" + instance, L"DirTypeLocal", L"2");
    auto paths = Loaded(key_.Path());
    EXPECT_TRUE(paths->SettingsPerInstance);
    EXPECT_SAME_PATH(paths->IniName(), appDir_ + L"Settings.ini");
}

TEST_F(PathListWinTest, MarkerFileBesideTheProgramTakesThePlaceOfTheRegistry) {
    const std::wstring chosen = scratch_.File(L"Markiert");
    WriteChoice(key_.Path(), L"SettingsDir", L"DirTypeLocal", L"2");
    marker_.Write(L"[SettingsDir]\r\nDirTypeLocal=3\r\nUserDirLocal=" + chosen + L"\r\n");
    const TBytes markerBefore = ReadBytes(marker_.Path());
    auto paths = Loaded(key_.Path());
    EXPECT_SAME_PATH(paths->IniName(), chosen + L"\\Settings.ini");
    EXPECT_TRUE(FolderExists(chosen));
    EXPECT_EQ(ReadBytes(marker_.Path()), markerBefore);
}

TEST_F(PathListWinTest, UsersHiveWhenTheMachineHiveCannotBeOpened) {
    // A volatile parent below HKEY_LOCAL_MACHINE refuses the lasting main key.
    const std::wstring parentPath = key_.Path() + L"\\Volatile";
    HKEY parent = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, parentPath.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &parent, nullptr) != ERROR_SUCCESS)
        GTEST_SKIP() << "HKEY_LOCAL_MACHINE is not writable here";
    ::RegCloseKey(parent);
    const std::wstring mainKey = parentPath + L"\\Dravik";
    CreateRegistryProgData(mainKey, false, true)
        ->WriteString(L"SettingsDir", L"DirTypeLocal", L"2");
    auto paths = Loaded(mainKey);
    EXPECT_SAME_PATH(paths->IniName(), appDir_ + L"Settings.ini");
}

TEST_F(PathListWinTest, FolderOnAMissingDriveIsReportedMissing) {
    const DWORD drives = ::GetLogicalDrives();
    wchar_t letter = 0;
    for (wchar_t l = L'Y'; l >= L'E' && !letter; --l)
        if (!(drives & (1u << (l - L'A')))) letter = l;
    if (!letter) GTEST_SKIP() << "every drive letter is taken";
    const std::wstring chosen = std::wstring(1, letter) + L":\\Lineal";
    WriteChoice(key_.Path(), L"SettingsDir", L"DirTypeLocal", L"3");
    WriteChoice(key_.Path(), L"SettingsDir", L"UserDirLocal", chosen);
    auto paths = Loaded(key_.Path());
    EXPECT_FALSE(paths->PathLocalExists());
    EXPECT_EQ(paths->IniName(), chosen + L"\\Settings.ini");
}

TEST_F(PathListWinTest, ExpandableRegistryFolderIsExpanded) {
    // As an installer or a person with regedit writes it.
    const std::wstring chosen = L"%APPDATA%\\" + UniqueTestName(L"MyRuler");
    WriteChoice(key_.Path(), L"SettingsDir", L"DirTypeLocal", L"3");
    ASSERT_TRUE(WriteProgramRegistryText(key_.Path(), L"SettingsDir", L"UserDirLocal",
                                         REG_EXPAND_SZ, chosen));

    const std::wstring expanded = Env(L"APPDATA") + chosen.substr(9);
    auto paths = Loaded(key_.Path());
    EXPECT_SAME_PATH(paths->IniName(), expanded + L"\\Settings.ini");
    EXPECT_TRUE(FolderExists(expanded));
    EXPECT_TRUE(paths->Warnings().empty());
    EXPECT_FALSE(FolderExists(appDir_ + L"%APPDATA%"));
    EXPECT_FALSE(FolderExists(L"%APPDATA%"));
    ::RemoveDirectoryW(expanded.c_str());
}

TEST_F(PathListWinTest, HostileFolderChoicesGiveTheDefaultPlaceQuickly) {
    std::wstring deep = L"C:";
    for (int i = 0; i < 16000; ++i)
        deep += L"\\a";
    WriteChoice(key_.Path(), L"SettingsDir", L"DirTypeLocal", L"3");
    WriteChoice(key_.Path(), L"SettingsDir", L"UserDirLocal", deep);
    auto paths = Loaded(key_.Path());
    EXPECT_SAME_PATH(paths->IniName(), userDefault_ + L"\\Settings.ini");
    EXPECT_EQ(paths->Warnings().size(), 1u);

    deep.clear();
    for (int i = 0; i < 100000; ++i)
        deep += L"\\a";
    marker_.Write(L"[SettingsDir]\r\nDirTypeLocal=3\r\nUserDirLocal=C:" + deep + L"\r\n");
    paths = Loaded(key_.Path());
    EXPECT_SAME_PATH(paths->IniName(), userDefault_ + L"\\Settings.ini");
    EXPECT_EQ(paths->Warnings().size(), 1u);

    // A marker of 5 MB is not read at all.
    std::wstring big = L"[SettingsDir]\r\nDirTypeLocal=2\r\n;";
    big.resize(2500000, L'x');
    marker_.Write(big);
    const TBytes markerBefore = ReadBytes(marker_.Path());
    const DWORD start = ::GetTickCount();
    paths = Loaded(key_.Path());
    std::printf("settings location with a 5 MB marker file: %lu ms\n",
                static_cast<unsigned long>(::GetTickCount() - start));
    EXPECT_SAME_PATH(paths->IniName(), userDefault_ + L"\\Settings.ini");
    ASSERT_EQ(paths->Warnings().size(), 1u);
    EXPECT_NE(paths->Warnings()[0].find(L"größer als 4 MB"), std::wstring::npos);
    EXPECT_EQ(ReadBytes(marker_.Path()), markerBefore);
}

TEST_F(PathListWinTest, SpecialFoldersComeFromTheSystem) {
    auto paths = MakeList();
    const TStrings folders = paths->FolderList();
    EXPECT_TRUE(std::is_sorted(folders.begin(), folders.end()));
    std::wstring temp = GetTempDir();
    temp.pop_back();
    const auto has = [&](const std::wstring& line) {
        return std::any_of(folders.begin(), folders.end(),
                           [&](const std::wstring& f) { return SameTextIgnoreCase(f, line); });
    };
    EXPECT_TRUE(has(L"%APPDATA%=" + Env(L"APPDATA")));
    EXPECT_TRUE(has(L"%TEMP%=" + temp));
    EXPECT_TRUE(has(L"%WINDOWS%=" + Env(L"SystemRoot")));
    for (const auto& line : folders) {
        const auto value = line.substr(line.find(L'=') + 1);
        EXPECT_FALSE(value.size() > 3 && value.back() == L'\\') << "trailing separator";
    }
    // Folders without a path, as "My Computer", are kept by their display name.
    for (const auto& line : paths->VirtualNames())
        EXPECT_LT(line.find(L'='), line.size() - 1) << "a display name";
}

} // namespace
