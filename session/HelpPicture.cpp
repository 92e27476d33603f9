#include "session/HelpPicture.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

namespace zor {

HelpPicture::HelpPicture(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HelpPicture::paintEvent(QPaintEvent* event)
{
    const QRect area = event->rect();
    QPainter painter(this);
    painter.fillRect(area, Page.BackColour());
    for (const HelpPage::Item& item : Page.Items()) {
        if (item.y > area.bottom() || item.y + item.height <= area.top())
            continue;
        painter.setPen(item.colour);
        if (item.rule) {
            painter.drawLine(0, item.y, width(), item.y);
            continue;
        }
        painter.setFont(item.font);
        painter.drawText(0, item.y + QFontMetrics(item.font).ascent(), item.text);
    }
}

} // namespace zor
