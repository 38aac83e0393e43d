// The board view: the retained drawing surface of the board image, the
// drawing of the board and its vector pieces, and the transforms between
// board squares and screen squares.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "rules/variables.h"

// One outline point of a piece, as a fraction of SquareSize from the centre
// of the square.
struct ShapePoint {
    float x;
    float y;
};

constexpr int ShapePointCapacity = 16;

// The outlines of king, queen, bishop, knight, rook and pawn (row = code - 1),
// each a closed polygon; points beyond a kind's count are zero.
extern const ShapePoint PieceShapeTable[6][ShapePointCapacity];
extern const int PieceShapeCount[6];

extern std::int32_t SquareSize;  // side of one square in pixels
extern std::int32_t BoardTurns;  // quarter turns between board and screen
extern QColor DarkSquareColour;
extern bool ShowAnalysis;  // whether analysis arrows are drawn

extern const QColor LightSquareColour;

// The pen and fill state of the drawing surface and the few operations the
// board view draws with. Every operation paints at once, without
// antialiasing, on integer pixel coordinates.
class TCanvas {
public:
    QImage* surface = nullptr;
    QWidget* view = nullptr;  // repainted after each operation

    QColor penColour = Qt::black;
    int penWidth = 1;
    QColor brushColour = Qt::white;
    bool brushSolid = true;

    void Polygon(const QPoint* points, int count);
    // The rectangle with corners (x1, y1) and (x2, y2), outlined by the pen
    // and filled when the fill style is solid.
    void Rectangle(int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

private:
    QPoint penPosition_;
    void Painted();
};

// The board image: shows its retained picture at the top-left and reports
// mouse button presses with the pixel position inside the image.
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    QImage Picture;  // null until the first drawing
    TCanvas Canvas;
    std::function<void(Qt::MouseButton, int, int)> OnMouseDown;

    // Creates the picture with the image's size at this moment, once.
    void EnsurePicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// Sizes the window for SquareSize and draws the 64 squares and the pieces of
// `position` (only its squares are read).
void DrawBoard(const Position& position);

// Turns board (row, column) into screen coordinates, BoardTurns times.
void BoardToScreen(int& row, int& column);

// Replaces a screen square index by the board Square; row and column receive
// the board row and column.
void ScreenToBoard(int& row, int& column, int& square);

// A straight line between two points, each coordinate rounded halves to even.
void DrawLine(float x1, float y1, float x2, float y2);

// The filled outline of `count` shape points around the centre (cx, cy).
void DrawPieceShape(int centreX, int centreY, const ShapePoint* shape, int count);

// Real coordinate to pixel: nearest integer, halves to the even neighbour.
int RoundPixel(long double value);
