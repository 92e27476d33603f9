#include "core/Appearance.h"
#include "core/Dialogs.h"
#include "core/Rounding.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "session/fConnection.h"
#include "session/fDisconnect.h"
#include "settings/Properties.h"
#include "settings/fLogin.h"
#include "tests/session/Peers.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TypedAnswerScope.h"
#include "tools/MenuTree.h"
#include "tools/ReportStore.h"
#include "tools/fJump.h"
#include "tools/fReport.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRectF>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

using namespace zor;
using test::WaitUntil;

namespace {

struct LogOn {
    QString user;
    QString password;
    bool cancel = false;
};

// Answers the log-on dialog whenever it is up, with the next log-on of the
// queue (Cancel once the queue is empty).
class LogOnAnswerer {
public:
    LogOnAnswerer()
    {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            fLogin& dialog = fLogin::instance();
            if (!dialog.isVisible())
                return;
            ++shown;
            const LogOn next = queue.empty() ? LogOn{{}, {}, true} : queue.front();
            if (!queue.empty())
                queue.pop_front();
            captions << dialog.windowTitle();
            dialog.Text1->setText(next.user);
            dialog.Text2->setText(next.password);
            if (next.cancel)
                dialog.Command2_Click();
            else
                dialog.Command1_Click();
        });
        timer_.start();
    }
    std::deque<LogOn> queue;
    int shown = 0;
    QStringList captions;

private:
    QTimer timer_;
};

const LogOn DemoLogOn{QStringLiteral("demo"), QStringLiteral("demo")};

// The connect time-out set for as long as the scope lives.
class ConnectWaitScope {
public:
    ConnectWaitScope(QTimer& timer, int ms) : timer_(timer), interval_(timer.interval()) { timer.setInterval(ms); }
    ~ConnectWaitScope() { timer_.setInterval(interval_); }

private:
    QTimer& timer_;
    int interval_;
};

// For the tests whose connects never finish on their own, or have already
// failed, so no margin is at stake.
constexpr int ShortConnectWait = 300;

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ConfigFile = QStringLiteral("demo.ntt");
        Properties& settings = Properties::instance();
        settings.List2->clear();
        settings.List2->addItems({QStringLiteral("Login:=@userid"), QStringLiteral("Password:=@password"),
                                  QStringLiteral("Login incorrect=@error")});
        settings.cbSecureConnection->setChecked(false);
        settings.cbExitMode->setChecked(false);
        LogonFailed = VbFalse;
        SetDefaultAppearance();
        window.show();
        window.PaintBackdrop();
        window.DrawEntities();
    }
    void TearDown() override
    {
        window.CloseConnection();
        window.mChannel->Close(0);
        fDisconnect::instance().hide();
        Connected = false;
    }
    void Target(const QString& host, const QString& port)
    {
        Settings.HostName = FixedWidth(host, SessionSettings::HostNameWidth);
        Properties::instance().PropText[0]->setText(host);
        Properties::instance().PropText[1]->setText(port);
    }
    void Target(quint16 port) { Target(QStringLiteral("127.0.0.1"), QString::number(port)); }
    // Connects, with the demo host's user and password for the log-on.
    void LogOnAsDemo()
    {
        logOn.queue.push_back(DemoLogOn);
        window.puConnect_Click();
    }
    bool ConnectItems(bool connectEnabled) const
    {
        return window.puConnect->isEnabled() == connectEnabled && window.connectmnu->isEnabled() == connectEnabled &&
               window.ToolbarButton(QStringLiteral("connect"))->isEnabled() == connectEnabled &&
               window.puDisconnect->isEnabled() != connectEnabled &&
               window.disconnectmnu->isEnabled() != connectEnabled &&
               window.ToolbarButton(QStringLiteral("disconnect"))->isEnabled() != connectEnabled;
    }
    QStringList Titles() const
    {
        QStringList titles;
        for (const Dialogs::Request& request : dialogs.asked)
            titles << request.title;
        return titles;
    }
    // A box centres its caption both ways: no other entity may lie there.
    static bool BoxCaptionsShow()
    {
        for (int i = 0; i < EntityCount; ++i) {
            const Entity& box = Entities[static_cast<size_t>(i)];
            const QString caption = Trim(box.Caption);
            if (box.EntityType != KindBox || caption.isEmpty())
                continue;
            const QPointF centre(box.X + box.Width / 2.0, box.Y + box.Height / 2.0);
            const QRectF shown(centre.x() - caption.size() / 2.0, centre.y() - 0.5, caption.size(), 1);
            for (int j = 0; j < EntityCount; ++j) {
                const Entity& other = Entities[static_cast<size_t>(j)];
                if (j != i && other.EntityType != KindBox &&
                    QRectF(other.X, other.Y, other.Width, other.Height).intersects(shown))
                    return false;
            }
        }
        return true;
    }

    static bool HasCaption(const char* caption)
    {
        for (int i = 0; i < EntityCount; ++i) {
            if (Trim(Entities[static_cast<size_t>(i)].Caption) == QLatin1String(caption))
                return true;
        }
        return false;
    }

    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    LogOnAnswerer logOn;
    fConnection& window = fConnection::instance();
    // A connect that should succeed is never cut short by a loaded machine.
    ConnectWaitScope connectWait{*window.Timer3, test::WaitLimitMs};
};

} // namespace

