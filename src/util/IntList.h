#pragma once
// A list of integers with 0-based indexes.
#include <cstddef>
#include <string>
#include <vector>

class TIntegerList {
  public:
    TIntegerList() = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    int Add(int value);
    void Insert(int index, int value);
    void Delete(int index);
    void Clear();

    // False for an index outside the list; value is then left alone.
    bool GetValue(int index, int& value) const;
    // Throws std::out_of_range for an index outside the list.
    int GetValue(int index) const;
    int GetValueDef(int index, int defaultValue) const;
    void SetValue(int index, int value);

    int IndexOf(int value) const;
    int CountValue(int value) const;
    // Adds value only when absent; returns its index.
    int AddUniqueValue(int value);
    void DeleteValue(int value);

    void Sort();
    bool Sorted() const { return FSorted; }
    bool Equals(const TIntegerList& other) const { return FItems == other.FItems; }

    // Smallest and largest value; throws std::out_of_range on an empty list.
    int MinValue() const;
    int MaxValue() const;
    int MaxValueDef(int defaultValue) const;

  private:
    std::size_t CheckedIndex(int index) const;

    std::vector<int> FItems;
    bool FSorted = false;
};
