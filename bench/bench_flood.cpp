// The whole session road under load: a Telnet host on loopback writes
// screens (a clear, a box, 35 texts and an input request each) into the
// session window's own channel, and the window draws them. A flood as fast
// as the window takes it reports its speed, the peak resident memory and the
// longest the window's events waited; a long session at a steady rate
// reports the resident memory at its start and its end.
#include "bench/QtBenchmarkMain.h"
#include "bench/ResidentMemory.h"
#include "core/Appearance.h"
#include "core/SharedState.h"
#include "session/fConnection.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

QByteArray Screen(int number)
{
    const QByteArray esc("\x1b");
    QByteArray screen =
        esc + "cs" + esc + "bx^2^2^76^20^Stock" + esc + "to^4^3^20^l^Screen " + QByteArray::number(number) + "^^1";
    for (int row = 0; row < 34; ++row)
        screen += esc + "to^4^" + QByteArray::number(4 + row % 16) + "^30^l^Item " + QByteArray::number(row) +
                  " on the shelf^^1";
    return screen + esc + "in^20^22^10^^^^10" + esc + "\r\n";
}

// A host that writes the screens in batches, one batch per tick (no pause
// when the tick is 0), and keeps the line open until the client closes it.
class ScreenHost {
public:
    ScreenHost(int screens, int batch, std::chrono::microseconds tick) : screens_(screens)
    {
        listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listener_, 1) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this, batch, tick] { Serve(batch, tick); });
    }
    ~ScreenHost()
    {
        if (thread_.joinable())
            thread_.join();
        close(listener_);
    }
    quint16 port() const { return port_; }

private:
    void Serve(int batch, std::chrono::microseconds tick)
    {
        const int line = accept(listener_, nullptr, nullptr);
        if (line < 0)
            return;
        // One batch of numbered screens, sent again and again: the host's
        // own work stays small beside the window's.
        QByteArray bytes;
        std::vector<qsizetype> ends;
        for (int n = 0; n < batch; ++n) {
            bytes += Screen(n);
            ends.push_back(bytes.size());
        }
        for (int n = 0; n < screens_; n += batch) {
            const qsizetype length = ends[static_cast<size_t>(qMin(batch, screens_ - n) - 1)];
            for (qsizetype sent = 0; sent < length;) {
                const ssize_t written = send(line, bytes.constData() + sent, length - sent, MSG_NOSIGNAL);
                if (written <= 0) {
                    close(line);
                    return;
                }
                sent += written;
            }
            if (tick.count() > 0)
                std::this_thread::sleep_for(tick);
        }
        // What the client sends (its Telnet options) is read until it closes.
        char ignored[4096];
        while (recv(line, ignored, sizeof ignored, 0) > 0) {
        }
        close(line);
    }

    int screens_;
    int listener_ = -1;
    quint16 port_ = 0;
    std::thread thread_;
};

// The window connected to the host, each unit counted on its way to the
// interpreter; the line is closed again at the end.
class Session {
public:
    explicit Session(quint16 port) : window_(zor::fConnection::instance()), hooks_(window_.Receiver->hooks)
    {
        process_ = hooks_.Process;
        hooks_.Process = [this](const QString& unit) {
            ++units;
            if (unit == QLatin1String("cs"))
                ++screens;
            if (onUnit)
                onUnit();
            process_(unit);
        };
        zor::HostChannel& channel = *window_.mChannel;
        channel.SetProtocol(zor::HostChannel::Telnet, QString());
        channel.Port = port;
        channel.TerminalType = QStringLiteral("vt220");
        channel.Open(QStringLiteral("127.0.0.1"), 0);
    }
    ~Session()
    {
        window_.mChannel->Close(0);
        hooks_.Process = process_;
    }
    // Runs the event loop until the condition holds (checked at each unit).
    bool RunUntil(const std::function<bool()>& done, int timeoutMs)
    {
        QEventLoop loop;
        onUnit = [&] {
            if (done())
                loop.quit();
        };
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        onUnit = nullptr;
        return done();
    }

    qint64 units = 0;
    int screens = 0;
    std::function<void()> onUnit;

private:
    zor::fConnection& window_;
    zor::ReceivePipeline::Hooks& hooks_;
    std::function<void(const QString&)> process_;
};

// A flood of the given size, as fast as the window takes it.
void BM_Flood(benchmark::State& state)
{
    const int screens = static_cast<int>(state.range(0) / Screen(0).size());
    const qint64 bytes = static_cast<qint64>(screens) * Screen(0).size();
    double seconds = 0, longestWaitMs = 0;
    for (auto _ : state) {
        ScreenHost host(screens, 64, std::chrono::microseconds(0));
        Session session(host.port());
        // A timer that should fire every 10 ms measures how long the
        // window's own events wait behind the host's text.
        QElapsedTimer sinceTick;
        QTimer ticks;
        ticks.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticks, &QTimer::timeout,
                         [&] { longestWaitMs = qMax(longestWaitMs, static_cast<double>(sinceTick.restart()) - 10); });
        QElapsedTimer clock;
        clock.start();
        sinceTick.start();
        ticks.start(10);
        if (!session.RunUntil([&] { return session.screens == screens; }, 600'000))
            state.SkipWithError("not every screen arrived");
        seconds += static_cast<double>(clock.nsecsElapsed()) / 1e9;
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["MB/s"] = static_cast<double>(bytes) * static_cast<double>(state.iterations()) / 1e6 / seconds;
    state.counters["peak_rss_MB"] = PeakResidentMb();
    state.counters["longest_wait_ms"] = longestWaitMs;
}
BENCHMARK(BM_Flood)->Arg(64 << 20)->Arg(256 << 20)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// The given number of units at a steady 2000 screens a second (76,000 units).
void BM_LongSession(benchmark::State& state)
{
    const qint64 units = state.range(0);
    // A screen is 38 units and the line end's.
    const int screens = static_cast<int>(units / 39);
    double startMb = 0, endMb = 0;
    for (auto _ : state) {
        ScreenHost host(screens, 20, std::chrono::milliseconds(10));
        Session session(host.port());
        // The start is taken once the first screens have set up what every
        // screen uses.
        session.RunUntil([&] { return session.screens >= screens / 10; }, 600'000);
        startMb = ResidentMb();
        if (!session.RunUntil([&] { return session.screens == screens; }, 600'000))
            state.SkipWithError("not every screen arrived");
        QCoreApplication::processEvents();
        endMb = ResidentMb();
        state.counters["units"] = static_cast<double>(session.units);
    }
    state.counters["rss_start_MB"] = startMb;
    state.counters["rss_end_MB"] = endMb;
    state.counters["growth_MB"] = endMb - startMb;
}
BENCHMARK(BM_LongSession)->Arg(100'000)->Arg(1'000'000)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv, [] {
        zor::SetDefaultAppearance();
        zor::fConnection& window = zor::fConnection::instance();
        window.show();
        window.PaintBackdrop();
    });
}
