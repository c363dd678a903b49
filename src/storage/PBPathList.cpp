#include "storage/PBPathList.h"

#include "util/AssertionFailed.h"
#include "util/LocalText.h"
#include "util/PathUtils.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <iterator>

namespace {

// Shell folders without a file-system path: only a display name is kept.
bool IsVirtualFolder(const std::wstring& name) {
    static const wchar_t* const names[] = {L"%DESKTOP%",   L"%INTERNET%",    L"%CONTROLS%",
                                           L"%PRINTERS%",  L"%BITBUCKET%",   L"%MYDOCUMENTS%",
                                           L"%DRIVES%",    L"%NETWORK%",     L"%FONTS%",
                                           L"%PRINTHOOD%", L"%CONNECTIONS%", L"%COMPUTERSNEARME%"};
    return std::any_of(std::begin(names), std::end(names),
                       [&](const wchar_t* n) { return name == n; });
}

// The related folder that stands in for a missing one.
const wchar_t* SubstituteFor(const std::wstring& name) {
    static const std::pair<const wchar_t*, const wchar_t*> table[] = {
        {L"%MYDOCUMENTS%", L"%PERSONAL%"},
        {L"%MYMUSIC%", L"%PERSONAL%"},
        {L"%MYVIDEO%", L"%PERSONAL%"},
        {L"%MYPICTURES%", L"%PERSONAL%"},
        {L"%COMMON_DOCUMENTS%", L"%PERSONAL%"},
        {L"%COMMON_STARTMENU%", L"%STARTMENU%"},
        {L"%COMMON_PROGRAMS%", L"%PROGRAMS%"},
        {L"%COMMON_STARTUP%", L"%STARTUP%"},
        {L"%ALTSTARTUP%", L"%STARTUP%"},
        {L"%COMMON_DESKTOPDIRECTORY%", L"%DESKTOPDIRECTORY%"},
        {L"%COMMON_ALTSTARTUP%", L"%ALTSTARTUP%"},
        {L"%COMMON_FAVORITES%", L"%FAVORITES%"},
        {L"%COMMON_APPDATA%", L"%APPDATA%"},
        {L"%PROGRAM_FILES_COMMON%", L"%PROGRAM_FILES%"},
        {L"%PROGRAM_FILES_COMMONX86%", L"%PROGRAM_FILESX86%"},
        {L"%COMMON_TEMPLATES%", L"%TEMPLATES%"},
        {L"%COMMON_ADMINTOOLS%", L"%ADMINTOOLS%"},
        {L"%COMMON_MUSIC%", L"%MYMUSIC%"},
        {L"%COMMON_PICTURES%", L"%MYPICTURES%"},
        {L"%COMMON_VIDEO%", L"%MYVIDEO%"},
        {L"%RESOURCES_LOCALIZED%", L"%RESOURCES%"},
    };
    for (const auto& [missing, substitute] : table)
        if (name == missing) return substitute;
    return nullptr;
}

// "C:\Data\" -> "C:\Data", but a drive root keeps its "\" ("C:\").
std::wstring WithoutTrailingBackslash(std::wstring path) {
    if (path.size() > 1 && path.back() == L'\\' && !(path.size() == 3 && path[1] == L':'))
        path.pop_back();
    return path;
}

bool IsWordChar(wchar_t ch) {
    return UpperCaseChar(ch) != LowerCaseChar(ch) || (ch >= L'0' && ch <= L'9');
}

// Each word capitalised, the file extension in lower case.
std::wstring UpperName(const std::wstring& path) {
    std::wstring result = LowerCaseText(path);
    const auto lastSeparator = result.find_last_of(L"\\:");
    const auto dot = result.find_last_of(L'.');
    const bool hasExtension =
        dot != std::wstring::npos && (lastSeparator == std::wstring::npos || dot > lastSeparator);
    const std::size_t end = hasExtension ? dot : result.size();
    for (std::size_t i = 0; i < end; ++i)
        if (i == 0 || !IsWordChar(result[i - 1])) result[i] = UpperCaseChar(result[i]);
    return result;
}

TStrings AsLines(const std::map<std::wstring, std::wstring>& entries) {
    TStrings lines;
    for (const auto& [name, value] : entries)
        lines.push_back(name + L"=" + value);
    return lines;
}

// The hourglass for the lifetime of the guard.
class BusyCursor {
  public:
    explicit BusyCursor(PathListPlatform& platform) : m_platform(platform) {
        m_platform.BeginBusy();
    }
    ~BusyCursor() { m_platform.EndBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    PathListPlatform& m_platform;
};

const wchar_t* const SettingsSection = L"SettingsDir";

constexpr LocalText kFolderRefused{
    L"Der Einstellungsordner %1 aus %2 %3. Dravik verwendet stattdessen den Ordner %4.",
    L"The settings folder %1 from %2 %3. Dravik uses the folder %4 instead."};
constexpr LocalText kFromRegistry{L"der Registry", L"the registry"};
constexpr LocalText kFromFile{L"der Datei %1", L"the file %1"};
constexpr LocalText kUnknownVariable{L"enthält eine unbekannte Variable",
                                     L"contains an unknown variable"};
constexpr LocalText kDefaultFoldersUsed{L"%1 Dravik verwendet die voreingestellten Ordner.",
                                        L"%1 Dravik uses the default folders."};
constexpr LocalText kLoadFirst{L"%1.LoadFromReg muss zuerst aufgerufen werden.",
                               L"%1.LoadFromReg must be called first."};

// A path as a message shows it: a hostile one may be very long.
std::wstring Shown(const std::wstring& path) {
    std::size_t limit = 80;
    if (path.size() <= limit) return L"\"" + path + L"\"";
    // Not between the two halves of a character beyond the BMP.
    if (path[limit - 1] >= 0xD800 && path[limit - 1] <= 0xDBFF) --limit;
    return L"\"" + path.substr(0, limit) + L"…\"";
}

} // namespace

int SettingsDirToInt(TSettingsDirType type) {
    return static_cast<int>(type);
}

TSettingsDirType IntToSettingsDir(int value) {
    switch (value) {
    case 1:
        return sdSettingsAllUser;
    case 2:
        return sdProg;
    case 3:
        return sdUserDefined;
    default:
        return sdSettingsCurrentUser;
    }
}

TPBPathList::TPBPathList(std::unique_ptr<PathListPlatform> platform, std::wstring name)
    : m_platform(std::move(platform)), m_name(std::move(name)) {
    MakeTheList();
}

void TPBPathList::MakeTheList() {
    m_folders.clear();
    m_virtualNames.clear();
    if (m_platform->FolderQueryAvailable()) {
        for (const auto& folder : SpecialFolders()) {
            const std::wstring name = folder.Name;
            if (name == L"%%") continue;
            const auto path = m_platform->FolderPath(folder.Csidl);
            if (path && !path->empty()) {
                m_folders[name] = WithoutTrailingBackslash(*path);
            } else if (IsVirtualFolder(name)) {
                const auto display = m_platform->VirtualFolderName(folder.Csidl);
                if (display) m_virtualNames[name] = *display;
            }
        }
    }
    const std::wstring temp = WithoutTrailingBackslash(m_platform->TempDir());
    if (!temp.empty() && !SameDir(temp, m_platform->CurrentDir())) m_folders[L"%TEMP%"] = temp;
}

TStrings TPBPathList::FolderList() const {
    return AsLines(m_folders);
}

TStrings TPBPathList::VirtualNames() const {
    return AsLines(m_virtualNames);
}

std::wstring TPBPathList::ApplyPathCase(const std::wstring& path) const {
    switch (PathCase) {
    case pcLower:
        return LowerCaseText(path);
    case pcUpper:
        return UpperCaseText(path);
    case pcUpperName:
        return UpperName(path);
    case pcDontCare:
    default:
        return path;
    }
}

std::wstring TPBPathList::AppDir() {
    const std::wstring program = m_platform->ProgramFile();
    const auto separator = program.find_last_of(L"\\:");
    if (separator == std::wstring::npos) return {};
    return MustEndsWith(L'\\', program.substr(0, separator + 1));
}

std::wstring TPBPathList::GetValues(const std::wstring& name) {
    const std::wstring key = UpperCaseText(name);
    const auto found = m_folders.find(key);
    std::wstring value = found == m_folders.end() ? std::wstring() : ApplyPathCase(found->second);
    if (value.empty() && SimulateNotFound) {
        // The table has no cycles, so the chain ends.
        if (const wchar_t* substitute = SubstituteFor(key)) value = GetValues(substitute);
        if (value.empty()) value = AppDir();
    }
    return value;
}

void TPBPathList::AssertRegLoaded() const {
    if (!m_regLoaded) throw EAssertionFailed(FormatText(kLoadFirst, {m_name}));
}

std::wstring TPBPathList::FolderOfKind(TSettingsDirType dirType, const std::wstring& subDir,
                                       const std::wstring& userDir) {
    AssertRegLoaded();
    switch (dirType) {
    case sdSettingsCurrentUser:
        return ConcatPath(GetValues(UseAppDataDir ? L"%APPDATA%" : L"%PERSONAL%"),
                          FSubDirDocSettings, subDir);
    case sdSettingsAllUser:
        return ConcatPath(GetValues(UseAppDataDir ? L"%COMMON_APPDATA%" : L"%COMMON_DOCUMENTS%"),
                          FSubDirDocSettings, subDir);
    case sdProg:
        return ConcatPath(AppDir(), subDir);
    case sdUserDefined:
    default:
        return userDir;
    }
}

std::wstring TPBPathList::GetDirLocal(TSettingsDirType dirType) {
    return FolderOfKind(dirType, SubDirLocal, UserDirLocal);
}

std::wstring TPBPathList::GetDirGlobal(TSettingsDirType dirType) {
    return FolderOfKind(dirType, SubDirGlobal, UserDirGlobal);
}

std::wstring TPBPathList::CreateDir(const std::wstring& folder, const std::wstring& fileName,
                                    bool& exists) {
    {
        BusyCursor busy(*m_platform);
        if (!m_platform->DriveExists(folder))
            exists = false;
        else if (!m_platform->DirectoryExists(folder))
            exists = m_platform->CreateDirectories(folder);
        else
            exists = true;
    }
    return ConcatPath(folder, fileName);
}

std::wstring TPBPathList::CreateDirLocal(const std::wstring& additionalPath,
                                         const std::wstring& fileName) {
    return CreateDir(ConcatPath(GetDirLocal(DirTypeLocal), additionalPath), fileName,
                     m_pathLocalExists);
}

std::wstring TPBPathList::CreateDirGlobal(const std::wstring& additionalPath,
                                          const std::wstring& fileName) {
    return CreateDir(ConcatPath(GetDirGlobal(DirTypeGlobal), additionalPath), fileName,
                     m_pathGlobalExists);
}

std::wstring TPBPathList::GetIniExtension() const {
    return IniFormat == sifXML ? L".xml" : L".ini";
}

std::wstring TPBPathList::GetUseAppDirIni() {
    return ConcatPath(AppDir(), L"UseAppDir.ini");
}

std::wstring TPBPathList::ExpandVariables(const std::wstring& text) {
    std::wstring result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find(L'%', pos);
        const std::size_t close = open == std::wstring::npos ? open : text.find(L'%', open + 1);
        if (close == std::wstring::npos) break;
        const std::wstring name = text.substr(open, close - open + 1);
        std::optional<std::wstring> value;
        if (const auto folder = m_folders.find(UpperCaseText(name)); folder != m_folders.end())
            value = ApplyPathCase(folder->second);
        else if (name.size() > 2)
            value = m_platform->EnvironmentVariable(name.substr(1, name.size() - 2));
        if (!value) { // not a variable: the "%" is text, the second may open one
            result.append(text, pos, close - pos);
            pos = close;
            continue;
        }
        result.append(text, pos, open - pos);
        result += *value;
        pos = close + 1;
    }
    if (pos < text.size()) result.append(text, pos, std::wstring::npos);
    return result;
}

