// The settings-location rules against a simulated Windows machine: special
// folders, drives, files and the program's registry data are all in memory.
#include "storage/PBPathList.h"
#include "storage/FileSystem.h"
#include "storage/MvMemIni.h"
#include "storage/StorageError.h"
#include "util/AssertionFailed.h"
#include "util/StringUtils.h"

#include "IniTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// Paths compare as Windows does: ignoring case and a trailing "\".
std::wstring Normal(std::wstring path) {
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return UpperCaseText(path);
}

struct FakeMachine : TFileSystem {
    bool folderQuery = true;
    std::map<int, std::wstring> specialFolders;
    std::map<int, std::wstring> virtualFolders;
    std::wstring temp = L"C:\\Users\\Anna\\AppData\\Local\\Temp\\";
    std::wstring current = L"C:\\Users\\Anna";
    std::wstring program = L"C:\\Program Files\\Morvane\\Dravik\\Dravik.exe";
    std::set<wchar_t> drives = {L'C', L'D'};
    std::set<std::wstring> folders;
    std::map<std::wstring, TBytes> files;
    std::vector<std::wstring> created;
    std::map<std::wstring, std::wstring> environment;
    bool registryAvailable = true;
    std::wstring registryText;
    std::vector<std::pair<std::wstring, bool>> registryOpens;
    int busy = 0;
    int busyCalls = 0;
    int writes = 0;

    FakeMachine() {
        specialFolders[5] = L"C:\\Users\\Anna\\Documents";
        specialFolders[26] = L"C:\\Users\\Anna\\AppData\\Roaming";
        specialFolders[35] = L"C:\\ProgramData";
        specialFolders[46] = L"C:\\Users\\Public\\Documents";
        for (const auto& f : {L"C:\\", L"D:\\", L"C:\\Users\\Anna\\AppData\\Roaming",
                              L"C:\\ProgramData", L"C:\\Program Files\\Morvane\\Dravik"})
            AddFolder(f);
    }
    void AddFolder(const std::wstring& path) { folders.insert(Normal(path)); }
    bool HasFolder(const std::wstring& path) const { return folders.count(Normal(path)) > 0; }
    void AddFile(const std::wstring& path, const std::wstring& iniText) {
        files[Normal(path)] = Utf16File(iniText);
    }

    // TFileSystem: the marker file is read through the settings store.
    bool FileExists(const std::wstring& path) override { return files.count(Normal(path)) > 0; }
    bool FolderExists(const std::wstring& path) override { return HasFolder(path); }
    TBytes ReadWholeFile(const std::wstring& path) override {
        const auto it = files.find(Normal(path));
        if (it == files.end()) throw EStorageError(L"fehlt");
        if (it->second.size() > MaxSettingsFileBytes) throw EStorageError(TooLargeMessage(path));
        return it->second;
    }
    void WriteFileAtomically(const std::wstring& path, const TBytes& bytes) override {
        ++writes;
        files[Normal(path)] = bytes;
    }
    std::vector<std::wstring> FileNamesIn(const std::wstring&) override { return {}; }
    bool RemoveFile(const std::wstring& path) override { return files.erase(Normal(path)) > 0; }
    bool RenameFile(const std::wstring&, const std::wstring&) override { return false; }
};

