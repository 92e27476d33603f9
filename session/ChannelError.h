#pragma once

#include <QString>
#include <stdexcept>

namespace zor {

// A failure of the host channel: a number and a description, shown to the
// user after a prefix such as "Connect Error: ".
struct ChannelError : std::runtime_error {
    ChannelError(quint32 number, const QString& description)
        : std::runtime_error(description.toStdString()), number(number), description(description)
    {
    }
    quint32 number;
    QString description;
};

// Numbers of the channel's own failures (the socket error numbers users of
// such programs know).
constexpr quint32 ErrAlreadyOpen = 10056;
constexpr quint32 ErrNotConnected = 10057;
constexpr quint32 ErrBadPort = 10049;
constexpr quint32 ErrNoProtocol = 10043;
constexpr quint32 ErrNoHost = 11001;

// prefix + the number in hexadecimal (capitals) + a blank + the description.
inline QString ChannelErrorText(const QString& prefix, const ChannelError& error)
{
    return prefix + QString::number(error.number, 16).toUpper() + QLatin1Char(' ') + error.description;
}

} // namespace zor
