#include "core/Raster.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zor {

namespace {

// A redraw fills millions of pixels: four at a time where the processor can.
void FillPixels(QRgb* first, QRgb* last, QRgb colour)
{
#if defined(__SSE2__)
    const __m128i quad = _mm_set1_epi32(static_cast<int>(colour));
    for (; last - first >= 4; first += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(first), quad);
#endif
    std::fill(first, last, colour);
}

bool IsDirect(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

Raster::Raster(QImage& image) : Raster(image, 0, image.height()) {}

Raster::Raster(QImage& image, int top, int bottom) : image_(image)
{
    if (!image_.isNull() && !IsDirect(image_.format()))
        image_ = image_.convertToFormat(QImage::Format_RGB32);
    bits_ = image_.isNull() ? nullptr : image_.bits();
    stride_ = image_.bytesPerLine();
    width_ = image_.width();
    top_ = std::max(top, 0);
    bottom_ = std::min(bottom, image_.height());
}

void Raster::Span(int x, int y, int length, QRgb colour)
{
    if (!bits_ || y < top_ || y >= bottom_)
        return;
    const int left = std::max(x, 0);
    const int right = static_cast<int>(std::min<qint64>(qint64(x) + length, width_));
    if (left >= right)
        return;
    auto* line = reinterpret_cast<QRgb*>(bits_ + y * stride_);
    FillPixels(line + left, line + right, colour | 0xFF000000u);
}

void Raster::Fill(int x1, int y1, int x2, int y2, QRgb colour)
{
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), width_ - 1);
    const int top = std::max(std::min(y1, y2), top_);
    const int bottom = std::min(std::max(y1, y2), bottom_ - 1);
    if (left > right)
        return;
    for (int y = top; y <= bottom; ++y)
        Span(left, y, right - left + 1, colour);
}

void Raster::Outline(int x1, int y1, int x2, int y2, QRgb colour)
{
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    const int right = std::max(x1, x2);
    const int bottom = std::max(y1, y2);
    Fill(left, top, right, top, colour);
    Fill(left, bottom, right, bottom, colour);
    Fill(left, top, left, bottom, colour);
    Fill(right, top, right, bottom, colour);
}

} // namespace zor
