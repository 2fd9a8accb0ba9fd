#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/Exceptions.h"
#include "storage/WStrings.h"
#include "tests/storage/StorageTestSupport.h"

using storage::TDuplicatePolicy;
using storage::TWStringList;
using storage_test::Strings;

namespace {

void Fill(TWStringList& list, std::initializer_list<const wchar_t*> strings)
{
    for (const wchar_t* s : strings)
        list.Add(s);
}

// Counts the notifications of a list, in order: '<' before a change, '>' after it.
struct TNotifications {
    explicit TNotifications(TWStringList& list)
    {
        list.OnBeforeChange.Bind([this](core::TObject*) { log += L'<'; });
        list.OnAfterChange.Bind([this](core::TObject*) { log += L'>'; });
    }
    std::wstring log;
};

class Marker : public core::TObject {};

using TWStringsFileTest = storage_test::TempFolderTest;

} // namespace

TEST(WStringList, SplitsTextAtEveryKindOfLineBreak)
{
    struct Case {
        std::wstring text;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"a\r\nb", {L"a", L"b"}},
        {L"a\r\rb", {L"a", L"", L"b"}},
        {L"a\n\rb", {L"a", L"", L"b"}},
        {L"a\n\nb", {L"a", L"", L"b"}},
        {L"a\r\n", {L"a"}},
        {L"a\rb\nc", {L"a", L"b", L"c"}},
        {std::wstring(L"a\0b", 3), {L"a"}},
        {std::wstring(L"\0a", 2), {}},
        {L"", {}},
        {L"\r\n", {L""}},
        {L"ğüşİıö\r\nÇ", {L"ğüşİıö", L"Ç"}},
    };
    for (const auto& c : cases) {
        TWStringList list;
        list.Add(L"old");
        list.SetAllText(c.text);
        EXPECT_EQ(Strings(list), c.lines) << core::ToUtf8(c.text);
    }
}

TEST(WStringList, JoinsLinesWithCrLf)
{
    TWStringList list;
    EXPECT_EQ(list.AllText(), L"");
    Fill(list, {L"a", L""});
    EXPECT_EQ(list.AllText(), L"a\r\n\r\n");
}

TEST(WStringList, BadIndexesRaiseListErrorsAndChangeNothing)
{
    struct Case {
        const char* operation;
        bool sorted;
        std::function<void(TWStringList&)> call;
        std::wstring message;
    } cases[] = {
        {"StringAt -1", false, [](TWStringList& l) { l.StringAt(-1); }, L"List index out of bounds (-1)"},
        {"StringAt Count", false, [](TWStringList& l) { l.StringAt(3); }, L"List index out of bounds (3)"},
        {"ObjectAt", false, [](TWStringList& l) { l.ObjectAt(3); }, L"List index out of bounds (3)"},
        {"ReplaceAt", false, [](TWStringList& l) { l.ReplaceAt(5, L"x"); }, L"List index out of bounds (5)"},
        {"ReplaceObjectAt", false, [](TWStringList& l) { l.ReplaceObjectAt(-2, nullptr); },
         L"List index out of bounds (-2)"},
        {"RemoveAt", false, [](TWStringList& l) { l.RemoveAt(-1); }, L"List index out of bounds (-1)"},
        {"Swap second", false, [](TWStringList& l) { l.Swap(0, 5); }, L"List index out of bounds (5)"},
        {"Swap first", false, [](TWStringList& l) { l.Swap(7, 9); }, L"List index out of bounds (7)"},
        {"Insert Count+1", false, [](TWStringList& l) { l.Insert(4, L"x"); }, L"List index out of bounds (4)"},
        {"sorted ReplaceAt", true, [](TWStringList& l) { l.ReplaceAt(0, L"x"); },
         L"Operation not allowed on sorted list"},
        {"sorted Insert", true, [](TWStringList& l) { l.Insert(0, L"x"); }, L"Operation not allowed on sorted list"},
        {"rejected duplicate", true,
         [](TWStringList& l) {
             l.SetDuplicatePolicy(TDuplicatePolicy::RejectDuplicates);
             l.Add(L"B");
         },
         L"String list does not allow duplicates"},
    };
    for (const auto& c : cases) {
        TWStringList list;
        Fill(list, {L"a", L"b", L"c"});
        list.SetKeepSorted(c.sorted);
        TNotifications notifications(list);
        try {
            c.call(list);
            ADD_FAILURE() << c.operation << " raised nothing";
        } catch (const core::EListError& error) {
            EXPECT_EQ(error.Message(), c.message) << c.operation;
        }
        EXPECT_EQ(Strings(list), (std::vector<std::wstring>{L"a", L"b", L"c"})) << c.operation;
        EXPECT_EQ(notifications.log, L"") << c.operation;
    }
}

TEST(WStringList, InsertAtCountAppends)
{
    TWStringList list;
    Fill(list, {L"a"});
    list.Insert(list.Count(), L"b");
    list.Insert(0, L"z");
    EXPECT_EQ(Strings(list), (std::vector<std::wstring>{L"z", L"a", L"b"}));
}

