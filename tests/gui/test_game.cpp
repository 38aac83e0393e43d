// Whole turns through the real window: START, the player's clicks, the
// engine's answers from the book and from the search, promotion, the end
// of the game, navigation and closing.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstring>

#include "gui_support.h"
#include "rules/Deplacements.h"
#include "rules/fonctions.h"

namespace {

// Enabled states of def0, def, ref, reftt.
QList<bool> Buttons(TForm1* form) {
    return {form->def0->isEnabled(), form->def->isEnabled(), form->ref->isEnabled(),
            form->reftt->isEnabled()};
}
const QList<bool> BackOnly = {true, true, false, false};

// Whether the left and top edges of a square carry a frame of the colour.
bool Framed(TForm1* form, const std::string& square, const QColor& colour) {
    const QPoint c = SquareCentre(square.c_str());
    return PixelAt(form, c.x() - 30, c.y()) == colour && PixelAt(form, c.x(), c.y() - 30) == colour;
}

void Press(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// Sets the record to `moves` and shows the position after them.
void PlayRecord(TForm1* form, int moves) {
    RecordLength = moves;
    RecordCursor = moves;
    SetupNewGame(WorkingPosition);
    form->ReplayRecord(moves);
}

// Many pieces and no book line after Nf3-g5: a long search at the top level.
const char* const LongSearch = "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R";

}  // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    void startAsWhite_data();
    void startAsWhite();
    void startAsBlack();
    void selectingAndCancelling();
    void bookAnswer();
    void searchAnswerAndAnalysisLabels();
    void whileTheEngineThinks();
    void notYourMoveNotice();
    void underPromotionKeptThroughNavigation();
    void underPromotionAsBlack();
    void navigation();
    void navigationAcrossAGame();
    void endOfGame_data();
    void endOfGame();
    void fullRecord_data();
    void fullRecord();
    void closingDuringTheSearchStopsIt();
    void resizeRedrawsTheDisplayedPosition();
};

void TestGame::startAsWhite_data() {
    QTest::addColumn<int>("index");  // in the level box, -1 for none
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("rating");
    QTest::newRow("no level chosen") << -1 << 8 << "ELO: 1200";
    QTest::newRow("Junior") << 0 << 7 << "ELO: 1000";
    QTest::newRow("Advanced") << 2 << 9 << "ELO: 1600";
    QTest::newRow("Impossible") << 6 << 13 << "ELO: 3000";
}

void TestGame::startAsWhite() {
    QFETCH(int, index);
    QFETCH(int, level);
    QFETCH(QString, rating);
    GameWindow w;
    w->sComboBox1->setCurrentIndex(index);
    StartGame(w.get(), false);
    QCOMPARE(Level, level);
    QCOMPARE(w->Label5->text(), rating);
    QVERIFY(GameRunning && PlayerIsWhite);
    QCOMPARE(BoardTurns, 0);
    QCOMPARE(RecordLength + RecordCursor, 0);
    QVERIFY(!w->sPanel2->isVisible());
    QVERIFY(w->sPanel1->isVisible() && w->Image1->isVisible() && w->sPanel3->isVisible() &&
            w->sPanel4->isVisible());
    QCOMPARE(ListLines(w.get()), QStringList{"Begin..."});
    // White at the bottom: the black rook a8 stands at the top-left.
    QCOMPARE(PixelAt(w.get(), 30, 30), QColor(Qt::black));
}

void TestGame::startAsBlack() {
    GameWindow w;
    StartGame(w.get(), true);
    QVERIFY(!PlayerIsWhite);
    QCOMPARE(BoardTurns, 2);
    QCOMPARE(RecordLength, 1);
    QCOMPARE(RecordCursor, 1);
    const std::string to = SquareName(GameRecord[0].to);
    const QString first = QString::fromStdString(SquareName(GameRecord[0].from) + "-" + to);
    QVERIFY2(QStringList({"e2-e4", "d2-d4", "f2-f4", "c2-c4", "b2-b4"}).contains(first), qPrintable(first));
    QCOMPARE(ListLines(w.get()), QStringList{"Begin..."});
    QCOMPARE(w->Label4->text(), QString("Walk."));
    QCOMPARE(PixelAt(w.get(), 30, 30), QColor(Qt::white));  // h1's rook at the top-left
    // A resize shows the engine's first move, not the initial position.
    w->resize(700, 560);
    QTRY_COMPARE(w->size(), QSize(630, 499));
    QCOMPARE(PixelAt(w.get(), SquareCentre(to.c_str())), QColor(Qt::white));
    ClickSquare(w.get(), "e7");
    QVERIFY(SelectionActive);
}

