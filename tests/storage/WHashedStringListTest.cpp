#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "storage/WHashedStringList.h"

using storage::TWHashedStringList;

TEST(WStringHash, HashRotatesByTwoAndMixesEachCodeUnit)
{
    storage::TWStringHash hash(256);
    EXPECT_EQ(hash.HashKey(L""), 0u);
    EXPECT_EQ(hash.HashKey(L"A"), 65u);
    EXPECT_EQ(hash.HashKey(L"AB"), 326u);
    EXPECT_EQ(hash.HashKey(L"OPTIONS"), 390107u);
    EXPECT_EQ(hash.HashKey(L"TAVİLO AYARLARI ŞÜĞ"), 0xC8900AD5u) << "high bits rotate into the low ones";
}

TEST(WStringHash, FindsTheLatestIndexOfAKeyAndExactKeysOnly)
{
    storage::TWStringHash hash(256);
    hash.AddKey(L"A", 1);
    hash.AddKey(L"A", 5);
    hash.AddKey(L"\x0101", 7); // same chain as "A" (257 mod 256)
    EXPECT_EQ(hash.IndexFor(L"A"), 5);
    EXPECT_EQ(hash.IndexFor(L"\x0101"), 7);
    EXPECT_EQ(hash.IndexFor(L"a"), -1);
    hash.RemoveAll();
    EXPECT_EQ(hash.IndexFor(L"A"), -1);
}

TEST(WHashedStringList, LookupsFindTheLastOccurrenceIgnoringCase)
{
    struct Case {
        std::vector<const wchar_t*> strings;
        const wchar_t* text;
        int indexOf;
        const wchar_t* key;
        int indexOfKey;
    } cases[] = {
        {{L"x", L"y", L"x"}, L"x", 2, L"x", -1},     {{L"a=1", L"b", L"A=2"}, L"A=1", 0, L"a", 2},
        {{L"a=1", L"b", L"A=2"}, L"b", 1, L"b", -1}, {{L"şule=1", L"ĞÜL=2"}, L"ŞULE=1", 0, L"ğül", 1},
        {{L"=5", L"k="}, L"=5", 0, L"", 0},          {{}, L"", -1, L"", -1},
    };
    for (const auto& c : cases) {
        TWHashedStringList list;
        for (const wchar_t* s : c.strings)
            list.Add(s);
        EXPECT_EQ(list.IndexOf(c.text), c.indexOf) << list.Count();
        EXPECT_EQ(list.IndexOfKey(c.key), c.indexOfKey) << list.Count();
    }
}

TEST(WHashedStringList, CaseSensitiveListsCompareExactly)
{
    TWHashedStringList list;
    list.SetCaseSensitive(true);
    list.Add(L"Key=1");
    EXPECT_EQ(list.IndexOfKey(L"key"), -1);
    EXPECT_EQ(list.IndexOfKey(L"Key"), 0);
    EXPECT_EQ(list.IndexOf(L"key=1"), -1);
}

// Every change, inside a batch too, makes the next lookup see the list as it is.
TEST(WHashedStringList, LookupsFollowEveryChange)
{
    TWHashedStringList list;
    list.Add(L"x");
    list.Add(L"y=1");
    EXPECT_EQ(list.IndexOf(L"y=1"), 1);
    list.RemoveAt(0);
    EXPECT_EQ(list.IndexOf(L"y=1"), 0);
    EXPECT_EQ(list.IndexOfKey(L"y"), 0);
    list.ReplaceAt(0, L"z=2");
    EXPECT_EQ(list.IndexOfKey(L"y"), -1);
    EXPECT_EQ(list.IndexOfKey(L"z"), 0);
    {
        storage::TWStrings::TBatch batch(list);
        list.Insert(0, L"w=0");
        EXPECT_EQ(list.IndexOfKey(L"z"), 1);
        list.Swap(0, 1);
        EXPECT_EQ(list.IndexOfKey(L"z"), 0);
    }
    list.Clear();
    EXPECT_EQ(list.IndexOf(L"z=2"), -1);
}

// A table of a million equal keys is one chain; freeing it must not recurse through it.
TEST(WHashedStringList, AMillionEqualKeysAreFoundAndFreed)
{
    auto list = std::make_unique<TWHashedStringList>();
    for (int i = 0; i < 1000000; ++i)
        list->Add(L"a=1");
    EXPECT_EQ(list->IndexOfKey(L"A"), 999999);
    EXPECT_EQ(list->IndexOf(L"a=1"), 999999);
    list.reset();
}
