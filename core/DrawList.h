#pragma once

#include "core/Raster.h"
#include "core/TextFace.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>
#include <algorithm>
#include <memory>
#include <vector>

namespace zor {

// The shapes of a redraw in the order they are drawn, so that a surface can
// be painted band by band: each band of rows stays in its processor's cache
// while every shape that reaches it is drawn, and bands are drawn side by
// side on the processor's cores. The result is the same as drawing the
// shapes one after another over the whole surface.
class DrawList {
public:
    // A rectangle given by two corner points, both included, in either order.
    void Fill(int x1, int y1, int x2, int y2, QRgb colour);
    void Outline(int x1, int y1, int x2, int y2, QRgb colour);
    // Text with its top left at (x, top).
    void Text(std::shared_ptr<const TextFace> face, int x, int top, const QString& text, QRgb colour);
    // A picture with its top left at (x, y), combined with what lies below.
    void Put(const QImage& picture, int x, int y, Raster::Combine how);

    // Room for the shapes of this many entities.
    void Reserve(int entities) { shapes_.reserve(static_cast<size_t>(std::max(entities, 0)) * 8); }
    // Draws every shape onto the image. Given a background, each band of
    // rows first gets the background's rows, as if it had been copied over
    // the image before.
    void Draw(QImage& image, const QImage* background = nullptr) const;

private:
    enum class Kind { Fill, Text, Put };
    struct Shape {
        Kind kind = Kind::Fill;
        QRect area; // the pixels it may touch
        QRgb colour = 0;
        Raster::Combine how = Raster::Combine::Copy;
        std::shared_ptr<const TextFace> face;
        QString text;
        QImage image;
    };
    Shape& Add(Kind kind, const QRect& area);
    void DrawShape(Raster& rows, const Shape& shape) const;

    std::vector<Shape> shapes_;
};

} // namespace zor
