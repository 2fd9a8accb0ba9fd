#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "storage/WStrings.h"

namespace storage {

// One key of a TWStringHash chain.
struct THashItemW {
    std::unique_ptr<THashItemW> Link; // the next item of the same chain
    std::wstring KeyText;
    int Index = 0;
};

// A fixed number of chains mapping exact UTF-16 keys to list indexes. A key added
// several times is found at its latest index, since items go to the head of a chain.
class TWStringHash : public core::TObject {
public:
    explicit TWStringHash(int chainCount);
    ~TWStringHash() override;

    virtual uint32_t HashKey(const std::wstring& key) const;
    void AddKey(const std::wstring& key, int index);
    void RemoveAll();
    int IndexFor(const std::wstring& key) const;

private:
    const std::unique_ptr<THashItemW>* LocateLink(const std::wstring& key) const;

    std::vector<std::unique_ptr<THashItemW>> chains_;
};

// A TWStringList whose IndexOf and IndexOfKey go through hash tables, case-insensitive
// unless CaseSensitive. Every change discards the tables; the next lookup rebuilds the
// one it needs. With duplicates, both lookups find the last occurrence.
class TWHashedStringList : public TWStringList {
public:
    int IndexOf(const std::wstring& s) const override;
    int IndexOfKey(const std::wstring& key) const override;
    void AfterChange() override;

private:
    std::wstring LookupForm(const std::wstring& s) const;
    void RebuildTextTable() const;
    void RebuildKeyTable() const;
    void RebuildTable(std::unique_ptr<TWStringHash>& table, bool& valid, bool keyParts) const;

    // Lookups are logically const; the tables are caches of the list.
    mutable std::unique_ptr<TWStringHash> textTable_;
    mutable std::unique_ptr<TWStringHash> keyTable_;
    mutable bool textTableValid_ = false;
    mutable bool keyTableValid_ = false;
};

} // namespace storage
