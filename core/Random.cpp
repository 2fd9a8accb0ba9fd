#include "core/Random.h"

#include <random>

#include "core/Win32.h"

namespace core {
namespace {
std::mt19937& Generator()
{
    static std::mt19937 generator;
    return generator;
}
} // namespace

void Randomize()
{
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    Generator().seed(static_cast<uint32_t>(counter.QuadPart ^ (counter.QuadPart >> 32) ^ GetTickCount()));
}

int32_t RandomInt(int32_t range)
{
    if (range <= 0)
        return 0;
    return std::uniform_int_distribution<int32_t>(0, range - 1)(Generator());
}

} // namespace core
