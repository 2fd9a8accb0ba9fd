#include "core/XmlProlog.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

namespace core {

namespace {

// The prolog's markup is ASCII, so each byte (or UTF-16 unit) is taken as one character.
std::wstring Characters(std::string_view head)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(head[i]); };
    const bool littleEndian =
        head.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == '<' && byte(1) == 0));
    const bool bigEndian =
        head.size() >= 2 && ((byte(0) == 0xFE && byte(1) == 0xFF) || (byte(0) == 0 && byte(1) == '<'));
    std::wstring text;
    if (littleEndian || bigEndian) {
        for (size_t i = 0; i + 1 < head.size(); i += 2)
            text += static_cast<wchar_t>(littleEndian ? byte(i) | byte(i + 1) << 8 : byte(i) << 8 | byte(i + 1));
    } else {
        for (size_t i = 0; i < head.size(); ++i)
            text += static_cast<wchar_t>(byte(i));
    }
    return text;
}

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

} // namespace

bool XmlPrologDeclaresDtd(std::string_view head)
{
    const std::wstring text = Characters(head.substr(0, XmlPrologLimit));
    std::wstring_view rest(text);
    // Byte-order marks: U+FEFF in UTF-16, its three UTF-8 bytes otherwise.
    for (std::wstring_view mark : {std::wstring_view(L"\xFEFF"), std::wstring_view(L"\xEF\xBB\xBF")})
        if (rest.starts_with(mark))
            rest.remove_prefix(mark.size());
    // Each construct that may stand before the root element, with the text ending it.
    const std::pair<std::wstring_view, std::wstring_view> skipped[] = {{L"<?", L"?>"}, {L"<!--", L"-->"}};
    for (;;) {
        while (!rest.empty() && IsSpace(rest.front()))
            rest.remove_prefix(1);
        if (rest.starts_with(L"<!DOCTYPE"))
            return true;
        auto construct = std::find_if(std::begin(skipped), std::end(skipped),
                                      [&](const auto& pair) { return rest.starts_with(pair.first); });
        if (construct == std::end(skipped))
            return false;
        size_t end = rest.find(construct->second, construct->first.size());
        if (end == std::wstring_view::npos)
            return head.size() > XmlPrologLimit;
        rest.remove_prefix(end + construct->second.size());
    }
}

} // namespace core
