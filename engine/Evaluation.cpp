#include "engine/Evaluation.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "rules/variables.h"

namespace {

#if !defined(__SSE2__)
// Pawns per file on ranks 7 to 2, rebuilt by every evaluation.
unsigned WhitePawnsOnFile[8];
unsigned BlackPawnsOnFile[8];

void CountPawnsByFile(const PieceCode* board) {
    for (int f = 0; f < 8; ++f) {
        unsigned white = 0, black = 0;
        for (int s = f + 8; s <= f + 48; s += 8) {
            white += board[s] == 6;
            black += board[s] == -6;
        }
        WhitePawnsOnFile[f] = white;
        BlackPawnsOnFile[f] = black;
    }
}

#endif

// King shelter and castling terms for one side, from White's view.
int KingTerms(const Position& p) {
    const PieceCode* b = p.squares;
    int s = 0;
    // a8 = 0, so a7 = 8, b7 = 9, c7 = 10, g7 = 14, h7 = 15; rank 6 adds 8.
    if (p.blackHasCastled) {
        const int k = p.blackKingSquare;
        if ((k == 1 || k == 2) && b[9] == -6 && b[10] == -6 && (b[8] == -6 || b[16] == -6)) s -= 20;
        if ((k == 5 || k == 6) && b[14] == -6 && (b[15] == -6 || b[23] == -6)) s -= 20;
        s -= 40;
    } else if (!p.blackCanCastleShort && !p.blackCanCastleLong) {
        s += 30;
    }
    // a2 = 48, b2 = 49, c2 = 50, g2 = 54, h2 = 55; rank 3 subtracts 8.
    if (p.whiteHasCastled) {
        const int k = p.whiteKingSquare;
        if ((k == 57 || k == 58) && b[49] == 6 && b[50] == 6 && (b[48] == 6 || b[40] == 6)) s += 20;
        if ((k == 61 || k == 62) && b[54] == 6 && (b[55] == 6 || b[47] == 6)) s += 20;
        s += 40;
    } else if (!p.whiteCanCastleShort && !p.whiteCanCastleLong) {
        s -= 30;
    }
    return s;
}


// Files (bit f for file f) holding at least one pawn, exactly two pawns, of
// each colour on ranks 7 to 2.
struct PawnFiles {
    unsigned white, black, whiteDoubled, blackDoubled;
};

PawnFiles ReadPawnFiles(const PieceCode* board) {
#if defined(__SSE2__)
    // Squares 8..55 are three blocks of two ranks; summing the blocks and
    // then their two halves counts the pawns of each file in one byte.
    const __m128i whitePawn = _mm_set1_epi8(6), blackPawn = _mm_set1_epi8(-6);
    __m128i white = _mm_setzero_si128(), black = _mm_setzero_si128();
    for (int i = 0; i < 3; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(board + 8 + 16 * i));
        white = _mm_sub_epi8(white, _mm_cmpeq_epi8(v, whitePawn));
        black = _mm_sub_epi8(black, _mm_cmpeq_epi8(v, blackPawn));
    }
    white = _mm_add_epi8(white, _mm_srli_si128(white, 8));
    black = _mm_add_epi8(black, _mm_srli_si128(black, 8));
    const __m128i zero = _mm_setzero_si128(), two = _mm_set1_epi8(2);
    auto files = [](__m128i m) { return static_cast<unsigned>(_mm_movemask_epi8(m)) & 0xFF; };
    return {files(_mm_cmpgt_epi8(white, zero)), files(_mm_cmpgt_epi8(black, zero)), files(_mm_cmpeq_epi8(white, two)),
            files(_mm_cmpeq_epi8(black, two))};
#else
    PawnFiles f{0, 0, 0, 0};
    CountPawnsByFile(board);
    for (int x = 0; x < 8; ++x) {
        f.white |= (WhitePawnsOnFile[x] > 0) << x;
        f.black |= (BlackPawnsOnFile[x] > 0) << x;
        f.whiteDoubled |= (WhitePawnsOnFile[x] == 2) << x;
        f.blackDoubled |= (BlackPawnsOnFile[x] == 2) << x;
    }
    return f;
#endif
}

// Set sizes of 8-bit file sets, by table: no popcount instruction needed.
constexpr auto FileCounts = [] {
    struct Table {
        std::int8_t n[256];
    } t{};
    for (int i = 0; i < 256; ++i) t.n[i] = static_cast<std::int8_t>(std::popcount(static_cast<unsigned>(i)));
    return t;
}();
inline int Count(unsigned files) { return FileCounts.n[files]; }

// The files beside those of the set.
inline unsigned Beside(unsigned files) { return ((files << 1) | (files >> 1)) & 0xFF; }

}  // namespace

std::int16_t Evaluate(int side) {
    ++NodeCounter;
    const Position& p = WorkingPosition;
    // The total is 16-bit: terms are summed in int and wrapped once at the
    // end, which gives the same result as wrapping after every term.
    const PawnFiles f = ReadPawnFiles(p.squares);
    int s = 20 * (Count(f.blackDoubled) - Count(f.whiteDoubled));
    if (MaterialCount >= 25) {
        s += KingTerms(p);
        s += 10 * (Count(f.black & ~Beside(f.black)) - Count(f.white & ~Beside(f.white)));
        s += 10 * (Count(f.white & ~Beside(f.black)) - Count(f.black & ~Beside(f.white)));
    }
    s += static_cast<std::int16_t>(p.score);
    const auto total = static_cast<std::int16_t>(s);
    return side == 0 ? total : static_cast<std::int16_t>(-total);
}

bool KeepsEvaluationTerms(int from, int to) {
    const Position& p = WorkingPosition;
    const int mover = p.squares[from], captured = p.squares[to];
    if (mover == 6 || mover == -6 || captured == 6 || captured == -6) return false;  // pawn files and shelter
    if (MaterialCount < 25) return true;  // the endgame counts doubled pawns only
    // The castling flags a move would clear, as MakeMove clears them.
    auto clears = [&](int piece, int square) {
        switch (piece) {
            case 1: return square == 60 && (p.whiteCanCastleShort || p.whiteCanCastleLong);
            case -1: return square == 4 && (p.blackCanCastleShort || p.blackCanCastleLong);
            case 5: return (square == 56 && p.whiteCanCastleLong) || (square == 63 && p.whiteCanCastleShort);
            case -5: return (square == 0 && p.blackCanCastleLong) || (square == 7 && p.blackCanCastleShort);
            default: return false;
        }
    };
    if (clears(mover, from) || clears(captured, to)) return false;
    // A castled king's square counts for its shelter.
    if (mover == 1 && p.whiteHasCastled) return false;
    if (mover == -1 && p.blackHasCastled) return false;
    return true;
}

std::int16_t EvaluateWithNewScore(std::int16_t before, int side, std::int32_t scoreBefore, std::int32_t scoreAfter) {
    ++NodeCounter;
    // In White's view the total is the terms plus the score's low 16 bits,
    // wrapped to 16 bits, and the terms are the same before and after.
    const int white = side == 0 ? before : -before;
    const auto total = static_cast<std::int16_t>(white - static_cast<std::int16_t>(scoreBefore) +
                                                 static_cast<std::int16_t>(scoreAfter));
    return side == 0 ? total : static_cast<std::int16_t>(-total);
}
