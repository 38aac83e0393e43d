#include "rules/Deplacements.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int Pawn = 6, Rook = 5, Knight = 4, Bishop = 3, Queen = 2, King = 1;

// How many steps a ray from square s in direction d stays on the board.
constexpr int RaySteps(int s, int d) {
    const int r = s / 8, c = s % 8;
    switch (d) {
        case -8: return r;
        case 8: return 7 - r;
        case -1: return c;
        case 1: return 7 - c;
        case -9: return std::min(r, c);
        case -7: return std::min(r, 7 - c);
        case 7: return std::min(7 - r, c);
        case 9: return std::min(7 - r, 7 - c);
        default: return 0;
    }
}

// Marks a square of the map with a flag bit; every mark counts.
inline void Mark(int square, std::uint8_t bit, int& marks) {
    AttackMap[square] |= bit;
    ++marks;
}

// Marks a ray of colour `sign` (+1 White, -1 Black): it goes on through the
// other colour's pieces and stops on (after marking) its own.
inline void MarkRay(const PieceCode* board, int s, int d, std::uint8_t bit, int sign, int& marks) {
    int t = s;
    for (int n = RaySteps(s, d); n > 0; --n) {
        t += d;
        Mark(t, bit, marks);
        if (board[t] * sign > 0) return;
    }
}

// Walks from s in direction d to the first piece and tells whether it is a
// piece of colour `sign` of one of the two kinds.
inline bool RayHits(const PieceCode* board, int s, int d, int sign, int kindA, int kindB) {
    int t = s;
    for (int n = RaySteps(s, d); n > 0; --n) {
        t += d;
        const int p = board[t];
        if (p != 0) return p == sign * kindA || p == sign * kindB;
    }
    return false;
}

inline bool KnightOn(const PieceCode* board, int s, int knight) {
    for (int i = KnightFirst[s]; i <= KnightLast[s]; ++i)
        if (board[s + KnightOffsets[i - 1]] == knight) return true;
    return false;
}

inline bool IsSquareAttackedByWhite(const Position& p, int s) {
    const std::uint8_t flags = AttackMap[s];
    const PieceCode* board = p.squares;
    const int r = s / 8, c = s % 8;
    if ((flags & DiagonalBelow) && (RayHits(board, s, 9, 1, Bishop, Queen) || RayHits(board, s, 7, 1, Bishop, Queen)))
        return true;
    if ((flags & LineBelowOrRight) && (RayHits(board, s, 8, 1, Rook, Queen) || RayHits(board, s, 1, 1, Rook, Queen)))
        return true;
    if ((flags & DiagonalAbove) && (RayHits(board, s, -7, 1, Bishop, Queen) || RayHits(board, s, -9, 1, Bishop, Queen)))
        return true;
    if ((flags & LineAboveOrLeft) && (RayHits(board, s, -8, 1, Rook, Queen) || RayHits(board, s, -1, 1, Rook, Queen)))
        return true;
    if ((flags & KnightJump) && KnightOn(board, s, Knight)) return true;
    if ((flags & PawnCapture) && r < 7 && ((c < 7 && board[s + 9] == Pawn) || (c > 0 && board[s + 7] == Pawn)))
        return true;
    if (flags & KingStep) {
        const int k = p.whiteKingSquare;
        if (std::abs(k / 8 - r) <= 1 && std::abs(k % 8 - c) <= 1) return true;
    }
    return false;
}

inline bool IsSquareAttackedByBlack(const Position& p, int s) {
    const std::uint8_t flags = AttackMap[s];
    const PieceCode* board = p.squares;
    const int r = s / 8, c = s % 8;
    if ((flags & DiagonalAbove) &&
        (RayHits(board, s, -7, -1, Bishop, Queen) || RayHits(board, s, -9, -1, Bishop, Queen)))
        return true;
    if ((flags & DiagonalBelow) && (RayHits(board, s, 9, -1, Bishop, Queen) || RayHits(board, s, 7, -1, Bishop, Queen)))
        return true;
    if ((flags & LineAboveOrLeft) && (RayHits(board, s, -8, -1, Rook, Queen) || RayHits(board, s, -1, -1, Rook, Queen)))
        return true;
    if ((flags & LineBelowOrRight) && (RayHits(board, s, 8, -1, Rook, Queen) || RayHits(board, s, 1, -1, Rook, Queen)))
        return true;
    if ((flags & KnightJump) && KnightOn(board, s, -Knight)) return true;
    if ((flags & PawnCapture) && r > 0 && ((c > 0 && board[s - 9] == -Pawn) || (c < 7 && board[s - 7] == -Pawn)))
        return true;
    if (flags & KingStep) {
        const int k = p.blackKingSquare;
        if (std::abs(k / 8 - r) <= 1 && std::abs(k % 8 - c) <= 1) return true;
    }
    return false;
}

