#include "storage/WStrings.h"

#include <algorithm>

#include "core/Compare.h"
#include "core/Exceptions.h"

namespace storage {

void TWStrings::AssignFrom(const core::TPersistent* source)
{
    const auto* strings = dynamic_cast<const TWStrings*>(source);
    if (!strings)
        core::RaiseAssignError(source, *this);
    if (strings == this)
        return; // clearing first would empty the source too
    TBatch batch(*this);
    Clear();
    AddAll(*strings);
}

core::TObject* TWStrings::ObjectAt(int) const
{
    return nullptr;
}

std::wstring TWStrings::AllText() const
{
    std::wstring text;
    for (int i = 0; i < Count(); ++i)
        text += StringAt(i) + L"\r\n";
    return text;
}

void TWStrings::ReplaceAt(int index, const std::wstring& s)
{
    core::TObject* object = ObjectAt(index);
    RemoveAt(index);
    InsertWithObject(index, s, object);
}

void TWStrings::ReplaceObjectAt(int, core::TObject*) {}

void TWStrings::ChangeCapacity(int) {}

// CR, LF and CR LF each end a line; a NUL ends the text.
void TWStrings::SetAllText(std::wstring_view text)
{
    constexpr std::wstring_view stops(L"\r\n\0", 3);
    TBatch batch(*this);
    Clear();
    size_t i = 0;
    while (i < text.size() && text[i] != L'\0') {
        size_t end = std::min(text.find_first_of(stops, i), text.size());
        Add(std::wstring(text.substr(i, end - i)));
        i = end;
        if (text.substr(i, 2) == L"\r\n")
            i += 2;
        else if (i < text.size() && text[i] != L'\0')
            ++i;
    }
}

void TWStrings::BatchStateChanged(bool) {}

int TWStrings::CompareTexts(const std::wstring& a, const std::wstring& b) const
{
    return core::CompareTextLocale(a, b);
}

int TWStrings::Add(const std::wstring& s)
{
    int index = Count();
    Insert(index, s);
    return index;
}

int TWStrings::AddWithObject(const std::wstring& s, core::TObject* object)
{
    int index = Add(s);
    ReplaceObjectAt(index, object);
    return index;
}

void TWStrings::AddAll(const TWStrings& list)
{
    TBatch batch(*this);
    const int count = list.Count(); // fixed first: the list may be this one
    for (int i = 0; i < count; ++i)
        AddWithObject(list.StringAt(i), list.ObjectAt(i));
}

void TWStrings::Swap(int index1, int index2)
{
    TBatch batch(*this);
    std::wstring s = StringAt(index1);
    core::TObject* object = ObjectAt(index1);
    ReplaceAt(index1, StringAt(index2));
    ReplaceObjectAt(index1, ObjectAt(index2));
    ReplaceAt(index2, s);
    ReplaceObjectAt(index2, object);
}

int TWStrings::IndexOf(const std::wstring& s) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareTexts(StringAt(i), s) == 0)
            return i;
    return -1;
}

int TWStrings::IndexOfKey(const std::wstring& key) const
{
    for (int i = 0; i < Count(); ++i) {
        std::wstring s = StringAt(i);
        size_t equals = s.find(L'=');
        if (equals != std::wstring::npos && CompareTexts(s.substr(0, equals), key) == 0)
            return i;
    }
    return -1;
}

int TWStrings::FindObject(const core::TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (ObjectAt(i) == object)
            return i;
    return -1;
}

// The path stays UTF-16 all the way to CreateFileW, so folders named in letters the
// system code page lacks work too.
void TWStrings::LoadFile(const std::wstring& fileName)
{
    core::TFileStream file(fileName, core::TFileMode::OpenRead);
    uint8_t mark[2] = {};
    if (file.Read(mark, 2) != 2 || mark[0] != ByteOrderMark[0] || mark[1] != ByteOrderMark[1])
        file.SetPosition(0);
    LoadStream(file);
}

// An odd last byte is no whole character and is left unread.
void TWStrings::LoadStream(core::TStream& stream)
{
    int64_t available = stream.Size() - stream.Position();
    std::wstring text(available > 0 ? static_cast<size_t>(available / 2) : 0, L'\0');
    size_t read = stream.Read(text.data(), text.size() * sizeof(wchar_t));
    text.resize(read / sizeof(wchar_t));
    SetAllText(text);
}

void TWStrings::Move(int from, int to)
{
    if (from == to)
        return;
    TBatch batch(*this);
    std::wstring s = StringAt(from);
    core::TObject* object = ObjectAt(from);
    RemoveAt(from);
    InsertWithObject(to, s, object);
}

void TWStrings::SaveFile(const std::wstring& fileName) const
{
    core::TFileStream file(fileName, core::TFileMode::Create);
    file.WriteBuffer(ByteOrderMark, sizeof(ByteOrderMark));
    SaveStream(file);
}

void TWStrings::SaveStream(core::TStream& stream) const
{
    std::wstring text = AllText();
    stream.WriteBuffer(text.data(), text.size() * sizeof(wchar_t));
}

void TWStrings::BeginBatch()
{
    if (batchDepth_ == 0)
        BatchStateChanged(true);
    ++batchDepth_;
}

void TWStrings::EndBatch()
{
    if (--batchDepth_ == 0)
        BatchStateChanged(false);
}

std::wstring TWStrings::KeyAt(int index) const
{
    std::wstring s = StringAt(index);
    size_t equals = s.find(L'=');
    return equals == std::wstring::npos ? std::wstring() : s.substr(0, equals);
}

void TWStrings::InsertWithObject(int index, const std::wstring& s, core::TObject* object)
{
    Insert(index, s);
    ReplaceObjectAt(index, object);
}

void TWStrings::RaiseListError(const wchar_t* format, int value)
{
    throw core::EListError(core::Format(format, value));
}

} // namespace storage
