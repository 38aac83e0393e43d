#include "uci/uci.h"

#include <algorithm>
#include <climits>
#include <atomic>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <istream>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "bench/positions.h"
#include "engine/platform.h"
#include "engine/recherchedecoups.h"
#include "rules/Deplacements.h"
#include "rules/fonctions.h"
#include "uci/fen.h"

namespace {

// ---------------------------------------------------------------------------
// Output and the state of the front end

UciOutput Output = nullptr;
std::mutex OutputMutex;

void Say(std::string_view line) {
    std::lock_guard<std::mutex> lock(OutputMutex);
    if (Output) Output(line);
}

// The seven levels and their nominal ratings.
struct LevelInfo {
    const char* name;
    int level;
    int elo;
};
constexpr LevelInfo Levels[] = {
    {"Junior", 7, 1000},       {"Amateur", 8, 1200}, {"Advanced", 9, 1600},     {"Expert", 10, 2000},
    {"Professional", 11, 2200}, {"Grandmaster", 12, 2700}, {"Impossible", 13, 3000},
};

struct Options {
    int level = 8;
    bool limitStrength = false;
    int elo = 1200;
    bool ownBook = true;
};
Options Settings;

// The position of the last "position" command, besides the engine's globals
// (WorkingPosition, GameRecord, PositionHistory).
struct Game : FenState {
    bool fromStartpos = true;  // the start position plus moves: the book may answer
};
Game Current;

// What a refused "position" command must leave as it was.
struct Snapshot {
    Game game;
    Position working;
    RecordedMove record[GameRecordCapacity];
    std::int32_t recordLength, recordCursor;
    Position history[PositionHistorySize];
};

void TakeSnapshot(Snapshot& s) {
    s.game = Current;
    s.working = WorkingPosition;
    std::copy(std::begin(GameRecord), std::end(GameRecord), s.record);
    s.recordLength = RecordLength;
    s.recordCursor = RecordCursor;
    std::copy(std::begin(PositionHistory), std::end(PositionHistory), s.history);
}

void RestoreSnapshot(const Snapshot& s) {
    Current = s.game;
    WorkingPosition = s.working;
    std::copy(std::begin(s.record), std::end(s.record), GameRecord);
    RecordLength = s.recordLength;
    RecordCursor = s.recordCursor;
    std::copy(std::begin(s.history), std::end(s.history), PositionHistory);
}

// Search control shared with the input thread.
// The "go" commands are numbered in the order they arrive; a "stop" ends
// every search whose number is at most StopThrough.
std::atomic<int> GosReceived{0};   // counted by the input thread
std::atomic<int> GosStarted{0};
std::atomic<int> GosFinished{0};
std::atomic<int> CurrentGo{0};     // the number of the running search
std::atomic<int> StopThrough{0};
std::atomic<std::uint32_t> Deadline{0};  // tick at which the search stops
std::atomic<bool> HasDeadline{false};
std::atomic<bool> Infinite{false};   // a "go infinite" runs until "stop"
std::atomic<bool> InputEnded{false}; // no more input: an infinite search ends
bool LoopRunning = false;             // commands come from UciLoop's input thread
std::uint64_t WorkLimit = 0;          // see UciLimitWork
std::uint64_t PerftLeaves = 0;        // leaves counted by the running perft
Position SearchRoot;           // the position the running search started from

// ---------------------------------------------------------------------------
// Text helpers

std::optional<long long> ParseNumber(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The UCI text of a move in `position`: a pawn reaching the last rank gets
// the letter of the piece it becomes.
std::string MoveText(const Position& position, int from, int to, char promotion = 'q') {
    std::string text = SquareName(from) + SquareName(to);
    const int piece = position.squares[from];
    if ((piece == 6 && to <= 7) || (piece == -6 && to >= 56)) text += promotion;
    return text;
}

// ---------------------------------------------------------------------------
// Moves

// Plays a UCI move on WorkingPosition as the game replays its record: the
// generated legal move with that from and to square, and an under-promoted
// piece put on its square afterwards. Returns false when it is not legal.
bool PlayUciMove(std::string_view text, Game& g) {
    if (text.size() != 4 && text.size() != 5) return false;
    const int from = ParseSquare(text.substr(0, 2));
    const int to = ParseSquare(text.substr(2, 2));
    if (from < 0 || to < 0) return false;
    GenerateAllMoves(g.blackToMove);
    const MoveEntry* move = nullptr;
    for (int i = 0; i < MoveBuffer.count && !move; ++i)
        if (MoveBuffer.entries[i].fromSquare == from && MoveBuffer.entries[i].toSquare == to)
            move = &MoveBuffer.entries[i];
    if (!move) return false;

    const int piece = WorkingPosition.squares[from];
    const bool promotion = (piece == 6 && to <= 7) || (piece == -6 && to >= 56);
    int promoted = 2;
    if (promotion) {
        if (text.size() != 5) return false;
        switch (text[4]) {
            case 'q': promoted = 2; break;
            case 'r': promoted = 5; break;
            case 'b': promoted = 3; break;
            case 'n': promoted = 4; break;
            default: return false;
        }
    } else if (text.size() != 4) {
        return false;
    }

    const bool reset = piece == 6 || piece == -6 || WorkingPosition.squares[to] != 0;
    MakeMove(move->fromSquare, move->toSquare, move->clearSquare);
    if (promotion && promoted != 2) {
        WorkingPosition.squares[to] = static_cast<PieceCode>(piece > 0 ? promoted : -promoted);
        RecomputeScore();
    }
    RecordMove(from, to, move->clearSquare);
    PushHistory();
    g.halfmoveClock = reset ? 0 : g.halfmoveClock + 1;
    if (g.blackToMove) ++g.fullmoveNumber;
    g.blackToMove = !g.blackToMove;
    return true;
}

void ResetToStart() {
    SetupNewGame(WorkingPosition);
    RecordLength = 0;
    RecordCursor = 0;
    std::memset(static_cast<void*>(PositionHistory), 0, sizeof PositionHistory);
    Current = Game{};
}

// "position startpos|fen <fen> [moves ...]"; refused whole on any error.
void CommandPosition(const std::vector<std::string_view>& words) {
    Snapshot before;
    TakeSnapshot(before);
    auto refuse = [&](const std::string& why) {
        RestoreSnapshot(before);
        Say("info string position refused: " + why);
    };

    std::size_t i = 1;
    if (i >= words.size()) return refuse("missing startpos or fen");
    const auto movesAt = std::find(words.begin(), words.end(), "moves");
    ResetToStart();
    if (words[i] == "startpos") {
        if (words.begin() + 2 != movesAt) return refuse("unexpected text after startpos");
    } else if (words[i] == "fen") {
        const std::vector<std::string_view> fields(words.begin() + 2, movesAt);
        Position p;
        FenState g;
        const std::string error = ReadFen(fields, p, g);
        if (!error.empty()) return refuse(error);
        WorkingPosition = p;
        static_cast<FenState&>(Current) = g;
        Current.fromStartpos = false;
    } else {
        return refuse("expected startpos or fen");
    }
    if (movesAt != words.end()) {
        for (auto m = movesAt + 1; m != words.end(); ++m)
            if (!PlayUciMove(*m, Current)) return refuse("illegal move " + std::string(*m));
    }
    DisplayedPosition = WorkingPosition;
}

// ---------------------------------------------------------------------------
// Search

int EffectiveLevel() {
    if (!Settings.limitStrength) return Settings.level;
    int level = Levels[0].level;
    for (const LevelInfo& l : Levels)
        if (l.elo <= Settings.elo) level = l.level;
    return level;
}

std::string ScoreText(int value) {
    if (value > MateValue - 1000 && value < MateValue) return "mate " + std::to_string((MateValue - value + 1) / 2);
    if (value < -(MateValue - 1000) && value > -MateValue) return "mate -" + std::to_string((MateValue + value) / 2);
    return "cp " + std::to_string(value);
}

std::string Counters() {
    const std::uint32_t elapsed = GetTickCount() - SearchStartTick;
    const std::uint64_t nps = NodeCounter * 1000 / std::max<std::uint32_t>(elapsed, 1);
    return "nodes " + std::to_string(NodeCounter) + " time " + std::to_string(elapsed) + " nps " +
           std::to_string(nps);
}

// The engine's hooks for a UCI search: the input thread's stop and the time
// limit take the place of window messages.
bool SearchStopped() {
    return (WorkLimit && (NodeCounter > WorkLimit || PerftLeaves > WorkLimit)) ||
           CurrentGo.load(std::memory_order_relaxed) <= StopThrough.load(std::memory_order_relaxed) ||
           (Infinite.load(std::memory_order_relaxed) && InputEnded.load(std::memory_order_relaxed));
}

void UciProcessMessages() {
    if (SearchStopped()) {
        StopRequested.store(true, std::memory_order_relaxed);
        return;
    }
    static unsigned calls = 0;
    if (HasDeadline.load(std::memory_order_relaxed) && (++calls & 63) == 0 &&
        static_cast<std::int32_t>(GetTickCount() - Deadline.load(std::memory_order_relaxed)) >= 0)
        StopRequested.store(true, std::memory_order_relaxed);
}

void UciShowMessage(const char* text) { Say(std::string("info string ") + text); }

void UciRootMove(int index, int from, int to) {
    Say("info depth " + std::to_string(SearchDepth) + " currmove " + MoveText(SearchRoot, from, to) +
        " currmovenumber " + std::to_string(index) + " " + Counters());
}

void UciBestMove(int value, int from, int to) {
    const std::uint32_t elapsed = GetTickCount() - SearchStartTick;
    Say("info depth " + std::to_string(SearchDepth) + " score " + ScoreText(value) + " nodes " +
        std::to_string(NodeCounter) + " time " + std::to_string(elapsed) + " pv " + MoveText(SearchRoot, from, to));
}

struct GoLimits {
    std::optional<int> depth;
    std::optional<long long> movetime;
    std::optional<long long> wtime, btime, winc, binc;
    bool infinite = false;
    std::optional<int> perft;
};

GoLimits ParseGo(const std::vector<std::string_view>& words) {
    GoLimits limits;
    auto clampInt = [](long long v, long long lo, long long hi) { return static_cast<int>(std::clamp(v, lo, hi)); };
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view w = words[i];
        if (w == "infinite") {
            limits.infinite = true;
            continue;
        }
        if (i + 1 >= words.size()) break;
        const auto number = ParseNumber(words[i + 1]);
        if (!number.has_value()) continue;
        const long long n = *number;
        if (w == "depth") limits.depth = clampInt(n, 4, 15);
        else if (w == "perft") limits.perft = clampInt(n, 0, 10);
        else if (w == "movetime") limits.movetime = std::max(0LL, n);
        else if (w == "wtime") limits.wtime = std::max(0LL, n);
        else if (w == "btime") limits.btime = std::max(0LL, n);
        else if (w == "winc") limits.winc = std::max(0LL, n);
        else if (w == "binc") limits.binc = std::max(0LL, n);
        else continue;
        ++i;
    }
    return limits;
}

// Perft: the leaves at `depth`, each promotion counted as four moves.
std::uint64_t Perft(int depth, bool blackToMove) {
    GenerateLegalMoves(blackToMove);
    MoveList list;
    list.count = MoveBuffer.count;
    std::copy(MoveBuffer.entries, MoveBuffer.entries + list.count, list.entries);
    const Position saved = WorkingPosition;
    std::uint64_t total = 0;
    for (int i = 0; i < list.count; ++i) {
        const MoveEntry& m = list.entries[i];
        const int piece = saved.squares[m.fromSquare];
        const bool promotion = (piece == 6 && m.toSquare <= 7) || (piece == -6 && m.toSquare >= 56);
        if (depth == 1) {
            total += promotion ? 4 : 1;
            ++PerftLeaves;
            continue;
        }
        if (SearchStopped()) return total;
        for (const int kind : {2, 5, 3, 4}) {
            MakeMove(m.fromSquare, m.toSquare, m.clearSquare);
            if (promotion) WorkingPosition.squares[m.toSquare] = static_cast<PieceCode>(piece > 0 ? kind : -kind);
            total += Perft(depth - 1, !blackToMove);
            WorkingPosition = saved;
            if (!promotion) break;
        }
    }
    return total;
}

void CommandPerft(int depth) {
    const Position saved = WorkingPosition;
    std::uint64_t total = 0;
    PerftLeaves = 0;
    if (depth >= 1) {
        GenerateLegalMoves(Current.blackToMove);
        MoveList list;
        list.count = MoveBuffer.count;
        std::copy(MoveBuffer.entries, MoveBuffer.entries + list.count, list.entries);
        for (int i = 0; i < list.count; ++i) {
            const MoveEntry& m = list.entries[i];
            const int piece = saved.squares[m.fromSquare];
            const bool promotion = (piece == 6 && m.toSquare <= 7) || (piece == -6 && m.toSquare >= 56);
            for (const char letter : {'q', 'r', 'b', 'n'}) {
                MakeMove(m.fromSquare, m.toSquare, m.clearSquare);
                if (promotion) {
                    const int kind = letter == 'q' ? 2 : letter == 'r' ? 5 : letter == 'b' ? 3 : 4;
                    WorkingPosition.squares[m.toSquare] = static_cast<PieceCode>(piece > 0 ? kind : -kind);
                }
                const std::uint64_t n = depth == 1 ? 1 : Perft(depth - 1, !Current.blackToMove);
                WorkingPosition = saved;
                total += n;
                Say(MoveText(saved, m.fromSquare, m.toSquare, letter) + ": " + std::to_string(n));
                if (!promotion) break;
            }
        }
    }
    WorkingPosition = saved;
    Say("");
    Say("Nodes searched: " + std::to_string(total));
}

// One engine decision on the current position; returns the bestmove text.
std::string Think(const GoLimits& limits) {
    const Position root = WorkingPosition;
    SearchRoot = root;
    PlayerIsWhite = Current.blackToMove;  // the engine plays the side to move
    GameRunning = true;
    Level = EffectiveLevel();

    const std::uint32_t start = GetTickCount();
    std::optional<long long> budget = limits.movetime;
    const auto clock = Current.blackToMove ? limits.btime : limits.wtime;
    const auto increment = Current.blackToMove ? limits.binc : limits.winc;
    if (!budget && clock) budget = std::min(*clock / 20 + increment.value_or(0) / 2, *clock / 2);
    if (budget && !limits.infinite) {
        Deadline = start + static_cast<std::uint32_t>(std::min<long long>(*budget, 1LL << 30));
        HasDeadline = true;
    }

    bool fromBook = false;
    if (limits.depth || limits.infinite) {
        MaterialCount = CountMaterial();
        SearchDepth = limits.infinite ? 15 : *limits.depth;
        SearchStartTick = start;
        NodeCounter = 0;
        ChooseEngineMove(Current.blackToMove ? Black : White);
    } else {
        PlanEngineTurn();
        fromBook = DecideEngineMove(Settings.ownBook && Current.fromStartpos);
    }
    HasDeadline = false;
    WorkingPosition = root;

    if (!GameRunning) return "(none)";
    if (fromBook) Say("info string book");
    else Say("info depth " + std::to_string(SearchDepth) + " " + Counters());
    return MoveText(root, ChosenMove.fromSquare, ChosenMove.toSquare);
}

void CommandGo(const std::vector<std::string_view>& words) {
    CurrentGo = ++GosStarted;
    const GoLimits limits = ParseGo(words);
    if (limits.perft) return CommandPerft(*limits.perft);
    Infinite = limits.infinite;
    const std::string best = Think(limits);
    // In infinite mode the answer waits for "stop".
    while (Infinite && LoopRunning && !SearchStopped()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    Infinite = false;
    Say("bestmove " + best);
}

// ---------------------------------------------------------------------------
// Options and the remaining commands

void CommandSetOption(const std::vector<std::string_view>& words) {
    // setoption name <id...> [value <x...>]
    std::string name, value;
    std::string* target = nullptr;
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] == "name" && target == nullptr) target = &name;
        else if (words[i] == "value" && target == &name) target = &value;
        else if (target) {
            if (!target->empty()) *target += ' ';
            target->append(words[i]);
        }
    }
    auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return s;
    };
    const std::string key = lower(name);
    if (key == "level") {
        for (const LevelInfo& l : Levels)
            if (value == l.name) {
                Settings.level = l.level;
                return;
            }
        Say("info string unknown Level " + value);
    } else if (key == "uci_limitstrength") {
        Settings.limitStrength = lower(value) == "true";
    } else if (key == "uci_elo") {
        const auto n = ParseNumber(value);
        if (n) Settings.elo = static_cast<int>(std::clamp(*n, 1000LL, 3000LL));
        else Say("info string bad UCI_Elo " + value);
    } else if (key == "ownbook") {
        Settings.ownBook = lower(value) == "true";
    } else {
        Say("info string no option " + name);
    }
}

