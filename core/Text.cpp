#include "core/Text.h"

#include <algorithm>

namespace zor {

namespace {

template <typename Keep> QString TrimWith(const QString& text, bool left, bool right, Keep isTrimmed)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    if (left)
        while (begin < end && isTrimmed(text.at(begin)))
            ++begin;
    if (right)
        while (end > begin && isTrimmed(text.at(end - 1)))
            --end;
    return text.mid(begin, end - begin);
}

bool IsBlankChar(QChar c)
{
    return c == QLatin1Char(' ');
}
bool IsBlankOrNul(QChar c)
{
    return c == QLatin1Char(' ') || c.unicode() == 0;
}

} // namespace

QString Trim(const QString& text)
{
    return TrimWith(text, true, true, IsBlankChar);
}
QString TrimLeft(const QString& text)
{
    return TrimWith(text, true, false, IsBlankChar);
}
QString TrimRight(const QString& text)
{
    return TrimWith(text, false, true, IsBlankChar);
}
QString TrimBlanksAndNuls(const QString& text)
{
    return TrimWith(text, true, true, IsBlankOrNul);
}

bool IsBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), IsBlankChar);
}

QString FixedWidth(const QString& text, int width)
{
    if (text.size() >= width)
        return text.left(width);
    return text + QString(width - text.size(), QLatin1Char(' '));
}

} // namespace zor
