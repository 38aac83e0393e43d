// FEN, the text form of a position, for kelvra-uci and the tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/variables.h"

// What a FEN holds besides the position record.
struct FenState {
    bool blackToMove = false;
    int halfmoveClock = 0;
    int fullmoveNumber = 1;
};

// Piece letters by kind 1..6 (lower case, index 0 unused).
inline constexpr char PieceLetters[] = " kqbnrp";

// Reads the fields of a FEN (board, side, castling, en passant, clocks; the
// last four may be missing) into `p`. The has-castled flags are 0, the score
// is recomputed, castling flags without king and rook at home are dropped,
// and an en passant square without its pawn is ignored. Refuses malformed
// text and positions the rules cannot play from (not exactly one king a side,
// a pawn on the first or last rank, the side not to move in check, more than
// 16 pieces or 8 pawns a side). Returns the reason, or an empty text on
// success, when WorkingPosition holds the position too.
std::string ReadFen(const std::vector<std::string_view>& fields, Position& p, FenState& state);

// The same from one line of text.
std::string ReadFen(std::string_view fen, Position& p, FenState& state);

std::string WriteFen(const Position& p, const FenState& state);

// Splits a line at blanks and tabs.
std::vector<std::string_view> SplitWords(std::string_view line);
