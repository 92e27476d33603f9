#pragma once

#include <QtGlobal>
#include <cmath>

namespace zor {

// A fixed-point number with four decimals held as a 64-bit integer scaled by
// 10000, the width in which it is stored in files. Conversions from floating
// point round half to even, as the host application's runtime did.
struct Currency {
    qint64 raw = 0;

    static constexpr qint64 Scale = 10000;

    static Currency fromRaw(qint64 value) { return Currency{value}; }
    static Currency fromDouble(double value) { return Currency{static_cast<qint64>(std::nearbyint(value * Scale))}; }
    double toDouble() const { return static_cast<double>(raw) / Scale; }

    friend bool operator==(Currency, Currency) = default;
};

} // namespace zor
