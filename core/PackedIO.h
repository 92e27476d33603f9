#pragma once

#include "core/Currency.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace zor {

// Writes the little-endian packed layout of the system's binary files.
class PackedWriter {
public:
    void Int16(qint16 value);
    void Int32(qint32 value);
    void Int64(qint64 value);
    void Byte(quint8 value);
    void Single(float value);
    void Money(Currency value) { Int64(value.raw); }
    // n bytes: the text's character codes, cut or blank-padded to n.
    void Fixed(const QString& text, int width);
    void Raw(const QByteArray& bytes) { data_.append(bytes); }

    const QByteArray& data() const { return data_; }

private:
    QByteArray data_;
};

// Reads the same layout. A read past the end fails and leaves the destination
// unchanged, so a short file keeps the earlier values of what it lacks.
class PackedReader {
public:
    explicit PackedReader(const QByteArray& data, qsizetype offset = 0) : data_(data), pos_(offset) {}

    bool Int16(qint16& value);
    bool Int32(qint32& value);
    bool Int64(qint64& value);
    bool Byte(quint8& value);
    bool Single(float& value);
    bool Money(Currency& value);
    bool Fixed(QString& text, int width);
    bool Skip(qsizetype count);

    qsizetype position() const { return pos_; }
    qsizetype remaining() const { return data_.size() - pos_; }

private:
    bool Take(void* out, qsizetype count);

    const QByteArray& data_;
    qsizetype pos_;
};

} // namespace zor
