#pragma once
// The XML back-end of the settings store: root "ini"; a section path "A\B" is
// nested <section name="A"><section name="B"> elements, a key is a child element
// named after it (an integer key gets an "N" in front), its text the value.
// A name that cannot be an element name (" ", "a b", "x<y", "Größe", "section")
// is kept in an attribute instead: <key name="a b">value</key>; so every name
// and value survives a save and a load, except NUL, which becomes U+FFFD.
// Names are compared exactly (letter case counts), unlike the text back-ends.
#include "storage/CustomIniFile.h"
#include "storage/TextCodec.h"

#include <memory>

class TXmlIniFile : public TCustomIniFile {
  public:
    // Loads the file at once. A missing file gives an empty document; so does one
    // that cannot be read or parsed, and that one is then never overwritten
    // (LoadError, UpdateFile raises EStorageError).
    explicit TXmlIniFile(std::wstring fileName);
    ~TXmlIniFile() override;

    // False in a build without the XML library; every operation then raises EStorageError.
    static bool Available();

    std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                            const std::wstring& defaultValue) override;
    void WriteString(const std::wstring& section, const std::wstring& ident,
                     const std::wstring& value) override;
    void ReadSection(const std::wstring& section, TStrings& names) override;
    // Every "section" element without "section" children, as its "\"-joined path.
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(const std::wstring& section, TStrings& lines) override;
    void EraseSection(const std::wstring& section) override;
    void DeleteKey(const std::wstring& section, const std::wstring& ident) override;
    void UpdateFile() override;
    bool ValueExists(const std::wstring& section, const std::wstring& ident) override;
    // The section element exists.
    bool SectionExists(const std::wstring& section) override;

    // The document's change mark: set by writes, cleared by loading and saving.
    bool Modified() const;
    // Why the file was not loaded, in German; empty when it was (or is missing).
    std::wstring LoadError() const;
    // The document as UTF-8 file bytes.
    TBytes GetBytes() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
