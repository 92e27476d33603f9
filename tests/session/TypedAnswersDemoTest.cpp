#include "core/SessionLink.h"
#include "session/HostChannel.h"
#include "session/ReceivePipeline.h"
#include "tests/session/AnswerFixture.h"
#include "tests/session/Peers.h"

#include <QLineEdit>

using namespace zor;
using test::WaitUntil;

namespace {

// The session window on a Telnet line to the demo host: the host's text is
// cut into units for the window, what the window sends goes on the line, and
// the log-on prompts are answered as the automatic replies would.
class DemoLine {
public:
    explicit DemoLine(quint16 port)
    {
        fConnection& window = fConnection::instance();
        pipeline.hooks.Read = [this] { return channel.Read(5000, 5); };
        pipeline.hooks.ProcessScript = [this](QString& text) {
            if (!text.endsWith(QStringLiteral("Login: ")) && !text.endsWith(QStringLiteral("Password: ")))
                return false;
            channel.Write(QStringLiteral("demo\r"), 0);
            return true;
        };
        pipeline.hooks.Process = [&window](const QString& unit) { window.Process(unit); };
        pipeline.hooks.AfterUnits = [&window] {
            if (ScreenChanged) {
                window.DrawEntities();
                ScreenChanged = false;
            }
            if (InputPending && CurPage == 0) {
                window.INTextPic->show();
                window.INText->setFocus();
            }
        };
        QObject::connect(&channel, &HostChannel::DataReady, &pipeline, &ReceivePipeline::DataReady);
        QObject::connect(&channel, &HostChannel::CommState,
                         [](int state) { Connected = state == static_cast<int>(ChannelState::Connected); });
        Link().Send = [this](const QString& text) { channel.Write(text, 0); };
        channel.SetProtocol(HostChannel::Telnet, QString());
        channel.Port = port;
        channel.TerminalType = QStringLiteral("vt220");
        channel.Open(QStringLiteral("127.0.0.1"), 0);
    }
    ~DemoLine()
    {
        Link().Send = nullptr;
        channel.Close(0);
        Connected = false;
    }

    HostChannel channel;
    ReceivePipeline pipeline;
};

bool ScreenShows(const QString& caption)
{
    for (int i = 0; i < EntityCount; ++i) {
        if (Entities[static_cast<size_t>(i)].Caption.startsWith(caption))
            return true;
    }
    return false;
}

using DemoHostAnswers = test::AnswerTest;

} // namespace

TEST_F(DemoHostAnswers, GetsTheTypedAnswerAndTheClickedTag)
{
    test::DemoHostPeer host;
    ASSERT_NE(host.port(), 0);
    EntityAttrs[KindActionButton].Clickable = VbTrue;
    DemoLine line(host.port());

    ASSERT_TRUE(WaitUntil([&] { return InputPending && !window.INTextPic->isHidden(); }));
    ASSERT_TRUE(host.WaitForLine(QStringLiteral("LOGON demo")));
    QTest::keyClicks(window.INText, "W100");
    QTest::keyClick(window.INText, Qt::Key_Tab);
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("GOT W100")));

    // The answer comes back on the next screen; its Search button answers
    // with its tag.
    ASSERT_TRUE(WaitUntil([] { return ScreenShows(QStringLiteral("Last reply: W100")); }));
    const double x = 4.5 * CellWidth.toDouble();
    const double y = 16.5 * CellHeight.toDouble();
    QTest::mouseClick(window.MainPic, Qt::LeftButton, {}, QPoint(int(x), int(y)));
    EXPECT_TRUE(host.WaitForLine(QStringLiteral("GOT SEARCH")));
    EXPECT_FALSE(host.lines().contains(QStringLiteral("GOT ")));
}