enum class Mover { Any, White, Black };

// The three move makers share this body; a maker for one colour handles only
// the special cases of that colour's pieces.
template <Mover M>
void MakeMoveOf(int f, int t, int x) {
    Position& p = WorkingPosition;
    const auto& table = MaterialCount < 25 ? PlacementEndgame : PlacementMiddlegame;
    const int m = p.squares[f];
    const int v = p.squares[t];

    int score = p.score;
    score -= PieceValue[v + 6] + table[v + 6][t];
    score += table[m + 6][t] - table[m + 6][f];
    if (x != f) {
        const int e = p.squares[x];
        score -= PieceValue[e + 6] + table[e + 6][x];
    }
    p.score = score;

    p.squares[t] = static_cast<PieceCode>(m);
    p.squares[f] = 0;
    p.squares[x] = 0;
    p.enPassantSquare = -1;

    // A rook taken on its own corner takes that side's castling with it.
    if constexpr (M != Mover::White) {
        if (v == Rook) {
            if (t == 56) p.whiteCanCastleLong = 0;
            if (t == 63) p.whiteCanCastleShort = 0;
        }
    }
    if constexpr (M != Mover::Black) {
        if (v == -Rook) {
            if (t == 0) p.blackCanCastleLong = 0;
            if (t == 7) p.blackCanCastleShort = 0;
        }
    }

    if constexpr (M != Mover::Black) {
        switch (m) {
            case Pawn:
                if (t <= 7) {
                    p.squares[t] = Queen;
                    RecomputeScore();
                } else if (f - t == 16) {
                    p.enPassantSquare = static_cast<std::int8_t>(t);
                }
                return;
            case Rook:
                if (f == 56) p.whiteCanCastleLong = 0;
                if (f == 63) p.whiteCanCastleShort = 0;
                return;
            case King:
                p.whiteKingSquare = static_cast<std::int8_t>(t);
                if (f == 60) {
                    p.whiteCanCastleShort = 0;
                    p.whiteCanCastleLong = 0;
                    if (t == 58) {
                        p.squares[56] = 0;
                        p.squares[59] = Rook;
                        p.whiteHasCastled = 1;
                    } else if (t == 62) {
                        p.squares[63] = 0;
                        p.squares[61] = Rook;
                        p.whiteHasCastled = 1;
                    }
                }
                return;
            default: break;
        }
    }
    if constexpr (M != Mover::White) {
        switch (m) {
            case -Pawn:
                if (t >= 56) {
                    p.squares[t] = -Queen;
                    RecomputeScore();
                } else if (t - f == 16) {
                    p.enPassantSquare = static_cast<std::int8_t>(t);
                }
                return;
            case -Rook:
                if (f == 0) p.blackCanCastleLong = 0;
                if (f == 7) p.blackCanCastleShort = 0;
                return;
            case -King:
                p.blackKingSquare = static_cast<std::int8_t>(t);
                if (f == 4) {
                    p.blackCanCastleShort = 0;
                    p.blackCanCastleLong = 0;
                    if (t == 2) {
                        p.squares[0] = 0;
                        p.squares[3] = -Rook;
                        p.blackHasCastled = 1;
                    } else if (t == 6) {
                        p.squares[7] = 0;
                        p.squares[5] = -Rook;
                        p.blackHasCastled = 1;
                    }
                }
                return;
            default: break;
        }
    }
}

inline void AppendMove(int from, int to, int clear) {
    if (MoveBuffer.count >= MoveBufferCapacity) return;
    MoveEntry& e = MoveBuffer.entries[MoveBuffer.count++];
    e.fromSquare = static_cast<std::int16_t>(from);
    e.toSquare = static_cast<std::int16_t>(to);
    e.clearSquare = static_cast<std::int16_t>(clear);
}

// Tries one candidate of the piece on s: the move is made, the own king is
// tested on the map of the other colour, and the saved position comes back.
inline void TryCandidate(const Position& saved, bool white, int s, int t, int x) {
    MakeMove(s, t, x);
    const bool attacked = white ? IsSquareAttacked(WorkingPosition.whiteKingSquare, 1, true)
                                : IsSquareAttacked(WorkingPosition.blackKingSquare, -1, true);
    if (!attacked) AppendMove(s, t, x);
    WorkingPosition = saved;
}

// The en passant capture removes a pawn that may have stopped a ray of the
// map, so the map is rebuilt for this one trial and then put back.
void TryEnPassant(const Position& saved, bool white, int s, int t, int x) {
    std::uint8_t map[64];
    std::memcpy(map, AttackMap, sizeof map);
    MakeMove(s, t, x);
    BuildAttackMap(white ? Black : White);
    const bool attacked = white ? IsSquareAttacked(WorkingPosition.whiteKingSquare, 1, true)
                                : IsSquareAttacked(WorkingPosition.blackKingSquare, -1, true);
    if (!attacked) AppendMove(s, t, x);
    WorkingPosition = saved;
    std::memcpy(AttackMap, map, sizeof map);
}

