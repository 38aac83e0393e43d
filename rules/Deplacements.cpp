#include "rules/Deplacements.h"

#include "rules/bitboards.h"

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

// ---------------------------------------------------------------------------
// Legality without trial moves. A candidate is legal exactly when the own
// king is not attacked after it; the pins and checks of the position decide
// that for every move but the king's and the en passant capture, which are
// tested directly on the board.

// Directions by index; 0..3 step toward a8, 4..7 toward h1.
constexpr int Directions[8] = {-9, -8, -7, -1, 1, 7, 8, 9};
constexpr bool Diagonal[8] = {true, false, true, false, false, true, false, true};

struct Geometry {
    std::int8_t rayLength[64][8];
    std::int8_t ray[64][8][7];    // the squares of each ray, nearest first
    Bitboard rayMask[64][8];
    Bitboard line[64][64];        // the whole line through two aligned squares
    Bitboard between[64][64];     // the squares strictly between them
    std::int8_t distance[64][64]; // king steps

    Geometry() : rayLength{}, ray{}, rayMask{}, line{}, between{}, distance{} {
        for (int s = 0; s < 64; ++s) {
            const int r = s / 8, c = s % 8;
            for (int d = 0; d < 8; ++d) {
                const int n = RaySteps(s, Directions[d]);
                rayLength[s][d] = static_cast<std::int8_t>(n);
                for (int i = 0; i < n; ++i) {
                    ray[s][d][i] = static_cast<std::int8_t>(s + (i + 1) * Directions[d]);
                    rayMask[s][d] |= Bit(ray[s][d][i]);
                }
            }
            for (int t = 0; t < 64; ++t)
                distance[s][t] = static_cast<std::int8_t>(std::max(std::abs(r - t / 8), std::abs(c - t % 8)));
        }
        for (int s = 0; s < 64; ++s) {
            for (int d = 0; d < 8; ++d) {
                const Bitboard full = Bit(s) | rayMask[s][d] | rayMask[s][7 - d];
                Bitboard path = 0;
                for (int i = 0; i < rayLength[s][d]; ++i) {
                    const int t = ray[s][d][i];
                    line[s][t] = full;
                    between[s][t] = path;
                    path |= Bit(t);
                }
            }
        }
    }
};

const Geometry Geo;

// The nearest square of a set along direction d.
inline int Nearest(Bitboard set, int d) { return d >= 4 ? Lowest(set) : Highest(set); }

// The context of the generation under way.
MoveContext Ctx;

// Whether the enemy of the prepared side attacks square sq, with the square
// `vacated` taken as empty (the square the king leaves).
bool AttackedByEnemy(int sq, int vacated) {
    const PieceCode* b = WorkingPosition.squares;
    const int sign = -Ctx.sign;  // the attacker
    const Bitboard occupied = vacated >= 0 ? Ctx.occupied & ~Bit(vacated) : Ctx.occupied;
    for (int d = 0; d < 8; ++d) {
        const Bitboard sliders = Diagonal[d] ? Ctx.enemyDiagonal : Ctx.enemyLine;
        if (!(Geo.rayMask[sq][d] & sliders)) continue;
        const Bitboard blockers = Geo.rayMask[sq][d] & occupied;
        if (Has(sliders, Nearest(blockers, d))) return true;
    }
    if (KnightOn(b, sq, sign * Knight)) return true;
    const int r = sq / 8, c = sq % 8;
    if (sign > 0) {
        if (r < 7 && ((c < 7 && b[sq + 9] == Pawn) || (c > 0 && b[sq + 7] == Pawn))) return true;
    } else {
        if (r > 0 && ((c > 0 && b[sq - 9] == -Pawn) || (c < 7 && b[sq - 7] == -Pawn))) return true;
    }
    const int king = sign > 0 ? WorkingPosition.whiteKingSquare : WorkingPosition.blackKingSquare;
    return Geo.distance[king][sq] <= 1;
}

// The board's occupancy and the enemy's pieces by kind, in one pass.
void ReadEnemySets(const PieceCode* b, int sign) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i queen = _mm_set1_epi8(static_cast<char>(-sign * Queen));
    const __m128i bishop = _mm_set1_epi8(static_cast<char>(-sign * Bishop));
    const __m128i rook = _mm_set1_epi8(static_cast<char>(-sign * Rook));
    const __m128i knight = _mm_set1_epi8(static_cast<char>(-sign * Knight));
    const __m128i pawn = _mm_set1_epi8(static_cast<char>(-sign * Pawn));
    Bitboard empty = 0, negative = 0, queens = 0, bishops = 0, rooks = 0, knights = 0, pawns = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 16 * i));
        auto mask = [i](__m128i m) { return Bitboard{static_cast<std::uint16_t>(_mm_movemask_epi8(m))} << (16 * i); };
        empty |= mask(_mm_cmpeq_epi8(v, zero));
        negative |= mask(v);
        queens |= mask(_mm_cmpeq_epi8(v, queen));
        bishops |= mask(_mm_cmpeq_epi8(v, bishop));
        rooks |= mask(_mm_cmpeq_epi8(v, rook));
        knights |= mask(_mm_cmpeq_epi8(v, knight));
        pawns |= mask(_mm_cmpeq_epi8(v, pawn));
    }
    Ctx.occupied = ~empty;
    Ctx.enemy = sign > 0 ? negative : ~empty & ~negative;
