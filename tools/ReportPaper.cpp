#include "tools/ReportPaper.h"

#include "core/Colors.h"
#include "core/Rounding.h"
#include "core/Surface.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <limits>

namespace zor {

namespace {

// Fonts are measured on the surface they are drawn on (96 DPI).
const QImage& MeasuringSurface()
{
    static const QImage surface = MakeSurfaceImage(QSize(1, 1), Qt::white);
    return surface;
}

QFontMetrics PaperMetrics(const QFont& font)
{
    return QFontMetrics(font, &MeasuringSurface());
}

} // namespace

bool IsPageBreak(QStringView row)
{
    return row.compare(u"+newpage", Qt::CaseInsensitive) == 0;
}

QFont PaperLook::DefaultPaperFont()
{
    return DefaultSurfaceFont();
}

int PaperLineHeight(const QFont& font)
{
    return std::max(1, PaperMetrics(font).height());
}

int PaperColumnWidth(const QFont& font)
{
    return std::max(1, PaperMetrics(font).horizontalAdvance(QLatin1Char('A')));
}

int PageLinesOf(int paperHeight, int lineHeight)
{
    const double lines = RoundHalfEven(static_cast<double>(paperHeight) / std::max(1, lineHeight));
    return static_cast<int>(std::clamp(lines, 1.0, static_cast<double>(std::numeric_limits<qint16>::max())));
}

int PaperWidthFor(int viewportWidth, const QFont& font)
{
    return std::max(viewportWidth, PaperColumns * PaperColumnWidth(font));
}

void DrawPaper(QImage& paper, const QStringList& rows, qsizetype top, int pageLines, const PaperLook& look,
               QStringView findText)
{
    const int h = PaperLineHeight(look.Font);
    const int width = paper.width();
    paper.fill(Qt::white);
    QPainter painter(&paper);
    const QColor bar = ToQColor(look.BarColor);
    for (int i = 3; i <= pageLines; i += 6)
        painter.fillRect(QRect(0, i * h, width, 3 * h), bar);

    QFont regular = look.Font;
    regular.setBold(false);
    QFont bold = look.Font;
    bold.setBold(true);
    const int ascent = PaperMetrics(regular).ascent();
    const qsizetype columns = width / PaperColumnWidth(regular) + 1;
    painter.setPen(Qt::black);
    painter.setFont(regular);
    bool drawnBold = false;
    const qsizetype last = std::min<qsizetype>(rows.size() - 1, top + pageLines);
    int y = 0;
    for (qsizetype r = std::max<qsizetype>(top, 0); r <= last; ++r, y += h) {
        const QString& row = rows[r];
        if (IsPageBreak(row)) {
            painter.drawLine(0, y, width, y);
            continue;
        }
        const bool wantBold = findText.isEmpty() ? look.Font.bold() : row.contains(findText, Qt::CaseInsensitive);
        if (wantBold != drawnBold) {
            painter.setFont(wantBold ? bold : regular);
            drawnBold = wantBold;
        }
        painter.drawText(0, y + ascent, row.size() > columns ? row.left(columns) : row);
    }
}

qsizetype FindRowFrom(const QStringList& rows, qsizetype from, QStringView text)
{
    if (text.isEmpty())
        return -1;
    for (qsizetype r = std::max<qsizetype>(from, 0); r < rows.size(); ++r)
        if (QStringView(rows[r]).contains(text, Qt::CaseInsensitive))
            return r;
    return -1;
}

} // namespace zor
