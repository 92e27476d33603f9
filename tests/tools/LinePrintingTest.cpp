#include "tools/LinePrinting.h"
#include "tests/support/QtPrinters.h"

#include <QFont>
#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace zor;

TEST(LinePrintingTest, PagesBreakWhenFullAndWideLinesGoOnWithNothingLost)
{
    const QFontMetrics metrics(QFont(QStringLiteral("Courier New"), 10));
    const int perLine = metrics.horizontalAdvance(QLatin1Char('M'));
    const QSize page(perLine * 10, metrics.lineSpacing() * 3 + metrics.lineSpacing() / 2);
    QStringList lines;
    for (int i = 1; i <= 7; ++i)
        lines << QStringLiteral("line %1").arg(i);
    lines << QString() << QStringLiteral("0123456789abcdefghijKLM");

    const QList<QStringList> pages = PaginateLines(lines, metrics, page);
    ASSERT_EQ(pages.size(), 4);
    EXPECT_EQ(pages[0], (QStringList{"line 1", "line 2", "line 3"}));
    EXPECT_EQ(pages[2], (QStringList{"line 7", "", "0123456789"}));
    EXPECT_EQ(pages[3], (QStringList{"abcdefghij", "KLM"}));

    // A page too small for one line still takes one line at a time.
    EXPECT_EQ(PaginateLines({"a", "b"}, metrics, QSize(1, 1)).size(), 2);
}
