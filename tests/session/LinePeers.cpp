#include "tests/session/LinePeers.h"

#include "tests/support/Loopback.h"

#include <fcntl.h>
#include <linux/sockios.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zor::test {

RawHost::RawHost()
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    // Set before listening, so the connection accepted has it from the start.
    const int small = 16 * 1024;
    ::setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(listener_, 1) == 0 &&
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port_ = ntohs(address.sin_port);
}

RawHost::~RawHost()
{
    if (peer_ >= 0)
        ::close(peer_);
    ::close(listener_);
}

bool RawHost::Accept()
{
    if (peer_ < 0)
        peer_ = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    return peer_ >= 0;
}

qsizetype RawHost::Send(QByteArrayView bytes)
{
    const ssize_t sent = ::send(peer_, bytes.data(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL);
    return sent > 0 ? sent : 0;
}

QByteArray RawHost::Receive()
{
    QByteArray received;
    char buffer[65536];
    ssize_t n;
    while ((n = ::recv(peer_, buffer, sizeof buffer, 0)) > 0)
        received.append(buffer, n);
    return received;
}

VanishingRelay::VanishingRelay(quint16 hostPort) : hostPort_(hostPort)
{
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
        while (QTcpSocket* accepted = server_.nextPendingConnection()) {
            auto link = std::make_unique<Link>();
            link->client.reset(accepted);
            accepted->setParent(nullptr);
            link->host = std::make_unique<QTcpSocket>();
            QTcpSocket* client = link->client.get();
            QTcpSocket* host = link->host.get();
            QObject::connect(client, &QTcpSocket::readyRead, [this, client, host] {
                quiet_.start();
                host->write(client->readAll());
            });
            QObject::connect(host, &QTcpSocket::readyRead, [this, client, host] {
                quiet_.start();
                client->write(host->readAll());
            });
            host->connectToHost(QHostAddress::LocalHost, hostPort_);
            links_.push_back(std::move(link));
        }
    });
    server_.listen(QHostAddress::LocalHost, 0);
    quiet_.start();
}

void VanishingRelay::Vanish()
{
    server_.close();
    // Once the line has been quiet a while and the client has acknowledged
    // everything, it owes the relay no answer that could find the socket
    // gone before the test wants it to (a client answers the host's last
    // words after logging on).
    WaitUntil([this] {
        if (quiet_.elapsed() < 500)
            return false;
        for (const auto& link : links_) {
            int unacknowledged = 0;
            if (link->client->bytesToWrite() > 0 ||
                ::ioctl(static_cast<int>(link->client->socketDescriptor()), SIOCOUTQ, &unacknowledged) != 0 ||
                unacknowledged > 0)
                return false;
        }
        return true;
    });
    for (const auto& link : links_) {
        // In repair mode a socket closes without sending FIN or RST: to the
        // client the line simply goes quiet.
        const int on = 1;
        ::setsockopt(static_cast<int>(link->client->socketDescriptor()), IPPROTO_TCP, TCP_REPAIR, &on, sizeof on);
        link->client->abort();
    }
}

int SocketConnectedTo(quint16 port)
{
    for (int fd = 3; fd < 4096; ++fd) {
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        if (::fcntl(fd, F_GETFD) < 0 || ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
            continue;
        if (peer.sin_family == AF_INET && ntohs(peer.sin_port) == port)
            return fd;
    }
    return -1;
}

KeepAliveSettings KeepAliveOf(int socket)
{
    KeepAliveSettings settings;
    int value = 0;
    socklen_t length = sizeof value;
    if (::getsockopt(socket, SOL_SOCKET, SO_KEEPALIVE, &value, &length) == 0)
        settings.on = value != 0;
    const auto tcp = [socket](int option) {
        int v = 0;
        socklen_t l = sizeof v;
        return ::getsockopt(socket, IPPROTO_TCP, option, &v, &l) == 0 ? v : -1;
    };
    settings.idleSeconds = tcp(TCP_KEEPIDLE);
    settings.intervalSeconds = tcp(TCP_KEEPINTVL);
    settings.probes = tcp(TCP_KEEPCNT);
    settings.userTimeoutMs = tcp(TCP_USER_TIMEOUT);
    return settings;
}

void ProbeSoon(int socket)
{
    const int one = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_KEEPIDLE, &one, sizeof one);
    ::setsockopt(socket, IPPROTO_TCP, TCP_KEEPINTVL, &one, sizeof one);
}

} // namespace zor::test
