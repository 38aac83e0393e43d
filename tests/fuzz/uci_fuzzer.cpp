// libFuzzer entry point: kelvra-uci's command handling under arbitrary input.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunUciFuzzInput(data, size);
    return 0;
}