void CommandUci() {
    Say("id name Kelvra Chess");
    Say("id author the Kelvra Chess developers");
    std::string levels = "option name Level type combo default Amateur";
    for (const LevelInfo& l : Levels) levels += std::string(" var ") + l.name;
    Say(levels);
    Say("option name UCI_LimitStrength type check default false");
    Say("option name UCI_Elo type spin default 1200 min 1000 max 3000");
    Say("option name OwnBook type check default true");
    Say("uciok");
}

void CommandDisplay() {
    const Position& p = WorkingPosition;
    for (int row = 0; row < 8; ++row) {
        std::string line = " +---+---+---+---+---+---+---+---+";
        Say(line);
        line = " |";
        for (int col = 0; col < 8; ++col) {
            const int code = p.squares[row * 8 + col];
            const char letter = code == 0 ? ' ' : PieceLetters[code < 0 ? -code : code];
            line += ' ';
            line += code > 0 ? static_cast<char>(letter - 'a' + 'A') : letter;
            line += " |";
        }
        line += ' ';
        line += static_cast<char>('8' - row);
        Say(line);
    }
    Say(" +---+---+---+---+---+---+---+---+");
    Say("   a   b   c   d   e   f   g   h");
    Say("");
    Say("Fen: " + WriteFen(p, Current));
}

}  // namespace

