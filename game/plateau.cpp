#include "game/plateau.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <cmath>

#include "game/Echec1.h"

std::int32_t SquareSize;
std::int32_t BoardTurns;
QColor DarkSquareColour;
bool ShowAnalysis;

const QColor LightSquareColour(245, 251, 240);

const ShapePoint PieceShapeTable[6][ShapePointCapacity] = {
    // king
    {{0.3f, 0.4f}, {0.3f, 0.3f}, {0.2f, 0.3f}, {0.2f, 0.0f}, {0.3f, -0.2f}, {0.2f, -0.2f},
     {0.0f, 0.0f}, {-0.2f, -0.2f}, {-0.3f, -0.2f}, {-0.2f, 0.0f}, {-0.2f, 0.3f}, {-0.3f, 0.3f},
     {-0.3f, 0.4f}},
    // queen
    {{0.3f, 0.4f}, {0.3f, 0.3f}, {0.2f, 0.3f}, {0.2f, 0.0f}, {0.3f, -0.3f}, {0.1f, -0.1f},
     {0.0f, -0.3f}, {-0.1f, -0.1f}, {-0.3f, -0.3f}, {-0.2f, 0.0f}, {-0.2f, 0.3f}, {-0.3f, 0.3f},
     {-0.3f, 0.4f}},
    // bishop
    {{0.3f, 0.4f}, {0.3f, 0.3f}, {0.05f, 0.3f}, {0.05f, 0.0f}, {0.15f, -0.15f}, {0.05f, -0.3f},
     {-0.05f, -0.3f}, {-0.15f, -0.15f}, {-0.05f, 0.0f}, {-0.05f, 0.3f}, {-0.3f, 0.3f},
     {-0.3f, 0.4f}},
    // knight, head to the left
    {{0.3f, 0.4f}, {0.3f, 0.3f}, {0.2f, 0.3f}, {0.2f, 0.0f}, {0.1f, -0.3f}, {0.0f, -0.3f},
     {-0.2f, -0.1f}, {-0.2f, 0.0f}, {0.0f, -0.05f}, {0.0f, 0.1f}, {-0.1f, 0.3f}, {-0.3f, 0.3f},
     {-0.3f, 0.4f}},
    // rook
    {{0.3f, 0.4f}, {0.3f, 0.3f}, {0.15f, 0.3f}, {0.15f, -0.2f}, {0.3f, -0.2f}, {0.3f, -0.4f},
     {0.2f, -0.4f}, {0.2f, -0.3f}, {-0.2f, -0.3f}, {-0.2f, -0.4f}, {-0.3f, -0.4f},
     {-0.3f, -0.2f}, {-0.15f, -0.2f}, {-0.15f, 0.3f}, {-0.3f, 0.3f}, {-0.3f, 0.4f}},
    // pawn
    {{0.2f, 0.4f}, {0.2f, 0.3f}, {0.05f, 0.3f}, {0.05f, 0.1f}, {0.1f, 0.1f}, {0.1f, -0.1f},
     {-0.1f, -0.1f}, {-0.1f, 0.1f}, {-0.05f, 0.1f}, {-0.05f, 0.3f}, {-0.2f, 0.3f},
     {-0.2f, 0.4f}},
};
const int PieceShapeCount[6] = {13, 13, 12, 13, 16, 12};

int RoundPixel(long double value) {
    // The default rounding mode rounds halves to the even neighbour.
    return static_cast<int>(std::nearbyint(value));
}

// ---- the drawing surface ----

namespace {
QPainter* OpenPainter(QPainter& painter, const TCanvas& canvas, bool filled) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(canvas.penColour);
    pen.setWidth(canvas.penWidth);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    if (filled && canvas.brushSolid)
        painter.setBrush(canvas.brushColour);
    else
        painter.setBrush(Qt::NoBrush);
    return &painter;
}
}  // namespace

void TCanvas::Painted() {
    if (view) view->update();
}

void TCanvas::Polygon(const QPoint* points, int count) {
    if (!surface || surface->isNull()) return;
    QPainter painter(surface);
    OpenPainter(painter, *this, true)->drawPolygon(points, count);
    // Aliased strokes may leave out a corner pixel; the outline keeps all.
    painter.drawPoints(points, count);
    Painted();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (!surface || surface->isNull()) return;
    QPainter painter(surface);
    OpenPainter(painter, *this, true)->drawRect(QRect(x1, y1, x2 - x1, y2 - y1));
    Painted();
}

void TCanvas::MoveTo(int x, int y) { penPosition_ = QPoint(x, y); }

void TCanvas::LineTo(int x, int y) {
    const QPoint to(x, y);
    if (surface && !surface->isNull()) {
        QPainter painter(surface);
        OpenPainter(painter, *this, false)->drawLine(penPosition_, to);
        Painted();
    }
    penPosition_ = to;
}

TImage::TImage(QWidget* parent) : QWidget(parent) {
    Canvas.surface = &Picture;
    Canvas.view = this;
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImage::EnsurePicture() {
    if (!Picture.isNull()) return;
    Picture = QImage(width(), height(), QImage::Format_RGB32);
    Picture.fill(Qt::white);
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!Picture.isNull()) painter.drawImage(0, 0, Picture);
}

