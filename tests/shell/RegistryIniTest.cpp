// The registry back-end of the settings store on the real (Wine) registry.
#include "storage/win/RegistryIni.h"
#include "storage/MvIni.h"
#include "storage/StorageError.h"
#include "storage/win/RegistryProgData.h"

#include "StorageTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::wstring RawString(HKEY root, const std::wstring& key, const std::wstring& value) {
    wchar_t buffer[512] = {};
    DWORD size = sizeof(buffer);
    if (::RegGetValueW(root, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

class RegistryIniTest : public ::testing::Test {
  protected:
    void SetUp() override { InstallRegistryIni(); }
    void TearDown() override { SetRegistryIniFactory(nullptr); }
    TestRegistryKey key_{L"RegistryIni"};
};

TEST_F(RegistryIniTest, ValuesRoundTripAsStringValuesOfSubKeys) {
    {
        TMvIni ini(key_.Path(), sifRegistry);
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key_.Path())); // opened with create rights
        ini.WriteString(L"Settings", L"Name", L"Grüße \"Lineal\"");
        ini.WriteInteger(L"Settings", L"Left", -25);
        ini.WriteBool(L"Settings", L"Visible", true);
        ini.WriteDate(L"Update", L"LastCheck", EncodeDate(2013, 12, 24));
    }
    // Written at once, as REG_SZ text in the program's stored forms.
    EXPECT_EQ(RawString(HKEY_CURRENT_USER, key_.Path() + L"\\Settings", L"Left"), L"-25");
    EXPECT_EQ(RawString(HKEY_CURRENT_USER, key_.Path() + L"\\Settings", L"Visible"), L"1");
    EXPECT_EQ(RawString(HKEY_CURRENT_USER, key_.Path() + L"\\Update", L"LastCheck"), L"2013-12-24");

    TMvIni ini(key_.Path(), sifRegistry);
    EXPECT_EQ(ini.ReadString(L"SETTINGS", L"name", L""), L"Grüße \"Lineal\"");
    EXPECT_EQ(ini.ReadInteger(L"Settings", L"Left", 0), -25);
    EXPECT_TRUE(ini.ReadBool(L"Settings", L"Visible", false));
    EXPECT_EQ(ini.ReadDate(L"Update", L"LastCheck", 0), EncodeDate(2013, 12, 24));
    EXPECT_EQ(ini.ReadString(L"Settings", L"Missing", L"def"), L"def");
    EXPECT_EQ(ini.ReadInteger(L"NoSection", L"Left", 7), 7);
    EXPECT_FALSE(ini.ValueExists(L"Settings", L"Missing"));
    EXPECT_FALSE(ini.ValueExists(L"Settings", L""));
    EXPECT_TRUE(ini.ValueExists(L"settings", L"LEFT"));
}

TEST_F(RegistryIniTest, ListsSectionsKeysAndLines) {
    TMvIni ini(key_.Path(), sifRegistry);
    ini.WriteString(L"Colors", L"Back", L"FFFFFF");
    ini.WriteString(L"Colors", L"Fore", L"000000");
    ini.WriteString(L"SettingsDir\\C:|Tools|Ruler", L"DirTypeLocal", L"2");
    TStrings list{L"stale"};
    ini.ReadSections(list);
    EXPECT_EQ(list, (TStrings{L"Colors", L"SettingsDir"}));
    ini.ReadSection(L"Colors", list);
    EXPECT_EQ(list, (TStrings{L"Back", L"Fore"}));
    ini.ReadSectionValues(L"Colors", list);
    EXPECT_EQ(list, (TStrings{L"Back=FFFFFF", L"Fore=000000"}));
    // A "\" in a section nests sub-keys.
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key_.Path() + L"\\SettingsDir\\C:|Tools|Ruler"));
    EXPECT_EQ(ini.ReadInteger(L"SettingsDir\\C:|Tools|Ruler", L"DirTypeLocal", 0), 2);
    ini.ReadSection(L"Missing", list);
    EXPECT_TRUE(list.empty());
}

TEST_F(RegistryIniTest, DeleteKeyAndEraseSection) {
    TMvIni ini(key_.Path(), sifRegistry);
    ini.WriteString(L"A", L"One", L"1");
    ini.WriteString(L"A", L"Two", L"2");
    ini.WriteString(L"A\\Inner", L"Three", L"3");
    ini.DeleteKey(L"A", L"One");
    EXPECT_FALSE(ini.ValueExists(L"A", L"One"));
    EXPECT_TRUE(ini.ValueExists(L"A", L"Two"));
    ini.DeleteKey(L"A", L"NotThere"); // nothing to do, no error
    ini.EraseSection(L"A");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_.Path() + L"\\A"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key_.Path()));
    EXPECT_FALSE(ini.SectionExists(L"A"));
}

