#pragma once

#include <QString>
#include <QStringList>

namespace zor {

// The tips of "tips.txt", walked line by line as the tips window shows them:
// "!" is a paragraph break, a line starting "{" begins a tip (the rest is its
// caption), "}" ends it, and any other line is text followed by one blank.
// Text before the first "{" belongs to the first tip shown.
struct TipWalk {
    QString Caption;
    QString Text;
    int TipStart = 0; // the line of the shown tip's "{"
    int TipPos = 0;   // the line at which the next tip is read
};

// The tip read from the walk's TipPos on. Running off the end without an end
// line leaves TipPos where it was; after the last tip the walk goes round to
// the first one.
TipWalk NextTip(const QStringList& lines, const TipWalk& walk);
// The tip before the shown one; the walk as it was on the first tip.
TipWalk PreviousTip(const QStringList& lines, const TipWalk& walk);

} // namespace zor
