#pragma once
// Date-time values as days since 1899-12-30 with the time of day as the fraction.
// Before that day the whole part counts the day and the fraction's size the time
// of day (-1.25 is 1899-12-29 06:00), as in the settings files of earlier versions.
#include <string>

using TDateTime = double;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Year 1-9999; an impossible date gives false or raises EConvertError.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);
// Hour 0-23, minute and second 0-59, millisecond 0-999.
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);

void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
