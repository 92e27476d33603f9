#include "core/DrawList.h"

#include "core/Raster.h"

#include <QPainter>
#include <algorithm>

namespace zor {

namespace {

QRect Between(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
}

} // namespace

DrawList::Shape& DrawList::Add(Kind kind, const QRect& area)
{
    Shape& shape = shapes_.emplace_back();
    shape.kind = kind;
    shape.area = area;
    return shape;
}

void DrawList::Fill(int x1, int y1, int x2, int y2, QRgb colour)
{
    Add(Kind::Fill, Between(x1, y1, x2, y2)).colour = colour;
}

void DrawList::Outline(int x1, int y1, int x2, int y2, QRgb colour)
{
    const QRect r = Between(x1, y1, x2, y2);
    Fill(r.left(), r.top(), r.right(), r.top(), colour);
    Fill(r.left(), r.bottom(), r.right(), r.bottom(), colour);
    Fill(r.left(), r.top(), r.left(), r.bottom(), colour);
    Fill(r.right(), r.top(), r.right(), r.bottom(), colour);
}

void DrawList::Text(std::shared_ptr<const TextFace> face, int x, int top, const QString& text, QRgb colour)
{
    // Only the rows matter for banding; the text's width is the raster's
    // business.
    Shape& shape = Add(Kind::Text, QRect(QPoint(x, top + face->InkTop()), QPoint(x, top + face->InkBottom())));
    shape.colour = colour;
    shape.face = std::move(face);
    shape.text = text;
}

void DrawList::OptionPicture(const QImage& mask, const QImage& picture, int x, int y, bool shadow)
{
    if (shadow)
        Add(Kind::Mask, QRect(QPoint(x + 5, y + 5), mask.size())).image = mask;
    Add(Kind::Mask, QRect(QPoint(x, y), mask.size())).image = mask;
    Add(Kind::Image, QRect(QPoint(x, y), picture.size())).image = picture;
}

void DrawList::Picture(const QImage& picture, const QRect& target)
{
    Add(Kind::Picture, target).image = picture;
}

void DrawList::Draw(QImage& image, int top, int bottom) const
{
    Raster raster(image, top, bottom);
    for (const Shape& shape : shapes_) {
        if (shape.area.bottom() < top || shape.area.top() >= bottom)
            continue;
        switch (shape.kind) {
        case Kind::Fill:
            raster.Fill(shape.area.left(), shape.area.top(), shape.area.right(), shape.area.bottom(), shape.colour);
            break;
        case Kind::Text:
            shape.face->Draw(raster, shape.area.left(), shape.area.top() - shape.face->InkTop(), shape.text,
                             shape.colour);
            break;
        case Kind::Mask:
        case Kind::Image:
        case Kind::Picture: {
            QPainter painter(&raster.Image());
            painter.setClipRect(QRect(0, top, image.width(), bottom - top));
            if (shape.kind == Kind::Picture) {
                painter.setCompositionMode(QPainter::CompositionMode_Source);
                painter.drawImage(shape.area, shape.image);
            } else {
                painter.setCompositionMode(shape.kind == Kind::Mask ? QPainter::RasterOp_SourceAndDestination
                                                                    : QPainter::RasterOp_SourceOrDestination);
                painter.drawImage(shape.area.topLeft(), shape.image);
            }
            break;
        }
        }
    }
}

} // namespace zor