TEST_F(RegistryIniTest, SectionWithoutValuesIsNotErased) {
    TMvIni ini(key_.Path(), sifRegistry);
    ini.WriteString(L"Outer\\Inner", L"Key", L"x");
    EXPECT_FALSE(ini.SectionExists(L"Outer")); // a sub-key, but no values of its own
    ini.EraseSection(L"Outer");
    EXPECT_EQ(ini.ReadString(L"Outer\\Inner", L"Key", L""), L"x");
}

TEST_F(RegistryIniTest, NumbersStoredByAnInstallerReadAsText) {
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (key_.Path() + L"\\SettingsDir").c_str(), 0,
                                nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    const DWORD dword = 3;
    ::RegSetValueExW(raw, L"DirTypeLocal", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword),
                     sizeof dword);
    const BYTE binary[] = {1, 2, 3};
    ::RegSetValueExW(raw, L"Blob", 0, REG_BINARY, binary, sizeof binary);
    ::RegCloseKey(raw);

    TMvIni ini(key_.Path(), sifRegistry);
    EXPECT_EQ(ini.ReadInteger(L"SettingsDir", L"DirTypeLocal", 0), 3);
    EXPECT_EQ(ini.ReadString(L"SettingsDir", L"Blob", L"def"), L"def");
    TStrings lines;
    ini.ReadSectionValues(L"SettingsDir", lines);
    EXPECT_EQ(lines, TStrings{L"DirTypeLocal=3"});
}

TEST_F(RegistryIniTest, KeyThatCannotBeOpenedGivesDefaultsAndRefusesWrites) {
    TRegistryIniFile store(HKEY_CURRENT_USER, key_.Path() + L"\\Missing", KEY_READ, false);
    EXPECT_FALSE(store.IsOpen());
    EXPECT_EQ(store.ReadString(L"S", L"K", L"def"), L"def");
    TStrings list{L"x"};
    store.ReadSections(list);
    EXPECT_TRUE(list.empty());
    EXPECT_THROW(store.WriteString(L"S", L"K", L"v"), EStorageError);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_.Path() + L"\\Missing"));
}

// CreateRegistryProgData: HKEY_LOCAL_MACHINE when possible, else the user's hive.
class RegistryProgDataTest : public ::testing::Test {
  protected:
    TestRegistryKey key_{L"ProgData"};
};

TEST_F(RegistryProgDataTest, CurrentUserOnlyWritesBelowTheUsersHive) {
    {
        auto store = CreateRegistryProgData(key_.Path(), false, true);
        store->WriteString(L"UpdateCheck", L"LastCheck", L"2024-01-02");
    }
    EXPECT_EQ(RawString(HKEY_CURRENT_USER, key_.Path() + L"\\UpdateCheck", L"LastCheck"),
              L"2024-01-02");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key_.Path()));
}

TEST_F(RegistryProgDataTest, MachineHiveFirstAndTheUsersHiveWhenThatFails) {
    // Whether HKEY_LOCAL_MACHINE is writable depends on the rights.
    auto store = CreateRegistryProgData(key_.Path(), false, false);
    const bool machine = KeyExists(HKEY_LOCAL_MACHINE, key_.Path());
    store->WriteString(L"S", L"K", L"v");
    EXPECT_EQ(
        RawString(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key_.Path() + L"\\S", L"K"),
        L"v");

    // A volatile parent below HKEY_LOCAL_MACHINE refuses lasting children, so
    // opening there fails, whatever the rights.
    HKEY parent = nullptr;
    const std::wstring volatilePath = key_.Path() + L"\\Volatile";
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, volatilePath.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &parent, nullptr) != ERROR_SUCCESS)
        GTEST_SKIP() << "HKEY_LOCAL_MACHINE is not writable here";
    ::RegCloseKey(parent);
    {
        auto fallback = CreateRegistryProgData(volatilePath + L"\\Data", false, false);
        fallback->WriteString(L"S", L"K", L"user");
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, volatilePath + L"\\Data"));
    EXPECT_EQ(RawString(HKEY_CURRENT_USER, volatilePath + L"\\Data\\S", L"K"), L"user");
}

TEST_F(RegistryProgDataTest, PortableDataIsAMemoryStoreThatIsNeverWritten) {
    const std::wstring tempIni = GetTempDir() + L"Temp.ini";
    const bool existed = ::GetFileAttributesW(tempIni.c_str()) != INVALID_FILE_ATTRIBUTES;
    const TBytes before = ReadBytes(tempIni);
    {
        auto store = CreateRegistryProgData(key_.Path(), true, false);
        EXPECT_EQ(store->FileName(), tempIni);
        store->WriteString(L"S", L"K", L"v");
        EXPECT_EQ(store->ReadString(L"S", L"K", L""), L"v");
        store->UpdateFile();
    }
    EXPECT_EQ(::GetFileAttributesW(tempIni.c_str()) != INVALID_FILE_ATTRIBUTES, existed);
    EXPECT_EQ(ReadBytes(tempIni), before);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_.Path()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key_.Path()));
}

} // namespace
