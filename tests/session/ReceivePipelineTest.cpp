#include "session/ReceivePipeline.h"

#include "core/SharedState.h"
#include "core/Trace.h"
#include "devices/ReceiptOutput.h"
#include "session/AutoReplies.h"
#include "session/fConnection.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace zor;

namespace {

// The pipeline with every hook recording what reaches it, a clock the test
// moves and a channel whose reads the test fills.
class PipelineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Connected = true;
        ComMode = false;
        auto& h = pipeline.hooks;
        h.Read = [this] { return std::exchange(arrived, QString()); };
        h.ProcessScript = [this](QString& text) {
            offered << text;
            return !matchOn.isEmpty() && text.contains(matchOn);
        };
        h.ComPortOut = [this](const QString& text) { printed << text; };
        h.CloseComPort = [this] { ++portClosed; };
        h.Beep = [this] { ++beeps; };
        h.ConsoleVisible = [this] { return consoleShown; };
        h.Console = [this](const QString& unit) { console << unit; };
        h.Process = [this](const QString& unit) {
            units << unit;
            if (onUnit)
                onUnit(unit);
        };
        h.AfterUnits = [this] { ++chunks; };
        h.Now = [this] { return now; };
    }
    void TearDown() override
    {
        Connected = false;
        ComMode = false;
    }

    void Arrive(const char* text)
    {
        arrived += QString::fromLatin1(text);
        pipeline.DataReady();
    }
    void Receive(const char* text)
    {
        QString data = QString::fromLatin1(text);
        pipeline.Socket_Receive(data);
    }
    void Pause(qint64 ms)
    {
        now += ms;
        if (pipeline.ReleaseTimer.isActive())
            pipeline.DataReady(); // what the timer does when it fires
    }

    ReceivePipeline pipeline;
    qint64 now = 1'000'000;
    QString arrived;
    QString matchOn;
    bool consoleShown = false;
    QStringList units, offered, printed, console;
    int beeps = 0, portClosed = 0, chunks = 0;
    std::function<void(const QString&)> onUnit;
};

} // namespace

TEST_F(PipelineTest, TextUpToTheLastCrGoesOnTheRestWaits)
{
    Arrive("abc\r\nde");
    EXPECT_EQ(units, QStringList{"abc"});
    EXPECT_EQ(pipeline.ReadBuffer, "de");
    EXPECT_TRUE(pipeline.ReleaseTimer.isActive());
    EXPECT_LE(pipeline.ReleaseTimer.interval(), ReceivePipeline::ReleaseAfterMs + 1);

    Pause(1000);
    EXPECT_EQ(offered.last(), "de");
    EXPECT_EQ(units, QStringList{"abc"});
    Pause(1001);
    EXPECT_EQ(units, (QStringList{"abc", "de"}));
    EXPECT_TRUE(pipeline.ReadBuffer.isEmpty());
    EXPECT_FALSE(pipeline.ReleaseTimer.isActive());

    // The next event starts afresh.
    Arrive("f\r");
    EXPECT_EQ(units.last(), "f");
}

TEST_F(PipelineTest, MoreTextDuringTheWaitKeepsTheFirstStamp)
{
    Arrive("de");
    Pause(1500);
    Arrive("fg");
    Pause(501);
    EXPECT_EQ(units, QStringList{"defg"});
}

TEST_F(PipelineTest, ACrBeforeThePauseEndsTheWait)
{
    Arrive("de");
    Pause(1000);
    Arrive("f\r\n");
    EXPECT_EQ(units, QStringList{"def"});
    EXPECT_FALSE(pipeline.ReleaseTimer.isActive());
    Pause(5000);
    EXPECT_EQ(units, QStringList{"def"});
}

TEST_F(PipelineTest, AMatchedPromptIsDroppedNeverDrawn)
{
    matchOn = "Login:";
    Arrive("Login:");
    EXPECT_TRUE(units.isEmpty());
    EXPECT_TRUE(pipeline.ReadBuffer.isEmpty());
    EXPECT_FALSE(pipeline.ReleaseTimer.isActive());
}

TEST_F(PipelineTest, APromptAfterTheLastCrIsAnsweredAtOnce)
{
    matchOn = "Login:";
    Arrive("Welcome\r\nLogin:");
    EXPECT_EQ(units, QStringList{"Welcome"});
    EXPECT_TRUE(pipeline.ReadBuffer.isEmpty());
    EXPECT_FALSE(pipeline.ReleaseTimer.isActive());
}

TEST_F(PipelineTest, NothingIsReadWhileNotConnected)
{
    Connected = false;
    Arrive("abc\r");
    EXPECT_TRUE(units.isEmpty());
    EXPECT_TRUE(pipeline.ReadBuffer.isEmpty());
}

