#pragma once
// Dates read and written with patterns such as "YYYY-MM-DD": Y year, M month,
// D day, H hour, N minute, S second, Z millisecond, "[...]" an optional section;
// any other pattern character skips one text character unchecked.
#include "util/DateTime.h"

#include <map>
#include <string>

// The digits found for each pattern letter (upper case). Raises EConvertError
// when a letter repeats, the text is too short, a value is no number, or a "["
// is never closed.
using TDateFormatValues = std::map<wchar_t, std::wstring>;
TDateFormatValues ExtractDateFormatValues(const std::wstring& pattern, const std::wstring& text);

// Raising form: two-digit years get 'century' added; an impossible date or time
// raises EConvertError. A year of 0 leaves only the time of day.
TDateTime StrToDateFormat(const std::wstring& pattern, const std::wstring& text, int century);
// Non-raising form: empty text or any failure gives defaultValue; century 2000.
TDateTime StrToDateFormat(const std::wstring& pattern, const std::wstring& text,
                          TDateTime defaultValue);

// Writes a value with a pattern of the same letters: a run of one letter gives the
// number unpadded, a longer run zero-padded to the run's length (YY: the last two
// digits of the year). Other characters are copied.
std::wstring FormatDateTimePattern(const std::wstring& pattern, TDateTime value);

// The date in the process-wide short date format, its "/" standing for the
// date separator: "07.05.2013" once SetLocalFormat has run.
std::wstring DateToStr(TDateTime value);
