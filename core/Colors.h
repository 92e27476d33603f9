#pragma once

#include <QColor>
#include <QtGlobal>

namespace zor {

// Colours are Longs in the layout &HBBGGRR (red in the low byte); values from
// &H80000000 name a system colour by its index.
constexpr qint32 SystemColorBase = static_cast<qint32>(0x80000000u);
constexpr qint32 SystemColor(int index)
{
    return SystemColorBase | index;
}

constexpr qint32 COLOR_ACTIVECAPTION = SystemColor(2);
constexpr qint32 COLOR_WINDOW = SystemColor(5);
constexpr qint32 COLOR_MENUTEXT = SystemColor(7);
constexpr qint32 COLOR_CAPTIONTEXT = SystemColor(9);
constexpr qint32 COLOR_BTNFACE = SystemColor(15);
constexpr qint32 COLOR_BTNSHADOW = SystemColor(16);
constexpr qint32 COLOR_GRAYTEXT = SystemColor(17);
constexpr qint32 COLOR_BTNTEXT = SystemColor(18);
constexpr qint32 COLOR_3DHIGHLIGHT = SystemColor(20);

constexpr qint32 RGBLong(int red, int green, int blue)
{
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// The 16 colours of the basic palette, as Longs.
qint32 QBColor(int index);

// The colour a Long stands for: a system colour from the fixed classic
// scheme (the same on every desktop, so drawings are repeatable), otherwise
// its red, green and blue bytes.
QColor ToQColor(qint32 color);
QRgb ToRgb(qint32 color);

// Back from a QColor to a Long, for colour dialogs.
qint32 FromQColor(const QColor& color);

} // namespace zor