class FakePlatform : public PathListPlatform {
  public:
    explicit FakePlatform(FakeMachine& machine) : m(machine) {}
    bool FolderQueryAvailable() override { return m.folderQuery; }
    std::optional<std::wstring> FolderPath(int csidl) override {
        return Find(m.specialFolders, csidl);
    }
    std::optional<std::wstring> VirtualFolderName(int csidl) override {
        return Find(m.virtualFolders, csidl);
    }
    std::wstring TempDir() override { return m.temp; }
    std::wstring CurrentDir() override { return m.current; }
    std::wstring ProgramFile() override { return m.program; }
    bool FileExists(const std::wstring& path) override { return m.FileExists(path); }
    bool DirectoryExists(const std::wstring& path) override { return m.HasFolder(path); }
    bool DriveExists(const std::wstring& path) override {
        return path.size() < 2 || path[1] != L':' || m.drives.count(UpperCaseChar(path[0])) > 0;
    }
    bool CreateDirectories(const std::wstring& path) override {
        if (!DriveExists(path)) return false;
        m.created.push_back(path);
        for (std::size_t i = 3; i <= path.size(); ++i)
            if (i == path.size() || path[i] == L'\\') m.AddFolder(path.substr(0, i));
        return true;
    }
    std::optional<std::wstring> EnvironmentVariable(const std::wstring& name) override {
        const auto it = m.environment.find(UpperCaseText(name));
        if (it == m.environment.end()) return std::nullopt;
        return it->second;
    }
    std::unique_ptr<TCustomIniFile> OpenProgramRegistry(const std::wstring& mainKey,
                                                        bool portable) override {
        m.registryOpens.emplace_back(mainKey, portable);
        if (!m.registryAvailable) return nullptr;
        auto store = std::make_unique<TMvMemIniFile>(L"", TIniTextEncoding::Utf16LE);
        store->SetText(m.registryText);
        return store;
    }
    void BeginBusy() override {
        ++m.busy;
        ++m.busyCalls;
    }
    void EndBusy() override { --m.busy; }

  private:
    static std::optional<std::wstring> Find(const std::map<int, std::wstring>& map, int key) {
        const auto it = map.find(key);
        if (it == map.end()) return std::nullopt;
        return it->second;
    }
    FakeMachine& m;
};

const std::wstring MainKey = L"Software\\Morvane\\Dravik";
const std::wstring UserFolder = L"C:\\Users\\Anna\\AppData\\Roaming\\Morvane\\Dravik";
const std::wstring CommonFolder = L"C:\\ProgramData\\Morvane\\Dravik";
const std::wstring ProgramFolder = L"C:\\Program Files\\Morvane\\Dravik\\";

class PBPathListTest : public ::testing::Test {
  protected:
    void SetUp() override { SetFileSystem(&machine); }
    void TearDown() override { SetFileSystem(nullptr); }

    // As the ruler sets it up.
    std::unique_ptr<TPBPathList> MakeList(const std::wstring& name = L"Paths") {
        auto list = std::make_unique<TPBPathList>(std::make_unique<FakePlatform>(machine), name);
        list->UseAppDataDir = true;
        list->DirTypeLocal = sdSettingsCurrentUser;
        list->DirTypeGlobal = sdSettingsAllUser;
        list->SettingsPerInstance = false;
        list->FSubDirDocSettings = L"Morvane\\Dravik";
        return list;
    }
    std::unique_ptr<TPBPathList> Loaded() {
        auto list = MakeList();
        list->LoadFromReg(MainKey, false);
        return list;
    }

    FakeMachine machine;
};

TEST_F(PBPathListTest, DefaultIsSettingsIniBelowTheUsersAppDataAndBothFoldersAreCreated) {
    auto paths = Loaded();
    EXPECT_TRUE(machine.HasFolder(UserFolder));
    EXPECT_TRUE(machine.HasFolder(CommonFolder));
    EXPECT_TRUE(paths->PathLocalExists());
    EXPECT_TRUE(paths->PathGlobalExists());
    EXPECT_EQ(paths->IniName(), UserFolder + L"\\Settings.ini");
    ASSERT_EQ(machine.registryOpens.size(), 1u);
    EXPECT_EQ(machine.registryOpens[0], std::make_pair(MainKey, false));
    EXPECT_EQ(machine.busy, 0); // every hourglass is taken back
    EXPECT_GT(machine.busyCalls, 0);
    EXPECT_EQ(machine.writes, 0); // the location is only read
}

TEST_F(PBPathListTest, IniNamedLikeTheProgramBesideItWinsAtTheNextQuestion) {
    auto paths = Loaded();
    machine.AddFile(UserFolder + L"\\Settings.ini", L"[Settings]\r\n");
    EXPECT_EQ(paths->IniName(), UserFolder + L"\\Settings.ini");
    machine.AddFile(ProgramFolder + L"Dravik.ini", L"");
    EXPECT_EQ(paths->IniName(), ProgramFolder + L"Dravik.ini");
}

