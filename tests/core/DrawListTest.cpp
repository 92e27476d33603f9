#include "core/DrawList.h"
#include "core/Surface.h"

#include <QFont>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace zor;

namespace {

const QRgb Back = qRgb(40, 90, 40);

// One shape given to the list and drawn on its own onto the reference.
using Step = std::function<void(DrawList&, Raster&)>;

QImage Picture(QSize size, QRgb colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    picture.setPixel(0, 0, qRgb(255, 255, 255));
    return picture;
}

// Shapes of every kind scattered over and beyond a surface of the size, so
// that many cross from one band of rows into the next and over the edges.
std::vector<Step> Scatter(QSize size, const std::shared_ptr<const TextFace>& face)
{
    std::mt19937 random(7);
    const auto coordinate = [&](int extent) { return std::uniform_int_distribution<int>(-60, extent + 20)(random); };
    const auto colour = [&] { return qRgb(int(random() % 256), int(random() % 256), int(random() % 256)); };
    const QString captions[] = {QStringLiteral("Stock on hand"), QStringLiteral("W"), QStringLiteral("Qty: 12 @ 4.50")};
    std::vector<Step> steps;
    for (int i = 0; i < 300; ++i) {
        const int x = coordinate(size.width());
        const int y = coordinate(size.height());
        const int x2 = x + int(random() % 200) - 20;
        const int y2 = y + int(random() % 90) - 10;
        const QRgb c = colour();
        switch (i % 5) {
        case 0:
            steps.push_back([=](DrawList& l, Raster& r) {
                l.Fill(x, y, x2, y2, c);
                r.Fill(x, y, x2, y2, c);
            });
            break;
        case 1:
            steps.push_back([=](DrawList& l, Raster& r) {
                l.Outline(x, y, x2, y2, c);
                r.Outline(x, y, x2, y2, c);
            });
            break;
        case 2: {
            const QString text = captions[i % 3];
            steps.push_back([=](DrawList& l, Raster& r) {
                l.Text(face, x, y, text, c);
                face->Draw(r, x, y, text, c);
            });
            break;
        }
        default: {
            // Pictures at their size and stretched, whole and in part.
            const QImage picture = Picture(QSize(2 + int(random() % 40), 2 + int(random() % 30)), c);
            const QRect part = i % 3 ? picture.rect() : QRect(1, 1, picture.width() - 1, picture.height() / 2);
            const QSize size = i % 2 ? part.size() : QSize(1 + int(random() % 150), 1 + int(random() % 80));
            const QRect target(x, y, size.width(), size.height());
            const auto how = i % 5 == 3 ? Raster::Combine::And : (i % 2 ? Raster::Combine::Or : Raster::Combine::Copy);
            steps.push_back([=](DrawList& l, Raster& r) {
                l.Put(picture, part, target, how);
                r.Put(picture, part, target, how);
            });
            break;
        }
        }
    }
    return steps;
}

std::shared_ptr<const TextFace> Face(const QImage& surface)
{
    QFont font = DefaultSurfaceFont();
    font.setPointSizeF(14);
    return TextFace::For(font, surface);
}

TEST(DrawList, BandsDrawnSideBySideGiveTheSameSurfaceAsShapesDrawnOneAfterAnother)
{
    // Sizes that are no whole number of bands, and one smaller than a band.
    for (const QSize size : {QSize(333, 517), QSize(97, 21), QSize(640, 64)}) {
        QImage background = MakeSurfaceImage(size, QColor(Back));
        for (int y = 0; y < size.height(); y += 3)
            background.setPixel(y % size.width(), y, qRgb(9, 9, 9));
        const std::vector<Step> steps = Scatter(size, Face(background));

        QImage expected = background.copy();
        Raster reference(expected);
        DrawList list;
        DrawList halves[2];
        QImage scratch = MakeSurfaceImage(QSize(1, 1), Qt::white);
        Raster nowhere = Raster(scratch).Rows(0, 0);
        for (size_t i = 0; i < steps.size(); ++i) {
            steps[i](list, reference);
            steps[i](halves[i < steps.size() / 2 ? 0 : 1], nowhere);
        }

        QImage alone = background.copy();
        list.Draw(alone);
        EXPECT_EQ(alone, expected) << size.width() << "x" << size.height();

        // A job of two lists one after the other, beside a second job.
        QImage split = background.copy();
        QImage other = background.copy();
        Draw({{halves, split}, {{&list, 1}, other}});
        EXPECT_EQ(split, expected) << size.width() << "x" << size.height();
        EXPECT_EQ(other, expected) << size.width() << "x" << size.height();
    }
}

TEST(DrawList, TextCutByAnEdgeLeavesTheOtherSideOfTheSurfaceAlone)
{
    QImage image = MakeSurfaceImage(QSize(120, 40), QColor(Back));
    const std::shared_ptr<const TextFace> face = Face(image);
    const QString text = QStringLiteral("MMMMMMMM");
    DrawList list;
    list.Text(face, 120 - face->Width(text) / 2, 5, text, qRgb(255, 0, 0));
    list.Text(face, -face->Width(text) / 2, 5, text, qRgb(0, 0, 255));
    list.Draw(image);
    // Both halves show, red only at the right edge and blue only at the
    // left: nothing ran over into the neighbouring rows' other end.
    int red = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 0, 0)) {
                ++red;
                EXPECT_GE(x, 50) << y;
            } else if (image.pixel(x, y) == qRgb(0, 0, 255)) {
                ++blue;
                EXPECT_LT(x, 70) << y;
            }
        }
    }
    EXPECT_GT(red, 0);
    EXPECT_GT(blue, 0);
}

