#include "core/Fields.h"

#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "core/Text.h"

namespace zor {

QString GetField(const QString& text, int n, QChar delimiter)
{
    if (n <= 0 || Trim(text).isEmpty())
        return {};
    qsizetype start = 0;
    for (int field = 1;; ++field) {
        const qsizetype end = text.indexOf(delimiter, start);
        if (end < 0 || field == n)
            return text.mid(start, (end < 0 ? text.size() : end) - start);
        start = end + 1;
    }
}

QString FilterControlChars(QString& text)
{
    // Written in place: the console's plain text comes this way, all of it.
    QString result(text.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (QChar c : std::as_const(text)) {
        const ushort code = c.unicode();
        if (code >= 32 || code == 9) {
            *out++ = c;
            continue;
        }
        if (code == 7) {
            if (Link().Beep)
                Link().Beep();
        } else if (code == 27) {
            ReportMode = false;
        } else if (code == 26) {
            if (Link().ReportPageBreak)
                Link().ReportPageBreak();
        }
    }
    result.resize(out - result.constData());
    text = result;
    return result;
}

QString ReplaceInPlace(QString& text, const QString& find, const QString& replacement)
{
    if (find.isEmpty())
        return text;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        if (QStringView(text).mid(i, find.size()) != find)
            continue;
        const qsizetype count = qMin(replacement.size(), length - i);
        text.replace(i, count, replacement.left(count));
    }
    return text;
}

} // namespace zor