TEST_F(PBPathListTest, PortableFileFollowsTheProgramsOwnNameAndTheFormat) {
    machine.program = L"C:\\Tools\\lineal";
    machine.AddFile(L"C:\\Tools\\Dravik.ini", L"");
    auto paths = MakeList();
    paths->IniFormat = sifXML;
    paths->LoadFromReg(MainKey, false);
    EXPECT_EQ(paths->GetIniExtension(), L".xml");
    EXPECT_EQ(paths->IniName(), UserFolder + L"\\Settings.xml"); // Dravik.ini is not ours
    machine.AddFile(L"C:\\Tools\\lineal.xml", L"");
    EXPECT_EQ(paths->IniName(), L"C:\\Tools\\lineal.xml");
}

TEST_F(PBPathListTest, DirTypeLocalTwoPutsTheFileBesideTheProgram) {
    machine.registryText = L"[SettingsDir]\r\nDirTypeLocal=2\r\n";
    auto paths = Loaded();
    EXPECT_EQ(paths->DirTypeLocal, sdProg);
    EXPECT_EQ(paths->IniName(), ProgramFolder + L"Settings.ini");
}

TEST_F(PBPathListTest, DirTypeLocalThreeUsesTheUsersFolderAndCreatesIt) {
    machine.registryText = L"[SettingsDir]\r\nDirTypeLocal=3\r\nUserDirLocal=D:\\Lineal\\Daten\r\n";
    auto paths = Loaded();
    EXPECT_TRUE(machine.HasFolder(L"D:\\Lineal\\Daten"));
    EXPECT_EQ(paths->UserDirLocal, L"D:\\Lineal\\Daten");
    EXPECT_EQ(paths->IniName(), L"D:\\Lineal\\Daten\\Settings.ini");
    EXPECT_EQ(paths->UserDirGlobal, ProgramFolder); // the default
}

TEST_F(PBPathListTest, FolderOnAMissingDriveIsNotCreatedButStillNamed) {
    machine.registryText = L"[SettingsDir]\r\nDirTypeLocal=3\r\nUserDirLocal=Q:\\Daten\r\n";
    auto paths = Loaded();
    EXPECT_FALSE(paths->PathLocalExists());
    EXPECT_TRUE(paths->PathGlobalExists());
    EXPECT_FALSE(machine.HasFolder(L"Q:\\Daten"));
    EXPECT_EQ(paths->IniName(), L"Q:\\Daten\\Settings.ini");
}

TEST_F(PBPathListTest, EmptyUserFolderCountsAsMissing) {
    // Else the settings would land in whatever the current directory is.
    machine.registryText = L"[SettingsDir]\r\nDirTypeLocal=3\r\nUserDirLocal=\r\n";
    auto paths = Loaded();
    EXPECT_EQ(paths->IniName(), ProgramFolder + L"Settings.ini");
}

TEST_F(PBPathListTest, UnknownFolderKindsReadAsCurrentUser) {
    for (const auto* stored : {L"7", L"-1", L"0", L"kaputt"}) {
        machine.registryText = L"[SettingsDir]\r\nDirTypeLocal=" + std::wstring(stored) +
                               L"\r\nDirTypeGlobal=" + stored + L"\r\n";
        auto paths = MakeList();
        paths->DirTypeGlobal = sdProg;
        paths->LoadFromReg(MainKey, false);
        const bool number = std::wstring(stored) != L"kaputt";
        EXPECT_EQ(paths->DirTypeLocal, sdSettingsCurrentUser) << stored;
        // Text that is no number keeps the property's value.
        EXPECT_EQ(paths->DirTypeGlobal, number ? sdSettingsCurrentUser : sdProg) << stored;
        EXPECT_EQ(paths->IniName(), UserFolder + L"\\Settings.ini");
    }
    EXPECT_EQ(IntToSettingsDir(1), sdSettingsAllUser);
    EXPECT_EQ(IntToSettingsDir(2), sdProg);
    EXPECT_EQ(IntToSettingsDir(3), sdUserDefined);
    EXPECT_EQ(IntToSettingsDir(4), sdSettingsCurrentUser);
    EXPECT_EQ(SettingsDirToInt(sdUserDefined), 3);
}

