// The board drawing read back pixel by pixel: squares and grid in both
// orientations, piece outlines and strokes, frames and arrows.
#include <QTest>

#include "game/fonctions.h"
#include "game/plateau.h"
#include "gui_support.h"
#include "rules/fonctions.h"

class TestBoardView : public QObject {
    Q_OBJECT

private slots:
    void windowAndPictureSizes();
    void transformsAreInverse();
    void squareColoursAndGrid_data();
    void squareColoursAndGrid();
    void pieceOutlinePoints_data();
    void pieceOutlinePoints();
    void kingCross_data();
    void kingCross();
    void bishopSlit();
    void frames_data();
    void frames();
    void arrowHead();
};

// Start-up draws with 95-pixel squares first, so the picture stays large
// enough for them; the working board then uses 60 and the client area
// ends at 630 x 499.
void TestBoardView::windowAndPictureSizes() {
    GameWindow w;
    QCOMPARE(w->Image1->Picture.size(), QSize(760, 760));
    QCOMPARE(SquareSize, 60);
    QCOMPARE(w->size(), QSize(630, 499));
}

void TestBoardView::transformsAreInverse() {
    const int saved = BoardTurns;
    for (int turns = 0; turns <= 4; ++turns) {
        BoardTurns = turns;
        for (int square = 0; square < 64; ++square) {
            int row = square / 8;
            int column = square % 8;
            BoardToScreen(row, column);
            int screen = row * 8 + column;
            int r = 0;
            int c = 0;
            ScreenToBoard(r, c, screen);
            QCOMPARE(screen, square);
        }
    }
    // Two turns put h1 at the top-left.
    BoardTurns = 2;
    int row = 7;
    int column = 7;
    BoardToScreen(row, column);
    QCOMPARE(row * 8 + column, 0);
    BoardTurns = saved;
}

void TestBoardView::squareColoursAndGrid_data() {
    QTest::addColumn<int>("turns");
    QTest::addColumn<QString>("topLeft");  // the square drawn at screen (0, 0)
    QTest::newRow("White at the bottom") << 0 << "a8";
    QTest::newRow("Black at the bottom") << 2 << "h1";
}

void TestBoardView::squareColoursAndGrid() {
    QFETCH(int, turns);
    QFETCH(QString, topLeft);
    GameWindow w;
    BoardTurns = turns;
    SetBoard("8/8/8/8/8/8/8/8");
    QCOMPARE(SquareCentre(topLeft.toLatin1().constData()), QPoint(30, 30));
    // a8 and h1 are light in both orientations, their neighbours dark.
    QCOMPARE(PixelAt(w.get(), SquareCentre("a8")), LightSquare);
    QCOMPARE(PixelAt(w.get(), SquareCentre("h1")), LightSquare);
    QCOMPARE(PixelAt(w.get(), SquareCentre("b8")), DarkSquare);
    QCOMPARE(PixelAt(w.get(), SquareCentre("a1")), DarkSquare);
    QCOMPARE(PixelAt(w.get(), 1, 1), LightSquare);
    QCOMPARE(PixelAt(w.get(), 59, 59), LightSquare);
    // The black grid runs every 60 pixels, from 0 to 480 inclusive.
    for (int k = 0; k <= 8; ++k) {
        QCOMPARE(PixelAt(w.get(), 60 * k, 45), QColor(Qt::black));
        QCOMPARE(PixelAt(w.get(), 45, 60 * k), QColor(Qt::black));
    }
    QCOMPARE(PixelAt(w.get(), 61, 45), DarkSquare);
    // Codes outside -6..6 draw only the square.
    WorkingPosition.squares[0] = 7;
    WorkingPosition.squares[1] = -7;
    DrawBoard(WorkingPosition);
    QCOMPARE(PixelAt(w.get(), SquareCentre("a8")), LightSquare);
    QCOMPARE(PixelAt(w.get(), SquareCentre("b8") + QPoint(0, 21)), DarkSquare);
}

