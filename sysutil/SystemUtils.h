#pragma once
#include <cstdint>
#include <string>

#include "core/CodePage.h"
#include "core/Win32.h"

namespace sysutil {

// Path of a special folder (a CSIDL_ value) at its default location; empty on failure.
std::wstring SpecialFolderPath(int folder);

// Writes a REG_SZ value (byte strings in the system code page); returns the error of
// opening or creating the key, else 0. A failing write itself is not reported.
uint32_t WriteRegistryString(HKEY root, const core::AnsiString& subKey, const core::AnsiString& name,
                             bool create, const core::AnsiString& value);

// Deletes a value; returns the error of opening the key, else the delete's result.
uint32_t DeleteRegistryValue(HKEY root, const core::AnsiString& subKey, const core::AnsiString& name);

// The same in UTF-16, for texts the system code page may lack (an executable under a
// folder named with Turkish letters must start with Windows on any code page).
uint32_t WriteRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name, bool create,
                             const std::wstring& value);
uint32_t DeleteRegistryValue(HKEY root, const std::wstring& subKey, const std::wstring& name);

core::AnsiString ReplaceChar(core::AnsiString text, char find, char replacement);
core::AnsiString SlashesToBackslashes(core::AnsiString text);

} // namespace sysutil
