// Perft of published positions through kelvra-uci's "go perft": the legal
// move generator counted to a fixed depth, promotions as four moves.
#include <string>
#include <vector>

#include "helpers.h"
#include "uci/uci.h"

namespace {

std::vector<std::string> Lines;
void Capture(std::string_view line) { Lines.emplace_back(line); }

std::uint64_t PerftOf(const std::string& position, int depth) {
    Lines.clear();
    UciCommand("position " + position);
    UciCommand("go perft " + std::to_string(depth));
    EXPECT_FALSE(Lines.empty());
    const std::string prefix = "Nodes searched: ";
    if (Lines.empty() || Lines.back().rfind(prefix, 0) != 0) return 0;
    return std::stoull(Lines.back().substr(prefix.size()));
}

struct PerftCase {
    const char* name;
    const char* position;
    std::vector<std::uint64_t> counts;  // depth 1, 2, ...
};

const PerftCase Cases[] = {
    {"start position", "startpos", {20, 400, 8902, 197281}},
    {"kiwipete: castling, pins, en passant",
     "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", {48, 2039, 97862}},
    {"rook endgame: en passant that exposes the king", "fen 8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
     {14, 191, 2812, 43238, 674624}},
    {"promotions and castling rights", "fen r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
     {6, 264, 9467, 422333}},
    {"promotion by capture", "fen rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486, 62379}},
    {"rook taken on its corner ends castling", "fen r3k2r/8/8/8/8/8/6b1/R3K2R b KQkq - 0 1", {34, 714, 22268}},
};

TEST(Perft, PublishedPositions) {
    UciInit(Capture);
    for (const PerftCase& c : Cases)
        for (std::size_t d = 0; d < c.counts.size(); ++d)
            EXPECT_EQ(PerftOf(c.position, static_cast<int>(d + 1)), c.counts[d]) << c.name << " depth " << d + 1;
}

TEST(Perft, DivideListsEveryRootMove) {
    UciInit(Capture);
    PerftOf("fen 4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", 1);
    // Four promotions and five king moves, a blank line, the total.
    ASSERT_EQ(Lines.size(), 11u);
    int promotions = 0;
    for (const std::string& line : Lines) promotions += line.rfind("b7b8", 0) == 0;
    EXPECT_EQ(promotions, 4);
    EXPECT_EQ(Lines[Lines.size() - 2], "");
    EXPECT_EQ(Lines.back(), "Nodes searched: 9");
}

}  // namespace
