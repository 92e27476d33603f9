#include "core/Text.h"

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

bool IsBlank(QChar c)
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
    return TrimWith(text, true, true, IsBlank);
}
QString TrimLeft(const QString& text)
{
    return TrimWith(text, true, false, IsBlank);
}
QString TrimRight(const QString& text)
{
    return TrimWith(text, false, true, IsBlank);
}
QString TrimBlanksAndNuls(const QString& text)
{
    return TrimWith(text, true, true, IsBlankOrNul);
}

QString FixedWidth(const QString& text, int width)
{
    if (text.size() >= width)
        return text.left(width);
    return text + QString(width - text.size(), QLatin1Char(' '));
}

} // namespace zor
