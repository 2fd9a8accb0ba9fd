#pragma once
#include <string>
#include <string_view>

namespace news {

// Breaks a line into lines of at most maxCol characters by inserting breakStr after a
// break character (the break character ends the line it breaks). A word longer than the
// limit is never split: its line runs on to the next break character. Line breaks
// already in the text (breakStr itself) always end a line and are not doubled, text
// between two "|" is never broken, and no breakStr follows the last line.
//
// The text stays UTF-16 so that no letter is lost on a system whose code page lacks it;
// a surrogate pair counts as one column, as its replacement character would in a
// single-byte code page, so the lines come out where they would on such a system.
std::wstring WrapText(std::wstring_view line, std::wstring_view breakStr, std::wstring_view breakChars, int maxCol);

} // namespace news
