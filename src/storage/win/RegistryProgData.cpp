#include "storage/win/RegistryProgData.h"

#include "storage/MvMemIni.h"
#include "storage/win/RegistryIni.h"
#include "util/PathUtils.h"
#include "util/win/MVUtilWin.h"

namespace {

// Portable use leaves no trace on the machine: saving does nothing.
class TNeverWrittenMemIni : public TMvMemIniFile {
  public:
    using TMvMemIniFile::TMvMemIniFile;
    void UpdateFile() override {}
};

} // namespace

std::unique_ptr<TCustomIniFile> CreateRegistryProgData(const std::wstring& keyPath, bool portable,
                                                       bool currentUserOnly) {
    if (portable)
        return std::make_unique<TNeverWrittenMemIni>(ConcatPath(GetTempDir(), L"Temp.ini"),
                                                     TIniTextEncoding::Utf16LE);
    if (!currentUserOnly) {
        auto machine = std::make_unique<TRegistryIniFile>(HKEY_LOCAL_MACHINE, keyPath,
                                                          RegistryIniFullAccess, true);
        if (machine->IsOpen()) return machine;
    }
    return std::make_unique<TRegistryIniFile>(HKEY_CURRENT_USER, keyPath, RegistryIniFullAccess,
                                              true);
}
