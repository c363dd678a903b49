#pragma once
// The section/key/value interface every settings store offers, with the typed
// values stored as text in the program's fixed forms:
//   integers decimal (read also "$"/"0x" hex), booleans "1"/"0" (only "1" is true),
//   floats with a decimal comma and no grouping, dates "YYYY-MM-DD" (read also
//   "DD.MM.YYYY"), date-times "YYYY-MM-DD HH:NN:SS", times "HH:NN:SS".
#include "util/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

using TStrings = std::vector<std::wstring>;

class TCustomIniFile {
  public:
    explicit TCustomIniFile(std::wstring fileName) : FileName_(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    // The file path, or the key path of a registry store.
    const std::wstring& FileName() const { return FileName_; }

    virtual std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                                    const std::wstring& defaultValue) = 0;
    virtual void WriteString(const std::wstring& section, const std::wstring& ident,
                             const std::wstring& value) = 0;

    virtual std::int32_t ReadInteger(const std::wstring& section, const std::wstring& ident,
                                     std::int32_t defaultValue);
    virtual void WriteInteger(const std::wstring& section, const std::wstring& ident,
                              std::int32_t value);
    virtual bool ReadBool(const std::wstring& section, const std::wstring& ident,
                          bool defaultValue);
    virtual void WriteBool(const std::wstring& section, const std::wstring& ident, bool value);
    // A "." is skipped, a "," is the decimal separator: "9.84" reads as 984.
    virtual double ReadFloat(const std::wstring& section, const std::wstring& ident,
                             double defaultValue);
    // FloatPrecision() decimals.
    virtual void WriteFloat(const std::wstring& section, const std::wstring& ident, double value);
    // A missing key gives the default cut to what the pattern holds.
    virtual TDateTime ReadDate(const std::wstring& section, const std::wstring& ident,
                               TDateTime defaultValue);
    virtual TDateTime ReadDateTime(const std::wstring& section, const std::wstring& ident,
                                   TDateTime defaultValue);
    virtual TDateTime ReadTime(const std::wstring& section, const std::wstring& ident,
                               TDateTime defaultValue);
    virtual void WriteDate(const std::wstring& section, const std::wstring& ident, TDateTime value);
    virtual void WriteDateTime(const std::wstring& section, const std::wstring& ident,
                               TDateTime value);
    virtual void WriteTime(const std::wstring& section, const std::wstring& ident, TDateTime value);

    // The lists are cleared first.
    virtual void ReadSection(const std::wstring& section, TStrings& names) = 0;
    virtual void ReadSections(TStrings& sections) = 0;
    virtual void ReadSectionValues(const std::wstring& section, TStrings& lines) = 0;
    virtual void EraseSection(const std::wstring& section) = 0;
    virtual void DeleteKey(const std::wstring& section, const std::wstring& ident) = 0;
    virtual void UpdateFile() = 0;

    // Generic forms through ReadSection: a key name of the section (ignoring case),
    // a section with at least one key.
    virtual bool ValueExists(const std::wstring& section, const std::wstring& ident);
    virtual bool SectionExists(const std::wstring& section);

    virtual int FloatPrecision() const { return 2; }

  private:
    std::wstring FileName_;
};

// The stored forms of the typed values, shared with the helpers of the utility library.
std::wstring FloatPattern(int decimals);                    // "0", "0.00", ...
std::wstring FormatStoredFloat(int decimals, double value); // "9,84"
double ParseStoredFloat(const std::wstring& text, double defaultValue);
