#pragma once

#include "core/Raster.h"
#include "core/TextFace.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QStringView>
#include <algorithm>
#include <initializer_list>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace zor {

class DrawList;

// Lists of shapes to draw onto one image, one list after the other.
struct DrawJob {
    std::span<const DrawList> lists;
    QImage& image;
    // A picture put under the shapes first, its top left at the image's.
    const QImage* under = nullptr;
    // When given, only the rows of these rectangles are drawn, each band of
    // rows between the leftmost and the rightmost of them that reach it:
    // there the image gets what drawing it whole gives, elsewhere it keeps
    // its pixels.
    const std::vector<QRect>* only = nullptr;
};

// Draws every job; the bands of all of them are drawn side by side.
void Draw(std::span<const DrawJob> jobs);
inline void Draw(std::initializer_list<DrawJob> jobs)
{
    Draw(std::span(jobs.begin(), jobs.size()));
}

// The shapes of a redraw in the order they are drawn, so that a surface can
// be painted band by band: each band of rows stays in its processor's cache
// while every shape that reaches it is drawn, and bands are drawn side by
// side on the processor's cores. The result is the same as drawing the
// shapes one after another over the whole surface.
class DrawList {
public:
    // Rows of a band: small enough for the bands of a screen to share out
    // well over the cores, large enough that few shapes cross from one into
    // the next.
    static constexpr int BandRows = 32;

    // A rectangle given by two corner points, both included, in either order.
    void Fill(int x1, int y1, int x2, int y2, QRgb colour);
    void Outline(int x1, int y1, int x2, int y2, QRgb colour);
    // Text with its top left at (x, top).
    void Text(const std::shared_ptr<const TextFace>& face, int x, int top, QStringView text, QRgb colour);
    // The part of a picture stretched over the target rectangle, combined
    // with what lies below.
    void Put(const QImage& picture, const QRect& part, const QRect& target, Raster::Combine how);

    // How many shapes the list holds, and the pixels that the shapes from
    // the first'th on may touch.
    size_t Shapes() const { return shapes_.size(); }
    QRect Bounds(size_t first) const;

    // Forgets the shapes and keeps the room they took.
    void Clear();
    // Room for the shapes of this many entities.
    void Reserve(int entities)
    {
        const size_t count = static_cast<size_t>(std::max(entities, 0));
        shapes_.reserve(count * 8);
        texts_.reserve(count);
        chars_.reserve(count * 32);
    }
    // Draws every shape onto the image.
    void Draw(QImage& image) const { zor::Draw({{{this, 1}, image}}); }

private:
    enum class Kind : quint8 { Fill, Text, Put };
    // Kept small: a screen has thousands of shapes, most of them rectangles.
    struct Shape {
        QRect area; // the pixels it may touch
        QRgb colour = 0;
        Kind kind = Kind::Fill;
        Raster::Combine how = Raster::Combine::Copy;
        int item = 0; // the shape's text or picture
    };
    struct PictureItem {
        QImage picture;
        QRect part;
    };
    struct TextItem {
        const TextFace* face;
        int x, top;
        size_t from; // in chars_
        size_t length;
    };
    // The bands of one image with the shapes that reach each of them.
    struct Bands {
        Raster raster;
        const QImage* under = nullptr;
        std::vector<int> first; // the shapes of band b: order[first[b]] .. order[first[b + 1] - 1]
        std::vector<std::pair<const DrawList*, int>> order;
        std::vector<int> busy; // the bands with anything to draw
        // The columns drawn in band b, left included, right not; all when
        // empty.
        std::vector<std::pair<int, int>> columns;
    };
    friend void Draw(std::span<const DrawJob> jobs);

    Shape& Add(Kind kind, const QRect& area);
    static Bands Plan(const DrawJob& job);
    static void DrawBand(const Bands& bands, int band);
    void DrawShape(Raster& rows, const Shape& shape) const;

    std::vector<Shape> shapes_;
    std::vector<TextItem> texts_;
    // The characters of the texts, copied: the drawing threads read them
    // while the caller's strings may change, and counting references to the
    // caller's strings would make the threads' caches and the caller's
    // wait for each other.
    std::vector<QChar> chars_;
    std::vector<PictureItem> pictures_;
    // The faces of the texts, held while the list lives.
    std::vector<std::shared_ptr<const TextFace>> faces_;
};

} // namespace zor
