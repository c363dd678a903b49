#pragma once
// Text routines of the utility library. Case-insensitive means ASCII plus the
// Latin-1 letters (German umlauts among them); positions in signatures are 1-based.
#include <string>
#include <vector>

wchar_t UpperCaseChar(wchar_t ch);
wchar_t LowerCaseChar(wchar_t ch);
std::wstring UpperCaseText(std::wstring text);
std::wstring LowerCaseText(std::wstring text);
bool SameTextIgnoreCase(const std::wstring& a, const std::wstring& b);

// Appends ch unless the text is empty or already ends with it (ignoring case).
std::wstring MustEndsWith(wchar_t ch, const std::wstring& text);

// text1 + separator + text2 when both are non-empty, else text1 + text2.
std::wstring ConcatSeparator(const std::wstring& separator, const std::wstring& text1,
                             const std::wstring& text2);
std::wstring ConcatSeparator(const std::wstring& separator, const std::wstring& text1,
                             const std::wstring& text2, const std::wstring& text3);

// Splits at the first separator (case-sensitive); without one the whole text is the key.
void SplitKeyValue(const std::wstring& text, std::wstring& key, std::wstring& value,
                   const std::wstring& separator);

// Replaces non-overlapping occurrences left to right; maxCount <= 0 means all.
// With ignoreCase only the search ignores case; untouched parts keep theirs.
std::wstring MyReplace(const std::wstring& text, const std::wstring& oldPart,
                       const std::wstring& newPart, bool ignoreCase, int maxCount);

// One pass: at each position the first matching old text (in array order) is
// replaced by the new text of the same index; replaced text is not scanned again.
std::wstring ReplaceMulti(const std::wstring& text, const std::vector<std::wstring>& olds,
                          const std::vector<std::wstring>& news, bool caseSensitive);

// Deletes part at the 1-based position when it is there (ignoring case).
bool DeleteIfEqual(std::wstring& text, int position, const std::wstring& part);
void DeleteEndsWith(std::wstring& text, const std::wstring& suffix);

// 1-based position of part in text ignoring case, 0 when absent.
int PosNC(const std::wstring& part, const std::wstring& text);

// Lines ended by CR LF, LF or CR; a last line without an end counts, an empty
// text has none.
std::vector<std::wstring> SplitLines(const std::wstring& text);

std::wstring RepeatStr(const std::wstring& text, int count);

// Pads on the right with fill up to length; longer texts stay as they are.
void StrDefLenL(std::wstring& text, int length, wchar_t fill);
std::wstring StrDefLenFuncL(const std::wstring& text, int length, wchar_t fill);

// The text in double quotes, as error messages name files and values.
std::wstring Quoted(const std::wstring& text);
// A byte text (what() of an exception, a fixed ASCII name) read as Latin-1.
std::wstring Widen(const char* text);

std::wstring BoolToIntStr(bool value);
int BoolToInt(bool value);