TEST_F(PBPathListTest, SettingsPerInstanceReadsTheSectionOfTheInstallationFolder) {
    machine.program = L"C:\\Tools\\Ruler\\Dravik.exe";
    machine.registryText = L"[SettingsDir]\r\nSettingsPerInstance=1\r\nDirTypeLocal=0\r\n"
                           L"[SettingsDir\\C:|Tools|Ruler]\r\nDirTypeLocal=2\r\n";
    auto paths = Loaded();
    EXPECT_TRUE(paths->SettingsPerInstance);
    EXPECT_EQ(paths->IniName(), L"C:\\Tools\\Ruler\\Settings.ini");
}

TEST_F(PBPathListTest, AppVersionSuffixesTheSectionButNotTheInstanceSwitch) {
    machine.program = L"C:\\Tools\\Ruler\\Dravik.exe";
    machine.registryText = L"[SettingsDir]\r\nSettingsPerInstance=1\r\nDirTypeLocal=2\r\n"
                           L"[SettingsDir2.2\\C:|Tools|Ruler]\r\nDirTypeLocal=3\r\n"
                           L"UserDirLocal=D:\\R22\r\n";
    auto paths = MakeList();
    paths->AppVersion = L"2.2";
    paths->LoadFromReg(MainKey, false);
    EXPECT_EQ(paths->IniName(), L"D:\\R22\\Settings.ini");
}

TEST_F(PBPathListTest, MarkerFileBesideTheProgramOverridesTheRegistry) {
    machine.registryText = L"[SettingsDir]\r\nSettingsPerInstance=1\r\nDirTypeLocal=3\r\n"
                           L"UserDirLocal=D:\\Falsch\r\n";
    machine.AddFile(ProgramFolder + L"UseAppDir.ini", L"[SettingsDir]\r\nDirTypeLocal=2\r\n");
    auto paths = Loaded();
    EXPECT_EQ(paths->GetUseAppDirIni(), ProgramFolder + L"UseAppDir.ini");
    EXPECT_EQ(paths->IniName(), ProgramFolder + L"Settings.ini");
    EXPECT_FALSE(machine.HasFolder(L"D:\\Falsch"));
    EXPECT_EQ(machine.writes, 0); // the marker file is never rewritten
}

TEST_F(PBPathListTest, UnreachableRegistryLeavesEveryValueAtItsDefault) {
    machine.registryAvailable = false;
    auto paths = Loaded();
    EXPECT_EQ(paths->DirTypeLocal, sdSettingsCurrentUser);
    EXPECT_EQ(paths->DirTypeGlobal, sdSettingsAllUser);
    EXPECT_EQ(paths->UserDirLocal, ProgramFolder);
    EXPECT_EQ(paths->IniName(), UserFolder + L"\\Settings.ini");
}

TEST_F(PBPathListTest, PortableRequestReachesThePlatform) {
    auto paths = MakeList();
    paths->LoadFromReg(MainKey, true);
    ASSERT_EQ(machine.registryOpens.size(), 1u);
    EXPECT_TRUE(machine.registryOpens[0].second);
}

TEST_F(PBPathListTest, MissingSpecialFoldersAreSubstitutedAlongTheChain) {
    machine.specialFolders.erase(35); // no common application data
    auto paths = Loaded();
    EXPECT_EQ(paths->GetValues(L"%COMMON_APPDATA%"), L"C:\\Users\\Anna\\AppData\\Roaming");
    EXPECT_TRUE(machine.HasFolder(UserFolder));
    EXPECT_EQ(paths->GetDirGlobal(sdSettingsAllUser), UserFolder);
    // %COMMON_MUSIC% -> %MYMUSIC% -> %PERSONAL%
    EXPECT_EQ(paths->GetValues(L"%common_music%"), L"C:\\Users\\Anna\\Documents");
    machine.specialFolders.erase(5);
    paths->MakeTheList();
    EXPECT_EQ(paths->GetValues(L"%COMMON_MUSIC%"), ProgramFolder);
    EXPECT_EQ(paths->GetValues(L"%WINDOWS%"), ProgramFolder); // no substitute: program folder
    paths->SimulateNotFound = false;
    EXPECT_EQ(paths->GetValues(L"%COMMON_MUSIC%"), L"");
}

