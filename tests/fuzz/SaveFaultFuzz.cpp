// libFuzzer target: the last step of a save, with the file system failing
// wherever the input says. Whatever fails, afterwards the old or the new file
// is in the target's place, or both copies are kept; a success means the new
// file is there. And clearing a crashed save's leftovers touches our files only.
#include "storage/MvMemIni.h"
#include "storage/SaveFiles.h"
#include "util/StringUtils.h"

#include "FuzzSupport.h"

#include <filesystem>
#include <set>

#include <unistd.h>

namespace {

const std::wstring Target = L"/mem/Settings.ini";
const TBytes Old = {'o', 'l', 'd'};
const TBytes New = {'n', 'e', 'w'};

// ReplaceFileW and friends on a map of files, each step failing when told.
class FaultySteps : public TReplaceSteps {
  public:
    FaultySteps(FuzzedDataProvider& in, std::map<std::wstring, TBytes>& files)
        : m_in(in), m_files(files) {}
    bool Exists(const std::wstring& path) override { return m_files.count(path) > 0; }
    bool ReplaceWithBackup(const std::wstring& temp, const std::wstring& target,
                           const std::wstring& backup) override {
        if (!Exists(temp) || !Exists(target)) return false;
        switch (m_in.ConsumeIntegralInRange<int>(0, 4)) {
        case 0: // done
            Rename(target, backup);
            Rename(temp, target);
            return true;
        case 1: // refused before doing anything
            return false;
        case 2: // the target went to the backup name, the new file stayed
            Rename(target, backup);
            return false;
        case 3: // a copy of the target as backup, then refused
            m_files[backup] = m_files[target];
            return false;
        default: // done, but reported as failed
            Rename(target, backup);
            Rename(temp, target);
            return false;
        }
    }
    bool Move(const std::wstring& from, const std::wstring& to) override {
        if (!Exists(from) || m_in.ConsumeBool()) return false;
        m_files[to] = m_files[from];
        m_files.erase(from);
        return true;
    }
    bool Remove(const std::wstring& path) override {
        if (m_in.ConsumeIntegralInRange<int>(0, 3) == 0) return false;
        return m_files.erase(path) > 0;
    }
    std::wstring LastErrorText() override { return L"Zugriff verweigert"; }

  private:
    void Rename(const std::wstring& from, const std::wstring& to) {
        m_files[to] = m_files[from];
        m_files.erase(from);
    }
    FuzzedDataProvider& m_in;
    std::map<std::wstring, TBytes>& m_files;
};

bool Holds(const std::map<std::wstring, TBytes>& files, const std::wstring& path,
           const TBytes& content) {
    const auto it = files.find(path);
    return it != files.end() && it->second == content;
}

void PutInPlace(FuzzedDataProvider& in) {
    std::map<std::wstring, TBytes> files;
    const bool hadTarget = in.ConsumeBool();
    if (hadTarget) files[Target] = Old;
    const std::wstring temp = SaveTempPath(Target, in.ConsumeIntegral<std::uint8_t>());
    const std::wstring backup = SaveBackupPath(temp);
    files[temp] = New;
    FaultySteps steps(in, files);
    bool failed = false;
    try {
        PutFileInPlace(steps, temp, Target, backup);
    } catch (const EStorageError& e) {
        failed = true;
        Check(e.Message.find(L"kann nicht ersetzt werden") != std::wstring::npos);
    }
    if (!failed) {
        Check(Holds(files, Target, New));
        return;
    }
    if (files.count(Target)) {
        Check(Holds(files, Target, Old) || Holds(files, Target, New));
    } else {
        // Nothing in place: the new file must still be there, and the old one
        // too when there was one.
        Check(Holds(files, temp, New));
        if (hadTarget) Check(Holds(files, backup, Old));
    }
}

bool IsOurs(const std::wstring& name) {
    const std::wstring upper = UpperCaseText(name);
    const std::wstring earlier = L"SETTINGS.INI.TMP-";
    if (upper.rfind(earlier, 0) == 0 && upper.size() > earlier.size())
        return upper.find_first_not_of(L"0123456789ABCDEF-", earlier.size()) == std::wstring::npos;
    static const std::set<std::wstring> ours = [] {
        std::set<std::wstring> names;
        for (unsigned sequence = 0; sequence < 256; ++sequence) {
            const std::wstring temp = SaveTempPath(Target, sequence);
            names.insert(UpperCaseText(NameOfFile(temp)));
            names.insert(UpperCaseText(NameOfFile(SaveBackupPath(temp))));
        }
        return names;
    }();
    return ours.count(upper) > 0;
}

void Cleanup(FuzzedDataProvider& in) {
    MemoryFileSystem fs;
    if (in.ConsumeBool()) fs.Files[Target] = Old;
    const std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 12);
    for (std::size_t i = 0; i < count; ++i) {
        std::wstring name;
        switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            name = NameOfFile(SaveTempPath(Target, in.ConsumeIntegral<std::uint8_t>()));
            break;
        case 1:
            name = NameOfFile(
                SaveBackupPath(SaveTempPath(Target, in.ConsumeIntegral<std::uint8_t>())));
            break;
        case 2:
            name = L"Settings.ini.tmp-" + TakeWord(in, 8, L"0123456789abcdefx-.");
            break;
        default:
            name = TakeWord(in, 16, L"~Settings.initmpbak-0123456789abcdef");
            break;
        }
        if (name.empty() || name.find(L'/') != std::wstring::npos) continue;
        if (UpperCaseText(name) == L"SETTINGS.INI") continue;
        fs.Files[L"/mem/" + name] = {static_cast<std::uint8_t>(i)};
    }
    const auto before = fs.Files;
    const TSaveCleanup cleanup = RemoveStaleSaveFiles(fs, Target);
    for (const auto& [path, bytes] : before) {
        if (path == Target) continue;
        const bool gone = !fs.Files.count(path);
        if (gone) Check(IsOurs(NameOfFile(path)));
        if (!gone) Check(fs.Files[path] == bytes);
    }
    if (!cleanup.RestoredFrom.empty()) {
        Check(!before.count(Target) && IsOurs(NameOfFile(cleanup.RestoredFrom)));
        Check(fs.Files[Target] == before.at(cleanup.RestoredFrom));
    }
    if (before.count(Target)) Check(fs.Files[Target] == Old);
}

