// The bench positions: "startpos moves ..." or a FEN. Games from the start
// keep the has-castled flags real. Changing this list changes the bench's
// node total.
#pragma once

struct BenchPosition {
    const char* name;
    const char* position;  // the arguments of a UCI "position" command
};

inline constexpr BenchPosition BenchPositions[] = {
    {"start", "startpos"},
    {"ruy lopez, white castled", "startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7"},
    {"nimzo-indian, both castled",
     "startpos moves d2d4 g8f6 c2c4 e7e6 b1c3 f8b4 e2e3 e8g8 f1d3 d7d5 g1f3 c7c5 e1g1"},
    {"caro-kann, neither castled", "startpos moves e2e4 c7c6 d2d4 d7d5 b1c3 d5e4 c3e4 c8f5 e4g3 f5g6 h2h4 h7h6"},
    {"french classical", "startpos moves e2e4 e7e6 d2d4 d7d5 b1c3 g8f6 c1g5 f8e7 e4e5 f6d7"},
    {"slav, both castled",
     "startpos moves d2d4 d7d5 c2c4 c7c6 g1f3 g8f6 b1c3 d5c4 a2a4 c8f5 e2e3 e7e6 f1c4 f8b4 e1g1 e8g8"},
    {"italian", "startpos moves e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 c2c3 g8f6 d2d4 e5d4 c3d4 c5b4 b1c3"},
    {"english, white castled",
     "startpos moves c2c4 e7e5 b1c3 g8f6 g1f3 b8c6 g2g3 d7d5 c4d5 f6d5 f1g2 d5b6 e1g1 f8e7"},
    {"scandinavian", "startpos moves e2e4 d7d5 e4d5 d8d5 b1c3 d5a5 d2d4 g8f6 g1f3 c8f5"},
    {"opposite castling",
     "startpos moves e2e4 e7e5 d2d4 e5d4 d1d4 b8c6 d4e3 g8f6 b1c3 f8b4 c1d2 e8g8 e1c1"},
    {"en passant capture", "startpos moves e2e4 a7a6 e4e5 d7d5"},
    {"queen's gambit declined", "fen r1bq1rk1/pppnbppp/4pn2/3p2B1/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 3 7"},
    {"sicilian scheveningen", "fen rnbqkb1r/1p2pppp/p2p1n2/8/3NP3/2N5/PPP2PPP/R1BQKB1R w KQkq - 0 6"},
    {"closed ruy lopez", "fen r1bq1rk1/2p1bppp/p1np1n2/1p2p3/4P3/1BP2N1P/PP1P1PP1/RNBQR1K1 b - - 0 9"},
    {"king's indian", "fen r1bq1rk1/pppn1pbp/3p1np1/4p3/2PPP3/2N2N2/PP2BPPP/R1BQ1RK1 w - - 0 8"},
    {"rook and pawns endgame", "fen 8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"},
    {"king and pawn", "fen 8/8/8/4k3/8/8/4P3/4K3 w - - 0 1"},
    {"king and rook", "fen 8/8/3k4/8/8/3K4/3R4/8 w - - 0 1"},
    {"mate in one", "fen 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1"},
    {"promotion", "fen 8/P6k/8/8/8/8/6K1/8 w - - 0 1"},
};
