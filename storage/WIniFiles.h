#pragma once
#include <cstdint>
#include <string>

#include "core/DateTime.h"
#include "core/Object.h"
#include "core/Streams.h"
#include "storage/WStrings.h"

namespace storage {

// Typed reads and writes of an INI file over two string operations. Every read falls
// back to the caller's default when the key is absent or its text does not convert.
// Numbers are written and read with "." as decimal and "," as thousands separator
// whatever the user's locale; dates and times follow the user's formats.
class TWCustomIniFile : public core::TObject {
public:
    explicit TWCustomIniFile(std::wstring fileName) : filePath_(std::move(fileName)) {}

    const std::wstring& FilePath() const { return filePath_; }

    virtual std::wstring ReadValue(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& defaultValue) const = 0;
    virtual void WriteValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) = 0;
    virtual int32_t ReadInt(const std::wstring& section, const std::wstring& key, int32_t defaultValue) const;
    virtual void WriteInt(const std::wstring& section, const std::wstring& key, int32_t value);
    virtual bool ReadFlag(const std::wstring& section, const std::wstring& key, bool defaultValue) const;
    virtual void WriteFlag(const std::wstring& section, const std::wstring& key, bool value);
    virtual void WriteHexInt(const std::wstring& section, const std::wstring& key, uint32_t value);
    // Appends the bytes of the value (two hexadecimal digits each) at the target's
    // position; stops at the first pair that is not hexadecimal. Returns the count.
    virtual int ReadBytes(const std::wstring& section, const std::wstring& key, core::TStream& target) const;
    virtual core::TDateTime ReadDateValue(const std::wstring& section, const std::wstring& key,
                                          core::TDateTime defaultValue) const;
    virtual core::TDateTime ReadDateTimeValue(const std::wstring& section, const std::wstring& key,
                                              core::TDateTime defaultValue) const;
    virtual double ReadRealValue(const std::wstring& section, const std::wstring& key, double defaultValue) const;
    virtual core::TDateTime ReadTimeValue(const std::wstring& section, const std::wstring& key,
                                          core::TDateTime defaultValue) const;
    // Writes the source's bytes from its position to its end.
    virtual void WriteBytes(const std::wstring& section, const std::wstring& key, core::TStream& source);
    virtual void WriteDateValue(const std::wstring& section, const std::wstring& key, core::TDateTime value);
    virtual void WriteDateTimeValue(const std::wstring& section, const std::wstring& key, core::TDateTime value);
    virtual void WriteRealValue(const std::wstring& section, const std::wstring& key, double value);
    virtual void WriteTimeValue(const std::wstring& section, const std::wstring& key, core::TDateTime value);
    virtual void ListKeys(const std::wstring& section, TWStrings& strings) const = 0;
    virtual void ListSections(TWStrings& strings) const = 0;
    virtual void ListSectionLines(const std::wstring& section, TWStrings& strings) const = 0;
    virtual void RemoveSection(const std::wstring& section) = 0;
    virtual void RemoveKey(const std::wstring& section, const std::wstring& key) = 0;
    virtual void Flush() = 0;

    // Switch the process's separators to "." and "," and back.
    void BeginInvariantFormat() const;
    void EndInvariantFormat() const;

private:
    class TInvariantFormat;

    double ReadConverted(const std::wstring& section, const std::wstring& key, double defaultValue,
                         double (*parse)(std::wstring_view)) const;
    void WriteConverted(const std::wstring& section, const std::wstring& key, double value,
                        std::wstring (*format)(double));

    std::wstring filePath_;
    // Kept only between BeginInvariantFormat and EndInvariantFormat.
    mutable wchar_t savedDecimalSeparator_ = L'.';
    mutable wchar_t savedThousandSeparator_ = L',';
};

} // namespace storage
