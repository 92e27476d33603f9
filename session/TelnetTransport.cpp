#include "session/TelnetTransport.h"

#include "session/LineWatch.h"

#include <QTimer>
#include <sys/socket.h>

namespace zor {

TelnetTransport::TelnetTransport(QObject* parent) : HostTransport(parent)
{
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        WatchLine(static_cast<int>(socket_.socketDescriptor()));
        connected_ = true;
        emit Connected();
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &TelnetTransport::OnReadyRead);
    connect(&socket_, &QTcpSocket::disconnected, this, &TelnetTransport::End);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &TelnetTransport::End);
    // What waits in the socket's buffer raises no new signal of its own.
    connect(&socket_, &QTcpSocket::bytesWritten, this, [this] {
        if (!Holding() && socket_.bytesAvailable() > 0)
            ReadLater();
    });
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
        ReadLater();
}

void TelnetTransport::ReadLater()
{
    if (readQueued_)
        return;
    readQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            readQueued_ = false;
            OnReadyRead();
        },
        Qt::QueuedConnection);
}

void TelnetTransport::Finish()
{
    ended_ = true;
    finishing_ = true;
    if (!connected_ || socket_.state() != QAbstractSocket::ConnectedState) {
        socket_.abort();
        deleteLater();
        return;
    }
    connect(&socket_, &QTcpSocket::disconnected, this, &TelnetTransport::Done);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &TelnetTransport::Done);
    QTimer::singleShot(FinishLimitMs, this, &TelnetTransport::Done);
    connect(&socket_, &QTcpSocket::bytesWritten, this, &TelnetTransport::EndWhenSent);
    socket_.flush();
    EndWhenSent();
}

void TelnetTransport::EndWhenSent()
{
    if (socket_.bytesToWrite() == 0)
        ::shutdown(static_cast<int>(socket_.socketDescriptor()), SHUT_WR);
}

void TelnetTransport::Done()
{
    if (delivering_)
        doneAfterDelivery_ = true;
    else
        deleteLater();
}

void TelnetTransport::OnReadyRead()
{
    // Finishing: the host's last words are read only to see its end.
    if (finishing_) {
        socket_.readAll();
        return;
    }
    // A delivery that lets events run is not entered again: what arrives
    // meanwhile is read once it is over.
    if (Holding() || delivering_ || !protocol_)
        return;
    const TelnetProtocol::Result result = protocol_->Receive(socket_.readAll());
    if (!result.answer.isEmpty())
        socket_.write(result.answer);
    if (!result.data.isEmpty()) {
        // What the text sets off may close the channel and wait in a nested
        // event loop, where this transport finishes: it is deleted only once
        // the socket's signal is over.
        delivering_ = true;
        emit Received(result.data);
        delivering_ = false;
        if (doneAfterDelivery_) {
            deleteLater();
            return;
        }
    }
    // Qt raises no readyRead for what it reads while one is being handled,
    // so text that came in during the delivery would otherwise wait for the
    // host's next.
    if (socket_.bytesAvailable() > 0) {
        ReadLater();
        return;
    }
    if (endAfterRead_)
        End();
}

bool TelnetTransport::Holding() const
{
    return held_ || (!endAfterRead_ && socket_.bytesToWrite() > MaxUnsent);
}

void TelnetTransport::End()
{
    if (ended_)
        return;
    // What the host sent before it closed is handed on first.
    if (socket_.bytesAvailable() > 0) {
        endAfterRead_ = true;
        if (!held_)
            ReadLater();
        return;
    }
    ended_ = true;
    if (connected_)
        emit Dropped();
    else
        emit NotConnected(false);
}

} // namespace zor
