#include "engine/recherchedecoups.h"

#include <algorithm>
#include <cstring>

#include "engine/Bibliotheque.h"
#include "engine/Evaluation.h"
#include "engine/platform.h"
#include "rules/Deplacements.h"
#include "rules/bitboards.h"
#include "rules/fonctions.h"

namespace {

constexpr std::uint32_t ArrowBest = 0x808080;     // grey: the best move so far
constexpr std::uint32_t ArrowExamined = 0x0000FF;  // blue: the move now examined

// Copies the used entries of MoveBuffer into a node's own list.
inline void CopyMoveBuffer(MoveList& list) {
    list.count = MoveBuffer.count;
    std::memcpy(list.entries, MoveBuffer.entries, sizeof(MoveEntry) * static_cast<std::size_t>(list.count));
}

inline void MakeEntry(const MoveEntry& m) { MakeMove(m.fromSquare, m.toSquare, m.clearSquare); }

// Moves the first entry that matches the killer pair of depth d to the front;
// the entries before it move one place back.
void KillerFirst(MoveList& list, int d) {
    for (int i = 0; i < list.count; ++i) {
        if (list.entries[i].fromSquare == KillerFrom[d] && list.entries[i].toSquare == KillerTo[d]) {
            const MoveEntry killer = list.entries[i];
            std::memmove(&list.entries[1], &list.entries[0], sizeof(MoveEntry) * static_cast<std::size_t>(i));
            list.entries[0] = killer;
            return;
        }
    }
}

inline void StoreKiller(int d, const MoveEntry& m) {
    KillerFrom[d] = m.fromSquare;
    KillerTo[d] = m.toSquare;
}

inline int MateScore(int d) { return SearchDepth - d - MateValue; }

}  // namespace

int SearchPvs(int d, int alpha, int beta, int side) {
    // 1. The last three plies are plain alpha-beta (and so is any shallower
    // call, which only a search deeper than its depth could make).
    if (d <= 3) return SearchAlphaBeta(d, alpha, beta, side);
    // 2. A stop request unwinds the search at once.
    if (StopRequested.load(std::memory_order_relaxed)) return 0;

    // 3. Copy the position and the legal moves.
    const Position saved = WorkingPosition;
    GenerateLegalMoves(side == Black);
    MoveList list;
    CopyMoveBuffer(list);
    int a = alpha;
    int b = beta;

    // 4. Mate or stalemate.
    if (list.count == 0) return KingInCheck(side) ? MateScore(d) : 0;

    // 5. Score every move for ordering, with the node's own window.
    for (int i = 0; i < list.count; ++i) {
        MoveEntry& m = list.entries[i];
        MakeEntry(m);
        int score;
        if (d == SearchDepth - 1 && SearchDepth < 12)
            score = -SearchAlphaBeta(3, -beta, -alpha, 1 - side);
        else if (d <= 6)
            score = Evaluate(side);
        else
            score = -SearchOrdering(-beta, -alpha, 1 - side);
        m.value = static_cast<std::int16_t>(score);
        WorkingPosition = saved;
    }

    // 6. Best first, then the killer in front.
    SortMovesByScore(list.entries, list.count);
    KillerFirst(list, d);

    // 7. Principal variation search: the first move with the full window,
    // the others with a null window and a re-search when they prove better.
    for (int i = 0; i < list.count; ++i) {
        const MoveEntry& m = list.entries[i];
        ProcessPendingMessages();
        MakeEntry(m);
        const int t = -SearchPvs(d - 1, -b, -a, 1 - side);
        if (t > a && t < beta && i > 0) a = -SearchPvs(d - 1, -beta, -t, 1 - side);
        a = std::max(a, t);
        if (a >= beta) {
            StoreKiller(d, m);
            return a;
        }
        WorkingPosition = saved;
        b = a + 1;
    }
    return a;
}

namespace {

// The legal moves of a node in their generation order (its pieces from h1 to
// a8), made one piece at a time: move for move the list of
// GenerateLegalMoves, without generating what a node that cuts off early
// never looks at.
class LazyMoves {
public:
    explicit LazyMoves(int side)
        : context_(PrepareMoveGeneration(side)), pieces_(SideSquares(WorkingPosition.squares, context_.sign)) {}

