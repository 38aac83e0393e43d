// Attack detection, legal move generation and the making of moves, all on
// WorkingPosition.
#pragma once

#include <cstdint>

#include "rules/tables.h"
#include "rules/variables.h"

// Side flags of the rules and the engine.
constexpr int White = 0;
constexpr int Black = 1;

// Flag bits of an AttackMap entry: which kinds of the attacking colour's
// pieces might reach the square.
enum AttackFlag : std::uint8_t {
    DiagonalAbove = 1,     // bishop/queen travelling +9/+7; look along -7/-9
    LineAboveOrLeft = 2,   // rook/queen travelling +8/+1; look along -8/-1
    KnightJump = 4,
    PawnCapture = 8,
    KingStep = 16,
    DiagonalBelow = 32,    // bishop/queen travelling -7/-9; look along +9/+7
    LineBelowOrRight = 64, // rook/queen travelling -8/-1; look along +8/+1
};


// Clears AttackMap and marks the squares that the pieces of `colour` (White
// or Black) might reach. Returns the number of marks made.
int BuildAttackMap(int colour);

// Whether the square is attacked: by White when defender is -1, by Black
// otherwise. With mapReady false the attacker's map is built first; with
// mapReady true the map already built is trusted.
bool IsSquareAttacked(int square, int defender, bool mapReady);

// Appends the legal moves of the piece on `square` to MoveBuffer. AttackMap
// must hold the other colour's map for the current position.
void GeneratePieceMoves(Square square);

// Lists every legal move of the side to move into MoveBuffer.
void GenerateAllMoves(bool blackToMove);

// The search's equivalents of the above, which leave AttackMap alone.
// GenerateLegalMoves: GenerateAllMoves without building the map.
void GenerateLegalMoves(bool blackToMove);
// The pins and checks of one side in WorkingPosition, and the board as
// square sets (bit s for square s): what the generation of that side's moves
// needs, kept by the search while it looks at the children of a node.
struct MoveContext {
    std::uint64_t id;              // tells the contexts of successive preparations apart
    int sign;                      // +1 when White moves
    int king;
    int checks;                    // pieces giving check
    std::uint64_t evasion;         // with one check: the checker and the squares between
    std::uint64_t pinned;          // own pieces that shield the king from a slider
    std::uint64_t occupied;
    std::uint64_t enemy;
    std::uint64_t enemyDiagonal;   // enemy bishops and queens
    std::uint64_t enemyLine;       // enemy rooks and queens
    std::uint64_t enemyKnights;
    std::uint64_t enemyPawns;
};

// The filter keeps only captures (moves onto an occupied square; en passant
// is quiet) or only quiet moves, in the same order.
enum MoveFilter { AllMoves, CapturesOnly, QuietOnly };

// The context of `side` (White or Black) in WorkingPosition. While the
// position is the same, GeneratePreparedMoves(context, s) equals
// GeneratePieceMoves(s) for a piece of that side.
MoveContext PrepareMoveGeneration(int side);
void GeneratePreparedMoves(const MoveContext& context, Square square, MoveFilter filter = AllMoves);
// BuildAttackMap's mark count for the other side's colour.
int PreparedEnemyMarks(const MoveContext& context);
// Whether the king of `side` is attacked.
bool KingInCheck(int side);

// Plays a move on WorkingPosition: clearSquare is fromSquare except for an
// en passant capture, where it is the square of the captured pawn.
void MakeMove(int fromSquare, int toSquare, int clearSquare);
// The same for a move known to be White's or Black's.
void MakeWhiteMove(int fromSquare, int toSquare, int clearSquare);
void MakeBlackMove(int fromSquare, int toSquare, int clearSquare);

// Sets WorkingPosition.score from the whole board (16-bit sum, middlegame
// placement).
void RecomputeScore();

// The material on the board of WorkingPosition: queen 10, rook 5, bishop 4,
// knight 4, pawn 1.
std::int32_t CountMaterial();
