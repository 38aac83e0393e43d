#include "game/skin.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

const char* const SkinFileName = "skin.ini";

namespace {

const char* const SectionNames[SkinKindCount] = {"PANEL",   "CHECKBOX", "SPEEDBUTTON", "GROUPBOX",
                                                 "EDIT",    "COMBOBOX", "RADIOBUTTON"};

// A skin file is a few hundred bytes; anything far larger is not a skin.
constexpr qint64 LargestSkinFile = 64 * 1024;

// "#rrggbb" or "r, g, b" with each part 0..255.
bool ParseColour(const QString& value, QColor& colour) {
    static const QRegularExpression Hex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    static const QRegularExpression Triple(
        QStringLiteral("^(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})$"));
    if (Hex.match(value).hasMatch()) {
        colour = QColor(value);
        return colour.isValid();
    }
    const QRegularExpressionMatch m = Triple.match(value);
    if (!m.hasMatch()) return false;
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        parts[i] = m.captured(i + 1).toInt();
        if (parts[i] > 255) return false;
    }
    colour = QColor(parts[0], parts[1], parts[2]);
    return true;
}

int SectionIndex(const QString& name) {
    for (int i = 0; i < SkinKindCount; ++i)
        if (name == QLatin1String(SectionNames[i])) return i;
    return -1;
}

QString Css(const QColor& colour) { return colour.name(QColor::HexRgb); }

QColor Mix(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

// One kind's rules; %1 background, %2 text, %3 border, %4 hover, %5 the
// disabled text.
const char* const KindRules[SkinKindCount] = {
    // PANEL
    "QLabel[skinKind=\"PANEL\"] { background-color: %1; color: %2; }\n"
    "QLabel[skinKind=\"PANEL\"][bevel=\"true\"] { border: 1px solid %3; }\n",
    // CHECKBOX
    "QCheckBox[skinKind=\"CHECKBOX\"] { background-color: %1; color: %2; }\n"
    "QCheckBox[skinKind=\"CHECKBOX\"]:hover { color: %4; }\n"
    "QCheckBox[skinKind=\"CHECKBOX\"]:disabled { color: %5; }\n",
    // SPEEDBUTTON
    "QToolButton[skinKind=\"SPEEDBUTTON\"] { background-color: %1; color: %2;"
    " border: 1px solid %3; border-radius: 3px; }\n"
    "QToolButton[skinKind=\"SPEEDBUTTON\"]:hover { background-color: %4; }\n"
    "QToolButton[skinKind=\"SPEEDBUTTON\"]:pressed { background-color: %3; }\n"
    "QToolButton[skinKind=\"SPEEDBUTTON\"]:disabled { color: %5; border-color: %5; }\n",
    // GROUPBOX; the plain labels inside take its text colour
    "QGroupBox[skinKind=\"GROUPBOX\"] { background-color: %1; color: %2;"
    " border: 1px solid %3; border-radius: 3px; margin-top: 5px; }\n"
    "QGroupBox[skinKind=\"GROUPBOX\"]::title { subcontrol-origin: margin;"
    " subcontrol-position: top left; left: 8px; padding: 0px 2px; color: %2;"
    " background-color: %1; }\n"
    "QGroupBox[skinKind=\"GROUPBOX\"] QLabel { color: %2; }\n",
    // EDIT
    "QListWidget[skinKind=\"EDIT\"] { background-color: %1; color: %2; border: 1px solid %3; }\n"
    "QListWidget[skinKind=\"EDIT\"]::item:hover { background-color: %4; }\n"
    "QListWidget[skinKind=\"EDIT\"]::item:selected { background-color: %4; color: %2; }\n",
    // COMBOBOX
    "QComboBox[skinKind=\"COMBOBOX\"] { background-color: %1; color: %2;"
    " border: 1px solid %3; border-radius: 2px; padding: 1px 4px; }\n"
    "QComboBox[skinKind=\"COMBOBOX\"]:hover { border-color: %4; }\n"
    "QComboBox[skinKind=\"COMBOBOX\"] QAbstractItemView { background-color: %1; color: %2;"
    " selection-background-color: %4; selection-color: %2; }\n",
    // RADIOBUTTON
    "QRadioButton[skinKind=\"RADIOBUTTON\"] { background-color: %1; color: %2; }\n"
    "QRadioButton[skinKind=\"RADIOBUTTON\"]:hover { color: %4; }\n"
    "QRadioButton[skinKind=\"RADIOBUTTON\"]:disabled { color: %5; }\n",
};

}  // namespace

const char* SkinSectionName(SkinKind kind) { return SectionNames[static_cast<int>(kind)]; }

Skin ParseSkin(const QString& text) {
    Skin skin;
    // Per section: the colours seen, which keys were given, and whether the
    // section is already broken.
    struct Reading {
        int seen = 0;  // times the section header appeared
        bool broken = false;
        bool given[4] = {false, false, false, false};
        SkinColours colours;
    };
    Reading reading[SkinKindCount];
    static const char* const Keys[4] = {"background", "text", "border", "hover"};

    int current = -1;  // the known section being read, or -1
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']'))) {
                if (current >= 0) reading[current].broken = true;
                current = -1;
                continue;
            }
            current = SectionIndex(line.mid(1, line.size() - 2).trimmed().toUpper());
            if (current >= 0 && ++reading[current].seen > 1) reading[current].broken = true;
            continue;
        }
        if (current < 0) continue;
        Reading& r = reading[current];
        const int eq = static_cast<int>(line.indexOf(QLatin1Char('=')));
        if (eq < 0) {
            r.broken = true;
            continue;
        }
        const QString key = line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1).trimmed();
        int k = 0;
        while (k < 4 && key != QLatin1String(Keys[k])) ++k;
        QColor colour;
        if (k == 4 || r.given[k] || !ParseColour(value, colour)) {
            r.broken = true;
            continue;
        }
        r.given[k] = true;
        QColor* targets[4] = {&r.colours.background, &r.colours.text, &r.colours.border,
                            &r.colours.hover};
        *targets[k] = colour;
    }

    for (int i = 0; i < SkinKindCount; ++i) {
        const Reading& r = reading[i];
        const bool complete = r.given[0] && r.given[1] && r.given[2] && r.given[3];
        skin.sections[i].valid = r.seen == 1 && !r.broken && complete;
        if (skin.sections[i].valid) skin.sections[i].colours = r.colours;
    }
    return skin;
}

Skin LoadSkin(const QString& folder) {
    QFile file(QDir(folder).filePath(QLatin1String(SkinFileName)));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return Skin{};
    if (file.size() > LargestSkinFile) return Skin{};
    return ParseSkin(QString::fromUtf8(file.read(LargestSkinFile)));
}

QString SkinStyleSheet(const Skin& skin) {
    QString sheet;
    for (int i = 0; i < SkinKindCount; ++i) {
        const Skin::Section& section = skin.sections[i];
        if (!section.valid) continue;
        const SkinColours& c = section.colours;
        // Not QString::arg: a rule need not use every colour.
        QString rules = QString::fromLatin1(KindRules[i]);
        const QString values[5] = {Css(c.background), Css(c.text), Css(c.border), Css(c.hover),
                                   Css(Mix(c.text, c.background))};
        for (int v = 0; v < 5; ++v) rules.replace(QLatin1Char('%') + QString::number(v + 1), values[v]);
        sheet += rules;
    }
    return sheet;
}

void ApplySkin(QWidget* window, const QString& folder) {
    window->setStyleSheet(SkinStyleSheet(LoadSkin(folder)));
}
