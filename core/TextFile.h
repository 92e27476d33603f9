#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zor {

// The program's text files: lines ended by CR LF, each byte 0..255 one
// character (Latin-1), so every byte survives the round trip.

struct TextFileRead {
    bool Missing = false; // there is no such file
    QString Error;        // it exists but could not be read
    QStringList Lines;
    bool Ok() const { return !Missing && Error.isEmpty(); }
};

// Splits at CR LF, and also at a lone LF or CR (files edited by hand); the
// line end after the last line gives no extra empty line.
TextFileRead ReadTextFile(const QString& path);

// The bytes of a text file: one CR LF line per entry.
QByteArray TextFileBytes(const QStringList& lines);

} // namespace zor
