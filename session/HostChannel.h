#pragma once

#include "session/ChannelError.h"
#include "session/HostTransport.h"

#include <QObject>
#include <QString>
#include <memory>

namespace zor {

// The codes of CommState.
enum class ChannelState {
    Closed = 0,
    Opening = 1,
    Open = 2,
    Connecting = 3,
    Connected = 4,
    Disconnecting = 5,
    Disconnected = 6,
    Closing = 7,
    Resetting = 8,
    Answering = 9,
};

// The session's line to the host: Telnet or SSH behind one set of
// operations, with its progress reported as state codes. Every signal comes
// on the thread that owns the channel (the user-interface thread); nothing
// here waits for the network. Failures of the operations are thrown as
// ChannelError.
class HostChannel : public QObject {
    Q_OBJECT

public:
    static constexpr int Telnet = 3;
    static constexpr int Secure = 5;
    // At most this much received text waits unread: at this mark the
    // transport is held until reads bring it below.
    static constexpr qsizetype MaxUnread = 1 << 20;
    // One read hands out at most this much; as much as the transport
    // delivers at once, so that a delivery is handled, and drawn, in one go.
    static constexpr qsizetype ReadSlice = 256 * 1024;

    explicit HostChannel(QObject* parent = nullptr);
    ~HostChannel() override;

    // Selects the transport of the next open: Telnet or Secure.
    void SetProtocol(int code, const QString& text);
    int Protocol() const { return protocol_; }

    QString Host;
    qint32 Port = 0;
    QString TerminalType;
    // The log-on of a secure connection.
    QString UserName;
    QString Password;

    // Starts the connection; how it goes arrives as CommState.
    void Open(const QString& host, int flags);
    // The text received and not yet read ("" when none), a slice at a
    // time; never waits.
    QString Read(int maxLength, int timeout);
    // Received bytes not yet read.
    qsizetype Unread() const { return received_.size() - readAt_; }
    // Sends the text (bytes 0..255) as it stands.
    void Write(const QString& text, int flags);
    void Disconnect(int flags);
    void Close(int flags);

    ChannelState CurrentState() const { return state_; }
    // True while the user is asked about the host on the way in.
    bool AwaitingUser() const;

signals:
    void CommState(int state);
    void DataReady();
    // The connection was not made and the user has been told why.
    void FailureShown();

private:
    void SetState(ChannelState state);
    void Release();
    void Take(const QByteArray& bytes);

    int protocol_ = Telnet;
    ChannelState state_ = ChannelState::Closed;
    std::unique_ptr<HostTransport> transport_;
    // Reads move readAt_ forward; the read front is dropped once it is
    // large, so a slice costs its own length only.
    QByteArray received_;
    qsizetype readAt_ = 0;
    bool held_ = false;
    bool dropAfterRead_ = false;
};

} // namespace zor
