#pragma once

namespace zor {

// How long a host that has gone silent is trusted. The line is asked after
// LineIdleSeconds without a word from the host, then every
// LineProbeSeconds; after LineProbes unanswered probes, or when what was
// sent stays unacknowledged as long, the kernel ends the connection and the
// session ends as when the host drops it: about two minutes in all.
constexpr int LineIdleSeconds = 60;
constexpr int LineProbeSeconds = 10;
constexpr int LineProbes = 6;
constexpr int LineSilenceMs = (LineIdleSeconds + LineProbeSeconds * LineProbes) * 1000;

// Sets that watch on a connected TCP socket.
void WatchLine(int socket);

} // namespace zor
