// What the rules and the engine need of their host: processing pending
// window messages, a modal message, the millisecond tick counter, the
// analysis display and the random generator. The window fills the hooks in;
// kelvra-uci and the tests fill them in their own way. Every hook may be left
// empty, in which case it does nothing (the tick counter then reads a
// steady clock).
#pragma once

#include <cstdint>

struct PlatformHooks {
    // Runs queued window events (stop button, timer ticks, repaints).
    void (*processMessages)() = nullptr;
    // A modal message box with a bare text ("Mat !", "Nulle").
    void (*showMessage)(const char* text) = nullptr;
    // A 32-bit millisecond tick counter; wraps around.
    std::uint32_t (*tickCount)() = nullptr;
    // The periodic analysis refresh (every 5000 ms while enabled).
    void (*setAnalysisTimer)(bool enabled) = nullptr;
    // Shows the examined positions and the elapsed thinking time.
    void (*showAnalysis)(std::uint64_t nodes, std::uint32_t elapsedMs) = nullptr;
    // Redraws the board from DisplayedPosition, wiping earlier arrows.
    void (*drawDisplayedBoard)() = nullptr;
    // An analysis arrow between the centres of two board squares; rgb is 0xRRGGBB.
    void (*drawMoveArrow)(int from, int to, std::uint32_t rgb) = nullptr;
    // Enabled states of the four navigation buttons.
    void (*setNavigationButtons)(bool first, bool back, bool forward, bool last) = nullptr;
    // The main pass starts searching root move `index` (1-based).
    void (*rootMoveStarted)(int index, int from, int to) = nullptr;
    // The main pass recorded a new best root move with this value.
    void (*bestMoveChanged)(int value, int from, int to) = nullptr;
};

extern PlatformHooks Platform;

// The hooks, called safely.
inline void ProcessPendingMessages() {
    if (Platform.processMessages) Platform.processMessages();
}
void ShowMessage(const char* text);
std::uint32_t GetTickCount();

// The one pseudo-random generator of the game: the engine's first move as
// White and the book's choice among candidates.
void SeedRandom(std::uint64_t seed);
void SeedRandomFromClock();
// A uniform integer in 0..bound-1 (bound >= 1).
int RandomBelow(int bound);
