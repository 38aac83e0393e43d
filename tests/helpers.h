// Small helpers shared by the tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/platform.h"
#include "rules/Deplacements.h"
#include "rules/fonctions.h"
#include "uci/fen.h"

// Sets WorkingPosition from a FEN; fails the test on a bad FEN. Returns
// whether Black is to move.
inline bool SetFen(const std::string& fen) {
    Position p;
    FenState state;
    const std::string error = ReadFen(fen, p, state);
    EXPECT_EQ(error, "") << fen;
    WorkingPosition = p;
    return state.blackToMove;
}

// "e2e4" for a move.
inline std::string MoveName(int from, int to) { return SquareName(from) + SquareName(to); }

// The moves in MoveBuffer, in order.
inline std::vector<std::string> BufferMoves() {
    std::vector<std::string> moves;
    for (int i = 0; i < MoveBuffer.count; ++i)
        moves.push_back(MoveName(MoveBuffer.entries[i].fromSquare, MoveBuffer.entries[i].toSquare));
    return moves;
}

inline std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> words;
    for (const auto w : SplitWords(text)) words.emplace_back(w);
    return words;
}

// Plays moves given in coordinates from WorkingPosition, each the generated
// legal move with that from and to square.
inline void PlayMoves(const std::string& moves, bool& blackToMove) {
    for (const std::string& m : Split(moves)) {
        GenerateAllMoves(blackToMove);
        const int from = ParseSquare(m), to = ParseSquare(m.substr(2));
        bool found = false;
        for (int i = 0; i < MoveBuffer.count && !found; ++i) {
            const MoveEntry& e = MoveBuffer.entries[i];
            if (e.fromSquare == from && e.toSquare == to) {
                MakeMove(e.fromSquare, e.toSquare, e.clearSquare);
                found = true;
            }
        }
        ASSERT_TRUE(found) << "illegal move " << m;
        blackToMove = !blackToMove;
    }
}

// Every test starts from a clean engine state with no platform hooks.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform = PlatformHooks{};
        MaterialCount = 0;
        NodeCounter = 0;
        StopRequested = false;
        SetupNewGame(WorkingPosition);
    }
};
