// The game controller of TForm1: start-up, START, the player's two clicks,
// the engine's turn, the promotion dialog and the navigation through the
// game. Everything runs on the GUI thread inside the window's handlers.
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <cstring>

#include "engine/fonctions.h"
#include "engine/platform.h"
#include "engine/recherchedecoups.h"
#include "game/Echec1.h"
#include "game/fonctions.h"
#include "game/plateau.h"
#include "rules/Deplacements.h"
#include "rules/fonctions.h"

bool SelectionActive;
Square SelectedSquare;

namespace {

bool IsPlayerPiece(int code) { return PlayerIsWhite ? code > 0 : code < 0; }
bool IsEnginePiece(int code) { return PlayerIsWhite ? code < 0 : code > 0; }

// The side flags (White 0, Black 1) of the two parties.
int EngineSide() { return PlayerIsWhite ? Black : White; }

// Whether the king of the side to move (blackToMove) is attacked.
bool KingAttacked(bool blackToMove) {
    return blackToMove ? IsSquareAttacked(WorkingPosition.blackKingSquare, -1, false)
                       : IsSquareAttacked(WorkingPosition.whiteKingSquare, +1, false);
}

bool RecordFull() { return RecordLength >= GameRecordCapacity; }

// The screen square under a pixel of the board image, or -1 outside the 64
// squares.
int ScreenSquareAt(int x, int y) {
    const int side = 8 * SquareSize;
    if (x < 0 || y < 0 || x >= side || y >= side) return -1;
    return x / SquareSize + 8 * (y / SquareSize);
}

int BoardSquareAt(int x, int y) {
    int square = ScreenSquareAt(x, y);
    if (square < 0) return -1;
    int row = 0;
    int column = 0;
    ScreenToBoard(row, column, square);
    return square;
}

void FrameMove(int first, int second, const QColor& colour) {
    OutlineSquare(first / 8, first % 8, colour);
    OutlineSquare(second / 8, second % 8, colour);
}

}  // namespace

bool TForm1::PlayerToMove() const { return (RecordCursor % 2 == 0) == PlayerIsWhite; }

bool FindTarget(Square square, int& clearSquare) {
    for (int i = 0; i < MoveBuffer.count; ++i) {
        if (MoveBuffer.entries[i].toSquare == square) {
            clearSquare = MoveBuffer.entries[i].clearSquare;
            return true;
        }
    }
    return false;
}