TEST_F(ConnectionTest, LogsOnDrawsTheHostsScreenAndSendsTheReply)
{
    test::DemoHostPeer host;
    Target(host.port());
    LogOnAsDemo();
    ASSERT_TRUE(Connected);
    const QImage before = window.MainPic->Image();
    EXPECT_TRUE(ConnectItems(false));
    EXPECT_EQ(CommStatusText, QStringLiteral("Telnet -> 127.0.0.1"));
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("Telnet -> 127.0.0.1")));
    EXPECT_TRUE(window.ConsoleText->Text().contains(QStringLiteral("Attempting to connect to '")));

    ASSERT_TRUE(host.WaitForLine(QStringLiteral("LOGON demo")));
    ASSERT_TRUE(WaitUntil([] { return HasCaption("Search"); }));
    EXPECT_TRUE(HasCaption("Item code:"));
    // The host's input request has the box open for the answer.
    EXPECT_TRUE(InputPending);
    EXPECT_TRUE(window.INTextPic->isVisible());
    const QImage shown = window.MainPic->Image();
    EXPECT_NE(shown, before) << "the screen was not drawn";
    test::SaveTestOutput(QStringLiteral("connection-demo-screen.png"), shown);

    SendReply(QStringLiteral("SEARCH"));
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("GOT SEARCH")));
    EXPECT_TRUE(WaitUntil([] { return HasCaption("Last reply: SEARCH"); }));

    // The user logs off, and is asked first.
    dialogs.answer(int(Dialogs::Yes));
    window.puDisconnect_Click();
    EXPECT_FALSE(Connected);
    EXPECT_TRUE(ConnectItems(true));
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("CLOSED")));
    EXPECT_EQ(Titles(), QStringList{"Close"});
    EXPECT_EQ(dialogs.asked.last().style, Dialogs::YesNo + Dialogs::Information);
    EXPECT_FALSE(fDisconnect::instance().isVisible());
    EXPECT_EQ(EntityCount, -1);
}

TEST_F(ConnectionTest, AltJOpensTheHostsMenuTreeAndSendsTheChosenEntry)
{
    test::DemoHostPeer host;
    Target(host.port());
    fJump& jump = fJump::instance();
    jump.SelectedKey = QStringLiteral("OLD");
    LogOnAsDemo();
    ASSERT_TRUE(host.WaitForLine(QStringLiteral("LOGON demo")));
    ASSERT_TRUE(WaitUntil([] { return SessionMenuTree().IndexOf(QStringLiteral("bye")) >= 0; }));
    // The new log-on discarded the last session's choice.
    EXPECT_TRUE(jump.SelectedKey.isEmpty());
    EXPECT_FALSE(jump.isVisible());

    bool openModally = false;
    QTimer::singleShot(0, &jump, [&] {
        openModally = jump.isVisible() && jump.isModal();
        jump.JumpTree->expandAll();
        QTreeWidgetItem* enquiry = jump.Item(SessionMenuTree().IndexOf(QStringLiteral("SEARCH")));
        const QPoint place = jump.JumpTree->visualItemRect(enquiry).center();
        QTest::mouseClick(jump.JumpTree->viewport(), Qt::LeftButton, Qt::NoModifier, place);
        QTest::mouseClick(jump.JumpTree->viewport(), Qt::LeftButton, Qt::NoModifier, place);
        if (jump.isVisible())
            jump.reject();
    });
    QTest::keyClick(&window, Qt::Key_J, Qt::AltModifier);
    EXPECT_TRUE(openModally);
    EXPECT_FALSE(jump.isVisible());
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("GOT SEARCH")));
    EXPECT_EQ(JumpKey, QStringLiteral("SEARCH"));
}

