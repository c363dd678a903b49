#include "storage/CustomIniFile.h"

#include "util/DatePattern.h"
#include "util/Numbers.h"
#include "util/StringUtils.h"

namespace {

const std::wstring DatePattern = L"YYYY-MM-DD";
const std::wstring DateTimePattern = L"YYYY-MM-DD HH:NN:SS";
const std::wstring TimePattern = L"HH:NN:SS";

// "24.12.2013" rather than "2013-12-24".
bool IsGermanDate(const std::wstring& text) {
    return text.size() >= 6 && text[2] == L'.' && text[5] == L'.';
}

} // namespace

std::wstring FloatPattern(int decimals) {
    return decimals <= 0 ? std::wstring(L"0")
                         : L"0." + std::wstring(static_cast<std::size_t>(decimals), L'0');
}

std::wstring FormatStoredFloat(int decimals, double value) {
    return FormatFloatMV(FloatPattern(decimals), L'.', L',', value);
}

double ParseStoredFloat(const std::wstring& text, double defaultValue) {
    return StrToFloatDef(text, L'.', L',', defaultValue);
}

std::int32_t TCustomIniFile::ReadInteger(const std::wstring& section, const std::wstring& ident,
                                         std::int32_t defaultValue) {
    return StrToIntDef(ReadString(section, ident, L""), defaultValue);
}

void TCustomIniFile::WriteInteger(const std::wstring& section, const std::wstring& ident,
                                  std::int32_t value) {
    WriteString(section, ident, std::to_wstring(value));
}

bool TCustomIniFile::ReadBool(const std::wstring& section, const std::wstring& ident,
                              bool defaultValue) {
    return ReadString(section, ident, defaultValue ? L"1" : L"0") == L"1";
}

void TCustomIniFile::WriteBool(const std::wstring& section, const std::wstring& ident, bool value) {
    WriteString(section, ident, value ? L"1" : L"0");
}

double TCustomIniFile::ReadFloat(const std::wstring& section, const std::wstring& ident,
                                 double defaultValue) {
    return ParseStoredFloat(ReadString(section, ident, L""), defaultValue);
}

void TCustomIniFile::WriteFloat(const std::wstring& section, const std::wstring& ident,
                                double value) {
    WriteString(section, ident, FormatStoredFloat(FloatPrecision(), value));
}

TDateTime TCustomIniFile::ReadDate(const std::wstring& section, const std::wstring& ident,
                                   TDateTime defaultValue) {
    const auto text = ReadString(section, ident, FormatDateTimePattern(DatePattern, defaultValue));
    return StrToDateFormat(IsGermanDate(text) ? L"DD.MM.YYYY" : DatePattern, text, defaultValue);
}

TDateTime TCustomIniFile::ReadDateTime(const std::wstring& section, const std::wstring& ident,
                                       TDateTime defaultValue) {
    const auto text =
        ReadString(section, ident, FormatDateTimePattern(DateTimePattern, defaultValue));
    return StrToDateFormat(IsGermanDate(text) ? L"DD.MM.YYYY [HH:NN:SS]" : DateTimePattern, text,
                           defaultValue);
}

TDateTime TCustomIniFile::ReadTime(const std::wstring& section, const std::wstring& ident,
                                   TDateTime defaultValue) {
    const auto text = ReadString(section, ident, FormatDateTimePattern(TimePattern, defaultValue));
    return StrToDateFormat(TimePattern, text, defaultValue);
}

void TCustomIniFile::WriteDate(const std::wstring& section, const std::wstring& ident,
                               TDateTime value) {
    WriteString(section, ident, FormatDateTimePattern(DatePattern, value));
}

void TCustomIniFile::WriteDateTime(const std::wstring& section, const std::wstring& ident,
                                   TDateTime value) {
    WriteString(section, ident, FormatDateTimePattern(DateTimePattern, value));
}

void TCustomIniFile::WriteTime(const std::wstring& section, const std::wstring& ident,
                               TDateTime value) {
    WriteString(section, ident, FormatDateTimePattern(TimePattern, value));
}

bool TCustomIniFile::ValueExists(const std::wstring& section, const std::wstring& ident) {
    TStrings names;
    ReadSection(section, names);
    for (const auto& name : names)
        if (SameTextIgnoreCase(name, ident)) return true;
    return false;
}

bool TCustomIniFile::SectionExists(const std::wstring& section) {
    TStrings names;
    ReadSection(section, names);
    return !names.empty();
}