    // The next move; false after the last.
    bool Next(MoveEntry& move) {
        while (index_ == count_) {
            if (!pieces_) return false;
            const int s = Highest(pieces_);
            pieces_ &= ~Bit(s);
            MoveBuffer.count = 0;
            GeneratePreparedMoves(context_, s);
            count_ = MoveBuffer.count;
            index_ = 0;
            std::memcpy(moves_, MoveBuffer.entries, sizeof(MoveEntry) * static_cast<std::size_t>(count_));
        }
        move = moves_[index_++];
        return true;
    }

    const MoveContext& context() const { return context_; }

private:
    MoveContext context_;
    Bitboard pieces_;
    MoveEntry moves_[32];  // one piece has at most 27 moves
    int count_ = 0;
    int index_ = 0;
};

}  // namespace

int SearchAlphaBeta(int d, int alpha, int beta, int side) {
    if (d <= 1) return SearchHorizon(side, beta);

    const Position saved = WorkingPosition;
    int best = -MateValue;
    LazyMoves moves(side);

    // The killer first, when it is one of the moves here; the others follow
    // in their order.
    MoveEntry killer{};
    bool hasKiller = false;
    if (saved.squares[KillerFrom[d]] * moves.context().sign > 0) {
        MoveBuffer.count = 0;
        GeneratePreparedMoves(moves.context(), KillerFrom[d]);
        for (int i = 0; i < MoveBuffer.count && !hasKiller; ++i) {
            hasKiller = MoveBuffer.entries[i].toSquare == KillerTo[d];
            killer = MoveBuffer.entries[i];
        }
    }

    bool anyMove = false;
    auto cutsOff = [&](const MoveEntry& m) {
        anyMove = true;
        ProcessPendingMessages();
        MakeEntry(m);
        const int v = -SearchAlphaBeta(d - 1, -beta, -alpha, 1 - side);
        if (v > best) {
            best = v;
            if (best >= beta) {
                StoreKiller(d, m);
                return true;
            }
            alpha = std::max(alpha, best);
        }
        WorkingPosition = saved;
        return false;
    };
    if (hasKiller && cutsOff(killer)) return best;
    for (MoveEntry m; moves.Next(m);) {
        if (hasKiller && m.fromSquare == killer.fromSquare && m.toSquare == killer.toSquare) continue;
        if (cutsOff(m)) return best;
    }
    // No legal move: mate or stalemate.
    if (!anyMove) return moves.context().checks > 0 ? MateScore(d) : 0;
    return best;
}

int SearchOrdering(int alpha, int beta, int side) {
    const Position saved = WorkingPosition;
    int best = -MateValue;
    LazyMoves moves(side);
    bool anyMove = false;
    for (MoveEntry m; moves.Next(m);) {
        anyMove = true;
        MakeEntry(m);
        const int v = -SearchHorizon(1 - side, -alpha);
        if (v > best) {
            best = v;
            if (best >= beta) return best;
            alpha = std::max(alpha, best);
        }
        WorkingPosition = saved;
    }
    if (!anyMove) return moves.context().checks > 0 ? -MateValue : 0;
    return best;
}

namespace {

// For every piece and square, the largest placement change (in the mover's
// view) that a quiet move of that piece could bring, by phase: an upper
// bound on what the horizon's estimates add to their base.
struct PlacementGains {
    std::int16_t gain[2][13][64];  // [middlegame][code + 6][square]
    int largest[2];                // the largest of each phase

    PlacementGains() : gain{}, largest{} {
        for (int phase = 0; phase < 2; ++phase) {
            const auto& T = phase ? PlacementMiddlegame : PlacementEndgame;
            for (int code = -6; code <= 6; ++code) {
                for (int s = 0; s < 64; ++s) {
                    int best = 0;  // rooks and queens: no change
                    auto consider = [&](int t) {
                        const int change = code > 0 ? T[code + 6][t] - T[code + 6][s] : T[code + 6][s] - T[code + 6][t];
                        best = std::max(best, change);
                    };
                    const int kind = code < 0 ? -code : code;
                    const int r = s / 8, c = s % 8;
                    for (int t = 0; t < 64; ++t) {
                        const int dr = t / 8 - r, dc = t % 8 - c;
                        const int ar = std::abs(dr), ac = std::abs(dc);
                        bool reach = false;
                        switch (kind) {
                            case 1: reach = std::max(ar, ac) == 1 || (dr == 0 && ac == 2 && (s == 60 || s == 4)); break;
                            case 3: reach = ar == ac && ar > 0; break;
                            case 4: reach = (ar == 1 && ac == 2) || (ar == 2 && ac == 1); break;
                            case 6: {
                                // Steps forward, the double step, and the diagonal of en passant.
                                const int ahead = code > 0 ? -dr : dr;
                                reach = (ahead == 1 && ac <= 1) || (ahead == 2 && ac == 0);
                                break;
                            }
                            default: break;
                        }
                        if (reach) consider(t);
                    }
                    gain[phase][code + 6][s] = static_cast<std::int16_t>(best);
                    largest[phase] = std::max(largest[phase], best);
                }
            }
        }
    }
};

const PlacementGains Gains;

}  // namespace

