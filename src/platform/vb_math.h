#pragma once
// Rounding as the game's arithmetic expects it: to the nearest whole number,
// halves to the even neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).

#include <cmath>
#include <cstdint>

namespace sb {

inline int64_t RoundHalfEven(double x) { return static_cast<int64_t>(std::nearbyint(x)); }
// The same for values that fit 32 bits: pans, volumes, times.
inline int32_t RoundHalfEven32(double x) { return static_cast<int32_t>(std::nearbyint(x)); }

}  // namespace sb
