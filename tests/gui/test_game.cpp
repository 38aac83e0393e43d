// Whole turns through the real window: START, the player's clicks, the
// engine's answers from the book and from the search, promotion, the end
// of the game, navigation and the mended cases.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

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

bool Framed(TForm1* form, const char* square, const QColor& colour) {
    const QPoint c = SquareCentre(square);
    return PixelAt(form, c.x() - 30, c.y()) == colour && PixelAt(form, c.x(), c.y() - 30) == colour;
}

// Whether WorkingPosition holds a legal move of the side to move.
int LegalMoveCount(bool blackToMove) {
    GenerateAllMoves(blackToMove);
    return MoveBuffer.count;
}

// Positions, as FEN piece placements, with the player's move that leads on.
// The engine's king boxed in behind its pawns: Ra1-a8 mates.
const char* const BackRankMate = "6k1/5ppp/8/8/8/8/5PPP/R5K1";
// After b2-b3 the engine mates with Rd8-d1.
const char* const EngineMatesInOne = "3r3k/8/8/8/8/8/1P3PPP/6K1";
// After Kb1-a1 the engine's only move c3-c2 leaves White without a move.
const char* const StalematingReply = "8/8/8/p7/Pp6/kPp5/P7/1K6";
// King and pawn against king: a quick search.
const char* const PawnEnding = "4k3/8/8/8/8/8/4P3/4K3";
// a7-a8 checks along the eighth rank; the engine's only answer is Kh8-g7.
const char* const PromotionWithCheck = "7k/P6p/8/8/8/8/8/4K3";
// Many pieces and no book line: a long search at the top level.
const char* const LongSearch = "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R";

}  // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    void startAsWhite_data();
    void startAsWhite();
    void startAsBlack();
    void firstClickFramesTheTargets();
    void secondClickOffTargetCancels();
    void clicksOutsideTheSquares();
    void rightClick();
    void bookAnswer();
    void searchAnswerAndAnalysisLabels();
    void depthLabelAndStopDuringSearch();
    void notYourMoveNotice();
    void underPromotionKeptThroughNavigation();
    void underPromotionToKnightAsBlack();
    void navigation();
    void navigationRestartAndContinue();
    void navigationAsBlack();
    void navigationNoteInChosenLanguage();
    void engineMatesThePlayer();
    void playerMatesTheEngine();
    void engineStalematesThePlayer();
    void fullRecordAfterThePlayersMove();
    void fullRecordAfterTheEnginesMove();
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
    QTest::newRow("Grandmaster") << 5 << 12 << "ELO: 2700";
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
    QVERIFY(GameRunning);
    QVERIFY(PlayerIsWhite);
    QCOMPARE(BoardTurns, 0);
    QCOMPARE(RecordLength, 0);
    QCOMPARE(RecordCursor, 0);
    QVERIFY(!w->sPanel2->isVisible());
    for (QWidget* shown : {static_cast<QWidget*>(w->sPanel1), static_cast<QWidget*>(w->Image1),
                           static_cast<QWidget*>(w->sPanel3), static_cast<QWidget*>(w->sPanel4)})
        QVERIFY(shown->isVisible());
    QCOMPARE(ListLines(w.get()), QStringList{"Begin..."});
    // White at the bottom: the black rook a8 stands at the top-left.
    QCOMPARE(PixelAt(w.get(), 30, 30), QColor(Qt::black));
    QCOMPARE(PixelAt(w.get(), 30, 450), QColor(Qt::white));
}

void TestGame::startAsBlack() {
    GameWindow w;
    StartGame(w.get(), true);
    QVERIFY(!PlayerIsWhite);
    QCOMPARE(BoardTurns, 2);
    QCOMPARE(RecordLength, 1);
    QCOMPARE(RecordCursor, 1);
    const QString first = SquareName(GameRecord[0].from).c_str() + QString("-") +
                          SquareName(GameRecord[0].to).c_str();
    QVERIFY2(QStringList({"e2-e4", "d2-d4", "f2-f4", "c2-c4", "b2-b4"}).contains(first), qPrintable(first));
    QCOMPARE(GameRecord[0].placed, 6);
    QCOMPARE(ListLines(w.get()), QStringList{"Begin..."});
    QCOMPARE(w->Label4->text(), QString("Walk."));
    // Black at the bottom: the white rook h1 stands at the top-left.
    QCOMPARE(PixelAt(w.get(), 30, 30), QColor(Qt::white));
    // The player is to move: a first click selects.
    ClickSquare(w.get(), "e7");
    QVERIFY(SelectionActive);
    // A resize shows the engine's first move, not the initial position.
    QVERIFY(DisplayedPosition == WorkingPosition);
    w->resize(700, 560);
    QTRY_COMPARE(w->size(), QSize(630, 499));
    const QByteArray toName = first.right(2).toLatin1();
    QCOMPARE(PixelAt(w.get(), SquareCentre(toName.constData())), QColor(Qt::white));
}

