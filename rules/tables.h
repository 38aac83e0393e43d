// Piece values and placement tables of the incremental score. Indexed by
// piece code + 6 (and square); all values are White's view.
#pragma once

#include <cstdint>

struct PlacementTable {
    std::int16_t v[13][64];
};

namespace tables_detail {

using Row = std::int16_t[64];

// The white rows, by rank from 8 down to 1 (which is square order).
constexpr Row MiddlegamePawn = {
    0, 0,  0,  0,   0,   0,  0,  0,  //
    5, 10, 15, 20,  20,  15, 10, 5,  //
    4, 8,  12, 16,  16,  12, 8,  4,  //
    3, 6,  9,  12,  12,  9,  6,  3,  //
    2, 4,  6,  8,   8,   6,  4,  2,  //
    1, 2,  3,  -10, -10, 3,  2,  1,  //
    0, 0,  0,  -40, -40, 0,  0,  0,  //
    0, 0,  0,  0,   0,   0,  0,  0,
};
constexpr Row MiddlegameKnight = {
    -10, -10, -10, -10, -10, -10, -10, -10,  //
    -10, 0,   0,   0,   0,   0,   0,   -10,  //
    -10, 0,   5,   5,   5,   5,   0,   -10,  //
    -10, 0,   5,   10,  10,  5,   0,   -10,  //
    -10, 0,   5,   10,  10,  5,   0,   -10,  //
    -10, 0,   5,   5,   5,   5,   0,   -10,  //
    -10, 0,   0,   0,   0,   0,   0,   -10,  //
    -10, -30, -10, -10, -10, -10, -30, -10,
};
constexpr Row MiddlegameBishop = {
    -10, -10, -10, -10, -10, -10, -10, -10,  //
    -10, 0,   0,   0,   0,   0,   0,   -10,  //
    -10, 0,   5,   5,   5,   5,   0,   -10,  //
    -10, 0,   5,   10,  10,  5,   0,   -10,  //
    -10, 0,   5,   10,  10,  5,   0,   -10,  //
    -10, 0,   5,   5,   5,   5,   0,   -10,  //
    -10, 0,   0,   0,   0,   0,   0,   -10,  //
    -10, -10, -20, -10, -10, -20, -10, -10,
};
constexpr Row MiddlegameKing = {
    -8, -8, -8, -8, -8, -8, -8, -8,  //
    -8, -8, -8, -8, -8, -8, -8, -8,  //
    -8, -8, -8, -8, -8, -8, -8, -8,  //
    -8, -8, -8, -8, -8, -8, -8, -8,  //
    -8, -8, -8, -8, -8, -8, -8, -8,  //
    -8, -8, -8, -8, -8, -8, -8, -8,  //
    -4, -4, -4, -4, -4, -4, -4, -4,  //
    0,  4,  8,  -4, 0,  -4, 8,  4,
};
constexpr Row EndgamePawn = {
    8, 8, 8, 8, 8, 8, 8, 8,  //
    7, 7, 7, 7, 7, 7, 7, 7,  //
    6, 6, 6, 6, 6, 6, 6, 6,  //
    5, 5, 5, 5, 5, 5, 5, 5,  //
    4, 4, 4, 4, 4, 4, 4, 4,  //
    3, 3, 3, 3, 3, 3, 3, 3,  //
    2, 2, 2, 2, 2, 2, 2, 2,  //
    1, 1, 1, 1, 1, 1, 1, 1,
};
constexpr Row EndgameKing = {
    0,  10, 20, 30, 30, 20, 10, 0,   //
    10, 20, 30, 40, 40, 30, 20, 10,  //
    20, 30, 40, 50, 50, 40, 30, 20,  //
    30, 40, 50, 60, 60, 50, 40, 30,  //
    30, 40, 50, 60, 60, 50, 40, 30,  //
    20, 30, 40, 50, 50, 40, 30, 20,  //
    10, 20, 30, 40, 40, 30, 20, 10,  //
    0,  10, 20, 30, 30, 20, 10, 0,
};

constexpr void SetWhiteRow(PlacementTable& table, int piece, const Row& row) {
    for (int s = 0; s < 64; ++s) {
        table.v[piece + 6][s] = row[s];
        // A black piece's entry is the negated white entry on the square
        // mirrored across the middle of the board (same file).
        table.v[-piece + 6][s] = static_cast<std::int16_t>(-row[(7 - s / 8) * 8 + s % 8]);
    }
}

constexpr PlacementTable BuildMiddlegame() {
    PlacementTable table{};
    SetWhiteRow(table, 6, MiddlegamePawn);
    SetWhiteRow(table, 4, MiddlegameKnight);
    SetWhiteRow(table, 3, MiddlegameBishop);
    SetWhiteRow(table, 1, MiddlegameKing);
    // The black knight on c6, d6, e6 and f6 keeps the white sign.
    for (int s = 18; s <= 21; ++s) table.v[-4 + 6][s] = 5;
    return table;
}

constexpr PlacementTable BuildEndgame() {
    PlacementTable table{};
    SetWhiteRow(table, 6, EndgamePawn);
    SetWhiteRow(table, 1, EndgameKing);
    table.v[-1 + 6][55] = 1;  // the black king on h2
    return table;
}

}  // namespace tables_detail

inline constexpr std::int16_t PieceValue[13] = {-110, -500, -400, -400, -1050, 0, 0,
                                                0,    1050, 400,  400,  500,   110};
inline constexpr PlacementTable PlacementMiddlegameTable = tables_detail::BuildMiddlegame();
inline constexpr PlacementTable PlacementEndgameTable = tables_detail::BuildEndgame();
inline constexpr const std::int16_t (&PlacementMiddlegame)[13][64] = PlacementMiddlegameTable.v;
inline constexpr const std::int16_t (&PlacementEndgame)[13][64] = PlacementEndgameTable.v;
