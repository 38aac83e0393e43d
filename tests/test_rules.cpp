// The chess rules: squares, set-up, attack maps, move generation and making.
#include <algorithm>
#include <cstring>
#include <set>

#include "helpers.h"

namespace {

class Rules : public EngineTest {};

// An empty board with the two kings, for hand-built positions.
void EmptyBoard(int whiteKing, int blackKing) {
    std::memset(static_cast<void*>(&WorkingPosition), 0, sizeof WorkingPosition);
    WorkingPosition.enPassantSquare = -1;
    WorkingPosition.squares[whiteKing] = 1;
    WorkingPosition.squares[blackKing] = -1;
    WorkingPosition.whiteKingSquare = static_cast<std::int8_t>(whiteKing);
    WorkingPosition.blackKingSquare = static_cast<std::int8_t>(blackKing);
}

int Sq(const char* name) { return ParseSquare(name); }

TEST_F(Rules, SquareNamesAndParsing) {
    EXPECT_EQ(SquareName(0), "a8");
    EXPECT_EQ(SquareName(7), "h8");
    EXPECT_EQ(SquareName(56), "a1");
    EXPECT_EQ(SquareName(63), "h1");
    EXPECT_EQ(SquareName(60), "e1");
    EXPECT_EQ(SquareName(52), "e2");
    EXPECT_EQ(ParseSquare("a8"), 0);
    EXPECT_EQ(ParseSquare("h1"), 63);
    EXPECT_EQ(ParseSquare("e2"), 52);
    EXPECT_EQ(ParseSquare("e7"), 12);
    EXPECT_EQ(ParseSquare("e2e4"), 52);
    for (const char* bad : {"E2", "e9", "i1", "e", "", "e0"})
        EXPECT_EQ(ParseSquare(bad), -1) << bad;
    EXPECT_EQ(ParseSquare(std::string_view("a\0", 2)), -1);
    for (int s = 0; s < 64; ++s) EXPECT_EQ(ParseSquare(SquareName(s)), s);
}

TEST_F(Rules, NewGameSetUp) {
    WorkingPosition.squares[10] = 0;
    WorkingPosition.score = 1234;
    SetupNewGame(WorkingPosition);
    const Position once = WorkingPosition;
    EXPECT_TRUE(std::equal(std::begin(InitialBoard), std::end(InitialBoard), once.squares));
    EXPECT_EQ(once.whiteCanCastleShort + once.whiteCanCastleLong + once.blackCanCastleShort + once.blackCanCastleLong, 4);
    EXPECT_EQ(once.whiteHasCastled + once.blackHasCastled, 0);
    EXPECT_EQ(once.enPassantSquare, -1);
    EXPECT_EQ(once.whiteKingSquare, 60);
    EXPECT_EQ(once.blackKingSquare, 4);
    EXPECT_EQ(once.score, 0);
    EXPECT_EQ(DisplayedPosition, once);
    SetupNewGame(WorkingPosition);
    EXPECT_EQ(WorkingPosition, once);
    RecomputeScore();
    EXPECT_EQ(WorkingPosition.score, 0);
    EXPECT_EQ(CountMaterial(), 88);
}

// The jump windows give exactly the knight and king targets on the board.
TEST_F(Rules, JumpWindowsStayOnTheBoard) {
    struct Jumps {
        const std::int8_t* offsets;
        const std::int8_t* first;
        const std::int8_t* last;
        std::vector<std::pair<int, int>> steps;  // (row, column) deltas
    };
    const Jumps kinds[] = {
        {KnightOffsets, KnightFirst, KnightLast, {{-2, -1}, {-1, -2}, {1, -2}, {2, -1}, {2, 1}, {1, 2}, {-1, 2}, {-2, 1}}},
        {KingOffsets, KingFirst, KingLast, {{-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}}},
    };
    for (const Jumps& k : kinds) {
        for (int s = 0; s < 64; ++s) {
            std::set<int> expected, got;
            for (const auto& [dr, dc] : k.steps) {
                const int r = s / 8 + dr, c = s % 8 + dc;
                if (r >= 0 && r < 8 && c >= 0 && c < 8) expected.insert(r * 8 + c);
            }
            int count = 0;
            for (int i = k.first[s]; i <= k.last[s]; ++i, ++count) got.insert(s + k.offsets[i - 1]);
            EXPECT_EQ(got, expected) << SquareName(s);
            EXPECT_EQ(count, static_cast<int>(expected.size())) << SquareName(s);
        }
    }
}

TEST_F(Rules, AttackMapOfTheStartPosition) {
    EXPECT_EQ(BuildAttackMap(Black), 38);
    EXPECT_EQ(BuildAttackMap(White), 38);
    for (int s = 0; s < 40; ++s) EXPECT_EQ(AttackMap[s], 0) << SquareName(s);
    EXPECT_EQ(AttackMap[Sq("d2")], LineBelowOrRight | DiagonalBelow | KingStep | KnightJump);
    EXPECT_EQ(AttackMap[Sq("d2")], 116);
    EXPECT_EQ(AttackMap[Sq("e3")], PawnCapture);
    EXPECT_EQ(AttackMap[Sq("f3")], PawnCapture | KnightJump);
}

TEST_F(Rules, RaysStopAtOwnPiecesAndPassThroughOthers) {
    EmptyBoard(Sq("h1"), Sq("h8"));
    WorkingPosition.squares[Sq("a1")] = 5;
    WorkingPosition.squares[Sq("a4")] = 6;
    BuildAttackMap(White);
    EXPECT_TRUE(AttackMap[Sq("a2")] & LineBelowOrRight);
    EXPECT_TRUE(AttackMap[Sq("a4")] & LineBelowOrRight);
    EXPECT_FALSE(AttackMap[Sq("a5")] & LineBelowOrRight);

    WorkingPosition.squares[Sq("a4")] = -6;
    BuildAttackMap(White);
    for (const char* s : {"a2", "a3", "a4", "a5", "a6", "a7", "a8"}) EXPECT_TRUE(AttackMap[Sq(s)] & LineBelowOrRight) << s;
    // The map flags a6, but the exact test meets the black pawn on a4.
    EXPECT_FALSE(IsSquareAttacked(Sq("a6"), -1, true));
    EXPECT_TRUE(IsSquareAttacked(Sq("a4"), -1, true));
}

TEST_F(Rules, NeighbouringKingsAttackEachOther) {
    EmptyBoard(Sq("e4"), Sq("e5"));
    BuildAttackMap(White);
    EXPECT_TRUE(AttackMap[Sq("e5")] & KingStep);
    EXPECT_TRUE(IsSquareAttacked(Sq("e5"), -1, true));
    BuildAttackMap(Black);
    EXPECT_TRUE(AttackMap[Sq("e4")] & KingStep);
    EXPECT_TRUE(IsSquareAttacked(Sq("e4"), 1, true));
}

TEST_F(Rules, ExactTestTrustsTheMap) {
    // A zero entry answers false without looking at the board, even when the
    // map is stale.
    EmptyBoard(Sq("e1"), Sq("e8"));
    WorkingPosition.squares[Sq("a8")] = -5;
    BuildAttackMap(Black);
    WorkingPosition.squares[Sq("d8")] = -5;  // not in the map
    EXPECT_FALSE(IsSquareAttacked(Sq("d1"), 1, true));
    EXPECT_TRUE(IsSquareAttacked(Sq("d1"), 1, false));

    // With mapReady false the attacker's map is built: White's for -1.
    SetupNewGame(WorkingPosition);
    IsSquareAttacked(Sq("e4"), -1, false);
    EXPECT_EQ(AttackMap[Sq("e3")], PawnCapture);
    IsSquareAttacked(Sq("e4"), 1, false);
    EXPECT_EQ(AttackMap[Sq("e6")], PawnCapture);
    EXPECT_EQ(AttackMap[Sq("e3")], 0);
}

TEST_F(Rules, GenerationOrderInTheStartPosition) {
    GenerateAllMoves(false);
    const std::vector<std::string> white = {"g1h3", "g1f3", "b1c3", "b1a3", "h2h3", "h2h4", "g2g3",
                                            "g2g4", "f2f3", "f2f4", "e2e3", "e2e4", "d2d3", "d2d4",
                                            "c2c3", "c2c4", "b2b3", "b2b4", "a2a3", "a2a4"};
    EXPECT_EQ(BufferMoves(), white);
    GenerateAllMoves(true);
    const std::vector<std::string> black = {"h7h6", "h7h5", "g7g6", "g7g5", "f7f6", "f7f5", "e7e6",
                                            "e7e5", "d7d6", "d7d5", "c7c6", "c7c5", "b7b6", "b7b5",
                                            "a7a6", "a7a5", "g8h6", "g8f6", "b8c6", "b8a6"};
    EXPECT_EQ(BufferMoves(), black);
    for (int i = 0; i < MoveBuffer.count; ++i)
        EXPECT_EQ(MoveBuffer.entries[i].clearSquare, MoveBuffer.entries[i].fromSquare);
}

TEST_F(Rules, PinnedPieceMovesAlongThePin) {
    SetFen("4r1k1/8/8/8/8/8/4R3/4K3 w - - 0 1");
    MoveBuffer.count = 0;
    BuildAttackMap(Black);
    GeneratePieceMoves(Sq("e2"));
    EXPECT_EQ(BufferMoves(), (std::vector<std::string>{"e2e3", "e2e4", "e2e5", "e2e6", "e2e7", "e2e8"}));
}

TEST_F(Rules, EnPassant) {
    bool black = SetFen("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
    PlayMoves("d7d5", black);
    EXPECT_EQ(WorkingPosition.enPassantSquare, Sq("d5"));
    MoveBuffer.count = 0;
    BuildAttackMap(Black);
    GeneratePieceMoves(Sq("e5"));
    ASSERT_EQ(BufferMoves(), (std::vector<std::string>{"e5e6", "e5d6"}));
    EXPECT_EQ(MoveBuffer.entries[1].clearSquare, Sq("d5"));
    // Only directly after the double step.
    PlayMoves("e1d2 e8d7", black);
    GenerateAllMoves(false);
    for (const std::string& m : BufferMoves()) EXPECT_NE(m, "e5d6");

    // Only by a pawn beside the advanced pawn.
    black = SetFen("4k3/3p4/8/6P1/8/8/8/4K3 b - - 0 1");
    PlayMoves("d7d5", black);
    GenerateAllMoves(false);
    for (const std::string& m : BufferMoves()) EXPECT_EQ(m.substr(0, 2) == "g5" && m != "g5g6", false) << m;
}

// The capture that would expose the own king along the rank is refused,
// while the map of the other candidates stays as it was.
TEST_F(Rules, EnPassantThatExposesTheKingIsRefused) {
    bool black = SetFen("8/8/8/8/R3p2k/8/3P4/4K3 w - - 0 1");
    PlayMoves("d2d4", black);
    GenerateAllMoves(true);
    EXPECT_EQ(BufferMoves(), (std::vector<std::string>{"h4h5", "h4g5", "h4g4", "h4g3", "h4h3", "e4e3"}));
    BuildAttackMap(White);
    std::uint8_t map[64];
    std::memcpy(map, AttackMap, sizeof map);
    MoveBuffer.count = 0;
    GeneratePieceMoves(Sq("e4"));
    EXPECT_EQ(std::memcmp(map, AttackMap, sizeof map), 0);
}

TEST_F(Rules, CastlingConditions) {
    struct Case {
        const char* fen;
        std::vector<std::string> castlings;  // the king's two-square moves offered
    };
    const Case cases[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", {"e1g1", "e1c1"}},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", {"e8g8", "e8c8"}},
        {"r3k2r/8/8/8/8/8/8/R3K2R w - - 0 1", {}},
        {"4k3/8/8/8/8/8/4r3/R3K2R w KQ - 0 1", {}},             // in check
        {"4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1", {"e1c1"}},        // f1 attacked: short refused
        {"4k3/8/8/8/8/8/6r1/R3K2R w KQ - 0 1", {"e1c1"}},        // g1 attacked: short refused
        {"4k3/8/8/8/8/8/3r4/R3K2R w KQ - 0 1", {"e1g1"}},        // d1 attacked: long refused
        {"4k3/8/8/8/8/8/1r6/R3K2R w KQ - 0 1", {"e1g1", "e1c1"}}, // only b1 attacked: long allowed
        {"4k3/8/8/8/8/8/8/RN2K1NR w KQ - 0 1", {}},               // b1 and g1 occupied
    };
    for (const Case& c : cases) {
        const bool black = SetFen(c.fen);
        GenerateAllMoves(black);
        std::vector<std::string> castlings;
        for (const std::string& m : BufferMoves())
            if ((m == "e1g1" || m == "e1c1" || m == "e8g8" || m == "e8c8")) castlings.push_back(m);
        EXPECT_EQ(castlings, c.castlings) << c.fen;
    }
}

TEST_F(Rules, PromotionIsOneEntry) {
    SetFen("1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    MoveBuffer.count = 0;
    BuildAttackMap(Black);
    GeneratePieceMoves(Sq("a7"));
    EXPECT_EQ(BufferMoves(), (std::vector<std::string>{"a7a8", "a7b8"}));
}

TEST_F(Rules, MateAndStalemateGiveNoMoves) {
    bool black = SetFen("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1");
    PlayMoves("d1d8", black);
    GenerateAllMoves(true);
    EXPECT_EQ(MoveBuffer.count, 0);
    EXPECT_TRUE(IsSquareAttacked(WorkingPosition.blackKingSquare, -1, false));

    SetFen("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
    GenerateAllMoves(true);
    EXPECT_EQ(MoveBuffer.count, 0);
    EXPECT_FALSE(IsSquareAttacked(WorkingPosition.blackKingSquare, -1, false));
}

// No generation writes past the buffer: appends stop at its capacity.
TEST_F(Rules, GenerationIsBoundedByTheBuffer) {
    EmptyBoard(Sq("a1"), Sq("h8"));
    WorkingPosition.squares[Sq("d4")] = 2;
    BuildAttackMap(Black);
    MoveBuffer.count = MoveBufferCapacity - 6;
    GeneratePieceMoves(Sq("d4"));
    EXPECT_EQ(MoveBuffer.count, MoveBufferCapacity);
    MoveBuffer.count = 0;
    GeneratePieceMoves(Sq("d4"));
    EXPECT_EQ(MoveBuffer.count, 26);  // 27 squares but a1, where the own king stands
}

TEST_F(Rules, IncrementalScore) {
    MaterialCount = 88;
    bool black = false;
    PlayMoves("e2e4", black);
    EXPECT_EQ(WorkingPosition.score, 48);
    EXPECT_EQ(WorkingPosition.enPassantSquare, Sq("e4"));

    SetupNewGame(WorkingPosition);
    MaterialCount = 0;
    black = false;
    PlayMoves("e2e4", black);
    EXPECT_EQ(WorkingPosition.score, 2);

    SetupNewGame(WorkingPosition);
    MaterialCount = 88;
    black = false;
    PlayMoves("g1f3", black);
    EXPECT_EQ(WorkingPosition.score, 35);
    EXPECT_EQ(WorkingPosition.enPassantSquare, -1);
    PlayMoves("e7e5", black);
    EXPECT_EQ(WorkingPosition.score, -13);
    EXPECT_EQ(WorkingPosition.enPassantSquare, 28);
    PlayMoves("f3g1", black);
    EXPECT_EQ(WorkingPosition.enPassantSquare, -1);
}

TEST_F(Rules, Castling) {
    MaterialCount = 88;
    SetFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    WorkingPosition.score = 0;
    MakeMove(60, 62, 60);
    EXPECT_EQ(WorkingPosition.squares[61], 5);
    EXPECT_EQ(WorkingPosition.squares[63], 0);
    EXPECT_EQ(WorkingPosition.whiteKingSquare, 62);
    EXPECT_EQ(WorkingPosition.whiteCanCastleShort + WorkingPosition.whiteCanCastleLong, 0);
    EXPECT_EQ(WorkingPosition.whiteHasCastled, 1);
    EXPECT_EQ(WorkingPosition.score, 8);
    MakeMove(4, 2, 4);
    EXPECT_EQ(WorkingPosition.squares[3], -5);
    EXPECT_EQ(WorkingPosition.squares[0], 0);
    EXPECT_EQ(WorkingPosition.blackKingSquare, 2);
    EXPECT_EQ(WorkingPosition.blackHasCastled, 1);
    EXPECT_EQ(WorkingPosition.score, 0);
}

TEST_F(Rules, CastlingFlags) {
    SetFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    MakeMove(Sq("a1"), Sq("a2"), Sq("a1"));
    EXPECT_EQ(WorkingPosition.whiteCanCastleLong, 0);
    EXPECT_EQ(WorkingPosition.whiteCanCastleShort, 1);
    SetFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    MakeMove(Sq("e1"), Sq("f1"), Sq("e1"));
    EXPECT_EQ(WorkingPosition.whiteCanCastleLong + WorkingPosition.whiteCanCastleShort, 0);
    EXPECT_EQ(WorkingPosition.whiteHasCastled, 0);

    // Taking a rook on its own corner ends castling on that side, with each
    // of the three move makers.
    using Maker = void (*)(int, int, int);
    for (const Maker make : {Maker{MakeMove}, Maker{MakeWhiteMove}}) {
        SetFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
        make(Sq("h1"), Sq("h8"), Sq("h1"));
        EXPECT_EQ(WorkingPosition.blackCanCastleShort, 0);
        EXPECT_EQ(WorkingPosition.blackCanCastleLong, 1);
        EXPECT_EQ(WorkingPosition.whiteCanCastleShort, 0);  // the rook left h1
    }
    for (const Maker make : {Maker{MakeMove}, Maker{MakeBlackMove}}) {
        SetFen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
        make(Sq("a8"), Sq("a1"), Sq("a8"));
        EXPECT_EQ(WorkingPosition.whiteCanCastleLong, 0);
        EXPECT_EQ(WorkingPosition.whiteCanCastleShort, 1);
    }
    // So a second rook reaching the corner later does not bring castling back.
    bool black = SetFen("4k2r/7r/8/8/8/8/8/B3K3 w k - 0 1");
    PlayMoves("a1h8 h7h8 e1d1", black);
    GenerateAllMoves(true);
    for (const std::string& m : BufferMoves()) EXPECT_NE(m, "e8g8");
}

TEST_F(Rules, PromotionRecomputesTheScore) {
    SetFen("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    WorkingPosition.score = 777;
    MakeMove(Sq("a7"), Sq("a8"), Sq("a7"));
    EXPECT_EQ(WorkingPosition.squares[0], 2);
    EXPECT_EQ(WorkingPosition.score, 1050);
}

TEST_F(Rules, EnPassantScore) {
    MaterialCount = 10;
    EmptyBoard(Sq("e1"), Sq("e8"));
    WorkingPosition.squares[Sq("e5")] = 6;
    WorkingPosition.squares[Sq("d7")] = -6;
    MakeMove(Sq("d7"), Sq("d5"), Sq("d7"));
    EXPECT_EQ(WorkingPosition.score, -2);
    EXPECT_EQ(WorkingPosition.enPassantSquare, 27);
    MakeMove(28, 19, 27);
    EXPECT_EQ(WorkingPosition.squares[27], 0);
    EXPECT_EQ(WorkingPosition.squares[28], 0);
    EXPECT_EQ(WorkingPosition.squares[19], 6);
    EXPECT_EQ(WorkingPosition.score, 113);
}

TEST_F(Rules, PlacementTables) {
    // Black rows mirror the white ones, but for the listed exceptions.
    for (int kind = 1; kind <= 6; ++kind) {
        for (int s = 0; s < 64; ++s) {
            const int mirrored = (7 - s / 8) * 8 + s % 8;
            const int expected = -PlacementMiddlegame[kind + 6][mirrored];
            const bool exception = kind == 4 && s >= 18 && s <= 21;
            EXPECT_EQ(PlacementMiddlegame[-kind + 6][s], exception ? 5 : expected) << kind << " " << s;
            const int expectedEnd = -PlacementEndgame[kind + 6][mirrored];
            EXPECT_EQ(PlacementEndgame[-kind + 6][s], kind == 1 && s == 55 ? 1 : expectedEnd) << kind << " " << s;
        }
    }
    EXPECT_EQ(PlacementMiddlegame[1 + 6][Sq("g1")], 8);
    EXPECT_EQ(PlacementMiddlegame[3 + 6][Sq("c1")], -20);
    EXPECT_EQ(PlacementEndgame[6 + 6][Sq("e7")], 7);
    EXPECT_EQ(PlacementEndgame[1 + 6][Sq("d5")], 60);
}

}  // namespace