std::shared_ptr<const TextFace> LargeFace(const QImage& surface)
{
    QFont font = DefaultSurfaceFont();
    font.setPointSizeF(90);
    return TextFace::For(font, surface);
}

TEST(DrawList, TheBoundsOfAShapeHoldEveryPixelItSets)
{
    const QSize size(333, 517);
    const QImage background = MakeSurfaceImage(size, QColor(Back));
    for (const auto& face : {Face(background), LargeFace(background)}) {
        QImage scratch = MakeSurfaceImage(QSize(1, 1), Qt::white);
        Raster nowhere = Raster(scratch).Rows(0, 0);
        for (const Step& step : Scatter(size, face)) {
            DrawList list;
            step(list, nowhere);
            const QRect bounds = list.Bounds(0);
            QImage drawn = background.copy();
            list.Draw(drawn);
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    if (drawn.pixel(x, y) != background.pixel(x, y)) {
                        ASSERT_TRUE(bounds.contains(x, y)) << x << "," << y << " outside the bounds";
                    }
                }
            }
        }
    }
}

TEST(DrawList, DrawingOnlyWithinRectanglesGivesTheWholeDrawThereAndLeavesOtherRows)
{
    const QSize size(333, 517);
    QImage background = MakeSurfaceImage(size, QColor(Back));
    for (int y = 0; y < size.height(); y += 3)
        background.setPixel(y % size.width(), y, qRgb(9, 9, 9));
    QImage expected = background.copy();
    Raster reference(expected);
    DrawList list;
    for (const auto& face : {Face(background), LargeFace(background)}) {
        for (const Step& step : Scatter(size, face))
            step(list, reference);
    }
    const QRgb blank = qRgb(255, 255, 255);

    // The picture under the shapes stands for what the image held.
    QImage whole = MakeSurfaceImage(size, QColor(blank));
    Draw({{{&list, 1}, whole, &background}});
    EXPECT_EQ(whole, expected);

    // Rows 50..79 reach bands 1 and 2, rows 300..389 bands 9 to 12.
    const std::vector<QRect> only = {QRect(40, 50, 100, 30), QRect(200, 300, 50, 90)};
    QImage part = MakeSurfaceImage(size, QColor(blank));
    Draw({{{&list, 1}, part, &background, &only}});
    for (const QRect& r : only) {
        EXPECT_EQ(part.copy(r), expected.copy(r)) << r.x() << "," << r.y();
    }
    const QRect untouched[] = {QRect(0, 0, 333, 32), QRect(0, 96, 333, 192), QRect(0, 416, 333, 101),
                               QRect(140, 32, 193, 64), QRect(0, 288, 200, 128)};
    for (const QRect& r : untouched) {
        EXPECT_EQ(part.copy(r), MakeSurfaceImage(r.size(), QColor(blank))) << r.x() << "," << r.y();
    }
}

TEST(DrawList, AClearedListDrawsNothingAndTakesNewShapes)
{
    QImage image = MakeSurfaceImage(QSize(50, 50), QColor(Back));
    DrawList list;
    list.Fill(0, 0, 49, 49, qRgb(255, 0, 0));
    list.Clear();
    list.Draw(image);
    EXPECT_EQ(image, MakeSurfaceImage(QSize(50, 50), QColor(Back)));
    list.Fill(10, 10, 10, 10, qRgb(0, 0, 255));
    list.Draw(image);
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(11, 10), Back);
}

} // namespace
