#pragma once
// The settings store: created for one load or one save, it reads the whole file
// at its first operation and writes it back in one piece when released.
#include "storage/CustomIniFile.h"
#include "storage/TextCodec.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

enum TMvIniFormat : std::uint8_t {
    sifUnicode = 0,  // UTF-16 LE text file with byte-order mark
    sifXML = 1,      // UTF-8 XML document
    sifANSI = 2,     // text file in the system ANSI code page
    sifRegistry = 3, // registry key below HKEY_CURRENT_USER
};

class TMvMemIniFile;
class TXmlIniFile;

// The registry back-end comes from the Windows shell: it installs a factory that
// opens the key path (sections are sub-keys, keys string values). Without one,
// sifRegistry is an empty store whose writes raise EStorageError.
using TRegistryIniFactory = std::unique_ptr<TCustomIniFile> (*)(const std::wstring& keyPath);
void SetRegistryIniFactory(TRegistryIniFactory factory);

// Where a failed save is reported. The shell shows a message box with an OK
// button; by default the message is only remembered (LastIniErrorMessage).
using TIniErrorReporter = std::function<void(const std::wstring& message)>;
void SetIniErrorReporter(TIniErrorReporter reporter); // empty restores the default
std::wstring LastIniErrorMessage();
void ClearLastIniErrorMessage();

class TMvIni : public TCustomIniFile {
  public:
    // sifUnicode; nothing is read before the first operation.
    explicit TMvIni(std::wstring fileName);
    // The back-end is created and loaded at once.
    TMvIni(std::wstring fileName, TMvIniFormat format);
    // Release(); a failed write is reported through the error reporter, never thrown.
    ~TMvIni() override;

    // Creates and loads the back-end once; every operation calls it first.
    void Init();
    // The writing part of releasing the store: the text back-ends write the file
    // when SaveAtFree, a file name and Changed hold, XML when SaveAtFree holds and
    // the document changed. Raises EStorageError when that write fails. Runs once;
    // the destructor calls it when the owner has not.
    void Release();

    std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                            const std::wstring& defaultValue) override;
    void WriteString(const std::wstring& section, const std::wstring& ident,
                     const std::wstring& value) override;
    void ReadSection(const std::wstring& section, TStrings& names) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(const std::wstring& section, TStrings& lines) override;
    // Only when SectionExists; a section with a header but no lines stays.
    void EraseSection(const std::wstring& section) override;
    void DeleteKey(const std::wstring& section, const std::wstring& ident) override;
    // Writes now. With no file name or a missing folder nothing happens and Changed
    // stays; a failing write is reported as "Fehler beim Speichern der
    // Konfigurationdatei:\r\n" + the error's text, and Changed stays.
    void UpdateFile() override;
    // False for an empty name.
    bool ValueExists(const std::wstring& section, const std::wstring& ident) override;
    bool SectionExists(const std::wstring& section) override;

    // The file bytes of a text or XML back-end (appended).
    void SaveToStream(TBytes& stream);
    void SaveToStream(std::string& stream);
    // Replace the content of a text back-end, parsed as a file; Changed is not set.
    void SetStrings(const TStrings& lines);
    void SetStrings(const std::wstring& text);

    // Why the file could not be loaded (the store is then empty and never
    // overwrites it), in German; empty when it loaded or does not exist.
    std::wstring LoadError();

    void SetFloatPrecision(int value) { floatPrecision_ = value; }
    int FloatPrecision() const override { return floatPrecision_; }
    bool SaveAtFree() const { return saveAtFree_; }
    void SetSaveAtFree(bool value) { saveAtFree_ = value; }
    bool Changed() const { return changed_; }
    TMvIniFormat IniFormat() const { return iniFormat_; }

  private:
    TCustomIniFile& Backend();
    TMvMemIniFile& TextBackend(const char* operation);

    std::unique_ptr<TXmlIniFile> XML;
    std::unique_ptr<TMvMemIniFile> Ini;
    std::unique_ptr<TCustomIniFile> Reg;
    TMvIniFormat iniFormat_;
    bool initDone_ = false;
    bool saveAtFree_ = true;
    bool changed_ = false;
    int floatPrecision_ = 2;
    bool released_ = false;
};