TEST_F(ConnectionTest, ARefusedLogOnAsksAgainAndTheNextOneConnects)
{
    test::DemoHostPeer host;
    Target(host.port());
    logOn.queue.push_back({QStringLiteral("demo"), QStringLiteral("wrong")});
    LogOnAsDemo();
    ASSERT_TRUE(host.WaitForLine(QStringLiteral("LOGON demo")));
    EXPECT_TRUE(host.lines().contains(QStringLiteral("REFUSED demo")));
    EXPECT_EQ(logOn.shown, 2);
    EXPECT_EQ(logOn.captions.value(1), QStringLiteral("Incorrect Log On - Try Again!"));
    EXPECT_TRUE(Connected);
    EXPECT_FALSE(fDisconnect::instance().isVisible());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(ConnectionTest, TheHostDroppingTheLineShowsTheDialogOrEndsInExitMode)
{
    for (const bool exitMode : {false, true}) {
        test::DemoHostPeer host;
        Target(host.port());
        window.show();
        Properties::instance().cbExitMode->setChecked(exitMode);
        LogOnAsDemo();
        ASSERT_TRUE(WaitUntil([] { return HasCaption("Search"); }));
        SendReply(QStringLiteral("bye"));
        ASSERT_TRUE(WaitUntil([] { return !Connected; }));
        EXPECT_TRUE(ConnectItems(true));
        EXPECT_TRUE(CommStatusText.isEmpty());
        EXPECT_EQ(window.mChannel->CurrentState(), ChannelState::Closed);
        EXPECT_EQ(fDisconnect::instance().isVisible(), !exitMode) << exitMode;
        EXPECT_EQ(window.isVisible(), !exitMode) << exitMode;
        EXPECT_TRUE(dialogs.asked.isEmpty()) << "nothing is asked when the host ended the session";
        fDisconnect::instance().hide();
    }
}

TEST_F(ConnectionTest, ALocalCloseClearsTheCaptionWithoutTheDisconnectDialog)
{
    struct Case {
        const char* name;
        const char* password;
        std::function<void()> close;
    };
    const Case cases[] = {
        {"Log Off", "demo",
         [this] {
             dialogs.answer(int(Dialogs::Yes));
             window.puDisconnect_Click();
         }},
        {"CloseConnection", "demo", [this] { window.CloseConnection(); }},
        // The host refuses the log-on; the user cancels the one asked again.
        {"@error", "wrong", [this] { ASSERT_TRUE(WaitUntil([this] { return logOn.shown == 2; })); }},
    };
    for (const Case& c : cases) {
        test::DemoHostPeer host;
        Target(host.port());
        logOn.shown = 0;
        logOn.queue.push_back({QStringLiteral("demo"), QLatin1String(c.password)});
        window.puConnect_Click();
        ASSERT_TRUE(Connected) << c.name;
        EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("Telnet -> 127.0.0.1"))) << c.name;
        c.close();
        ASSERT_TRUE(WaitUntil([this] { return window.mChannel->CurrentState() == ChannelState::Closed; })) << c.name;
        EXPECT_TRUE(CommStatusText.isEmpty()) << c.name;
        EXPECT_FALSE(window.windowTitle().contains(QStringLiteral("->"))) << c.name;
        EXPECT_FALSE(fDisconnect::instance().isVisible()) << c.name;
        EXPECT_TRUE(ConnectItems(true)) << c.name;
    }
}

TEST_F(ConnectionTest, TheDisconnectDialogReconnects)
{
    test::DemoHostPeer host;
    Target(host.port());
    LogOnAsDemo();
    ASSERT_TRUE(WaitUntil([] { return HasCaption("Search"); }));
    SendReply(QStringLiteral("bye"));
    ASSERT_TRUE(WaitUntil([] { return fDisconnect::instance().isVisible(); }));
    EXPECT_TRUE(fLogin::instance().Text2->text().isEmpty());
    logOn.queue.push_back(DemoLogOn);
    fDisconnect::instance().reconnect->click();
    EXPECT_FALSE(fDisconnect::instance().isVisible());
    EXPECT_TRUE(Connected);
    EXPECT_TRUE(WaitUntil([&] { return host.lines().count(QStringLiteral("LOGON demo")) == 2; }));
}

TEST_F(ConnectionTest, AClosedPortEndsWithConnectFailedOnce)
{
    ConnectWaitScope shortWait(*window.Timer3, ShortConnectWait);
    Target(test::FreePort());
    LogOnAsDemo();
    EXPECT_FALSE(Connected);
    EXPECT_TRUE(ConnectItems(true));
    ASSERT_EQ(Titles(), QStringList{"Connect Failed"});
    EXPECT_EQ(dialogs.asked[0].prompt, QStringLiteral("Unable to connect to 127.0.0.1\r\nThe port specified may be "
                                                      "invalid or it\r\nmay be in use by another application."));
    EXPECT_EQ(dialogs.asked[0].style, Dialogs::OKOnly + Dialogs::Exclamation);
    EXPECT_FALSE(window.Timer3->isActive());
}

namespace {

// A line to a host that is held until the test lets it through: the client's
// bytes wait, and the host's greeting too.
class HeldLine {
public:
    explicit HeldLine(quint16 hostPort) : hostPort_(hostPort)
    {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { client_ = server_.nextPendingConnection(); });
    }
    quint16 port() const { return server_.serverPort(); }
    bool clientArrived() const { return client_ != nullptr; }
    bool clientLeft() const { return client_ && client_->state() == QAbstractSocket::UnconnectedState; }
    void LetThrough()
    {
        QObject::connect(&host_, &QTcpSocket::readyRead, [this] { client_->write(host_.readAll()); });
        QObject::connect(client_, &QTcpSocket::readyRead, [this] { host_.write(client_->readAll()); });
        QObject::connect(&host_, &QTcpSocket::connected, [this] { host_.write(client_->readAll()); });
        host_.connectToHost(QHostAddress::LocalHost, hostPort_);
    }

private:
    quint16 hostPort_;
    QTcpServer server_;
    QTcpSocket* client_ = nullptr;
    QTcpSocket host_;
};

} // namespace

