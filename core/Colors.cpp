#include "core/Colors.h"

#include <array>

namespace zor {

namespace {

// The classic Windows colour scheme, by system colour index.
constexpr std::array<QRgb, 31> ClassicScheme = {
    0xC0C0C0, // 0 scroll bar
    0x008080, // 1 desktop
    0x000080, // 2 active title bar
    0x808080, // 3 inactive title bar
    0xC0C0C0, // 4 menu
    0xFFFFFF, // 5 window background
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 title bar text
    0xC0C0C0, // 10 active border
    0xC0C0C0, // 11 inactive border
    0x808080, // 12 application workspace
    0x000080, // 13 highlight
    0xFFFFFF, // 14 highlighted text
    0xC0C0C0, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC0C0C0, // 19 inactive title bar text
    0xFFFFFF, // 20 3-D highlight
    0x000000, // 21 3-D dark shadow
    0xC0C0C0, // 22 3-D light
    0x000000, // 23 tool tip text
    0xFFFFE1, // 24 tool tip background
    0xC0C0C0, // 25 (unused)
    0x000080, // 26 hot-tracked item
    0x1084D0, // 27 active title gradient
    0xB5B5B5, // 28 inactive title gradient
    0x000080, // 29 menu highlight
    0xC0C0C0, // 30 menu bar
};

constexpr std::array<qint32, 16> BasicPalette = {
    RGBLong(0, 0, 0),       RGBLong(0, 0, 128),   RGBLong(0, 128, 0),   RGBLong(0, 128, 128),
    RGBLong(128, 0, 0),     RGBLong(128, 0, 128), RGBLong(128, 128, 0), RGBLong(192, 192, 192),
    RGBLong(128, 128, 128), RGBLong(0, 0, 255),   RGBLong(0, 255, 0),   RGBLong(0, 255, 255),
    RGBLong(255, 0, 0),     RGBLong(255, 0, 255), RGBLong(255, 255, 0), RGBLong(255, 255, 255),
};

} // namespace

qint32 QBColor(int index)
{
    if (index < 0 || index >= static_cast<int>(BasicPalette.size()))
        return 0;
    return BasicPalette[static_cast<size_t>(index)];
}

QRgb ToRgb(qint32 color)
{
    const quint32 value = static_cast<quint32>(color);
    if (value & 0x80000000u) {
        const quint32 index = value & 0xFFu;
        return 0xFF000000u | (index < ClassicScheme.size() ? ClassicScheme[index] : 0u);
    }
    return qRgb(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

QColor ToQColor(qint32 color)
{
    return QColor::fromRgb(ToRgb(color));
}

qint32 FromQColor(const QColor& color)
{
    return RGBLong(color.red(), color.green(), color.blue());
}

} // namespace zor
