#pragma once
#include <string>

namespace core {

// File-system queries and changes on UTF-16 paths (never narrowed to the code page).
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::wstring& path);
// The folder part of a path, ending in a backslash ("C:\a\b.exe" gives "C:\a\").
std::wstring ExtractFilePath(const std::wstring& path);
// The executable's full path.
std::wstring ModuleFileName();

} // namespace core
