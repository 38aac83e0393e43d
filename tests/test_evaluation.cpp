// The static evaluation.
#include "engine/Evaluation.h"
#include "helpers.h"

namespace {

class Evaluation : public EngineTest {
protected:
    // A position from a FEN with every castling right kept (so that no
    // lost-castling term applies unless a test clears them), the given
    // has-castled flags and a zero score.
    void Set(const char* fen, bool whiteCastled = false, bool blackCastled = false) {
        SetFen(fen);
        WorkingPosition.whiteCanCastleShort = WorkingPosition.whiteCanCastleLong = 1;
        WorkingPosition.blackCanCastleShort = WorkingPosition.blackCanCastleLong = 1;
        WorkingPosition.whiteHasCastled = whiteCastled;
        WorkingPosition.blackHasCastled = blackCastled;
        WorkingPosition.score = 0;
    }
};

TEST_F(Evaluation, StartPositionIsTheScore) {
    MaterialCount = 88;
    WorkingPosition.score = 1234;
    EXPECT_EQ(Evaluate(0), 1234);
    EXPECT_EQ(Evaluate(1), -1234);
    // Only the low 16 bits of the score count.
    WorkingPosition.score = 65536 + 5;
    EXPECT_EQ(Evaluate(0), 5);
    WorkingPosition.score = 32767 + 40;  // wraps to negative
    EXPECT_EQ(Evaluate(0), static_cast<std::int16_t>(32767 + 40));
}

TEST_F(Evaluation, KingShelterAndCastling) {
    MaterialCount = 88;
    struct Case {
        const char* fen;
        bool whiteCastled, blackCastled;
        int expected;  // White's view, with a zero score
    };
    const Case cases[] = {
        // Black castled short: g7 and h6 shelter the king on g8.
        {"rnbq1rk1/ppppppp1/7p/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", false, true, -60},
        // The h-pawn gone from h7 and h6: only the castling bonus.
        {"rnbq1rk1/ppppppp1/8/7p/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", false, true, -40},
        // White castled long, king c1, pawns a3, b2, c2.
        {"rnbqkbnr/pppppppp/8/8/8/P7/1PPPPPPP/2KR1BNR w - - 0 1", true, false, 60},
        // The a-pawn on a4: only the bonus.
        {"rnbqkbnr/pppppppp/8/8/P7/8/1PPPPPPP/2KR1BNR w - - 0 1", true, false, 40},
        // A king on e1 after castling earns the bonus only.
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", true, false, 40},
    };
    for (const Case& c : cases) {
        Set(c.fen, c.whiteCastled, c.blackCastled);
        EXPECT_EQ(Evaluate(0), c.expected) << c.fen;
        EXPECT_EQ(Evaluate(1), -c.expected) << c.fen;
    }
    // Castling lost without castling.
    Set("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1");
    WorkingPosition.whiteCanCastleShort = WorkingPosition.whiteCanCastleLong = 0;
    EXPECT_EQ(Evaluate(0), -30);
    WorkingPosition.whiteCanCastleShort = 1;  // one right left: no term
    EXPECT_EQ(Evaluate(0), 0);
    WorkingPosition.blackCanCastleShort = WorkingPosition.blackCanCastleLong = 0;
    EXPECT_EQ(Evaluate(0), 30);
}

TEST_F(Evaluation, PawnStructure) {
    struct Case {
        const char* fen;
        int middlegame, endgame;  // White's view, with a zero score
    };
    const Case cases[] = {
        // Three white pawns on e with pawns beside them: neither doubled nor
        // isolated; no black pawn beside d, e and f gives three times +10.
        {"4k3/8/8/8/4P3/4P3/3PPP2/4K3 w - - 0 1", 30, 0},
        // Doubled and isolated e-pawns with no black pawn beside them.
        {"4k3/8/8/8/8/4P3/4P3/4K3 w - - 0 1", -20, -20},
        // A lone a2-pawn: isolated, and no black pawn on b either.
        {"4k3/8/8/8/8/8/P7/4K3 w - - 0 1", 0, 0},
        // With black pawns on b7 and c7: a2 isolated (-10), the black c-pawn
        // has no white pawn beside it (-10).
        {"4k3/1pp5/8/8/8/8/P7/4K3 w - - 0 1", -20, 0},
        // Black doubled pawns count for White.
        {"4k3/3p4/3p4/8/8/8/8/4K3 w - - 0 1", 20 + 10 - 10, 20},
    };
    for (const Case& c : cases) {
        Set(c.fen);
        MaterialCount = 25;
        EXPECT_EQ(Evaluate(0), c.middlegame) << c.fen;
        MaterialCount = 24;
        EXPECT_EQ(Evaluate(0), c.endgame) << c.fen;
    }
    // Pawns on ranks 8 and 1 are not counted.
    Set("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    WorkingPosition.squares[3] = -6;
    WorkingPosition.squares[59] = 6;
    MaterialCount = 25;
    EXPECT_EQ(Evaluate(0), 0);

    // The endgame ignores castling too.
    Set("4k3/8/8/8/8/8/8/4K3 w - - 0 1", true, false);
    MaterialCount = 24;
    EXPECT_EQ(Evaluate(0), 0);
}

TEST_F(Evaluation, EveryCallCountsOnePosition) {
    for (const int material : {0, 24, 25, 88}) {
        MaterialCount = material;
        const std::uint64_t before = NodeCounter;
        Evaluate(0);
        Evaluate(1);
        EXPECT_EQ(NodeCounter, before + 2);
    }
}

}  // namespace
