#include "engine/Evaluation.h"

#include "rules/variables.h"

namespace {

// Pawns per file on ranks 7 to 2, rebuilt by every evaluation.
unsigned WhitePawnsOnFile[8];
unsigned BlackPawnsOnFile[8];

void CountPawnsByFile(const PieceCode* board) {
    for (int f = 0; f < 8; ++f) {
        unsigned white = 0, black = 0;
        for (int s = f + 8; s <= f + 48; s += 8) {
            white += board[s] == 6;
            black += board[s] == -6;
        }
        WhitePawnsOnFile[f] = white;
        BlackPawnsOnFile[f] = black;
    }
}

// Whether a neighbouring file of f holds at least one pawn of the counts.
bool NeighbourHasPawn(const unsigned* counts, int f) {
    return (f > 0 && counts[f - 1] > 0) || (f < 7 && counts[f + 1] > 0);
}

// King shelter and castling terms for one side, from White's view.
int KingTerms(const Position& p) {
    const PieceCode* b = p.squares;
    int s = 0;
    // a8 = 0, so a7 = 8, b7 = 9, c7 = 10, g7 = 14, h7 = 15; rank 6 adds 8.
    if (p.blackHasCastled) {
        const int k = p.blackKingSquare;
        if ((k == 1 || k == 2) && b[9] == -6 && b[10] == -6 && (b[8] == -6 || b[16] == -6)) s -= 20;
        if ((k == 5 || k == 6) && b[14] == -6 && (b[15] == -6 || b[23] == -6)) s -= 20;
        s -= 40;
    } else if (!p.blackCanCastleShort && !p.blackCanCastleLong) {
        s += 30;
    }
    // a2 = 48, b2 = 49, c2 = 50, g2 = 54, h2 = 55; rank 3 subtracts 8.
    if (p.whiteHasCastled) {
        const int k = p.whiteKingSquare;
        if ((k == 57 || k == 58) && b[49] == 6 && b[50] == 6 && (b[48] == 6 || b[40] == 6)) s += 20;
        if ((k == 61 || k == 62) && b[54] == 6 && (b[55] == 6 || b[47] == 6)) s += 20;
        s += 40;
    } else if (!p.whiteCanCastleShort && !p.whiteCanCastleLong) {
        s -= 30;
    }
    return s;
}

}  // namespace

std::int16_t Evaluate(int side) {
    ++NodeCounter;
    const Position& p = WorkingPosition;
    // The total is 16-bit: terms are summed in int and wrapped once at the
    // end, which gives the same result as wrapping after every term.
    int s = 0;
    CountPawnsByFile(p.squares);
    if (MaterialCount < 25) {
        for (int f = 0; f < 8; ++f) {
            if (WhitePawnsOnFile[f] == 2) s -= 20;
            if (BlackPawnsOnFile[f] == 2) s += 20;
        }
    } else {
        s += KingTerms(p);
        for (int f = 0; f < 8; ++f) {
            const unsigned white = WhitePawnsOnFile[f], black = BlackPawnsOnFile[f];
            if (white == 2) s -= 20;
            if (black == 2) s += 20;
            if (white > 0 && !NeighbourHasPawn(WhitePawnsOnFile, f)) s -= 10;
            if (black > 0 && !NeighbourHasPawn(BlackPawnsOnFile, f)) s += 10;
            if (black > 0 && !NeighbourHasPawn(WhitePawnsOnFile, f)) s -= 10;
            if (white > 0 && !NeighbourHasPawn(BlackPawnsOnFile, f)) s += 10;
        }
    }
    s += static_cast<std::int16_t>(p.score);
    const auto total = static_cast<std::int16_t>(s);
    return side == 0 ? total : static_cast<std::int16_t>(-total);
}