int SearchHorizon(int side, int beta) {
    // 1. The opponent's mobility and the evaluation before any move.
    const Position saved = WorkingPosition;
    const bool white = side == White;
    const MoveContext context = PrepareMoveGeneration(side);
    const int R = PreparedEnemyMarks(context);
    const int E = Evaluate(side);
    int best = -MateValue;

    // 2. The placement table of the phase, and what the estimates start from.
    const bool middlegame = MaterialCount >= 25;
    const auto& T = middlegame ? PlacementMiddlegame : PlacementEndgame;
    const bool notCastled = white ? !saved.whiteHasCastled : !saved.blackHasCastled;
    const int base = E - (middlegame ? 2 * R : R);
    const auto& gain = Gains.gain[middlegame];

    const int sign = white ? 1 : -1;
    const Bitboard own = SideSquares(saved.squares, sign);
    // The pieces in visiting order: White from a8 to h1, Black from h1 to a8.
    auto next = [white](Bitboard& pieces) {
        const int s = white ? Lowest(pieces) : Highest(pieces);
        pieces &= ~Bit(s);
        return s;
    };
    // Pieces whose every move is made and evaluated.
    auto allMade = [&](int kind, int s) {
        if (kind == 6) return white ? s >= 8 && s <= 15 : s >= 48 && s <= 55;  // promotions
        return middlegame ? notCastled && (kind == 1 || kind == 5) : kind == 5;
    };
    auto madeValue = [&](const MoveEntry& m) {
        const int f = m.fromSquare, t = m.toSquare;
        const int mover = saved.squares[f], captured = saved.squares[t];
        const int cost = middlegame ? (captured != 0 ? R + 23 : R) : 0;
        // A castling king moves two squares: it is made like any move
        // that changes more than the score.
        const bool castling = (mover == 1 || mover == -1) && (t - f == 2 || f - t == 2);
        if (!castling && KeepsEvaluationTerms(f, t)) {
            // Only the score changes: the move need not be made.
            const int score = saved.score - PieceValue[captured + 6] - T[captured + 6][t] - T[mover + 6][f] +
                              T[mover + 6][t];
            return EvaluateWithNewScore(static_cast<std::int16_t>(E), side, saved.score, score) - cost;
        }
        if (white)
            MakeWhiteMove(m.fromSquare, m.toSquare, m.clearSquare);
        else
            MakeBlackMove(m.fromSquare, m.toSquare, m.clearSquare);
        const int v = Evaluate(side) - cost;
        WorkingPosition = saved;
        return v;
    };
    // The squares a piece could take on, on an empty board.
    auto captureReach = [white](int kind, int s) -> Bitboard {
        switch (kind) {
            case 6: return Attacks.pawn[white ? 0 : 1][s];
            case 4: return Attacks.knight[s];
            case 1: return Attacks.king[s];
            case 3: return Attacks.diagonals[s];
            case 5: return Attacks.lines[s];
            default: return Attacks.diagonals[s] | Attacks.lines[s];
        }
    };
    auto estimate = [&](int p, int s, int t) {
        return base + (white ? T[p + 6][t] - T[p + 6][s] : T[p + 6][s] - T[p + 6][t]);
    };

    // Whether an estimate could reach beta: first against the largest change
    // any piece could bring, then against those of the pieces on the board.
    bool estimateMayCut = base + Gains.largest[middlegame] >= beta;
    if (estimateMayCut) {
        int bound = -MateValue;
        for (Bitboard pieces = own; pieces; pieces &= pieces - 1) {
            const int s = Lowest(pieces);
            bound = std::max<int>(bound, gain[saved.squares[s] + 6][s]);
        }
        estimateMayCut = base + bound >= beta;
    }
    bool anyMove = false;

    if (estimateMayCut) {
        // 3. An estimate may cut off: every move in order, made and
        // evaluated or estimated. 4. A cut-off returns at once.
        for (Bitboard pieces = own; pieces;) {
            const int s = next(pieces);
            const int p = saved.squares[s];
            const bool made = allMade(p * sign, s);
            MoveBuffer.count = 0;
            GeneratePreparedMoves(context, s);
            for (int i = 0; i < MoveBuffer.count; ++i) {
                const MoveEntry& m = MoveBuffer.entries[i];
                anyMove = true;
                const int v = made || saved.squares[m.toSquare] != 0 ? madeValue(m) : estimate(p, s, m.toSquare);
                if (v > best) {
                    best = v;
                    if (best >= beta) return best;
                }
            }
        }
    } else {
        // No estimate reaches beta, so only the made moves can cut off, in
        // their order; without a cut-off the best estimate joins the best
        // made value, and a piece whose estimates cannot beat the best so
        // far need not be looked at.
        // The pieces that have estimates are listed on the way, with the
        // largest change each could bring.
        int pieces[16], gains[16], n = 0;
        for (Bitboard rest = own; rest;) {
            const int s = next(rest);
            const int p = saved.squares[s];
            const bool made = allMade(p * sign, s);
            if (!made && n < 16) {
                pieces[n] = s;
                gains[n++] = gain[p + 6][s];
            }
            if (!made && !(captureReach(p * sign, s) & context.enemy)) continue;  // nothing to take
            MoveBuffer.count = 0;
            GeneratePreparedMoves(context, s, made ? AllMoves : CapturesOnly);
            for (int i = 0; i < MoveBuffer.count; ++i) {
                anyMove = true;
                const int v = madeValue(MoveBuffer.entries[i]);
                if (v > best) {
                    best = v;
                    if (best >= beta) return best;
                }
            }
        }
        // The estimates, piece by piece from the largest possible change
        // down, until no piece left can beat the best value.
        while (n > 0) {
            int top = 0;
            for (int i = 1; i < n; ++i)
                if (gains[i] > gains[top]) top = i;
            if (anyMove && base + gains[top] <= best) break;
            const int s = pieces[top], p = saved.squares[s];
            pieces[top] = pieces[--n];
            gains[top] = gains[n];
            MoveBuffer.count = 0;
            GeneratePreparedMoves(context, s, QuietOnly);
            for (int i = 0; i < MoveBuffer.count; ++i) {
                anyMove = true;
                best = std::max(best, estimate(p, s, MoveBuffer.entries[i].toSquare));
            }
        }
    }
    // 5. No legal move: mate or stalemate.
    if (!anyMove) return KingInCheck(side) ? SearchDepth - MateValue - 1 : 0;
    return best;
}

