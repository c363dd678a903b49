#pragma once
// Where the program keeps its settings file. The list resolves the system's
// special folders once, reads the user's folder choice (registry, or a marker
// file "UseAppDir.ini" beside the program file), creates the settings folders and
// answers IniName. Everything it needs from the system comes through
// PathListPlatform, so the rules run and are tested without Windows.
#include "storage/CustomIniFile.h"
#include "storage/MvIni.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

enum TSettingsDirType {
    sdSettingsCurrentUser = 0, // the user's application data (or documents) + sub-folders
    sdSettingsAllUser = 1,     // the common application data (or documents) + sub-folders
    sdProg = 2,                // the program file's folder + the local/global sub-folder
    sdUserDefined = 3,         // UserDirLocal / UserDirGlobal
};
int SettingsDirToInt(TSettingsDirType type);
// 1, 2, 3 map to themselves, any other number to sdSettingsCurrentUser.
TSettingsDirType IntToSettingsDir(int value);

// How resolved folder paths are cased before use.
enum TPathCase { pcDontCare, pcLower, pcUpper, pcUpperName };

// One of the system's special folders: its number, its "%NAME%" ("%%" for a
// number without a name) and a German description.
struct TSpecialFolder {
    int Csidl;
    const wchar_t* Name;
    const wchar_t* Description;
};
constexpr int SpecialFolderCount = 62;
const std::array<TSpecialFolder, SpecialFolderCount>& SpecialFolders();

// The answers of the system. Paths are Windows paths ("\" separated).
class PathListPlatform {
  public:
    virtual ~PathListPlatform() = default;
    // The shell-folder library and its folder query are there.
    virtual bool FolderQueryAvailable() = 0;
    // The current path of a special folder; nothing when it has none.
    virtual std::optional<std::wstring> FolderPath(int csidl) = 0;
    // The display name of a virtual shell folder (one without a file-system path).
    virtual std::optional<std::wstring> VirtualFolderName(int csidl) = 0;
    virtual std::wstring TempDir() = 0;
    virtual std::wstring CurrentDir() = 0;
    // The program file's full path.
    virtual std::wstring ProgramFile() = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    virtual bool DirectoryExists(const std::wstring& path) = 0;
    // False only when the path names a drive ("X:...") that does not exist.
    virtual bool DriveExists(const std::wstring& path) = 0;
    // Creates the folder with all missing parents; true when it exists afterwards.
    virtual bool CreateDirectories(const std::wstring& path) = 0;
    // The value of an environment variable; nothing when it is not set.
    virtual std::optional<std::wstring> EnvironmentVariable(const std::wstring& name) = 0;
    // The program's registry data for mainKey: below HKEY_LOCAL_MACHINE when that
    // key can be opened with the right to create it, else below HKEY_CURRENT_USER.
    // portable: a memory store on "Temp.ini" in the temporary folder, never written.
    // Nothing (or a store that only gives defaults) when neither can be opened.
    virtual std::unique_ptr<TCustomIniFile> OpenProgramRegistry(const std::wstring& mainKey,
                                                                bool portable) = 0;
    // The hourglass while folders are checked and created.
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
};

// The longest settings folder a person may choose: with a "\" and a file name
// of 12 characters ("Settings.ini", and the save's temporary files) it stays
// below MAX_PATH.
constexpr std::size_t MaxUserFolderLength = 240;

class TPBPathList {
  public:
    // Builds the folder list at once. name is the component's name, used in the
    // assertion message.
    explicit TPBPathList(std::unique_ptr<PathListPlatform> platform, std::wstring name = L"Paths");

