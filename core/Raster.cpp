#include "core/Raster.h"

#include <algorithm>
#include <cstring>
#if defined(__x86_64__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zor {

namespace {

constexpr QRgb Opaque = 0xFF000000u;

void FillNarrow(QRgb* first, QRgb* last, QRgb colour)
{
#if defined(__SSE2__)
    const __m128i quad = _mm_set1_epi32(static_cast<int>(colour));
    for (; last - first >= 4; first += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(first), quad);
#endif
    std::fill(first, last, colour);
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx2"))) void FillWide(QRgb* first, QRgb* last, QRgb colour)
{
    const __m256i eight = _mm256_set1_epi32(static_cast<int>(colour));
    for (; last - first >= 8; first += 8)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(first), eight);
    // The few pixels left, mostly the whole of a glyph's stroke, in one
    // store that leaves the pixels beyond them alone.
    const __m256i left = _mm256_set1_epi32(static_cast<int>(last - first));
    const __m256i mask = _mm256_cmpgt_epi32(left, _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    _mm256_maskstore_epi32(reinterpret_cast<int*>(first), mask, eight);
}

using FillFunction = void (*)(QRgb*, QRgb*, QRgb);

FillFunction ChooseFill()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? FillWide : FillNarrow;
}

const FillFunction ChosenFill = ChooseFill();
#else
constexpr auto ChosenFill = FillNarrow;
#endif

bool IsDirect(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

QRgb Combined(QRgb target, QRgb source, Raster::Combine how)
{
    switch (how) {
    case Raster::Combine::And:
        return (target & source) | Opaque;
    case Raster::Combine::Or:
        return target | source;
    case Raster::Combine::Copy:
        break;
    }
    return source | Opaque;
}

// A run of pixels of a source line onto a target line, one for one.
void CombineLine(QRgb* target, const QRgb* source, int count, Raster::Combine how)
{
    if (how == Raster::Combine::Copy) {
        std::memcpy(target, source, static_cast<size_t>(count) * sizeof(QRgb));
        return;
    }
    for (int i = 0; i < count; ++i)
        target[i] = Combined(target[i], source[i], how);
}

// Target column t of a stretch takes source column (2t + 1) * from / (2 * to),
// the one under the target pixel's centre; the column is stepped along
// exactly, without a division for each pixel.
struct ColumnStep {
    qint64 divisor, column, remainder, quotient, rest;
    ColumnStep(qint64 first, qint64 from, qint64 to) : divisor(2 * to)
    {
        const qint64 start = (2 * first + 1) * from;
        column = start / divisor;
        remainder = start % divisor;
        quotient = 2 * from / divisor;
        rest = 2 * from % divisor;
    }
    void Next()
    {
        column += quotient;
        remainder += rest;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++column;
        }
    }
};

} // namespace

void FillPixels(QRgb* first, QRgb* last, QRgb colour)
{
    ChosenFill(first, last, colour);
}

Raster::Raster(QImage& image)
{
    if (!image.isNull() && !IsDirect(image.format()))
        image = image.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return;
    bits_ = image.bits();
    stride_ = image.bytesPerLine();
    width_ = image.width();
    right_ = width_;
    bottom_ = image.height();
}

Raster Raster::Rows(int top, int bottom) const
{
    Raster rows = *this;
    rows.top_ = std::max(top, top_);
    rows.bottom_ = std::max(rows.top_, std::min(bottom, bottom_));
    return rows;
}

Raster Raster::Columns(int left, int right) const
{
    Raster columns = *this;
    columns.left_ = std::max(left, left_);
    columns.right_ = std::max(columns.left_, std::min(right, right_));
    return columns;
}

void Raster::Span(int x, int y, int length, QRgb colour)
{
    if (!bits_ || y < top_ || y >= bottom_)
        return;
    const int left = std::max(x, left_);
    const int right = static_cast<int>(std::min<qint64>(qint64(x) + length, right_));
    if (left >= right)
        return;
    QRgb* line = Line(y);
    FillPixels(line + left, line + right, colour | Opaque);
}

void Raster::Fill(int x1, int y1, int x2, int y2, QRgb colour)
{
    const int left = std::max(std::min(x1, x2), left_);
    const int right = std::min(std::max(x1, x2), right_ - 1);
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

void Raster::Put(const QImage& picture, const QRect& part, const QRect& target, Combine how)
{
    if (!bits_ || picture.isNull() || target.isEmpty())
        return;
    if (part.isEmpty() || (part & picture.rect()) != part)
        return;
    QImage converted;
    const QImage* source = &picture;
    if (picture.format() != QImage::Format_RGB32) {
        converted = picture.convertToFormat(QImage::Format_RGB32);
        source = &converted;
    }
    const qint64 left = std::max<qint64>(target.x(), left_);
    const qint64 right = std::min<qint64>(qint64(target.x()) + target.width(), right_);
    const qint64 top = std::max<qint64>(target.y(), top_);
    const qint64 bottom = std::min<qint64>(qint64(target.y()) + target.height(), bottom_);
    if (left >= right)
        return;
    const bool oneForOne = part.size() == target.size();
    for (qint64 row = top; row < bottom; ++row) {
        const qint64 y = oneForOne ? row - target.y()
                                   : ((2 * (row - target.y()) + 1) * part.height()) / (2 * qint64(target.height()));
        const auto* line =
            reinterpret_cast<const QRgb*>(source->constScanLine(part.y() + static_cast<int>(y))) + part.x();
        QRgb* out = Line(static_cast<int>(row));
        if (oneForOne) {
            CombineLine(out + left, line + (left - target.x()), static_cast<int>(right - left), how);
            continue;
        }
        ColumnStep step(left - target.x(), part.width(), target.width());
        for (qint64 x = left; x < right; ++x, step.Next())
            out[x] = Combined(out[x], line[step.column], how);
    }
}

} // namespace zor
