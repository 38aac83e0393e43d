// The real window under thousands of random events, and whole games played
// through its controller to their end. The seed is printed so that a
// failure can be replayed: KELVRA_MONKEY_SEED, KELVRA_MONKEY_EVENTS and
// KELVRA_GAMES override the defaults.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "engine/platform.h"
#include "engine/recherchedecoups.h"
#include "gui_support.h"
#include "rules/Deplacements.h"
#include "rules/fonctions.h"

namespace {

int FromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

// The engine's search stays short: the level below the weakest one that the
// window offers keeps the search at four to six plies.
constexpr int FastLevel = 4;

// Answers every promotion dialog with a random piece, for as long as it lives.
class PromotionAnswerer {
public:
    explicit PromotionAnswerer(std::mt19937& random) : random_(random) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != QLatin1String("PromotionChoice")) return;
            const auto options = dialog->findChildren<QRadioButton*>();
            if (!options.isEmpty()) QTest::mouseClick(options[static_cast<int>(random_() % options.size())], Qt::LeftButton);
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                if (button->text() == QLatin1String("Valider")) QTest::mouseClick(button, Qt::LeftButton);
        });
        timer_.start(5);
    }

private:
    std::mt19937& random_;
    QTimer timer_;
};

// The legal moves of a side. The window's selection lives in MoveBuffer
// between the two clicks of a move, so the buffer is kept as it was.
std::vector<MoveEntry> LegalMoves(bool blackToMove) {
    const MoveList selection = MoveBuffer;
    GenerateAllMoves(blackToMove);
    std::vector<MoveEntry> moves(MoveBuffer.entries, MoveBuffer.entries + MoveBuffer.count);
    MoveBuffer = selection;
    return moves;
}

bool SameExceptScore(Position a, Position b) {
    a.score = b.score = 0;
    return a == b;
}

// The invariants that hold whenever the engine is idle; returns the first
// one broken, or an empty text.
QString BrokenInvariant() {
    if (!(0 <= RecordCursor && RecordCursor <= RecordLength && RecordLength <= GameRecordCapacity))
        return QStringLiteral("record counters %1 / %2").arg(RecordCursor).arg(RecordLength);
    const Position& p = WorkingPosition;
    if (p.squares[p.whiteKingSquare] != 1 || p.squares[p.blackKingSquare] != -1)
        return QStringLiteral("king squares do not hold the kings");
    // The engine's move choice leaves the score relative to its root; only
    // the board and the state fields must agree.
    if (!SameExceptScore(DisplayedPosition, WorkingPosition)) {
        QString diff;
        for (int s = 0; s < 64; ++s)
            if (DisplayedPosition.squares[s] != p.squares[s])
                diff += QStringLiteral(" %1:%2/%3").arg(QString::fromStdString(SquareName(s))).arg(DisplayedPosition.squares[s]).arg(p.squares[s]);
        return QStringLiteral("displayed position differs:%1 ep %2/%3 record %4/%5 running %6").arg(diff).arg(DisplayedPosition.enPassantSquare).arg(p.enPassantSquare).arg(RecordCursor).arg(RecordLength).arg(GameRunning);
    }

    // Replaying the record reaches the position, every move legal when made.
    const Position working = WorkingPosition, displayed = DisplayedPosition;
    const MoveList buffer = MoveBuffer;
    QString broken;
    SetupNewGame(WorkingPosition);
    for (int i = 0; i < RecordCursor && broken.isEmpty(); ++i) {
        const RecordedMove& m = GameRecord[i];
        bool legal = false;
        for (const MoveEntry& e : LegalMoves(i % 2 == 1))
            legal |= e.fromSquare == m.from && e.toSquare == m.to && e.clearSquare == m.clear;
        if (!legal) {
            broken = QStringLiteral("record entry %1 (%2-%3) was not legal")
                         .arg(i + 1)
                         .arg(QString::fromStdString(SquareName(m.from)), QString::fromStdString(SquareName(m.to)));
            break;
        }
        MakeMove(m.from, m.to, m.clear);
        WorkingPosition.squares[m.to] = static_cast<PieceCode>(m.placed);
    }
    if (broken.isEmpty() && !SameExceptScore(WorkingPosition, working))
        broken = QStringLiteral("the replay of the record differs from the position");
    WorkingPosition = working;
    DisplayedPosition = displayed;
    MoveBuffer = buffer;
    return broken;
}

bool PlayerToMove() { return (RecordCursor % 2 == 0) == PlayerIsWhite; }

// Plays the player's move `m` by two clicks on the board.
void ClickMove(TForm1* form, const MoveEntry& m) {
    ClickSquare(form, SquareName(m.fromSquare).c_str());
    ClickSquare(form, SquareName(m.toSquare).c_str());
}

const QStringList EndMessages = {QStringLiteral("Mat"), QStringLiteral("Mat !"), QStringLiteral("Nulle")};

}  // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void randomEvents();
    void wholeGames();
};

