// The global state of the game: the position record, the rules' scratch
// storage, the engine's inputs and outputs, and the game record. Every
// variable here has one instance that lives for the whole run and is zero
// (or empty) at start.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// A board square 0..63: 8 * row + column, row 0 = rank 8, column 0 = file a
// (a8 = 0, h8 = 7, a1 = 56, h1 = 63); -1 stands for no square.
using Square = int;

// One square's content: 0 empty, 1 king, 2 queen, 3 bishop, 4 knight,
// 5 rook, 6 pawn; positive White, negative Black.
using PieceCode = std::int8_t;

// A whole position. A plain value record, always copied whole.
struct Position {
    PieceCode squares[64];
    std::uint8_t whiteCanCastleShort;
    std::uint8_t whiteCanCastleLong;
    std::uint8_t blackCanCastleShort;
    std::uint8_t blackCanCastleLong;
    std::uint8_t whiteHasCastled;
    std::uint8_t blackHasCastled;
    std::int8_t enPassantSquare;  // the pawn that just made a double step, -1 = none
    std::int32_t score;           // material and placement, White positive
    std::int8_t whiteKingSquare;
    std::int8_t blackKingSquare;

    bool operator==(const Position&) const = default;
};

// One generated move. The three squares are MakeMove's arguments; value is
// the ordering score written by the search.
struct MoveEntry {
    std::int16_t fromSquare;
    std::int16_t toSquare;
    std::int16_t clearSquare;  // the pawn taken en passant, otherwise fromSquare
    std::int16_t value;
};

// No legal chess position has more than 218 moves; appends are bounded all
// the same.
constexpr int MoveBufferCapacity = 256;

struct MoveList {
    MoveEntry entries[MoveBufferCapacity];
    std::int32_t count;
};

// A move of the game as recorded: placed is the piece standing on the target
// square right after the move (the promoted piece for a promotion).
struct RecordedMove {
    std::int32_t from;
    std::int32_t to;
    std::int32_t clear;
    std::int32_t placed;
};

struct EngineMove {
    std::int32_t fromSquare;
    std::int32_t toSquare;
    std::int32_t clearSquare;
};

constexpr int GameRecordCapacity = 200;
constexpr int PositionHistorySize = 9;

// The position everything acts on, and the one the board view redraws while
// the engine searches.
extern Position WorkingPosition;
extern Position DisplayedPosition;

// Scratch of the rules: the legal moves of the last generation and the
// attack flags of one colour.
extern MoveList MoveBuffer;
extern std::uint8_t AttackMap[64];

// Engine inputs and outputs.
extern std::int32_t MaterialCount;  // set at the start of every engine turn
extern std::uint64_t NodeCounter;   // evaluations in the current engine turn
extern std::int32_t SearchDepth;    // plies of the whole search from the root
extern std::int32_t KillerFrom[16];
extern std::int32_t KillerTo[16];
extern std::atomic<bool> StopRequested;  // set by the stop button or a UCI "stop"
extern EngineMove ChosenMove;
extern bool GameRunning;
extern std::uint32_t SearchStartTick;

// Game state shared by the window and kelvra-uci.
extern bool PlayerIsWhite;       // the engine plays the other colour
extern std::int32_t Level;       // strength 7..13, 8 by default
extern std::string MovesSoFar;   // the game's first moves for the book

// The moves of the game: entry n (1..200) is GameRecord[n - 1].
extern RecordedMove GameRecord[GameRecordCapacity];
extern std::int32_t RecordLength;
extern std::int32_t RecordCursor;

// The positions after the most recent moves: entry n (1..9, 1 newest) is
// PositionHistory[n - 1].
extern Position PositionHistory[PositionHistorySize];

// The starting position, by square.
extern const PieceCode InitialBoard[64];

// Knight and king jumps: cyclic offset lists and, per square, the window of
// 1-based list positions that yields exactly the targets on the board.
extern const std::int8_t KnightOffsets[13];
extern const std::int8_t KingOffsets[11];
extern const std::int8_t KnightFirst[64];
extern const std::int8_t KnightLast[64];
extern const std::int8_t KingFirst[64];
extern const std::int8_t KingLast[64];
