#include "session/HostChannel.h"

#include "core/Dialogs.h"
#include "core/Text.h"
#include "session/SecureTransport.h"
#include "tests/session/LinePeers.h"
#include "tests/session/Peers.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zor;
using test::WaitUntil;

namespace {

// A channel with everything it reports recorded.
class Recorded {
public:
    Recorded()
    {
        QObject::connect(&channel, &HostChannel::CommState, [this](int state) { states << state; });
        QObject::connect(&channel, &HostChannel::DataReady, [this] {
            if (reading)
                received += channel.Read(5000, 5);
        });
        QObject::connect(&channel, &HostChannel::FailureShown, [this] { ++failuresShown; });
    }
    void Open(int protocol, quint16 port)
    {
        channel.SetProtocol(protocol, QString());
        channel.Host = QStringLiteral("127.0.0.1");
        channel.Port = port;
        channel.TerminalType = QStringLiteral("vt220");
        channel.Open(channel.Host, 0);
    }
    bool WaitFor(const QString& text, int timeoutMs = test::WaitLimitMs)
    {
        return WaitUntil([&] { return received.contains(text); }, timeoutMs);
    }
    bool WaitForState(int state, int timeoutMs = test::WaitLimitMs)
    {
        return WaitUntil([&] { return states.contains(state); }, timeoutMs);
    }
    void Send(const char* text) { channel.Write(QString::fromLatin1(text), 0); }

    HostChannel channel;
    bool reading = true;
    QList<int> states;
    QString received;
    int failuresShown = 0;
};

const QString Esc(QChar(0x1b));

} // namespace

TEST(HostChannelTelnet, LogsOnToTheDemoHostGetsAScreenAndItsReplyArrives)
{
    test::DemoHostPeer host;
    ASSERT_NE(host.port(), 0);
    Recorded r;
    r.Open(HostChannel::Telnet, host.port());
    ASSERT_TRUE(r.WaitFor(QStringLiteral("Login: ")));
    r.Send("demo\r");
    ASSERT_TRUE(r.WaitFor(QStringLiteral("Password: ")));
    r.Send("demo\r");
    ASSERT_TRUE(r.WaitFor(QStringLiteral("in^20^5^10")));
    EXPECT_TRUE(r.received.contains(Esc + QStringLiteral("cs") + Esc));
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("TERMINAL vt220")));
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("LOGON demo")));

    r.Send("SEARCH\r");
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("GOT SEARCH")));
    EXPECT_TRUE(r.WaitFor(QStringLiteral("Last reply: SEARCH")));

    r.Send("bye\r");
    ASSERT_TRUE(r.WaitForState(static_cast<int>(ChannelState::Disconnected)));
    EXPECT_EQ(r.channel.CurrentState(), ChannelState::Disconnected);
    r.channel.Close(0);
    EXPECT_EQ(r.states, (QList<int>{1, 2, 3, 4, 6, 7, 0}));
}

TEST(HostChannelTelnet, DisconnectByTheUserEndsWithoutTheDroppedState)
{
    test::DemoHostPeer host;
    Recorded r;
    r.Open(HostChannel::Telnet, host.port());
    ASSERT_TRUE(r.WaitForState(4));
    r.channel.Disconnect(0);
    EXPECT_EQ(r.states, (QList<int>{1, 2, 3, 4, 5, 7, 0}));
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("CLOSED")));
    r.channel.Close(0);
    EXPECT_EQ(r.states.size(), 7);
    // The channel can be opened again.
    r.Open(HostChannel::Telnet, host.port());
    EXPECT_TRUE(r.WaitFor(QStringLiteral("Login: ")));
    r.channel.Close(0);
}

TEST(HostChannelTelnet, AClosedPortNeverConnects)
{
    Recorded r;
    r.Open(HostChannel::Telnet, test::FreePort());
    ASSERT_TRUE(r.WaitForState(0));
    EXPECT_EQ(r.states, (QList<int>{1, 2, 3, 0}));
    EXPECT_EQ(r.failuresShown, 0);
}

