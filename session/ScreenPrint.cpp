#include "session/ScreenPrint.h"

#include "core/SharedState.h"
#include "core/Text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <algorithm>

namespace zor {

namespace {

constexpr int ColumnTwips = 135;
constexpr int RowTwips = 300;
constexpr double TwipsPerInch = 1440.0;
constexpr double ScreenDpi = 96.0;

bool IsButton(const Entity& entity)
{
    return entity.EntityType == KindActionButton || entity.EntityType == KindSmallButton;
}

} // namespace

std::vector<PrintedText> ScreenTextLayout()
{
    std::vector<PrintedText> items;
    for (int i = 0; i < std::min<int>(EntityCount, EntitySlots); ++i) {
        const Entity& entity = Entities[static_cast<size_t>(i)];
        if (IsButton(entity))
            continue;
        items.push_back({entity.X * ColumnTwips, entity.Y * RowTwips, Trim(entity.Caption)});
    }
    return items;
}

bool PrintScreenText(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double scale = printer.resolution() / TwipsPerInch;
    const int ascent = QFontMetrics(painter.font(), &printer).ascent();
    for (const PrintedText& item : ScreenTextLayout())
        painter.drawText(QPointF(item.x * scale, item.y * scale + ascent), item.text);
    return painter.end();
}

bool PrintScreenShot(QPrinter& printer, const QPixmap& picture)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double atSize = printer.resolution() / ScreenDpi;
    const double fit = std::min({atSize, page.width() / picture.width(), page.height() / picture.height()});
    painter.drawPixmap(QRectF(0, 0, picture.width() * fit, picture.height() * fit), picture, picture.rect());
    return painter.end();
}

} // namespace zor