void UciInit(UciOutput output) {
    Output = output;
    Platform = PlatformHooks{};
    Platform.processMessages = UciProcessMessages;
    Platform.showMessage = UciShowMessage;
    Platform.rootMoveStarted = UciRootMove;
    Platform.bestMoveChanged = UciBestMove;
    Settings = Options{};
    ResetToStart();
}

void UciLimitWork(std::uint64_t positions) { WorkLimit = positions; }

bool UciCommand(std::string_view line) {
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.empty()) return true;
    const std::string_view command = words[0];
    if (command == "quit") return false;
    if (command == "uci") CommandUci();
    else if (command == "isready") Say("readyok");
    else if (command == "ucinewgame") ResetToStart();
    else if (command == "position") CommandPosition(words);
    else if (command == "go") CommandGo(words);
    else if (command == "setoption") CommandSetOption(words);
    else if (command == "d") CommandDisplay();
    else if (command == "bench") {
        const auto depth = words.size() > 1 ? ParseNumber(words[1]) : std::optional<long long>{};
        UciBench(depth ? static_cast<int>(std::clamp(*depth, 4LL, 15LL)) : 8);
    }
    // "stop" without a search, and anything unknown, is ignored.
    return true;
}

namespace {

// Reads one input line; a line longer than any command keeps only its
// beginning, so that endless input cannot fill the memory.
bool ReadLine(std::istream& in, std::string& line) {
    constexpr std::size_t Limit = 100000;
    line.clear();
    std::streambuf* input = in.rdbuf();
    bool any = false;
    for (int c = input->sbumpc(); c != std::char_traits<char>::eof(); c = input->sbumpc()) {
        any = true;
        if (c == '\n') return true;
        if (line.size() < Limit) line.push_back(static_cast<char>(c));
    }
    return any;
}

}  // namespace

