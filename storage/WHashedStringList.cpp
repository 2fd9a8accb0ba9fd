#include "storage/WHashedStringList.h"

#include "core/Win32.h"

namespace storage {
namespace {

constexpr int TableChains = 256;

} // namespace

TWStringHash::TWStringHash(int chainCount) : chains_(chainCount) {}

TWStringHash::~TWStringHash()
{
    RemoveAll();
}

uint32_t TWStringHash::HashKey(const std::wstring& key) const
{
    uint32_t hash = 0;
    for (wchar_t c : key)
        hash = ((hash << 2) | (hash >> 30)) ^ static_cast<uint16_t>(c);
    return hash;
}

void TWStringHash::AddKey(const std::wstring& key, int index)
{
    auto& head = chains_[HashKey(key) % chains_.size()];
    auto item = std::make_unique<THashItemW>();
    item->KeyText = key;
    item->Index = index;
    item->Link = std::move(head);
    head = std::move(item);
}

// Unlinks one item at a time: freeing a long chain by recursion could exhaust the stack
// (a hostile file can put a million equal keys into one chain).
void TWStringHash::RemoveAll()
{
    for (auto& head : chains_)
        while (head)
            head = std::move(head->Link);
}

const std::unique_ptr<THashItemW>* TWStringHash::LocateLink(const std::wstring& key) const
{
    const std::unique_ptr<THashItemW>* link = &chains_[HashKey(key) % chains_.size()];
    while (*link && (*link)->KeyText != key)
        link = &(*link)->Link;
    return link;
}

int TWStringHash::IndexFor(const std::wstring& key) const
{
    const auto& link = *LocateLink(key);
    return link ? link->Index : -1;
}

std::wstring TWHashedStringList::LookupForm(const std::wstring& s) const
{
    if (CaseSensitive() || s.empty())
        return s;
    std::wstring upper = s;
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

int TWHashedStringList::IndexOf(const std::wstring& s) const
{
    RebuildTextTable();
    return textTable_->IndexFor(LookupForm(s));
}

int TWHashedStringList::IndexOfKey(const std::wstring& key) const
{
    RebuildKeyTable();
    return keyTable_->IndexFor(LookupForm(key));
}

void TWHashedStringList::AfterChange()
{
    TWStringList::AfterChange();
    textTableValid_ = false;
    keyTableValid_ = false;
}

void TWHashedStringList::RebuildTextTable() const
{
    RebuildTable(textTable_, textTableValid_, false);
}

void TWHashedStringList::RebuildKeyTable() const
{
    RebuildTable(keyTable_, keyTableValid_, true);
}

// Strings without "=" have no key part and no entry in the key table.
void TWHashedStringList::RebuildTable(std::unique_ptr<TWStringHash>& table, bool& valid, bool keyParts) const
{
    if (valid)
        return;
    if (table)
        table->RemoveAll();
    else
        table = std::make_unique<TWStringHash>(TableChains);
    for (int i = 0; i < Count(); ++i) {
        std::wstring s = StringAt(i);
        size_t equals = s.find(L'=');
        if (!keyParts)
            table->AddKey(LookupForm(s), i);
        else if (equals != std::wstring::npos)
            table->AddKey(LookupForm(s.substr(0, equals)), i);
    }
    valid = true;
}

} // namespace storage