TEST(HostChannel, RefusesWhatCannotWork)
{
    struct Case {
        const char* name;
        std::function<void(HostChannel&)> act;
        quint32 number;
    };
    const Case cases[] = {
        {"unknown protocol", [](HostChannel& c) { c.SetProtocol(9, QString()); }, ErrNoProtocol},
        {"no host", [](HostChannel& c) { c.Port = 23, c.Open(QStringLiteral("  "), 0); }, ErrNoHost},
        {"port 0", [](HostChannel& c) { c.Open(QStringLiteral("127.0.0.1"), 0); }, ErrBadPort},
        {"port too big", [](HostChannel& c) { c.Port = 70000, c.Open(QStringLiteral("127.0.0.1"), 0); }, ErrBadPort},
        {"write while closed", [](HostChannel& c) { c.Write(QStringLiteral("x"), 0); }, ErrNotConnected},
        {"open twice",
         [](HostChannel& c) {
             c.Port = test::FreePort();
             c.Open(QStringLiteral("127.0.0.1"), 0);
             c.Open(QStringLiteral("127.0.0.1"), 0);
         },
         ErrAlreadyOpen},
    };
    for (const Case& c : cases) {
        HostChannel channel;
        try {
            c.act(channel);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const ChannelError& error) {
            EXPECT_EQ(error.number, c.number) << c.name;
            EXPECT_FALSE(error.description.isEmpty()) << c.name;
        }
        channel.Close(0);
    }
}

TEST(HostChannelTelnet, BusyboxStreamArrivesByteForByte)
{
    test::BusyboxTelnetd telnetd("stty -opost -echo\n"
                                 "printf 'Login: '\n"
                                 "read user\n"
                                 "printf '\\033cs\\033to^1^1^5^l^Hi %s^^1\\033\\r\\n\\377end\\r\\n' \"$user\"\n"
                                 "read reply\n"
                                 "printf 'GOT:%s\\r\\n' \"$reply\"\n"
                                 "sleep 1\n");
    ASSERT_TRUE(telnetd.ready());
    Recorded r;
    r.Open(HostChannel::Telnet, telnetd.port());
    ASSERT_TRUE(r.WaitFor(QStringLiteral("Login: ")));
    r.Send("ann\r");
    ASSERT_TRUE(r.WaitFor(QStringLiteral("end\r\n")));
    EXPECT_TRUE(r.received.endsWith(Esc + QStringLiteral("cs") + Esc + QStringLiteral("to^1^1^5^l^Hi ann^^1") + Esc +
                                    QStringLiteral("\r\n") + QChar(0xff) + QStringLiteral("end\r\n")))
        << r.received.toStdString();
    r.Send("reply \xff"
           "x\r");
    EXPECT_TRUE(r.WaitFor(QStringLiteral("GOT:reply ") + QChar(0xff) + QStringLiteral("x\r\n")));
    EXPECT_TRUE(r.WaitForState(6));
    r.channel.Close(0);
}

namespace {

struct SecureFixture {
    explicit SecureFixture(const QByteArray& script) : sshd(script) {}
    void Open(Recorded& r, const QString& password)
    {
        r.channel.UserName = sshd.user();
        r.channel.Password = password;
        r.Open(HostChannel::Secure, sshd.port());
    }
    test::ProgramFolderScope home;
    test::Sshd sshd;
    test::DialogScript dialogs;
};

const QByteArray SecureScript = "printf '\\033cs\\033to^1^1^5^l^Secure^^1\\033\\r\\n'\n"
                                "read reply\n"
                                "printf 'GOT:%s\\r\\n' \"$reply\"\n";

} // namespace

