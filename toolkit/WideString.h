#pragma once
#include <string>

namespace toolkit {

// The UTF-16 text of a string-table entry of the program, or an empty string.
std::wstring LoadWideString(int id);

} // namespace toolkit
