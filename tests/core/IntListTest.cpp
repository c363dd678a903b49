#include "util/IntList.h"

#include <gtest/gtest.h>

TEST(IntListTest, ListOperations) {
    TIntegerList list(3, 6); // 3 4 5 6
    EXPECT_TRUE(list.Sorted());
    list.Add(9);
    list.Add(10);
    EXPECT_FALSE(list.Sorted());
    EXPECT_EQ(list.ToString(), L"3,4,5,6,9,10");
    EXPECT_EQ(list.NextFreeValue(3), 7);
    EXPECT_EQ(list.NextValue(6), 9);
    EXPECT_FALSE(list.NextValue(10));
    EXPECT_EQ(list.FindMissingNumbers(1, 8).ToString(), L"1,2,7,8");
    EXPECT_EQ(list.GetConnectedNumbers(5).ToString(), L"3,4,5,6");
    EXPECT_EQ(list.GetConnectedNumbers(7).Count(), 0);

    list.Exchange(0, 5);
    list.Move(0, 2);
    EXPECT_EQ(list.ToString(L' '), L"4 5 10 6 9 3");
    list.SetValueAdd(9, 1); // past the end: appended
    EXPECT_EQ(list.IncValue(6, 4), 5);
    list.SetSorted(true);
    EXPECT_EQ(list.ToString(), L"3,4,5,5,6,9,10");

    TIntegerList copy;
    copy.Assign(list);
    EXPECT_TRUE(copy.Equals(list));
    int value = 0;
    EXPECT_FALSE(copy.GetValue(7, value));
    EXPECT_EQ(copy.GetValueDef(-1, 42), 42);
    EXPECT_EQ(TIntegerList().GetValueDef(0, 7), 7);

    // Each random pick takes its entry out.
    std::vector<int> picked;
    while (auto v = copy.GetValueRandomUnique([](int n) { return n / 2; }))
        picked.push_back(*v);
    EXPECT_EQ(picked.size(), 7u);
    EXPECT_EQ(copy.Count(), 0);

    EXPECT_FALSE(copy.FromString(L"1, 2,x,-4"));
    EXPECT_EQ(copy.ToString(), L"1,2,-4");
    EXPECT_TRUE(copy.FromString(L""));
    EXPECT_EQ(copy.Count(), 0);
}

TEST(IntListTest, StringMapReadsValueObjects) {
    TStringStrList list;
    list.AddValue(L"Zwei", L"2");
    list.Add(L"Leer");
    std::wstring value;
    EXPECT_TRUE(list.GetValue(L"zwei", value)); // keys ignore case
    EXPECT_EQ(value, L"2");
    EXPECT_FALSE(list.GetValue(1, value)); // no value object
    EXPECT_FALSE(list.GetValue(5, value));
    EXPECT_EQ(list.GetValueDef(L"Leer", L"-"), L"-");
    EXPECT_EQ(list.GetValueDef(L"Drei", L"-"), L"-");
    EXPECT_EQ(list.Strings(1), L"Leer");
}