void SlidingCandidates(const Position& saved, bool white, int s, const int* directions, int count) {
    const int sign = white ? 1 : -1;
    for (int i = 0; i < count; ++i) {
        const int d = directions[i];
        int t = s;
        for (int n = RaySteps(s, d); n > 0; --n) {
            t += d;
            const int q = saved.squares[t] * sign;
            if (q > 0) break;
            TryCandidate(saved, white, s, t, s);
            if (q < 0) break;
        }
    }
}

constexpr int WhiteRookDirections[4] = {-8, -1, 8, 1};
constexpr int BlackRookDirections[4] = {8, 1, -8, -1};
constexpr int WhiteBishopDirections[4] = {-7, -9, 9, 7};
constexpr int BlackBishopDirections[4] = {9, 7, -7, -9};
constexpr int WhiteQueenDirections[8] = {-7, -9, -8, -1, 9, 7, 1, 8};
constexpr int BlackQueenDirections[8] = {9, 7, 8, 1, -7, -9, -8, -1};

}  // namespace

int BuildAttackMap(int colour) {
    std::memset(AttackMap, 0, sizeof AttackMap);
    int marks = 0;
    const PieceCode* board = WorkingPosition.squares;
    const int sign = colour == White ? 1 : -1;
    for (int s = 63; s >= 0; --s) {
        const int piece = board[s] * sign;
        if (piece <= 0) continue;
        const int r = s / 8, c = s % 8;
        switch (piece) {
            case Pawn:
                if (sign > 0) {
                    if (r > 0) {
                        if (c > 0) Mark(s - 9, PawnCapture, marks);
                        if (c < 7) Mark(s - 7, PawnCapture, marks);
                    }
                } else if (r < 7) {
                    if (c > 0) Mark(s + 7, PawnCapture, marks);
                    if (c < 7) Mark(s + 9, PawnCapture, marks);
                }
                break;
            case Knight:
                for (int i = KnightFirst[s]; i <= KnightLast[s]; ++i) Mark(s + KnightOffsets[i - 1], KnightJump, marks);
                break;
            case King:
                for (int i = KingFirst[s]; i <= KingLast[s]; ++i) Mark(s + KingOffsets[i - 1], KingStep, marks);
                break;
            case Bishop:
            case Queen:
                MarkRay(board, s, -7, DiagonalBelow, sign, marks);
                MarkRay(board, s, -9, DiagonalBelow, sign, marks);
                MarkRay(board, s, 9, DiagonalAbove, sign, marks);
                MarkRay(board, s, 7, DiagonalAbove, sign, marks);
                if (piece == Bishop) break;
                [[fallthrough]];
            case Rook:
                MarkRay(board, s, -8, LineBelowOrRight, sign, marks);
                MarkRay(board, s, 8, LineAboveOrLeft, sign, marks);
                MarkRay(board, s, -1, LineBelowOrRight, sign, marks);
                MarkRay(board, s, 1, LineAboveOrLeft, sign, marks);
                break;
            default: break;
        }
    }
    return marks;
}

bool IsSquareAttacked(int square, int defender, bool mapReady) {
    const bool byWhite = defender == -1;
    if (!mapReady) BuildAttackMap(byWhite ? White : Black);
    if (AttackMap[square] == 0) return false;
    return byWhite ? IsSquareAttackedByWhite(WorkingPosition, square)
                   : IsSquareAttackedByBlack(WorkingPosition, square);
}