void TestGame::selectingAndCancelling() {
    GameWindow w;
    StartGame(w.get(), false);
    const Position start = WorkingPosition;
    // A right click changes only the buttons.
    ClickSquare(w.get(), "e2", Qt::RightButton);
    QVERIFY(!SelectionActive);
    QCOMPARE(Buttons(w.get()), BackOnly);
    // Empty squares, the engine's pieces, a piece without a move and the
    // pixels beyond the 64 squares select nothing.
    for (const char* square : {"e4", "e7", "a1"}) ClickSquare(w.get(), square);
    for (const QPoint p : {QPoint(480, 450), QPoint(450, 480), QPoint(480, 480), QPoint(479, 479)})
        ClickPixel(w.get(), p.x(), p.y());
    QVERIFY(!SelectionActive);
    // The first click frames the targets.
    ClickPixel(w.get(), 419, 479);  // g1, in the last pixel row of the squares
    QVERIFY(SelectionActive);
    QCOMPARE(SelectedSquare, SquareOf("g1"));
    QVERIFY(Framed(w.get(), "f3", Maroon) && Framed(w.get(), "h3", Maroon));
    QVERIFY(!Framed(w.get(), "g3", Maroon));
    // A second click off the targets, even outside the squares, cancels.
    ClickPixel(w.get(), 480, 300);
    QVERIFY(!SelectionActive);
    QVERIFY(!Framed(w.get(), "f3", Maroon));
    ClickSquare(w.get(), "e2");
    QVERIFY(Framed(w.get(), "e3", Maroon) && Framed(w.get(), "e4", Maroon));
    ClickSquare(w.get(), "d2");  // one of the player's own: only cancels
    QVERIFY(!SelectionActive);
    QVERIFY(WorkingPosition == start);
    QCOMPARE(RecordLength, 0);
    QCOMPARE(ListLines(w.get()).size(), 1);
}

void TestGame::bookAnswer() {
    GameWindow w;
    StartGame(w.get(), false);
    PlayMove(w.get(), "e2", "e4");
    QCOMPARE(RecordLength, 2);
    QCOMPARE(RecordCursor, 2);
    QCOMPARE(NodeCounter, std::uint64_t(0));  // no search ran
    QCOMPARE(w->Label1->text(), QString("Not analyzed."));
    const QStringList lines = ListLines(w.get());
    QCOMPARE(lines.mid(0, 2), QStringList({"Begin...", "e2-e4"}));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(w->Label4->text(), "Last: " + lines[2]);
    const RecordedMove reply = GameRecord[1];
    QVERIFY(WorkingPosition.squares[reply.to] < 0);
    QVERIFY(Framed(w.get(), SquareName(reply.to), EngineFrame));
    QVERIFY(Framed(w.get(), SquareName(reply.from), EngineFrame));
    QVERIFY(DisplayedPosition == WorkingPosition);
    QVERIFY(PositionHistory[0] == WorkingPosition);
    QCOMPARE(Buttons(w.get()), BackOnly);
    QVERIFY(!w->SStop->isEnabled());
}

void TestGame::searchAnswerAndAnalysisLabels() {
    GameWindow w;
    StartGame(w.get(), false, "Junior");
    SetBoard("4k3/8/8/8/8/8/4P3/4K3");
    PlayMove(w.get(), "e2", "e4");
    QCOMPARE(RecordLength, 2);
    QVERIFY(NodeCounter > 0);
    static const QRegularExpression Moves("^Moves: (\\d{1,3}(?: \\d{3})*)$");
    static const QRegularExpression Time("^Time: \\d\\d:\\d\\d:\\d\\d\\.\\ds$");
    const QRegularExpressionMatch nodes = Moves.match(w->Label1->text());
    QVERIFY2(nodes.hasMatch(), qPrintable(w->Label1->text()));
    QCOMPARE(nodes.captured(1).remove(' ').toULongLong(), NodeCounter);
    QVERIFY2(Time.match(w->Label5->text()).hasMatch(), qPrintable(w->Label5->text()));
    QVERIFY(w->Label4->text().startsWith("Last: Re8-"));
    QCOMPARE(ListLines(w.get()).last(), w->Label4->text().mid(6));
    QVERIFY(!w->Timer1->isActive());
}

