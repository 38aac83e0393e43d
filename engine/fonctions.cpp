#include "engine/fonctions.h"

#include <cstdio>

std::string GroupDigits(std::uint64_t n) {
    const std::string digits = std::to_string(n);
    std::string text;
    text.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ' ';
        text += digits[i];
    }
    return text;
}

std::string FormatElapsed(std::uint32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2u:%.2u:%.2u.%.1us", ms / 3600000u, (ms / 60000u) % 60u,
                  (ms / 1000u) % 60u, (ms % 1000u) / 100u);
    return text;
}
