#pragma once
#include <cstddef>

namespace testing_support {

// What this process holds: live GDI objects, and busy heap bytes (GDI+ objects and
// everything else allocated live there). Leak tests compare two measurements.
struct TResourceUsage {
    size_t gdiObjects;
    size_t heapBytes;
};
TResourceUsage MeasureResourceUsage();

// Live GDI objects of this process. GetGuiResources answers this on Windows; under Wine it
// is a stub returning 0, so the count then comes from Wine's GDI handle table.
size_t CountGdiObjects();

} // namespace testing_support
