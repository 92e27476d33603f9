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
    connect(transport, &HostTransport::Received, this, [this](const QByteArray& bytes) {
        received_ += bytes;
        emit DataReady();
    });
    connect(transport, &HostTransport::Dropped, this, [this] { SetState(ChannelState::Disconnected); });
    connect(transport, &HostTransport::NotConnected, this, [this](bool shown) {
        Release();
        SetState(ChannelState::Closed);
        if (shown)
            emit FailureShown();
    });

    received_.clear();
    SetState(ChannelState::Opening);
    SetState(ChannelState::Open);
    SetState(ChannelState::Connecting);
    transport->Open(target);
}

QString HostChannel::Read(int, int)
{
    if (received_.isEmpty())
        return QString();
    const QString text = FromBytes(received_);
    received_.clear();
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

// The transport may be the sender of the signal being handled: it goes once
// control is back in the event loop.
void HostChannel::Release()
{
    received_.clear();
    if (!transport_)
        return;
    transport_->disconnect(this);
    transport_->Abort();
    transport_.release()->deleteLater();
}

} // namespace zor
