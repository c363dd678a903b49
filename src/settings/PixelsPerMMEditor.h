#pragma once
// The calibration frame's rules: how the measured length and the step of
// the + and - keys are shown, read and checked.
#include "util/Geometry.h"

#include <string>

// The separator is the one the fields show and read (TypedDecimalSeparator).
// Four decimals with the given separator: 5.48 -> "5,4800".
std::wstring FormatCmMeasured(double value, wchar_t decimalChar);
// The text as a float; 1.0 when it is no number. With a point as the
// separator a lone comma counts as one too ("5,48").
double ParseCmMeasured(const std::wstring& text, wchar_t decimalChar);

// Valid texts: a number without surrounding blanks strictly inside the range
// (read as ParseCmMeasured reads it).
bool IsValidCmMeasured(const std::wstring& text, wchar_t decimalChar);         // (0, 1000)
bool IsValidCmMeasuredChangeBy(const std::wstring& text, wchar_t decimalChar); // (0, 99)

std::wstring InvalidCmMeasuredMessage();
std::wstring InvalidCmMeasuredChangeByMessage();

// The reference bar at a DPI: the white area and the design's offsets scale,
// the black bar is always 200 device pixels long, which the conversion of
// the measured length rests on; the white area widens to hold it.
struct TReferenceBarLayout {
    Rect WhiteArea; // from the area's own top-left corner
    Rect Bar;
};
constexpr int ReferenceBarPixels = 200;
TReferenceBarLayout ReferenceBarLayout(int dpi);
