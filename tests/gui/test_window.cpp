// The window itself: its controls as laid out, the state at start-up, the
// five languages, the credits label and the modal message box.
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "gui_support.h"

namespace {
// Records the addresses that the desktop would open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};
}  // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void controlsAsLaidOut_data();
    void controlsAsLaidOut();
    void startUpState();
    void languages_data();
    void languages();
    void languageButtonClearsTheChosenLevel();
    void creditsOpenTheWebSite();
    void messageBoxShowsTheBareText();
};

void TestWindow::controlsAsLaidOut_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("place");  // an empty size: sized by its text
    QTest::addColumn<bool>("shown");   // visible at start (within its parent)
    QTest::addColumn<bool>("enabled");
    struct Row {
        const char* name;
        const char* parent;
        const char* kind;
        QRect place;
        bool shown;
        bool enabled;
    };
    const Row rows[] = {
        {"sPanel3", "Form1", "TPanel", {0, 0, 12, 481}, false, true},
        {"Image1", "Form1", "TImage", {12, 0, 481, 481}, false, true},
        {"sPanel1", "Form1", "TPanel", {493, 0, 137, 481}, false, true},
        {"sPanel4", "Form1", "TPanel", {0, 481, 630, 18}, false, true},
        {"sPanel2", "Form1", "TPanel", {224, 152, 161, 177}, true, true},
        {"sPanel5", "Form1", "TPanel", {104, 232, 297, 41}, false, true},
        {"sLabelFX1", "sPanel2", "TLabelFX", {40, 8, 0, 0}, true, true},
        {"sGroupBox1", "sPanel2", "QGroupBox", {8, 24, 145, 73}, true, true},
        {"sComboBox1", "sGroupBox1", "QComboBox", {8, 16, 129, 21}, true, true},
        {"sRadioButton1", "sGroupBox1", "QRadioButton", {8, 40, 58, 22}, true, true},
        {"sRadioButton2", "sGroupBox1", "QRadioButton", {72, 40, 57, 22}, true, true},
        {"sSpeedButton1", "sPanel2", "QToolButton", {40, 104, 81, 22}, true, true},
        {"sGroupBox4", "sPanel2", "QGroupBox", {8, 128, 145, 41}, true, true},
        {"sSpeedButton2", "sGroupBox4", "QToolButton", {8, 13, 23, 22}, true, true},
        {"sSpeedButton3", "sGroupBox4", "QToolButton", {34, 13, 23, 22}, true, true},
        {"sSpeedButton4", "sGroupBox4", "QToolButton", {60, 13, 23, 22}, true, true},
        {"sSpeedButton5", "sGroupBox4", "QToolButton", {86, 13, 23, 22}, true, true},
        {"sSpeedButton6", "sGroupBox4", "QToolButton", {112, 13, 23, 22}, true, true},
        {"def0", "sPanel1", "QToolButton", {16, 0, 23, 22}, true, true},
        {"def", "sPanel1", "QToolButton", {40, 0, 23, 22}, true, true},
        {"ref", "sPanel1", "QToolButton", {76, 0, 23, 22}, true, true},
        {"reftt", "sPanel1", "QToolButton", {100, 0, 23, 22}, true, true},
        {"SStop", "sPanel1", "QToolButton", {40, 24, 60, 22}, true, false},
        {"sGroupBox3", "sPanel1", "QGroupBox", {8, 48, 121, 89}, true, true},
        {"Label4", "sGroupBox3", "QLabel", {8, 14, 0, 0}, true, true},
        {"Label1", "sGroupBox3", "QLabel", {8, 28, 0, 0}, true, true},
        {"Label5", "sGroupBox3", "QLabel", {8, 44, 0, 0}, true, true},
        {"sCheckBox1", "sGroupBox3", "QCheckBox", {5, 62, 93, 19}, true, true},
        {"sGroupBox2", "sPanel1", "QGroupBox", {8, 136, 121, 329}, true, true},
        {"sListBox1", "sGroupBox2", "QListWidget", {8, 24, 105, 297}, true, true},
        {"sLabelFX3", "sPanel3", "TLabelFX", {0, 22, 12, 17}, true, true},
        {"sLabelFX10", "sPanel3", "TLabelFX", {0, 442, 12, 17}, true, true},
        {"sLabelFX11", "sPanel4", "TLabelFX", {35, 0, 12, 17}, true, true},
        {"sLabelFX16", "sPanel4", "TLabelFX", {335, 0, 9, 17}, true, true},
        {"sLabelFX18", "sPanel4", "TLabelFX", {455, 0, 12, 17}, true, true},
        {"sLabelFX2", "sPanel4", "TLabelFX", {506, 1, 115, 17}, true, true},
    };
    for (const Row& r : rows)
        QTest::newRow(r.name) << r.name << r.parent << r.kind << r.place << r.shown << r.enabled;
}

