#include "news/WrapText.h"

namespace news {

namespace {

constexpr wchar_t QuoteChar = L'|';

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

// Positions count from 1, as in the byte-wise routine this mirrors. After a break the
// break characters that follow are skipped only to decide whether breakStr is needed;
// the next line starts right after the break and reads them again.
std::wstring WrapText(std::wstring_view line, std::wstring_view breakStr, std::wstring_view breakChars, int maxCol)
{
    const size_t length = line.size();
    auto at = [&](size_t position) { return line[position - 1]; };
    auto isBreakChar = [&](wchar_t c) { return breakChars.find(c) != std::wstring_view::npos; };
    auto breakStrAt = [&](size_t position) {
        return !breakStr.empty() && line.substr(position - 1, breakStr.size()) == breakStr;
    };
    auto lineBreakAt = [&](size_t position) {
        return position + 1 <= length && at(position) == L'\r' && at(position + 1) == L'\n';
    };

    std::wstring result;
    int column = 1;
    size_t position = 1;
    size_t lineStart = 1;
    size_t breakPosition = 0;
    bool quoted = false;
    bool existingBreak = false;
    while (position <= length) {
        wchar_t c = at(position);
        if (IsHighSurrogate(c) && position + 1 <= length && IsLowSurrogate(at(position + 1))) {
            ++position;
        } else {
            if (c == QuoteChar)
                quoted = !quoted;
            if (!quoted) {
                if (!breakStr.empty() && c == breakStr.front()) {
                    existingBreak = breakStrAt(position);
                    if (existingBreak) {
                        position += breakStr.size() - 1;
                        breakPosition = position;
                    }
                }
                if (!existingBreak && isBreakChar(c))
                    breakPosition = position;
            }
        }
        ++position;
        ++column;
        if (!quoted && (existingBreak || (column > maxCol && breakPosition > lineStart))) {
            column = 1;
            result.append(line.substr(lineStart - 1, breakPosition - lineStart + 1));
            if (c != QuoteChar) {
                while (position <= length) {
                    if (isBreakChar(at(position))) {
                        ++position;
                        existingBreak = false;
                    } else if (lineBreakAt(position)) {
                        position += 2;
                        existingBreak = true;
                    } else {
                        break;
                    }
                }
            }
            if (position <= length && !existingBreak)
                result.append(breakStr);
            ++breakPosition;
            lineStart = breakPosition;
            position = breakPosition;
            existingBreak = false;
        }
    }
    if (lineStart <= length)
        result.append(line.substr(lineStart - 1));
    return result;
}

} // namespace news