void GeneratePieceMoves(Square s) {
    const Position saved = WorkingPosition;
    const int piece = saved.squares[s];
    if (piece == 0) return;
    const bool white = piece > 0;
    const int sign = white ? 1 : -1;
    const int r = s / 8, c = s % 8;
    const PieceCode* board = saved.squares;

    switch (piece * sign) {
        case Rook:
            SlidingCandidates(saved, white, s, white ? WhiteRookDirections : BlackRookDirections, 4);
            break;
        case Bishop:
            SlidingCandidates(saved, white, s, white ? WhiteBishopDirections : BlackBishopDirections, 4);
            break;
        case Queen:
            SlidingCandidates(saved, white, s, white ? WhiteQueenDirections : BlackQueenDirections, 8);
            break;
        case Knight:
            if (white) {
                for (int i = KnightFirst[s]; i <= KnightLast[s]; ++i) {
                    const int t = s + KnightOffsets[i - 1];
                    if (board[t] <= 0) TryCandidate(saved, true, s, t, s);
                }
            } else {
                for (int i = KnightLast[s]; i >= KnightFirst[s]; --i) {
                    const int t = s + KnightOffsets[i - 1];
                    if (board[t] >= 0) TryCandidate(saved, false, s, t, s);
                }
            }
            break;
        case King:
            for (int i = KingFirst[s]; i <= KingLast[s]; ++i) {
                const int t = s + KingOffsets[i - 1];
                if (board[t] * sign <= 0) TryCandidate(saved, white, s, t, s);
            }
            if (white) {
                if (saved.whiteCanCastleShort && board[63] == Rook && board[61] == 0 && board[62] == 0 &&
                    !IsSquareAttacked(61, 1, true) && !IsSquareAttacked(s, 1, true))
                    TryCandidate(saved, true, s, 62, s);
                if (saved.whiteCanCastleLong && board[56] == Rook && board[57] == 0 && board[58] == 0 &&
                    board[59] == 0 && !IsSquareAttacked(59, 1, true) && !IsSquareAttacked(s, 1, true))
                    TryCandidate(saved, true, s, 58, s);
            } else {
                if (saved.blackCanCastleShort && board[7] == -Rook && board[5] == 0 && board[6] == 0 &&
                    !IsSquareAttacked(5, -1, true) && !IsSquareAttacked(s, -1, true))
                    TryCandidate(saved, false, s, 6, s);
                if (saved.blackCanCastleLong && board[0] == -Rook && board[1] == 0 && board[2] == 0 &&
                    board[3] == 0 && !IsSquareAttacked(3, -1, true) && !IsSquareAttacked(s, -1, true))
                    TryCandidate(saved, false, s, 2, s);
            }
            break;
        case Pawn: {
            const int e = saved.enPassantSquare;
            if (white) {
                if (r == 0) break;
                if (board[s - 8] == 0) TryCandidate(saved, true, s, s - 8, s);
                if (r == 6 && board[s - 8] == 0 && board[s - 16] == 0) TryCandidate(saved, true, s, s - 16, s);
                if (c > 0 && board[s - 9] < 0) TryCandidate(saved, true, s, s - 9, s);
                if (c < 7 && board[s - 7] < 0) TryCandidate(saved, true, s, s - 7, s);
                if (e != -1 && board[e] < 0 && s >= 24 && s <= 31 && std::abs(s - e) == 1)
                    TryEnPassant(saved, true, s, e - 8, e);
            } else {
                if (r == 7) break;
                if (board[s + 8] == 0) TryCandidate(saved, false, s, s + 8, s);
                if (r == 1 && board[s + 8] == 0 && board[s + 16] == 0) TryCandidate(saved, false, s, s + 16, s);
                if (c > 0 && board[s + 7] > 0) TryCandidate(saved, false, s, s + 7, s);
                if (c < 7 && board[s + 9] > 0) TryCandidate(saved, false, s, s + 9, s);
                if (e != -1 && board[e] > 0 && s >= 32 && s <= 39 && std::abs(s - e) == 1)
                    TryEnPassant(saved, false, s, e + 8, e);
            }
            break;
        }
        default: break;
    }
}

void GenerateAllMoves(bool blackToMove) {
    MoveBuffer.count = 0;
    BuildAttackMap(blackToMove ? White : Black);
    const int sign = blackToMove ? -1 : 1;
    for (int s = 63; s >= 0; --s)
        if (WorkingPosition.squares[s] * sign > 0) GeneratePieceMoves(s);
}

void MakeMove(int fromSquare, int toSquare, int clearSquare) {
    MakeMoveOf<Mover::Any>(fromSquare, toSquare, clearSquare);
}

void MakeWhiteMove(int fromSquare, int toSquare, int clearSquare) {
    MakeMoveOf<Mover::White>(fromSquare, toSquare, clearSquare);
}

void MakeBlackMove(int fromSquare, int toSquare, int clearSquare) {
    MakeMoveOf<Mover::Black>(fromSquare, toSquare, clearSquare);
}

void RecomputeScore() {
    std::int16_t sum = 0;
    for (int s = 0; s < 64; ++s) {
        const int c = WorkingPosition.squares[s];
        sum = static_cast<std::int16_t>(sum + PieceValue[c + 6] + PlacementMiddlegame[c + 6][s]);
    }
    WorkingPosition.score = sum;
}

std::int32_t CountMaterial() {
    static constexpr std::int32_t Weight[7] = {0, 0, 10, 4, 4, 5, 1};
    std::int32_t total = 0;
    for (const PieceCode code : WorkingPosition.squares) {
        const int kind = code < 0 ? -code : code;
        if (kind <= 6) total += Weight[kind];
    }
    return total;
}
