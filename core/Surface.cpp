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

QRect WithinSize(const QRect& wanted, QSize most)
{
    return QRect(wanted.topLeft(), wanted.size().boundedTo(most).expandedTo(QSize(0, 0)));
}

QFont DefaultSurfaceFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    // Whole-pixel glyph advances and solid glyphs, as the host's screens were
    // laid out and drawn with.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setPointSizeF(8.25);
    return font;
}

} // namespace zor