// The planned depth shows, the stop button is on, navigation off, Timer1
// running and, with "Show Analise" ticked, the examined move's arrow drawn;
// the stop button ends the search with a legal move.
void TestGame::whileTheEngineThinks() {
    GameWindow w;
    StartGame(w.get(), false, "Impossible");
    SetBoard(LongSearch);
    QTest::mouseClick(w->sCheckBox1, Qt::LeftButton);
    QVERIFY(ShowAnalysis);
    QString depthText;
    bool stopOn = false;
    bool timerOn = false;
    bool arrow = false;
    QList<bool> buttons;
    QElapsedTimer clock;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, w.get(), [&] {
        const QImage board = w->Image1->Picture.copy(0, 0, 481, 481);
        for (int y = 0; y < board.height() && !arrow; ++y)
            for (int x = 0; x < board.width() && !arrow; ++x)
                arrow = QColor(board.pixel(x, y)) == QColor(0, 0, 255);
        if (!arrow && clock.elapsed() < 15000) return;
        poll.stop();
        depthText = w->Label4->text();
        stopOn = w->SStop->isEnabled();
        timerOn = w->Timer1->isActive();
        buttons = Buttons(w.get());
        Press(w->SStop);
    });
    poll.start(50);
    clock.start();
    PlayMove(w.get(), "f3", "g5");
    QVERIFY(clock.elapsed() < 20000);
    QVERIFY(arrow);
    QCOMPARE(depthText, QString("Test: 6.5 kill"));  // level 13, material 86: 13 plies
    QVERIFY(stopOn && timerOn);
    QCOMPARE(buttons, QList<bool>({false, false, false, false}));
    QCOMPARE(RecordLength, 2);
    QVERIFY(WorkingPosition.squares[GameRecord[1].to] < 0);
    QVERIFY(!w->Timer1->isActive() && !w->SStop->isEnabled());
    QCOMPARE(Buttons(w.get()), BackOnly);
}

void TestGame::notYourMoveNotice() {
    GameWindow w;
    StartGame(w.get(), false);
    PlayMove(w.get(), "e2", "e4");
    Press(w->def);  // the engine is to move now
    const Position before = WorkingPosition;
    ClickSquare(w.get(), "d2");
    QVERIFY(w->sPanel5->isVisible() && w->Timer2->isActive());
    const int firstRemaining = w->Timer2->remainingTime();
    QVERIFY2(firstRemaining > 2500 && firstRemaining <= 3000, qPrintable(QString::number(firstRemaining)));
    QTest::qWait(300);
    ClickSquare(w.get(), "d2", Qt::RightButton);  // any button; the timer runs on
    QVERIFY(w->Timer2->remainingTime() < firstRemaining - 200);
    QVERIFY(!SelectionActive);
    QVERIFY(WorkingPosition == before);
    QTRY_VERIFY_WITH_TIMEOUT(!w->sPanel5->isVisible(), 3500);
    QVERIFY(!w->Timer2->isActive());
}

// b7xa8 promoting to a rook, from the start of a game; stepping back over
// it and forward again shows the rook, not a queen.
void TestGame::underPromotionKeptThroughNavigation() {
    GameWindow w;
    StartGame(w.get(), false, "Junior");
    const char* const Moves[8][2] = {{"a2", "a4"}, {"h7", "h6"}, {"a4", "a5"}, {"h6", "h5"},
                                     {"a5", "a6"}, {"h5", "h4"}, {"a6", "b7"}, {"h4", "h3"}};
    for (int i = 0; i < 8; ++i) {
        const int from = SquareOf(Moves[i][0]);
        GameRecord[i] = RecordedMove{from, SquareOf(Moves[i][1]), from, i % 2 == 0 ? 6 : -6};
    }
    PlayRecord(w.get(), 8);
    AnswerPromotion("Tour ?");
    PlayMove(w.get(), "b7", "a8");
    QCOMPARE(GameRecord[8].placed, 5);
    QCOMPARE(ListLines(w.get()).at(1), QString("Tb7xa8"));
    QCOMPARE(RecordLength, 10);
    const int a8 = SquareOf("a8");
    Press(w->def);
    QCOMPARE(WorkingPosition.squares[a8], PieceCode(5));
    Press(w->def);
    QCOMPARE(WorkingPosition.squares[a8], PieceCode(-5));
    Press(w->ref);
    QCOMPARE(WorkingPosition.squares[a8], PieceCode(5));
    QVERIFY(DisplayedPosition == WorkingPosition);
}

void TestGame::underPromotionAsBlack() {
    GameWindow w;
    StartGame(w.get(), true, "Junior");
    SetBoard("4k3/8/8/8/8/8/1p6/4K3", 1);
    AnswerPromotion("Cavalier ?");
    PlayMove(w.get(), "b2", "b1");
    QCOMPARE(WorkingPosition.squares[SquareOf("b1")], PieceCode(-4));
    QCOMPARE(GameRecord[1].placed, -4);
    QCOMPARE(ListLines(w.get()).at(1), QString("Cb2-b1"));
    QCOMPARE(RecordLength, 3);  // and the engine answered
}