void TPBPathList::TakeUserFolder(TCustomIniFile* source, const std::wstring& section,
                                 const wchar_t* key, const std::wstring& origin,
                                 const std::wstring& subDir, TSettingsDirType defaultKind,
                                 TSettingsDirType& dirType, std::wstring& userDir) {
    // Missing or empty: the program's folder. An empty choice would otherwise put
    // the settings in whatever the current directory is.
    const std::wstring programFolder = AppDir();
    userDir = programFolder;
    const std::wstring stored = source ? source->ReadString(section, key, L"") : L"";
    if (stored.empty()) return;
    const std::wstring expanded = ExpandVariables(stored);
    std::wstring problem;
    if (expanded.find(L'%') != std::wstring::npos &&
        expanded.find(L'%', expanded.find(L'%') + 1) != std::wstring::npos)
        problem = kUnknownVariable();
    const TNormalisedPath checked =
        problem.empty() ? NormaliseAbsolutePath(expanded, MaxUserFolderLength) : TNormalisedPath{};
    if (problem.empty() && checked.Problem.empty()) {
        userDir = checked.Path;
        return;
    }
    if (problem.empty()) problem = checked.Problem;
    if (dirType != sdUserDefined) return; // not in use: nothing to say
    dirType = defaultKind;
    m_warnings.push_back(
        FormatText(kFolderRefused, {Shown(stored), origin, problem,
                                    Shown(FolderOfKind(dirType, subDir, userDir))}));
}