void TestBoardView::pieceOutlinePoints_data() {
    QTest::addColumn<QString>("placement");
    QTest::addColumn<QString>("square");
    QTest::addColumn<QColor>("outline");
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QList<QPoint>>("vertices");  // offsets from the centre
    QTest::addColumn<QList<QPoint>>("inside");
    // At 60 pixels a pawn's base runs from (-12, 18) to (12, 24) and its
    // head from -6 to 6.
    const QList<QPoint> pawnVertices = {{12, 24}, {12, 18}, {3, 18}, {3, 6}, {6, 6}, {6, -6},
                                        {-6, -6}, {-6, 6}, {-3, 6}, {-3, 18}, {-12, 18}, {-12, 24}};
    const QList<QPoint> pawnInside = {{0, 21}, {0, 0}, {0, 12}};
    QTest::newRow("white pawn on e2") << "8/8/8/8/8/8/4P3/8" << "e2" << QColor(Qt::black)
                                      << QColor(Qt::white) << pawnVertices << pawnInside;
    QTest::newRow("black pawn on d7") << "8/3p4/8/8/8/8/8/8" << "d7" << QColor(Qt::white)
                                      << QColor(Qt::black) << pawnVertices << pawnInside;
    // The rook's battlements reach 0.4 above the centre; its tower is 9 wide.
    QTest::newRow("white rook on a1")
        << "8/8/8/8/8/8/8/R7" << "a1" << QColor(Qt::black) << QColor(Qt::white)
        << QList<QPoint>{{18, 24}, {9, -12}, {18, -24}, {12, -24}, {12, -18}, {-12, -18}, {-18, -24}}
        << QList<QPoint>{{0, 0}, {15, -21}, {-15, -21}};
    // The knight's head faces left for both colours.
    QTest::newRow("black knight on g8")
        << "6n1/8/8/8/8/8/8/8" << "g8" << QColor(Qt::white) << QColor(Qt::black)
        << QList<QPoint>{{6, -18}, {0, -18}, {-12, -6}, {-12, 0}, {0, -3}, {0, 6}, {-6, 18}}
        << QList<QPoint>{{-10, -5}, {5, 0}, {0, 21}};
}

void TestBoardView::pieceOutlinePoints() {
    QFETCH(QString, placement);
    QFETCH(QString, square);
    QFETCH(QColor, outline);
    QFETCH(QColor, fill);
    QFETCH(QList<QPoint>, vertices);
    QFETCH(QList<QPoint>, inside);
    GameWindow w;
    SetBoard(placement.toLatin1().constData());
    const QPoint centre = SquareCentre(square.toLatin1().constData());
    for (const QPoint& v : vertices) QCOMPARE(PixelAt(w.get(), centre + v), outline);
    for (const QPoint& p : inside) QCOMPARE(PixelAt(w.get(), centre + p), fill);
}

void TestBoardView::kingCross_data() {
    QTest::addColumn<QString>("placement");
    QTest::addColumn<QString>("square");
    QTest::addColumn<QColor>("outline");
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QColor>("background");
    QTest::newRow("white king on e1") << "8/8/8/8/8/8/8/4K3" << "e1" << QColor(Qt::black)
                                      << QColor(Qt::white) << DarkSquare;
    QTest::newRow("black king on e8") << "4k3/8/8/8/8/8/8/8" << "e8" << QColor(Qt::white)
                                      << QColor(Qt::black) << LightSquare;
}

// The cross stands in the notch of the crown: vertical from -6 to -18,
// horizontal from -6 to 6 at -12, in the fill colour with a one-pixel
// border of the outline colour.
void TestBoardView::kingCross() {
    QFETCH(QString, placement);
    QFETCH(QString, square);
    QFETCH(QColor, outline);
    QFETCH(QColor, fill);
    QFETCH(QColor, background);
    GameWindow w;
    SetBoard(placement.toLatin1().constData());
    const QPoint c = SquareCentre(square.toLatin1().constData());
    for (int dy : {-8, -15, -17}) {
        QCOMPARE(PixelAt(w.get(), c + QPoint(0, dy)), fill);
        QCOMPARE(PixelAt(w.get(), c + QPoint(1, dy)), fill);
        QCOMPARE(PixelAt(w.get(), c + QPoint(2, dy)), outline);
        QCOMPARE(PixelAt(w.get(), c + QPoint(-2, dy)), outline);
    }
    QCOMPARE(PixelAt(w.get(), c + QPoint(0, -19)), fill);   // the 3-pixel stroke's end
    QCOMPARE(PixelAt(w.get(), c + QPoint(0, -20)), outline);  // its border
    QCOMPARE(PixelAt(w.get(), c + QPoint(0, -23)), background);
    for (int dx : {-6, 6}) {
        QCOMPARE(PixelAt(w.get(), c + QPoint(dx, -12)), fill);
        QCOMPARE(PixelAt(w.get(), c + QPoint(dx, -14)), outline);
        QCOMPARE(PixelAt(w.get(), c + QPoint(dx, -10)), outline);
    }
    QCOMPARE(PixelAt(w.get(), c + QPoint(-4, -16)), background);
}

