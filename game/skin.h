// The skin: colours per kind of control, read from a small text file in the
// skin's folder and turned into a style sheet. The skin changes the look of
// the controls only.
#pragma once

#include <QColor>
#include <QString>

class QWidget;

// The kinds of skinned controls, in the order of their sections.
enum class SkinKind { Panel, CheckBox, SpeedButton, GroupBox, Edit, ComboBox, RadioButton };
constexpr int SkinKindCount = 7;

// The section name of each kind: "PANEL", "CHECKBOX", ...
const char* SkinSectionName(SkinKind kind);

struct SkinColours {
    QColor background;
    QColor text;
    QColor border;
    QColor hover;
};

// A parsed skin: a kind whose section is missing or does not parse keeps
// the plain look (valid false).
struct Skin {
    struct Section {
        bool valid = false;
        SkinColours colours;
    };
    Section sections[SkinKindCount];

    const Section& operator[](SkinKind kind) const { return sections[static_cast<int>(kind)]; }
};

// The name of the skin file inside the skin's folder.
extern const char* const SkinFileName;

// Parses the text of a skin file: sections "[NAME]" with lines
// "background = #rrggbb" (or "r, g, b"), "text", "border" and "hover". A
// section parses when it gives exactly these four colours, each once.
Skin ParseSkin(const QString& text);

// Reads <folder>/skin.ini; a missing folder or file gives a skin without
// any valid section.
Skin LoadSkin(const QString& folder);

// The style sheet for the controls of the valid sections; each control is
// found by its "skinKind" property.
QString SkinStyleSheet(const Skin& skin);

// Loads the skin of `folder` and applies it to the window.
void ApplySkin(QWidget* window, const QString& folder);