    // Reads the folder choice and creates the local and the global folder. Must run
    // before any folder question. The program calls it with "Software\Morvane\Dravik"
    // and false.
    // A chosen folder (UserDirLocal, UserDirGlobal) may name special folders and
    // environment variables ("%APPDATA%\Lineal"); they are expanded, and it must
    // then be an absolute path of at most MaxUserFolderLength characters. A folder
    // that is not, while its kind is sdUserDefined, gives way to the default kind
    // (sdSettingsCurrentUser, sdSettingsAllUser), and Warnings() says so; so does
    // a marker file that cannot be read.
    void LoadFromReg(const std::wstring& mainKey, bool isPortableVer);

    // German texts for the user about choices that LoadFromReg could not follow.
    const TStrings& Warnings() const { return m_warnings; }

    // The settings file: "<program>.ini" beside the program file when that exists,
    // else "Settings.ini" in the local folder (created when missing). Asked anew for
    // every load and save.
    std::wstring IniName();

    // The folder of a kind, not created.
    std::wstring GetDirLocal(TSettingsDirType dirType);
    std::wstring GetDirGlobal(TSettingsDirType dirType);
    // The folder of the current kind joined with additionalPath, created when
    // missing, joined with fileName.
    std::wstring CreateDirLocal(const std::wstring& additionalPath, const std::wstring& fileName);
    std::wstring CreateDirGlobal(const std::wstring& additionalPath, const std::wstring& fileName);

    // ".xml" for sifXML, else ".ini".
    std::wstring GetIniExtension() const;
    // The marker file beside the program file.
    std::wstring GetUseAppDirIni();

    // A special folder by "%NAME%", with the substitutions of SimulateNotFound.
    std::wstring GetValues(const std::wstring& name);

    // The resolved special folders, "%NAME%=path", sorted.
    TStrings FolderList() const;
    // Virtual shell folders, "%NAME%=display name", sorted.
    TStrings VirtualNames() const;
    // Rebuilds both lists from the platform (done at creation).
    void MakeTheList();

    const std::wstring& Name() const { return m_name; }
    // The program file's folder with a trailing "\".
    std::wstring AppDir();

    // Configuration, as properties of the component.
    bool UseAppDataDir = true;
    TSettingsDirType DirTypeLocal = sdProg;
    TSettingsDirType DirTypeGlobal = sdProg;
    bool SettingsPerInstance = false;
    std::wstring FSubDirDocSettings; // e.g. "Morvane\Dravik"
    std::wstring SubDirLocal;
    std::wstring SubDirGlobal;
    std::wstring AppVersion; // suffix of the registry section name
    std::wstring UserDirLocal;
    std::wstring UserDirGlobal;
    TMvIniFormat IniFormat = sifUnicode;
    TPathCase PathCase = pcDontCare;
    bool SimulateNotFound = true;

    // State.
    bool RegLoaded() const { return m_regLoaded; }
    bool PathLocalExists() const { return m_pathLocalExists; }
    bool PathGlobalExists() const { return m_pathGlobalExists; }

  private:
    void AssertRegLoaded() const;
    std::wstring FolderOfKind(TSettingsDirType dirType, const std::wstring& subDir,
                              const std::wstring& userDir);
    std::wstring CreateDir(const std::wstring& folder, const std::wstring& fileName, bool& exists);
    std::wstring ApplyPathCase(const std::wstring& path) const;
    std::wstring ExpandVariables(const std::wstring& text);
    // The chosen folder of a kind, checked; falls back as LoadFromReg describes.
    void TakeUserFolder(TCustomIniFile* source, const std::wstring& section, const wchar_t* key,
                        const std::wstring& origin, const std::wstring& subDir,
                        TSettingsDirType defaultKind, TSettingsDirType& dirType,
                        std::wstring& userDir);

    std::unique_ptr<PathListPlatform> m_platform;
    std::wstring m_name;
    std::map<std::wstring, std::wstring> m_folders;      // "%NAME%" -> path
    std::map<std::wstring, std::wstring> m_virtualNames; // "%NAME%" -> display name
    bool m_regLoaded = false;
    bool m_pathLocalExists = false;
    bool m_pathGlobalExists = false;
    TStrings m_warnings;
};