TEST_F(PipelineTest, ReadFailureKeepsTheBuffer)
{
    Arrive("half");
    QString shown;
    pipeline.hooks.Read = []() -> QString { throw ChannelError(0x2745, QStringLiteral("Connection reset")); };
    pipeline.hooks.ReadFailed = [&](const ChannelError& error) {
        shown = ChannelErrorText(QStringLiteral("Data Read Error: "), error);
    };
    pipeline.DataReady();
    EXPECT_EQ(shown, "Data Read Error: 2745 Connection reset");
    EXPECT_EQ(pipeline.ReadBuffer, "half");
}

TEST_F(PipelineTest, ChunksAreCutIntoUnits)
{
    struct Case {
        const char* chunk;
        QStringList units;
    };
    const Case cases[] = {
        {"x\x1by", {"x", "y"}},
        {"x\x1by\x1b", {"x", "y", ""}},
        {"a\r\nb", {"a", "\nb"}},
        // Only CR LF ends a unit; a CR of its own, or after LF, is text.
        {"a\rb", {"a\rb"}},
        {"a\r\r\nb", {"a\r", "\nb"}},
        {"a\n\rb\r", {"a\n\rb\r"}},
        {"\r\n\r\nz\r\n", {"", "\n", "\nz", "\n"}},
        {"", {""}},
        {"cs\x1b"
         "ca^1^2^Name\x1b",
         {"cs", "ca^1^2^Name", ""}},
    };
    for (const Case& c : cases) {
        units.clear();
        Receive(c.chunk);
        EXPECT_EQ(units, c.units) << c.chunk;
        EXPECT_TRUE(pipeline.RecvBuffer().isEmpty()) << c.chunk;
    }
    EXPECT_EQ(chunks, static_cast<int>(std::size(cases)));
}

TEST_F(PipelineTest, BellsBeepOncePerChunkAndBecomeBlanks)
{
    Receive("a\x07"
            "b\x07\x07");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(units, QStringList{"a b  "});
    Receive("quiet");
    EXPECT_EQ(beeps, 1);
}

TEST_F(PipelineTest, TheConsoleSwallowsUnits)
{
    consoleShown = true;
    Receive("a\x01"
            "b\x1b"
            "c");
    EXPECT_TRUE(units.isEmpty());
    EXPECT_EQ(console, (QStringList{"ab", "c"}));
}

TEST_F(PipelineTest, PassThroughEndsAtTheMarker)
{
    ComMode = true;
    Receive("receipt\x1b"
            "COM^OFFcs\x1bxy");
    EXPECT_EQ(printed, QStringList{"receipt"});
    EXPECT_FALSE(ComMode);
    EXPECT_EQ(units, (QStringList{"cs", "xy"}));

    ComMode = true;
    units.clear();
    printed.clear();
    Receive("all\r\nof it");
    EXPECT_EQ(printed, QStringList{"all\r\nof it"});
    EXPECT_TRUE(units.isEmpty());
    EXPECT_TRUE(ComMode);
}

TEST_F(PipelineTest, PassThroughSwitchedOnInsideAChunk)
{
    onUnit = [](const QString& unit) {
        if (unit == "cp")
            ComMode = true;
    };
    Receive("cp\x1bline1\r\nline2COM^OFF\x1b"
            "after");
    EXPECT_EQ(printed, QStringList{"line1\r\nline2"});
    EXPECT_EQ(portClosed, 1);
    EXPECT_FALSE(ComMode);
    EXPECT_EQ(units, (QStringList{"cp", "", "after"}));

    units.clear();
    printed.clear();
    Receive("cp\x1bno marker\r\n");
    EXPECT_EQ(printed, QStringList{"no marker\x1b\n\x1b"});
    EXPECT_EQ(units, QStringList{"cp"});
    EXPECT_TRUE(pipeline.RecvBuffer().isEmpty());
}

TEST_F(PipelineTest, AChunkArrivingBetweenTwoUnitsIsCutInOrder)
{
    onUnit = [this](const QString& unit) {
        if (unit == "a")
            Receive("c");
    };
    Receive("a\x1b"
            "b");
    EXPECT_EQ(units, (QStringList{"a", "b", "c"}));
    EXPECT_TRUE(pipeline.RecvBuffer().isEmpty());
}

TEST_F(PipelineTest, TextArrivingWhileAUnitLetsEventsRunIsReadAfterItsChunk)
{
    onUnit = [this](const QString& unit) {
        if (unit == "a")
            Arrive("c\r");
    };
    Arrive("a\x1b"
           "b\r");
    EXPECT_EQ(units, (QStringList{"a", "b"}));
    QCoreApplication::sendPostedEvents(&pipeline);
    EXPECT_EQ(units, (QStringList{"a", "b", "c"}));
}