void TImage::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (OnMouseDown) OnMouseDown(event->button(), p.x(), p.y());
}

// ---- coordinates ----

void BoardToScreen(int& row, int& column) {
    for (int turn = 0; turn < BoardTurns; ++turn) {
        const int oldRow = row;
        row = column;
        column = 7 - oldRow;
    }
}

void ScreenToBoard(int& row, int& column, int& square) {
    row = square / 8;
    column = square % 8;
    for (int turn = 0; turn < BoardTurns; ++turn) {
        const int oldRow = row;
        row = 7 - column;
        column = oldRow;
    }
    square = row * 8 + column;
}

// ---- drawing ----

void DrawLine(float x1, float y1, float x2, float y2) {
    TCanvas& canvas = Form1->Image1->Canvas;
    canvas.MoveTo(RoundPixel(x1), RoundPixel(y1));
    canvas.LineTo(RoundPixel(x2), RoundPixel(y2));
}

void DrawPieceShape(int centreX, int centreY, const ShapePoint* shape, int count) {
    QPoint points[ShapePointCapacity];
    if (count > ShapePointCapacity) count = ShapePointCapacity;
    const long double s = SquareSize;
    for (int i = 0; i < count; ++i)
        points[i] = QPoint(centreX + RoundPixel(s * static_cast<long double>(shape[i].x)),
                           centreY + RoundPixel(s * static_cast<long double>(shape[i].y)));
    Form1->Image1->Canvas.Polygon(points, count);
}

namespace {
// The slit across a bishop's head, in the outline colour.
void DrawBishopSlit(int cx, int cy) {
    const float s = static_cast<float>(SquareSize);
    const float d = 0.032f * s;
    const float e = 0.15f * s;
    const float x = static_cast<float>(cx);
    const float y = static_cast<float>(cy);
    DrawLine(x - 2 * d, y - 3 * d - e, x + 2 * d, y + 3 * d - e);
}

// The cross above a king's crown: a wide stroke in the outline colour under
// a narrower one in the fill colour.
void DrawKingCross(int cx, int cy, const QColor& outline, const QColor& fill) {
    TCanvas& canvas = Form1->Image1->Canvas;
    const float s = static_cast<float>(SquareSize);
    const float x = static_cast<float>(cx);
    const float y = static_cast<float>(cy);
    const auto strokes = [&] {
        DrawLine(x, y - 0.1f * s, x, y - 0.3f * s);
        DrawLine(x - 0.1f * s, y - 0.2f * s, x + 0.1f * s, y - 0.2f * s);
    };
    canvas.penColour = outline;
    canvas.penWidth = 5;
    strokes();
    canvas.penColour = fill;
    canvas.penWidth = 3;
    strokes();
    canvas.penWidth = 1;
}
}  // namespace

void DrawBoard(const Position& position) {
    TForm1* form = Form1;
    TImage* image = form->Image1;
    TCanvas& canvas = image->Canvas;
    const int s = SquareSize;

    // 1. The window and the image follow the square size; the picture keeps
    // the size of its first drawing.
    form->SetClientSize(8 * s + form->sPanel1->width() + 13, 8 * s + 19);
    image->resize(8 * s, 8 * s);
    image->EnsurePicture();
    form->AlignControls();

    for (int i = 0; i < 64; ++i) {
        int row = i / 8;
        int column = i % 8;
        BoardToScreen(row, column);

        // 2. The square, outlined by the black grid pen.
        const bool dark = (((BoardTurns & 1) ^ ((row + column) & 1)) == 1);
        canvas.brushColour = dark ? DarkSquareColour : LightSquareColour;
        canvas.brushSolid = true;
        const QPoint corners[4] = {{column * s, row * s},
                                   {column * s, (row + 1) * s},
                                   {(column + 1) * s, (row + 1) * s},
                                   {(column + 1) * s, row * s}};
        canvas.Polygon(corners, 4);

        // 3. The piece, upright whatever the orientation.
        const int cx = RoundPixel((column + 0.5L) * s);
        const int cy = RoundPixel((row + 0.5L) * s);
        const int code = position.squares[i];
        const QColor fill = code < 0 ? QColor(Qt::black) : QColor(Qt::white);
        const QColor outline = code < 0 ? QColor(Qt::white) : QColor(Qt::black);
        canvas.brushColour = fill;
        canvas.penColour = outline;
        const int kind = code < 0 ? -code : code;
        if (kind >= 1 && kind <= 6) {
            DrawPieceShape(cx, cy, PieceShapeTable[kind - 1], PieceShapeCount[kind - 1]);
            if (kind == 3) DrawBishopSlit(cx, cy);
            if (kind == 1) DrawKingCross(cx, cy, outline, fill);
        }
        canvas.brushSolid = false;
        canvas.penColour = Qt::black;
    }
    canvas.penWidth = 1;
}

// ---- window handlers of the board view ----

void TForm1::FormResize() { DrawBoard(DisplayedPosition); }

void TForm1::sCheckBox1Click() { ShowAnalysis = !ShowAnalysis; }
