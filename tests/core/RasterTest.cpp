#include "core/Raster.h"
#include "core/Surface.h"

#include <gtest/gtest.h>
#include <vector>

using namespace zor;

namespace {

const QRgb Back = qRgb(0x0F, 0xF0, 0x3C);

TEST(Raster, PicturesCombineWithTheSurfaceAndAreCutAtItsEdgesAndRows)
{
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(qRgb(0x33, 0x55, 0xFF));
    struct Case {
        const char* what;
        Raster::Combine how;
        QRgb inside;
    };
    const Case cases[] = {
        {"copy", Raster::Combine::Copy, qRgb(0x33, 0x55, 0xFF)},
        {"and", Raster::Combine::And, qRgb(0x0F & 0x33, 0xF0 & 0x55, 0x3C & 0xFF)},
        {"or", Raster::Combine::Or, qRgb(0x0F | 0x33, 0xF0 | 0x55, 0x3C | 0xFF)},
    };
    for (const Case& c : cases) {
        QImage image = MakeSurfaceImage(QSize(10, 8), QColor(Back));
        Raster raster(image);
        raster.Put(picture, -2, -1, c.how);          // its lower right part at the top left
        raster.Put(picture, 8, 6, c.how);            // its upper left part at the bottom right
        raster.Rows(3, 5).Put(picture, 4, 2, c.how); // rows 3 and 4 only
        EXPECT_EQ(image.pixel(0, 0), c.inside) << c.what;
        EXPECT_EQ(image.pixel(1, 1), c.inside) << c.what;
        EXPECT_EQ(image.pixel(2, 0), Back) << c.what;
        EXPECT_EQ(image.pixel(0, 2), Back) << c.what;
        EXPECT_EQ(image.pixel(9, 7), c.inside) << c.what;
        EXPECT_EQ(image.pixel(7, 7), Back) << c.what;
        EXPECT_EQ(image.pixel(5, 2), Back) << c.what;
        EXPECT_EQ(image.pixel(5, 3), c.inside) << c.what;
        EXPECT_EQ(image.pixel(7, 4), c.inside) << c.what;
        EXPECT_EQ(image.pixel(5, 5), Back) << c.what;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255) << c.what;
    }
}

TEST(Raster, StretchedPicturesTakeTheNearestPixelAndOnlyTheShownOnesAreWorkedOut)
{
    // Four colours, one a quarter.
    QImage picture(2, 2, QImage::Format_RGB32);
    const QRgb a = qRgb(255, 0, 0), b = qRgb(0, 255, 0), c = qRgb(0, 0, 255), d = qRgb(9, 9, 9);
    picture.setPixel(0, 0, a);
    picture.setPixel(1, 0, b);
    picture.setPixel(0, 1, c);
    picture.setPixel(1, 1, d);
    const auto rows = [](const QImage& image) {
        std::vector<std::vector<QRgb>> lines;
        for (int y = 0; y < image.height(); ++y) {
            lines.emplace_back();
            for (int x = 0; x < image.width(); ++x)
                lines.back().push_back(image.pixel(x, y));
        }
        return lines;
    };
    struct Case {
        QRect part;
        QSize size;
        std::vector<std::vector<QRgb>> expected;
    };
    const Case cases[] = {
        {picture.rect(), QSize(4, 3), {{a, a, b, b}, {c, c, d, d}, {c, c, d, d}}},
        {picture.rect(), QSize(3, 3), {{a, b, b}, {c, d, d}, {c, d, d}}},
        {QRect(1, 0, 1, 2), QSize(2, 4), {{b, b}, {b, b}, {d, d}, {d, d}}},
    };
    for (const Case& k : cases) {
        QImage image = MakeSurfaceImage(k.size, QColor(Back));
        Raster(image).Put(picture, k.part, QRect(QPoint(0, 0), k.size), Raster::Combine::Copy);
        EXPECT_EQ(rows(image), k.expected) << k.size.width() << "x" << k.size.height();
    }

    // A picture stretched far beyond the surface: the shown corner only.
    QImage image = MakeSurfaceImage(QSize(10, 10), QColor(Back));
    Raster(image).Put(picture, picture.rect(), QRect(-1000000, -5, 3000000, 20), Raster::Combine::Copy);
    EXPECT_EQ(image.pixel(9, 4), a);
    EXPECT_EQ(image.pixel(0, 5), c);
}

TEST(Raster, PicturesOfOtherFormatsAndSurfacesOfOtherFormatsAreDrawnAsColours)
{
    QImage picture(2, 2, QImage::Format_RGB888);
    picture.fill(qRgb(10, 20, 30));
    QImage image(4, 4, QImage::Format_RGB16);
    image.fill(Qt::white);
    Raster raster(image);
    raster.Put(picture, 1, 1, Raster::Combine::Copy);
    EXPECT_EQ(image.depth(), 32);
    EXPECT_EQ(image.pixel(1, 1), qRgb(10, 20, 30));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(Raster, FillsKeepToTheRowsAndColumnsOfTheirView)
{
    QImage image = MakeSurfaceImage(QSize(10, 10), QColor(Back));
    Raster(image).Rows(4, 6).Columns(2, 7).Fill(-5, -5, 20, 20, qRgb(1, 2, 3));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = (y == 4 || y == 5) && x >= 2 && x < 7;
            EXPECT_EQ(image.pixel(x, y), inside ? qRgb(1, 2, 3) : Back) << x << "," << y;
        }
    }
}

TEST(Raster, PixelFillsOfEveryLengthSetExactlyTheirPixels)
{
    for (int from = 0; from < 9; ++from) {
        for (int length = 0; length <= 20; ++length) {
            std::vector<QRgb> line(40, Back);
            FillPixels(line.data() + from, line.data() + from + length, qRgb(1, 2, 3));
            for (int x = 0; x < 40; ++x) {
                const bool inside = x >= from && x < from + length;
                ASSERT_EQ(line[static_cast<size_t>(x)], inside ? qRgb(1, 2, 3) : Back) << from << "+" << length;
            }
        }
    }
}

} // namespace