void TestGame::firstClickFramesTheTargets() {
    GameWindow w;
    StartGame(w.get(), false);
    ClickSquare(w.get(), "e2");
    QVERIFY(SelectionActive);
    QCOMPARE(SelectedSquare, SquareOf("e2"));
    QVERIFY(Framed(w.get(), "e3", Maroon));
    QVERIFY(Framed(w.get(), "e4", Maroon));
    QVERIFY(!Framed(w.get(), "e5", Maroon));
    QVERIFY(!Framed(w.get(), "d3", Maroon));
    QCOMPARE(Buttons(w.get()), BackOnly);

    // A piece without a legal move frames nothing and selects nothing; the
    // next click is a first click again.
    GameWindow v;
    StartGame(v.get(), false);
    ClickSquare(v.get(), "a1");
    QVERIFY(!SelectionActive);
    ClickSquare(v.get(), "e4");  // empty
    QVERIFY(!SelectionActive);
    ClickSquare(v.get(), "e7");  // the engine's
    QVERIFY(!SelectionActive);
    ClickSquare(v.get(), "g1");
    QVERIFY(SelectionActive);
    QVERIFY(Framed(v.get(), "f3", Maroon));
    QVERIFY(Framed(v.get(), "h3", Maroon));
}

void TestGame::secondClickOffTargetCancels() {
    GameWindow w;
    StartGame(w.get(), false);
    ClickSquare(w.get(), "e2");
    ClickSquare(w.get(), "d2");  // one of the player's own pieces: only cancels
    QVERIFY(!SelectionActive);
    QVERIFY(!Framed(w.get(), "e4", Maroon));
    QCOMPARE(RecordLength, 0);
    QCOMPARE(Buttons(w.get()), BackOnly);
    ClickSquare(w.get(), "d2");
    QVERIFY(SelectionActive);
    QCOMPARE(SelectedSquare, SquareOf("d2"));
}

// The image is one pixel larger than the 64 squares: its last row and
// column act like an empty square.
void TestGame::clicksOutsideTheSquares() {
    GameWindow w;
    StartGame(w.get(), false);
    const Position before = WorkingPosition;
    ClickPixel(w.get(), 480, 450);
    ClickPixel(w.get(), 450, 480);
    ClickPixel(w.get(), 480, 480);
    QVERIFY(!SelectionActive);
    QVERIFY(WorkingPosition == before);
    // A pixel inside the last square still counts: (479, 479) is h1.
    ClickPixel(w.get(), 479, 479);
    QVERIFY(!SelectionActive);  // the rook on h1 has no move
    ClickPixel(w.get(), 419, 479);  // g1
    QVERIFY(SelectionActive);
    ClickPixel(w.get(), 480, 300);  // second click outside: cancels
    QVERIFY(!SelectionActive);
    QVERIFY(!Framed(w.get(), "f3", Maroon));
    QCOMPARE(RecordLength, 0);
}

void TestGame::rightClick() {
    GameWindow w;
    StartGame(w.get(), false);
    QCOMPARE(Buttons(w.get()), QList<bool>({true, true, true, true}));
    const Position before = WorkingPosition;
    ClickSquare(w.get(), "e2", Qt::RightButton);
    QVERIFY(!SelectionActive);
    QVERIFY(WorkingPosition == before);
    QCOMPARE(Buttons(w.get()), BackOnly);
    QVERIFY(!w->sPanel5->isVisible());
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
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.mid(0, 2), QStringList({"Begin...", "e2-e4"}));
    QCOMPARE(w->Label4->text(), "Last: " + lines[2]);
    // The engine's move is Black's, framed in its colour, and in the record.
    const RecordedMove reply = GameRecord[1];
    QVERIFY(WorkingPosition.squares[reply.to] < 0);
    QVERIFY(Framed(w.get(), SquareName(reply.to).c_str(), EngineFrame));
    QVERIFY(Framed(w.get(), SquareName(reply.from).c_str(), EngineFrame));
    QVERIFY(DisplayedPosition == WorkingPosition);
    QVERIFY(PositionHistory[0] == WorkingPosition);
    QCOMPARE(Buttons(w.get()), BackOnly);
    QVERIFY(!w->SStop->isEnabled());
}

