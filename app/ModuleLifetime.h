#pragma once
#include <cstdint>

namespace app {

// What runs before the entry and after it: the toolkit and then GDI+ are started for
// the whole run, and shut down in the reverse order after the last window is gone.
class TModuleLifetime {
public:
    TModuleLifetime();
    ~TModuleLifetime();
    TModuleLifetime(const TModuleLifetime&) = delete;
    TModuleLifetime& operator=(const TModuleLifetime&) = delete;

private:
    uintptr_t gdiplusToken_ = 0;
};

} // namespace app
