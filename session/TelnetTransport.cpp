#include "session/TelnetTransport.h"

namespace zor {

TelnetTransport::TelnetTransport(QObject* parent) : HostTransport(parent)
{
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        connected_ = true;
        emit Connected();
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &TelnetTransport::OnReadyRead);
    connect(&socket_, &QTcpSocket::disconnected, this, &TelnetTransport::End);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &TelnetTransport::End);
}

void TelnetTransport::Open(const HostTarget& target)
{
    protocol_ = std::make_unique<TelnetProtocol>(target.terminalType);
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket_.setReadBufferSize(SocketBuffer);
    socket_.connectToHost(target.host, target.port);
}

void TelnetTransport::Write(const QByteArray& bytes)
{
    if (protocol_ && connected_)
        socket_.write(protocol_->Encode(bytes));
}

void TelnetTransport::Abort()
{
    ended_ = true;
    socket_.abort();
}

void TelnetTransport::Hold(bool held)
{
    held_ = held;
    // What waits in the socket's buffer raises no new signal of its own.
    if (!held)
        QMetaObject::invokeMethod(this, &TelnetTransport::OnReadyRead, Qt::QueuedConnection);
}

void TelnetTransport::OnReadyRead()
{
    if (held_ || !protocol_)
        return;
    const TelnetProtocol::Result result = protocol_->Receive(socket_.readAll());
    if (!result.answer.isEmpty())
        socket_.write(result.answer);
    if (!result.data.isEmpty())
        emit Received(result.data);
    if (endAfterRead_)
        End();
}

void TelnetTransport::End()
{
    if (ended_)
        return;
    // What the host sent before it closed is handed on first.
    if (held_ && socket_.bytesAvailable() > 0) {
        endAfterRead_ = true;
        return;
    }
    ended_ = true;
    if (connected_)
        emit Dropped();
    else
        emit NotConnected(false);
}

} // namespace zor
