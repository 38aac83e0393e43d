// The static evaluation of WorkingPosition.
#pragma once

#include <cstdint>

// The value of WorkingPosition for White (side 0) or Black (side 1), in
// 16-bit arithmetic. Counts one examined position in NodeCounter.
std::int16_t Evaluate(int side);

// Whether a move from `from` to `to` (not en passant) in WorkingPosition
// leaves every term of Evaluate but the score as it was: no pawn moves or is
// taken, no castling right or king shelter changes.
bool KeepsEvaluationTerms(int from, int to);

// Evaluate after such a move, from Evaluate before it (`before`, for the
// same side) and the scores before and after. Counts one examined position,
// as Evaluate does.
std::int16_t EvaluateWithNewScore(std::int16_t before, int side, std::int32_t scoreBefore, std::int32_t scoreAfter);
