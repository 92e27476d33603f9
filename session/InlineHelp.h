#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace zor {

// One line of the host's inline help, as it is to be taken.
struct HelpLine {
    enum Kind {
        Directive, // "+key=value" (key lower-cased, both trimmed) or "+key" (key exact)
        Ignored,   // begins with "{" or "}"
        Text,      // printed as it stands
    };
    Kind kind = Text;
    QString key;
    QString value;
};
HelpLine ParseHelpLine(const QString& line);

// A directive's colour: "&h" and hexadecimal digits for a colour Long (red in
// the low byte, system colours from &H80000000), otherwise a number of the
// basic palette 0..15. None for anything else.
std::optional<qint32> HelpColour(const QString& value);
// "True" / "False" (any case) or a number, 0 being false. None otherwise.
std::optional<bool> HelpBoolean(const QString& value);

// The help page the host builds line by line: what is printed where, in
// which font and colour. Painting shows it; nothing of it is a picture, so a
// long help costs its lines, not an image of their size.
class HelpPage {
public:
    struct Item {
        int y = 0;
        int height = 0;
        QString text; // empty for a line across the page
        QFont font;
        QColor colour;
        bool rule = false;
    };
    // Bounds on what the host can make the page hold: lines printed below
    // MaxHeight, items beyond MaxItems and characters of a line beyond
    // MaxLineLength could never be seen and are dropped.
    static constexpr int MaxHeight = 32767;
    static constexpr int MaxItems = 20000;
    static constexpr int MaxLineLength = 1000;
    // Sizes of a font the host may choose, in points.
    static constexpr double MinPoints = 1;
    static constexpr double MaxPoints = 200;

    HelpPage();

    // Takes one help line. captionHeight is where "bold" moves the print
    // position to. For a printed line, its text width; otherwise 0.
    int Apply(const QString& line, int captionHeight);
    // Empties the page; the print position goes back to the top left.
    void Clear();

    const std::vector<Item>& Items() const { return items_; }
    int PrintY() const { return printY_; }
    // The text height of "A" in the current font.
    int LineHeight() const;
    QFont Font() const { return font_; }
    QColor ForeColour() const { return fore_; }
    QColor BackColour() const { return back_; }

private:
    void ApplyDirective(const HelpLine& line, int captionHeight);
    int Print(const QString& text);
    bool Add(Item item);

    std::vector<Item> items_;
    QFont font_;
    QColor fore_ = Qt::black;
    QColor back_ = Qt::white;
    int printY_ = 0;
    bool dropTraced_ = false;
};

} // namespace zor
