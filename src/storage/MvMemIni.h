#pragma once
// The text back-ends of the settings store: the whole INI file in memory, sections
// and keys in file order with case-insensitive hashed lookups.
//
// File format: "[name]" lines, then the section's lines "key=value", then one empty
// line; every line ends with CR LF. UTF-16 files start with FF FE. Reading drops
// comments (";") and lines before the first header, trims lines and the blanks
// around the first "=", and keeps a header seen twice as two sections (lookups
// find the first).
#include "storage/CustomIniFile.h"
#include "storage/TextCodec.h"

#include <memory>
#include <unordered_map>

enum class TIniTextEncoding {
    Utf16LE, // with byte-order mark
    Ansi,    // the system ANSI code page, no byte-order mark
};

class TMvMemIniFile : public TCustomIniFile {
  public:
    // Loads the file at once. A missing file or an empty name gives an empty store.
    // A file that exists but cannot be read also gives an empty store, which then
    // refuses to overwrite the file (UpdateFile raises EStorageError).
    TMvMemIniFile(std::wstring fileName, TIniTextEncoding encoding);
    ~TMvMemIniFile() override;

    std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                            const std::wstring& defaultValue) override;
    // A line break in the section, key or value would split the line in the file
    // and change other keys at the next load, so each becomes a blank.
    void WriteString(const std::wstring& section, const std::wstring& ident,
                     const std::wstring& value) override;
    void ReadSection(const std::wstring& section, TStrings& names) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(const std::wstring& section, TStrings& lines) override;
    void EraseSection(const std::wstring& section) override;
    void DeleteKey(const std::wstring& section, const std::wstring& ident) override;
    // Writes the file in one step (FileSystem().WriteFileAtomically); raises EStorageError.
    void UpdateFile() override;
    bool ValueExists(const std::wstring& section, const std::wstring& ident) override;
    // The section exists and holds at least one line.
    bool SectionExists(const std::wstring& section) override;

    TIniTextEncoding Encoding() const { return encoding_; }
    // Why the file was not loaded, in German; empty when it was (or is missing).
    const std::wstring& LoadError() const { return loadError_; }

    // Replaces the whole content by parsing these lines or this text as a file.
    void SetStrings(const TStrings& lines);
    void SetText(const std::wstring& text);
    // Replaces the whole content by decoding file bytes: with the encoding's
    // byte-order mark they are decoded in the encoding, else as system ANSI text.
    void LoadFromBytes(const std::uint8_t* data, std::size_t size);
    void Clear();

    // The file as lines, as text (CR LF after every line) and as encoded bytes.
    TStrings GetStrings() const;
    std::wstring GetText() const;
    TBytes GetBytes() const;

  private:
    struct Section;
    Section* FindSection(const std::wstring& name) const;
    Section& AddSection(const std::wstring& name);
    void RebuildSectionIndex();
    void ParseLines(const TStrings& lines);

    TIniTextEncoding encoding_;
    std::vector<std::unique_ptr<Section>> sections_;
    std::unordered_map<std::wstring, std::size_t> sectionIndex_; // upper-case name -> first
    std::wstring loadError_;
};
