// The generator decides legality from pins and checks, and the search counts
// marks without writing the map. Both must give exactly what the plain
// method gives: every candidate tried by making it and testing the own king
// on the map of the other colour (rebuilt for en passant), in the same order.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/Evaluation.h"
#include "helpers.h"

namespace {

constexpr int Rook = 5, Bishop = 3, Queen = 2, Knight = 4, King = 1, Pawn = 6;

// The plain generator, kept here as the reference.
struct Reference {
    std::vector<MoveEntry> moves;

    void Try(const Position& saved, bool white, int s, int t, int x, bool enPassant) {
        std::uint8_t map[64];
        std::memcpy(map, AttackMap, sizeof map);
        MakeMove(s, t, x);
        if (enPassant) BuildAttackMap(white ? Black : White);
        const bool attacked = white ? IsSquareAttacked(WorkingPosition.whiteKingSquare, 1, true)
                                    : IsSquareAttacked(WorkingPosition.blackKingSquare, -1, true);
        if (!attacked) moves.push_back({static_cast<std::int16_t>(s), static_cast<std::int16_t>(t),
                                        static_cast<std::int16_t>(x), 0});
        WorkingPosition = saved;
        std::memcpy(AttackMap, map, sizeof map);
    }

    static int Steps(int s, int d) {
        const int r = s / 8, c = s % 8;
        switch (d) {
            case -8: return r;
            case 8: return 7 - r;
            case -1: return c;
            case 1: return 7 - c;
            case -9: return std::min(r, c);
            case -7: return std::min(r, 7 - c);
            case 7: return std::min(7 - r, c);
            default: return std::min(7 - r, 7 - c);
        }
    }

    void Piece(int s) {
        const Position saved = WorkingPosition;
        const PieceCode* b = saved.squares;
        const int piece = b[s];
        const bool white = piece > 0;
        const int sign = white ? 1 : -1;
        const int r = s / 8, c = s % 8;
        auto slide = [&](std::initializer_list<int> dirs) {
            for (const int d : dirs) {
                int t = s;
                for (int n = Steps(s, d); n > 0; --n) {
                    t += d;
                    if (b[t] * sign > 0) break;
                    Try(saved, white, s, t, s, false);
                    if (b[t] != 0) break;
                }
            }
        };
        switch (piece * sign) {
            case Rook: white ? slide({-8, -1, 8, 1}) : slide({8, 1, -8, -1}); break;
            case Bishop: white ? slide({-7, -9, 9, 7}) : slide({9, 7, -7, -9}); break;
            case Queen: white ? slide({-7, -9, -8, -1, 9, 7, 1, 8}) : slide({9, 7, 8, 1, -7, -9, -8, -1}); break;
            case Knight:
                if (white) {
                    for (int i = KnightFirst[s]; i <= KnightLast[s]; ++i)
                        if (b[s + KnightOffsets[i - 1]] <= 0) Try(saved, true, s, s + KnightOffsets[i - 1], s, false);
                } else {
                    for (int i = KnightLast[s]; i >= KnightFirst[s]; --i)
                        if (b[s + KnightOffsets[i - 1]] >= 0) Try(saved, false, s, s + KnightOffsets[i - 1], s, false);
                }
                break;
            case King: {
                for (int i = KingFirst[s]; i <= KingLast[s]; ++i)
                    if (b[s + KingOffsets[i - 1]] * sign <= 0) Try(saved, white, s, s + KingOffsets[i - 1], s, false);
                const int d = white ? 1 : -1;
                if (white) {
                    if (saved.whiteCanCastleShort && b[63] == Rook && !b[61] && !b[62] &&
                        !IsSquareAttacked(61, d, true) && !IsSquareAttacked(s, d, true))
                        Try(saved, true, s, 62, s, false);
                    if (saved.whiteCanCastleLong && b[56] == Rook && !b[57] && !b[58] && !b[59] &&
                        !IsSquareAttacked(59, d, true) && !IsSquareAttacked(s, d, true))
                        Try(saved, true, s, 58, s, false);
                } else {
                    if (saved.blackCanCastleShort && b[7] == -Rook && !b[5] && !b[6] &&
                        !IsSquareAttacked(5, d, true) && !IsSquareAttacked(s, d, true))
                        Try(saved, false, s, 6, s, false);
                    if (saved.blackCanCastleLong && b[0] == -Rook && !b[1] && !b[2] && !b[3] &&
                        !IsSquareAttacked(3, d, true) && !IsSquareAttacked(s, d, true))
                        Try(saved, false, s, 2, s, false);
                }
                break;
            }
            case Pawn: {
                const int e = saved.enPassantSquare;
                const int f = white ? -8 : 8;
                if (white ? r == 0 : r == 7) break;
                if (!b[s + f]) Try(saved, white, s, s + f, s, false);
                if ((white ? r == 6 : r == 1) && !b[s + f] && !b[s + 2 * f]) Try(saved, white, s, s + 2 * f, s, false);
                const int left = white ? s - 9 : s + 7, right = white ? s - 7 : s + 9;
                if (c > 0 && b[left] * sign < 0) Try(saved, white, s, left, s, false);
                if (c < 7 && b[right] * sign < 0) Try(saved, white, s, right, s, false);
                const bool rank = white ? s >= 24 && s <= 31 : s >= 32 && s <= 39;
                if (e != -1 && b[e] * sign < 0 && rank && std::abs(s - e) == 1) Try(saved, white, s, e + f, e, true);
                break;
            }
            default: break;
        }
    }