void TestGame::searchAnswerAndAnalysisLabels() {
    GameWindow w;
    StartGame(w.get(), false, "Junior");
    SetBoard(PawnEnding);
    PlayMove(w.get(), "e2", "e4");
    QCOMPARE(RecordLength, 2);
    QVERIFY(NodeCounter > 0);
    QVERIFY(WorkingPosition.squares[GameRecord[1].to] == -1);  // only the king can move
    static const QRegularExpression Moves("^Moves: \\d{1,3}( \\d{3})*$");
    static const QRegularExpression Time("^Time: \\d\\d:\\d\\d:\\d\\d\\.\\ds$");
    QVERIFY2(Moves.match(w->Label1->text()).hasMatch(), qPrintable(w->Label1->text()));
    QVERIFY2(Time.match(w->Label5->text()).hasMatch(), qPrintable(w->Label5->text()));
    QString digits = w->Label1->text().mid(7);
    QCOMPARE(digits.remove(' ').toULongLong(), NodeCounter);
    QVERIFY(w->Label4->text().startsWith("Last: R"));
    QCOMPARE(ListLines(w.get()).last(), w->Label4->text().mid(6));
    QVERIFY(!w->Timer1->isActive());
    QCOMPARE(Buttons(w.get()), BackOnly);
}

// While the engine thinks: the planned depth shows, the stop button is on,
// navigation is off and Timer1 runs; the stop button ends the search with a
// legal move.
void TestGame::depthLabelAndStopDuringSearch() {
    GameWindow w;
    StartGame(w.get(), false, "Impossible");
    SetBoard(LongSearch);
    QString depthText;
    bool stopEnabled = false;
    bool timerActive = false;
    QList<bool> buttons;
    QTimer::singleShot(400, w.get(), [&] {
        depthText = w->Label4->text();
        stopEnabled = w->SStop->isEnabled();
        timerActive = w->Timer1->isActive();
        buttons = Buttons(w.get());
        QTest::mouseClick(w->SStop, Qt::LeftButton);
    });
    QElapsedTimer clock;
    clock.start();
    PlayMove(w.get(), "f3", "g5");  // no book line begins so
    QVERIFY(clock.elapsed() < 20000);
    QCOMPARE(depthText, QString("Test: 6.5 kill"));  // level 13 with 88 - 2 of material
    QVERIFY(stopEnabled);
    QVERIFY(timerActive);
    QCOMPARE(buttons, QList<bool>({false, false, false, false}));
    QCOMPARE(RecordLength, 2);
    QCOMPARE(WorkingPosition.squares[SquareOf("g5")], PieceCode(4));
    QVERIFY(WorkingPosition.squares[GameRecord[1].to] < 0);
    QVERIFY(!w->Timer1->isActive());
    QVERIFY(!w->SStop->isEnabled());
    QCOMPARE(Buttons(w.get()), BackOnly);
}

void TestGame::notYourMoveNotice() {
    GameWindow w;
    StartGame(w.get(), false);
    PlayMove(w.get(), "e2", "e4");
    QTest::mouseClick(w->def, Qt::LeftButton);  // the engine is to move now
    QCOMPARE(RecordCursor, 1);
    const Position before = WorkingPosition;
    ClickSquare(w.get(), "d2");
    QVERIFY(w->sPanel5->isVisible());
    QVERIFY(w->Timer2->isActive());
    QVERIFY(!SelectionActive);
    const int firstRemaining = w->Timer2->remainingTime();
    QVERIFY2(firstRemaining > 2500 && firstRemaining <= 3000, qPrintable(QString::number(firstRemaining)));
    QTest::qWait(300);
    ClickSquare(w.get(), "d2", Qt::RightButton);  // any button, no restart
    QVERIFY(w->Timer2->remainingTime() < firstRemaining - 200);
    QVERIFY(WorkingPosition == before);
    QCOMPARE(RecordLength, 2);
    QTRY_VERIFY_WITH_TIMEOUT(!w->sPanel5->isVisible(), 3500);
    QVERIFY(!w->Timer2->isActive());
}

