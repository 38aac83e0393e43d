// The move notation of the move list, square frames and the analysis arrow.
#pragma once

#include <QColor>

#include <string>

// A move not yet made on WorkingPosition: the letter of the piece on `from`,
// the from square, "x" when `to` holds a piece of the other colour ("-"
// otherwise), the to square. French letters: R D T F C, none for a pawn.
std::string MoveTextBefore(int from, int to);

// A move already made on WorkingPosition: the letter of the piece now on `to`
// and "x" when the move captured.
std::string MoveTextAfter(int from, int to, bool captured);

// Frames one board square (board row and column) with a 3-pixel rectangle.
void OutlineSquare(int row, int column, const QColor& colour);

// Frames in maroon the target square of every MoveBuffer entry.
void OutlineTargets();

// An arrow between the centres of two board squares, drawn only while
// ShowAnalysis is set.
void DrawMoveArrow(int from, int to, const QColor& colour);

extern const QColor PlayerMoveColour;  // frames of targets and the player's move
extern const QColor EngineMoveColour;  // frames of the engine's move