void UciLoop(std::istream& in) {
    LoopRunning = true;
    std::mutex queueMutex;
    std::condition_variable queued;
    std::deque<std::string> lines;
    bool inputEnded = false;

    std::thread reader([&] {
        std::string line;
        while (ReadLine(in, line)) {
            const std::vector<std::string_view> words = SplitWords(line);
            const std::string_view first = words.empty() ? std::string_view{} : words[0];
            std::lock_guard<std::mutex> lock(queueMutex);
            if (first == "stop") {
                StopThrough = GosReceived.load();
                continue;
            }
            // While a search runs or waits, "isready" is answered at once;
            // after a "stop" it waits for that search's bestmove.
            if (first == "isready" && GosFinished < GosReceived && StopThrough < GosReceived) {
                Say("readyok");
                continue;
            }
            if (first == "quit") StopThrough = INT_MAX;
            if (first == "go") ++GosReceived;
            lines.push_back(line);
            queued.notify_one();
            if (first == "quit") break;
        }
        std::lock_guard<std::mutex> lock(queueMutex);
        inputEnded = true;
        InputEnded = true;
        queued.notify_one();
    });

    for (;;) {
        std::string line;
        {
            std::unique_lock<std::mutex> lock(queueMutex);
            queued.wait(lock, [&] { return !lines.empty() || inputEnded; });
            if (lines.empty()) break;
            line = std::move(lines.front());
            lines.pop_front();
        }
        const auto words = SplitWords(line);
        const bool isGo = !words.empty() && words[0] == "go";
        const bool goOn = UciCommand(line);
        if (isGo) {
            std::lock_guard<std::mutex> lock(queueMutex);
            ++GosFinished;
        }
        if (!goOn) break;
    }
    reader.detach();
}

