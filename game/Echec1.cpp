#include "game/Echec1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>

#include "engine/fonctions.h"
#include "engine/platform.h"
#include "engine/recherchedecoups.h"
#include "game/fonctions.h"
#include "game/skin.h"

TForm1* Form1 = nullptr;

QString LocalisedTexts[TextSlotCount];

std::function<void(const QString&)> MessageFunction;

const char* const CreditsText = "Kelvra Chess 2026";
const char* const CreditsAddress = "https://kelvra-chess.example.org";

namespace {

const char* const LanguageTexts[5][TextSlotCount] = {
    // English
    {"New Game:", "White", "Black", "Junior", "Amateur", "Advanced", "Expert", "Professional",
     "Grandmaster", "Impossible", "Test: ", " kill", "Last: ", "Begin...", "Back...",
     "Continue...", "Forward...", "Anew!!!", "Walk.", "Not analyzed.", "Time: ", "Moves: ",
     "Show Analise", "Do not you move!"},
    // Russian
    {"Новая Игра:", "Белые", "Чёрные", "Новичёк", "Любитель", "Продвинутый", "Специалист",
     "Профессионал", "Гроссмейстер", "Непобедимый", "Анализ: ", " ударов", "Последний: ",
     "Начали...", "Ход назад...", "Продолжаем...", "Ход вперёд...", "Сначала!!!",
     "Ходов не было.", "Анализ не начат.", "Время: ", "Ходов: ", "Граф анализа",
     "Не ваш ход!"},
    // German
    {"Neues Spiel:", "WeiS", "Schwarz", "Junior", "Dilettant", "Fortgeschritten", "Fachmann",
     "Profi", "Grandmaster", "Unbesiegbar", "Analyse: ", " Streiks", "Letzte: ", "Begann...",
     "zuruck...", "fortsetzen...", "vonstatten...", "erste!!!", "Bewegt war.",
     "Nicht analysiert", "Zeit: ", "Moves: ", "Graphanalyse", "WeiSt du nicht bewegen!"},
    // French
    {"New Game:", "Blanc", "Noir", "Junior", "Ventilateur", "Avance", "Specialiste",
     "Professionnel", "Grandmaster", "Invincible", "Analyse: ", " greves", "Dernier: ",
     "Commence...", "Dos...", "Continuer...", "Avant...", "Premiere!!!", "Moves etait.",
     "pas analyse.", "Temps: ", "Moves: ", "analyse d'un graphe", "Ne pas vous faire bouger!"},
    // Spanish
    {"Nuevo Juego:", "Blanco", "Negro", "Junior", "Ventilador", "Avanzado", "Especialista",
     "Profesional", "Gran Maestro", "Invincible", "Analisis: ", " huelgas", "Pasado: ",
     "Comenzo...", "Espalda...", "Continuar...", "Adelante...", "Primero!!!",
     "Movimientos era.", "no se analizan.", "Tiempo: ", "Curso: ", "analisis grafico",
     "No te muevas!"},
};

const QColor LabelColour(210, 237, 246);
const QColor ListBackground(228, 238, 241);
constexpr int RightPanelWidth = 137;
constexpr int LeftStripWidth = 12;
constexpr int BottomStripHeight = 18;
constexpr int LargestImageSide = 1000;

// Rows of the move list are 13 pixels high.
class MoveListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), 13);
    }
};

