// The opening book: its table and the lookup.
#include <cstring>
#include <map>
#include <string>

#include "engine/Bibliotheque.h"
#include "helpers.h"

namespace {

class Book : public EngineTest {};

// The candidates of one lookup, counted by move.
std::map<std::string, int> Candidates(const std::string& moves) {
    std::int32_t from = -7, to = -7;
    const bool found = BookLookup(moves, from, to);
    std::map<std::string, int> counts;
    for (int i = 0; i < BookCandidateCount(); ++i) {
        std::int32_t f, t;
        BookCandidate(i, f, t);
        ++counts[MoveName(f, t)];
    }
    EXPECT_EQ(found, !counts.empty());
    if (!found) {
        EXPECT_EQ(from, -7);
    }
    return counts;
}

int Total(const std::map<std::string, int>& counts) {
    int n = 0;
    for (const auto& [move, count] : counts) n += count;
    return n;
}

TEST_F(Book, TableShape) {
    std::map<std::size_t, int> byMoves;
    std::map<std::string, int> byFirst;
    for (int i = 0; i < OpeningBookLines; ++i) {
        const std::string line = OpeningBook[i];
        ASSERT_EQ(line.size() % 4, 0u) << line;
        ++byMoves[line.size() / 4];
        ++byFirst[line.substr(0, 4)];
        if (i > 0) {
            const std::string previous = OpeningBook[i - 1];
            EXPECT_LT(previous, line);
            EXPECT_NE(line.compare(0, previous.size(), previous), 0) << previous << " begins " << line;
        }
    }
    const std::map<std::size_t, int> expectedMoves = {{2, 9},  {3, 24}, {4, 46}, {5, 79},  {6, 72},
                                                      {7, 41}, {8, 29}, {9, 29}, {10, 145}};
    EXPECT_EQ(byMoves, expectedMoves);
    const std::map<std::string, int> expectedFirst = {{"e2e4", 186}, {"d2d4", 97}, {"c2c4", 94}, {"g1f3", 59},
                                                      {"g2g3", 9},   {"a2a3", 6},  {"b1c3", 6},  {"b2b4", 6},
                                                      {"e2e3", 6},   {"f2f4", 2},  {"g2g4", 2},  {"c2c3", 1}};
    EXPECT_EQ(byFirst, expectedFirst);
    // Castlings are the king's two-square moves.
    int castlings = 0;
    for (const auto& stored : OpeningBook)
        for (std::size_t k = 0; k + 4 <= std::strlen(stored); k += 4) {
            const std::string m(stored + k, 4);
            castlings += m == "e1g1" || m == "e1c1" || m == "e8g8" || m == "e8c8";
        }
    EXPECT_EQ(castlings, 20);
}

TEST_F(Book, AnswersToFirstMoves) {
    const std::map<std::string, int> afterE4 = {{"c7c5", 50}, {"e7e5", 43}, {"e7e6", 19}, {"g8f6", 17},
                                                {"c7c6", 15}, {"b8c6", 12}, {"d7d6", 9},  {"g7g6", 9},
                                                {"d7d5", 8},  {"b7b6", 2},  {"a7a6", 1},  {"h7h6", 1}};
    EXPECT_EQ(Candidates("e2e4"), afterE4);
    const auto afterD4 = Candidates("d2d4");
    EXPECT_EQ(Total(afterD4), 97);
    EXPECT_EQ(afterD4.at("d7d5"), 35);
    EXPECT_EQ(afterD4.at("g8f6"), 25);
    const auto empty = Candidates("");
    EXPECT_EQ(Total(empty), 474);
    EXPECT_EQ(empty.at("e2e4"), 186);
}

TEST_F(Book, MoveOrderWithinAColourDoesNotMatter) {
    const std::map<std::string, int> expected = {{"e7e6", 3}, {"b7b6", 2}, {"b8c6", 1}, {"c7c6", 1},
                                                 {"d7d5", 1}, {"d7d6", 1}, {"g7g6", 1}};
    EXPECT_EQ(Candidates("g1f3g8f6c2c4"), expected);
    EXPECT_EQ(Candidates("c2c4g8f6g1f3"), expected);
    EXPECT_EQ(Candidates("c2c4e7e5a2a3b8c6"), (std::map<std::string, int>{{"b1c3", 1}}));
}

TEST_F(Book, LongGames) {
    EXPECT_EQ(Candidates("e2e4e7e5f2f4e5f4b1c3d8h4e1e2d7d5c3d5"), (std::map<std::string, int>{{"c8g4", 1}}));
    EXPECT_TRUE(Candidates("e2e4e7e5f2f4e5f4b1c3d8h4e1e2d7d5c3d5c8g4").empty());
    EXPECT_TRUE(Candidates("h2h4").empty());
}

TEST_F(Book, DrawIsUniformOverCandidates) {
    // The draw comes from the seeded generator: the same seed, the same move.
    SeedRandom(42);
    std::int32_t from1 = 0, to1 = 0, from2 = 0, to2 = 0;
    ASSERT_TRUE(BookLookup("e2e4", from1, to1));
    SeedRandom(42);
    ASSERT_TRUE(BookLookup("e2e4", from2, to2));
    EXPECT_EQ(MoveName(from1, to1), MoveName(from2, to2));
    // Over many draws c7c5 comes about 50 times in 186.
    SeedRandom(7);
    int c5 = 0;
    const int draws = 18600;
    for (int i = 0; i < draws; ++i) {
        std::int32_t f = 0, t = 0;
        BookLookup("e2e4", f, t);
        c5 += MoveName(f, t) == "c7c5";
    }
    EXPECT_NEAR(c5, 5000, 250);
}

}  // namespace