void UciBench(int depth) {
    const Snapshot saved = [] {
        Snapshot s;
        TakeSnapshot(s);
        return s;
    }();
    // The bench's searches are numbered apart from the "go" commands: only
    // "quit" ends them.
    CurrentGo = INT_MAX - 1;
    std::uint64_t nodes = 0;
    std::uint32_t totalTime = 0;
    int index = 0;
    for (const BenchPosition& b : BenchPositions) {
        ++index;
        const std::string command = std::string("position ") + b.position;
        CommandPosition(SplitWords(command));
        GoLimits limits;
        limits.depth = depth;
        const std::uint32_t start = GetTickCount();
        const std::string best = Think(limits);
        const std::uint32_t elapsed = GetTickCount() - start;
        nodes += NodeCounter;
        totalTime += elapsed;
        Say("Position " + std::to_string(index) + " (" + b.name + "): nodes " + std::to_string(NodeCounter) +
            " time " + std::to_string(elapsed) + " bestmove " + best);
    }
    RestoreSnapshot(saved);
    Say("");
    Say("===========================");
    Say("Total time (ms) : " + std::to_string(totalTime));
    Say("Nodes searched  : " + std::to_string(nodes));
    Say("Nodes/second    : " + std::to_string(nodes * 1000 / std::max<std::uint32_t>(totalTime, 1)));
}

std::string UciCurrentFen() { return WriteFen(WorkingPosition, Current); }
