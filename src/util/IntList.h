#pragma once
// A list of integers with 0-based indexes, the small value objects lists
// carry, and a string list whose entries carry a string value.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One integer, the value object of a list entry.
struct TInteger {
    int Value = 0;
    friend bool operator==(const TInteger&, const TInteger&) = default;
};

// One string, the value object of a list entry.
struct TString {
    std::wstring Value;
    friend bool operator==(const TString&, const TString&) = default;
};

class TIntegerList {
  public:
    TIntegerList() = default;
    // The values min..max in ascending order (none when max < min).
    TIntegerList(int minValue, int maxValue);

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
    // Sets the entry, or appends the value when the index lies past the end.
    void SetValueAdd(int index, int value);
    // Adds by to the entry and returns the new value.
    int IncValue(int index, int by = 1);

    int IndexOf(int value) const;
    int CountValue(int value) const;
    // Adds value only when absent; returns its index.
    int AddUniqueValue(int value);
    void DeleteValue(int value);

    void Sort();
    bool Sorted() const { return FSorted; }
    // Switching on sorts the list at once.
    void SetSorted(bool value);
    bool Equals(const TIntegerList& other) const { return FItems == other.FItems; }
    void Assign(const TIntegerList& other);
    void Exchange(int index1, int index2);
    // Takes the entry out at curIndex and puts it back at newIndex.
    void Move(int curIndex, int newIndex);

    // The smallest value >= from that the list does not hold.
    int NextFreeValue(int from) const;
    // The smallest value greater than value that the list holds.
    std::optional<int> NextValue(int value) const;
    // The values of min..max that the list does not hold, ascending.
    TIntegerList FindMissingNumbers(int minValue, int maxValue) const;
    // The run of consecutive values round value that the list holds,
    // ascending; empty when the list does not hold value.
    TIntegerList GetConnectedNumbers(int value) const;
    // Takes a random entry out of the list and returns it, so that repeated
    // calls never return one entry twice; nothing once the list is empty.
    // random(n) answers an index 0..n-1.
    std::optional<int> GetValueRandomUnique(const std::function<int(int)>& random);

    // Replaces the list by the integers of a separated text; parts that are
    // no integer are skipped. Returns false when one was skipped.
    bool FromString(const std::wstring& text, wchar_t separator = L',');
    bool FromStringList(const std::vector<std::wstring>& lines);
    std::wstring ToString(wchar_t separator = L',') const;

    // Smallest and largest value; throws std::out_of_range on an empty list.
    int MinValue() const;
    int MaxValue() const;
    int MaxValueDef(int defaultValue) const;

  private:
    std::size_t CheckedIndex(int index) const;

    std::vector<int> FItems;
    bool FSorted = false;
};

// A string list whose entries may carry a string value object.
class TStringStrList {
  public:
    int Count() const { return static_cast<int>(FItems.size()); }
    int Add(const std::wstring& text);
    int AddValue(const std::wstring& text, const std::wstring& value);
    void Clear() { FItems.clear(); }
    const std::wstring& Strings(int index) const;
    // First entry whose text equals key ignoring case, -1 when none.
    int IndexOf(const std::wstring& key) const;

    // False for an index outside the list or an entry without a value.
    bool GetValue(int index, std::wstring& value) const;
    bool GetValue(const std::wstring& key, std::wstring& value) const;
    std::wstring GetValueDef(const std::wstring& key, const std::wstring& defaultValue) const;

  private:
    struct Entry {
        std::wstring Text;
        std::optional<TString> Object;
    };
    std::vector<Entry> FItems;
};
