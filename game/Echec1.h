// The main window TForm1: its controls, the localised texts, and the game
// controller that runs inside its handlers.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "game/plateau.h"
#include "rules/variables.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QRadioButton;
class QTimer;
class QToolButton;

// ---- localised texts ----

enum TextSlot : int {
    NewGameTitle,
    WhiteSideCaption,
    BlackSideCaption,
    LevelName1,
    LevelName2,
    LevelName3,
    LevelName4,
    LevelName5,
    LevelName6,
    LevelName7,
    DepthPrefix,
    DepthSuffix,
    LastMovePrefix,
    GameStartNote,
    BackNote,
    ContinueNote,
    ForwardNote,
    RestartNote,
    NoMovesText,
    NotAnalysedText,
    TimePrefix,
    MovesPrefix,
    ShowAnalysisCaption,
    NotYourMoveText,
    TextSlotCount
};

// The texts of the current language; empty until the first SetLanguage.
extern QString LocalisedTexts[TextSlotCount];

// ---- controller state ----

extern bool SelectionActive;   // a first click selected a piece with legal moves
extern Square SelectedSquare;  // the board square of that first click

// The modal end-of-game message with a bare text. Tests replace it to record
// the texts instead of opening a box; empty means the real message box.
extern std::function<void(const QString&)> MessageFunction;
void ShowGameMessage(const QString& text);

// Asks which piece the promoted pawn becomes: 2 queen, 5 rook, 3 bishop or
// 4 knight (the kind, without colour).
int PromotionChoice();

// Scans MoveBuffer from its first entry for a move to `square`; on success
// gives that entry's clear square.
bool FindTarget(Square square, int& clearSquare);

extern const char* const CreditsText;
extern const char* const CreditsAddress;

// ---- controls ----

// A panel; its text, if any, is its caption, centred.
class TPanel : public QLabel {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent, bool bevel);
};

// A coloured label that may react to a click.
class TLabelFX : public QLabel {
    Q_OBJECT
public:
    explicit TLabelFX(QWidget* parent);
    std::function<void()> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Top level
    TPanel* sPanel3;  // rank labels, left
    TImage* Image1;   // the board
    TPanel* sPanel1;  // right panel
    TPanel* sPanel4;  // file labels and credits, bottom
    TPanel* sPanel2;  // start panel
    TPanel* sPanel5;  // not-your-move notice
    QTimer* Timer1;   // analysis refresh, 5000 ms
    QTimer* Timer2;   // hides the notice, 3000 ms

    // Start panel
    TLabelFX* sLabelFX1;
    QGroupBox* sGroupBox1;
    QComboBox* sComboBox1;
    QRadioButton* sRadioButton1;
    QRadioButton* sRadioButton2;
    QToolButton* sSpeedButton1;
    QGroupBox* sGroupBox4;
    QToolButton* sSpeedButton2;
    QToolButton* sSpeedButton3;
    QToolButton* sSpeedButton4;
    QToolButton* sSpeedButton5;
    QToolButton* sSpeedButton6;

    // Right panel
    QToolButton* def0;
    QToolButton* def;
    QToolButton* ref;
    QToolButton* reftt;
    QToolButton* SStop;
    QGroupBox* sGroupBox3;
    QLabel* Label4;
    QLabel* Label1;
    QLabel* Label5;
    QCheckBox* sCheckBox1;
    QGroupBox* sGroupBox2;
    QListWidget* sListBox1;

    // Label strips: ranks 8..1 in sPanel3, files a..h and the credits in sPanel4
    TLabelFX* sLabelFX2;
    TLabelFX* sLabelFX3;
    TLabelFX* sLabelFX4;
    TLabelFX* sLabelFX5;
    TLabelFX* sLabelFX6;
    TLabelFX* sLabelFX7;
    TLabelFX* sLabelFX8;
    TLabelFX* sLabelFX9;
    TLabelFX* sLabelFX10;
    TLabelFX* sLabelFX11;
    TLabelFX* sLabelFX12;
    TLabelFX* sLabelFX13;
    TLabelFX* sLabelFX14;
    TLabelFX* sLabelFX15;
    TLabelFX* sLabelFX16;
    TLabelFX* sLabelFX17;
    TLabelFX* sLabelFX18;

    // Handlers
    void FormCreate();
    void FormResize();
    void FormClose();
    void sSpeedButton1Click();  // START
    void sSpeedButton2Click();  // en
    void sSpeedButton3Click();  // ru
    void sSpeedButton4Click();  // de
    void sSpeedButton5Click();  // fr
    void sSpeedButton6Click();  // es
    void Image1MouseDown(Qt::MouseButton button, int x, int y);
    void EngineTurn();
    void SStopClick();
    void def0Click();
    void defClick();
    void refClick();
    void refttClick();
    void Timer1Timer();
    void Timer2Timer();
    void sLabelFX2Click();
    void sCheckBox1Click();

    // Fills LocalisedTexts for language 1..5 (English, Russian, German,
    // French, Spanish) and writes the fixed captions.
    void SetLanguage(std::uint8_t language);
    void SetNavigationButtons(bool first, bool back, bool forward, bool last);
    // Rebuilds and shows the position after the first n recorded moves.
    void ReplayRecord(int n);

    // The client area and the aligned strips around the board image.
    void SetClientSize(int width, int height);
    void AlignControls();
    void SetLabelText(QLabel* label, const QString& text);
    void AppendMoveLine(const QString& text);

    // True while EngineTurn runs.
    bool EngineThinking() const { return engineThinking_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void InstallPlatformHooks();
    void EndGameWhenRecordFull(bool engineToMove);
    bool PlayerToMove() const;

    bool engineThinking_ = false;
    bool closing_ = false;
};

// The one main window.
extern TForm1* Form1;