TEST_F(PBPathListTest, NoSpecialFoldersAtAllFallsBackToTheProgramFolder) {
    machine.folderQuery = false;
    auto paths = Loaded();
    EXPECT_EQ(paths->IniName(), ProgramFolder + L"Morvane\\Dravik\\Settings.ini");
}

TEST_F(PBPathListTest, DocumentsFoldersWhenAppDataIsNotWanted) {
    auto paths = MakeList();
    paths->UseAppDataDir = false;
    paths->SubDirLocal = L"Lokal";
    paths->SubDirGlobal = L"\\Global";
    paths->LoadFromReg(MainKey, false);
    EXPECT_EQ(paths->GetDirLocal(sdSettingsCurrentUser),
              L"C:\\Users\\Anna\\Documents\\Morvane\\Dravik\\Lokal");
    EXPECT_EQ(paths->GetDirGlobal(sdSettingsAllUser),
              L"C:\\Users\\Public\\Documents\\Morvane\\Dravik\\Global");
    EXPECT_EQ(paths->GetDirLocal(sdProg), ProgramFolder + L"Lokal");
    EXPECT_EQ(paths->CreateDirLocal(L"Paletten", L"a.ini"),
              L"C:\\Users\\Anna\\Documents\\Morvane\\Dravik\\Lokal\\Paletten\\a.ini");
    EXPECT_TRUE(machine.HasFolder(L"C:\\Users\\Anna\\Documents\\Morvane\\Dravik\\Lokal\\Paletten"));
}

TEST_F(PBPathListTest, FolderListKeepsDriveRootsAndAddsTempAndVirtualNames) {
    machine.specialFolders[38] = L"D:\\";
    machine.specialFolders[36] = L"C:\\Windows\\";
    machine.virtualFolders[17] = L"Dieser PC";
    machine.virtualFolders[13] = L"not virtual"; // %MYMUSIC% has a path or nothing
    auto paths = MakeList();
    const TStrings list = paths->FolderList();
    EXPECT_EQ(list, (TStrings{L"%APPDATA%=C:\\Users\\Anna\\AppData\\Roaming",
                              L"%COMMON_APPDATA%=C:\\ProgramData",
                              L"%COMMON_DOCUMENTS%=C:\\Users\\Public\\Documents",
                              L"%PERSONAL%=C:\\Users\\Anna\\Documents", L"%PROGRAM_FILES%=D:\\",
                              L"%TEMP%=C:\\Users\\Anna\\AppData\\Local\\Temp",
                              L"%WINDOWS%=C:\\Windows"}));
    EXPECT_EQ(paths->VirtualNames(), TStrings{L"%DRIVES%=Dieser PC"});

    machine.current = L"C:\\Users\\Anna\\AppData\\Local\\Temp";
    machine.folderQuery = false;
    paths->MakeTheList();
    EXPECT_TRUE(paths->FolderList().empty()); // temp is the current directory
    EXPECT_TRUE(paths->VirtualNames().empty());
}

TEST_F(PBPathListTest, PathCaseIsAppliedToResolvedFolders) {
    machine.specialFolders[26] = L"c:\\users\\anna MARIA\\app-data\\roaming.DIR";
    auto paths = MakeList();
    paths->PathCase = pcUpperName;
    EXPECT_EQ(paths->GetValues(L"%APPDATA%"), L"C:\\Users\\Anna Maria\\App-Data\\Roaming.dir");
    paths->PathCase = pcUpper;
    EXPECT_EQ(paths->GetValues(L"%APPDATA%"), L"C:\\USERS\\ANNA MARIA\\APP-DATA\\ROAMING.DIR");
    paths->PathCase = pcLower;
    EXPECT_EQ(paths->GetValues(L"%APPDATA%"), L"c:\\users\\anna maria\\app-data\\roaming.dir");
}

