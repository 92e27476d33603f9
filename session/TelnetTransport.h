#pragma once

#include "session/HostTransport.h"
#include "session/TelnetProtocol.h"

#include <QTcpSocket>

namespace zor {

// Telnet over TCP.
class TelnetTransport : public HostTransport {
    Q_OBJECT

public:
    explicit TelnetTransport(QObject* parent = nullptr);
    void Open(const HostTarget& target) override;
    void Write(const QByteArray& bytes) override;
    void Abort() override;
    void Hold(bool held) override;

    // What Qt reads from the kernel ahead of us; when it is full, Qt stops
    // reading and TCP slows the host. Each delivery is drawn and painted
    // once, so during a flood a small buffer costs more in redrawing than in
    // reading: at 64 KiB a quarter of the time went on drawing screens that
    // were never seen.
    static constexpr qint64 SocketBuffer = 256 * 1024;
    void Finish() override;

private:
    void OnReadyRead();
    // Reads in a later event (once, however often it is asked).
    void ReadLater();
    // Reads nothing now: the channel holds it, or the host does not take
    // what was written while it is still there to take it.
    bool Holding() const;
    // Half-closes the connection once the socket has handed everything on.
    void EndWhenSent();
    void Done();
    // The host closed, or the connection never came about.
    void End();

    QTcpSocket socket_;
    std::unique_ptr<TelnetProtocol> protocol_;
    bool connected_ = false;
    bool ended_ = false;
    bool held_ = false;
    // The host closed while its last text still waited in the socket.
    bool endAfterRead_ = false;
    bool finishing_ = false;
    bool delivering_ = false;
    bool doneAfterDelivery_ = false;
    bool readQueued_ = false;
};

} // namespace zor