void SortMovesByScore(MoveEntry* list, int count) {
    if (count < 1) return;
    // Ranges are 1-based as in the classic formulation; at most one pending
    // range per two entries.
    struct Range {
        int lo, hi;
    };
    Range stack[MoveBufferCapacity / 2 + 1];
    int pending = 0;
    stack[pending++] = {1, count};
    auto value = [list](int i) { return list[i - 1].value; };
    while (pending > 0) {
        const Range range = stack[--pending];
        int lo = range.lo, hi = range.hi;
        do {
            int i = lo, j = hi;
            const int pivot = value((lo + hi) / 2);
            do {
                while (value(i) > pivot) ++i;
                while (value(j) < pivot) --j;
                if (i <= j) {
                    std::swap(list[i - 1], list[j - 1]);
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (i < hi) stack[pending++] = {i, hi};
            hi = j;
        } while (lo < hi);
    }
}

void ReportAnalysis() {
    if (Platform.showAnalysis) Platform.showAnalysis(NodeCounter, GetTickCount() - SearchStartTick);
}

void ChooseEngineMove(int side) {
    const int SD = SearchDepth;
    // 1.-4. Fresh state: no stop, no killers, the root's score as zero.
    StopRequested.store(false);
    if (Platform.setNavigationButtons) Platform.setNavigationButtons(false, false, false, false);
    WorkingPosition.score = 0;
    std::fill(std::begin(KillerFrom), std::end(KillerFrom), 0);
    std::fill(std::begin(KillerTo), std::end(KillerTo), 0);

    // 5.-6. The root position and its legal moves.
    const Position P0 = WorkingPosition;
    int best = -MateValue - 60;
    GenerateLegalMoves(side == Black);
    MoveList root;
    CopyMoveBuffer(root);
    const int n = root.count;

    // 7. No legal move: the game is over.
    if (n == 0) {
        ShowMessage(KingInCheck(side) ? "Mat !" : "Nulle");
        WorkingPosition = P0;
        GameRunning = false;
        return;
    }

    // 8. The clock and the periodic report start.
    SearchStartTick = GetTickCount();
    if (Platform.setAnalysisTimer) Platform.setAnalysisTimer(true);

    // 9.-10. Two ordering passes, four and six plies from the root.
    for (const int depth : {3, 5}) {
        for (int i = 0; i < n; ++i) {
            MakeEntry(root.entries[i]);
            root.entries[i].value = static_cast<std::int16_t>(-SearchPvs(depth, -MateValue, MateValue, 1 - side));
            WorkingPosition = P0;
        }
        SortMovesByScore(root.entries, n);
    }

    // 11. A fresh board for this search's arrows.
    if (Platform.drawDisplayedBoard) Platform.drawDisplayedBoard();

    bool recorded = false;
    auto record = [&](const MoveEntry& m) {
        ChosenMove = {m.fromSquare, m.toSquare, m.clearSquare};
        recorded = true;
    };

    if (n == 1) {
        // 12. The only move.
        record(root.entries[0]);
    } else {
        // 13. The main pass.
        int a = -MateValue;
        int b = MateValue;
        for (int i = 0; i < n; ++i) {
            const MoveEntry& m = root.entries[i];
            ReportAnalysis();
            if (Platform.rootMoveStarted) Platform.rootMoveStarted(i + 1, m.fromSquare, m.toSquare);
            if (i > 0 && Platform.drawMoveArrow)
                Platform.drawMoveArrow(ChosenMove.fromSquare, ChosenMove.toSquare, ArrowBest);
            if (Platform.drawMoveArrow) Platform.drawMoveArrow(m.fromSquare, m.toSquare, ArrowExamined);
            if (StopRequested.load()) break;

            MakeEntry(m);
            const int t = -SearchPvs(SD - 1, -b, -a, 1 - side);
            if (t > a && i > 0) a = -SearchPvs(SD - 1, -MateValue, -t, 1 - side);
            a = std::max(a, t);

            // The repetition rule: a root position that already stood on
            // the board in more than two of the history entries makes the
            // first move of the ordered list worthless. Neither P0 nor the
            // history change during the pass, so it applies at i = 0 or never.
            if (i == 0) {
                int repeated = 0;
                for (const Position& h : PositionHistory)
                    repeated += std::memcmp(h.squares, P0.squares, sizeof P0.squares) == 0;
                if (repeated > 2) a = -MateValue;
            }

            if (a > best) {
                best = a;
                record(m);
                if (Platform.bestMoveChanged) Platform.bestMoveChanged(best, m.fromSquare, m.toSquare);
                if (best > MateValue - 20) {
                    WorkingPosition = P0;
                    break;
                }
            }
            WorkingPosition = P0;
            b = a + 1;
        }
    }

    // A stop that came during the ordering passes leaves no move recorded:
    // the first move of the list, as ordered so far, is played.
    if (!recorded) record(root.entries[0]);
    WorkingPosition = P0;

    // 14. The clock stops; the final report.
    if (Platform.setAnalysisTimer) Platform.setAnalysisTimer(false);
    ReportAnalysis();
}

int DepthForLevel(int level, int materialCount) {
    if (materialCount < 8) return level + 2;
    if (materialCount <= 30) return level + 1;
    return level;
}

void PlanEngineTurn() {
    MovesSoFar.clear();
    const int moves = std::min<int>(RecordLength, 16);
    for (int i = 0; i < moves; ++i) {
        MovesSoFar += SquareName(GameRecord[i].from);
        MovesSoFar += SquareName(GameRecord[i].to);
    }
    MaterialCount = CountMaterial();
    SearchDepth = DepthForLevel(Level, MaterialCount);
}

bool DecideEngineMove(bool useBook) {
    SearchStartTick = GetTickCount();
    NodeCounter = 0;
    if (useBook && BookLookup(MovesSoFar, ChosenMove.fromSquare, ChosenMove.toSquare)) {
        const int from = ChosenMove.fromSquare;
        ChosenMove.clearSquare = from;
        MoveBuffer.count = 0;
        const int piece = WorkingPosition.squares[from];
        const bool enginePiece = PlayerIsWhite ? piece < 0 : piece > 0;
        if (enginePiece) {
            BuildAttackMap(PlayerIsWhite ? White : Black);
            GeneratePieceMoves(from);
            for (int i = 0; i < MoveBuffer.count; ++i)
                if (MoveBuffer.entries[i].toSquare == ChosenMove.toSquare) return true;
        }
    }
    ChooseEngineMove(PlayerIsWhite ? Black : White);
    return false;
}
