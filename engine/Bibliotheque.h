// The opening book: 474 lines of two to ten moves in coordinate form.
#pragma once

#include <cstdint>
#include <string_view>

constexpr int OpeningBookLines = 474;
constexpr int BookLineCapacity = 64;
constexpr int BookCandidateCapacity = 1500;

// The book lines, each zero-terminated, in table order.
extern char OpeningBook[OpeningBookLines][BookLineCapacity + 1];

// Writes the 474 lines into OpeningBook.
void FillOpeningBook();

// Finds the lines that continue the game `movesSoFar` (four characters a
// move, each colour's moves in any order) and draws one of their next moves
// at random. On success writes from and to and returns true; otherwise
// leaves them as they were.
bool BookLookup(std::string_view movesSoFar, std::int32_t& from, std::int32_t& to);

// The candidates of the last lookup, in the order they were found.
int BookCandidateCount();
void BookCandidate(int index, std::int32_t& from, std::int32_t& to);
