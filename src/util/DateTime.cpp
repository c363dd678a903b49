#include "util/DateTime.h"

#include "util/ConvertError.h"
#include "util/LocalText.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double MSecsPerDay = 86'400'000.0;

constexpr LocalText InvalidDate{L"Ungültiges Argument für Datumscodierung",
                                L"Invalid argument for date encoding"};
constexpr LocalText InvalidTime{L"Ungültiges Argument für Zeitcodierung",
                                L"Invalid argument for time encoding"};

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

const std::int64_t DayZero = DaysFromCivil(1899, 12, 30);

// Splits a value into the day number and the milliseconds of the time of day.
void SplitValue(TDateTime value, std::int64_t& days, std::int64_t& msecs) {
    if (!std::isfinite(value) || std::fabs(value) > 3e6) value = 0; // far outside 1-9999
    const double whole = std::trunc(value);
    days = static_cast<std::int64_t>(whole);
    msecs = std::llround(std::fabs(value - whole) * MSecsPerDay);
    if (msecs >= static_cast<std::int64_t>(MSecsPerDay)) {
        msecs = 0;
        days += value < 0 ? -1 : 1;
    }
}

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    result = static_cast<double>(DaysFromCivil(year, month, day) - DayZero);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) throw EConvertError(InvalidDate());
    return result;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        return false;
    result = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime result = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, result))
        throw EConvertError(InvalidTime());
    return result;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    std::int64_t days = 0, msecs = 0;
    SplitValue(value, days, msecs);
    CivilFromDays(days + DayZero, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
    std::int64_t days = 0, msecs = 0;
    SplitValue(value, days, msecs);
    millisecond = static_cast<int>(msecs % 1000);
    second = static_cast<int>(msecs / 1000 % 60);
    minute = static_cast<int>(msecs / 60'000 % 60);
    hour = static_cast<int>(msecs / 3'600'000);
}
