#pragma once

// Readable failure messages for Qt values in GoogleTest assertions.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"';
    for (QChar c : text) {
        const ushort code = c.unicode();
        if (code >= 32 && code < 127)
            *os << static_cast<char>(code);
        else
            *os << "\\x" << std::hex << code << std::dec;
    }
    *os << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    PrintTo(QString::fromLatin1(bytes), os);
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i)
            *os << ", ";
        PrintTo(list[i], os);
    }
    *os << '}';
}
