#include "session/CountdownAnimation.h"

#include "session/BusyAnimation.h"

#include <QPainter>
#include <QtMath>

namespace zor {

QPixmap CountdownFrame(int number)
{
    constexpr int Frames = CountdownLastFrame - CountdownFirstFrame + 1;
    const int step = ((number - CountdownFirstFrame) % Frames + Frames) % Frames;
    return DrawnIcon([step](QPainter& painter) {
        painter.setPen(QPen(QColor(0, 0, 128), 2));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(0, 0), 14, 14);
        // The time gone by is filled in behind the hand.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(160, 190, 240));
        painter.drawPie(QRectF(-12, -12, 24, 24), 90 * 16, -step * 360 * 16 / Frames);
        const qreal angle = step * 2 * M_PI / Frames - M_PI / 2;
        painter.setPen(QPen(QColor(0, 0, 128), 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, 0), QPointF(qCos(angle) * 11, qSin(angle) * 11));
    });
}

} // namespace zor