QFont PixelFont(int pixels, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

template <typename W>
W* Make(QWidget* parent, const char* name, int x, int y, int w, int h, const char* skinKind = nullptr) {
    W* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    if (skinKind) widget->setProperty("skinKind", QString::fromLatin1(skinKind));
    return widget;
}

TPanel* MakePanel(QWidget* parent, const char* name, QRect place, bool bevel) {
    TPanel* panel = new TPanel(parent, bevel);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(place);
    return panel;
}

QToolButton* MakeButton(QWidget* parent, const char* name, int x, int y, int w, int h,
                        const char* caption) {
    QToolButton* button = Make<QToolButton>(parent, name, x, y, w, h, "SPEEDBUTTON");
    button->setAutoRaise(true);
    button->setText(QString::fromLatin1(caption));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

TLabelFX* MakeLabelFX(QWidget* parent, const char* name, int x, int y, int w, int h,
                      const QString& caption, bool bold) {
    TLabelFX* label = new TLabelFX(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, w, h);
    label->setFont(PixelFont(11, bold));
    label->setText(caption);
    return label;
}

// ---- platform hooks filled in by the window ----

void HookProcessMessages() {
    // Processing costs far more than a search step; a few milliseconds of
    // latency are invisible to the player. The clock itself is read only
    // every 32nd time: the search asks before each of its moves.
    static unsigned calls = 0;
    if ((++calls & 31) != 0) return;
    static QElapsedTimer sinceLast;
    if (sinceLast.isValid() && sinceLast.elapsed() < 5) return;
    QCoreApplication::processEvents();
    sinceLast.start();
}

void HookShowMessage(const char* text) { ShowGameMessage(QString::fromUtf8(text)); }

void HookSetAnalysisTimer(bool enabled) {
    if (!Form1) return;
    if (!enabled)
        Form1->Timer1->stop();
    else if (!Form1->Timer1->isActive())
        Form1->Timer1->start();
}

void HookShowAnalysis(std::uint64_t nodes, std::uint32_t elapsedMs) {
    if (!Form1) return;
    Form1->SetLabelText(Form1->Label1,
                        LocalisedTexts[MovesPrefix] + QString::fromStdString(GroupDigits(nodes)));
    Form1->SetLabelText(Form1->Label5, LocalisedTexts[TimePrefix] +
                                           QString::fromStdString(FormatElapsed(elapsedMs)));
}

void HookDrawDisplayedBoard() {
    if (Form1) DrawBoard(DisplayedPosition);
}

void HookDrawMoveArrow(int from, int to, std::uint32_t rgb) {
    if (Form1) DrawMoveArrow(from, to, QColor::fromRgb(rgb));
}

void HookSetNavigationButtons(bool first, bool back, bool forward, bool last) {
    if (Form1) Form1->SetNavigationButtons(first, back, forward, last);
}

}  // namespace

void ShowGameMessage(const QString& text) {
    if (MessageFunction) {
        MessageFunction(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kelvra Chess"), text, QMessageBox::Ok,
                    Form1);
    box.exec();
}

// ---- controls ----

TPanel::TPanel(QWidget* parent, bool bevel) : QLabel(parent) {
    setProperty("skinKind", QStringLiteral("PANEL"));
    setProperty("bevel", bevel);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setFrameStyle(bevel ? (QFrame::Panel | QFrame::Raised) : QFrame::NoFrame);
}

TLabelFX::TLabelFX(QWidget* parent) : QLabel(parent) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, LabelColour);
    setPalette(p);
}

void TLabelFX::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnClick) OnClick();
    QLabel::mousePressEvent(event);
}

// ---- the window ----

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kelvra Chess"));
    setFont(PixelFont(11, false));
    CreateControls();
    ConnectHandlers();
    ApplySkin(this, QDir::current().filePath(QStringLiteral("AutumnSky")));
    FormCreate();
}

TForm1::~TForm1() {
    if (Form1 == this) {
        Platform = PlatformHooks{};
        Form1 = nullptr;
    }
}

