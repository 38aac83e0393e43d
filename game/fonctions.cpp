#include "game/fonctions.h"

#include <cmath>

#include "game/Echec1.h"
#include "game/plateau.h"
#include "rules/fonctions.h"

const QColor PlayerMoveColour(128, 0, 0);
const QColor EngineMoveColour(211, 54, 149);

namespace {
// The French letter of a piece code, either colour; empty for a pawn.
std::string PieceLetter(int code) {
    switch (code < 0 ? -code : code) {
        case 1: return "R";
        case 2: return "D";
        case 3: return "F";
        case 4: return "C";
        case 5: return "T";
        default: return "";
    }
}

std::string Notation(int letterCode, int from, int to, bool capture) {
    std::string text;
    text.reserve(12);
    text.append(PieceLetter(letterCode));
    text.append(SquareName(from));
    text.push_back(capture ? 'x' : '-');
    text.append(SquareName(to));
    if (text.size() > 12) text.resize(12);
    return text;
}

// Centre pixel of a board square on the screen.
QPoint SquareCentre(int square) {
    int row = square / 8;
    int column = square % 8;
    BoardToScreen(row, column);
    return QPoint(RoundPixel((column + 0.5L) * SquareSize), RoundPixel((row + 0.5L) * SquareSize));
}
}  // namespace

std::string MoveTextBefore(int from, int to) {
    const int moving = WorkingPosition.squares[from];
    const int target = WorkingPosition.squares[to];
    return Notation(moving, from, to, moving * target < 0);
}

std::string MoveTextAfter(int from, int to, bool captured) {
    return Notation(WorkingPosition.squares[to], from, to, captured);
}

void OutlineSquare(int row, int column, const QColor& colour) {
    TCanvas& canvas = Form1->Image1->Canvas;
    const int s = SquareSize;
    BoardToScreen(row, column);
    canvas.penColour = colour;
    canvas.penWidth = 3;
    canvas.Rectangle(column * s, row * s, (column + 1) * s, (row + 1) * s);
    canvas.penColour = Qt::black;
    canvas.penWidth = 1;
}

void OutlineTargets() {
    for (int i = 0; i < MoveBuffer.count; ++i) {
        const int target = MoveBuffer.entries[i].toSquare;
        OutlineSquare(target / 8, target % 8, PlayerMoveColour);
    }
}

void DrawMoveArrow(int from, int to, const QColor& colour) {
    const QPoint tail = SquareCentre(from);
    const QPoint tip = SquareCentre(to);
    const int dx = tip.x() - tail.x();
    const int dy = tip.y() - tail.y();
    const float length = std::sqrt(static_cast<float>(dx * dx + dy * dy));
    if (length == 0.0f || !ShowAnalysis) return;
    const float ux = static_cast<float>(dx) / length;
    const float uy = static_cast<float>(dy) / length;

    TCanvas& canvas = Form1->Image1->Canvas;
    canvas.penWidth = 1;
    canvas.penColour = colour;
    canvas.MoveTo(tail.x(), tail.y());
    canvas.LineTo(tip.x(), tip.y());
    const long double x2 = tip.x();
    const long double y2 = tip.y();
    canvas.MoveTo(tip.x(), tip.y());
    canvas.LineTo(RoundPixel(x2 - 10.0L * ux + 8.0L * uy), RoundPixel(y2 - 10.0L * uy - 8.0L * ux));
    canvas.MoveTo(tip.x(), tip.y());
    canvas.LineTo(RoundPixel(x2 - 10.0L * ux - 8.0L * uy), RoundPixel(y2 - 10.0L * uy + 8.0L * ux));
    canvas.penColour = Qt::black;
    canvas.penWidth = 1;
}