// Back over a game and playing on from its start; steps whose
// precondition fails do nothing.
void TestGame::navigation() {
    GameWindow w;
    StartGame(w.get(), false);
    PlayMove(w.get(), "e2", "e4");
    const int lines = static_cast<int>(ListLines(w.get()).size());
    ClickSquare(w.get(), "d2");
    Press(w->def);
    QVERIFY(!SelectionActive);  // every step clears the selection
    QCOMPARE(RecordCursor, 1);
    QCOMPARE(Buttons(w.get()), QList<bool>({true, true, true, true}));
    QCOMPARE(WorkingPosition.squares[SquareOf("e4")], PieceCode(6));
    ClickSquare(w.get(), "d2");  // the engine is to move: only the notice
    QVERIFY(w->sPanel5->isVisible() && !SelectionActive);
    Press(w->def);
    QCOMPARE(RecordCursor, 0);
    QCOMPARE(Buttons(w.get()), QList<bool>({false, false, true, true}));
    QCOMPARE(ListLines(w.get()).mid(lines), QStringList({"Back...", "Back..."}));
    w->def->setEnabled(true);
    w->def0->setEnabled(true);
    Press(w->def);
    Press(w->def0);
    QCOMPARE(RecordCursor, 0);
    QCOMPARE(ListLines(w.get()).size(), lines + 2);
    // Playing on drops the rest of the game.
    PlayMove(w.get(), "d2", "d4");
    QCOMPARE(RecordLength, 2);
    QCOMPARE(GameRecord[0].from, SquareOf("d2"));
    QCOMPARE(ListLines(w.get()).at(lines + 2), QString("d2-d4"));
    w->ref->setEnabled(true);
    Press(w->ref);
    QCOMPARE(RecordCursor, 2);
    QCOMPARE(ListLines(w.get()).size(), lines + 4);
}

void TestGame::navigationAcrossAGame() {
    GameWindow w;
    QTest::mouseClick(w->sSpeedButton4, Qt::LeftButton);  // de: the notes follow
    StartGame(w.get(), false);
    FillRecordWithKnightMoves(6);
    PlayRecord(w.get(), 6);
    const Position end = WorkingPosition;
    Press(w->def0);
    QCOMPARE(RecordCursor, 0);
    QCOMPARE(Buttons(w.get()), QList<bool>({false, false, true, true}));
    QCOMPARE(std::memcmp(WorkingPosition.squares, InitialBoard, 64), 0);
    Press(w->reftt);
    QCOMPARE(RecordCursor, 6);
    QCOMPARE(Buttons(w.get()), BackOnly);
    QVERIFY(WorkingPosition == end);
    Press(w->def);
    Press(w->def);
    Press(w->ref);
    QCOMPARE(RecordCursor, 5);
    QCOMPARE(ListLines(w.get()),
             QStringList({"Begann...", "erste!!!", "fortsetzen...", "zuruck...", "zuruck...",
                          "vonstatten..."}));
    // The replay pushed the positions before moves 1..5: the initial one
    // (after four knight moves) newest, then the one after three.
    QCOMPARE(std::memcmp(PositionHistory[0].squares, InitialBoard, 64), 0);
    QCOMPARE(PositionHistory[1].squares[SquareOf("f6")], PieceCode(-4));
    // The engine is to move at 5 and does not move by itself.
    ClickSquare(w.get(), "e2");
    QCOMPARE(RecordLength, 6);

    // With Black, "<" from the engine's first move gives the initial
    // position with the engine to move.
    GameWindow b;
    StartGame(b.get(), true);
    Press(b->def);
    QCOMPARE(std::memcmp(WorkingPosition.squares, InitialBoard, 64), 0);
    ClickSquare(b.get(), "e7");
    QVERIFY(b->sPanel5->isVisible() && !SelectionActive);
}

void TestGame::endOfGame_data() {
    QTest::addColumn<QString>("placement");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("running");  // GameRunning afterwards
    QTest::addColumn<QString>("status");  // Label4 afterwards
    // Ra1-a8 mates the king boxed in behind its pawns.
    QTest::newRow("the player mates") << "6k1/5ppp/8/8/8/8/5PPP/R5K1" << "a1" << "a8" << "Mat !"
                                      << false << "Test: 4 kill";
    // After b2-b3 the engine mates with Rd8-d1.
    QTest::newRow("the engine mates") << "3r3k/8/8/8/8/8/1P3PPP/6K1" << "b2" << "b3" << "Mat"
                                      << true << "Last: Td8-d1";
    // After Kb1-a1 the engine's only move c3-c2 leaves White without a move.
    QTest::newRow("the engine stalemates") << "8/8/8/p7/Pp6/kPp5/P7/1K6" << "b1" << "a1"
                                           << "Nulle" << true << "Last: c3-c2";
}