// The portable writer on a real folder, its steps failing when told.
class FaultyPortableFileSystem : public TPortableFileSystem {
  public:
    explicit FaultyPortableFileSystem(FuzzedDataProvider& in) : m_in(in) {}

  protected:
    void WriteToTempFile(std::FILE* file, const TBytes& bytes,
                         const std::wstring& tempPath) override {
        if (m_in.ConsumeIntegralInRange<int>(0, 3) == 0) {
            std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
            throw EStorageError(L"Datenträger voll");
        }
        TPortableFileSystem::WriteToTempFile(file, bytes, tempPath);
    }
    void ReplaceTarget(const std::wstring& tempPath, const std::wstring& targetPath) override {
        if (m_in.ConsumeIntegralInRange<int>(0, 3) == 0) throw EStorageError(L"gesperrt");
        TPortableFileSystem::ReplaceTarget(tempPath, targetPath);
    }

  private:
    FuzzedDataProvider& m_in;
};

void StoreSave(FuzzedDataProvider& in) {
    // A folder in memory where there is one (the writer syncs to the disk),
    // removed when the fuzzer ends.
    static const struct Folder {
        std::filesystem::path path;
        Folder() {
            std::error_code ec;
            const std::filesystem::path shm = "/dev/shm";
            path =
                (std::filesystem::is_directory(shm, ec) ? shm
                                                        : std::filesystem::temp_directory_path()) /
                ("dravik-savefault-" + std::to_string(::getpid()));
            std::filesystem::create_directories(path);
        }
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    } scratch;
    const std::filesystem::path& folder = scratch.path;
    const std::wstring file = (folder / "Settings.ini").wstring();
    FaultyPortableFileSystem fs(in);
    InstalledFileSystem installed(fs);
    const std::wstring oldText = L"[S]\r\nk=" + WithoutSurrogates(TakeText(in, 20)) + L"\r\n";
    {
        TMvMemIniFile seed(file, TIniTextEncoding::Utf16LE);
        seed.SetText(oldText);
        TPortableFileSystem().WriteFileAtomically(file, seed.GetBytes());
    }
    const TBytes before = fs.ReadWholeFile(file);
    TMvMemIniFile ini(file, TIniTextEncoding::Utf16LE);
    ini.WriteString(L"S", L"k", TakeText(in, 200));
    const TBytes wanted = ini.GetBytes();
    bool saved = true;
    try {
        ini.UpdateFile();
    } catch (const EStorageError&) {
        saved = false;
    }
    const TBytes after = fs.ReadWholeFile(file);
    Check(saved ? after == wanted : after == before);
    Check(fs.FileNamesIn(folder.wstring()).size() == 1); // no temporary file is left
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
        PutInPlace(in);
        break;
    case 1:
        Cleanup(in);
        break;
    default:
        StoreSave(in);
        break;
    }
    return 0;
}
