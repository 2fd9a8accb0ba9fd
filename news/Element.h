#pragma once
#include <string>

#include "core/CodePage.h"
#include "core/Win32.h"

namespace news {

// One news item of a feed. Title and Summary are wrapped for display (lines end in CR
// LF); Link is kept in UTF-16 so that it reaches the browser with every character.
struct TElement {
    std::wstring Title;
    std::wstring Summary;
    std::wstring Link;
    // As received; neither parsed nor shown.
    core::AnsiString Date;
    // The headline's hit rectangle in the list's own pixels; all zero until laid out.
    RECT Bounds{};
};

} // namespace news
