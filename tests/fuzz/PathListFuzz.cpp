// libFuzzer target: the settings-location rules with any registry values and
// any "UseAppDir.ini" beside the program. Whatever they hold, the start ends
// with a settings file in a plain absolute folder, a few short warnings, and
// folders made only along the way to it.
#include "storage/MvMemIni.h"
#include "storage/PBPathList.h"
#include "util/PathUtils.h"
#include "util/StringUtils.h"

#include "FuzzSupport.h"

#include <set>

namespace {

const std::wstring ProgramFolder = L"C:\\Program Files\\Morvane\\Dravik\\";

struct Machine {
    MemoryFileSystem files;
    std::set<std::wstring> folders = {L"C:\\", L"D:\\", L"C:\\Users\\Anna\\AppData\\Roaming",
                                      L"C:\\ProgramData"};
    std::map<std::wstring, std::wstring> environment;
    std::wstring registryText;
    std::size_t created = 0;
};

class FakePlatform : public PathListPlatform {
  public:
    explicit FakePlatform(Machine& machine) : m(machine) {}
    bool FolderQueryAvailable() override { return true; }
    std::optional<std::wstring> FolderPath(int csidl) override {
        switch (csidl) {
        case 5:
            return L"C:\\Users\\Anna\\Documents";
        case 26:
            return L"C:\\Users\\Anna\\AppData\\Roaming";
        case 35:
            return L"C:\\ProgramData";
        default:
            return std::nullopt;
        }
    }
    std::optional<std::wstring> VirtualFolderName(int) override { return std::nullopt; }
    std::wstring TempDir() override { return L"C:\\Temp\\"; }
    std::wstring CurrentDir() override { return L"C:\\"; }
    std::wstring ProgramFile() override { return ProgramFolder + L"Dravik.exe"; }
    bool FileExists(const std::wstring& path) override { return m.files.FileExists(path); }
    bool DirectoryExists(const std::wstring& path) override { return m.folders.count(path) > 0; }
    bool DriveExists(const std::wstring& path) override {
        return path.size() < 2 || path[1] != L':' || path[0] == L'C' || path[0] == L'D';
    }
    bool CreateDirectories(const std::wstring& path) override {
        return CreateFolderWithParents(
            path, [&](const std::wstring& p) { return m.folders.count(p) > 0; },
            [&](const std::wstring& p) {
                Check(++m.created < 200); // never one level per character of a hostile path
                m.folders.insert(p);
                return true;
            });
    }
    std::optional<std::wstring> EnvironmentVariable(const std::wstring& name) override {
        const auto it = m.environment.find(UpperCaseText(name));
        if (it == m.environment.end()) return std::nullopt;
        return it->second;
    }
    std::unique_ptr<TCustomIniFile> OpenProgramRegistry(const std::wstring&, bool) override {
        auto store = std::make_unique<TMvMemIniFile>(L"", TIniTextEncoding::Utf16LE);
        store->SetText(m.registryText);
        return store;
    }

  private:
    Machine& m;
};

// A user folder in use is plain and absolute, or the program's folder.
void CheckFolder(const std::wstring& folder) {
    if (folder == ProgramFolder) return;
    Check(NormaliseAbsolutePath(folder, MaxUserFolderLength).Path == folder);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Machine machine;
    InstalledFileSystem installed(machine.files);
    const std::wstring alphabet = L"[]=\r\nSettingsDirTypeLocalGlobalUserDir0123%APPDATA%C:\\.. /";
    if (in.ConsumeBool()) machine.environment[L"LINEAL"] = TakeWord(in, 40, alphabet);
    machine.registryText = TakeWord(in, 600, alphabet);
    if (in.ConsumeBool()) {
        const bool raw = in.ConsumeBool();
        const std::wstring text = TakeWord(in, 600, alphabet);
        TBytes bytes{0xFF, 0xFE};
        const TBytes body = raw ? in.ConsumeBytes<std::uint8_t>(600) : EncodeUtf16LE(text);
        bytes.insert(bytes.end(), body.begin(), body.end());
        machine.files.Files[ProgramFolder + L"UseAppDir.ini"] = bytes;
    }
    const auto markerOf = [&] {
        const auto it = machine.files.Files.find(ProgramFolder + L"UseAppDir.ini");
        return it == machine.files.Files.end() ? TBytes{'-'} : it->second;
    };
    const TBytes markerBefore = markerOf();

    TPBPathList paths(std::make_unique<FakePlatform>(machine));
    paths.DirTypeLocal = sdSettingsCurrentUser;
    paths.DirTypeGlobal = sdSettingsAllUser;
    paths.FSubDirDocSettings = L"Morvane\\Dravik";
    paths.AppVersion = in.ConsumeBool() ? L"" : L"2.2";
    paths.LoadFromReg(L"Software\\Morvane\\Dravik", false);

    const std::wstring iniName = paths.IniName();
    const std::wstring name = L"\\Settings.ini";
    Check(iniName.size() > name.size() &&
          iniName.compare(iniName.size() - name.size(), name.size(), name) == 0);
    if (paths.DirTypeLocal == sdUserDefined) CheckFolder(paths.UserDirLocal);
    if (paths.DirTypeGlobal == sdUserDefined) CheckFolder(paths.UserDirGlobal);
    Check(paths.Warnings().size() <= 3);
    for (const auto& warning : paths.Warnings())
        Check(!warning.empty() && warning.size() < 600);
    Check(markerOf() == markerBefore);
    return 0;
}
