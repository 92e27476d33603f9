#include "core/TextFile.h"

#include "core/Text.h"

#include <QFile>

namespace zor {

TextFileRead ReadTextFile(const QString& path)
{
    TextFileRead result;
    QFile file(path);
    if (!file.exists()) {
        result.Missing = true;
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.Error = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.Error = file.errorString();
        return result;
    }
    const QString text = FromBytes(bytes);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        result.Lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        result.Lines << text.mid(start);
    return result;
}

QByteArray TextFileBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += ToBytes(line) + "\r\n";
    return bytes;
}

} // namespace zor
