#include "tests/fuzz/fuzz_input.h"

#include <string_view>

#include "engine/platform.h"
#include "uci/uci.h"

namespace {
void Discard(std::string_view) {}
}  // namespace

void RunUciFuzzInput(const std::uint8_t* data, std::size_t size) {
    UciInit(Discard);
    SeedRandom(1);
    UciLimitWork(2000);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos) end = input.size();
        if (!UciCommand(input.substr(start, end - start))) break;
        start = end + 1;
    }
}