#else
    const Bitboard queens = SquaresHolding(b, -sign * Queen), bishops = SquaresHolding(b, -sign * Bishop);
    const Bitboard rooks = SquaresHolding(b, -sign * Rook), knights = SquaresHolding(b, -sign * Knight);
    const Bitboard pawns = SquaresHolding(b, -sign * Pawn);
    Ctx.enemy = SideSquares(b, -sign);
    Ctx.occupied = Ctx.enemy | SideSquares(b, sign);
#endif
    Ctx.enemyDiagonal = queens | bishops;
    Ctx.enemyLine = queens | rooks;
    Ctx.enemyKnights = knights;
    Ctx.enemyPawns = pawns;
}

void Prepare(int sign) {
    static std::uint64_t preparations = 0;
    Ctx.id = ++preparations;
    const Position& p = WorkingPosition;
    const PieceCode* b = p.squares;
    const int k = sign > 0 ? p.whiteKingSquare : p.blackKingSquare;
    ReadEnemySets(b, sign);
    const Bitboard enemy = Ctx.enemy;
    Ctx.sign = sign;
    Ctx.king = k;
    Ctx.checks = 0;
    Ctx.pinned = 0;
    Bitboard evasion = 0;
    for (int d = 0; d < 8; ++d) {
        const Bitboard sliders = Diagonal[d] ? Ctx.enemyDiagonal : Ctx.enemyLine;
        if (!(Geo.rayMask[k][d] & sliders)) continue;
        Bitboard blockers = Geo.rayMask[k][d] & Ctx.occupied;
        const int first = Nearest(blockers, d);
        if (Has(enemy, first)) {
            if (Has(sliders, first)) {
                ++Ctx.checks;
                evasion |= Geo.between[k][first] | Bit(first);
            }
            continue;
        }
        blockers &= ~Bit(first);
        if (blockers && Has(sliders, Nearest(blockers, d))) Ctx.pinned |= Bit(first);
    }
    const Bitboard knights = Attacks.knight[k] & Ctx.enemyKnights;
    if (knights) {
        Ctx.checks += PopCount(knights);
        evasion |= knights;
    }
    const int r = k / 8, c = k % 8;
    if (sign > 0 && r > 0) {
        if (c > 0 && b[k - 9] == -Pawn) ++Ctx.checks, evasion |= Bit(k - 9);
        if (c < 7 && b[k - 7] == -Pawn) ++Ctx.checks, evasion |= Bit(k - 7);
    } else if (sign < 0 && r < 7) {
        if (c > 0 && b[k + 7] == Pawn) ++Ctx.checks, evasion |= Bit(k + 7);
        if (c < 7 && b[k + 9] == Pawn) ++Ctx.checks, evasion |= Bit(k + 9);
    }
    // Kings side by side never happen in play; should they, only the king moves.
    if (Geo.distance[k][sign > 0 ? p.blackKingSquare : p.whiteKingSquare] <= 1) Ctx.checks = 2;
    Ctx.evasion = Ctx.checks == 0 ? ~Bitboard{0} : evasion;
}

// Whether a move to t passes the filter: a capture lands on an occupied
// square (so en passant counts as quiet).
template <MoveFilter F>
inline bool Wanted(int t) {
    if constexpr (F == CapturesOnly) return WorkingPosition.squares[t] != 0;
    if constexpr (F == QuietOnly) return WorkingPosition.squares[t] == 0;
    return true;
}

// A move of a piece other than the king, not en passant.
template <MoveFilter F>
inline void TryCandidate(int s, int t) {
    if (!Wanted<F>(t)) return;
    if (Ctx.checks < 2 && Has(Ctx.evasion, t) && (!Has(Ctx.pinned, s) || Has(Geo.line[Ctx.king][s], t)))
        AppendMove(s, t, s);
}

template <MoveFilter F>
inline void TryKingStep(int s, int t) {
    if (Wanted<F>(t) && !AttackedByEnemy(t, s)) AppendMove(s, t, s);
}

