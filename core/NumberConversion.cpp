#include "core/NumberConversion.h"

#include "core/Rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace zor {

double Val(QStringView text)
{
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && text[i] == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    if (i < size && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    const bool negative = start < i && text[start] == QLatin1Char('-');
    bool point = false;
    qsizetype digits = 0;
    // Most fields are short whole numbers: build them directly and only hand
    // longer or fractional numbers to the library conversion.
    qint64 whole = 0;
    for (; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            if (digits < 18)
                whole = whole * 10 + (c - u'0');
            ++digits;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0;
    if (!point && digits <= 18)
        return static_cast<double>(negative ? -whole : whole);

    std::string number;
    number.reserve(static_cast<size_t>(i - start));
    for (qsizetype k = start; k < i; ++k) {
        const char c = static_cast<char>(text[k].unicode());
        if (c != '+')
            number.push_back(c);
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large only when the whole part has a significant digit; a
        // fraction too small to hold is simply 0.
        const size_t wholeEnd = std::min(number.find('.'), number.size());
        const bool large = number.find_first_not_of("-0") < wholeEnd;
        if (!large)
            return 0;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    return value;
}

qint16 IntegerValue(double value)
{
    const std::optional<qint16> integer = ToInteger(value);
    if (!integer)
        throw ValueDoesNotFit{};
    return *integer;
}

quint8 ByteValue(QStringView text)
{
    const std::optional<quint8> byte = ToByte(Val(text));
    if (!byte)
        throw ValueDoesNotFit{};
    return *byte;
}

std::optional<qint16> StrictInteger(QStringView text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? ToInteger(value) : std::nullopt;
}

} // namespace zor
