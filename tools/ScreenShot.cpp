#include "tools/ScreenShot.h"

#include <QBuffer>
#include <QPainter>

namespace zor {

std::optional<QSize> ShotSize(const QString& entry, QSize seen)
{
    if (entry == QLatin1String("As Seen"))
        return seen;
    const qsizetype x = entry.indexOf(QLatin1Char('x'));
    bool wide = false;
    bool high = false;
    const int width = entry.left(x).toInt(&wide);
    const int height = entry.mid(x + 1).toInt(&high);
    if (x < 0 || !wide || !high)
        return std::nullopt;
    return QSize(width, height);
}

QImage StretchedShot(const QImage& picture, QSize size)
{
    QImage shot(size, QImage::Format_RGB32);
    shot.fill(Qt::black);
    QPainter painter(&shot);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(QPoint(0, 0), size), picture);
    return shot;
}

QByteArray BitmapBytes(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

} // namespace zor
