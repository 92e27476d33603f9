#pragma once

#include <QFont>
#include <QStringList>
#include <QStringView>

class QImage;

namespace zor {

// The colours of the bar paper's bands, as Longs (red in the low byte).
constexpr qint32 BlueBar = 0xFFFFC0;
constexpr qint32 GreenBar = 0xC0FFC0;
// The paper always holds this many columns; a narrower window scrolls it.
constexpr int PaperColumns = 132;

// A row that stands for a page break ("+newpage" in any letter case).
bool IsPageBreak(QStringView row);

// How the paper looks: its band colour and the font chosen for it. Lines
// holding the find text are drawn bold whatever the font's own weight.
struct PaperLook {
    qint32 BarColor = BlueBar;
    QFont Font = DefaultPaperFont();
    static QFont DefaultPaperFont();
};

// The height of one paper line (the text height of "A") and the width of a
// column, in pixels of a 96-DPI surface; never below 1.
int PaperLineHeight(const QFont& font);
int PaperColumnWidth(const QFont& font);
// The lines of a page on paper of that height: the nearest whole number,
// never below 1 (nor above what an Integer holds).
int PageLinesOf(int paperHeight, int lineHeight);
// The paper's width for a viewport: the viewport's, or wider so that 132
// columns fit.
int PaperWidthFor(int viewportWidth, const QFont& font);

// Draws the page whose first line is row top on the paper: the bands, which
// stay where they are whatever the page, then rows top .. top + pageLines
// (the last one partly shown), a page break as a black rule. Only the columns
// the paper can show are drawn, so a page costs the same however long the
// report or its lines.
void DrawPaper(QImage& paper, const QStringList& rows, qsizetype top, int pageLines, const PaperLook& look,
               QStringView findText);

// The first row at or after from that holds text in any letter case; -1 when
// none does (or text is empty).
qsizetype FindRowFrom(const QStringList& rows, qsizetype from, QStringView text);

} // namespace zor
