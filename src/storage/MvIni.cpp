#include "storage/MvIni.h"

#include "storage/FileSystem.h"
#include "storage/MvMemIni.h"
#include "storage/StorageError.h"
#include "storage/StorageTexts.h"
#include "storage/XmlIniFile.h"
#include "util/StringUtils.h"

namespace {

TRegistryIniFactory& RegistryFactory() {
    static TRegistryIniFactory factory = nullptr;
    return factory;
}

std::wstring& LastError() {
    static std::wstring message;
    return message;
}

TIniErrorReporter& Reporter() {
    static TIniErrorReporter reporter;
    return reporter;
}

void ReportSaveError(const std::wstring& message) {
    const std::wstring text = FormatText(StorageText::SaveFailed, {message});
    LastError() = text;
    if (Reporter()) Reporter()(text);
}

// sifRegistry where no registry back-end was installed.
class TUnavailableRegistry : public TCustomIniFile {
  public:
    using TCustomIniFile::TCustomIniFile;
    std::wstring ReadString(const std::wstring&, const std::wstring&,
                            const std::wstring& defaultValue) override {
        return defaultValue;
    }
    void WriteString(const std::wstring&, const std::wstring&, const std::wstring&) override {
        Refuse();
    }
    void ReadSection(const std::wstring&, TStrings& names) override { names.clear(); }
    void ReadSections(TStrings& sections) override { sections.clear(); }
    void ReadSectionValues(const std::wstring&, TStrings& lines) override { lines.clear(); }
    void EraseSection(const std::wstring&) override {}
    void DeleteKey(const std::wstring&, const std::wstring&) override {}
    void UpdateFile() override {}

  private:
    [[noreturn]] static void Refuse() { throw EStorageError(StorageText::NoRegistry()); }
};

} // namespace

void SetRegistryIniFactory(TRegistryIniFactory factory) {
    RegistryFactory() = factory;
}

void SetIniErrorReporter(TIniErrorReporter reporter) {
    Reporter() = std::move(reporter);
}

std::wstring LastIniErrorMessage() {
    return LastError();
}

void ClearLastIniErrorMessage() {
    LastError().clear();
}

TMvIni::TMvIni(std::wstring fileName)
    : TCustomIniFile(std::move(fileName)), iniFormat_(sifUnicode) {}

TMvIni::TMvIni(std::wstring fileName, TMvIniFormat format)
    : TCustomIniFile(std::move(fileName)), iniFormat_(format) {
    Init();
}

TMvIni::~TMvIni() {
    try {
        Release();
    } catch (const EStorageError& e) {
        ReportSaveError(e.Message);
    } catch (const std::exception& e) {
        ReportSaveError(Widen(e.what()));
    } catch (...) {
        ReportSaveError(StorageText::UnknownError());
    }
}

void TMvIni::Init() {
    if (initDone_) return;
    initDone_ = true;
    switch (iniFormat_) {
    case sifXML:
        XML = std::make_unique<TXmlIniFile>(FileName());
        break;
    case sifANSI:
        Ini = std::make_unique<TMvMemIniFile>(FileName(), TIniTextEncoding::Ansi);
        break;
    case sifRegistry:
        if (RegistryFactory()) Reg = RegistryFactory()(FileName());
        if (!Reg) Reg = std::make_unique<TUnavailableRegistry>(FileName());
        break;
    case sifUnicode:
    default:
        Ini = std::make_unique<TMvMemIniFile>(FileName(), TIniTextEncoding::Utf16LE);
        break;
    }
}

void TMvIni::Release() {
    if (released_) return;
    released_ = true;
    // A store never used has nothing to write (Changed is false, XML unchanged).
    if (!initDone_ || !saveAtFree_) return;
    if (Ini && !FileName().empty() && changed_) {
        Ini->UpdateFile();
        changed_ = false;
    } else if (XML && XML->Modified() && !FileName().empty()) {
        XML->UpdateFile();
        changed_ = false;
    }
    // Registry writes took effect at once.
}

TCustomIniFile& TMvIni::Backend() {
    Init();
    if (Ini) return *Ini;
    if (XML) return *XML;
    return *Reg;
}

TMvMemIniFile& TMvIni::TextBackend(const char* operation) {
    Init();
    if (!Ini) throw EStorageError(FormatText(StorageText::TextFilesOnly, {Widen(operation)}));
    return *Ini;
}

std::wstring TMvIni::ReadString(const std::wstring& section, const std::wstring& ident,
                                const std::wstring& defaultValue) {
    if (!ValueExists(section, ident)) return defaultValue;
    return Backend().ReadString(section, ident, defaultValue);
}

void TMvIni::WriteString(const std::wstring& section, const std::wstring& ident,
                         const std::wstring& value) {
    Backend().WriteString(section, ident, value);
    changed_ = true;
}

void TMvIni::ReadSection(const std::wstring& section, TStrings& names) {
    Backend().ReadSection(section, names);
}

void TMvIni::ReadSections(TStrings& sections) {
    Backend().ReadSections(sections);
}

void TMvIni::ReadSectionValues(const std::wstring& section, TStrings& lines) {
    Backend().ReadSectionValues(section, lines);
}

void TMvIni::EraseSection(const std::wstring& section) {
    if (SectionExists(section)) Backend().EraseSection(section);
    changed_ = true;
}

void TMvIni::DeleteKey(const std::wstring& section, const std::wstring& ident) {
    if (ValueExists(section, ident)) Backend().DeleteKey(section, ident);
    changed_ = true;
}

void TMvIni::UpdateFile() {
    TCustomIniFile& backend = Backend();
    if (iniFormat_ != sifRegistry) {
        if (FileName().empty()) return;
        const std::wstring folder = FolderOfFile(FileName());
        if (!folder.empty() && !FileSystem().FolderExists(folder)) return;
    }
    try {
        backend.UpdateFile();
        changed_ = false;
    } catch (const EStorageError& e) {
        ReportSaveError(e.Message);
    } catch (const std::exception& e) {
        ReportSaveError(Widen(e.what()));
    }
}

bool TMvIni::ValueExists(const std::wstring& section, const std::wstring& ident) {
    if (ident.empty()) return false;
    return Backend().ValueExists(section, ident);
}

bool TMvIni::SectionExists(const std::wstring& section) {
    return Backend().SectionExists(section);
}

std::wstring TMvIni::LoadError() {
    Init();
    if (Ini) return Ini->LoadError();
    if (XML) return XML->LoadError();
    return {};
}

void TMvIni::SaveToStream(TBytes& stream) {
    Init();
    TBytes bytes;
    if (Ini)
        bytes = Ini->GetBytes();
    else if (XML)
        bytes = XML->GetBytes();
    else
        throw EStorageError(StorageText::NoStreamFromRegistry());
    stream.insert(stream.end(), bytes.begin(), bytes.end());
}

void TMvIni::SaveToStream(std::string& stream) {
    TBytes bytes;
    SaveToStream(bytes);
    stream.append(bytes.begin(), bytes.end());
}

void TMvIni::SetStrings(const TStrings& lines) {
    TextBackend("SetStrings").SetStrings(lines);
}

void TMvIni::SetStrings(const std::wstring& text) {
    TextBackend("SetStrings").SetText(text);
}
