#include "session/HostChannel.h"

#include "core/Text.h"
#include "session/SecureTransport.h"
#include "session/TelnetTransport.h"

namespace zor {

HostChannel::HostChannel(QObject* parent) : QObject(parent) {}

HostChannel::~HostChannel()
{
    if (transport_) {
        transport_->disconnect(this);
        transport_->Abort();
    }
}

void HostChannel::SetProtocol(int code, const QString&)
{
    if (code != Telnet && code != Secure)
        throw ChannelError(ErrNoProtocol, QStringLiteral("The protocol %1 is not supported").arg(code));
    protocol_ = code;
}

void HostChannel::SetState(ChannelState state)
{
    state_ = state;
    emit CommState(static_cast<int>(state));
}

void HostChannel::Open(const QString& host, int)
{
    if (state_ != ChannelState::Closed)
        throw ChannelError(ErrAlreadyOpen, QStringLiteral("The channel is already open"));
    const QString name = Trim(host);
    if (name.isEmpty())
        throw ChannelError(ErrNoHost, QStringLiteral("No host name was given"));
    if (Port < 1 || Port > 65535)
        throw ChannelError(ErrBadPort, QStringLiteral("The port %1 is not valid").arg(Port));

    HostTarget target;
    target.host = name;
    target.port = static_cast<quint16>(Port);
    target.terminalType = TerminalType.toLatin1();
    target.user = UserName;
    target.password = Password;

    if (protocol_ == Secure)
        transport_ = std::make_unique<SecureTransport>();
    else
        transport_ = std::make_unique<TelnetTransport>();
    HostTransport* transport = transport_.get();
    connect(transport, &HostTransport::Connected, this, [this] { SetState(ChannelState::Connected); });
    connect(transport, &HostTransport::Received, this, &HostChannel::Take);
    connect(transport, &HostTransport::Dropped, this, [this] {
        // The host's last text is read before the line counts as dropped.
        if (Unread() > 0)
            dropAfterRead_ = true;
        else
            SetState(ChannelState::Disconnected);
    });
    connect(transport, &HostTransport::NotConnected, this, [this](bool shown) {
        Release();
        SetState(ChannelState::Closed);
        if (shown)
            emit FailureShown();
    });

    received_.clear();
    readAt_ = 0;
    held_ = false;
    dropAfterRead_ = false;
    SetState(ChannelState::Opening);
    SetState(ChannelState::Open);
    SetState(ChannelState::Connecting);
    transport->Open(target);
}

void HostChannel::Take(const QByteArray& bytes)
{
    received_ += bytes;
    if (!held_ && Unread() >= MaxUnread) {
        held_ = true;
        transport_->Hold(true);
    }
    emit DataReady();
}

QString HostChannel::Read(int, int)
{
    const qsizetype length = qMin(Unread(), ReadSlice);
    if (length == 0)
        return QString();
    const QString text = FromBytes(QByteArrayView(received_).sliced(readAt_, length));
    readAt_ += length;
    if (readAt_ == received_.size()) {
        received_.clear();
        readAt_ = 0;
    } else if (readAt_ >= MaxUnread) {
        received_.remove(0, readAt_);
        readAt_ = 0;
    }
    if (held_ && Unread() < MaxUnread && transport_) {
        held_ = false;
        transport_->Hold(false);
    }
    if (dropAfterRead_ && Unread() == 0) {
        dropAfterRead_ = false;
        // After the reader has handled this last slice.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (state_ == ChannelState::Connected)
                    SetState(ChannelState::Disconnected);
            },
            Qt::QueuedConnection);
    }
    return text;
}

void HostChannel::Write(const QString& text, int)
{
    if (state_ != ChannelState::Connected || !transport_)
        throw ChannelError(ErrNotConnected, QStringLiteral("Not connected to the host"));
    transport_->Write(ToBytes(text));
}

void HostChannel::Disconnect(int)
{
    if (state_ != ChannelState::Open && state_ != ChannelState::Connecting && state_ != ChannelState::Connected)
        return;
    SetState(ChannelState::Disconnecting);
    Release();
    SetState(ChannelState::Closing);
    SetState(ChannelState::Closed);
}

void HostChannel::Close(int)
{
    if (state_ == ChannelState::Closed)
        return;
    SetState(ChannelState::Closing);
    Release();
    SetState(ChannelState::Closed);
}

bool HostChannel::AwaitingUser() const
{
    return transport_ && transport_->AwaitingUser();
}

// The transport finishes on its own, under the channel, so that a reply sent
// just before the close still reaches the host; it may be the sender of the
// signal being handled and goes once control is back in the event loop.
void HostChannel::Release()
{
    received_.clear();
    readAt_ = 0;
    held_ = false;
    dropAfterRead_ = false;
    if (!transport_)
        return;
    transport_->disconnect(this);
    HostTransport* transport = transport_.release();
    transport->setParent(this);
    transport->Finish();
}

} // namespace zor
