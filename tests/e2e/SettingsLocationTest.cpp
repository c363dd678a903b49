// Where the settings file is, when the place chosen for it is hostile, and
// what crashed saves left beside it.
#include "../common/ProgramRegistry.h"
#include "DravikProcess.h"
#include "Screen.h"
#include "storage/win/Win32Storage.h"
#include "util/StringUtils.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

namespace {

const wchar_t* const ProgramKey = L"Software\\Morvane\\Dravik";

std::wstring AppDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE);
    return folder;
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The program's "SettingsDir" section in whichever hive it reads, written by
// the test and removed again from both, also when the test fails.
class SettingsDirChoice {
  public:
    SettingsDirChoice() {
        InstallWin32Storage();
        Remove();
    }
    ~SettingsDirChoice() { Remove(); }
    SettingsDirChoice(const SettingsDirChoice&) = delete;
    SettingsDirChoice& operator=(const SettingsDirChoice&) = delete;

    void Write(const std::wstring& folder, DWORD type) {
        ASSERT_TRUE(
            WriteProgramRegistryText(ProgramKey, L"SettingsDir", L"DirTypeLocal", REG_SZ, L"3"));
        ASSERT_TRUE(
            WriteProgramRegistryText(ProgramKey, L"SettingsDir", L"UserDirLocal", type, folder));
    }

  private:
    static void Remove() {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            ::RegDeleteTreeW(root, (std::wstring(ProgramKey) + L"\\SettingsDir").c_str());
    }
};

// The ruler is up and says where its settings are; the warning box names the
// folder that could not be used. Returns the box's text, the box closed.
std::wstring CloseWarning(DravikProcess& dravik) {
    HWND box = nullptr;
    const std::wstring text = dravik.WaitForMessageBox(10000, &box);
    if (box) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
}

} // namespace

TEST(SettingsLocation, LeftoversOfACrashedSaveAreGoneAfterStart) {
    const TBytes leftover = Utf16File(L"[Settings]\r\nWidth=777\r\n");
    DravikProcess dravik({.Files = {{L"Dravik.ini.tmp-999-12345", leftover},
                                    {L"Notizen.ini.tmp-999-12345", leftover}}});
    EXPECT_EQ(::GetFileAttributesW((dravik.Folder() + L"\\Dravik.ini.tmp-999-12345").c_str()),
              INVALID_FILE_ATTRIBUTES);
    // Another program's file of the same pattern stays.
    EXPECT_NE(::GetFileAttributesW((dravik.Folder() + L"\\Notizen.ini.tmp-999-12345").c_str()),
              INVALID_FILE_ATTRIBUTES);
    KeepScreenshotIfFailed();
}

TEST(SettingsLocation, AHugeMarkerFolderGivesTheDefaultPlaceAndAGermanWarning) {
    std::wstring deep = L"C:";
    for (int i = 0; i < 100000; ++i)
        deep += L"\\a";
    // The folder is refused, not walked: the ruler is up as soon as ever.
    DravikProcess dravik({.PortableSettings = false,
                          .Files = {{L"UseAppDir.ini",
                                     Utf16File(L"[SettingsDir]\r\nDirTypeLocal=3\r\nUserDirLocal=" +
                                               deep + L"\r\n")}}});
    EXPECT_NE(CloseWarning(dravik).find(L"Einstellungsordner"), std::wstring::npos);
    EXPECT_TRUE(::IsWindowVisible(dravik.Ruler()));
    EXPECT_TRUE(SameTextIgnoreCase(dravik.Ask(L"ininame"),
                                   AppDataFolder() + L"\\Morvane\\Dravik\\Settings.ini"));
    KeepScreenshotIfFailed();
}

TEST(SettingsLocation, HostileRegistryFoldersGiveTheDefaultPlaceOrTheExpandedOne) {
    SettingsDirChoice choice;
    std::wstring deep = L"C:";
    for (int i = 0; i < 16000; ++i)
        deep += L"\\a";
    choice.Write(deep, REG_SZ);
    {
        DravikProcess dravik({.PortableSettings = false});
        EXPECT_NE(CloseWarning(dravik).find(L"Einstellungsordner"), std::wstring::npos);
        EXPECT_TRUE(::IsWindowVisible(dravik.Ruler()));
        EXPECT_TRUE(SameTextIgnoreCase(dravik.Ask(L"ininame"),
                                       AppDataFolder() + L"\\Morvane\\Dravik\\Settings.ini"));
        KeepScreenshotIfFailed();
    }
    // As an installer or a person with regedit writes it.
    const std::wstring name = L"MyRuler-" + std::to_wstring(::GetCurrentProcessId());
    choice.Write(L"%APPDATA%\\" + name, REG_EXPAND_SZ);
    const std::wstring expanded = AppDataFolder() + L"\\" + name;
    {
        DravikProcess dravik({.PortableSettings = false});
        EXPECT_TRUE(SameTextIgnoreCase(dravik.Ask(L"ininame"), expanded + L"\\Settings.ini"));
        EXPECT_TRUE(FolderExists(expanded));
        EXPECT_FALSE(FolderExists(dravik.Folder() + L"\\%APPDATA%"));
        KeepScreenshotIfFailed();
    }
    ::RemoveDirectoryW(expanded.c_str());
}