// The en passant capture empties a square off its path: it is made and the
// king tested on the resulting board.
template <MoveFilter F>
void TryEnPassant(int s, int t, int x) {
    if constexpr (F == CapturesOnly) return;
    const Position saved = WorkingPosition;
    const MoveContext prepared = Ctx;
    MakeMove(s, t, x);
    Prepare(prepared.sign);
    const bool attacked = Ctx.checks > 0;
    WorkingPosition = saved;
    Ctx = prepared;
    if (!attacked) AppendMove(s, t, x);
}

template <MoveFilter F>
void SlidingCandidates(int s, const int* directions, int count) {
    for (int i = 0; i < count; ++i) {
        const int d = directions[i];
        // The ray runs to its first piece: the empty squares before it are
        // quiet moves, the piece itself a capture when it is the enemy's.
        const Bitboard blockers = Geo.rayMask[s][d] & Ctx.occupied;
        const int stop = blockers ? Nearest(blockers, d) : -1;
        if constexpr (F != CapturesOnly) {
            const int empty = blockers ? Geo.distance[s][stop] - 1 : Geo.rayLength[s][d];
            const std::int8_t* ray = Geo.ray[s][d];
            for (int j = 0; j < empty; ++j) TryCandidate<AllMoves>(s, ray[j]);
        }
        if constexpr (F != QuietOnly) {
            if (stop >= 0 && Has(Ctx.enemy, stop)) TryCandidate<AllMoves>(s, stop);
        }
    }
}

// The walking order of the sliders' directions, as indexes of Directions:
// White rook -8, -1, +8, +1; Black rook +8, +1, -8, -1; White bishop -7, -9,
// +9, +7; Black bishop +9, +7, -7, -9; the queens as bishop then rook, with
// White's queen -7, -9, -8, -1, +9, +7, +1, +8 and Black's mirrored.
constexpr int WhiteRookDirections[4] = {1, 3, 6, 4};
constexpr int BlackRookDirections[4] = {6, 4, 1, 3};
constexpr int WhiteBishopDirections[4] = {2, 0, 7, 5};
constexpr int BlackBishopDirections[4] = {7, 5, 2, 0};
constexpr int WhiteQueenDirections[8] = {2, 0, 1, 3, 7, 5, 4, 6};
constexpr int BlackQueenDirections[8] = {7, 5, 6, 4, 2, 0, 1, 3};

// The candidates of the piece on s in their fixed order, each appended when
// legal under the prepared pins and checks.
template <MoveFilter F>
void GenerateFrom(Square s) {
    const Position& p = WorkingPosition;
    const PieceCode* board = p.squares;
    const int piece = board[s];
    if (piece == 0) return;
    const bool white = piece > 0;
    const int sign = white ? 1 : -1;
    const int r = s / 8, c = s % 8;

    switch (piece * sign) {
        case Rook:
            SlidingCandidates<F>(s, white ? WhiteRookDirections : BlackRookDirections, 4);
            break;
        case Bishop:
            SlidingCandidates<F>(s, white ? WhiteBishopDirections : BlackBishopDirections, 4);
            break;
        case Queen:
            SlidingCandidates<F>(s, white ? WhiteQueenDirections : BlackQueenDirections, 8);
            break;
        case Knight:
            if (white) {
                for (int i = KnightFirst[s]; i <= KnightLast[s]; ++i) {
                    const int t = s + KnightOffsets[i - 1];
                    if (board[t] <= 0) TryCandidate<F>(s, t);
                }
            } else {
                for (int i = KnightLast[s]; i >= KnightFirst[s]; --i) {
                    const int t = s + KnightOffsets[i - 1];
                    if (board[t] >= 0) TryCandidate<F>(s, t);
                }
            }
            break;
        case King: {
            for (int i = KingFirst[s]; i <= KingLast[s]; ++i) {
                const int t = s + KingOffsets[i - 1];
                if (board[t] * sign <= 0) TryKingStep<F>(s, t);
            }
            // Castling: not out of check, not across an attacked square, not
            // into check. The rook that lands beside the king cannot block an
            // attack on its destination that would not first cross the king.
            if (Ctx.checks > 0) break;
            if (white) {
                if (p.whiteCanCastleShort && board[63] == Rook && board[61] == 0 && board[62] == 0 &&
                    !AttackedByEnemy(61, -1))
                    TryKingStep<F>(s, 62);
                if (p.whiteCanCastleLong && board[56] == Rook && board[57] == 0 && board[58] == 0 && board[59] == 0 &&
                    !AttackedByEnemy(59, -1))
                    TryKingStep<F>(s, 58);
            } else {
                if (p.blackCanCastleShort && board[7] == -Rook && board[5] == 0 && board[6] == 0 &&
                    !AttackedByEnemy(5, -1))
                    TryKingStep<F>(s, 6);
                if (p.blackCanCastleLong && board[0] == -Rook && board[1] == 0 && board[2] == 0 && board[3] == 0 &&
                    !AttackedByEnemy(3, -1))
                    TryKingStep<F>(s, 2);
            }
            break;
        }
        case Pawn: {
            // Steps are quiet, diagonals captures; en passant counts as quiet.
            constexpr bool quiet = F != CapturesOnly, captures = F != QuietOnly;
            const int e = p.enPassantSquare;
            if (white) {
                if (r == 0) break;
                if (quiet && board[s - 8] == 0) TryCandidate<AllMoves>(s, s - 8);
                if (quiet && r == 6 && board[s - 8] == 0 && board[s - 16] == 0) TryCandidate<AllMoves>(s, s - 16);
                if (captures && c > 0 && board[s - 9] < 0) TryCandidate<AllMoves>(s, s - 9);
                if (captures && c < 7 && board[s - 7] < 0) TryCandidate<AllMoves>(s, s - 7);
                if (quiet && e != -1 && board[e] < 0 && s >= 24 && s <= 31 && std::abs(s - e) == 1)
                    TryEnPassant<F>(s, e - 8, e);
            } else {
                if (r == 7) break;
                if (quiet && board[s + 8] == 0) TryCandidate<AllMoves>(s, s + 8);
                if (quiet && r == 1 && board[s + 8] == 0 && board[s + 16] == 0) TryCandidate<AllMoves>(s, s + 16);
                if (captures && c > 0 && board[s + 7] > 0) TryCandidate<AllMoves>(s, s + 7);
                if (captures && c < 7 && board[s + 9] > 0) TryCandidate<AllMoves>(s, s + 9);
                if (quiet && e != -1 && board[e] > 0 && s >= 32 && s <= 39 && std::abs(s - e) == 1)
                    TryEnPassant<F>(s, e + 8, e);
            }
            break;
        }
        default: break;
    }
}

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
    const int piece = WorkingPosition.squares[s];
    if (piece == 0) return;
    Prepare(piece > 0 ? 1 : -1);
    GenerateFrom<AllMoves>(s);
}