TEST_F(ConnectionTest, AConnectThatTimedOutIsGivenUpAndTheNextLogOnConnects)
{
    // A listener whose queue of connections is full drops further requests,
    // so a connect to it hangs until the queue has room again.
    QTcpServer host;
    host.setListenBacklogSize(0);
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0));
    host.pauseAccepting();
    QTcpSocket filler;
    filler.connectToHost(QHostAddress::LocalHost, host.serverPort());
    ASSERT_TRUE(filler.waitForConnected(test::WaitLimitMs));
    ConnectWaitScope shortWait(*window.Timer3, ShortConnectWait);
    Target(host.serverPort());
    LogOnAsDemo();
    EXPECT_FALSE(Connected);
    EXPECT_EQ(Titles(), QStringList{"Connect Failed"});
    EXPECT_EQ(window.mChannel->CurrentState(), ChannelState::Closed);
    EXPECT_TRUE(ConnectItems(true));
    EXPECT_TRUE(CommStatusText.isEmpty());

    host.resumeAccepting();
    ASSERT_TRUE(WaitUntil([&] { return host.hasPendingConnections(); }));
    delete host.nextPendingConnection();
    LogOnAsDemo();
    EXPECT_EQ(Titles(), QStringList{"Connect Failed"}) << "no Connect Error for a channel still open";
    ASSERT_TRUE(Connected);
    EXPECT_TRUE(ConnectItems(false));
    EXPECT_TRUE(WaitUntil([&] { return host.hasPendingConnections(); }));
}

TEST_F(ConnectionTest, AConnectGivenUpNeverBecomesASessionWhenItCompletesLate)
{
    test::Sshd sshd("printf '\\033cs\\033to^1^1^20^l^Secure screen^^1\\033\\n'\nread x\n");
    if (!sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    HeldLine line(sshd.port());
    QByteArray known = sshd.KnownHostsLine();
    known.replace(":" + QByteArray::number(sshd.port()), ":" + QByteArray::number(line.port()));
    home.write(QStringLiteral("known_hosts"), known);
    Properties::instance().cbSecureConnection->setChecked(true);
    ConnectWaitScope shortWait(*window.Timer3, ShortConnectWait);
    Target(line.port());
    logOn.queue.push_back({sshd.user(), sshd.password()});
    window.puConnect_Click();
    EXPECT_EQ(Titles(), QStringList{"Connect Failed"});
    EXPECT_EQ(window.mChannel->CurrentState(), ChannelState::Closed);

    // The host answers now: the attempt that was given up leaves the line.
    ASSERT_TRUE(WaitUntil([&] { return line.clientArrived(); }));
    line.LetThrough();
    ASSERT_TRUE(WaitUntil([&] { return line.clientLeft() || Connected; }));
    EXPECT_FALSE(Connected);
    EXPECT_EQ(window.mChannel->CurrentState(), ChannelState::Closed);
    EXPECT_TRUE(ConnectItems(true));
    EXPECT_FALSE(HasCaption("Secure screen"));
}

TEST_F(ConnectionTest, RepliesSentJustBeforeALocalCloseReachTheHost)
{
    Properties::instance().List2->addItems(
        {QStringLiteral("Last reply: QUIT=logoff"), QStringLiteral("Last reply: QUIT=@close")});
    struct Case {
        const char* name;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"an automatic reply, then @close", [] { SendReply(QStringLiteral("QUIT")); }},
        {"a reply, then CloseConnection",
         [this] {
             SendReply(QStringLiteral("logoff"));
             window.CloseConnection();
         }},
    };
    for (const Case& c : cases) {
        test::DemoHostPeer host;
        Target(host.port());
        LogOnAsDemo();
        ASSERT_TRUE(Connected) << c.name;
        ASSERT_TRUE(WaitUntil([] { return HasCaption("Search"); })) << c.name;
        c.act();
        EXPECT_TRUE(host.WaitForLine(QStringLiteral("GOT logoff"))) << c.name;
        EXPECT_TRUE(host.WaitForLine(QStringLiteral("CLOSED"))) << c.name;
        EXPECT_EQ(window.mChannel->CurrentState(), ChannelState::Closed) << c.name;
    }
}

