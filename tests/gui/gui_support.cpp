#include "gui_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstring>

#include "engine/platform.h"
#include "game/plateau.h"
#include "rules/Deplacements.h"
#include "rules/fonctions.h"

const QColor Maroon(128, 0, 0);
const QColor EngineFrame(211, 54, 149);
const QColor LightSquare(245, 251, 240);
const QColor DarkSquare(23, 81, 149);

namespace {
void ResetGameState() {
    RecordLength = 0;
    RecordCursor = 0;
    std::memset(static_cast<void*>(PositionHistory), 0, sizeof PositionHistory);
    std::memset(static_cast<void*>(GameRecord), 0, sizeof GameRecord);
    GameRunning = false;
    SelectionActive = false;
    SelectedSquare = 0;
    ShowAnalysis = false;
    StopRequested = false;
    BoardTurns = 0;
    PlayerIsWhite = false;
    NodeCounter = 0;
    ChosenMove = EngineMove{};
    Level = 0;
}
}  // namespace

GameWindow::GameWindow() {
    ResetGameState();
    MessageFunction = [this](const QString& text) { messages << text; };
    form = std::make_unique<TForm1>();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qWarning("the window was not exposed");
}

GameWindow::~GameWindow() {
    form.reset();
    MessageFunction = nullptr;
}

void StartGame(TForm1* form, bool playerIsBlack, const QString& levelName) {
    if (!levelName.isEmpty()) form->sComboBox1->setCurrentIndex(form->sComboBox1->findText(levelName));
    (playerIsBlack ? form->sRadioButton2 : form->sRadioButton1)->setChecked(true);
    QTest::mouseClick(form->sSpeedButton1, Qt::LeftButton);
}

void SetBoard(const char* placement, int plies) {
    Position& p = WorkingPosition;
    std::memset(&p, 0, sizeof p);
    p.enPassantSquare = -1;
    int square = 0;
    for (const char* c = placement; *c && square < 64; ++c) {
        if (*c == '/') continue;
        if (*c >= '1' && *c <= '8') {
            square += *c - '0';
            continue;
        }
        static const char Letters[] = "kqbnrp";
        const char lower = static_cast<char>(*c | 0x20);
        const char* found = std::strchr(Letters, lower);
        if (!found) continue;
        const int kind = static_cast<int>(found - Letters) + 1;
        const bool white = *c != lower;
        p.squares[square] = static_cast<PieceCode>(white ? kind : -kind);
        if (kind == 1) (white ? p.whiteKingSquare : p.blackKingSquare) = static_cast<std::int8_t>(square);
        ++square;
    }
    RecomputeScore();
    DisplayedPosition = WorkingPosition;
    RecordLength = plies;
    RecordCursor = plies;
    DrawBoard(WorkingPosition);
}

int SquareOf(const char* name) { return ParseSquare(name); }

QPoint SquareCentre(const char* name) {
    const int square = ParseSquare(name);
    int row = square / 8;
    int column = square % 8;
    BoardToScreen(row, column);
    return QPoint(column * SquareSize + SquareSize / 2, row * SquareSize + SquareSize / 2);
}

void ClickPixel(TForm1* form, int x, int y, Qt::MouseButton button) {
    QTest::mouseClick(form->Image1, button, Qt::NoModifier, QPoint(x, y));
}

void ClickSquare(TForm1* form, const char* name, Qt::MouseButton button) {
    const QPoint p = SquareCentre(name);
    ClickPixel(form, p.x(), p.y(), button);
}

void PlayMove(TForm1* form, const char* from, const char* to) {
    ClickSquare(form, from);
    ClickSquare(form, to);
}

QColor PixelAt(TForm1* form, int x, int y) { return QColor(form->Image1->Picture.pixel(x, y)); }
QColor PixelAt(TForm1* form, QPoint p) { return PixelAt(form, p.x(), p.y()); }

QStringList ListLines(TForm1* form) {
    QStringList lines;
    for (int i = 0; i < form->sListBox1->count(); ++i) lines << form->sListBox1->item(i)->text();
    return lines;
}

void AnswerPromotion(const QString& caption) {
    // Polls until the dialog is up, then picks the option and confirms.
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, caption] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != QLatin1String("PromotionChoice")) return;
        poll->stop();
        poll->deleteLater();
        for (QRadioButton* option : dialog->findChildren<QRadioButton*>())
            if (option->text() == caption) QTest::mouseClick(option, Qt::LeftButton);
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == QLatin1String("Valider")) QTest::mouseClick(button, Qt::LeftButton);
    });
    poll->start(10);
}

void FillRecordWithKnightMoves(int n) {
    static const char* const Cycle[4][2] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
    for (int i = 0; i < n; ++i) {
        const int from = ParseSquare(Cycle[i % 4][0]);
        const int to = ParseSquare(Cycle[i % 4][1]);
        GameRecord[i] = RecordedMove{from, to, from, (i % 2 == 0) ? 4 : -4};
    }
}