void GenerateAllMoves(bool blackToMove) {
    BuildAttackMap(blackToMove ? White : Black);
    GenerateLegalMoves(blackToMove);
}

void GenerateLegalMoves(bool blackToMove) {
    MoveBuffer.count = 0;
    const int sign = blackToMove ? -1 : 1;
    Prepare(sign);
    // From h1 down to a8.
    for (Bitboard pieces = SideSquares(WorkingPosition.squares, sign); pieces;) {
        const int s = Highest(pieces);
        pieces &= ~Bit(s);
        GenerateFrom<AllMoves>(s);
    }
}

MoveContext PrepareMoveGeneration(int side) {
    Prepare(side == White ? 1 : -1);
    return Ctx;
}

void GeneratePreparedMoves(const MoveContext& context, Square s, MoveFilter filter) {
    if (context.id != Ctx.id) Ctx = context;
    switch (filter) {
        case AllMoves: return GenerateFrom<AllMoves>(s);
        case CapturesOnly: return GenerateFrom<CapturesOnly>(s);
        case QuietOnly: return GenerateFrom<QuietOnly>(s);
    }
}

bool KingInCheck(int side) {
    Prepare(side == White ? 1 : -1);
    return Ctx.checks > 0;
}

int PreparedEnemyMarks(const MoveContext& context) {
    if (context.id != Ctx.id) Ctx = context;
    // What BuildAttackMap would count for the enemy: two marks a pawn, one
    // on the edge files (a pawn is never on its last rank); the knights' and
    // the king's windows; the sliders' rays up to their own pieces.
    constexpr Bitboard FileA = 0x0101010101010101ull, FileH = FileA << 7;
    const Bitboard pawns = Ctx.enemyPawns;
    int marks = PopCount(pawns & ~FileA) + PopCount(pawns & ~FileH);
    for (Bitboard n = Ctx.enemyKnights; n; n &= n - 1) {
        const int s = Lowest(n);
        marks += KnightLast[s] - KnightFirst[s] + 1;
    }
    const Position& p = WorkingPosition;
    const int king = Ctx.sign > 0 ? p.blackKingSquare : p.whiteKingSquare;
    marks += KingLast[king] - KingFirst[king] + 1;
    const Bitboard own = Ctx.enemy;
    auto ray = [own](int s, int d) {
        const Bitboard blockers = Geo.rayMask[s][d] & own;
        return blockers ? Geo.distance[s][Nearest(blockers, d)] : Geo.rayLength[s][d];
    };
    for (Bitboard d = Ctx.enemyDiagonal; d; d &= d - 1) {
        const int s = Lowest(d);
        marks += ray(s, 0) + ray(s, 2) + ray(s, 5) + ray(s, 7);
    }
    for (Bitboard l = Ctx.enemyLine; l; l &= l - 1) {
        const int s = Lowest(l);
        marks += ray(s, 1) + ray(s, 3) + ray(s, 4) + ray(s, 6);
    }
    return marks;
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