TEST_F(ConnectionTest, AReplySentJustBeforeALocalCloseReachesASecureHost)
{
    QTemporaryDir drop;
    QFile::setPermissions(drop.path(), QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther |
                                           QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString replyFile = drop.filePath(QStringLiteral("reply"));
    test::Sshd sshd("read go\nprintf 'Bye\\r\\n'\nread reply\necho \"$reply\" > " + replyFile.toLocal8Bit() + "\n");
    if (!sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    home.write(QStringLiteral("known_hosts"), sshd.KnownHostsLine());
    Properties::instance().List2->addItems({QStringLiteral("Bye=logoff"), QStringLiteral("Bye=@close")});
    Properties::instance().cbSecureConnection->setChecked(true);
    Target(sshd.port());
    logOn.queue.push_back({sshd.user(), sshd.password()});
    window.puConnect_Click();
    ASSERT_TRUE(Connected);
    SendReply(QStringLiteral("go"));
    ASSERT_TRUE(WaitUntil([this] { return window.mChannel->CurrentState() == ChannelState::Closed; }));
    EXPECT_TRUE(WaitUntil([&] {
        QFile file(replyFile);
        return file.open(QIODevice::ReadOnly) && file.readAll().trimmed() == "logoff";
    }));
}

TEST_F(ConnectionTest, APortThatIsNoNumberIsAConnectError)
{
    ConnectWaitScope shortWait(*window.Timer3, ShortConnectWait);
    Target(QStringLiteral("127.0.0.1"), QStringLiteral("telnet"));
    LogOnAsDemo();
    EXPECT_EQ(Titles(), (QStringList{QString(), "Connect Failed"}));
    EXPECT_EQ(dialogs.asked.value(0).prompt, QStringLiteral("Connect Error: D Type mismatch"));
    EXPECT_EQ(window.mChannel->CurrentState(), ChannelState::Closed);
}

TEST_F(ConnectionTest, WithoutAHostNothingIsOpened)
{
    for (const QString& host : {QStringLiteral("   "), QString(QChar(0)) + QStringLiteral("127.0.0.1")}) {
        dialogs.asked.clear();
        Target(host, QStringLiteral("23"));
        QTimer closer;
        closer.setInterval(20);
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (Properties::instance().isVisible())
                Properties::instance().done(0);
        });
        closer.start();
        window.puConnect_Click();
        ASSERT_EQ(Titles(), QStringList{"ERROR"});
        EXPECT_EQ(dialogs.asked[0].prompt, QStringLiteral("You must first fill out the connection information."));
        EXPECT_EQ(dialogs.asked[0].style, Dialogs::OKOnly + Dialogs::Critical);
        EXPECT_EQ(logOn.shown, 0);
        EXPECT_EQ(window.mChannel->CurrentState(), ChannelState::Closed);
    }
}

TEST_F(ConnectionTest, CancelInTheLogOnChangesNothing)
{
    Target(test::FreePort());
    const QString console = window.ConsoleText->Text();
    window.puConnect_Click();
    EXPECT_EQ(logOn.shown, 1);
    EXPECT_EQ(window.mChannel->CurrentState(), ChannelState::Closed);
    EXPECT_EQ(window.ConsoleText->Text(), console);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_TRUE(ConnectItems(true));
}

TEST_F(ConnectionTest, LeavingWhileConnectedAsksFirst)
{
    test::DemoHostPeer host;
    Target(host.port());
    LogOnAsDemo();
    ASSERT_TRUE(Connected);
    dialogs.answer(int(Dialogs::No));
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(Connected);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Titles(), QStringList{"Close"});

    dialogs.answer(int(Dialogs::Yes));
    window.exitmnu->trigger();
    EXPECT_FALSE(Connected);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("CLOSED")));
}

TEST_F(ConnectionTest, TheDisconnectedStateAfterARefusedLogOnDoesNothing)
{
    LogonFailed = VbTrue;
    window.mChannel_CommState(static_cast<int>(ChannelState::Disconnected));
    EXPECT_FALSE(fDisconnect::instance().isVisible());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.CommStateText, QStringLiteral("Disconnected"));
    EXPECT_TRUE(window.ChannelOpen);

    // Not connected: closing without asking does nothing either.
    window.CloseConnection();
    EXPECT_TRUE(dialogs.asked.isEmpty());
    window.mChannel_CommState(42);
    EXPECT_EQ(window.CommStateText, QStringLiteral("Unknown state"));
    EXPECT_FALSE(window.ChannelOpen);
}

