#include "interpreter/CommandUnit.h"

namespace zor {

CommandUnit::CommandUnit(const QString& text) : text_(text) {}

bool CommandUnit::Split()
{
    const QStringView text(text_);
    const qsizetype size = text.size();
    qsizetype start = 0;
    int count = 0;
    for (;;) {
        qsizetype end = text.indexOf(QLatin1Char('^'), start);
        if (end < 0)
            end = size;
        const QStringView field = text.sliced(start, end - start);
        if (field == EndMarker)
            break;
        if (count == MaxFields) {
            fields_.fill(QStringView());
            count_ = 0;
            return false;
        }
        fields_[static_cast<size_t>(++count)] = field;
        if (end == size)
            break;
        start = end + 1;
    }
    count_ = count;
    return true;
}

QStringView CommandUnit::Field(int k) const
{
    if (k < 1 || k > count_)
        return {};
    return fields_[static_cast<size_t>(k)];
}

QStringView CommandUnit::CodeOf(QStringView text)
{
    const qsizetype end = text.indexOf(QLatin1Char('^'));
    const QStringView code = end < 0 ? text : text.first(end);
    return code == EndMarker ? QStringView() : code;
}

} // namespace zor