    void All(bool black) {
        moves.clear();
        BuildAttackMap(black ? White : Black);
        const int sign = black ? -1 : 1;
        for (int s = 63; s >= 0; --s)
            if (WorkingPosition.squares[s] * sign > 0) Piece(s);
    }
};

std::vector<MoveEntry> Buffer() { return {MoveBuffer.entries, MoveBuffer.entries + MoveBuffer.count}; }

bool Same(const std::vector<MoveEntry>& a, const std::vector<MoveEntry>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].fromSquare != b[i].fromSquare || a[i].toSquare != b[i].toSquare || a[i].clearSquare != b[i].clearSquare)
            return false;
    return true;
}

// Random games from positions rich in pins, checks, castling and en passant;
// at every position the generators and the mark counts are compared.
TEST(Equivalence, GeneratorAndMarksMatchThePlainMethod) {
    const char* starts[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
        "8/8/8/8/R3p2k/8/3P4/4K3 w - - 0 1",
    };
    std::mt19937 random(12345);
    Reference reference;
    int positions = 0;
    for (const char* fen : starts) {
        for (int game = 0; game < 25; ++game) {
            bool black = SetFen(fen);
            for (int ply = 0; ply < 80; ++ply) {
                ++positions;
                reference.All(black);
                GenerateAllMoves(black);
                ASSERT_TRUE(Same(Buffer(), reference.moves)) << WriteFen(WorkingPosition, {black, 0, 1});
                GenerateLegalMoves(black);
                ASSERT_TRUE(Same(Buffer(), reference.moves));
                const int side = black ? Black : White;
                for (int s = 0; s < 64; ++s) {
                    if (WorkingPosition.squares[s] == 0) continue;
                    // One piece at a time, with the other colour's map built.
                    BuildAttackMap(WorkingPosition.squares[s] > 0 ? Black : White);
                    Reference single;
                    single.Piece(s);
                    MoveBuffer.count = 0;
                    GeneratePieceMoves(s);
                    ASSERT_TRUE(Same(Buffer(), single.moves)) << SquareName(s);
                }
                const MoveContext context = PrepareMoveGeneration(side);
                for (const MoveFilter filter : {CapturesOnly, QuietOnly}) {
                    std::vector<MoveEntry> expected, got;
                    for (const MoveEntry& m : reference.moves) {
                        const bool capture = WorkingPosition.squares[m.toSquare] != 0;
                        if (capture == (filter == CapturesOnly)) expected.push_back(m);
                    }
                    for (int s = 63; s >= 0; --s) {
                        if (WorkingPosition.squares[s] * (black ? -1 : 1) <= 0) continue;
                        MoveBuffer.count = 0;
                        GeneratePreparedMoves(context, s, filter);
                        const auto part = Buffer();
                        got.insert(got.end(), part.begin(), part.end());
                    }
                    ASSERT_TRUE(Same(got, expected));
                }
                for (const int colour : {White, Black})
                    ASSERT_EQ(PreparedEnemyMarks(PrepareMoveGeneration(1 - colour)), BuildAttackMap(colour));
                // A move that leaves every term but the score is valued from
                // the evaluation before it, in both phases.
                for (const int material : {24, 40}) {
                    MaterialCount = material;
                    const auto& table = material < 25 ? PlacementEndgame : PlacementMiddlegame;
                    const Position before = WorkingPosition;
                    const auto E = Evaluate(side);
                    for (const MoveEntry& m : reference.moves) {
                        const int f = m.fromSquare, t = m.toSquare;
                        const int mover = before.squares[f], captured = before.squares[t];
                        if (m.clearSquare != f || !KeepsEvaluationTerms(f, t)) continue;
                        if ((mover == 1 || mover == -1) && std::abs(t - f) == 2) continue;
                        const int score = before.score - PieceValue[captured + 6] - table[captured + 6][t] -
                                          table[mover + 6][f] + table[mover + 6][t];
                        const auto fast = EvaluateWithNewScore(E, side, before.score, score);
                        MakeMove(f, t, f);
                        ASSERT_EQ(fast, Evaluate(side)) << SquareName(f) << SquareName(t);
                        WorkingPosition = before;
                    }
                }
                const bool inCheck = black ? IsSquareAttacked(WorkingPosition.blackKingSquare, -1, false)
                                           : IsSquareAttacked(WorkingPosition.whiteKingSquare, 1, false);
                ASSERT_EQ(KingInCheck(side), inCheck);
                if (reference.moves.empty()) break;
                const MoveEntry m = reference.moves[random() % reference.moves.size()];
                MakeMove(m.fromSquare, m.toSquare, m.clearSquare);
                black = !black;
            }
        }
    }
    EXPECT_GT(positions, 5000);
}

}  // namespace
