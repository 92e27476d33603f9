#pragma once

// Hosts whose line the test itself controls: one that reads only when told,
// and a relay whose host side vanishes as a switched-off host does.

#include <QByteArray>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <vector>

namespace zor::test {

// A host on a raw socket on 127.0.0.1: it takes one connection and writes and
// reads only as far as the kernel goes at once, never more. Its receive
// buffer is small, so what the client sends and the host does not read piles
// up on the client's side.
class RawHost {
public:
    RawHost();
    ~RawHost();
    RawHost(const RawHost&) = delete;
    RawHost& operator=(const RawHost&) = delete;
    quint16 port() const { return port_; }
    // True once the client is connected.
    bool Accept();
    // How much of the bytes the kernel took.
    qsizetype Send(QByteArrayView bytes);
    // What has arrived so far.
    QByteArray Receive();

private:
    int listener_ = -1;
    int peer_ = -1;
    quint16 port_ = 0;
};

// Passes each connection on to a host on 127.0.0.1. Vanish drops the client's
// side without a word on the wire: the client learns of it only when it next
// sends something and is refused.
class VanishingRelay {
public:
    explicit VanishingRelay(quint16 hostPort);
    quint16 port() const { return server_.serverPort(); }
    void Vanish();

private:
    struct Link {
        std::unique_ptr<QTcpSocket> client;
        std::unique_ptr<QTcpSocket> host;
    };
    QTcpServer server_;
    quint16 hostPort_;
    std::vector<std::unique_ptr<Link>> links_;
    QElapsedTimer quiet_;
};

// The TCP socket of this process whose far end is the port on 127.0.0.1, or
// -1: the client's own, which the program does not hand out.
int SocketConnectedTo(quint16 port);

// The keepalive settings of a socket, as the kernel holds them.
struct KeepAliveSettings {
    bool on = false;
    int idleSeconds = 0;
    int intervalSeconds = 0;
    int probes = 0;
    int userTimeoutMs = 0;
    bool operator==(const KeepAliveSettings&) const = default;
};
KeepAliveSettings KeepAliveOf(int socket);
// Makes a socket's first probe go out after a second of silence, so that a
// test need not wait minutes for it; keepalive itself is left as it is.
void ProbeSoon(int socket);

} // namespace zor::test