int PromotionChoice() {
    struct Option {
        const char* caption;
        int kind;
    };
    static const Option Options[4] = {{"Reine ?", 2}, {"Tour ?", 5}, {"Fou ?", 3}, {"Cavalier ?", 4}};

    QDialog dialog(Form1);
    dialog.setObjectName(QStringLiteral("PromotionChoice"));
    dialog.setWindowTitle(QStringLiteral("Kelvra Chess"));
    dialog.setFixedSize(157, 172);
    QRadioButton* buttons[4];
    for (int i = 0; i < 4; ++i) {
        buttons[i] = new QRadioButton(QString::fromLatin1(Options[i].caption), &dialog);
        buttons[i]->setGeometry(48, 8 + 24 * i, 100, 17);
    }
    buttons[0]->setChecked(true);
    QPushButton* confirm = new QPushButton(QStringLiteral("Valider"), &dialog);
    confirm->setGeometry(40, 104, 75, 25);
    confirm->setDefault(true);
    QObject::connect(confirm, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
    for (int i = 0; i < 4; ++i)
        if (buttons[i]->isChecked()) return Options[i].kind;
    return 2;
}

// ---- start-up and START ----

void TForm1::FormCreate() {
    InstallPlatformHooks();
    SeedRandomFromClock();
    DarkSquareColour = QColor(23, 81, 149);
    move(10, 10);  // Qt paints double-buffered already
    SetupNewGame(WorkingPosition);
    SquareSize = 95;
    DrawBoard(WorkingPosition);
    SquareSize = 60;
    DrawBoard(WorkingPosition);
    Level = 8;
    GameRunning = false;
    BoardTurns = 0;
    SetLanguage(1);
}

void TForm1::sSpeedButton1Click() {
    static const char* const Ratings[7] = {"ELO: 1000", "ELO: 1200", "ELO: 1600", "ELO: 2000",
                                           "ELO: 2200", "ELO: 2700", "ELO: 3000"};
    // 1-2. The strength: the combo box's text against the seven level names.
    Level = 8;
    const QString chosen = sComboBox1->currentText();
    for (int k = 1; k <= 7; ++k)
        if (chosen == LocalisedTexts[LevelName1 + k - 1]) Level = 6 + k;
    SetLabelText(Label5, QString::fromLatin1(Ratings[Level - 7]));

    // 3. A new game, the same for both colours.
    std::memset(static_cast<void*>(PositionHistory), 0, sizeof PositionHistory);
    RecordLength = 0;
    RecordCursor = 0;
    SetupNewGame(WorkingPosition);

    if (!sRadioButton2->isChecked()) {
        PlayerIsWhite = true;
        BoardTurns = 0;
        DrawBoard(WorkingPosition);
    } else {
        // 5. The engine opens at once with one of five first moves, e2-e4 three
        // times as often as each of the others; no book, no search, no text.
        PlayerIsWhite = false;
        BoardTurns = 2;
        static const char* const FirstMoves[7][2] = {{"e2", "e4"}, {"e2", "e4"}, {"e2", "e4"},
                                                     {"d2", "d4"}, {"f2", "f4"}, {"c2", "c4"},
                                                     {"b2", "b4"}};
        const int r = RandomBelow(7);
        const int from = ParseSquare(FirstMoves[r][0]);
        const int to = ParseSquare(FirstMoves[r][1]);
        MakeMove(from, to, from);
        DrawBoard(WorkingPosition);
        RecordMove(from, to, from);
        // A resize redraws the displayed position, which must show this move.
        DisplayedPosition = WorkingPosition;
    }

    GameRunning = true;
    sPanel2->hide();
    sPanel1->show();
    Image1->show();
    sPanel4->show();
    sPanel3->show();
    AppendMoveLine(LocalisedTexts[GameStartNote]);
}

// ---- the player's move ----

void TForm1::Image1MouseDown(Qt::MouseButton button, int x, int y) {
    // 1-2. Game over: ignored. Not the player's turn: the notice, whose timer
    // is not restarted by further clicks.
    if (!GameRunning) return;
    if (!PlayerToMove()) {
        sPanel5->show();
        if (!Timer2->isActive()) Timer2->start();
        return;
    }

    if (button == Qt::LeftButton) {
        if (!SelectionActive) {
            // 4. First click: select one of the player's pieces and frame its
            // targets. A click outside the 64 squares is ignored like one on
            // an empty square.
            const int square = BoardSquareAt(x, y);
            if (square < 0) return;
            SelectedSquare = square;
            if (!IsPlayerPiece(WorkingPosition.squares[SelectedSquare])) return;
            MoveBuffer.count = 0;
            BuildAttackMap(EngineSide());
            GeneratePieceMoves(SelectedSquare);
            OutlineTargets();
            SelectionActive = MoveBuffer.count > 0;
        } else {
            // 5. Second click: play the move to a framed target, or cancel.
            SetNavigationButtons(false, false, false, false);
            SelectionActive = false;
            const int target = BoardSquareAt(x, y);
            int clear = 0;
            if (target < 0 || !FindTarget(target, clear)) {
                DrawBoard(WorkingPosition);
            } else {
                const int moving = WorkingPosition.squares[SelectedSquare];
                const bool promotion = (PlayerIsWhite && target <= 7 && moving == 6) ||
                                       (!PlayerIsWhite && target >= 56 && moving == -6);
                const bool captured = IsEnginePiece(WorkingPosition.squares[target]);
                MakeMove(SelectedSquare, target, clear);
                if (promotion) {
                    const int kind = PromotionChoice();
                    WorkingPosition.squares[target] = static_cast<PieceCode>(PlayerIsWhite ? kind : -kind);
                    RecomputeScore();
                }
                AppendMoveLine(QString::fromStdString(MoveTextAfter(SelectedSquare, target, captured)));
                RecordMove(SelectedSquare, target, clear);
                PushHistory();
                DrawBoard(WorkingPosition);
                FrameMove(SelectedSquare, target, PlayerMoveColour);
                if (RecordFull()) {
                    // No engine turn follows to show the move: a resize must
                    // still draw it.
                    DisplayedPosition = WorkingPosition;
                    EndGameWhenRecordFull(true);
                } else {
                    EngineTurn();
                }
            }
        }
    }
    // 6. Back only.
    SetNavigationButtons(true, true, false, false);
}

// The record has no room for another move: the game ends. The engine, if it
// is to move, may be mated; otherwise the game is a draw.
void TForm1::EndGameWhenRecordFull(bool engineToMove) {
    bool mated = false;
    if (engineToMove) {
        const bool engineIsBlack = PlayerIsWhite;
        GenerateAllMoves(engineIsBlack);
        mated = MoveBuffer.count == 0 && KingAttacked(engineIsBlack);
    }
    GameRunning = false;
    ShowGameMessage(mated ? QStringLiteral("Mat !") : QStringLiteral("Nulle"));
}

// ---- the engine's turn ----

void TForm1::EngineTurn() {
    // 1-9. Plan the depth, show it, and let the book or the search decide.
    SStop->setEnabled(true);
    DisplayedPosition = WorkingPosition;
    SetNavigationButtons(false, false, false, false);
    PlanEngineTurn();
    const QString depth = LocalisedTexts[DepthPrefix] +
                          QString::fromStdString(GroupDigits(static_cast<std::uint64_t>(SearchDepth / 2))) +
                          (SearchDepth % 2 != 0 ? QStringLiteral(".5") : QString()) +
                          LocalisedTexts[DepthSuffix];
    SetLabelText(Label4, depth);
    engineThinking_ = true;
    DecideEngineMove(true);
    engineThinking_ = false;
    if (closing_) {
        // The window was closed during the search: nothing more is played.
        SStop->setEnabled(false);
        return;
    }

    if (GameRunning) {
        // 10. Play, record and show the engine's move.
        const EngineMove move = ChosenMove;
        const QString notation = QString::fromStdString(MoveTextBefore(move.fromSquare, move.toSquare));
        MakeMove(move.fromSquare, move.toSquare, move.clearSquare);
        PushHistory();
        RecordMove(move.fromSquare, move.toSquare, move.clearSquare);
        DrawBoard(WorkingPosition);
        DisplayedPosition = WorkingPosition;
        FrameMove(move.toSquare, move.fromSquare, EngineMoveColour);
        SetLabelText(Label4, LocalisedTexts[LastMovePrefix] + notation);
        AppendMoveLine(notation);

        // 11. The player without a legal move: mated, or stalemated.
        const bool playerIsBlack = !PlayerIsWhite;
        const bool inCheck = KingAttacked(playerIsBlack);
        GenerateAllMoves(playerIsBlack);
        const bool noMove = MoveBuffer.count == 0;
        if (noMove) ShowGameMessage(inCheck ? QStringLiteral("Mat") : QStringLiteral("Nulle"));
        if (RecordFull()) {
            GameRunning = false;
            if (!noMove) ShowGameMessage(QStringLiteral("Nulle"));
        }
    }

    // 12. Back only; the stop button is off again.
    SetNavigationButtons(true, true, false, false);
    SStop->setEnabled(false);
}

// ---- navigation ----

void TForm1::ReplayRecord(int n) {
    for (int i = 0; i < n; ++i) {
        const RecordedMove& entry = GameRecord[i];
        PushHistory();
        MakeMove(entry.from, entry.to, entry.clear);
        // The recorded piece replays a promotion to a rook, bishop or knight.
        WorkingPosition.squares[entry.to] = static_cast<PieceCode>(entry.placed);
    }
    DrawBoard(WorkingPosition);
    DisplayedPosition = WorkingPosition;
}

namespace {
// One navigation step to `cursor`, after its precondition held.
void StepTo(TForm1* form, int cursor, TextSlot note) {
    SelectionActive = false;
    SetupNewGame(WorkingPosition);
    RecordCursor = cursor;
    const bool back = RecordCursor > 0;
    const bool forward = RecordCursor < RecordLength;
    form->SetNavigationButtons(back, back, forward, forward);
    form->ReplayRecord(RecordCursor);
    DisplayedPosition = WorkingPosition;
    form->AppendMoveLine(LocalisedTexts[note]);
}
}  // namespace

void TForm1::def0Click() {
    if (RecordCursor >= 1) StepTo(this, 0, RestartNote);
}

void TForm1::defClick() {
    if (RecordCursor >= 1) StepTo(this, RecordCursor - 1, BackNote);
}

void TForm1::refClick() {
    if (RecordCursor < RecordLength) StepTo(this, RecordCursor + 1, ForwardNote);
}

void TForm1::refttClick() {
    if (RecordCursor < RecordLength) StepTo(this, RecordLength, ContinueNote);
}