TEST_F(PipelineTest, AFloodIsReadInSlicesWithTheWindowsEventsBetween)
{
    for (int n = 0; n < 20; ++n)
        arrived += QStringLiteral("u%1\r").arg(n);
    QStringList expected;
    for (int n = 0; n < 20; ++n)
        expected << QStringLiteral("u%1").arg(n);
    // A line a read.
    pipeline.hooks.Read = [this] {
        const QString slice = arrived.left(arrived.indexOf(QLatin1Char('\r')) + 1);
        arrived.remove(0, slice.size());
        return slice;
    };
    pipeline.hooks.MoreToRead = [this] { return !arrived.isEmpty(); };
    onUnit = [this](const QString&) { now += 10; };
    pipeline.DataReady();
    EXPECT_EQ(units.size(), 3) << "one slice is about 25 ms";
    for (int events = 0; events < 10 && units.size() < 20; ++events)
        QCoreApplication::sendPostedEvents(&pipeline);
    EXPECT_EQ(units, expected);
}

TEST_F(PipelineTest, UnfinishedTextAtTheBoundIsReleasedAtOnce)
{
    arrived = QString(ReceivePipeline::MaxUnfinished - 1, QLatin1Char('x'));
    pipeline.DataReady();
    EXPECT_TRUE(units.isEmpty());
    Arrive("y");
    ASSERT_EQ(units.size(), 1);
    EXPECT_EQ(units[0].size(), ReceivePipeline::MaxUnfinished);
    EXPECT_TRUE(pipeline.ReadBuffer.isEmpty());
}

TEST_F(PipelineTest, TracesEveryStep)
{
    test::ProgramFolderScope traceFolder;
    Trace().On = true;
    Trace().Folder = traceFolder.path();
    Trace().Lines.clear();
    Arrive("");
    Arrive("ab\r\ncd");
    Pause(2001);
    matchOn = "pw";
    Arrive("pw");
    Trace().On = false;
    const std::deque<QString> expected = {
        // "cd" is offered to the replies as soon as it is left over, and again
        // when the release time has passed.
        "[SCRAP2]Buffer cleared", "[REC]ab",     "[SCRAP]cd",          "[SCRAP2]cdLEN: 4",
        "[SCRAP2]cdLEN: 4",       "[TIMEOUT]cd", "[SCRIPT PROCESSED]",
    };
    EXPECT_EQ(Trace().Lines, expected);
}

TEST_F(PipelineTest, AReceiptReachesThePortWholeAndOnceHoweverTheReadsCutIt)
{
    // The real replies and the real interpreter, which switches pass-through
    // on (the window starts disconnected, and sends through its channel).
    fConnection& window = fConnection::instance();
    Connected = true;
    test::SentRecorder host;
    test::DialogScript dialogs;
    const AutoReplyLink saved = ReplyLink();
    // A reply whose trigger occurs in the receipt.
    ReplyLink().GlobalReplies = [] { return QStringList{QStringLiteral("Total=answered")}; };
    pipeline.hooks.ProcessScript = Process_Script;
    onUnit = [&window](const QString& unit) { window.Process(unit); };
    const QString screen = QStringLiteral("to^1^1^10^l^After^^1");
    // The unit that switches pass-through on ends at a CR LF or at an ESC;
    // the marker is followed by the next screen.
    const QString streams[] = {
        QStringLiteral("\x1b"
                       "com^on\r\nBook 10.00\r\nTotal 20.00\r\n\x1b"
                       "COM^OFF\x1b"
                       "cs\x1b") +
            screen + QStringLiteral("\x1b\r\n"),
        QStringLiteral("\x1b"
                       "com^on\x1b"
                       "Book 10.00\r\nTotal 20.00\r\n\x1b"
                       "COM^OFF\x1b") +
            screen + QStringLiteral("\x1b\r\n"),
    };
    for (const QString& stream : streams) {
        // Three reads, cut at every pair of places.
        for (qsizetype first = 0; first <= stream.size(); ++first) {
            for (qsizetype second = first; second <= stream.size(); ++second) {
                pipeline.Reset();
                ComMode = false;
                printed.clear();
                units.clear();
                for (const QString& read :
                     {stream.left(first), stream.mid(first, second - first), stream.mid(second)}) {
                    arrived = read;
                    pipeline.DataReady();
                }
                QString receipt;
                for (const QString& piece : std::as_const(printed))
                    receipt += CleanReceiptText(piece);
                const std::string cut = std::to_string(first) + " and " + std::to_string(second);
                ASSERT_EQ(receipt, "Book 10.00\r\nTotal 20.00\r\n") << "cut at " << cut;
                ASSERT_FALSE(ComMode) << "cut at " << cut;
                ASSERT_EQ(units.count(screen), 1) << "cut at " << cut;
            }
        }
    }
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_TRUE(dialogs.asked.isEmpty());
    ReplyLink() = saved;
}
