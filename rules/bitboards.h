// Square sets of 64 bits (bit s for Square s) read off the 64 bytes of a
// board, and the board geometry as sets. Internal to the rules and the
// engine: they make the hot paths cheaper without changing any result.
#pragma once

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "rules/variables.h"

using Bitboard = std::uint64_t;

inline constexpr Bitboard Bit(int s) { return Bitboard{1} << s; }
inline constexpr bool Has(Bitboard b, int s) { return (b >> s) & 1; }
inline int Lowest(Bitboard b) { return std::countr_zero(b); }
inline int Highest(Bitboard b) { return 63 - std::countl_zero(b); }

// The size of a set, without a library call where the processor has no
// popcount instruction.
inline int PopCount(Bitboard b) {
#if defined(__POPCNT__)
    return std::popcount(b);
#else
    b = b - ((b >> 1) & 0x5555555555555555ull);
    b = (b & 0x3333333333333333ull) + ((b >> 2) & 0x3333333333333333ull);
    b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((b * 0x0101010101010101ull) >> 56);
#endif
}

// The squares holding a positive (White) or a negative (Black) code, or one
// given code.
#if defined(__SSE2__)
inline Bitboard WhiteSquares(const PieceCode* board) {
    const __m128i zero = _mm_setzero_si128();
    Bitboard set = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(board + 16 * i));
        set |= Bitboard{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpgt_epi8(v, zero)))} << (16 * i);
    }
    return set;
}
inline Bitboard BlackSquares(const PieceCode* board) {
    Bitboard set = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(board + 16 * i));
        set |= Bitboard{static_cast<std::uint16_t>(_mm_movemask_epi8(v))} << (16 * i);
    }
    return set;
}
inline Bitboard SquaresHolding(const PieceCode* board, int code) {
    const __m128i c = _mm_set1_epi8(static_cast<char>(code));
    Bitboard set = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(board + 16 * i));
        set |= Bitboard{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, c)))} << (16 * i);
    }
    return set;
}
#else
inline Bitboard WhiteSquares(const PieceCode* board) {
    Bitboard set = 0;
    for (int s = 0; s < 64; ++s) set |= Bitboard{board[s] > 0} << s;
    return set;
}
inline Bitboard BlackSquares(const PieceCode* board) {
    Bitboard set = 0;
    for (int s = 0; s < 64; ++s) set |= Bitboard{board[s] < 0} << s;
    return set;
}
inline Bitboard SquaresHolding(const PieceCode* board, int code) {
    Bitboard set = 0;
    for (int s = 0; s < 64; ++s) set |= Bitboard{board[s] == code} << s;
    return set;
}
#endif

inline Bitboard SideSquares(const PieceCode* board, int sign) {
    return sign > 0 ? WhiteSquares(board) : BlackSquares(board);
}

// The squares a piece of each kind attacks from a square on an empty board,
// for quick tests of whether it could take anything.
struct AttackTables {
    Bitboard knight[64];
    Bitboard king[64];
    Bitboard pawn[2][64];  // by colour: 0 White (toward rank 8), 1 Black
    Bitboard diagonals[64];
    Bitboard lines[64];
};

inline constexpr AttackTables Attacks = [] {
    AttackTables t{};
    for (int s = 0; s < 64; ++s) {
        const int r = s / 8, c = s % 8;
        for (int q = 0; q < 64; ++q) {
            const int dr = q / 8 - r, dc = q % 8 - c;
            const int ar = dr < 0 ? -dr : dr, ac = dc < 0 ? -dc : dc;
            if ((ar == 1 && ac == 2) || (ar == 2 && ac == 1)) t.knight[s] |= Bit(q);
            if (q != s && ar <= 1 && ac <= 1) t.king[s] |= Bit(q);
            if (ac == 1 && dr == -1) t.pawn[0][s] |= Bit(q);
            if (ac == 1 && dr == 1) t.pawn[1][s] |= Bit(q);
            if (q != s && ar == ac) t.diagonals[s] |= Bit(q);
            if (q != s && (dr == 0 || dc == 0)) t.lines[s] |= Bit(q);
        }
    }
    return t;
}();
