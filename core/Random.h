#pragma once
#include <cstdint>

namespace core {

// The program's random numbers (the "rand" query parameters), user-interface thread only.
void Randomize();                  // seeds the generator from the clock
int32_t RandomInt(int32_t range);  // 0 <= result < range; 0 when range <= 0

} // namespace core
