// The search, the engine's move choice at the root, and the engine turn
// shared by the window and kelvra-uci.
#pragma once

#include "rules/variables.h"

// Mate is this less the distance in plies from the root.
constexpr int MateValue = 30000;

// The four layers of the search, in negamax form; depths are remaining plies.
int SearchPvs(int depth, int alpha, int beta, int side);
int SearchAlphaBeta(int depth, int alpha, int beta, int side);
int SearchHorizon(int side, int beta);
int SearchOrdering(int alpha, int beta, int side);

// Sorts entries 0..count-1 by value, highest first (an unstable quicksort
// whose order of equal values is part of the engine's behaviour).
void SortMovesByScore(MoveEntry* list, int count);

// Chooses the engine's move for `side` (0 White, 1 Black) in WorkingPosition
// and writes it into ChosenMove. When the side has no legal move, shows
// "Mat !" or "Nulle" and sets GameRunning false.
void ChooseEngineMove(int side);

// Shows NodeCounter and the time since SearchStartTick.
void ReportAnalysis();

// The engine turn, before the move is played. PlanEngineTurn builds
// MovesSoFar from the first 16 record entries, counts MaterialCount and sets
// SearchDepth from Level and the material. DecideEngineMove then resets the
// tick and node counters, tries the book (when useBook) and otherwise runs
// ChooseEngineMove for the engine's side (the colour PlayerIsWhite does not
// play). Returns true when the book answered.
void PlanEngineTurn();
bool DecideEngineMove(bool useBook);

// The search depth for a strength level and the material on the board.
int DepthForLevel(int level, int materialCount);