void TForm1::CreateControls() {
    // The aligned strips and the board take their places in AlignControls.
    sPanel3 = MakePanel(this, "sPanel3", QRect(0, 0, LeftStripWidth, 481), false);
    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(12, 0, 481, 481);
    Image1->setMaximumSize(LargestImageSide, LargestImageSide);
    sPanel1 = MakePanel(this, "sPanel1", QRect(493, 0, RightPanelWidth, 481), false);
    sPanel4 = MakePanel(this, "sPanel4", QRect(0, 481, 630, BottomStripHeight), false);
    sPanel2 = MakePanel(this, "sPanel2", QRect(224, 152, 161, 177), true);
    sPanel5 = MakePanel(this, "sPanel5", QRect(104, 232, 297, 41), true);
    for (QWidget* w : {static_cast<QWidget*>(sPanel3), static_cast<QWidget*>(Image1),
                       static_cast<QWidget*>(sPanel1), static_cast<QWidget*>(sPanel4),
                       static_cast<QWidget*>(sPanel5)})
        w->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(5000);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(3000);
    Timer2->setTimerType(Qt::PreciseTimer);  // the notice lasts 3000 ms, not about that

    // Start panel
    sLabelFX1 = MakeLabelFX(sPanel2, "sLabelFX1", 40, 8, 70, 17, QString(), true);
    QFont title = sLabelFX1->font();
    title.setUnderline(true);
    sLabelFX1->setFont(title);
    sGroupBox1 = Make<QGroupBox>(sPanel2, "sGroupBox1", 8, 24, 145, 73, "GROUPBOX");
    sComboBox1 = Make<QComboBox>(sGroupBox1, "sComboBox1", 8, 16, 129, 21, "COMBOBOX");
    sComboBox1->setEditable(false);
    QPalette comboPalette = sComboBox1->palette();
    comboPalette.setColor(QPalette::Base, ListBackground);
    comboPalette.setColor(QPalette::Button, ListBackground);
    comboPalette.setColor(QPalette::Text, Qt::black);
    comboPalette.setColor(QPalette::ButtonText, Qt::black);
    sComboBox1->setPalette(comboPalette);
    sRadioButton1 = Make<QRadioButton>(sGroupBox1, "sRadioButton1", 8, 40, 58, 22, "RADIOBUTTON");
    sRadioButton2 = Make<QRadioButton>(sGroupBox1, "sRadioButton2", 72, 40, 57, 22, "RADIOBUTTON");
    sRadioButton1->setChecked(true);
    sSpeedButton1 = MakeButton(sPanel2, "sSpeedButton1", 40, 104, 81, 22, "START");
    sSpeedButton1->setFont(PixelFont(11, true));
    sGroupBox4 = Make<QGroupBox>(sPanel2, "sGroupBox4", 8, 128, 145, 41, "GROUPBOX");
    sSpeedButton2 = MakeButton(sGroupBox4, "sSpeedButton2", 8, 13, 23, 22, "en");
    sSpeedButton3 = MakeButton(sGroupBox4, "sSpeedButton3", 34, 13, 23, 22, "ru");
    sSpeedButton4 = MakeButton(sGroupBox4, "sSpeedButton4", 60, 13, 23, 22, "de");
    sSpeedButton5 = MakeButton(sGroupBox4, "sSpeedButton5", 86, 13, 23, 22, "fr");
    sSpeedButton6 = MakeButton(sGroupBox4, "sSpeedButton6", 112, 13, 23, 22, "es");

    // Right panel
    def0 = MakeButton(sPanel1, "def0", 16, 0, 23, 22, "<<");
    def = MakeButton(sPanel1, "def", 40, 0, 23, 22, "<");
    ref = MakeButton(sPanel1, "ref", 76, 0, 23, 22, ">");
    reftt = MakeButton(sPanel1, "reftt", 100, 0, 23, 22, ">>");
    SStop = MakeButton(sPanel1, "SStop", 40, 24, 60, 22, "stop");
    SStop->setEnabled(false);
    sGroupBox3 = Make<QGroupBox>(sPanel1, "sGroupBox3", 8, 48, 121, 89, "GROUPBOX");
    Label4 = Make<QLabel>(sGroupBox3, "Label4", 8, 14, 0, 0);
    Label4->setFont(PixelFont(12, false));
    Label1 = Make<QLabel>(sGroupBox3, "Label1", 8, 28, 0, 0);
    Label5 = Make<QLabel>(sGroupBox3, "Label5", 8, 44, 0, 0);
    SetLabelText(Label5, QStringLiteral("ELO"));
    sCheckBox1 = Make<QCheckBox>(sGroupBox3, "sCheckBox1", 5, 62, 93, 19, "CHECKBOX");
    sGroupBox2 = Make<QGroupBox>(sPanel1, "sGroupBox2", 8, 136, 121, 329, "GROUPBOX");
    sListBox1 = Make<QListWidget>(sGroupBox2, "sListBox1", 8, 24, 105, 297, "EDIT");
    sListBox1->setFont(PixelFont(12, true));
    sListBox1->setItemDelegate(new MoveListDelegate(sListBox1));
    sListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette listPalette = sListBox1->palette();
    listPalette.setColor(QPalette::Base, ListBackground);
    listPalette.setColor(QPalette::Text, Qt::black);
    sListBox1->setPalette(listPalette);

    // Rank labels 8..1 beside the middle of each rank, file labels a..h below
    // the middle of each file, for squares of 60 pixels.
    TLabelFX** ranks[8] = {&sLabelFX3, &sLabelFX4, &sLabelFX5, &sLabelFX6,
                           &sLabelFX7, &sLabelFX8, &sLabelFX9, &sLabelFX10};
    TLabelFX** files[8] = {&sLabelFX11, &sLabelFX12, &sLabelFX13, &sLabelFX14,
                           &sLabelFX15, &sLabelFX16, &sLabelFX17, &sLabelFX18};
    for (int k = 0; k < 8; ++k) {
        const QByteArray rankName = "sLabelFX" + QByteArray::number(3 + k);
        *ranks[k] = MakeLabelFX(sPanel3, rankName.constData(), 0, 22 + 60 * k, 12, 17,
                                QString(QChar('8' - k)), true);
        const QByteArray fileName = "sLabelFX" + QByteArray::number(11 + k);
        *files[k] = MakeLabelFX(sPanel4, fileName.constData(), 35 + 60 * k, 0, k == 5 ? 9 : 12, 17,
                                QString(QChar('a' + k)), true);
    }
    sLabelFX2 = MakeLabelFX(sPanel4, "sLabelFX2", 506, 1, 115, 17,
                            QString::fromLatin1(CreditsText), false);
    sLabelFX2->setCursor(Qt::PointingHandCursor);

    sPanel2->raise();
    sPanel5->raise();
}

