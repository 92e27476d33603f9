#pragma once

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

// Replaces the file whole, one CR LF line per entry: a failed write leaves
// the old file as it was. Returns the error text, empty on success.
QString WriteTextFile(const QString& path, const QStringList& lines);

} // namespace zor
