#include "session/BusyAnimation.h"

#include <QLabel>
#include <QPainter>
#include <QtMath>

namespace zor {

QPixmap DrawnIcon(const std::function<void(QPainter&)>& draw)
{
    constexpr int Size = 32;
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(Size / 2.0, Size / 2.0);
    draw(painter);
    return picture;
}

QPixmap BusyFrame(int number)
{
    constexpr int Spokes = BusyLastFrame - BusyFirstFrame + 1;
    const int lead = (number - BusyFirstFrame) % Spokes;
    return DrawnIcon([lead](QPainter& painter) {
        for (int spoke = 0; spoke < Spokes; ++spoke) {
            // The spoke of this frame is darkest; those behind it fade out.
            const int age = (lead - spoke + Spokes) % Spokes;
            painter.setPen(QPen(QColor(0, 0, 128, 255 - age * 14), 2.5, Qt::SolidLine, Qt::RoundCap));
            const qreal angle = spoke * 2 * M_PI / Spokes;
            painter.drawLine(QPointF(qCos(angle) * 7, qSin(angle) * 7), QPointF(qCos(angle) * 14, qSin(angle) * 14));
        }
    });
}

void AdvanceBusyAnimation(QLabel& picture, int& frame)
{
    if (!picture.isVisible())
        return;
    if (frame < BusyFirstFrame)
        frame = BusyFirstFrame;
    picture.setPixmap(BusyFrame(frame));
    ++frame;
    if (frame > BusyLastFrame)
        frame = BusyFirstFrame;
}

} // namespace zor
