// kelvra-uci end to end: the real program through a pipe.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "helpers.h"

namespace {

// The program with its standard input and output connected to us.
class UciProcess {
public:
    UciProcess() {
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(toChild[0], 0);
            dup2(fromChild[1], 1);
            close(toChild[1]);
            close(fromChild[0]);
            execl(KELVRA_UCI_BINARY, KELVRA_UCI_BINARY, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(toChild[0]);
        close(fromChild[1]);
        in_ = toChild[1];
        out_ = fromChild[0];
        signal(SIGPIPE, SIG_IGN);
    }
    ~UciProcess() {
        if (in_ >= 0) close(in_);
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) close(out_);
    }

    void Send(const std::string& line) {
        const std::string text = line + "\n";
        ASSERT_EQ(write(in_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    void CloseInput() {
        close(in_);
        in_ = -1;
    }

    // The next line, or "<timeout>" after `ms` milliseconds.
    std::string ReadLine(int ms = 10000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            const auto end = buffer_.find('\n');
            if (end != std::string::npos) {
                std::string line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  deadline - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0) return "<timeout>";
            pollfd p{out_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
            char chunk[4096];
            const ssize_t n = read(out_, chunk, sizeof chunk);
            if (n <= 0) return "<eof>";
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

    // Lines up to and including the first that starts with `prefix`.
    std::vector<std::string> ReadUntil(const std::string& prefix, int ms = 10000) {
        std::vector<std::string> lines;
        for (;;) {
            lines.push_back(ReadLine(ms));
            const std::string& l = lines.back();
            if (l.rfind(prefix, 0) == 0 || l == "<timeout>" || l == "<eof>") return lines;
        }
    }

    bool Exited(int ms) {
        for (int waited = 0; waited < ms; waited += 10) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return true;
            }
            usleep(10000);
        }
        return false;
    }

private:
    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    std::string buffer_;
};

std::string BestMove(const std::vector<std::string>& lines) {
    const std::string& last = lines.back();
    return last.rfind("bestmove ", 0) == 0 ? last.substr(9) : last;
}

// Whether a UCI move is legal after the moves so far.
bool Legal(const std::string& moves, const std::string& move) {
    SetupNewGame(WorkingPosition);
    bool black = false;
    PlayMoves(moves, black);
    GenerateAllMoves(black);
    for (const std::string& m : BufferMoves())
        if (move.substr(0, 4) == m) return true;
    return false;
}

TEST(Uci, Handshake) {
    UciProcess uci;
    uci.Send("uci");
    const auto lines = uci.ReadUntil("uciok");
    EXPECT_EQ(lines.front(), "id name Kelvra Chess");
    EXPECT_EQ(lines.back(), "uciok");
    bool level = false;
    for (const auto& l : lines) level |= l.rfind("option name Level type combo default Amateur", 0) == 0;
    EXPECT_TRUE(level);
    uci.Send("isready");
    EXPECT_EQ(uci.ReadLine(), "readyok");
    uci.Send("quit");
    EXPECT_TRUE(uci.Exited(2000));
}

TEST(Uci, PlaysAGameOfSeveralMoves) {
    UciProcess uci;
    uci.Send("setoption name Level value Junior");
    std::string moves;
    for (int ply = 0; ply < 8; ++ply) {
        uci.Send("position startpos" + (moves.empty() ? "" : " moves" + moves));
        uci.Send(ply < 4 ? "go" : "go depth 4");
        const std::string best = BestMove(uci.ReadUntil("bestmove", 60000));
        ASSERT_TRUE(Legal(moves, best)) << best << " after" << moves;
        moves += " " + best;
    }
    uci.Send("d");
    const auto board = uci.ReadUntil("Fen: ");
    EXPECT_EQ(board.back().substr(0, 5), "Fen: ");
}

TEST(Uci, BookAnswersInTheOpening) {
    UciProcess uci;
    uci.Send("position startpos moves e2e4");
    uci.Send("go");
    const auto lines = uci.ReadUntil("bestmove");
    EXPECT_EQ(lines[lines.size() - 2], "info string book");
    uci.Send("setoption name OwnBook value false");
    uci.Send("position startpos moves e2e4");
    uci.Send("go depth 4");
    const auto searched = uci.ReadUntil("bestmove");
    for (const auto& l : searched) EXPECT_NE(l, "info string book");
}

TEST(Uci, StopEndsAnInfiniteSearch) {
    UciProcess uci;
    uci.Send("position startpos moves e2e4 e7e5");
    uci.Send("go infinite");
    EXPECT_EQ(uci.ReadLine().rfind("info depth 15 currmove", 0), 0u);
    uci.Send("isready");
    std::string line;
    do line = uci.ReadLine();
    while (line != "readyok" && line != "<timeout>");
    EXPECT_EQ(line, "readyok");
    const auto start = std::chrono::steady_clock::now();
    uci.Send("stop");
    const std::string best = BestMove(uci.ReadUntil("bestmove", 5000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_TRUE(Legal("e2e4 e7e5", best)) << best;
}

TEST(Uci, MovetimeIsKept) {
    UciProcess uci;
    uci.Send("position fen r1bq1rk1/pppnbppp/4pn2/3p2B1/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 3 7");
    const auto start = std::chrono::steady_clock::now();
    uci.Send("go movetime 500");
    const std::string best = BestMove(uci.ReadUntil("bestmove", 5000));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_NE(best, "<timeout>");
    EXPECT_LT(elapsed, std::chrono::milliseconds(2500));
    uci.Send("go wtime 1000 btime 1000");
    EXPECT_NE(BestMove(uci.ReadUntil("bestmove", 5000)), "<timeout>");
}

TEST(Uci, BadInputIsRefusedWhole) {
    UciProcess uci;
    uci.Send("position startpos moves e2e4 e7e5");
    const std::vector<std::string> bad = {
        "position fen 8/8/8/8/8/8/8/8 w - - 0 1",                          // no kings
        "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq",  // bad side
        "position fen 4k3/8/8/8/8/8/8/4K2P w - - 0 1",                      // pawn on rank 1
        "position fen 4k3/4Q3/8/8/8/8/8/4K3 w - - 0 1",                     // side not to move in check
        "position fen rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "position startpos moves e2e4 e7e5 e1e3",                           // illegal move
        "position startpos moves e2e4 e7e5 a7a8q",
        "position fen",
        "position",
    };
    for (const std::string& line : bad) {
        uci.Send(line);
        EXPECT_EQ(uci.ReadLine().rfind("info string", 0), 0u) << line;
    }
    uci.Send("bogus command");
    uci.Send("stop");
    uci.Send("go depth nonsense");
    // The previous position stays.
    uci.Send("go depth 4");
    const std::string best = BestMove(uci.ReadUntil("bestmove", 30000));
    EXPECT_TRUE(Legal("e2e4 e7e5", best)) << best;
    uci.Send("d");
    EXPECT_EQ(uci.ReadUntil("Fen: ").back(), "Fen: rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2");
}

TEST(Uci, MateAndStalemateHaveNoMove) {
    UciProcess uci;
    uci.Send("position fen 4k3/8/8/8/8/8/5PPP/3r2K1 w - - 0 1");
    uci.Send("go depth 5");
    auto lines = uci.ReadUntil("bestmove");
    EXPECT_EQ(lines.back(), "bestmove (none)");
    EXPECT_EQ(lines[lines.size() - 2], "info string Mat !");
    uci.Send("position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
    uci.Send("go");
    lines = uci.ReadUntil("bestmove");
    EXPECT_EQ(lines[lines.size() - 2], "info string Nulle");
}

TEST(Uci, PromotionCarriesItsLetter) {
    UciProcess uci;
    uci.Send("position fen 8/P6k/8/8/8/8/6K1/8 w - - 0 1");
    uci.Send("go depth 6");
    EXPECT_EQ(uci.ReadUntil("bestmove").back(), "bestmove a7a8q");
    // An under-promotion in the move list stays what it is.
    uci.Send("position fen 8/P6k/8/8/8/8/6K1/8 w - - 0 1 moves a7a8n");
    uci.Send("d");
    EXPECT_EQ(uci.ReadUntil("Fen: ").back(), "Fen: N7/7k/8/8/8/8/6K1/8 b - - 0 1");
}

TEST(Uci, EndOfInputFinishesQueuedWork) {
    UciProcess uci;
    uci.Send("position startpos");
    uci.Send("go depth 5");
    uci.CloseInput();
    EXPECT_NE(BestMove(uci.ReadUntil("bestmove", 30000)), "<timeout>");
    EXPECT_TRUE(uci.Exited(5000));
}

}  // namespace

namespace {

// A line of hostile input of one of several kinds, drawn with `random`.
std::string HostileLine(std::mt19937& random) {
    auto pick = [&](std::initializer_list<const char*> options) {
        return std::string(*(options.begin() + random() % options.size()));
    };
    auto bytes = [&](std::size_t n) {
        std::string text;
        for (std::size_t i = 0; i < n; ++i) {
            char c = static_cast<char>(random() % 256);
            text += c == '\n' ? ' ' : c;
        }
        return text;
    };
    switch (random() % 10) {
        case 0: return std::string(1000 + random() % 100000, 'a' + static_cast<char>(random() % 26));
        case 1: return bytes(1 + random() % 200);
        case 2: return pick({"stop", "stop", "ucinewgame", "isready", "d", "uci", "foo", "go perft 1"});
        case 3:
            return "go " + pick({"depth -5", "depth 999999999999999999999", "movetime abc", "wtime -1 btime -1",
                                 "wtime 5 btime 5 winc 100000 binc 100000", "depth", "perft 99", "movestogo 0",
                                 "nodes 5", "infinite", "depth 4 movetime 1", "searchmoves e2e4"});
        case 4:
            return "position startpos moves " + pick({"e2e4 e2e4", "e7e5", "e2e4 e7e5 e1g1", "a7a8q", "e2e4 e7e5 zz",
                                                      "e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1"});
        case 5: {
            // A FEN with one character changed.
            std::string fen = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
            fen[random() % fen.size()] = "pnbrqkPNBRQK12345678/ -wb"[random() % 25];
            return "position fen " + fen;
        }
        case 6:
            return "setoption name " + pick({"Level", "UCI_Elo", "OwnBook", "UCI_LimitStrength", "Hash", ""}) +
                   " value " + pick({"Expert", "abc", "-1", "99999999999999999999", "true", "", "1.5"});
        case 7: return "position fen " + bytes(random() % 80);
        case 8: return "   \t  " + pick({"isready", "position", "go", "setoption", "moves", "fen"}) + "  \r";
        default: return pick({"", " ", "\t", "position fen", "position startpos moves", "setoption", "go go go"});
    }
}

}  // namespace

// The real program under a few thousand hostile lines: after each it still
// answers isready, and at the end it plays a legal move.
TEST(Uci, SurvivesHostileInput) {
    UciProcess uci;
    std::mt19937 random(2026);
    for (int line = 0; line < 2000; ++line) {
        const std::string text = HostileLine(random);
        uci.Send(text);
        uci.Send("stop");
        uci.Send("isready");
        // A hostile "isready" has its own answer.
        const auto words = Split(text);
        const int answers = !words.empty() && words[0] == "isready" ? 2 : 1;
        for (int i = 0; i < answers; ++i) {
            std::string reply;
            do reply = uci.ReadLine(20000);
            while (reply != "readyok" && reply != "<timeout>" && reply != "<eof>");
            ASSERT_EQ(reply, "readyok") << "after line " << line << ": " << text.substr(0, 200);
        }
    }
    uci.Send("position startpos moves e2e4 e7e5");
    uci.Send("go depth 4");
    const std::string best = BestMove(uci.ReadUntil("bestmove", 30000));
    EXPECT_TRUE(Legal("e2e4 e7e5", best)) << best;
}
