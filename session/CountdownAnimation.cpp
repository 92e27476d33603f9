#include "session/CountdownAnimation.h"

#include <QPainter>
#include <QtMath>

namespace zor {

QPixmap CountdownFrame(int number)
{
    constexpr int Size = 32;
    constexpr int Frames = CountdownLastFrame - CountdownFirstFrame + 1;
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(Size / 2.0, Size / 2.0);
    painter.setPen(QPen(QColor(0, 0, 128), 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(0, 0), 14, 14);
    // The time gone by is filled in behind the hand.
    const int step = ((number - CountdownFirstFrame) % Frames + Frames) % Frames;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(160, 190, 240));
    painter.drawPie(QRectF(-12, -12, 24, 24), 90 * 16, -step * 360 * 16 / Frames);
    const qreal angle = step * 2 * M_PI / Frames - M_PI / 2;
    painter.setPen(QPen(QColor(0, 0, 128), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, 0), QPointF(qCos(angle) * 11, qSin(angle) * 11));
    return picture;
}

} // namespace zor
