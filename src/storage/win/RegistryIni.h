#pragma once
// The registry as a settings store: the store's key is a registry key, a section
// is a sub-key of it (a "\" in the name nests further), a key is a string value
// of that sub-key. An empty section addresses the store's key itself. Writes take
// effect at once; UpdateFile has nothing to do.
#include "storage/CustomIniFile.h"
#include "util/win/Handles.h"

#include <windows.h>

#include <memory>
#include <string>

// Full access, as the settings store opens its key.
constexpr REGSAM RegistryIniFullAccess = KEY_ALL_ACCESS;

class TRegistryIniFile : public TCustomIniFile {
  public:
    // Opens keyPath below root, creating it when create is set. When that fails
    // the store is closed (IsOpen false): reads give their defaults and writes
    // raise EStorageError.
    TRegistryIniFile(HKEY root, std::wstring keyPath, REGSAM access, bool create);

    bool IsOpen() const { return static_cast<bool>(m_key); }
    HKEY Key() const { return m_key.Get(); }

    // REG_SZ and REG_EXPAND_SZ as stored; a REG_DWORD or REG_QWORD (as written by
    // an installer or by hand) as its decimal text; any other type gives the default.
    std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                            const std::wstring& defaultValue) override;
    // A REG_SZ value; the section's sub-key is created when missing.
    void WriteString(const std::wstring& section, const std::wstring& ident,
                     const std::wstring& value) override;
    // The value names of the sub-key.
    void ReadSection(const std::wstring& section, TStrings& names) override;
    // The names of the sub-keys of the store's key.
    void ReadSections(TStrings& sections) override;
    // "name=value" for each value of the sub-key that reads as text.
    void ReadSectionValues(const std::wstring& section, TStrings& lines) override;
    // Removes the sub-key with everything below it.
    void EraseSection(const std::wstring& section) override;
    void DeleteKey(const std::wstring& section, const std::wstring& ident) override;
    void UpdateFile() override {}
    bool ValueExists(const std::wstring& section, const std::wstring& ident) override;
    // The sub-key exists and holds at least one value, as for the text files.
    bool SectionExists(const std::wstring& section) override;

  private:
    // The section's sub-key (the store's key for an empty section), or none.
    UniqueHKey OpenSection(const std::wstring& section, REGSAM access) const;

    UniqueHKey m_key;
};

// Makes TMvIni's sifRegistry use TRegistryIniFile on HKEY_CURRENT_USER with full access.
void InstallRegistryIni();
