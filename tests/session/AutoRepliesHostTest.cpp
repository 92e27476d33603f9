#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "session/AutoReplies.h"
#include "session/HostChannel.h"
#include "session/ReceivePipeline.h"
#include "tests/session/Peers.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace zor;
using test::WaitUntil;

namespace {

// The channel, the receive pipeline and the automatic replies joined the way
// the session window joins them, logging on to the demo host.
class AutoRepliesOnHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = ReplyLink();
        ComMode = false;
        QObject::connect(&channel, &HostChannel::CommState, [this](int state) {
            Connected = state == static_cast<int>(ChannelState::Connected);
            states << state;
        });
        QObject::connect(&channel, &HostChannel::DataReady, [this] { pipeline.DataReady(); });
        pipeline.hooks.Read = [this] { return channel.Read(5000, 5); };
        pipeline.hooks.ProcessScript = Process_Script;
        pipeline.hooks.Process = [this](const QString& unit) { units << unit; };
        Link().Send = [this](const QString& text) { channel.Write(text, 0); };

        AutoReplyLink& link = ReplyLink();
        link.GlobalReplies = [this] { return global; };
        link.SessionReplies = [this] { return session; };
        link.UseSessionReply = [this](const QString& entry) { session.removeOne(entry); };
        link.UserId = [] { return QStringLiteral("clerk"); };
        link.Password = [] { return QStringLiteral("s3cret"); };
        link.LogonFailed = [this] {
            ++logonFailures;
            channel.Disconnect(0);
            channel.Close(0);
        };
    }
    void TearDown() override
    {
        channel.Close(0);
        ReplyLink() = saved;
        Link().Send = nullptr;
        Connected = false;
    }
    void Open(quint16 port)
    {
        channel.SetProtocol(HostChannel::Telnet, QString());
        channel.Host = QStringLiteral("127.0.0.1");
        channel.Port = port;
        channel.TerminalType = QStringLiteral("vt220");
        channel.Open(channel.Host, 0);
    }
    bool UnitsContain(const QString& text) const
    {
        for (const QString& unit : units)
            if (unit.contains(text))
                return true;
        return false;
    }

    AutoReplyLink saved;
    HostChannel channel;
    ReceivePipeline pipeline;
    QStringList global;
    QStringList session;
    QStringList units;
    QList<int> states;
    int logonFailures = 0;
};

} // namespace

TEST_F(AutoRepliesOnHost, PromptsAreAnsweredWithTheLogOnValuesAndNeverDrawn)
{
    test::DemoHostPeer host(
        {QStringLiteral("--user"), QStringLiteral("clerk"), QStringLiteral("--password"), QStringLiteral("s3cret")});
    ASSERT_NE(host.port(), 0);
    global = {QStringLiteral("Login: =@userid"), QStringLiteral("Login incorrect=@error")};
    session = {QStringLiteral("Password: =@password")};
    Open(host.port());
    ASSERT_TRUE(host.WaitForLine(QStringLiteral("LOGON clerk")));
    ASSERT_TRUE(WaitUntil([this] { return UnitsContain(QStringLiteral("in^")); }));
    EXPECT_FALSE(UnitsContain(QStringLiteral("Login")));
    EXPECT_FALSE(UnitsContain(QStringLiteral("Password")));
    EXPECT_EQ(logonFailures, 0);
    EXPECT_EQ(session, QStringList{"Password: =@password"});
}

TEST_F(AutoRepliesOnHost, ARefusedLogOnRunsTheFailedLogOnAction)
{
    test::DemoHostPeer host(
        {QStringLiteral("--user"), QStringLiteral("clerk"), QStringLiteral("--password"), QStringLiteral("other")});
    global = {QStringLiteral("Login: =@userid"), QStringLiteral("Password: =@password"),
              QStringLiteral("Login incorrect=@error")};
    Open(host.port());
    ASSERT_TRUE(WaitUntil([this] { return logonFailures > 0; }));
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("CLOSED")));
    EXPECT_EQ(logonFailures, 1);
    EXPECT_FALSE(UnitsContain(QStringLiteral("Login incorrect")));
    EXPECT_FALSE(host.lines().contains(QStringLiteral("LOGON clerk")));
}
