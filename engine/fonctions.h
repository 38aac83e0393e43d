// Number and time formatting for the analysis report.
#pragma once

#include <cstdint>
#include <string>

// Decimal digits in groups of three separated by one space: "1 234 567".
std::string GroupDigits(std::uint64_t n);

// "hh:mm:ss.ts": hours not reduced, tenths truncated.
std::string FormatElapsed(std::uint32_t ms);
