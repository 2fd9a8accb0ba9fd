#include "storage/WMemIniFile.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/Files.h"

namespace storage {
namespace {

bool IsComment(const std::wstring& line)
{
    return line.starts_with(L';');
}

// Lines read as comments carry this object, so that they are written back as they were
// and stay out of lookups and listings; a line the program wrote is never one, even when
// its name begins with ";".
core::TObject CommentMark;

bool IsCommentLine(const TWStrings& lines, int index)
{
    return lines.ObjectAt(index) == &CommentMark;
}

// The line of the key, passing over comments whose text looks like that key.
int KeyLine(const TWHashedStringList& lines, const std::wstring& key)
{
    int index = lines.IndexOfKey(key);
    if (index < 0 || !IsCommentLine(lines, index))
        return index;
    for (int i = index - 1; i >= 0; --i)
        if (!IsCommentLine(lines, i) && lines.CompareTexts(lines.KeyAt(i), key) == 0)
            return i;
    return -1;
}

// Every character up to the blank (codes 0 to 32) counts as space at either end.
std::wstring Trim(std::wstring_view text)
{
    auto blank = [](wchar_t c) { return c <= L' '; };
    auto begin = std::find_if_not(text.begin(), text.end(), blank);
    auto end = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return begin < end ? std::wstring(begin, end) : std::wstring();
}

// The characters a line holds as a backslash and a letter, with their letters.
constexpr std::pair<wchar_t, wchar_t> Escapes[] = {{L'\\', L'\\'}, {L'\r', L'r'}, {L'\n', L'n'}, {L'\t', L't'}};

// A NUL would end the text when the file is read, and every later line would be lost: it
// is written as "\0", which reads back as nothing.
constexpr wchar_t NulLetter = L'0';

std::wstring EscapeLine(const std::wstring& line)
{
    std::wstring escaped;
    escaped.reserve(line.size());
    for (wchar_t c : line) {
        if (c == L'\0') {
            escaped += {L'\\', NulLetter};
            continue;
        }
        auto escape = std::find_if(std::begin(Escapes), std::end(Escapes), [c](auto e) { return e.first == c; });
        if (escape == std::end(Escapes))
            escaped += c;
        else
            escaped += {L'\\', escape->second};
    }
    return escaped;
}

// A backslash with a letter it does not know vanishes together with that letter, and a
// backslash at the end vanishes too.
std::wstring UnescapeLine(const std::wstring& line)
{
    std::wstring plain;
    plain.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != L'\\') {
            plain += line[i];
        } else if (++i < line.size()) {
            wchar_t letter = line[i];
            auto escape =
                std::find_if(std::begin(Escapes), std::end(Escapes), [letter](auto e) { return e.second == letter; });
            if (escape != std::end(Escapes))
                plain += escape->first;
        }
    }
    return plain;
}

} // namespace

TWMemIniFile::TWMemIniFile(std::wstring fileName)
    : TWCustomIniFile(std::move(fileName)), sections_(std::make_unique<TWHashedStringList>())
{
    Reload();
}

TWMemIniFile::~TWMemIniFile()
{
    ClearSections();
}

TWHashedStringList* TWMemIniFile::FindSection(const std::wstring& name) const
{
    int index = sections_->IndexOf(name);
    return index < 0 ? nullptr : static_cast<TWHashedStringList*>(sections_->ObjectAt(index));
}

std::wstring TWMemIniFile::ReadValue(const std::wstring& section, const std::wstring& key,
                                     const std::wstring& defaultValue) const
{
    const TWHashedStringList* lines = FindSection(section);
    int index = lines ? KeyLine(*lines, key) : -1;
    if (index < 0)
        return defaultValue;
    std::wstring line = lines->StringAt(index);
    return line.substr(std::min(key.size() + 1, line.size()));
}

void TWMemIniFile::WriteValue(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    TWHashedStringList* lines = FindSection(section);
    if (!lines)
        lines = AppendSection(section);
    std::wstring line = key + L"=" + value;
    int index = KeyLine(*lines, key);
    if (index >= 0)
        lines->ReplaceAt(index, line);
    else
        lines->Add(line);
}

void TWMemIniFile::ListKeys(const std::wstring& section, TWStrings& strings) const
{
    TWStrings::TBatch batch(strings);
    strings.Clear();
    if (const TWHashedStringList* lines = FindSection(section))
        for (int i = 0; i < lines->Count(); ++i)
            if (!IsCommentLine(*lines, i))
                strings.Add(lines->KeyAt(i));
}