// b7xa8 promoting to a rook in a game played from the start; stepping back
// over it and forward again shows the rook, not a queen.
void TestGame::underPromotionKeptThroughNavigation() {
    GameWindow w;
    StartGame(w.get(), false, "Junior");
    const char* const Moves[8][2] = {{"a2", "a4"}, {"h7", "h6"}, {"a4", "a5"}, {"h6", "h5"},
                                     {"a5", "a6"}, {"h5", "h4"}, {"a6", "b7"}, {"h4", "h3"}};
    for (int i = 0; i < 8; ++i) {
        const int from = SquareOf(Moves[i][0]);
        GameRecord[i] = RecordedMove{from, SquareOf(Moves[i][1]), from, i % 2 == 0 ? 6 : -6};
    }
    RecordLength = 8;
    RecordCursor = 8;
    SetupNewGame(WorkingPosition);
    w->ReplayRecord(8);
    AnswerPromotion("Tour ?");
    PlayMove(w.get(), "b7", "a8");
    QCOMPARE(GameRecord[8].placed, 5);
    QCOMPARE(ListLines(w.get()).at(1), QString("Tb7xa8"));
    QCOMPARE(RecordLength, 10);
    QTest::mouseClick(w->def, Qt::LeftButton);
    QCOMPARE(WorkingPosition.squares[SquareOf("a8")], PieceCode(5));
    QTest::mouseClick(w->def, Qt::LeftButton);
    QCOMPARE(WorkingPosition.squares[SquareOf("a8")], PieceCode(-5));
    QCOMPARE(WorkingPosition.squares[SquareOf("b7")], PieceCode(6));
    QTest::mouseClick(w->ref, Qt::LeftButton);
    QCOMPARE(WorkingPosition.squares[SquareOf("a8")], PieceCode(5));
    QVERIFY(DisplayedPosition == WorkingPosition);
}

