#include "core/Surface.h"

#include <QPainter>

namespace zor {

QImage MakeSurfaceImage(QSize size, const QColor& fill)
{
    QImage image(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    image.setDotsPerMeterX(SurfaceDotsPerMeter);
    image.setDotsPerMeterY(SurfaceDotsPerMeter);
    image.fill(fill);
    return image;
}

void ResizeSurface(QImage& image, QSize size, const QColor& fill)
{
    if (image.size() == size)
        return;
    QImage resized = MakeSurfaceImage(size, fill);
    if (!image.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, image);
    }
    image = resized;
}

QFont DefaultSurfaceFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(8.25);
    return font;
}

void FillBetween(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& colour)
{
    painter.fillRect(QRect(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2), qMax(y1, y2))), colour);
}

void OutlineBetween(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& colour)
{
    const int left = qMin(x1, x2);
    const int top = qMin(y1, y2);
    const int right = qMax(x1, x2);
    const int bottom = qMax(y1, y2);
    FillBetween(painter, left, top, right, top, colour);
    FillBetween(painter, left, bottom, right, bottom, colour);
    FillBetween(painter, left, top, left, bottom, colour);
    FillBetween(painter, right, top, right, bottom, colour);
}

} // namespace zor