// A slit from (-4, -15) to (4, -3) across the head, in the outline colour.
void TestBoardView::bishopSlit() {
    GameWindow w;
    SetBoard("8/8/8/8/8/8/8/2B2b2");
    for (const char* name : {"c1", "f1"}) {
        const bool white = QByteArray(name) == "c1";
        const QColor outline = white ? QColor(Qt::black) : QColor(Qt::white);
        const QColor fill = white ? QColor(Qt::white) : QColor(Qt::black);
        const QPoint c = SquareCentre(name);
        QCOMPARE(PixelAt(w.get(), c + QPoint(-4, -15)), outline);
        QCOMPARE(PixelAt(w.get(), c + QPoint(0, -9)), outline);
        QCOMPARE(PixelAt(w.get(), c + QPoint(4, -3)), outline);
        QCOMPARE(PixelAt(w.get(), c + QPoint(3, -9)), fill);
        QCOMPARE(PixelAt(w.get(), c + QPoint(-3, -9)), fill);
    }
}

void TestBoardView::frames_data() {
    QTest::addColumn<int>("turns");
    QTest::addColumn<QRect>("cell");  // screen rectangle of e4
    QTest::newRow("White at the bottom") << 0 << QRect(240, 240, 60, 60);
    QTest::newRow("Black at the bottom") << 2 << QRect(180, 180, 60, 60);
}

// A 3-pixel frame centred on the square's edge, drawn over the picture.
void TestBoardView::frames() {
    QFETCH(int, turns);
    QFETCH(QRect, cell);
    GameWindow w;
    BoardTurns = turns;
    SetBoard("8/8/8/8/8/8/8/8");
    const int e4 = SquareOf("e4");
    OutlineSquare(e4 / 8, e4 % 8, Maroon);
    const int x = cell.left();
    const int y = cell.top() + 30;
    for (int dx : {-1, 0, 1}) QCOMPARE(PixelAt(w.get(), x + dx, y), Maroon);
    for (int dx : {-1, 0, 1}) QCOMPARE(PixelAt(w.get(), x + 60 + dx, y), Maroon);
    QCOMPARE(PixelAt(w.get(), x + 30, cell.top()), Maroon);
    QCOMPARE(PixelAt(w.get(), x + 30, cell.top() + 60), Maroon);
    QCOMPARE(PixelAt(w.get(), x + 60, cell.top() + 60), Maroon);  // full corners
    QCOMPARE(PixelAt(w.get(), x + 2, y), LightSquare);  // e4 is light
    QCOMPARE(PixelAt(w.get(), x + 30, y), LightSquare);  // no fill
}

// a1 to h1 with White at the bottom: the head strokes end 10 pixels short
// of the tip and 8 above and below the shaft.
void TestBoardView::arrowHead() {
    GameWindow w;
    SetBoard("8/8/8/8/8/8/8/8");
    ShowAnalysis = true;
    const QColor blue(0, 0, 255);
    DrawMoveArrow(SquareOf("a1"), SquareOf("h1"), blue);
    QCOMPARE(PixelAt(w.get(), 30, 450), blue);
    QCOMPARE(PixelAt(w.get(), 240, 450), blue);
    QCOMPARE(PixelAt(w.get(), 450, 450), blue);
    QCOMPARE(PixelAt(w.get(), 440, 442), blue);
    QCOMPARE(PixelAt(w.get(), 440, 458), blue);
    QCOMPARE(PixelAt(w.get(), 445, 446), blue);
    QVERIFY(PixelAt(w.get(), 440, 440) != blue);
    QVERIFY(PixelAt(w.get(), 451, 450) != blue);
    // A diagonal arrow e2-g4: tip at (390, 270), unit vector (1, -1)/sqrt 2.
    DrawMoveArrow(SquareOf("e2"), SquareOf("g4"), blue);
    QCOMPARE(PixelAt(w.get(), 390 - 13, 270 + 1), blue);  // round(390 - 7.07 - 5.66), round(270 + 7.07 - 5.66)
    QCOMPARE(PixelAt(w.get(), 390 - 1, 270 + 13), blue);

    // No arrow while the analysis is hidden, nor from a square to itself.
    const QImage before = w->Image1->Picture.copy();
    DrawMoveArrow(SquareOf("c3"), SquareOf("c3"), blue);
    ShowAnalysis = false;
    DrawMoveArrow(SquareOf("a1"), SquareOf("h8"), blue);
    QCOMPARE(w->Image1->Picture, before);
}

QTEST_MAIN(TestBoardView)
#include "test_board_view.moc"
