#include "core/Raster.h"
#include "core/Surface.h"

#include <gtest/gtest.h>

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

TEST(Raster, FillsKeepToTheRowsOfTheirView)
{
    QImage image = MakeSurfaceImage(QSize(10, 10), QColor(Back));
    Raster(image).Rows(4, 6).Fill(-5, -5, 20, 20, qRgb(1, 2, 3));
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(image.pixel(5, y), y == 4 || y == 5 ? qRgb(1, 2, 3) : Back) << y;
}

} // namespace