void TestWindow::controlsAsLaidOut() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QString, kind);
    QFETCH(QRect, place);
    QFETCH(bool, shown);
    QFETCH(bool, enabled);
    GameWindow w;
    auto* control = w->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QVERIFY2(control->inherits(kind.toLatin1().constData()), control->metaObject()->className());
    if (place.isEmpty())
        QCOMPARE(control->pos(), place.topLeft());
    else
        QCOMPARE(control->geometry(), place);
    QCOMPARE(control->isVisibleTo(control->parentWidget()) && (parent != "Form1" || control->isVisible()), shown);
    QCOMPARE(control->isEnabled(), enabled);
}

void TestWindow::startUpState() {
    GameWindow w;
    QCOMPARE(w->windowTitle(), QString("Kelvra Chess"));
    QCOMPARE(w->size(), QSize(630, 499));
    QCOMPARE(w->pos(), QPoint(10, 10));
    QCOMPARE(w->sLabelFX1->text(), QString("New Game:"));
    QVERIFY(w->sRadioButton1->isChecked());
    QVERIFY(!w->sComboBox1->isEditable());
    QCOMPARE(w->sComboBox1->count(), 7);
    QCOMPARE(w->sComboBox1->currentIndex(), -1);
    QCOMPARE(w->sComboBox1->currentText(), QString());
    QCOMPARE(w->Label4->text(), QString("Walk."));
    QCOMPARE(w->Label5->text(), QString("ELO"));
    QVERIFY(!w->sCheckBox1->isChecked() && !ShowAnalysis);
    QCOMPARE(w->sListBox1->count(), 0);
    QCOMPARE(Level, 8);
    QVERIFY(!GameRunning);
    QCOMPARE(w->Timer1->interval(), 5000);
    QCOMPARE(w->Timer2->interval(), 3000);
    QVERIFY(!w->Timer1->isActive() && !w->Timer2->isActive());
    QCOMPARE(w->sLabelFX3->text() + w->sLabelFX10->text() + w->sLabelFX11->text() + w->sLabelFX18->text(),
             QString("81ah"));
    QCOMPARE(w->sLabelFX1->palette().color(QPalette::WindowText), QColor(210, 237, 246));
    // The board is drawn already, with the initial position.
    QCOMPARE(PixelAt(w.get(), SquareCentre("a8")), QColor(Qt::black));
}

void TestWindow::languages_data() {
    QTest::addColumn<int>("button");  // 2..6: en, ru, de, fr, es
    QTest::addColumn<QStringList>("captions");  // title, White, Black, Label4, Label1, box, check, notice
    QTest::addColumn<QStringList>("levels");
    QTest::newRow("en") << 2
                        << QStringList{"New Game:", "White", "Black", "Walk.", "Not analyzed.",
                                       "Moves: ", "Show Analise", "Do not you move!"}
                        << QStringList{"Junior", "Amateur", "Advanced", "Expert", "Professional",
                                       "Grandmaster", "Impossible"};
    QTest::newRow("ru") << 3
                        << QStringList{"Новая Игра:", "Белые", "Чёрные", "Ходов не было.",
                                       "Анализ не начат.", "Ходов: ", "Граф анализа", "Не ваш ход!"}
                        << QStringList{"Новичёк", "Любитель", "Продвинутый", "Специалист",
                                       "Профессионал", "Гроссмейстер", "Непобедимый"};
    QTest::newRow("de") << 4
                        << QStringList{"Neues Spiel:", "WeiS", "Schwarz", "Bewegt war.",
                                       "Nicht analysiert", "Moves: ", "Graphanalyse",
                                       "WeiSt du nicht bewegen!"}
                        << QStringList{"Junior", "Dilettant", "Fortgeschritten", "Fachmann", "Profi",
                                       "Grandmaster", "Unbesiegbar"};
    QTest::newRow("fr") << 5
                        << QStringList{"New Game:", "Blanc", "Noir", "Moves etait.", "pas analyse.",
                                       "Moves: ", "analyse d'un graphe", "Ne pas vous faire bouger!"}
                        << QStringList{"Junior", "Ventilateur", "Avance", "Specialiste",
                                       "Professionnel", "Grandmaster", "Invincible"};
    QTest::newRow("es") << 6
                        << QStringList{"Nuevo Juego:", "Blanco", "Negro", "Movimientos era.",
                                       "no se analizan.", "Curso: ", "analisis grafico",
                                       "No te muevas!"}
                        << QStringList{"Junior", "Ventilador", "Avanzado", "Especialista",
                                       "Profesional", "Gran Maestro", "Invincible"};
}

