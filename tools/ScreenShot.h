#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace zor {

// A screen-shot size of the list: "640x480" is 640 by 480 pixels; "As Seen"
// is the size the screen is seen at. Nothing for any other text.
std::optional<QSize> ShotSize(const QString& entry, QSize seen);

// The whole picture stretched onto the size, pixel by nearest pixel.
QImage StretchedShot(const QImage& picture, QSize size);

// The picture as the bytes of a Windows bitmap file.
QByteArray BitmapBytes(const QImage& picture);

} // namespace zor
