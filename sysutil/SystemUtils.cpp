#include "sysutil/SystemUtils.h"

#include <algorithm>
#include <shlobj.h>

#include "core/Handles.h"

namespace sysutil {

std::wstring SpecialFolderPath(int folder)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_DEFAULT, path)))
        return {};
    return path;
}

uint32_t WriteRegistryString(HKEY root, const core::AnsiString& subKey, const core::AnsiString& name,
                             bool create, const core::AnsiString& value)
{
    HKEY opened = nullptr;
    LONG result = create ? RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &opened, nullptr)
                         : RegOpenKeyExA(root, subKey.c_str(), 0, KEY_ALL_ACCESS, &opened);
    if (result != ERROR_SUCCESS)
        return static_cast<uint32_t>(result);
    core::TRegistryKey key(opened);
    RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    return 0;
}

uint32_t DeleteRegistryValue(HKEY root, const core::AnsiString& subKey, const core::AnsiString& name)
{
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExA(root, subKey.c_str(), 0, KEY_ALL_ACCESS, &opened);
    if (result != ERROR_SUCCESS)
        return static_cast<uint32_t>(result);
    core::TRegistryKey key(opened);
    return static_cast<uint32_t>(RegDeleteValueA(key.Get(), name.c_str()));
}

core::AnsiString ReplaceChar(core::AnsiString text, char find, char replacement)
{
    std::replace(text.begin(), text.end(), find, replacement);
    return text;
}

core::AnsiString SlashesToBackslashes(core::AnsiString text)
{
    return ReplaceChar(std::move(text), '/', '\\');
}

} // namespace sysutil