TEST_F(PBPathListTest, FolderQuestionsBeforeLoadFromRegAreProgrammingErrors) {
    auto paths = MakeList(L"PBPathList1");
    try {
        paths->IniName();
        FAIL() << "no assertion";
    } catch (const std::logic_error& e) {
        const auto* assertion = dynamic_cast<const EAssertionFailed*>(&e);
        ASSERT_NE(assertion, nullptr);
        EXPECT_EQ(assertion->Message, L"PBPathList1.LoadFromReg muss zuerst aufgerufen werden.");
    }
    EXPECT_THROW(paths->GetDirLocal(sdProg), EAssertionFailed);
    EXPECT_THROW(paths->GetDirGlobal(sdProg), EAssertionFailed);
    EXPECT_THROW(paths->CreateDirLocal(L"", L"x"), EAssertionFailed);
    EXPECT_THROW(paths->CreateDirGlobal(L"", L"x"), EAssertionFailed);
    EXPECT_TRUE(machine.created.empty());
    EXPECT_EQ(paths->GetValues(L"%APPDATA%"),
              L"C:\\Users\\Anna\\AppData\\Roaming"); // no folder question
}

TEST_F(PBPathListTest, ChosenFoldersAreExpandedAndNormalised) {
    machine.environment[L"LINEAL"] = L"D:\\Lineal";
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"%APPDATA%\\MyRuler", L"C:\\Users\\Anna\\AppData\\Roaming\\MyRuler"},
        {L"%appdata%\\MyRuler\\", L"C:\\Users\\Anna\\AppData\\Roaming\\MyRuler"},
        {L"%Lineal%\\Daten", L"D:\\Lineal\\Daten"},
        {L"d:/Lineal//Daten/./x/..", L"d:\\Lineal\\Daten"},
        {L"  D:\\100% Lineal  ", L"D:\\100% Lineal"},
        {L"\\\\server\\share\\Lineal", L"\\\\server\\share\\Lineal"},
    };
    for (const auto& [stored, expected] : cases) {
        machine.registryText =
            L"[SettingsDir]\r\nDirTypeLocal=3\r\nUserDirLocal=" + std::wstring(stored) + L"\r\n";
        auto paths = Loaded();
        EXPECT_EQ(paths->IniName(), std::wstring(expected) + L"\\Settings.ini") << stored;
        EXPECT_TRUE(machine.HasFolder(expected));
        EXPECT_TRUE(paths->Warnings().empty());
    }
}

TEST_F(PBPathListTest, UnusableChosenFolderGivesTheDefaultPlaceAndSaysWhy) {
    std::wstring deep = L"D:";
    for (int i = 0; i < 16000; ++i)
        deep += L"\\a";
    const std::pair<std::wstring, const wchar_t*> cases[] = {
        {L"Daten", L"ist kein vollständiger Pfad"},
        {L"D:Daten", L"ist kein vollständiger Pfad"},
        {L"%NIRGENDS%\\Daten", L"enthält eine unbekannte Variable"},
        {L"D:\\%NIRGENDS%\\Daten", L"enthält eine unbekannte Variable"},
        {L"D:\\..\\Daten", L"verweist über das Laufwerk hinaus"},
        {L"D:\\" + std::wstring(MaxUserFolderLength, L'x'), L"ist zu lang"},
        {deep, L"ist zu lang"},
    };
    for (const auto& [stored, problem] : cases) {
        SCOPED_TRACE(
            std::string(stored.begin(), stored.begin() + std::min<std::size_t>(40, stored.size())));
        machine.created.clear();
        machine.registryText = L"[SettingsDir]\r\nDirTypeLocal=3\r\nUserDirLocal=" + stored +
                               L"\r\nDirTypeGlobal=3\r\nUserDirGlobal=" + stored + L"\r\n";
        auto paths = Loaded();
        EXPECT_EQ(paths->IniName(), UserFolder + L"\\Settings.ini");
        EXPECT_EQ(paths->DirTypeLocal, sdSettingsCurrentUser);
        EXPECT_EQ(paths->GetDirGlobal(paths->DirTypeGlobal), CommonFolder);
        ASSERT_EQ(paths->Warnings().size(), 2u);
        const std::wstring& warning = paths->Warnings()[0];
        EXPECT_EQ(warning.rfind(L"Der Einstellungsordner \"", 0), 0u);
        EXPECT_NE(warning.find(L" aus der Registry "), std::wstring::npos);
        EXPECT_NE(warning.find(problem), std::wstring::npos);
        EXPECT_NE(warning.find(L"Dravik verwendet stattdessen den Ordner \"" + UserFolder + L"\"."),
                  std::wstring::npos);
        EXPECT_LT(warning.size(), 400u) << "a long path is cut short";
        for (const auto& created : machine.created)
            EXPECT_TRUE(created == UserFolder || created == CommonFolder) << "nothing else is made";
    }
    // A folder that is not in use is not talked about.
    machine.registryText = L"[SettingsDir]\r\nDirTypeLocal=0\r\nUserDirLocal=Daten\r\n";
    EXPECT_TRUE(Loaded()->Warnings().empty());
}

