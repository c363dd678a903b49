#include "util/IntList.h"

#include "util/Numbers.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

TIntegerList::TIntegerList(int minValue, int maxValue) {
    for (long long v = minValue; v <= maxValue; ++v)
        FItems.push_back(static_cast<int>(v));
    FSorted = true;
}

std::size_t TIntegerList::CheckedIndex(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("TIntegerList index out of range");
    return static_cast<std::size_t>(index);
}

int TIntegerList::Add(int value) {
    FItems.push_back(value);
    FSorted = false;
    return Count() - 1;
}

void TIntegerList::Insert(int index, int value) {
    if (index < 0 || index > Count()) throw std::out_of_range("TIntegerList index out of range");
    FItems.insert(FItems.begin() + index, value);
    FSorted = false;
}

void TIntegerList::Delete(int index) {
    FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(CheckedIndex(index)));
}

void TIntegerList::Clear() {
    FItems.clear();
    FSorted = false;
}

bool TIntegerList::GetValue(int index, int& value) const {
    if (index < 0 || index >= Count()) return false;
    value = FItems[static_cast<std::size_t>(index)];
    return true;
}

int TIntegerList::GetValue(int index) const {
    return FItems[CheckedIndex(index)];
}

int TIntegerList::GetValueDef(int index, int defaultValue) const {
    int value = defaultValue;
    return GetValue(index, value) ? value : defaultValue;
}

void TIntegerList::SetValue(int index, int value) {
    FItems[CheckedIndex(index)] = value;
    FSorted = false;
}

int TIntegerList::IndexOf(int value) const {
    const auto it = std::find(FItems.begin(), FItems.end(), value);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TIntegerList::CountValue(int value) const {
    return static_cast<int>(std::count(FItems.begin(), FItems.end(), value));
}

int TIntegerList::AddUniqueValue(int value) {
    const int index = IndexOf(value);
    return index >= 0 ? index : Add(value);
}

void TIntegerList::DeleteValue(int value) {
    const int index = IndexOf(value);
    if (index >= 0) Delete(index);
}

void TIntegerList::Sort() {
    std::sort(FItems.begin(), FItems.end());
    FSorted = true;
}

int TIntegerList::MinValue() const {
    if (FItems.empty()) throw std::out_of_range("TIntegerList is empty");
    return *std::min_element(FItems.begin(), FItems.end());
}

int TIntegerList::MaxValue() const {
    if (FItems.empty()) throw std::out_of_range("TIntegerList is empty");
    return *std::max_element(FItems.begin(), FItems.end());
}

int TIntegerList::MaxValueDef(int defaultValue) const {
    return FItems.empty() ? defaultValue : MaxValue();
}

void TIntegerList::SetValueAdd(int index, int value) {
    if (index >= 0 && index < Count())
        SetValue(index, value);
    else
        Add(value);
}

int TIntegerList::IncValue(int index, int by) {
    int& item = FItems[CheckedIndex(index)];
    item += by;
    FSorted = false;
    return item;
}

void TIntegerList::SetSorted(bool value) {
    if (value)
        Sort();
    else
        FSorted = false;
}

void TIntegerList::Assign(const TIntegerList& other) {
    FItems = other.FItems;
    FSorted = other.FSorted;
}

void TIntegerList::Exchange(int index1, int index2) {
    std::swap(FItems[CheckedIndex(index1)], FItems[CheckedIndex(index2)]);
    FSorted = false;
}

void TIntegerList::Move(int curIndex, int newIndex) {
    const int value = GetValue(curIndex);
    CheckedIndex(newIndex);
    Delete(curIndex);
    Insert(newIndex, value);
}

int TIntegerList::NextFreeValue(int from) const {
    int v = from;
    while (IndexOf(v) >= 0)
        ++v;
    return v;
}

std::optional<int> TIntegerList::NextValue(int value) const {
    std::optional<int> next;
    for (int v : FItems)
        if (v > value && (!next || v < *next)) next = v;
    return next;
}

TIntegerList TIntegerList::FindMissingNumbers(int minValue, int maxValue) const {
    TIntegerList missing;
    for (long long v = minValue; v <= maxValue; ++v)
        if (IndexOf(static_cast<int>(v)) < 0) missing.Add(static_cast<int>(v));
    missing.FSorted = true;
    return missing;
}

TIntegerList TIntegerList::GetConnectedNumbers(int value) const {
    TIntegerList run;
    if (IndexOf(value) < 0) return run;
    int low = value;
    while (low > std::numeric_limits<int>::min() && IndexOf(low - 1) >= 0)
        --low;
    for (long long v = low;
         v <= std::numeric_limits<int>::max() && IndexOf(static_cast<int>(v)) >= 0; ++v)
        run.Add(static_cast<int>(v));
    run.FSorted = true;
    return run;
}

std::optional<int> TIntegerList::GetValueRandomUnique(const std::function<int(int)>& random) {
    if (FItems.empty()) return std::nullopt;
    const int index = std::clamp(random(Count()), 0, Count() - 1);
    const int value = GetValue(index);
    Delete(index);
    return value;
}

bool TIntegerList::FromString(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts(1);
    for (wchar_t ch : text) {
        if (ch == separator)
            parts.emplace_back();
        else
            parts.back() += ch;
    }
    if (text.empty()) parts.clear();
    return FromStringList(parts);
}

bool TIntegerList::FromStringList(const std::vector<std::wstring>& lines) {
    Clear();
    bool all = true;
    for (const std::wstring& line : lines) {
        std::int32_t v = 0;
        if (TryStrToInt(line, v))
            Add(v);
        else
            all = false;
    }
    return all;
}

std::wstring TIntegerList::ToString(wchar_t separator) const {
    std::wstring text;
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        if (i > 0) text += separator;
        text += std::to_wstring(FItems[i]);
    }
    return text;
}

int TStringStrList::Add(const std::wstring& text) {
    FItems.push_back({text, std::nullopt});
    return Count() - 1;
}

int TStringStrList::AddValue(const std::wstring& text, const std::wstring& value) {
    FItems.push_back({text, TString{value}});
    return Count() - 1;
}

const std::wstring& TStringStrList::Strings(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("TStringStrList index out of range");
    return FItems[static_cast<std::size_t>(index)].Text;
}

int TStringStrList::IndexOf(const std::wstring& key) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (SameTextIgnoreCase(FItems[i].Text, key)) return static_cast<int>(i);
    return -1;
}

bool TStringStrList::GetValue(int index, std::wstring& value) const {
    if (index < 0 || index >= Count()) return false;
    const Entry& entry = FItems[static_cast<std::size_t>(index)];
    if (!entry.Object) return false;
    value = entry.Object->Value;
    return true;
}

bool TStringStrList::GetValue(const std::wstring& key, std::wstring& value) const {
    return GetValue(IndexOf(key), value);
}

std::wstring TStringStrList::GetValueDef(const std::wstring& key,
                                         const std::wstring& defaultValue) const {
    std::wstring value;
    return GetValue(key, value) ? value : defaultValue;
}
