#include "rules/variables.h"

Position WorkingPosition;
Position DisplayedPosition;

MoveList MoveBuffer;
std::uint8_t AttackMap[64];

std::int32_t MaterialCount;
std::uint64_t NodeCounter;
std::int32_t SearchDepth;
std::int32_t KillerFrom[16];
std::int32_t KillerTo[16];
std::atomic<bool> StopRequested{false};
EngineMove ChosenMove;
bool GameRunning;
std::uint32_t SearchStartTick;

bool PlayerIsWhite;
std::int32_t Level;
std::string MovesSoFar;

RecordedMove GameRecord[GameRecordCapacity];
std::int32_t RecordLength;
std::int32_t RecordCursor;
Position PositionHistory[PositionHistorySize];

const PieceCode InitialBoard[64] = {
    -5, -4, -3, -2, -1, -3, -4, -5,  // rank 8
    -6, -6, -6, -6, -6, -6, -6, -6,  // rank 7
    0,  0,  0,  0,  0,  0,  0,  0,   // rank 6
    0,  0,  0,  0,  0,  0,  0,  0,   // rank 5
    0,  0,  0,  0,  0,  0,  0,  0,   // rank 4
    0,  0,  0,  0,  0,  0,  0,  0,   // rank 3
    6,  6,  6,  6,  6,  6,  6,  6,   // rank 2
    5,  4,  3,  2,  1,  3,  4,  5,   // rank 1
};

const std::int8_t KnightOffsets[13] = {-17, -10, 6, 15, 17, 10, -6, -15, -17, -10, 6, 15, 17};
const std::int8_t KingOffsets[11] = {-8, -9, -1, 7, 8, 9, 1, -7, -8, -9, -1};

// Windows by rank, files a to h. Ranks 6 to 3 (and 7 to 2 for the king)
// share one row.
const std::int8_t KnightFirst[64] = {
    5, 4, 3, 3, 3, 3, 3, 3,  // rank 8
    5, 4, 2, 2, 2, 2, 2, 2,  // rank 7
    5, 4, 1, 1, 1, 1, 8, 1,  // rank 6
    5, 4, 1, 1, 1, 1, 8, 1,  // rank 5
    5, 4, 1, 1, 1, 1, 8, 1,  // rank 4
    5, 4, 1, 1, 1, 1, 8, 1,  // rank 3
    6, 6, 6, 6, 6, 6, 8, 1,  // rank 2
    7, 7, 7, 7, 7, 7, 8, 1,  // rank 1
};
const std::int8_t KnightLast[64] = {
    6, 6, 6, 6, 6, 6, 5, 4,      // rank 8
    7, 7, 7, 7, 7, 7, 5, 4,      // rank 7
    8, 9, 8, 8, 8, 8, 13, 4,     // rank 6
    8, 9, 8, 8, 8, 8, 13, 4,     // rank 5
    8, 9, 8, 8, 8, 8, 13, 4,     // rank 4
    8, 9, 8, 8, 8, 8, 13, 4,     // rank 3
    8, 9, 11, 11, 11, 11, 11, 3, // rank 2
    8, 9, 10, 10, 10, 10, 10, 2, // rank 1
};
const std::int8_t KingFirst[64] = {
    5, 3, 3, 3, 3, 3, 3, 3,  // rank 8
    5, 1, 1, 1, 1, 1, 1, 1,  // rank 7
    5, 1, 1, 1, 1, 1, 1, 1,  // rank 6
    5, 1, 1, 1, 1, 1, 1, 1,  // rank 5
    5, 1, 1, 1, 1, 1, 1, 1,  // rank 4
    5, 1, 1, 1, 1, 1, 1, 1,  // rank 3
    5, 1, 1, 1, 1, 1, 1, 1,  // rank 2
    7, 7, 7, 7, 7, 7, 7, 1,  // rank 1
};
const std::int8_t KingLast[64] = {
    7, 7, 7, 7, 7, 7, 7, 5,        // rank 8
    9, 8, 8, 8, 8, 8, 8, 5,        // rank 7
    9, 8, 8, 8, 8, 8, 8, 5,        // rank 6
    9, 8, 8, 8, 8, 8, 8, 5,        // rank 5
    9, 8, 8, 8, 8, 8, 8, 5,        // rank 4
    9, 8, 8, 8, 8, 8, 8, 5,        // rank 3
    9, 8, 8, 8, 8, 8, 8, 5,        // rank 2
    9, 11, 11, 11, 11, 11, 11, 3,  // rank 1
};