void TestGame::underPromotionToKnightAsBlack() {
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

void TestGame::navigation() {
    GameWindow w;
    StartGame(w.get(), false);
    PlayMove(w.get(), "e2", "e4");
    const QStringList afterGame = ListLines(w.get());
    // "<" twice: the engine to move at 1, the initial position at 0. A step
    // clears the selection.
    ClickSquare(w.get(), "d2");
    QVERIFY(SelectionActive);
    QTest::mouseClick(w->def, Qt::LeftButton);
    QVERIFY(!SelectionActive);
    QCOMPARE(RecordCursor, 1);
    QCOMPARE(RecordLength, 2);
    QCOMPARE(Buttons(w.get()), QList<bool>({true, true, true, true}));
    QCOMPARE(WorkingPosition.squares[SquareOf("e4")], PieceCode(6));
    QVERIFY(DisplayedPosition == WorkingPosition);
    QTest::mouseClick(w->def, Qt::LeftButton);
    QCOMPARE(RecordCursor, 0);
    QCOMPARE(Buttons(w.get()), QList<bool>({false, false, true, true}));
    QCOMPARE(ListLines(w.get()), afterGame + QStringList({"Back...", "Back..."}));
    // "<" and "<<" at 0 change nothing and append nothing.
    w->def->setEnabled(true);
    w->def0->setEnabled(true);
    QTest::mouseClick(w->def, Qt::LeftButton);
    QTest::mouseClick(w->def0, Qt::LeftButton);
    QCOMPARE(RecordCursor, 0);
    QCOMPARE(ListLines(w.get()).size(), afterGame.size() + 2);
    // Playing on drops the rest of the game.
    PlayMove(w.get(), "d2", "d4");
    QCOMPARE(RecordLength, 2);
    QCOMPARE(RecordCursor, 2);
    QCOMPARE(GameRecord[0].from, SquareOf("d2"));
    QCOMPARE(ListLines(w.get()).mid(afterGame.size() + 2, 1), QStringList{"d2-d4"});
    // ">" at the end changes nothing.
    w->ref->setEnabled(true);
    QTest::mouseClick(w->ref, Qt::LeftButton);
    QCOMPARE(RecordCursor, 2);
    QCOMPARE(ListLines(w.get()).size(), afterGame.size() + 4);
}

void TestGame::navigationRestartAndContinue() {
    GameWindow w;
    StartGame(w.get(), false);
    FillRecordWithKnightMoves(6);
    RecordLength = 6;
    RecordCursor = 6;
    SetupNewGame(WorkingPosition);
    w->ReplayRecord(6);
    const Position end = WorkingPosition;
    QTest::mouseClick(w->def0, Qt::LeftButton);
    QCOMPARE(RecordCursor, 0);
    QCOMPARE(Buttons(w.get()), QList<bool>({false, false, true, true}));
    QCOMPARE(ListLines(w.get()).last(), QString("Anew!!!"));
    QCOMPARE(std::memcmp(WorkingPosition.squares, InitialBoard, 64), 0);
    QTest::mouseClick(w->reftt, Qt::LeftButton);
    QCOMPARE(RecordCursor, 6);
    QCOMPARE(Buttons(w.get()), QList<bool>({true, true, false, false}));
    QCOMPARE(ListLines(w.get()).last(), QString("Continue..."));
    QVERIFY(WorkingPosition == end);
    QTest::mouseClick(w->def, Qt::LeftButton);
    QTest::mouseClick(w->def, Qt::LeftButton);
    QTest::mouseClick(w->ref, Qt::LeftButton);
    QCOMPARE(RecordCursor, 5);
    QCOMPARE(ListLines(w.get()).last(), QString("Forward..."));
    QCOMPARE(ListLines(w.get()).size(), 6);
    // The engine is to move at 5; it does not move by itself, and a click
    // only shows the notice.
    ClickSquare(w.get(), "e2");
    QVERIFY(w->sPanel5->isVisible());
    QCOMPARE(RecordLength, 6);
    // The replay pushed the positions before moves 1..5; the newest is the
    // position before move 5.
    QCOMPARE(PositionHistory[0].squares[SquareOf("g1")], PieceCode(4));
}

void TestGame::navigationAsBlack() {
    GameWindow w;
    StartGame(w.get(), true);
    QTest::mouseClick(w->def, Qt::LeftButton);
    QCOMPARE(RecordCursor, 0);
    QCOMPARE(std::memcmp(WorkingPosition.squares, InitialBoard, 64), 0);
    ClickSquare(w.get(), "e7");
    QVERIFY(w->sPanel5->isVisible());
    QVERIFY(!SelectionActive);
    QTest::mouseClick(w->ref, Qt::LeftButton);
    QCOMPARE(RecordCursor, 1);
    ClickSquare(w.get(), "e7");
    QVERIFY(SelectionActive);
}

void TestGame::navigationNoteInChosenLanguage() {
    GameWindow w;
    QTest::mouseClick(w->sSpeedButton4, Qt::LeftButton);  // de
    StartGame(w.get(), false);
    PlayMove(w.get(), "e2", "e4");
    QVERIFY(w->Label4->text().startsWith("Letzte: "));
    QTest::mouseClick(w->def, Qt::LeftButton);
    QTest::mouseClick(w->ref, Qt::LeftButton);
    const QStringList lines = ListLines(w.get());
    QCOMPARE(lines.first(), QString("Begann..."));
    QCOMPARE(lines.mid(3), QStringList({"zuruck...", "vonstatten..."}));
}

void TestGame::engineMatesThePlayer() {
    GameWindow w;
    StartGame(w.get(), false, "Junior");
    SetBoard(EngineMatesInOne);
    PlayMove(w.get(), "b2", "b3");
    QCOMPARE(w.messages, QStringList{"Mat"});
    QCOMPARE(WorkingPosition.squares[SquareOf("d1")], PieceCode(-5));
    QCOMPARE(w->Label4->text(), QString("Last: Td8-d1"));
    QVERIFY(GameRunning);
    // Nothing of the player's can be selected; stepping back still works.
    ClickSquare(w.get(), "g1");
    QVERIFY(!SelectionActive);
    ClickSquare(w.get(), "h2");
    QVERIFY(!SelectionActive);
    QCOMPARE(Buttons(w.get()), BackOnly);
    QCOMPARE(w.messages.size(), 1);
}

void TestGame::playerMatesTheEngine() {
    GameWindow w;
    StartGame(w.get(), false, "Junior");
    SetBoard(BackRankMate);
    const EngineMove before = ChosenMove;
    PlayMove(w.get(), "a1", "a8");
    QCOMPARE(w.messages, QStringList{"Mat !"});
    QVERIFY(!GameRunning);
    QCOMPARE(RecordLength, 1);
    QCOMPARE(ChosenMove.fromSquare, before.fromSquare);
    QCOMPARE(w->Label4->text(), QString("Test: 4 kill"));  // level 7, material 11: depth 8
    QCOMPARE(w->Label1->text(), QString("Not analyzed."));
    QCOMPARE(Buttons(w.get()), BackOnly);
    // Every later click on the board is ignored, without any notice.
    ClickSquare(w.get(), "g1");
    QVERIFY(!SelectionActive);
    QVERIFY(!w->sPanel5->isVisible());
    QTest::mouseClick(w->def, Qt::LeftButton);
    QCOMPARE(RecordCursor, 0);
    ClickSquare(w.get(), "g1");
    QVERIFY(!SelectionActive);
}

void TestGame::engineStalematesThePlayer() {
    GameWindow w;
    StartGame(w.get(), false, "Junior");
    SetBoard(StalematingReply);
    PlayMove(w.get(), "b1", "a1");
    QCOMPARE(WorkingPosition.squares[SquareOf("c2")], PieceCode(-6));
    QCOMPARE(LegalMoveCount(false), 0);
    QCOMPARE(w.messages, QStringList{"Nulle"});
    QVERIFY(GameRunning);  // the player may still step back
    QCOMPARE(Buttons(w.get()), BackOnly);
}

// A game of knights stepping out and back fills the record; the player's
// move as Black writes entry 200 and the game ends as a draw.
void TestGame::fullRecordAfterThePlayersMove() {
    GameWindow w;
    StartGame(w.get(), true);
    FillRecordWithKnightMoves(199);
    RecordLength = 199;
    RecordCursor = 199;
    SetupNewGame(WorkingPosition);
    w->ReplayRecord(199);
    PlayMove(w.get(), "f6", "g8");
    QCOMPARE(RecordLength, 200);
    QCOMPARE(GameRecord[199].to, SquareOf("g8"));
    QCOMPARE(w.messages, QStringList{"Nulle"});
    QVERIFY(!GameRunning);
    QCOMPARE(ListLines(w.get()).last(), QString("Cf6-g8"));  // shown before the end
    // Navigation still works; a new move is refused.
    QTest::mouseClick(w->def, Qt::LeftButton);
    QCOMPARE(RecordCursor, 199);
    PlayMove(w.get(), "f6", "g8");
    QCOMPARE(RecordLength, 200);
    QCOMPARE(RecordCursor, 199);
    QCOMPARE(w.messages.size(), 1);
}

void TestGame::fullRecordAfterTheEnginesMove() {
    GameWindow w;
    StartGame(w.get(), false, "Junior");
    FillRecordWithKnightMoves(198);
    SetBoard("7k/7p/8/8/8/8/8/R3K3", 198);
    PlayMove(w.get(), "a1", "a8");  // check; the engine's only answer is Kg7
    QCOMPARE(RecordLength, 200);
    QCOMPARE(WorkingPosition.squares[SquareOf("g7")], PieceCode(-1));
    QCOMPARE(w->Label4->text(), QString("Last: Rh8-g7"));
    QCOMPARE(w.messages, QStringList{"Nulle"});
    QVERIFY(!GameRunning);
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
    QVERIFY(Framed(w.get(), SquareName(reply.to).c_str(), EngineFrame));
    DisplayedPosition.squares[SquareOf("e4")] = 0;  // differs from WorkingPosition
    w->resize(800, 600);
    QTRY_COMPARE(w->size(), QSize(630, 499));
    QCOMPARE(w->Image1->geometry(), QRect(12, 0, 481, 481));
    QTRY_COMPARE(PixelAt(w.get(), SquareCentre("e4")), LightSquare);
    QVERIFY(!Framed(w.get(), SquareName(reply.to).c_str(), EngineFrame));
    QCOMPARE(WorkingPosition.squares[SquareOf("e4")], PieceCode(6));
}

QTEST_MAIN(TestGame)
#include "test_game.moc"
