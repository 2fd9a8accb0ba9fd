#include "tests/support/ResourceUsage.h"

#include <cstdint>
#include <cstring>

#include "core/Win32.h"
#include <winternl.h>

namespace testing_support {
namespace {

// Like Windows, Wine publishes its GDI handle table in the process environment block;
// there an entry is live while its type byte (offset 14 of 24 bytes) is not zero.
size_t CountWineGdiObjects()
{
#ifdef _WIN64
    constexpr size_t tableOffset = 0xF8;
#else
    constexpr size_t tableOffset = 0x94;
#endif
    constexpr size_t entrySize = 24, typeOffset = 14, entries = 0x10000;
    PROCESS_BASIC_INFORMATION process{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process, sizeof(process), nullptr) !=
        0)
        return 0;
    auto* peb = reinterpret_cast<const uint8_t*>(process.PebBaseAddress);
    const uint8_t* table = nullptr;
    std::memcpy(&table, peb + tableOffset, sizeof(table));
    if (!table)
        return 0;
    size_t live = 0;
    for (size_t i = 0; i < entries; ++i)
        live += table[i * entrySize + typeOffset] != 0;
    return live;
}

size_t BusyHeapBytes()
{
    HANDLE heaps[256];
    DWORD count = GetProcessHeaps(256, heaps);
    size_t busy = 0;
    for (DWORD i = 0; i < count && i < 256; ++i) {
        HeapLock(heaps[i]);
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                busy += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return busy;
}

} // namespace

size_t CountGdiObjects()
{
    size_t objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return objects != 0 ? objects : CountWineGdiObjects();
}

TResourceUsage MeasureResourceUsage()
{
    return {CountGdiObjects(), BusyHeapBytes()};
}

TUsageGrowth UsageGrowth(const std::function<void()>& action, int repeats)
{
    action();
    TResourceUsage before = MeasureResourceUsage();
    for (int i = 0; i < repeats; ++i)
        action();
    TResourceUsage after = MeasureResourceUsage();
    return {static_cast<ptrdiff_t>(after.gdiObjects - before.gdiObjects),
            static_cast<ptrdiff_t>(after.heapBytes - before.heapBytes)};
}

} // namespace testing_support