void TestWindow::languages() {
    QFETCH(int, button);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, levels);
    GameWindow w;
    QToolButton* buttons[] = {w->sSpeedButton2, w->sSpeedButton3, w->sSpeedButton4,
                              w->sSpeedButton5, w->sSpeedButton6};
    QTest::mouseClick(buttons[(button - 1) % 5], Qt::LeftButton);  // another language first
    QTest::mouseClick(buttons[button - 2], Qt::LeftButton);
    const QStringList shown = {w->sLabelFX1->text(), w->sRadioButton1->text(), w->sRadioButton2->text(),
                               w->Label4->text(),    w->Label1->text(),        w->sGroupBox2->title(),
                               w->sCheckBox1->text(), w->sPanel5->text()};
    QCOMPARE(shown, captions);
    QStringList items;
    for (int i = 0; i < w->sComboBox1->count(); ++i) items << w->sComboBox1->itemText(i);
    QCOMPARE(items, levels);
    QCOMPARE(w->sComboBox1->currentIndex(), -1);

    // The chosen language's level names are what START recognises, and its
    // note starts the move list.
    w->sComboBox1->setCurrentIndex(6);
    StartGame(w.get(), false);
    QCOMPARE(Level, 13);
    QCOMPARE(w->Label5->text(), QString("ELO: 3000"));
    QCOMPARE(ListLines(w.get()).size(), 1);
    QCOMPARE(ListLines(w.get()).first(), LocalisedTexts[GameStartNote]);
}

// Pressing a language button, even the current one, refills the levels
// without a selection, so START falls back to the default strength.
void TestWindow::languageButtonClearsTheChosenLevel() {
    GameWindow w;
    w->sComboBox1->setCurrentIndex(0);
    QTest::mouseClick(w->sSpeedButton2, Qt::LeftButton);
    QCOMPARE(w->sComboBox1->currentIndex(), -1);
    QCOMPARE(w->sComboBox1->count(), 7);
    StartGame(w.get(), false);
    QCOMPARE(Level, 8);
    QCOMPARE(w->Label5->text(), QString("ELO: 1200"));
}

void TestWindow::creditsOpenTheWebSite() {
    GameWindow w;
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    StartGame(w.get(), false);
    QCOMPARE(w->sLabelFX2->text(), QString("Kelvra Chess 2026"));
    const Position before = WorkingPosition;
    QTest::mouseClick(w->sLabelFX2, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened.first(), QUrl("https://kelvra-chess.example.org"));
    QVERIFY(WorkingPosition == before);
    QCOMPARE(RecordLength, 0);
    QCOMPARE(ListLines(w.get()), QStringList{"Begin..."});
}

// The real box: modal, with the bare text and one button to close it.
void TestWindow::messageBoxShowsTheBareText() {
    GameWindow w;
    MessageFunction = nullptr;
    QString seen;
    QTimer::singleShot(50, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    ShowGameMessage("Nulle");
    QCOMPARE(seen, QString("Nulle"));
}

QTEST_MAIN(TestWindow)
#include "test_window.moc"
