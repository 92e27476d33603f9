#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace zor {

// Where and as whom a transport connects.
struct HostTarget {
    QString host;
    quint16 port = 0;
    QByteArray terminalType;
    QString user;
    QString password;
};

// One way of carrying a terminal session to the host (Telnet, SSH). The host
// channel drives it and turns its signals into its own states; a transport
// is used for one connection only.
class HostTransport : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    virtual void Open(const HostTarget& target) = 0;
    virtual void Write(const QByteArray& bytes) = 0;
    // Ends the session at once; no signal follows.
    virtual void Abort() = 0;
    // Ends the session once what was written has gone out to the host, and
    // deletes itself when done; no signal follows. It waits for the host to
    // end its side too, at most FinishLimitMs, dropping what the host still
    // sends, so the host sees an orderly end rather than a reset.
    virtual void Finish() = 0;
    static constexpr int FinishLimitMs = 5000;
    // True while the user is being asked something on the way in.
    virtual bool AwaitingUser() const { return false; }
    // Held, the transport reads nothing more from the network (the host is
    // slowed by the network's own flow control) until it is let go; what it
    // already read still arrives.
    virtual void Hold(bool held) = 0;
    // While more than this of what the client wrote waits unsent, the
    // transport reads no more from the host: a host that sends and never
    // reads is held back by its own flood instead of growing the client's
    // memory with the answers it asks for. Writes still queue.
    static constexpr qint64 MaxUnsent = 1 << 20;

signals:
    void Connected();
    void Received(const QByteArray& bytes);
    // The host ended a session that was connected.
    void Dropped();
    // No session came about; shown says the user was already told why.
    void NotConnected(bool shown);
};

} // namespace zor
