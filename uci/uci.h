// kelvra-uci: the engine behind the Universal Chess Interface.
//
// Commands, and whether they wait for a running search:
//   uci, isready (answered at once, also during a search), ucinewgame,
//   setoption name <id> [value <x>], position startpos|fen <fen> [moves ...],
//   go [depth N | movetime T | wtime .. btime .. winc .. binc .. movestogo ..
//      | infinite | perft N], stop (read during a search), quit (read during
//   a search), d (the board and its FEN), bench [depth].
// Unknown commands are ignored.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

// Where the front end writes its lines (without the line end).
using UciOutput = void (*)(std::string_view line);

// Installs the engine's platform hooks for the front end and resets the
// game to the start position and the options to their defaults. The random
// generator (the book's draw) is left as it is: the program seeds it from
// the clock.
void UciInit(UciOutput output);

// Bounds the work of every later command to about this many examined
// positions (or perft leaves); 0 lifts the bound. Without UciLoop a "go
// infinite" then ends with its search. For fuzzing and tests.
void UciLimitWork(std::uint64_t positions);

// Handles one input line synchronously. Returns false after "quit".
bool UciCommand(std::string_view line);

// Reads commands from `in` on a thread of its own (so that "stop", "quit"
// and "isready" are seen during a search) and handles them until "quit" or
// the end of the input.
void UciLoop(std::istream& in);

// Runs the bench positions at the given depth and prints the totals.
void UciBench(int depth);

// Whether the current position is legal to search from (for tests).
std::string UciCurrentFen();
