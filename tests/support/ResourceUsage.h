#pragma once
#include <cstddef>
#include <functional>

namespace testing_support {

// What this process holds: live GDI objects, and busy heap bytes (GDI+ objects and
// everything else allocated live there). Leak tests compare two measurements.
struct TResourceUsage {
    size_t gdiObjects;
    size_t heapBytes;
};
TResourceUsage MeasureResourceUsage();

// What `repeats` more runs of an action add to the GDI objects and busy heap bytes, after
// one run that warms up caches; negative when they free more than they take.
struct TUsageGrowth {
    ptrdiff_t gdiObjects;
    ptrdiff_t heapBytes;
};
TUsageGrowth UsageGrowth(const std::function<void()>& action, int repeats);

// Live GDI objects of this process. GetGuiResources answers this on Windows; under Wine it
// is a stub returning 0, so the count then comes from Wine's GDI handle table.
size_t CountGdiObjects();

} // namespace testing_support
