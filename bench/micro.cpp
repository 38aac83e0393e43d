// Microbenchmarks of the engine's hot routines on a few fixed positions.
// Run: ./build/bench/kelvra-micro (Google Benchmark's flags apply).
#include <benchmark/benchmark.h>

#include <string>

#include "engine/Evaluation.h"
#include "engine/recherchedecoups.h"
#include "rules/Deplacements.h"
#include "rules/fonctions.h"
#include "uci/fen.h"

namespace {

struct Named {
    const char* name;
    const char* fen;
};
const Named Positions[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
    {"middlegame", "r1bq1rk1/pppnbppp/4pn2/3p2B1/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 3 7"},
    {"endgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"},
};

// Sets the position of the benchmark's argument; returns whether Black moves.
bool Set(const benchmark::State& state) {
    Position p;
    FenState fen;
    ReadFen(Positions[state.range(0)].fen, p, fen);
    WorkingPosition = p;
    MaterialCount = CountMaterial();
    SearchDepth = 8;
    return fen.blackToMove;
}

void Label(benchmark::State& state) { state.SetLabel(Positions[state.range(0)].name); }

void BM_BuildAttackMap(benchmark::State& state) {
    const bool black = Set(state);
    for (auto _ : state) benchmark::DoNotOptimize(BuildAttackMap(black ? White : Black));
    Label(state);
}

void BM_IsSquareAttacked(benchmark::State& state) {
    const bool black = Set(state);
    BuildAttackMap(black ? White : Black);
    for (auto _ : state)
        for (int s = 0; s < 64; ++s) benchmark::DoNotOptimize(IsSquareAttacked(s, black ? -1 : 1, true));
    state.SetItemsProcessed(state.iterations() * 64);
    Label(state);
}

void BM_GenerateAllMoves(benchmark::State& state) {
    const bool black = Set(state);
    for (auto _ : state) {
        GenerateAllMoves(black);
        benchmark::DoNotOptimize(MoveBuffer.count);
    }
    Label(state);
}

void BM_GenerateLegalMoves(benchmark::State& state) {
    const bool black = Set(state);
    for (auto _ : state) {
        GenerateLegalMoves(black);
        benchmark::DoNotOptimize(MoveBuffer.count);
    }
    Label(state);
}

void BM_MakeMove(benchmark::State& state) {
    const bool black = Set(state);
    GenerateLegalMoves(black);
    const MoveList list = MoveBuffer;
    const Position saved = WorkingPosition;
    for (auto _ : state) {
        for (int i = 0; i < list.count; ++i) {
            MakeMove(list.entries[i].fromSquare, list.entries[i].toSquare, list.entries[i].clearSquare);
            WorkingPosition = saved;
        }
    }
    state.SetItemsProcessed(state.iterations() * list.count);
    Label(state);
}

void BM_Evaluate(benchmark::State& state) {
    Set(state);
    for (auto _ : state) benchmark::DoNotOptimize(Evaluate(0));
    Label(state);
}

void BM_SearchHorizon(benchmark::State& state) {
    const bool black = Set(state);
    for (auto _ : state) benchmark::DoNotOptimize(SearchHorizon(black ? 1 : 0, 30000));
    Label(state);
}

void BM_SearchAlphaBeta3(benchmark::State& state) {
    const bool black = Set(state);
    const Position saved = WorkingPosition;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SearchAlphaBeta(3, -30000, 30000, black ? 1 : 0));
        WorkingPosition = saved;
    }
    Label(state);
}

}  // namespace

BENCHMARK(BM_BuildAttackMap)->DenseRange(0, 2);
BENCHMARK(BM_IsSquareAttacked)->DenseRange(0, 2);
BENCHMARK(BM_GenerateAllMoves)->DenseRange(0, 2);
BENCHMARK(BM_GenerateLegalMoves)->DenseRange(0, 2);
BENCHMARK(BM_MakeMove)->DenseRange(0, 2);
BENCHMARK(BM_Evaluate)->DenseRange(0, 2);
BENCHMARK(BM_SearchHorizon)->DenseRange(0, 2);
BENCHMARK(BM_SearchAlphaBeta3)->DenseRange(0, 2);

BENCHMARK_MAIN();