TEST_F(ConnectionTest, ASecureSessionLogsOnWithTheLogOnDialogsUserAndPassword)
{
    test::Sshd sshd("printf '\\033cs\\033to^1^1^20^l^Secure screen^^1\\033\\n'\n"
                    "read reply\n"
                    "printf '\\033to^1^3^20^l^GOT:%s^^1\\033\\n' \"$reply\"\n"
                    "sleep 1\n");
    if (!sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    Properties::instance().cbSecureConnection->setChecked(true);
    Target(sshd.port());
    logOn.queue.push_back({sshd.user(), sshd.password()});
    dialogs.answer(int(Dialogs::Yes)); // the unknown host's key
    window.puConnect_Click();
    ASSERT_TRUE(Connected);
    EXPECT_EQ(CommStatusText, QStringLiteral("Secure -> 127.0.0.1"));
    EXPECT_EQ(Titles(), QStringList{"Unknown Host"});
    ASSERT_TRUE(WaitUntil([] { return HasCaption("Secure screen"); }));
    SendReply(QStringLiteral("hello"));
    EXPECT_TRUE(WaitUntil([] { return HasCaption("GOT:hello"); }));
    // The script ends: the host has dropped the line.
    EXPECT_TRUE(WaitUntil([] { return fDisconnect::instance().isVisible(); }));
    EXPECT_FALSE(Connected);
}

TEST_F(ConnectionTest, TakingTimeOverAnUnknownKeyIsNoFailedConnection)
{
    test::Sshd sshd("printf '\\033cs\\033to^1^1^20^l^Secure screen^^1\\033\\n'\nread x\n");
    if (!sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    Properties::instance().cbSecureConnection->setChecked(true);
    Target(sshd.port());
    logOn.queue.push_back({sshd.user(), sshd.password()});
    QStringList titles;
    int timeOuts = 0;
    const QObject counting;
    QObject::connect(window.Timer3, &QTimer::timeout, &counting, [&] { ++timeOuts; });
    // The key exchange gets the whole wait: on a slow machine a short
    // time-out would expire before the fingerprint is shown.
    ConnectWaitScope longWait(*window.Timer3, test::WaitLimitMs);
    Dialogs::SetAnswerer([&](const Dialogs::Request& request) -> QVariant {
        titles << request.title;
        // The user reads the fingerprint for longer than the connect time-out
        // (a new interval restarts the running timer).
        window.Timer3->setInterval(ShortConnectWait);
        WaitUntil([&] { return timeOuts > 0; });
        window.Timer3->setInterval(test::WaitLimitMs);
        return int(Dialogs::Yes);
    });
    window.puConnect_Click();
    EXPECT_TRUE(Connected);
    EXPECT_EQ(titles, QStringList{"Unknown Host"});
    EXPECT_TRUE(WaitUntil([] { return HasCaption("Secure screen"); }));
}

TEST_F(ConnectionTest, TheHostGetsTheAnswerTypedAndTheTagOfTheEntityClicked)
{
    test::TypedAnswerScope typed;
    test::DemoHostPeer host;
    Target(host.port());
    logOn.queue.push_back({QStringLiteral("demo"), QStringLiteral("demo")});
    window.puConnect_Click();
    ASSERT_TRUE(WaitUntil([this] { return InputPending && !window.INTextPic->isHidden(); }));

    QTest::keyClicks(window.INText, "W100");
    QTest::keyClick(window.INText, Qt::Key_Tab);
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("GOT W100")));
    ASSERT_TRUE(WaitUntil([] { return HasCaption("Last reply: W100"); }));

    // The Search button at column 4, row 16.
    const QPoint search(ToPixel(5 * CellWidth.toDouble()), ToPixel(16.5 * CellHeight.toDouble()));
    QTest::mouseClick(window.MainPic, Qt::LeftButton, {}, search);
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("GOT SEARCH")));
    EXPECT_FALSE(host.lines().contains(QStringLiteral("GOT ")));
}

TEST_F(ConnectionTest, AFloodOfScreensReachesTheInterpreterWholeAndInOrder)
{
    // 64 MB of screens without pause (a quarter of that under the sanitizers,
    // which make the window several times slower).
#ifdef __SANITIZE_ADDRESS__
    const qsizetype bytes = 16 << 20;
#else
    const qsizetype bytes = 64 << 20;
#endif
    const int screens = static_cast<int>(bytes / test::FloodScreen(0).size());
    test::BusyboxTelnetd telnetd(test::FloodScript(screens));
    ASSERT_TRUE(telnetd.ready());
    Target(telnetd.port());

    ReceivePipeline::Hooks& hooks = window.Receiver->hooks;
    const auto process = hooks.Process;
    struct Restore {
        ~Restore() { hooks.Process = process; }
        ReceivePipeline::Hooks& hooks;
        std::function<void(const QString&)> process;
    } restore{hooks, process};
    const QString numbered = QStringLiteral("to^4^3^20^l^Screen ");
    int seen = 0;
    QString outOfOrder;
    qsizetype mostUnread = 0, mostWaiting = 0;
    hooks.Process = [&](const QString& unit) {
        if (unit.startsWith(numbered)) {
            if (outOfOrder.isEmpty() && unit != numbered + QString::number(seen) + QStringLiteral("^^1"))
                outOfOrder = QStringLiteral("screen %1 came as %2").arg(seen).arg(unit);
            ++seen;
        }
        mostUnread = qMax(mostUnread, window.mChannel->Unread());
        mostWaiting = qMax(mostWaiting, window.Receiver->ReadBuffer.size());
        process(unit);
    };

    LogOnAsDemo();
    ASSERT_TRUE(Connected);
    EXPECT_TRUE(WaitUntil([&] { return seen == screens || !outOfOrder.isEmpty(); }, 110000)) << seen;
    EXPECT_TRUE(outOfOrder.isEmpty()) << outOfOrder.toStdString();
    EXPECT_EQ(seen, screens);
    EXPECT_LT(mostUnread, HostChannel::MaxUnread + 512 * 1024);
    EXPECT_LE(mostWaiting, ReceivePipeline::MaxUnfinished);
    EXPECT_TRUE(HasCaption(("Screen " + std::to_string(screens - 1)).c_str()));
}

