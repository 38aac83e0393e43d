// Square names, the set-up of a new game, and the game record.
#pragma once

#include <string>
#include <string_view>

#include "rules/variables.h"

// "a8" for 0 ... "h1" for 63.
std::string SquareName(int square);

// The square named by the first two characters, or -1.
int ParseSquare(std::string_view name);

// Overwrites `position` with the starting position, refills the opening book
// and copies the result into DisplayedPosition.
void SetupNewGame(Position& position);

// Records a move just made on WorkingPosition after the shown position,
// dropping the moves after it. Returns false, writing nothing, when the
// record is full.
bool RecordMove(int from, int to, int clear);

// Shifts the position history down one entry and stores WorkingPosition as
// the newest.
void PushHistory();