TEST(WStringList, GrowsByQuartersOnceLarge)
{
    TWStringList list;
    EXPECT_EQ(list.Capacity(), 0);
    std::vector<int> capacities;
    for (int i = 0; i < 118; ++i) {
        list.Add(L"x");
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
        if (i == 8) {
            EXPECT_EQ(list.Capacity(), 12) << "nine entries";
        }
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(WStringList, FindsStringsKeysAndObjects)
{
    Marker first, second;
    TWStringList list;
    list.AddWithObject(L"abc", &first);
    list.AddWithObject(L"key=value=more", &second);
    list.Add(L"a");
    list.Add(L"şule=1");
    EXPECT_EQ(list.IndexOf(L"ABC"), 0);
    EXPECT_EQ(list.IndexOf(L"nothing"), -1);
    EXPECT_EQ(list.IndexOfKey(L"KEY"), 1);
    EXPECT_EQ(list.IndexOfKey(L"a"), -1) << "a line without '=' has no key";
    EXPECT_EQ(list.IndexOfKey(L"ŞULE"), 3);
    EXPECT_EQ(list.KeyAt(1), L"key");
    EXPECT_EQ(list.KeyAt(2), L"");
    EXPECT_EQ(list.FindObject(&second), 1);
    EXPECT_EQ(list.FindObject(nullptr), 2);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf(L"ABC"), -1);
    EXPECT_EQ(list.IndexOf(L"abc"), 0);
}

TEST(WStringList, MovesSwapsAndReplacesWithTheirObjects)
{
    Marker a, b;
    TWStringList list;
    list.AddWithObject(L"a", &a);
    list.AddWithObject(L"b", &b);
    list.Add(L"c");
    list.Move(0, 2);
    EXPECT_EQ(Strings(list), (std::vector<std::wstring>{L"b", L"c", L"a"}));
    EXPECT_EQ(list.ObjectAt(2), &a);
    list.Swap(0, 1);
    EXPECT_EQ(Strings(list), (std::vector<std::wstring>{L"c", L"b", L"a"}));
    EXPECT_EQ(list.ObjectAt(1), &b);
    list.ReplaceAt(1, L"B");
    EXPECT_EQ(list.ObjectAt(1), &b) << "the object stays";
    list.RemoveAt(0);
    EXPECT_EQ(Strings(list), (std::vector<std::wstring>{L"B", L"a"}));
}

TEST(WStringList, AssignsFromStringListsOnly)
{
    Marker marker;
    TWStringList source, target;
    source.AddWithObject(L"x", &marker);
    source.Add(L"y");
    target.Add(L"old");
    target.Assign(&source);
    EXPECT_EQ(Strings(target), (std::vector<std::wstring>{L"x", L"y"}));
    EXPECT_EQ(target.ObjectAt(0), &marker);
    target.AssignFrom(&target);
    EXPECT_EQ(Strings(target), (std::vector<std::wstring>{L"x", L"y"}));
    try {
        target.AssignFrom(nullptr);
        FAIL() << "assigned nothing";
    } catch (const core::EConvertError& error) {
        EXPECT_EQ(error.Message(), L"Cannot assign a nil to a TWStringList");
    }
}

TEST(WStringList, NotifiesOncePerChangeOrPerOutermostBatch)
{
    TWStringList source;
    for (int i = 0; i < 100; ++i)
        source.Add(L"s");
    struct Case {
        const char* what;
        std::function<void(TWStringList&)> change;
        std::wstring log;
    } cases[] = {
        {"Add", [](TWStringList& l) { l.Add(L"x"); }, L"<>"},
        {"two Adds", [](TWStringList& l) { l.Add(L"x"), l.Add(L"y"); }, L"<><>"},
        {"AddAll of 100", [&](TWStringList& l) { l.AddAll(source); }, L"<>"},
        {"SetAllText", [](TWStringList& l) { l.SetAllText(L"a\r\nb\r\nc"); }, L"<>"},
        {"Move", [](TWStringList& l) { l.Move(0, 1); }, L"<>"},
        {"nested batches",
         [](TWStringList& l) {
             l.BeginBatch();
             l.BeginBatch();
             l.Add(L"x");
             l.EndBatch();
             l.Add(L"y");
             l.EndBatch();
         },
         L"<>"},
        {"Clear of an empty list", [](TWStringList& l) { l.Clear(), l.Clear(); }, L"<>"},
        {"Sort of one entry", [](TWStringList& l) { l.RemoveAt(0), l.Sort(); }, L"<>"},
    };
    for (const auto& c : cases) {
        TWStringList list;
        Fill(list, {L"a", L"b"});
        TNotifications notifications(list);
        c.change(list);
        EXPECT_EQ(notifications.log, c.log) << c.what;
    }
    std::wstring log;
    {
        TWStringList list;
        list.Add(L"x");
        list.OnAfterChange.Bind([&log](core::TObject*) { log += L'>'; });
    }
    EXPECT_EQ(log, L"") << "destruction notifies nobody";
}

TEST(WStringList, SortedModeKeepsOrderAndAppliesTheDuplicatePolicy)
{
    struct Case {
        TDuplicatePolicy policy;
        int indexOfAddedB;
        std::vector<std::wstring> result;
    } cases[] = {
        {TDuplicatePolicy::IgnoreDuplicates, 1, {L"a", L"b", L"c"}},
        {TDuplicatePolicy::AcceptDuplicates, 1, {L"a", L"B", L"b", L"c"}},
    };
    for (const auto& c : cases) {
        TWStringList list;
        Fill(list, {L"c", L"a", L"b"});
        list.SetKeepSorted(true);
        list.SetDuplicatePolicy(c.policy);
        EXPECT_EQ(Strings(list), (std::vector<std::wstring>{L"a", L"b", L"c"}));
        EXPECT_EQ(list.Add(L"B"), c.indexOfAddedB);
        EXPECT_EQ(Strings(list), c.result);
        int index = -1;
        EXPECT_TRUE(list.Find(L"C", index));
        EXPECT_EQ(index, static_cast<int>(c.result.size()) - 1);
        EXPECT_FALSE(list.Find(L"bb", index));
        EXPECT_EQ(index, static_cast<int>(c.result.size()) - 1) << "the insertion point";
        EXPECT_EQ(list.IndexOf(L"A"), 0);
        EXPECT_EQ(list.IndexOf(L"zz"), -1);
    }
}

// Find trusts the order, so a sorted list is reordered when its comparison changes.
TEST(WStringList, ChangingCaseSensitivityReordersASortedList)
{
    TWStringList list;
    Fill(list, {L"a", L"A", L"b", L"B"});
    list.SetKeepSorted(true);
    list.SetCaseSensitive(true);
    EXPECT_EQ(Strings(list), (std::vector<std::wstring>{L"a", L"A", L"b", L"B"}));
    for (const wchar_t* s : {L"a", L"A", L"b", L"B"}) {
        int index = -1;
        EXPECT_TRUE(list.Find(s, index)) << core::ToUtf8(s);
        EXPECT_EQ(list.StringAt(index), s);
    }
}

TEST(WStringList, SortsWithAGivenComparison)
{
    TWStringList list;
    Fill(list, {L"ccc", L"a", L"bb", L"dddd", L"", L"ee"});
    list.SortWith([](TWStringList& l, int i, int j) {
        return static_cast<int>(l.StringAt(i).size()) - static_cast<int>(l.StringAt(j).size());
    });
    std::vector<size_t> lengths;
    for (const auto& s : Strings(list))
        lengths.push_back(s.size());
    EXPECT_EQ(lengths, (std::vector<size_t>{0, 1, 2, 2, 3, 4}));
}

TEST_F(TWStringsFileTest, SavesUtf16WithMarkAndLoadsItBack)
{
    std::wstring path = PathOf(L"çizgi.txt");
    TWStringList list;
    Fill(list, {L"x", L"y"});
    list.SaveFile(path);
    EXPECT_EQ(storage_test::ReadBytes(path), std::string("\xFF\xFEx\0\r\0\n\0y\0\r\0\n\0", 14));
    TWStringList loaded;
    loaded.LoadFile(path);
    EXPECT_EQ(Strings(loaded), (std::vector<std::wstring>{L"x", L"y"}));
}

TEST_F(TWStringsFileTest, LoadsWhatever)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::wstring> lines;
    } cases[] = {
        {"a mark and half a character", std::string("\xFF\xFE\x41", 3), {}},
        {"no mark", storage_test::Utf16(L"ş\r\nb", false), {L"ş", L"b"}},
        {"an odd last byte", storage_test::Utf16(L"ab") + "\x41", {L"ab"}},
        {"a NUL", storage_test::Utf16(std::wstring(L"a\r\nb\0c", 6)), {L"a", L"b"}},
        {"empty", "", {}},
        {"one byte", "\xFF", {}},
    };
    for (const auto& c : cases) {
        std::wstring path = PathOf(L"girdi.txt");
        storage_test::WriteBytes(path, c.bytes);
        TWStringList list;
        list.LoadFile(path);
        EXPECT_EQ(Strings(list), c.lines) << c.what;
    }
}

TEST_F(TWStringsFileTest, FileErrorsNameTheFileAndKeepTheList)
{
    TWStringList list;
    list.Add(L"kept");
    std::wstring missing = PathOf(L"yok.txt");
    try {
        list.LoadFile(missing);
        FAIL() << "loaded a missing file";
    } catch (const core::EFOpenError& error) {
        EXPECT_EQ(error.Message().find(L"Cannot open file \"" + missing + L"\". "), 0u);
    }
    EXPECT_EQ(Strings(list), (std::vector<std::wstring>{L"kept"}));
    std::wstring noFolder = PathOf(L"yok\\dosya.txt");
    try {
        list.SaveFile(noFolder);
        FAIL() << "saved into a missing folder";
    } catch (const core::EFCreateError& error) {
        EXPECT_EQ(error.Message().find(L"Cannot create file \"" + noFolder + L"\". "), 0u);
    }
}
