// kelvra-uci: "kelvra-uci" speaks UCI on standard input and output;
// "kelvra-uci bench [depth]" runs the bench and exits.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "engine/platform.h"
#include "uci/uci.h"

namespace {
void PrintLine(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
}  // namespace

int main(int argc, char** argv) {
    UciInit(PrintLine);
    SeedRandomFromClock();
    if (argc > 1 && std::string_view(argv[1]) == "bench") {
        std::string command = "bench";
        if (argc > 2) command += std::string(" ") + argv[2];
        UciCommand(command);
        return 0;
    }
    UciLoop(std::cin);
    return 0;
}