TEST_F(ConnectionTest, TheDemoHostsReportIsShownInTheViewer)
{
    test::DemoHostPeer host;
    Target(host.port());
    LogOnAsDemo();
    ASSERT_TRUE(Connected);
    ASSERT_TRUE(WaitUntil([] { return HasCaption("Report"); }));
    fReport& viewer = fReport::instance();
    viewer.close();

    SendReply(QStringLiteral("REPORT"));
    ASSERT_TRUE(WaitUntil([&] { return viewer.isVisible(); }));
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Stock report"));
    EXPECT_EQ(Report().Rows.mid(0, 4),
              (QStringList{"Code  Description           In stock", "W100  Blue widget, boxed       1,250",
                           "W200  Red widget, loose          310", "G300  Green gadget                42"}));
    viewer.close();
}

TEST_F(ConnectionTest, TheHostsMessageBoxAndListAreAnsweredByTheUser)
{
    test::DemoHostPeer host;
    Target(host.port());
    LogOnAsDemo();
    ASSERT_TRUE(Connected);
    ASSERT_TRUE(WaitUntil([] { return HasCaption("Search"); }));
    EXPECT_TRUE(BoxCaptionsShow());

    SendReply(QStringLiteral("DETAILS"));
    ASSERT_TRUE(WaitUntil([this] { return window.MsgPic->isVisible(); }));
    EXPECT_EQ(window.MBCommand[1]->text(), QStringLiteral("O&rder more"));
    QTest::mouseClick(window.MBCommand[1], Qt::LeftButton);
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("GOT ORDER")));
    EXPECT_TRUE(window.MsgPic->isHidden());

    SendReply(QStringLiteral("SEARCH"));
    ASSERT_TRUE(WaitUntil([this] { return window.ListPic->isVisible(); }));
    EXPECT_EQ(window.LSList->count(), 3);
    // The header is wide enough for the buttons: the panel is as wide as it.
    EXPECT_EQ(window.ListPic->width(), window.LSHeader->width() + 30);
    window.LSList->setCurrentRow(1);
    QTest::keyClick(window.LSList, Qt::Key_Return);
    const QString chosen = QStringLiteral("W200  Red widget, loose                  310");
    EXPECT_TRUE(host.WaitForLine("GOT " + chosen));
    EXPECT_TRUE(window.ListPic->isHidden());
    EXPECT_TRUE(WaitUntil([&] { return HasCaption(("Last reply: " + chosen).toLatin1().constData()); }));
}

namespace {

// What the client replies to "vn".
QString VersionReply()
{
    return QStringLiteral("ZOR GUI User Interface version ") + VersionNumber();
}

bool RepliedVersion(const test::InProcessHost& host)
{
    return WaitUntil([&] { return host.lines().contains(VersionReply()); });
}

// The session window's unit handler with a step before each unit, for as
// long as the scope lives.
class BeforeEachUnit {
public:
    BeforeEachUnit(fConnection& window, std::function<void(const QString&)> step)
        : hooks_(window.Receiver->hooks), process_(hooks_.Process)
    {
        hooks_.Process = [this, step = std::move(step)](const QString& unit) {
            step(unit);
            process_(unit);
        };
    }
    ~BeforeEachUnit() { hooks_.Process = process_; }

private:
    ReceivePipeline::Hooks& hooks_;
    std::function<void(const QString&)> process_;
};

} // namespace

TEST_F(ConnectionTest, HostTextArrivingWhileAUnitLetsEventsRunIsHandledWhenTheUnitEnds)
{
    struct Case {
        const char* name;
        QByteArray unit;
        // The box the unit asks, and what it sends.
        int boxes;
        QString answer;
    };
    // Each unit lets the window's events run in its own way.
    const Case cases[] = {
        {"an input dialog",
         "\x1b"
         "ib^Check^Your initials^AB\x1b\r\n",
         1, QStringLiteral("AB")},
        {"a sub-window", "\x1bsw^Big^1^1^40^10\x1b\r\n", 0, {}},
        {"a message box", "\x1bStopped] in program POS\x1b\r\n", 1, {}},
    };
    test::InProcessHost* host = nullptr;
    int boxes = 0;
    // The box stays up until the client has read the host's next text.
    Dialogs::SetAnswerer([&](const Dialogs::Request& request) -> QVariant {
        ++boxes;
        WaitUntil([&] { return host->ClientTookAll(); });
        return request.kind == Dialogs::Request::InputBox ? QVariant(request.initial) : QVariant(int(Dialogs::OK));
    });
    for (const Case& c : cases) {
        test::InProcessHost peer;
        host = &peer;
        boxes = 0;
        Target(peer.port());
        LogOnAsDemo();
        ASSERT_TRUE(Connected) << c.name;
        ASSERT_TRUE(peer.WaitForClient()) << c.name;
        // The host's next text reaches the client just as the unit starts.
        const QString unit = QString::fromLatin1(c.unit.mid(1, c.unit.size() - 4));
        BeforeEachUnit sendNext(window, [&](const QString& started) {
            if (started == unit)
                peer.Send("\x1bvn\x1b\r\n");
        });
        peer.Send(c.unit);
        EXPECT_TRUE(RepliedVersion(peer)) << c.name;
        EXPECT_EQ(boxes, c.boxes) << c.name;
        if (!c.answer.isEmpty()) {
            EXPECT_EQ(peer.lines().value(0), c.answer) << c.name;
        }
        window.Process(QStringLiteral("lv^-1"));
        window.CloseConnection();
    }
}

