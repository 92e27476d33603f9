#include "session/BusyAnimation.h"

#include <QLabel>
#include <QPainter>
#include <QtMath>
#include <array>

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

namespace {

constexpr int Spokes = BusyLastFrame - BusyFirstFrame + 1;

QPixmap PaintBusyFrame(int number)
{
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

} // namespace

QPixmap BusyFrame(int number)
{
    // Painted once: the host turns the indicator with every status message.
    // Kept to the end of the process, past the application it was made in.
    static const auto* frames = [] {
        auto* painted = new std::array<QPixmap, Spokes>;
        for (int i = 0; i < Spokes; ++i)
            (*painted)[static_cast<size_t>(i)] = PaintBusyFrame(BusyFirstFrame + i);
        return painted;
    }();
    const int index = ((number - BusyFirstFrame) % Spokes + Spokes) % Spokes;
    return (*frames)[static_cast<size_t>(index)];
}

void ShowNextBusyFrame(QLabel& picture, int& frame)
{
    if (frame < BusyFirstFrame)
        frame = BusyFirstFrame;
    picture.setPixmap(BusyFrame(frame));
    ++frame;
    if (frame > BusyLastFrame)
        frame = BusyFirstFrame;
}

void AdvanceBusyAnimation(QLabel& picture, int& frame)
{
    if (picture.isVisible())
        ShowNextBusyFrame(picture, frame);
}

} // namespace zor
