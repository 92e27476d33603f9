#include "tools/TokenFile.h"

namespace zor {

QStringList TokenFileLines(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", start);
        if (end < 0) {
            lines << QString::fromLatin1(bytes.mid(start));
            break;
        }
        lines << QString::fromLatin1(bytes.constData() + start, end - start);
        start = end + 2;
    }
    return lines;
}

} // namespace zor