TEST(HostChannelSecure, UnknownKeyAskedRememberedOnYesThenTrusted)
{
    SecureFixture f(SecureScript);
    if (!f.sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    {
        Recorded r;
        f.dialogs.answer(int(Dialogs::Yes));
        f.Open(r, f.sshd.password());
        ASSERT_TRUE(r.WaitFor(QStringLiteral("to^1^1^5^l^Secure^^1")));
        ASSERT_EQ(f.dialogs.asked.size(), 1);
        EXPECT_EQ(f.dialogs.asked[0].title, "Unknown Host");
        EXPECT_EQ(f.dialogs.asked[0].style, Dialogs::YesNo + Dialogs::Question);
        EXPECT_TRUE(f.dialogs.asked[0].prompt.contains(f.sshd.Fingerprint()))
            << f.dialogs.asked[0].prompt.toStdString();
        EXPECT_TRUE(r.states.contains(4));
        r.Send("hello\r");
        EXPECT_TRUE(r.WaitFor(QStringLiteral("GOT:hello")));
        EXPECT_TRUE(r.WaitForState(6));
        r.channel.Close(0);
    }
    EXPECT_TRUE(
        f.home.read(QStringLiteral("known_hosts")).contains(f.sshd.KnownHostsLine().split(' ').value(2).trimmed()));
    {
        Recorded r;
        f.Open(r, f.sshd.password());
        ASSERT_TRUE(r.WaitFor(QStringLiteral("Secure")));
        EXPECT_EQ(f.dialogs.asked.size(), 1);
        r.channel.Close(0);
    }
}

TEST(HostChannelSecure, UnknownKeyRefusedByTheUserIsNotRemembered)
{
    SecureFixture f(SecureScript);
    if (!f.sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    Recorded r;
    f.dialogs.answer(int(Dialogs::No));
    f.Open(r, f.sshd.password());
    ASSERT_TRUE(r.WaitForState(0));
    EXPECT_FALSE(r.states.contains(4));
    EXPECT_EQ(r.failuresShown, 1);
    EXPECT_TRUE(f.home.read(QStringLiteral("known_hosts")).isEmpty());
}

TEST(HostChannelSecure, AChangedOrOtherKeyIsRefusedNamingFingerprintAndFile)
{
    SecureFixture f(SecureScript);
    if (!f.sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    for (const QString& type : {QStringLiteral("ed25519"), QStringLiteral("rsa")}) {
        const QByteArray known = f.sshd.ForeignKnownHostsLine(type);
        ASSERT_FALSE(known.isEmpty());
        f.home.write(QStringLiteral("known_hosts"), known);
        f.dialogs.asked.clear();
        Recorded r;
        f.Open(r, f.sshd.password());
        ASSERT_TRUE(r.WaitForState(0)) << type.toStdString();
        EXPECT_FALSE(r.states.contains(4));
        EXPECT_EQ(r.failuresShown, 1);
        ASSERT_EQ(f.dialogs.asked.size(), 1) << type.toStdString();
        const Dialogs::Request& box = f.dialogs.asked[0];
        EXPECT_EQ(box.title, "Host Key Changed");
        EXPECT_EQ(box.style, Dialogs::OKOnly + Dialogs::Critical);
        EXPECT_TRUE(box.prompt.contains(f.sshd.Fingerprint())) << box.prompt.toStdString();
        EXPECT_TRUE(box.prompt.contains(KnownHostsFile())) << box.prompt.toStdString();
        EXPECT_EQ(f.home.read(QStringLiteral("known_hosts")), known);
    }
}

TEST(HostChannelSecure, AWrongPasswordIsReported)
{
    SecureFixture f(SecureScript);
    if (!f.sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    f.home.write(QStringLiteral("known_hosts"), f.sshd.KnownHostsLine());
    Recorded r;
    f.Open(r, QStringLiteral("wrong"));
    ASSERT_TRUE(r.WaitForState(0));
    EXPECT_FALSE(r.states.contains(4));
    ASSERT_EQ(f.dialogs.asked.size(), 1);
    EXPECT_TRUE(f.dialogs.asked[0].prompt.contains(QStringLiteral("did not accept")))
        << f.dialogs.asked[0].prompt.toStdString();
}

namespace {

// Reads the channel slowly, as a busy window would, and compares what
// arrives with what the host sent, byte for byte.
class SlowReader {
public:
    SlowReader(HostChannel& channel, int screens) : channel_(channel)
    {
        for (int n = 0; n < screens; ++n)
            expected_ += FromBytes(test::FloodScreen(n));
        QObject::connect(&channel, &HostChannel::DataReady, [this] { most = qMax(most, channel_.Unread()); });
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Take(channel_.Read(5000, 5)); });
    }
    // Reading starts once the host has filled what the channel keeps.
    bool Start()
    {
        if (!WaitUntil([this] { return channel_.Unread() >= HostChannel::MaxUnread; }, 20000))
            return false;
        // The host is held: it keeps trying to send, and the channel holds no more.
        WaitUntil([] { return false; }, 300);
        timer_.start();
        return true;
    }
    bool WaitForAll()
    {
        return WaitUntil([this] { return at == expected_.size() || !mismatch.isEmpty(); }, 60000);
    }

    qsizetype most = 0;
    qsizetype at = 0;
    QString mismatch;

private:
    void Take(QString piece)
    {
        // telnetd's own line before the script's first screen.
        if (at == 0 && !started_) {
            const qsizetype first = piece.indexOf(Esc);
            piece.remove(0, first < 0 ? piece.size() : first);
            started_ = piece.startsWith(Esc);
        }
        if (piece.isEmpty() || !mismatch.isEmpty())
            return;
        if (QStringView(expected_).mid(at, piece.size()) != piece)
            mismatch =
                QStringLiteral("at byte %1: %2").arg(at).arg(QString::fromLatin1(ToBytes(piece.left(40)).toHex()));
        at += piece.size();
    }

    HostChannel& channel_;
    QString expected_;
    bool started_ = false;
    QTimer timer_;
};

// Screens of about 1.3 KB, 16 MB of them.
constexpr int FloodScreens = 12'000;

void CheckFloodHeld(Recorded& r, SlowReader& reader)
{
    ASSERT_TRUE(reader.Start()) << "the channel never filled";
    ASSERT_TRUE(reader.WaitForAll()) << reader.at << " bytes arrived";
    EXPECT_TRUE(reader.mismatch.isEmpty()) << reader.mismatch.toStdString();
    // One delivery of the transport may land on top of the mark.
    EXPECT_LT(reader.most, HostChannel::MaxUnread + 512 * 1024);
    r.Send("done\r");
    r.channel.Close(0);
}

} // namespace

TEST(HostChannelTelnet, AFloodIsHeldAtTheMarkAndArrivesWhole)
{
    test::BusyboxTelnetd telnetd(test::FloodScript(FloodScreens));
    ASSERT_TRUE(telnetd.ready());
    Recorded r;
    r.reading = false;
    SlowReader reader(r.channel, FloodScreens);
    r.Open(HostChannel::Telnet, telnetd.port());
    CheckFloodHeld(r, reader);
}

TEST(HostChannelSecure, AFloodIsHeldAtTheMarkAndArrivesWhole)
{
    SecureFixture f(test::FloodScript(FloodScreens));
    if (!f.sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    f.home.write(QStringLiteral("known_hosts"), f.sshd.KnownHostsLine());
    Recorded r;
    r.reading = false;
    SlowReader reader(r.channel, FloodScreens);
    f.Open(r, f.sshd.password());
    CheckFloodHeld(r, reader);
}

TEST(HostChannelTelnet, AHostThatNeverReadsIsNotReadWhileTheAnswersPileUp)
{
    test::RawHost host;
    ASSERT_NE(host.port(), 0);
    Recorded r;
    r.reading = false;
    // Every read is answered at twice its length, as a flood of units that
    // each ask for a reply would be.
    qint64 read = 0;
    QObject::connect(&r.channel, &HostChannel::DataReady, [&] {
        for (QString text; !(text = r.channel.Read(5000, 5)).isEmpty();) {
            read += text.size();
            r.channel.Write(QString(2 * text.size(), QLatin1Char('a')), 0);
        }
    });
    r.Open(HostChannel::Telnet, host.port());
    ASSERT_TRUE(WaitUntil([&] { return host.Accept() && r.states.contains(4); }));

    // The host writes whatever the kernel takes and reads nothing, until it
    // is held or has sent far more than any buffer on the way holds.
    constexpr qint64 Plan = 64 << 20;
    const QByteArray block(64 * 1024, 'v');
    qint64 sent = 0;
    qint64 readBefore = -1;
    QElapsedTimer quiet;
    WaitUntil([&] {
        sent += host.Send(block);
        if (read != readBefore) {
            readBefore = read;
            quiet.start();
        }
        return sent >= Plan || quiet.elapsed() > 500;
    });
    // The client stopped taking the host's text once about a mebibyte of its
    // own answers waited unsent.
    EXPECT_LT(read, 4 << 20) << sent << " bytes sent";

    // What the user types still goes out; once the host reads, the client
    // reads the rest, and nothing was lost either way.
    r.Send("TYPED\r");
    qint64 answers = 0;
    qint64 others = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const QByteArray got = host.Receive();
            const qint64 a = got.count('a');
            answers += a;
            others += got.size() - a;
            return read == sent && answers == 2 * sent && others == 6;
        },
        60000))
        << read << " of " << sent << " read, " << answers << " answered, " << others << " others";
    r.channel.Close(0);
}

