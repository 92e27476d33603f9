#pragma once

#include <QImage>
#include <QRgb>

namespace zor {

// Solid drawing straight into the scan lines of a 32-bit surface, clipped to
// it: the rectangles and text runs of a redraw, without a painter's set-up
// cost for each of the thousands of small shapes of a screen.
class Raster {
public:
    // The surface is turned into a 32-bit one when it is not. Drawing keeps
    // to the rows from top to before bottom.
    explicit Raster(QImage& image);
    Raster(QImage& image, int top, int bottom);

    // A rectangle given by two corner points, both included, in either order.
    void Fill(int x1, int y1, int x2, int y2, QRgb colour);
    void Outline(int x1, int y1, int x2, int y2, QRgb colour);
    // length pixels from (x, y) to the right.
    void Span(int x, int y, int length, QRgb colour);

    QImage& Image() { return image_; }

private:
    QImage& image_;
    uchar* bits_;
    qsizetype stride_;
    int width_;
    int top_;
    int bottom_;
};

} // namespace zor
