// Every seed of the fuzzer and every input that once made kelvra-uci fail,
// replayed through the fuzz harness.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/fuzz_input.h"

namespace {

TEST(FuzzReplay, CorpusAndRegressions) {
    int inputs = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        const std::filesystem::path dir = std::filesystem::path(KELVRA_FUZZ_DIR) / folder;
        if (!std::filesystem::exists(dir)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            SCOPED_TRACE(entry.path().string());
            RunUciFuzzInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++inputs;
        }
    }
    EXPECT_GE(inputs, 6);
}

}  // namespace
