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

namespace {

// The byte-string and UTF-16 variants differ only in which registry functions they call.
LONG OpenKey(HKEY root, const char* subKey, bool create, HKEY& key)
{
    return create ? RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr)
                  : RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &key);
}

LONG OpenKey(HKEY root, const wchar_t* subKey, bool create, HKEY& key)
{
    return create ? RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr)
                  : RegOpenKeyExW(root, subKey, 0, KEY_ALL_ACCESS, &key);
}

// The size counts the terminating NUL.
void SetString(HKEY key, const char* name, const core::AnsiString& value)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

void SetString(HKEY key, const wchar_t* name, const std::wstring& value)
{
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LONG DeleteValue(HKEY key, const char* name)
{
    return RegDeleteValueA(key, name);
}

LONG DeleteValue(HKEY key, const wchar_t* name)
{
    return RegDeleteValueW(key, name);
}

template <typename String>
uint32_t WriteString(HKEY root, const String& subKey, const String& name, bool create, const String& value)
{
    HKEY opened = nullptr;
    LONG result = OpenKey(root, subKey.c_str(), create, opened);
    if (result != ERROR_SUCCESS)
        return static_cast<uint32_t>(result);
    core::TRegistryKey key(opened);
    SetString(key.Get(), name.c_str(), value);
    return 0;
}

template <typename String>
uint32_t DeleteString(HKEY root, const String& subKey, const String& name)
{
    HKEY opened = nullptr;
    LONG result = OpenKey(root, subKey.c_str(), false, opened);
    if (result != ERROR_SUCCESS)
        return static_cast<uint32_t>(result);
    core::TRegistryKey key(opened);
    return static_cast<uint32_t>(DeleteValue(key.Get(), name.c_str()));
}

} // namespace

uint32_t WriteRegistryString(HKEY root, const core::AnsiString& subKey, const core::AnsiString& name,
                             bool create, const core::AnsiString& value)
{
    return WriteString(root, subKey, name, create, value);
}

uint32_t WriteRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name, bool create,
                             const std::wstring& value)
{
    return WriteString(root, subKey, name, create, value);
}

uint32_t DeleteRegistryValue(HKEY root, const core::AnsiString& subKey, const core::AnsiString& name)
{
    return DeleteString(root, subKey, name);
}

uint32_t DeleteRegistryValue(HKEY root, const std::wstring& subKey, const std::wstring& name)
{
    return DeleteString(root, subKey, name);
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
