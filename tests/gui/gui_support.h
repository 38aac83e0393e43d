// What the GUI tests share: a fresh window per test with its end-of-game
// messages recorded, positions set from a board diagram, clicks on board
// squares, and pixels read off the board picture.
#pragma once

#include <QColor>
#include <QPoint>
#include <QStringList>

#include <memory>

#include "game/Echec1.h"

// A shown main window on freshly zeroed game state. Messages that would open
// a modal box are recorded in `messages` instead.
class GameWindow {
public:
    GameWindow();
    ~GameWindow();
    TForm1* operator->() const { return form.get(); }
    TForm1* get() const { return form.get(); }

    std::unique_ptr<TForm1> form;
    QStringList messages;
};

// START with a colour and, optionally, a level name of the current language.
void StartGame(TForm1* form, bool playerIsBlack, const QString& levelName = QString());

// Replaces the position on the board by a FEN piece placement ("8/8/..."),
// without castling or en passant rights, and shows it. RecordCursor and
// RecordLength become `plies`, whose parity says who is to move.
void SetBoard(const char* placement, int plies = 0);

// Pixel centre of a board square ("e2") on the screen, for BoardTurns.
QPoint SquareCentre(const char* name);
int SquareOf(const char* name);

// A left (or other) click on the centre of a board square.
void ClickSquare(TForm1* form, const char* name, Qt::MouseButton button = Qt::LeftButton);
void ClickPixel(TForm1* form, int x, int y, Qt::MouseButton button = Qt::LeftButton);

// The player's move by two clicks.
void PlayMove(TForm1* form, const char* from, const char* to);

// The board picture's colour at a pixel.
QColor PixelAt(TForm1* form, int x, int y);
QColor PixelAt(TForm1* form, QPoint p);

// The lines of the move list.
QStringList ListLines(TForm1* form);

// Answers the next promotion dialog with the option of this caption.
void AnswerPromotion(const QString& caption);

// Fills entries 1..n of the record with knights stepping out and back
// (g1-f3, g8-f6, f3-g1, f6-g8, ...), all legal from the initial position.
void FillRecordWithKnightMoves(int n);

extern const QColor Maroon;       // targets and the player's move
extern const QColor EngineFrame;  // the engine's move
extern const QColor LightSquare;
extern const QColor DarkSquare;