namespace {

// The session's line is watched as the kernel holds it: asked after a
// minute of silence, given up after about two minutes without an answer.
void ExpectLineWatched(quint16 farPort)
{
    const int socket = test::SocketConnectedTo(farPort);
    ASSERT_GE(socket, 0);
    EXPECT_EQ(test::KeepAliveOf(socket), (test::KeepAliveSettings{true, 60, 10, 6, 120000}));
    test::ProbeSoon(socket);
}

// A host that stays on the line and says nothing more.
const QByteArray WaitingScript = "printf 'ready\\r\\n'\n"
                                 "exec sleep 120\n";

} // namespace

TEST(HostChannelTelnet, ALineThatGoesSilentEndsAsAHostDrop)
{
    test::BusyboxTelnetd telnetd(WaitingScript);
    ASSERT_TRUE(telnetd.ready());
    test::VanishingRelay relay(telnetd.port());
    Recorded r;
    r.Open(HostChannel::Telnet, relay.port());
    ASSERT_TRUE(r.WaitFor(QStringLiteral("ready")));
    ExpectLineWatched(relay.port());
    relay.Vanish();
    EXPECT_TRUE(r.WaitForState(static_cast<int>(ChannelState::Disconnected)));
    r.channel.Close(0);
}

TEST(HostChannelSecure, ALineThatGoesSilentEndsAsAHostDrop)
{
    SecureFixture f(WaitingScript);
    if (!f.sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    test::VanishingRelay relay(f.sshd.port());
    f.dialogs.answer(int(Dialogs::Yes));
    Recorded r;
    r.channel.UserName = f.sshd.user();
    r.channel.Password = f.sshd.password();
    r.Open(HostChannel::Secure, relay.port());
    ASSERT_TRUE(r.WaitFor(QStringLiteral("ready")));
    ExpectLineWatched(relay.port());
    relay.Vanish();
    EXPECT_TRUE(r.WaitForState(static_cast<int>(ChannelState::Disconnected)));
    r.channel.Close(0);
}

TEST(HostChannelSecure, AWriteThatFailsEndsTheSessionAsAHostDrop)
{
    SecureFixture f(WaitingScript);
    if (!f.sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    test::VanishingRelay relay(f.sshd.port());
    f.dialogs.answer(int(Dialogs::Yes));
    SecureTransport transport;
    QByteArray received;
    bool dropped = false;
    QObject::connect(&transport, &HostTransport::Received, [&](const QByteArray& bytes) { received += bytes; });
    QObject::connect(&transport, &HostTransport::Dropped, [&] { dropped = true; });
    transport.Open({QStringLiteral("127.0.0.1"), relay.port(), "vt220", f.sshd.user(), f.sshd.password()});
    ASSERT_TRUE(WaitUntil([&] { return received.contains("ready"); }));
    // Held, the transport reads nothing: only its writes can meet the line's end.
    transport.Hold(true);
    relay.Vanish();
    EXPECT_TRUE(WaitUntil([&] {
        transport.Write("typed\r");
        return dropped;
    }));
}
