#include <algorithm>

#include "core/Compare.h"
#include "storage/WStrings.h"

namespace storage {
namespace {

int CompareStrings(TWStringList& list, int index1, int index2)
{
    return list.CompareTexts(list.StringAt(index1), list.StringAt(index2));
}

} // namespace

TWStringList::~TWStringList()
{
    OnAfterChange.Clear();
    OnBeforeChange.Clear();
}

void TWStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= count_)
        RaiseListError(L"List index out of bounds (%d)", index);
}

void TWStringList::CheckUnsorted() const
{
    if (keepSorted_)
        RaiseListError(L"Operation not allowed on sorted list", 0);
}

std::wstring TWStringList::StringAt(int index) const
{
    CheckIndex(index);
    return entries_[index].Str;
}

core::TObject* TWStringList::ObjectAt(int index) const
{
    CheckIndex(index);
    return entries_[index].Obj;
}

void TWStringList::ReplaceAt(int index, const std::wstring& s)
{
    CheckUnsorted();
    CheckIndex(index);
    BeforeChange();
    entries_[index].Str = s;
    AfterChange();
}

void TWStringList::ReplaceObjectAt(int index, core::TObject* object)
{
    CheckIndex(index);
    BeforeChange();
    entries_[index].Obj = object;
    AfterChange();
}

// The array holds exactly the capacity asked for, so that it grows by GrowStorage's steps.
void TWStringList::ChangeCapacity(int capacity)
{
    size_t size = static_cast<size_t>(std::max(capacity, count_));
    entries_.reserve(size);
    entries_.resize(size);
    entries_.shrink_to_fit();
}

void TWStringList::BatchStateChanged(bool open)
{
    if (open)
        BeforeChange();
    else
        AfterChange();
}

int TWStringList::CompareTexts(const std::wstring& a, const std::wstring& b) const
{
    return core::CompareTextLocale(a, b, caseSensitive_);
}

int TWStringList::Add(const std::wstring& s)
{
    int index = count_;
    if (keepSorted_ && Find(s, index)) {
        if (duplicatePolicy_ == TDuplicatePolicy::IgnoreDuplicates)
            return index;
        if (duplicatePolicy_ == TDuplicatePolicy::RejectDuplicates)
            RaiseListError(L"String list does not allow duplicates", 0);
    }
    InsertEntry(index, s);
    return index;
}

void TWStringList::Clear()
{
    if (count_ == 0)
        return;
    BeforeChange();
    count_ = 0;
    ChangeCapacity(0);
    AfterChange();
}

void TWStringList::RemoveAt(int index)
{
    CheckIndex(index);
    BeforeChange();
    std::move(entries_.begin() + index + 1, entries_.begin() + count_, entries_.begin() + index);
    entries_[--count_] = TWStringItem{};
    AfterChange();
}

void TWStringList::Swap(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    BeforeChange();
    SwapEntries(index1, index2);
    AfterChange();
}

int TWStringList::IndexOf(const std::wstring& s) const
{
    if (!keepSorted_)
        return TWStrings::IndexOf(s);
    int index = -1;
    return Find(s, index) ? index : -1;
}

void TWStringList::Insert(int index, const std::wstring& s)
{
    CheckUnsorted();
    if (index < 0 || index > count_)
        RaiseListError(L"List index out of bounds (%d)", index);
    InsertEntry(index, s);
}

void TWStringList::AfterChange()
{
    if (BatchDepth() == 0)
        OnAfterChange(this);
}

void TWStringList::BeforeChange()
{
    if (BatchDepth() == 0)
        OnBeforeChange(this);
}

bool TWStringList::Find(const std::wstring& s, int& index) const
{
    bool found = false;
    int low = 0, high = count_ - 1;
    while (low <= high) {
        int middle = static_cast<int>((static_cast<unsigned>(low) + static_cast<unsigned>(high)) >> 1);
        int c = CompareTexts(entries_[middle].Str, s);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0) {
                found = true;
                if (duplicatePolicy_ != TDuplicatePolicy::AcceptDuplicates)
                    low = middle;
            }
        }
    }
    index = low;
    return found;
}

void TWStringList::Sort()
{
    SortWith(CompareStrings);
}

void TWStringList::SortWith(const TCompare& compare)
{
    if (!keepSorted_ && count_ > 1)
        SortEntries(compare);
}

void TWStringList::SortEntries(const TCompare& compare)
{
    BeforeChange();
    QuickSortRange(0, count_ - 1, compare);
    AfterChange();
}

// A sorted list is put into the new order at once: Find relies on it.
void TWStringList::SetCaseSensitive(bool caseSensitive)
{
    if (caseSensitive == caseSensitive_)
        return;
    caseSensitive_ = caseSensitive;
    if (keepSorted_ && count_ > 1)
        SortEntries(CompareStrings);
}

void TWStringList::SetKeepSorted(bool keepSorted)
{
    if (keepSorted == keepSorted_)
        return;
    if (keepSorted)
        Sort();
    keepSorted_ = keepSorted;
}

void TWStringList::InsertEntry(int index, const std::wstring& s)
{
    BeforeChange();
    if (count_ == Capacity())
        GrowStorage();
    std::move_backward(entries_.begin() + index, entries_.begin() + count_, entries_.begin() + count_ + 1);
    entries_[index] = TWStringItem{s, nullptr};
    ++count_;
    AfterChange();
}

void TWStringList::SwapEntries(int index1, int index2)
{
    std::swap(entries_[index1], entries_[index2]);
}

void TWStringList::GrowStorage()
{
    int capacity = Capacity();
    int delta = capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4;
    ChangeCapacity(capacity + delta);
}

void TWStringList::QuickSortRange(int left, int right, const TCompare& compare)
{
    int i;
    do {
        i = left;
        int j = right;
        int pivot = (left + right) / 2;
        do {
            while (compare(*this, i, pivot) < 0)
                ++i;
            while (compare(*this, j, pivot) > 0)
                --j;
            if (i <= j) {
                SwapEntries(i, j);
                if (pivot == i)
                    pivot = j;
                else if (pivot == j)
                    pivot = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (left < j)
            QuickSortRange(left, j, compare);
        left = i;
    } while (i < right);
}

} // namespace storage