void TestMonkey::randomEvents() {
    const unsigned seed = static_cast<unsigned>(FromEnvironment("KELVRA_MONKEY_SEED", 20261209));
    const int events = FromEnvironment("KELVRA_MONKEY_EVENTS", 3000);
    std::printf("monkey: seed %u, %d events\n", seed, events);
    std::mt19937 random(seed);
    PromotionAnswerer answerer(random);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };

    int event = 0, games = 0, engineMoves = 0;
    while (event < events) {
        GameWindow w;
        SeedRandom(seed + static_cast<unsigned>(games));  // the book's draws and the engine's first move
        ++games;
        // Before START: languages, a level, a colour.
        QToolButton* languages[] = {w->sSpeedButton2, w->sSpeedButton3, w->sSpeedButton4, w->sSpeedButton5,
                                    w->sSpeedButton6};
        for (int i = static_cast<int>(random() % 4); i > 0; --i) QTest::mouseClick(languages[random() % 5], Qt::LeftButton);
        if (chance(50)) w->sComboBox1->setCurrentIndex(static_cast<int>(random() % 7));
        StartGame(w.get(), chance(50));
        Level = FastLevel;
        int idle = 0;  // events since the game could last go on
        while (event < events && idle < 40) {
            ++event;
            const int kind = static_cast<int>(random() % 100);
            const int recordBefore = RecordLength;
            if (kind < 8 && GameRunning && PlayerToMove()) {
                // A legal move through the board, so that games go on.
                const auto moves = LegalMoves(!PlayerIsWhite);
                if (!moves.empty()) {
                    // Now and then something happens while the engine thinks.
                    if (chance(30)) {
                        const int what = static_cast<int>(random() % 4);
                        QTimer::singleShot(static_cast<int>(random() % 30), w.get(), [&w, what] {
                            if (what == 0) QTest::mouseClick(w->SStop, Qt::LeftButton);
                            if (what == 1) ClickPixel(w.get(), 100, 100);
                            if (what == 2) QTest::mouseClick(w->sCheckBox1, Qt::LeftButton);
                            if (what == 3) w->resize(700, 560);
                        });
                    }
                    ClickMove(w.get(), moves[random() % moves.size()]);
                }
            } else if (kind < 60) {
                // A click anywhere on the image, also off the squares, with any button.
                const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
                ClickPixel(w.get(), static_cast<int>(random() % 485), static_cast<int>(random() % 485),
                           buttons[random() % 4]);
            } else if (kind < 80) {
                QToolButton* navigation[] = {w->def0, w->def, w->ref, w->reftt};
                QTest::mouseClick(navigation[random() % 4], Qt::LeftButton);
            } else if (kind < 85) {
                QTest::mouseClick(w->SStop, Qt::LeftButton);
            } else if (kind < 90) {
                QTest::mouseClick(w->sCheckBox1, Qt::LeftButton);
            } else if (kind < 95) {
                w->resize(300 + static_cast<int>(random() % 700), 200 + static_cast<int>(random() % 600));
            } else {
                QTest::mouseClick(languages[random() % 5], Qt::LeftButton);
            }
            QApplication::processEvents();
            engineMoves += RecordLength > recordBefore + 1;
            const QString broken = BrokenInvariant();
            if (!broken.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3").arg(seed).arg(event).arg(broken)));
            for (const QString& m : w.messages)
                QVERIFY2(EndMessages.contains(m), qPrintable(QStringLiteral("unexpected message %1").arg(m)));
            idle = GameRunning && (!PlayerToMove() || !LegalMoves(!PlayerIsWhite).empty()) ? 0 : idle + 1;
        }
    }
    std::printf("monkey: %d events over %d games, %d engine moves\n", event, games, engineMoves);
}

// Games to their end through the window: the player's side chooses a random
// legal move, or the engine's own choice, and clicks it; the engine answers.
void TestMonkey::wholeGames() {
    const int games = FromEnvironment("KELVRA_GAMES", 4);
    std::mt19937 random(7);
    PromotionAnswerer answerer(random);
    int mates = 0, draws = 0, full = 0, plies = 0;
    for (int game = 0; game < games; ++game) {
        const bool engineAgainstEngine = game % 2 == 1;
        GameWindow w;
        SeedRandom(static_cast<std::uint64_t>(game));
        StartGame(w.get(), game % 4 >= 2);
        Level = FastLevel;
        while (GameRunning && w.messages.isEmpty()) {
            QVERIFY(PlayerToMove());
            const auto moves = LegalMoves(!PlayerIsWhite);
            QVERIFY2(!moves.empty(), "the player has no move but no message came");
            MoveEntry move = moves[random() % moves.size()];
            if (engineAgainstEngine) {
                // The engine's choice for the player's side, on a copy of the state.
                const Position before = WorkingPosition;
                const EngineMove chosen = ChosenMove;
                const PlatformHooks hooks = Platform;
                Platform = PlatformHooks{};
                MaterialCount = CountMaterial();
                SearchDepth = DepthForLevel(FastLevel, MaterialCount);
                ChooseEngineMove(PlayerIsWhite ? White : Black);
                move = {static_cast<std::int16_t>(ChosenMove.fromSquare), static_cast<std::int16_t>(ChosenMove.toSquare),
                        static_cast<std::int16_t>(ChosenMove.clearSquare), 0};
                WorkingPosition = before;
                ChosenMove = chosen;
                Platform = hooks;
            }
            const int length = RecordLength;
            ClickMove(w.get(), move);
            QVERIFY2(RecordLength > length, "the player's move was not played");
            const QString broken = BrokenInvariant();
            QVERIFY2(broken.isEmpty(), qPrintable(broken));
        }
        plies += RecordLength;
        QCOMPARE(w.messages.size(), 1);
        QVERIFY2(EndMessages.contains(w.messages.front()), qPrintable(w.messages.front()));
        if (RecordLength == GameRecordCapacity) {
            ++full;
            QCOMPARE(w.messages.front(), QStringLiteral("Nulle"));
        } else if (w.messages.front() == QLatin1String("Nulle")) {
            ++draws;
        } else {
            ++mates;
        }
    }
    std::printf("games: %d played, %d mates, %d stalemates, %d full records, %d plies\n", games, mates, draws, full,
                plies);
}

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
