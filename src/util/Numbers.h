#pragma once
// Numbers with fixed separators, rounding, and the process-wide number formats.
#include "util/Language.h"

#include <cstdint>
#include <string>

// Rounds halves away from zero (2.5 -> 3, -2.5 -> -3), unlike banker's rounding.
// Values beyond the 64-bit range (infinity among them) give its nearest end, NaN 0.
std::int64_t MVRound(long double x);
// Rounds halves to even (2.5 -> 2, 3.5 -> 4), done explicitly so the result
// never depends on the FPU rounding mode; saturates at the integer range.
std::int64_t RoundHalfEven(long double x);
// number * numerator / denominator with a 64-bit product, halves away from zero,
// as the platform's MulDiv. A zero denominator gives 0 (the platform says -1,
// which no caller could use as a pixel or a channel); results beyond 32 bits
// saturate.
std::int32_t MulDivRound(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

// The process-wide formats that the parsers and FormatFloat use. The shell fills
// them from the user's locale at start-up (SetLocalFormat); until then they hold
// the neutral defaults below.
struct TFormatSettings {
    wchar_t DecimalSeparator = L'.';
    wchar_t ThousandSeparator = L',';
    wchar_t DateSeparator = L'/';
    std::wstring ShortDateFormat = L"M/d/yyyy";
};
TFormatSettings& FormatSettings();

// Fixes the formats once at start-up: date separator ".", short date "DD/MM/YYYY",
// and the given separators, swapped to "." grouping and "," decimal when they are equal.
void SetLocalFormat(wchar_t decimalSeparator, wchar_t thousandSeparator);

// The usual integer parse: optional leading blanks, a sign, then decimal digits or
// hexadecimal ones after "$", "0x" or "0X"; nothing may follow. Decimal values must
// fit 32 bits; hexadecimal ones may use all 32 bits and wrap ("$FFFFFFFF" is -1).
bool TryStrToInt(const std::wstring& text, std::int32_t& value);
std::int32_t StrToIntDef(const std::wstring& text, std::int32_t defaultValue);

// With allowGrouping every current grouping separator is removed first; a text
// holding a blank is never an integer.
bool IsInt(const std::wstring& text, bool allowGrouping);

// The float parse with the current decimal separator: optional blanks around, a
// sign, digits with at most one decimal separator, an optional exponent.
bool TryStrToFloat(const std::wstring& text, double& value);
// False for a text with surrounding white space.
bool IsFloat(const std::wstring& text);
// Parses and lies strictly between the bounds.
bool IsFloatNE(const std::wstring& text, double lower, double upper);
// Reads a float written with other separators: decimalChar counts as the decimal
// separator, groupingChar is dropped. Any failure gives defaultValue.
double StrToFloatDef(const std::wstring& text, wchar_t groupingChar, wchar_t decimalChar,
                     double defaultValue);

// Pattern formatting with the current separators: "0" and "#" digit placeholders,
// "." decimal point, "," anywhere before it switches grouping on, quoted or other
// characters are copied, up to three sections "positive;negative;zero". Halves
// round away from zero on the value's 18 significant decimal digits.
std::wstring FormatFloat(const std::wstring& pattern, double value);
// FormatFloat with the given separators in force for this one call.
std::wstring FormatFloatMV(const std::wstring& format, wchar_t groupingChar, wchar_t decimalChar,
                           double value);
// TryStrToFloat and IsFloatNE with decimalChar as the decimal separator for
// this one call, so that a text in another notation ("5.48" where the comma
// is the separator) is no number.
bool TryStrToFloatMV(const std::wstring& text, wchar_t decimalChar, double& value);
bool IsFloatNEMV(const std::wstring& text, wchar_t decimalChar, double lower, double upper);

// The decimal separator of a number a person reads (and copies): a comma in
// German, a point in English. Stored numbers never take it: they keep their
// decimal comma in every language, so that a settings file reads the same
// whichever language wrote it.
wchar_t ShownDecimalSeparator(Language language = UiLanguage());
// The decimal separator of the fields a person types a number into: in
// German the system's, as these fields have always followed it; in English
// a point, whatever the system's.
wchar_t TypedDecimalSeparator(Language language = UiLanguage());
// A number given as a whole count of its last decimal (value x 10^decimals,
// rounded by the caller), written with that many decimals and the separator:
// (-277, 2, ',') gives "-2,77", (42, 0, ',') "42".
std::wstring DecimalText(std::int64_t scaled, int decimals, wchar_t separator);
