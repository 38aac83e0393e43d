// The skin: parsing its file, the plain look for what does not parse, and
// the shipped AutumnSky colours keeping the window readable.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "game/skin.h"
#include "gui_support.h"

namespace {

const QString ShippedSkin = QStringLiteral(KELVRA_SOURCE_DIR "/AutumnSky");

// WCAG contrast ratio of two colours, 1 to 21.
double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            v /= 255.0;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

const char* const GoodSection =
    "background = #102030\ntext = 250, 240, 230\nborder = #405060\nhover = #708090\n";

}  // namespace

class TestSkin : public QObject {
    Q_OBJECT

private slots:
    void shippedSkinIsCompleteAndReadable();
    void sectionsThatDoNotParse_data();
    void sectionsThatDoNotParse();
    void missingSkinLeavesThePlainLook();
    void skinAppliesToTheWindow();
};

void TestSkin::shippedSkinIsCompleteAndReadable() {
    const Skin skin = LoadSkin(ShippedSkin);
    for (int i = 0; i < SkinKindCount; ++i)
        QVERIFY2(skin.sections[i].valid, SkinSectionName(static_cast<SkinKind>(i)));
    // The light blue labels stand on panels.
    const QColor labels(210, 237, 246);
    QVERIFY(Contrast(labels, skin[SkinKind::Panel].colours.background) >= 7.0);
    for (int i = 0; i < SkinKindCount; ++i) {
        const SkinColours& c = skin.sections[i].colours;
        QVERIFY2(Contrast(c.text, c.background) >= 4.5, SkinSectionName(static_cast<SkinKind>(i)));
    }
    // The plain labels of the status box take the group box's text colour.
    QVERIFY(SkinStyleSheet(skin).contains("QGroupBox[skinKind=\"GROUPBOX\"] QLabel"));
}

void TestSkin::sectionsThatDoNotParse_data() {
    QTest::addColumn<QString>("panelSection");  // the text after "[PANEL]"
    QTest::addColumn<bool>("valid");
    QTest::newRow("complete") << GoodSection << true;
    QTest::newRow("comments and blanks") << QString("; warm\n\n") + GoodSection << true;
    QTest::newRow("a colour missing")
        << "background = #102030\ntext = #ffffff\nborder = #405060\n" << false;
    QTest::newRow("a colour twice") << QString(GoodSection) + "hover = #000000\n" << false;
    QTest::newRow("an unknown key") << QString(GoodSection) + "shadow = #000000\n" << false;
    QTest::newRow("a part above 255")
        << "background = 256, 0, 0\ntext = #ffffff\nborder = #405060\nhover = #708090\n" << false;
    QTest::newRow("a short hex colour")
        << "background = #fff\ntext = #ffffff\nborder = #405060\nhover = #708090\n" << false;
    QTest::newRow("a line without =") << QString(GoodSection) + "orange\n" << false;
    QTest::newRow("the section twice") << QString(GoodSection) + "[PANEL]\n" + GoodSection << false;
}

// A broken PANEL section leaves panels plain and the other kinds skinned.
void TestSkin::sectionsThatDoNotParse() {
    QFETCH(QString, panelSection);
    QFETCH(bool, valid);
    const QString text = "[SPEEDBUTTON]\n" + QString(GoodSection) + "[PANEL]\n" + panelSection +
                         "[EDIT]\n" + GoodSection;
    const Skin skin = ParseSkin(text);
    QCOMPARE(skin[SkinKind::Panel].valid, valid);
    QVERIFY(skin[SkinKind::SpeedButton].valid);
    QVERIFY(skin[SkinKind::Edit].valid);
    QVERIFY(!skin[SkinKind::GroupBox].valid);
    const QString sheet = SkinStyleSheet(skin);
    QCOMPARE(sheet.contains("skinKind=\"PANEL\""), valid);
    QVERIFY(sheet.contains("skinKind=\"SPEEDBUTTON\""));
    QVERIFY(!sheet.contains("skinKind=\"GROUPBOX\""));
    if (valid) {
        QCOMPARE(skin[SkinKind::Panel].colours.text, QColor(250, 240, 230));
        QVERIFY(sheet.contains("#102030"));
    }
}

void TestSkin::missingSkinLeavesThePlainLook() {
    QTemporaryDir empty;
    const Skin skin = LoadSkin(empty.path() + "/AutumnSky");
    for (const Skin::Section& s : skin.sections) QVERIFY(!s.valid);
    QVERIFY(SkinStyleSheet(skin).isEmpty());
    // The tests run where there is no skin: the window starts plain.
    QVERIFY(!QDir("AutumnSky").exists());
    GameWindow w;
    QVERIFY(w->styleSheet().isEmpty());
    QVERIFY(w->sPanel2->isVisible());
}

void TestSkin::skinAppliesToTheWindow() {
    // A skin whose PANEL section is broken, in the working directory.
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir("AutumnSky"));
    QFile file(work.path() + "/AutumnSky/" + SkinFileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[PANEL]\nbackground = brown\n[GROUPBOX]\n");
    file.write(GoodSection);
    file.close();
    const QString before = QDir::currentPath();
    QDir::setCurrent(work.path());
    GameWindow w;
    QDir::setCurrent(before);
    QVERIFY(!w->styleSheet().contains("skinKind=\"PANEL\""));
    QVERIFY(w->styleSheet().contains("skinKind=\"GROUPBOX\""));
    // The group box is painted in the skin's background; its behaviour is
    // untouched.
    const QImage box = w->sGroupBox1->grab().toImage();
    QCOMPARE(QColor(box.pixel(box.width() / 2, box.height() - 6)), QColor(0x10, 0x20, 0x30));
    QCOMPARE(w->sComboBox1->count(), 7);
    StartGame(w.get(), false);
    QVERIFY(GameRunning);
}

QTEST_MAIN(TestSkin)
#include "test_skin.moc"
