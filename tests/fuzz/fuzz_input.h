// One fuzz input: arbitrary bytes taken as lines of UCI commands.
#pragma once

#include <cstddef>
#include <cstdint>

// Resets kelvra-uci's state, then hands every line of the input to the
// command handling with the work of each command bounded, so that no input
// can make it run for long.
void RunUciFuzzInput(const std::uint8_t* data, std::size_t size);
