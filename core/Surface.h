#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>

namespace zor {

// Drawing works at 96 dots per inch, so a font size in points gives the same
// pixel height on every desktop and in tests.
constexpr int SurfaceDotsPerMeter = 3780;

// A picture surface as drawing sees it: its pixels and the font it draws
// with. The font's size set for one entity stays for the next one.
struct Surface {
    QImage& Image;
    QFont& Font;
};

// A new surface of the given size filled with the colour.
QImage MakeSurfaceImage(QSize size, const QColor& fill);
// Gives the surface a new size: the new part shows the colour, the old
// pixels keep their place at the top left.
void ResizeSurface(QImage& image, QSize size, const QColor& fill);
// The rectangle at its place with its size cut to at most most: a surface the
// host sizes in cells holds no more pixels than the picture it lies on.
QRect WithinSize(const QRect& wanted, QSize most);
// The font a surface starts with.
QFont DefaultSurfaceFont();

} // namespace zor
