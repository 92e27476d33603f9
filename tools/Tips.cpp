#include "tools/Tips.h"

#include "core/Text.h"

namespace zor {

namespace {

const QString ParagraphBreak = QStringLiteral("\r\n\r\n");

// One walk from the position: what it read, and whether it found a tip.
TipWalk Walk(const QStringList& lines, const TipWalk& from, bool& foundTip)
{
    TipWalk walk = from;
    walk.Caption.clear();
    walk.Text.clear();
    foundTip = false;
    for (int i = qMax(0, from.TipPos); i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line == QLatin1String("!")) {
            walk.Text += ParagraphBreak;
        } else if (line.startsWith(QLatin1Char('{'))) {
            walk.Caption = Trim(line.mid(1));
            walk.TipStart = i;
            foundTip = true;
        } else if (Trim(line) == QLatin1String("}")) {
            walk.TipPos = i + 1;
            return walk;
        } else {
            walk.Text += line + QLatin1Char(' ');
            // Blank lines between tips (or after the last) are no tip of
            // their own: the walk must still go round to the first.
            foundTip = foundTip || !line.trimmed().isEmpty();
        }
    }
    return walk;
}

} // namespace

TipWalk NextTip(const QStringList& lines, const TipWalk& walk)
{
    bool foundTip = false;
    TipWalk next = Walk(lines, walk, foundTip);
    if (!foundTip && walk.TipPos > 0) {
        TipWalk first = walk;
        first.TipPos = 0;
        next = Walk(lines, first, foundTip);
    }
    return next;
}

TipWalk PreviousTip(const QStringList& lines, const TipWalk& walk)
{
    for (int i = qMin(walk.TipStart, static_cast<int>(lines.size())) - 1; i >= 0; --i) {
        if (lines[i].startsWith(QLatin1Char('{'))) {
            TipWalk from = walk;
            from.TipPos = i;
            return NextTip(lines, from);
        }
    }
    return walk;
}

} // namespace zor
