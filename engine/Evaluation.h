// The static evaluation of WorkingPosition.
#pragma once

#include <cstdint>

// The value of WorkingPosition for White (side 0) or Black (side 1), in
// 16-bit arithmetic. Counts one examined position in NodeCounter.
std::int16_t Evaluate(int side);