void TWMemIniFile::ListSections(TWStrings& strings) const
{
    strings.AssignFrom(sections_.get());
}

void TWMemIniFile::ListSectionLines(const std::wstring& section, TWStrings& strings) const
{
    TWStrings::TBatch batch(strings);
    strings.Clear();
    if (const TWHashedStringList* lines = FindSection(section))
        for (int i = 0; i < lines->Count(); ++i)
            if (!IsCommentLine(*lines, i))
                strings.AddWithObject(lines->StringAt(i), lines->ObjectAt(i));
}

void TWMemIniFile::RemoveSection(const std::wstring& section)
{
    int index = sections_->IndexOf(section);
    if (index < 0)
        return;
    core::TObject* lines = sections_->ObjectAt(index);
    sections_->RemoveAt(index);
    std::erase_if(sectionLists_, [lines](const auto& owned) { return owned.get() == lines; });
}

void TWMemIniFile::RemoveKey(const std::wstring& section, const std::wstring& key)
{
    TWHashedStringList* lines = FindSection(section);
    int index = lines ? KeyLine(*lines, key) : -1;
    if (index >= 0)
        lines->RemoveAt(index);
}

// The new content goes to a temporary file that then replaces the old one in one step:
// the settings are saved when the Windows session ends too, when the process may be
// ended at any moment, and a half-written file would lose them all.
void TWMemIniFile::Flush()
{
    TWStringList lines;
    ToLines(lines);
    core::TMemoryStream content;
    content.WriteBuffer(ByteOrderMark, sizeof(ByteOrderMark));
    lines.SaveStream(content);
    core::ReplaceWholeFile(FilePath(), content.Memory(), static_cast<size_t>(content.Size()));
}

void TWMemIniFile::Reload()
{
    if (FilePath().empty() || !core::FileExists(FilePath())) {
        ClearSections();
        return;
    }
    TWStringList lines;
    lines.LoadFile(FilePath());
    FromLines(lines);
}

void TWMemIniFile::ClearSections()
{
    leadingComments_.Clear();
    sections_->Clear();
    sectionLists_.clear();
}

TWHashedStringList* TWMemIniFile::AppendSection(const std::wstring& name)
{
    sectionLists_.push_back(std::make_unique<TWHashedStringList>());
    TWHashedStringList* lines = sectionLists_.back().get();
    lines->SetCaseSensitive(CaseSensitive());
    try {
        sections_->AddWithObject(name, lines);
    } catch (...) {
        sectionLists_.pop_back();
        throw;
    }
    return lines;
}

void TWMemIniFile::ToLines(TWStrings& list) const
{
    TWStrings::TBatch batch(list);
    list.AddAll(leadingComments_);
    for (int i = 0; i < sections_->Count(); ++i) {
        list.Add(L"[" + sections_->StringAt(i) + L"]");
        const auto* lines = static_cast<const TWHashedStringList*>(sections_->ObjectAt(i));
        for (int j = 0; j < lines->Count(); ++j) {
            std::wstring line = lines->StringAt(j);
            list.Add(IsCommentLine(*lines, j) ? line : EscapeLine(line));
        }
        list.Add(L"");
    }
}

// Lines before the first section header are dropped, comments excepted; a header always
// opens a new section, even when one of that name exists. Comments are kept as they
// stand, never split or unescaped.
void TWMemIniFile::FromLines(const TWStrings& list)
{
    ClearSections();
    TWHashedStringList* section = nullptr;
    for (int i = 0; i < list.Count(); ++i) {
        std::wstring line = Trim(list.StringAt(i));
        if (line.empty())
            continue;
        if (IsComment(line)) {
            if (section)
                section->AddWithObject(line, &CommentMark);
            else
                leadingComments_.Add(line);
            continue;
        }
        if (line.front() == L'[' && line.back() == L']') {
            section = AppendSection(Trim(std::wstring_view(line).substr(1, line.size() - 2)));
            continue;
        }
        if (!section)
            continue;
        size_t equals = line.find(L'=');
        if (equals != std::wstring::npos)
            line = Trim(std::wstring_view(line).substr(0, equals)) + L"=" +
                   Trim(std::wstring_view(line).substr(equals + 1));
        section->Add(UnescapeLine(line));
    }
}

} // namespace storage