void TestGame::endOfGame() {
    QFETCH(QString, placement);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, message);
    QFETCH(bool, running);
    QFETCH(QString, status);
    GameWindow w;
    StartGame(w.get(), false, "Junior");
    SetBoard(placement.toLatin1().constData());
    PlayMove(w.get(), from.toLatin1().constData(), to.toLatin1().constData());
    QCOMPARE(w.messages, QStringList{message});
    QCOMPARE(GameRunning, running);
    QCOMPARE(w->Label4->text(), status);
    QCOMPARE(Buttons(w.get()), BackOnly);
    // No piece can be selected any more, but stepping back works.
    ClickSquare(w.get(), "g1");
    ClickSquare(w.get(), "a1");
    QVERIFY(!SelectionActive);
    QVERIFY(!w->sPanel5->isVisible());
    Press(w->def);
    QCOMPARE(RecordCursor, RecordLength - 1);
    QCOMPARE(w.messages.size(), 1);
}

void TestGame::fullRecord_data() {
    QTest::addColumn<bool>("playerIsBlack");
    QTest::newRow("the player's move fills it") << true;
    QTest::newRow("the engine's move fills it") << false;
}

// A move that writes entry 200 ends the game as a draw once it is shown.
void TestGame::fullRecord() {
    QFETCH(bool, playerIsBlack);
    GameWindow w;
    StartGame(w.get(), playerIsBlack, "Junior");
    if (playerIsBlack) {
        // Knights stepping out and back; Black's 100th move is entry 200.
        FillRecordWithKnightMoves(199);
        PlayRecord(w.get(), 199);
        PlayMove(w.get(), "f6", "g8");
        QCOMPARE(ListLines(w.get()).last(), QString("Cf6-g8"));
    } else {
        // The rook's check leaves the engine one answer, Kh8-g7: entry 200.
        FillRecordWithKnightMoves(198);
        SetBoard("7k/7p/8/8/8/8/8/R3K3", 198);
        PlayMove(w.get(), "a1", "a8");
        QCOMPARE(w->Label4->text(), QString("Last: Rh8-g7"));
    }
    QCOMPARE(RecordLength, 200);
    QCOMPARE(w.messages, QStringList{"Nulle"});
    QVERIFY(!GameRunning);
    // The last move is what a resize would draw.
    QVERIFY(DisplayedPosition == WorkingPosition);
    // Navigation still works; a new move is refused.
    Press(w->def);
    QCOMPARE(RecordCursor, 199);
    PlayMove(w.get(), "f6", "g8");
    QCOMPARE(RecordLength, 200);
    QCOMPARE(RecordCursor, 199);
    QCOMPARE(w.messages.size(), 1);
}

void TestGame::closingDuringTheSearchStopsIt() {
    GameWindow w;
    StartGame(w.get(), false, "Impossible");
    SetBoard(LongSearch);
    QTimer::singleShot(300, w.get(), [&] { w->close(); });
    QElapsedTimer clock;
    clock.start();
    PlayMove(w.get(), "f3", "g5");
    QVERIFY2(clock.elapsed() < 10000, "the search went on after the window closed");
    QVERIFY(!w->isVisible());
    QCOMPARE(RecordLength, 1);  // the engine played nothing
    QCOMPARE(ListLines(w.get()).last(), QString("Cf3-g5"));
    QVERIFY(!w->Timer1->isActive());
    QVERIFY(w.messages.isEmpty());
}

void TestGame::resizeRedrawsTheDisplayedPosition() {
    GameWindow w;
    StartGame(w.get(), false);
    PlayMove(w.get(), "e2", "e4");
    const RecordedMove reply = GameRecord[1];
    QVERIFY(Framed(w.get(), SquareName(reply.to), EngineFrame));
    DisplayedPosition.squares[SquareOf("e4")] = 0;  // differs from WorkingPosition
    w->resize(800, 600);
    QTRY_COMPARE(w->size(), QSize(630, 499));
    QCOMPARE(w->Image1->geometry(), QRect(12, 0, 481, 481));
    QTRY_COMPARE(PixelAt(w.get(), SquareCentre("e4")), LightSquare);
    QVERIFY(!Framed(w.get(), SquareName(reply.to), EngineFrame));
}

QTEST_MAIN(TestGame)
#include "test_game.moc"
