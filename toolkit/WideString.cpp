#include "toolkit/WideString.h"

#include "core/Win32.h"

namespace toolkit {

std::wstring LoadWideString(int id)
{
    // The executable is the program's only resource module.
    wchar_t buffer[1024] = {};
    int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), buffer, 1024);
    return std::wstring(buffer, length > 0 ? length : 0);
}

} // namespace toolkit
