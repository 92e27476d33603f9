#pragma once

#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace zor {

// The leading-number conversion every numeric text field goes through: leading
// blanks skipped, then the longest prefix made of an optional sign, digits and
// at most one decimal point. Text without such a prefix reads as 0, so "12abc"
// is 12 and "" is 0. Digits beyond the range of a double give an infinity.
double Val(QStringView text);

// Thrown when a value does not fit the Integer or Byte it is meant for. Inside
// a command unit it ends the unit at that step; what earlier steps set stays.
struct ValueDoesNotFit {};

// Val rounded half to even into a 16-bit Integer; throws ValueDoesNotFit
// outside -32768..32767.
qint16 IntegerValue(double value);
inline qint16 IntegerValue(QStringView text)
{
    return IntegerValue(Val(text));
}

// The strict conversion: the text, blanks trimmed, must be a number as a
// whole ("12abc" is not), rounded half to even into a 16-bit Integer; nothing
// otherwise.
std::optional<qint16> StrictInteger(QStringView text);

// Val rounded half to even into a Byte; throws ValueDoesNotFit outside 0..255.
quint8 ByteValue(QStringView text);

} // namespace zor
