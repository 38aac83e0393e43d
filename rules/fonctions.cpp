#include "rules/fonctions.h"

#include <algorithm>
#include <cstring>

#include "engine/Bibliotheque.h"

namespace {
constexpr char Files[] = "abcdefgh";
constexpr char RanksByRow[] = "87654321";
constexpr char RankDigits[] = "12345678";
}  // namespace

std::string SquareName(int square) {
    if (square < 0 || square > 63) return "??";
    return {Files[square % 8], RanksByRow[square / 8]};
}

int ParseSquare(std::string_view name) {
    if (name.size() < 2) return -1;
    const char* file = std::strchr(Files, name[0]);
    if (name[0] == '\0' || file == nullptr) return -1;
    if (name[1] == '\0' || std::strchr(RankDigits, name[1]) == nullptr) return -1;
    const char* rank = std::strchr(RanksByRow, name[1]);
    return 8 * static_cast<int>(rank - RanksByRow) + static_cast<int>(file - Files);
}

void SetupNewGame(Position& position) {
    position.whiteCanCastleShort = 1;
    position.whiteCanCastleLong = 1;
    position.blackCanCastleShort = 1;
    position.blackCanCastleLong = 1;
    position.whiteHasCastled = 0;
    position.blackHasCastled = 0;
    position.enPassantSquare = -1;
    std::copy(std::begin(InitialBoard), std::end(InitialBoard), position.squares);
    position.whiteKingSquare = 60;
    position.blackKingSquare = 4;
    position.score = 0;
    FillOpeningBook();
    DisplayedPosition = position;
}

bool RecordMove(int from, int to, int clear) {
    if (RecordCursor >= GameRecordCapacity) return false;
    RecordLength = RecordCursor + 1;
    RecordCursor = RecordLength;
    GameRecord[RecordLength - 1] = {from, to, clear, WorkingPosition.squares[to]};
    return true;
}

void PushHistory() {
    std::copy_backward(PositionHistory, PositionHistory + PositionHistorySize - 1,
                       PositionHistory + PositionHistorySize);
    PositionHistory[0] = WorkingPosition;
}
