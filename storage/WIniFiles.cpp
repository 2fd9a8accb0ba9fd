#include "storage/WIniFiles.h"

#include <algorithm>
#include <vector>

#include "core/CodePage.h"
#include "core/Convert.h"
#include "core/Exceptions.h"

namespace storage {
namespace {

// Number, date and time texts reach their parsers as the platform's byte strings, in the
// system code page.
std::wstring ThroughCodePage(const std::wstring& text)
{
    return core::AnsiToWide(core::WideToAnsi(text));
}

} // namespace

// Restores the separators on every way out of a conversion.
class TWCustomIniFile::TInvariantFormat {
public:
    explicit TInvariantFormat(const TWCustomIniFile& file) : file_(file) { file_.BeginInvariantFormat(); }
    ~TInvariantFormat() { file_.EndInvariantFormat(); }
    TInvariantFormat(const TInvariantFormat&) = delete;
    TInvariantFormat& operator=(const TInvariantFormat&) = delete;

private:
    const TWCustomIniFile& file_;
};

void TWCustomIniFile::BeginInvariantFormat() const
{
    auto& settings = core::FormatSettings();
    savedDecimalSeparator_ = settings.DecimalSeparator;
    savedThousandSeparator_ = settings.ThousandSeparator;
    settings.DecimalSeparator = L'.';
    settings.ThousandSeparator = L',';
}

void TWCustomIniFile::EndInvariantFormat() const
{
    auto& settings = core::FormatSettings();
    settings.DecimalSeparator = savedDecimalSeparator_;
    settings.ThousandSeparator = savedThousandSeparator_;
}

int32_t TWCustomIniFile::ReadInt(const std::wstring& section, const std::wstring& key, int32_t defaultValue) const
{
    int32_t value = defaultValue;
    core::TryStrToInt(ThroughCodePage(ReadValue(section, key, L"")), value);
    return value;
}

void TWCustomIniFile::WriteInt(const std::wstring& section, const std::wstring& key, int32_t value)
{
    WriteValue(section, key, core::Format(L"%d", value));
}

bool TWCustomIniFile::ReadFlag(const std::wstring& section, const std::wstring& key, bool defaultValue) const
{
    return ReadInt(section, key, defaultValue ? 1 : 0) != 0;
}

void TWCustomIniFile::WriteFlag(const std::wstring& section, const std::wstring& key, bool value)
{
    WriteValue(section, key, value ? L"1" : L"0");
}

void TWCustomIniFile::WriteHexInt(const std::wstring& section, const std::wstring& key, uint32_t value)
{
    WriteValue(section, key, core::Format(L"0x%.8X", value));
}

int TWCustomIniFile::ReadBytes(const std::wstring& section, const std::wstring& key, core::TStream& target) const
{
    std::wstring text = ReadValue(section, key, L"");
    std::string bytes;
    int32_t byte = 0;
    for (size_t i = 0; i + 1 < text.size() && core::TryStrToInt(L"$" + text.substr(i, 2), byte); i += 2)
        bytes += static_cast<char>(byte);
    target.WriteBuffer(bytes.data(), bytes.size());
    return static_cast<int>(bytes.size());
}

void TWCustomIniFile::WriteBytes(const std::wstring& section, const std::wstring& key, core::TStream& source)
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(source.Size() - source.Position(), 0)));
    bytes.resize(source.Read(bytes.data(), bytes.size()));
    std::wstring text;
    text.reserve(bytes.size() * 2);
    for (uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    WriteValue(section, key, text);
}

double TWCustomIniFile::ReadConverted(const std::wstring& section, const std::wstring& key, double defaultValue,
                                      double (*parse)(std::wstring_view)) const
{
    std::wstring text = ReadValue(section, key, L"");
    if (text.empty())
        return defaultValue;
    TInvariantFormat invariant(*this);
    try {
        return parse(ThroughCodePage(text));
    } catch (const core::EConvertError&) {
        return defaultValue;
    }
}

void TWCustomIniFile::WriteConverted(const std::wstring& section, const std::wstring& key, double value,
                                     std::wstring (*format)(double))
{
    std::wstring text;
    {
        TInvariantFormat invariant(*this);
        text = format(value);
    }
    WriteValue(section, key, text);
}

core::TDateTime TWCustomIniFile::ReadDateValue(const std::wstring& section, const std::wstring& key,
                                               core::TDateTime defaultValue) const
{
    return ReadConverted(section, key, defaultValue, core::StrToDate);
}

core::TDateTime TWCustomIniFile::ReadDateTimeValue(const std::wstring& section, const std::wstring& key,
                                                   core::TDateTime defaultValue) const
{
    return ReadConverted(section, key, defaultValue, core::StrToDateTime);
}

double TWCustomIniFile::ReadRealValue(const std::wstring& section, const std::wstring& key, double defaultValue) const
{
    return ReadConverted(section, key, defaultValue, core::StrToFloat);
}

core::TDateTime TWCustomIniFile::ReadTimeValue(const std::wstring& section, const std::wstring& key,
                                               core::TDateTime defaultValue) const
{
    return ReadConverted(section, key, defaultValue, core::StrToTime);
}

void TWCustomIniFile::WriteDateValue(const std::wstring& section, const std::wstring& key, core::TDateTime value)
{
    WriteConverted(section, key, value, core::DateToStr);
}

void TWCustomIniFile::WriteDateTimeValue(const std::wstring& section, const std::wstring& key, core::TDateTime value)
{
    WriteConverted(section, key, value, core::DateTimeToStr);
}

void TWCustomIniFile::WriteRealValue(const std::wstring& section, const std::wstring& key, double value)
{
    WriteConverted(section, key, value, core::FloatToStr);
}

void TWCustomIniFile::WriteTimeValue(const std::wstring& section, const std::wstring& key, core::TDateTime value)
{
    WriteConverted(section, key, value, core::TimeToStr);
}

} // namespace storage
