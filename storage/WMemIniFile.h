#pragma once
#include <memory>
#include <string>
#include <vector>

#include "storage/WHashedStringList.h"
#include "storage/WIniFiles.h"

namespace storage {

// The whole INI file in memory: sections in file order, each a list of lines ("name=value",
// or text without "="). The file is UTF-16 with a byte-order mark, ";" starts a comment
// line, and backslash escapes keep line breaks and tabs inside values. It is read when
// the object is created and written only by Flush; lookups ignore case and find the last
// of equal names. Comment lines are the user's and are written back as they were read:
// those above the first section first, the others among their section's lines, where
// lookups and listings pass over them.
class TWMemIniFile : public TWCustomIniFile {
public:
    explicit TWMemIniFile(std::wstring fileName);
    ~TWMemIniFile() override;

    std::wstring ReadValue(const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue) const override;
    void WriteValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) override;
    void ListKeys(const std::wstring& section, TWStrings& strings) const override;
    void ListSections(TWStrings& strings) const override;
    void ListSectionLines(const std::wstring& section, TWStrings& strings) const override;
    void RemoveSection(const std::wstring& section) override;
    void RemoveKey(const std::wstring& section, const std::wstring& key) override;
    // Rewrites the whole file; the old file stays as it was if that fails.
    void Flush() override;
    virtual void Reload();

    void ClearSections();
    TWHashedStringList* AppendSection(const std::wstring& name);
    void ToLines(TWStrings& list) const;
    void FromLines(const TWStrings& list);
    bool CaseSensitive() const { return sections_->CaseSensitive(); }

private:
    TWHashedStringList* FindSection(const std::wstring& name) const;

    TWStringList leadingComments_;
    std::unique_ptr<TWHashedStringList> sections_;
    std::vector<std::unique_ptr<TWHashedStringList>> sectionLists_; // owns the objects of sections_
};

} // namespace storage
