#include "engine/platform.h"

#include <chrono>

PlatformHooks Platform;

namespace {
std::uint64_t RandomState = 0x9E3779B97F4A7C15ull;

// splitmix64: small, fast, and the same sequence for the same seed everywhere.
std::uint64_t NextRandom() {
    std::uint64_t z = (RandomState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
}  // namespace

void ShowMessage(const char* text) {
    if (Platform.showMessage) Platform.showMessage(text);
}

std::uint32_t GetTickCount() {
    if (Platform.tickCount) return Platform.tickCount();
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SeedRandom(std::uint64_t seed) { RandomState = seed; }

void SeedRandomFromClock() {
    SeedRandom(static_cast<std::uint64_t>(
        std::chrono::system_clock::now().time_since_epoch().count()));
}

int RandomBelow(int bound) {
    if (bound <= 1) return 0;
    // Rejection keeps the draw exactly uniform.
    const std::uint64_t range = static_cast<std::uint64_t>(bound);
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    std::uint64_t r;
    do r = NextRandom();
    while (r >= limit);
    return static_cast<int>(r % range);
}