void TForm1::ConnectHandlers() {
    connect(sSpeedButton1, &QToolButton::clicked, this, [this] { sSpeedButton1Click(); });
    connect(sSpeedButton2, &QToolButton::clicked, this, [this] { sSpeedButton2Click(); });
    connect(sSpeedButton3, &QToolButton::clicked, this, [this] { sSpeedButton3Click(); });
    connect(sSpeedButton4, &QToolButton::clicked, this, [this] { sSpeedButton4Click(); });
    connect(sSpeedButton5, &QToolButton::clicked, this, [this] { sSpeedButton5Click(); });
    connect(sSpeedButton6, &QToolButton::clicked, this, [this] { sSpeedButton6Click(); });
    connect(def0, &QToolButton::clicked, this, [this] { def0Click(); });
    connect(def, &QToolButton::clicked, this, [this] { defClick(); });
    connect(ref, &QToolButton::clicked, this, [this] { refClick(); });
    connect(reftt, &QToolButton::clicked, this, [this] { refttClick(); });
    connect(SStop, &QToolButton::clicked, this, [this] { SStopClick(); });
    connect(sCheckBox1, &QCheckBox::clicked, this, [this] { sCheckBox1Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    Image1->OnMouseDown = [this](Qt::MouseButton button, int x, int y) {
        Image1MouseDown(button, x, y);
    };
    sLabelFX2->OnClick = [this] { sLabelFX2Click(); };
}

void TForm1::InstallPlatformHooks() {
    Platform.processMessages = HookProcessMessages;
    Platform.showMessage = HookShowMessage;
    Platform.setAnalysisTimer = HookSetAnalysisTimer;
    Platform.showAnalysis = HookShowAnalysis;
    Platform.drawDisplayedBoard = HookDrawDisplayedBoard;
    Platform.drawMoveArrow = HookDrawMoveArrow;
    Platform.setNavigationButtons = HookSetNavigationButtons;
    Platform.rootMoveStarted = nullptr;
    Platform.bestMoveChanged = nullptr;
}

void TForm1::SetClientSize(int width, int height) {
    if (size() != QSize(width, height)) resize(width, height);
}

void TForm1::AlignControls() {
    // Bottom strip first, then the left and right strips; the board image
    // takes the rest, up to its largest size.
    const int w = width();
    const int h = height();
    const int middle = std::max(0, h - BottomStripHeight);
    sPanel4->setGeometry(0, middle, w, BottomStripHeight);
    sPanel3->setGeometry(0, 0, LeftStripWidth, middle);
    sPanel1->setGeometry(w - RightPanelWidth, 0, RightPanelWidth, middle);
    const int imageWidth = std::clamp(w - LeftStripWidth - RightPanelWidth, 0, LargestImageSide);
    Image1->setGeometry(LeftStripWidth, 0, imageWidth, std::min(middle, LargestImageSide));
}

void TForm1::SetLabelText(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

void TForm1::AppendMoveLine(const QString& text) {
    sListBox1->addItem(text);
    sListBox1->scrollToBottom();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    AlignControls();
    FormResize();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A search in progress stops at once; EngineTurn then leaves without
    // playing, and the application ends with its last window.
    if (engineThinking_) {
        closing_ = true;
        StopRequested = true;
    }
    FormClose();
    event->accept();
}

void TForm1::FormClose() {}

// ---- texts ----

void TForm1::SetLanguage(std::uint8_t language) {
    if (language < 1 || language > 5) return;
    for (int slot = 0; slot < TextSlotCount; ++slot)
        LocalisedTexts[slot] = QString::fromUtf8(LanguageTexts[language - 1][slot]);

    SetLabelText(sLabelFX1, LocalisedTexts[NewGameTitle]);
    sRadioButton1->setText(LocalisedTexts[WhiteSideCaption]);
    sRadioButton2->setText(LocalisedTexts[BlackSideCaption]);

    sComboBox1->clear();
    for (int slot = LevelName1; slot <= LevelName7; ++slot) sComboBox1->addItem(LocalisedTexts[slot]);
    sComboBox1->setCurrentIndex(-1);

    SetLabelText(Label4, LocalisedTexts[NoMovesText]);
    SetLabelText(Label1, LocalisedTexts[NotAnalysedText]);
    sGroupBox2->setTitle(LocalisedTexts[MovesPrefix]);
    sCheckBox1->setText(LocalisedTexts[ShowAnalysisCaption]);
    sPanel5->setText(LocalisedTexts[NotYourMoveText]);
}

void TForm1::sSpeedButton2Click() { SetLanguage(1); }
void TForm1::sSpeedButton3Click() { SetLanguage(2); }
void TForm1::sSpeedButton4Click() { SetLanguage(3); }
void TForm1::sSpeedButton5Click() { SetLanguage(4); }
void TForm1::sSpeedButton6Click() { SetLanguage(5); }

// ---- small handlers of the window ----

void TForm1::SetNavigationButtons(bool first, bool back, bool forward, bool last) {
    def0->setEnabled(first);
    def->setEnabled(back);
    ref->setEnabled(forward);
    reftt->setEnabled(last);
}

void TForm1::Timer1Timer() { ReportAnalysis(); }

void TForm1::Timer2Timer() {
    sPanel5->hide();
    Timer2->stop();
}

void TForm1::sLabelFX2Click() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(CreditsAddress))); }

void TForm1::SStopClick() { StopRequested = true; }