TEST_F(PBPathListTest, HostileMarkerFileGivesTheDefaultPlace) {
    machine.registryText = L"[SettingsDir]\r\nDirTypeLocal=2\r\n";
    std::wstring deep = L"C:";
    for (int i = 0; i < 100000; ++i)
        deep += L"\\a";
    machine.AddFile(ProgramFolder + L"UseAppDir.ini",
                    L"[SettingsDir]\r\nDirTypeLocal=3\r\nUserDirLocal=" + deep + L"\r\n");
    auto paths = Loaded();
    EXPECT_EQ(paths->IniName(), UserFolder + L"\\Settings.ini");
    ASSERT_EQ(paths->Warnings().size(), 1u);
    EXPECT_NE(paths->Warnings()[0].find(L" aus der Datei \"" + ProgramFolder +
                                        L"UseAppDir.ini\" ist zu lang."),
              std::wstring::npos);

    // Too large to be a marker: not read, not the registry either, left as it is.
    machine.files[Normal(ProgramFolder + L"UseAppDir.ini")] =
        TBytes(static_cast<std::size_t>(MaxSettingsFileBytes) + 2, 'a');
    paths = Loaded();
    EXPECT_EQ(paths->IniName(), UserFolder + L"\\Settings.ini");
    ASSERT_EQ(paths->Warnings().size(), 1u);
    EXPECT_NE(paths->Warnings()[0].find(L"größer als 4 MB"), std::wstring::npos);
    EXPECT_EQ(machine.writes, 0);
}

TEST(SpecialFolders, NumbersMatchTheirPlaceAndNamesAreMarked) {
    const auto& folders = SpecialFolders();
    for (int i = 0; i < SpecialFolderCount; ++i) {
        EXPECT_EQ(folders[static_cast<std::size_t>(i)].Csidl, i);
        const std::wstring name = folders[static_cast<std::size_t>(i)].Name;
        EXPECT_TRUE(name.size() >= 2 && name.front() == L'%' && name.back() == L'%') << i;
    }
    EXPECT_STREQ(folders[26].Name, L"%APPDATA%");
    EXPECT_STREQ(folders[26].Description, L"Anwendungsdaten");
    EXPECT_STREQ(folders[35].Description, L"Alle Benutzer: Anwendungsdaten");
    EXPECT_STREQ(folders[46].Description, L"Alle Benutzer: Dokumente");
    EXPECT_STREQ(folders[5].Description, L"Eigene Dateien");
    EXPECT_STREQ(folders[61].Name, L"%COMPUTERSNEARME%");
    for (int unnamed : {15, 50, 51, 52, 60})
        EXPECT_STREQ(folders[static_cast<std::size_t>(unnamed)].Name, L"%%");
}

} // namespace
