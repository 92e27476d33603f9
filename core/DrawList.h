#pragma once

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
// be painted band by band: each band of rows stays in the processor's cache
// while every shape that reaches it is drawn. The result is the same as
// drawing the shapes one after another over the whole surface.
class DrawList {
public:
    // A rectangle given by two corner points, both included, in either order.
    void Fill(int x1, int y1, int x2, int y2, QRgb colour);
    void Outline(int x1, int y1, int x2, int y2, QRgb colour);
    // Text with its top left at (x, top).
    void Text(std::shared_ptr<const TextFace> face, int x, int top, const QString& text, QRgb colour);
    // An option picture: the mask is and-ed in, the picture or-ed over it;
    // with a shadow the mask is and-ed in 5 pixels down and right first.
    void OptionPicture(const QImage& mask, const QImage& picture, int x, int y, bool shadow);
    // A picture stretched over the rectangle.
    void Picture(const QImage& picture, const QRect& target);

    // Room for the shapes of this many entities.
    void Reserve(int entities) { shapes_.reserve(static_cast<size_t>(std::max(entities, 0)) * 8); }
    // Draws every shape that reaches rows top .. bottom - 1, clipped to them.
    void Draw(QImage& image, int top, int bottom) const;

private:
    enum class Kind { Fill, Text, Mask, Image, Picture };
    struct Shape {
        Kind kind = Kind::Fill;
        QRect area; // the pixels it may touch
        QRgb colour = 0;
        std::shared_ptr<const TextFace> face;
        QString text;
        QImage image;
    };
    Shape& Add(Kind kind, const QRect& area);

    std::vector<Shape> shapes_;
};

} // namespace zor
