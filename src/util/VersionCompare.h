#pragma once
// Comparing free-form version texts such as 2.2, 2.10b or 3.0.1.
#include "util/IntList.h"

#include <string>

// Appends one number per part to list: a number gives its value (0 gives -200,
// so that a missing part counts as less than any letter; a decimal number beyond
// 32 bits gives the largest int), any other part the code of its first
// character minus 123 ("a" gives -26 ... "z" -1).
void SplitVer(const std::wstring& version, TIntegerList& list);

// Whether version2 counts as newer than version1.
bool Ver2GreaterVer1(const std::wstring& version1, const std::wstring& version2);
