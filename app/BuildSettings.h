#pragma once
#include <cstdint>

namespace app {

// Servers and timings fixed when the program is built (CMake cache variables, see the
// README). Each executable links its own definitions (app/BuildSettings.cpp.in), so a
// test build can point at its own servers and refresh sooner.
extern const char PortalHost[];
extern const char UpdateHost[];
extern const char CounterHost[];
// Host of the maker's redirect address, which the site links and the update prompt open.
extern const char RedirectHost[];
// Appended to every opened headline link as "?ref=" and this domain.
extern const char ReferrerDomain[];
// The maker's site name as the footer link shows it.
extern const wchar_t SiteName[];
// Milliseconds from a completed feed download to the next one.
extern const uint32_t FeedRefreshInterval;

} // namespace app