void TPBPathList::LoadFromReg(const std::wstring& mainKey, bool isPortableVer) {
    const std::unique_ptr<TCustomIniFile> registry =
        m_platform->OpenProgramRegistry(mainKey, isPortableVer);
    m_regLoaded = true;
    m_warnings.clear();

    std::wstring section = SettingsSection + AppVersion;
    if (registry)
        SettingsPerInstance =
            registry->ReadBool(SettingsSection, L"SettingsPerInstance", SettingsPerInstance);

    std::unique_ptr<TMvIni> marker;
    TCustomIniFile* source = registry.get();
    std::wstring origin = kFromRegistry();
    const std::wstring markerFile = GetUseAppDirIni();
    if (m_platform->FileExists(markerFile)) {
        marker = std::make_unique<TMvIni>(markerFile, IniFormat);
        source = marker.get();
        origin = FormatText(kFromFile, {Shown(markerFile)});
        // An unreadable marker still says "not the registry": the defaults apply.
        const std::wstring markerError = marker->LoadError();
        if (!markerError.empty())
            m_warnings.push_back(FormatText(kDefaultFoldersUsed, {markerError}));
    } else if (SettingsPerInstance) {
        std::wstring folder = AppDir();
        std::replace(folder.begin(), folder.end(), L'\\', L'|');
        if (!folder.empty() && folder.back() == L'|') folder.pop_back();
        section += L"\\" + folder;
    }

    if (source) {
        DirTypeLocal = IntToSettingsDir(
            source->ReadInteger(section, L"DirTypeLocal", SettingsDirToInt(DirTypeLocal)));
        DirTypeGlobal = IntToSettingsDir(
            source->ReadInteger(section, L"DirTypeGlobal", SettingsDirToInt(DirTypeGlobal)));
    }
    TakeUserFolder(source, section, L"UserDirLocal", origin, SubDirLocal, sdSettingsCurrentUser,
                   DirTypeLocal, UserDirLocal);
    TakeUserFolder(source, section, L"UserDirGlobal", origin, SubDirGlobal, sdSettingsAllUser,
                   DirTypeGlobal, UserDirGlobal);

    CreateDirLocal(L"", L"");
    CreateDirGlobal(L"", L"");
    // The marker file is only read: releasing its store writes nothing.
}

std::wstring TPBPathList::IniName() {
    AssertRegLoaded();
    const std::wstring besideProgram =
        ChangeFileExtMV(m_platform->ProgramFile(), GetIniExtension());
    if (m_platform->FileExists(besideProgram)) return besideProgram;
    return CreateDirLocal(L"", L"Settings" + GetIniExtension());
}
