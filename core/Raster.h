#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

namespace zor {

// Sets the pixels first .. last - 1 to the colour, as many at a time as the
// processor can: a redraw fills millions of pixels.
void FillPixels(QRgb* first, QRgb* last, QRgb colour);

// Solid drawing straight into the scan lines of a 32-bit surface, clipped to
// it: the rectangles, text runs and pictures of a redraw, without a painter's
// set-up cost for each of the thousands of small shapes of a screen.
class Raster {
public:
    // How a picture's pixels meet the surface's.
    enum class Combine { Copy, And, Or };

    // The surface is turned into a 32-bit one when it is not.
    explicit Raster(QImage& image);

    // The same pixels with drawing kept to rows top .. bottom - 1. Views of
    // rows that do not overlap may be drawn on from different threads.
    Raster Rows(int top, int bottom) const;
    // The same pixels with drawing kept to columns left .. right - 1 too.
    Raster Columns(int left, int right) const;

    int Width() const { return width_; }
    // The columns drawing is kept to: Left() .. Right() - 1.
    int Left() const { return left_; }
    int Right() const { return right_; }
    int Top() const { return top_; }
    int Bottom() const { return bottom_; }
    // The pixels of row y, which must lie in Top() .. Bottom() - 1.
    QRgb* Line(int y) const { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }

    // A rectangle given by two corner points, both included, in either order.
    void Fill(int x1, int y1, int x2, int y2, QRgb colour);
    void Outline(int x1, int y1, int x2, int y2, QRgb colour);
    // length pixels from (x, y) to the right.
    void Span(int x, int y, int length, QRgb colour);
    // The picture with its top left at (x, y).
    void Put(const QImage& picture, int x, int y, Combine how)
    {
        Put(picture, picture.rect(), QRect(QPoint(x, y), picture.size()), how);
    }
    // The part of the picture stretched over the target rectangle, each
    // pixel taken from the part's pixel nearest to it. Only the pixels that
    // show are worked out, however large the target.
    void Put(const QImage& picture, const QRect& part, const QRect& target, Combine how);

private:
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int left_ = 0;
    int right_ = 0;
    int top_ = 0;
    int bottom_ = 0;
};

} // namespace zor