TEST_F(ConnectionTest, ASecureHostsTextArrivingWhileAnInputDialogIsUpIsHandledWhenItCloses)
{
    QTemporaryDir drop;
    QFile::setPermissions(drop.path(), QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther |
                                           QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray go = drop.filePath(QStringLiteral("go")).toLocal8Bit();
    const QString replies = drop.filePath(QStringLiteral("replies"));
    test::Sshd sshd("printf '\\033ib^Check^Your initials^AB\\033\\n'\n"
                    "while [ ! -f " +
                    go +
                    " ]; do sleep 0.05; done\n"
                    "printf '\\033vn\\033\\n'\n"
                    "read answer\nread version\n"
                    "echo \"$answer|$version\" > " +
                    replies.toLocal8Bit() + "\nsleep 5\n");
    if (!sshd.ready())
        GTEST_SKIP() << "needs root and sshd";
    home.write(QStringLiteral("known_hosts"), sshd.KnownHostsLine());
    Properties::instance().cbSecureConnection->setChecked(true);
    Target(sshd.port());
    bool arrivedMeanwhile = false;
    Dialogs::SetAnswerer([&](const Dialogs::Request& request) -> QVariant {
        test::WriteFileBytes(QString::fromLocal8Bit(go), {});
        arrivedMeanwhile = WaitUntil([&] { return window.mChannel->Unread() > 0; });
        return request.initial;
    });
    logOn.queue.push_back({sshd.user(), sshd.password()});
    window.puConnect_Click();
    ASSERT_TRUE(Connected);
    EXPECT_TRUE(WaitUntil([&] {
        QFile file(replies);
        return file.open(QIODevice::ReadOnly) && file.readAll().trimmed() == "AB|" + VersionReply().toLatin1();
    }));
    EXPECT_TRUE(arrivedMeanwhile);
}

namespace {

// A host script whose first session runs first, and every later one next.
QByteArray FirstThenNext(const QTemporaryDir& dir, const QByteArray& first, const QByteArray& next)
{
    const QByteArray seen = dir.filePath(QStringLiteral("seen")).toLocal8Bit();
    return "stty -opost -echo\nif [ -f " + seen + " ]; then\n" + next + "else\ntouch " + seen + "\n" + first + "fi\n";
}

bool FileHolds(const QString& path, const QString& text)
{
    return WaitUntil([&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) && QString::fromLatin1(file.readAll().trimmed()) == text;
    });
}

} // namespace

TEST_F(ConnectionTest, UnfinishedTextOfTheLastSessionIsNeverPartOfTheNext)
{
    for (const bool hostDrops : {true, false}) {
        // The first session ends on a prompt without its line end.
        {
            test::InProcessHost first;
            Target(first.port());
            LogOnAsDemo();
            ASSERT_TRUE(Connected) << hostDrops;
            ASSERT_TRUE(first.WaitForClient());
            first.Send("$ ");
            ASSERT_TRUE(WaitUntil([this] { return window.Receiver->ReadBuffer == QLatin1String("$ "); }));
            if (hostDrops) {
                first.Close();
                ASSERT_TRUE(WaitUntil([] { return fDisconnect::instance().isVisible(); }));
                fDisconnect::instance().hide();
            } else {
                dialogs.answer(int(Dialogs::Yes));
                window.puDisconnect_Click();
            }
            ASSERT_FALSE(Connected) << hostDrops;
        }
        // The next one's first line is a unit of its own.
        test::InProcessHost next;
        Target(next.port());
        LogOnAsDemo();
        ASSERT_TRUE(Connected) << hostDrops;
        ASSERT_TRUE(next.WaitForClient());
        next.Send("vn\r\n");
        EXPECT_TRUE(RepliedVersion(next)) << hostDrops;
        window.CloseConnection();
    }
}

TEST_F(ConnectionTest, AfterARefusedLogOnTheNewHostIsNotAnsweredTheFailedSessionsPrompt)
{
    Properties::instance().List2->addItem(QStringLiteral("login: =@userid"));
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first"));
    // The next host asks nothing but the version: the first line it gets
    // must be that reply.
    test::BusyboxTelnetd telnetd(FirstThenNext(dir, "printf 'Login incorrect\\r\\n\\r\\nlogin: '\nsleep 30\n",
                                               "printf '\\033vn\\033\\r\\n'\nread first\necho \"$first\" > " +
                                                   first.toLocal8Bit() + "\nsleep 5\n"));
    ASSERT_TRUE(telnetd.ready());
    Target(telnetd.port());
    logOn.queue = {{QStringLiteral("clerk"), QStringLiteral("pw")}, {QStringLiteral("clerk"), QStringLiteral("pw")}};
    window.puConnect_Click();
    ASSERT_TRUE(WaitUntil([this] { return logOn.shown == 2 && Connected; }));
    EXPECT_EQ(logOn.captions.value(1), QStringLiteral("Incorrect Log On - Try Again!"));
    EXPECT_TRUE(FileHolds(first, VersionReply()));
}
