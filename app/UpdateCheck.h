#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "core/Win32.h"
#include "net/InetThread.h"

namespace app {

// The version of this program, as the maker's version document would name it.
inline constexpr char OwnVersion[] = "2.0";
// The longest version document read at all: the real one is a few dozen characters, and
// a huge answer is no version document of ours.
inline constexpr size_t VersionTextLimit = 64 * 1024;

// The text of "/data/version" in the version document, in the system code page; empty
// when the text is not such a document (not well-formed, a DTD, too long, no such node).
// Raises EOleSysError when the XML DOM cannot be created.
std::string ReadVersion(const std::wstring& text);

// True when version sorts after our own, byte by byte as unsigned values (so "10.0" is
// older and "2.0.1" newer).
bool IsNewerVersion(std::string_view version);

// The version a completed version request names; empty when the request failed, was
// not answered with success or the answer names none, and our own version when no XML
// DOM can read it.
std::string VersionFromAnswer(net::TInternetThread& worker);

// The maker's download page: built into the program, never taken from an answer.
std::wstring DownloadAddress();

// Asks the user whether to download the newer version and opens the download page on yes.
void OfferUpdate(HWND owner);

} // namespace app
