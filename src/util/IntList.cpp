#include "util/IntList.h"

#include <algorithm>
#include <stdexcept>

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
