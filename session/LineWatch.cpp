#include "session/LineWatch.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace zor {

void WatchLine(int socket)
{
    const auto set = [socket](int level, int option, int value) {
        ::setsockopt(socket, level, option, &value, sizeof value);
    };
    set(SOL_SOCKET, SO_KEEPALIVE, 1);
    set(IPPROTO_TCP, TCP_KEEPIDLE, LineIdleSeconds);
    set(IPPROTO_TCP, TCP_KEEPINTVL, LineProbeSeconds);
    set(IPPROTO_TCP, TCP_KEEPCNT, LineProbes);
    set(IPPROTO_TCP, TCP_USER_TIMEOUT, LineSilenceMs);
}

} // namespace zor
