#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Event.h"
#include "core/Object.h"
#include "core/Streams.h"

namespace storage {

// The two bytes that open every UTF-16 little-endian text file the program writes.
inline constexpr uint8_t ByteOrderMark[2] = {0xFF, 0xFE};

// An ordered list of UTF-16 strings, each carrying an object pointer that the list
// never owns. Changes can be grouped into batches; text files are UTF-16 with a
// byte-order mark and CR LF line ends.
class TWStrings : public core::TPersistent {
public:
    // Opens a batch for its lifetime, closing it also when an exception passes.
    class TBatch {
    public:
        explicit TBatch(TWStrings& list) : list_(list) { list_.BeginBatch(); }
        ~TBatch() { list_.EndBatch(); }
        TBatch(const TBatch&) = delete;
        TBatch& operator=(const TBatch&) = delete;

    private:
        TWStrings& list_;
    };

    void Assign(const core::TPersistent* source) override { AssignFrom(source); }

    virtual void AssignFrom(const core::TPersistent* source);
    virtual std::wstring StringAt(int index) const = 0;
    virtual int Capacity() const { return Count(); }
    virtual int Count() const = 0;
    virtual core::TObject* ObjectAt(int index) const;
    virtual std::wstring AllText() const;
    virtual void ReplaceAt(int index, const std::wstring& s);
    virtual void ReplaceObjectAt(int index, core::TObject* object);
    virtual void ChangeCapacity(int capacity);
    virtual void SetAllText(std::wstring_view text);
    virtual void BatchStateChanged(bool open);
    virtual int CompareTexts(const std::wstring& a, const std::wstring& b) const;
    virtual int Add(const std::wstring& s);
    virtual int AddWithObject(const std::wstring& s, core::TObject* object);
    virtual void AddAll(const TWStrings& list);
    virtual void Clear() = 0;
    virtual void RemoveAt(int index) = 0;
    virtual void Swap(int index1, int index2);
    virtual int IndexOf(const std::wstring& s) const;
    virtual int IndexOfKey(const std::wstring& key) const;
    virtual int FindObject(const core::TObject* object) const;
    virtual void Insert(int index, const std::wstring& s) = 0;
    virtual void LoadFile(const std::wstring& fileName);
    virtual void LoadStream(core::TStream& stream);
    virtual void Move(int from, int to);
    virtual void SaveFile(const std::wstring& fileName) const;
    virtual void SaveStream(core::TStream& stream) const;

    void BeginBatch();
    void EndBatch();
    // The text of string index before its first "=", or "" when it has none.
    std::wstring KeyAt(int index) const;
    void InsertWithObject(int index, const std::wstring& s, core::TObject* object);
    [[noreturn]] static void RaiseListError(const wchar_t* format, int value);

protected:
    int BatchDepth() const { return batchDepth_; }

private:
    int batchDepth_ = 0;
};

// One entry of a TWStringList.
struct TWStringItem {
    std::wstring Str;
    core::TObject* Obj = nullptr;
};

enum class TDuplicatePolicy { IgnoreDuplicates, AcceptDuplicates, RejectDuplicates };

// The array-backed list. Case-insensitive by the user's locale unless CaseSensitive.
// A sorted mode keeps the strings in CompareTexts order; nothing in the program uses it.
class TWStringList : public TWStrings {
public:
    using TCompare = std::function<int(TWStringList& list, int index1, int index2)>;

    ~TWStringList() override;

    std::wstring StringAt(int index) const override;
    int Capacity() const override { return static_cast<int>(entries_.size()); }
    int Count() const override { return count_; }
    core::TObject* ObjectAt(int index) const override;
    void ReplaceAt(int index, const std::wstring& s) override;
    void ReplaceObjectAt(int index, core::TObject* object) override;
    void ChangeCapacity(int capacity) override;
    void BatchStateChanged(bool open) override;
    int CompareTexts(const std::wstring& a, const std::wstring& b) const override;
    int Add(const std::wstring& s) override;
    void Clear() override;
    void RemoveAt(int index) override;
    void Swap(int index1, int index2) override;
    int IndexOf(const std::wstring& s) const override;
    void Insert(int index, const std::wstring& s) override;

    virtual void AfterChange();
    virtual void BeforeChange();
    // Binary search in sorted mode: true when found; index receives the match or the
    // place where s belongs.
    virtual bool Find(const std::wstring& s, int& index) const;
    virtual void Sort();
    virtual void SortWith(const TCompare& compare);

    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);
    bool KeepSorted() const { return keepSorted_; }
    void SetKeepSorted(bool keepSorted);
    TDuplicatePolicy DuplicatePolicy() const { return duplicatePolicy_; }
    void SetDuplicatePolicy(TDuplicatePolicy policy) { duplicatePolicy_ = policy; }

    core::TNotifyEvent OnAfterChange;
    core::TNotifyEvent OnBeforeChange;

protected:
    void InsertEntry(int index, const std::wstring& s);
    void SwapEntries(int index1, int index2);
    void GrowStorage();
    void QuickSortRange(int left, int right, const TCompare& compare);

private:
    void CheckIndex(int index) const;
    void CheckUnsorted() const;
    void SortEntries(const TCompare& compare);

    std::vector<TWStringItem> entries_; // its size is the capacity
    int count_ = 0;
    bool keepSorted_ = false;
    TDuplicatePolicy duplicatePolicy_ = TDuplicatePolicy::IgnoreDuplicates;
    bool caseSensitive_ = false;
};

} // namespace storage
