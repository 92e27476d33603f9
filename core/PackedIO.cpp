#include "core/PackedIO.h"

#include <QtEndian>
#include <cstring>

namespace zor {

namespace {

template <typename T> void AppendLittle(QByteArray& data, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    data.append(bytes, sizeof(T));
}

} // namespace

void PackedWriter::Int16(qint16 value)
{
    AppendLittle(data_, value);
}
void PackedWriter::Int32(qint32 value)
{
    AppendLittle(data_, value);
}
void PackedWriter::Int64(qint64 value)
{
    AppendLittle(data_, value);
}
void PackedWriter::Byte(quint8 value)
{
    data_.append(static_cast<char>(value));
}

void PackedWriter::Single(float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    AppendLittle(data_, bits);
}

void PackedWriter::Fixed(const QString& text, int width)
{
    QByteArray bytes = text.left(width).toLatin1();
    bytes.append(width - bytes.size(), ' ');
    data_.append(bytes);
}

bool PackedReader::Take(void* out, qsizetype count)
{
    if (count < 0 || remaining() < count)
        return false;
    std::memcpy(out, data_.constData() + pos_, static_cast<size_t>(count));
    pos_ += count;
    return true;
}

bool PackedReader::Int16(qint16& value)
{
    char bytes[2];
    if (!Take(bytes, 2))
        return false;
    value = qFromLittleEndian<qint16>(bytes);
    return true;
}

bool PackedReader::Int32(qint32& value)
{
    char bytes[4];
    if (!Take(bytes, 4))
        return false;
    value = qFromLittleEndian<qint32>(bytes);
    return true;
}

bool PackedReader::Int64(qint64& value)
{
    char bytes[8];
    if (!Take(bytes, 8))
        return false;
    value = qFromLittleEndian<qint64>(bytes);
    return true;
}

bool PackedReader::Byte(quint8& value)
{
    return Take(&value, 1);
}

bool PackedReader::Single(float& value)
{
    char bytes[4];
    if (!Take(bytes, 4))
        return false;
    const quint32 bits = qFromLittleEndian<quint32>(bytes);
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool PackedReader::Money(Currency& value)
{
    return Int64(value.raw);
}

bool PackedReader::Fixed(QString& text, int width)
{
    if (width < 0 || remaining() < width)
        return false;
    text = QString::fromLatin1(data_.constData() + pos_, width);
    pos_ += width;
    return true;
}

bool PackedReader::Skip(qsizetype count)
{
    if (count < 0 || remaining() < count)
        return false;
    pos_ += count;
    return true;
}

} // namespace zor
