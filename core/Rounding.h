#pragma once

#include <QtGlobal>
#include <cmath>
#include <limits>
#include <optional>

namespace zor {

// Nearest whole number with halves going to the even neighbour (2.5 -> 2,
// 3.5 -> 4), the rounding every Integer destination of the system uses.
inline double RoundHalfEven(double value)
{
    return std::nearbyint(value);
}

// A value converted to a 16-bit Integer, or nothing when it does not fit.
inline std::optional<qint16> ToInteger(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = RoundHalfEven(value);
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

// A value converted to a Byte (0..255), or nothing when it does not fit.
inline std::optional<quint8> ToByte(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = RoundHalfEven(value);
    if (rounded < 0 || rounded > 255)
        return std::nullopt;
    return static_cast<quint8>(rounded);
}

// Pixel arithmetic: rounds half to even and saturates instead of failing, so
// a surface coordinate can never overflow.
inline int ToPixel(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double rounded = RoundHalfEven(value);
    if (rounded < std::numeric_limits<int>::min() / 2)
        return std::numeric_limits<int>::min() / 2;
    if (rounded > std::numeric_limits<int>::max() / 2)
        return std::numeric_limits<int>::max() / 2;
    return static_cast<int>(rounded);
}

} // namespace zor
