#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "devices/ModPrinter.h"
#include "devices/ReceiptOutput.h"
#include "devices/modComm.h"
#include "session/HostChannel.h"
#include "session/ReceivePipeline.h"
#include "session/fConnection.h"
#include "tests/session/Peers.h"
#include "tests/support/CupsPeer.h"
#include "tests/support/PtyPair.h"
#include "tests/support/RawPrinterRecorder.h"
#include "tests/support/TestSupport.h"
#include "tools/ReportStore.h"
#include "tools/fReport.h"

#include <QLineEdit>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

using namespace zor;
using test::WaitUntil;

namespace {

// The channel and the receive pipeline joined to the session's interpreter
// and receipt output, as the session window joins them.
class HostLink {
public:
    explicit HostLink(quint16 port)
    {
        QObject::connect(&channel, &HostChannel::CommState,
                         [](int state) { Connected = state == static_cast<int>(ChannelState::Connected); });
        QObject::connect(&channel, &HostChannel::DataReady, [this] { pipeline.DataReady(); });
        pipeline.hooks.Read = [this] { return channel.Read(5000, 5); };
        pipeline.hooks.Process = [](const QString& unit) { fConnection::instance().Process(unit); };
        pipeline.hooks.ComPortOut = ComPortOut;
        pipeline.hooks.CloseComPort = CloseComPort;
        channel.SetProtocol(HostChannel::Telnet, QString());
        channel.Host = QStringLiteral("127.0.0.1");
        channel.Port = port;
        channel.TerminalType = QStringLiteral("vt220");
        channel.Open(channel.Host, 0);
    }
    ~HostLink()
    {
        channel.Close(0);
        Connected = false;
    }
    HostChannel channel;
    ReceivePipeline pipeline;
};

const QByteArray ReceiptScript = "stty -opost -echo\n"
                                 "printf '\\033com^on\\033Book 10.00\\r\\nTotal 20.00\\r\\n\\033COM^OFF\\033\\r\\n'\n"
                                 "sleep 10\n";

// A Telnet host that prints a report and a receipt, through the channel, the
// receive pipeline and the session's interpreter, to a CUPS queue.
TEST(ReportsFromAHost, AReportAndAReceiptReachTheQueueByteExact)
{
    test::CupsPeer cups;
    ASSERT_TRUE(cups.ready());
    ASSERT_TRUE(cups.AddQueue(QStringLiteral("alpha")));
    test::ProgramFolderScope home;
    SetStartValues();
    ConfigFile = QStringLiteral("shop.ntt");
    ASSERT_TRUE(test::LoadPrintersFromServer());
    ASSERT_EQ(MappedPrinter(ReceiptPrinterType), QStringLiteral("alpha"));
    ASSERT_FALSE(UseComPortDriver);

    test::BusyboxTelnetd host("stty -opost -echo\n"
                              "printf '\\033rh^Daily^^^1\\033Line one\\r\\nTotal <!027!>E<!cr!>\\033re\\033\\r\\n"
                              "\\033com^on\\033Book 10.00\\r\\nTotal 20.00\\r\\n\\033COM^OFF\\033\\r\\n'\n"
                              "sleep 10\n");
    ASSERT_TRUE(host.ready());
    fConnection::instance().stack.clear();
    HostLink link(host.port());

    const QByteArray report = "Line one\r\nTotal \x1b"
                              "E\r\r\n";
    const QByteArray receipt = "Book 10.00\r\nTotal 20.00\r\n";
    EXPECT_TRUE(cups.WaitForBytes(QStringLiteral("alpha"), report.size() + receipt.size()));
    EXPECT_EQ(cups.Received(QStringLiteral("alpha")), report + receipt);
    const QList<test::CupsJob> jobs = cups.Jobs(QStringLiteral("alpha"));
    ASSERT_EQ(jobs.size(), 2);
    EXPECT_EQ(jobs[0].Title, QStringLiteral("GUI Print"));
    EXPECT_EQ(jobs[1].Title, QStringLiteral("ZOR Receipt"));
    EXPECT_FALSE(ComMode);
    EXPECT_FALSE(fReport::instance().isVisible());
}

// The same receipt to a serial receipt printer chosen in the session's files.
TEST(ReportsFromAHost, AReceiptReachesTheSerialPortOpenedAtStartUp)
{
    test::ProgramFolderScope home;
    test::RawPrinterScope raw;
    raw->printers = QStringList{QStringLiteral("alpha")};
    test::PtyPair pair(1);
    ASSERT_TRUE(pair.ready());
    QSerialPort reader;
    reader.setPortName(pair.b());
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    SetStartValues();
    ConfigFile = QStringLiteral("shop.ntt");
    home.write(QStringLiteral("shop_comm.dat"), "COM1\r\n9600\r\nN\r\n8\r\n1\r\nNone\r\n");
    home.write(QStringLiteral("shop_printers.dat"), "\"Com Port Printer\"\r\n");
    LoadPrinters();
    ASSERT_TRUE(UseComPortDriver);
    InitComPort();
    ASSERT_TRUE(UseComm);

    test::BusyboxTelnetd host(ReceiptScript);
    ASSERT_TRUE(host.ready());
    HostLink link(host.port());
    const QByteArray receipt = "Book 10.00\r\nTotal 20.00\r\n";
    QByteArray received;
    EXPECT_TRUE(WaitUntil([&] {
        received += reader.readAll();
        return received.size() >= receipt.size();
    }));
    EXPECT_EQ(received, receipt);
    EXPECT_TRUE(raw->jobs.isEmpty());
    EXPECT_FALSE(ComMode);
    EXPECT_FALSE(UseComm);
    EXPECT_FALSE(ReceiptPrinter().isOpen());
}

// A report the host sends to the viewer is searched, saved, opened again and
// printed on the program's first printer, since a cupsd of its own has no
// default one.
TEST(ReportsFromAHost, AViewedReportIsSearchedSavedOpenedAndPrinted)
{
    test::CupsPeer cups;
    ASSERT_TRUE(cups.ready());
    ASSERT_TRUE(cups.AddQueue(QStringLiteral("alpha")));
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    SetStartValues();
    ConfigFile = QStringLiteral("shop.ntt");
    ASSERT_TRUE(test::LoadPrintersFromServer());
    fReport& viewer = fReport::instance();
    viewer.close();
    test::BusyboxTelnetd host("stty -opost -echo\n"
                              "printf '\\033rh^Stock report\\033Item  Qty\\r\\nWidget 12\\033re\\033\\r\\n'\n"
                              "sleep 10\n");
    ASSERT_TRUE(host.ready());
    HostLink link(host.port());
    ASSERT_TRUE(WaitUntil([&] { return viewer.isVisible(); }));
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Stock report"));
    EXPECT_EQ(Report().Rows.mid(0, 2), (QStringList{"Item  Qty", "Widget 12"}));

    viewer.FindText->setText(QStringLiteral("WIDGET"));
    viewer.ReportFind_Click();
    EXPECT_EQ(viewer.TopLine, 1);
    const QString saved = home.file(QStringLiteral("stock.qmr"));
    dialogs.answer(QStringList{saved, QStringLiteral("QM Report File")});
    viewer.RptCmnd_Click(fReport::SaveReport);
    dialogs.answer(saved);
    viewer.RptCmnd_Click(fReport::OpenReport);
    EXPECT_EQ(Report().Rows.mid(0, 2), (QStringList{"Item  Qty", "Widget 12"}));
    EXPECT_EQ(Report().Rows.size(), 102);

    viewer.RptCmnd_Click(fReport::PrintReport);
    EXPECT_TRUE(cups.WaitForBytes(QStringLiteral("alpha"), 5));
    EXPECT_TRUE(cups.Received(QStringLiteral("alpha")).startsWith("%PDF"));
    const QList<test::CupsJob> jobs = cups.Jobs(QStringLiteral("alpha"));
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs[0].Title, QStringLiteral("Stock report"));
    EXPECT_EQ(dialogs.asked.size(), 2);
    viewer.close();
    fConnection::instance().MsgPic->hide();
}

// The trace, kept in memory while the scope lives, and a clock that ticks as
// long as the window's events run.
class StalledServerWatch {
public:
    StalledServerWatch()
    {
        Trace().On = true;
        Trace().Folder = folder.path();
        Trace().Lines.clear();
        QObject::connect(&clock, &QTimer::timeout, [this] { ++ticks; });
        clock.start(10);
    }
    ~StalledServerWatch()
    {
        Trace().On = false;
        Trace().Lines.clear();
    }
    qsizetype Count(const QString& part) const
    {
        return std::count_if(Trace().Lines.begin(), Trace().Lines.end(),
                             [&](const QString& line) { return line.contains(part); });
    }
    qsizetype IndexOf(const QString& part) const
    {
        const auto found = std::find_if(Trace().Lines.begin(), Trace().Lines.end(),
                                        [&](const QString& line) { return line.contains(part); });
        return found == Trace().Lines.end() ? -1 : found - Trace().Lines.begin();
    }
    QTemporaryDir folder;
    QTimer clock;
    int ticks = 0;
};

class StalledPrintServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(cups.ready());
        ASSERT_TRUE(cups.AddQueue(QStringLiteral("alpha")));
        SetStartValues();
        ConfigFile = QStringLiteral("shop.ntt");
        ASSERT_TRUE(test::LoadPrintersFromServer());
        ASSERT_EQ(MappedPrinter(ReceiptPrinterType), QStringLiteral("alpha"));
        fReport::instance().close();
        Report().Begin(QStringLiteral("Report"));
        Report().End();
    }
    void TearDown() override { cups.Resume(); }
    test::CupsPeer cups;
    test::ProgramFolderScope home;
};

// A server that stops answering during a receipt and a raw report: the window
// keeps running, and after the bound each job fails as it would at once, in
// the order asked: the receipt traced and the caption marked, the report's
// rows kept and shown in the viewer.
TEST_F(StalledPrintServer, JobsFailAfterTheBoundWhileTheWindowRuns)
{
    const test::PrintServerWaitScope bound(std::chrono::milliseconds(2000));
    StalledServerWatch watch;
    fConnection& window = fConnection::instance();
    window.setWindowTitle(QStringLiteral("Session"));
    cups.Stall();
    test::BusyboxTelnetd host("stty -opost -echo\n"
                              "printf '\\033com^on\\033Book 10.00\\r\\n\\033COM^OFF\\033\\r\\n"
                              "\\033rh^Daily^^^1\\033Line one\\r\\n\\033re\\033\\r\\n'\n"
                              "sleep 10\n");
    ASSERT_TRUE(host.ready());
    HostLink link(host.port());

    ASSERT_TRUE(WaitUntil([&] { return watch.Count(QStringLiteral("Printing complete.")) == 1; }));
    // Both jobs were handed over, and neither has been answered yet.
    EXPECT_EQ(watch.Count(QStringLiteral("not printed")), 0);
    const int ticksHandedOver = watch.ticks;
    ASSERT_TRUE(WaitUntil([&] { return watch.Count(QStringLiteral("Report not printed")) == 1; }, 30000));
    EXPECT_GT(watch.ticks, ticksHandedOver);

    const qsizetype receiptFailed = watch.IndexOf(QStringLiteral("Receipt not printed"));
    ASSERT_GE(receiptFailed, 0);
    EXPECT_LT(receiptFailed, watch.IndexOf(QStringLiteral("Report not printed")));
    EXPECT_TRUE(Trace().Lines[receiptFailed].contains(QStringLiteral("did not answer within 2000 ms")))
        << Trace().Lines[receiptFailed].toStdString();
    EXPECT_TRUE(window.windowTitle().endsWith(ReceiptNotAvailable)) << window.windowTitle().toStdString();
    EXPECT_TRUE(fReport::instance().isVisible());
    EXPECT_EQ(Report().Rows.value(0), QStringLiteral("Line one"));
    fReport::instance().close();
}

// A server that stops for less than the bound: the receipts, the raw report
// and the report printed line by line all reach the printer once it answers
// again, in the order the host sent them.
TEST_F(StalledPrintServer, JobsAskedWhileItStandsArePrintedInOrderOnceItAnswers)
{
    StalledServerWatch watch;
    cups.Stall();
    test::BusyboxTelnetd host("stty -opost -echo\n"
                              "printf '\\033com^on\\033Receipt A\\r\\n\\033COM^OFF\\033\\r\\n"
                              "\\033rh^Daily^^^1\\033Report B\\r\\n\\033re\\033\\r\\n"
                              "\\033rh^Direct^p\\033Report D\\r\\n\\033re\\033\\r\\n"
                              "\\033com^on\\033Receipt C\\r\\n\\033COM^OFF\\033\\r\\n'\n"
                              "sleep 10\n");
    ASSERT_TRUE(host.ready());
    HostLink link(host.port());
    ASSERT_TRUE(WaitUntil([&] { return watch.Count(QStringLiteral("Using RawPrinterDriver")) == 2; }));
    const int ticksHandedOver = watch.ticks;
    // Held by the window's own clock, not by a print-server call.
    ASSERT_TRUE(WaitUntil([&] { return watch.ticks > ticksHandedOver + 5; }));
    std::thread([this] { cups.Resume(); }).join();

    const QByteArray a = "Receipt A\r\n";
    const QByteArray b = "Report B\r\n";
    const QByteArray c = "Receipt C\r\n";
    ASSERT_TRUE(cups.WaitForBytes(QStringLiteral("alpha"), a.size() + b.size() + c.size() + 100, 30000));
    ASSERT_TRUE(WaitUntil([&] { return cups.Received(QStringLiteral("alpha")).endsWith(c); }, 15000));
    const QByteArray received = cups.Received(QStringLiteral("alpha"));
    EXPECT_TRUE(received.startsWith(a + b)) << received.left(40).toStdString();
    EXPECT_GE(received.indexOf("%PDF"), a.size() + b.size());
    QStringList titles;
    for (const test::CupsJob& job : cups.Jobs(QStringLiteral("alpha")))
        titles << job.Title;
    EXPECT_EQ(titles, (QStringList{"ZOR Receipt", "GUI Print", "Report", "ZOR Receipt"}));
    EXPECT_EQ(watch.Count(QStringLiteral("not printed")), 0);
}

// A server that does not answer at start-up: the printers of the map file are
// there at once, and the server's list takes their place once it answers.
TEST(StalledPrintServerAtStartUp, TheMapFilesPrintersStandInUntilTheServerLists)
{
    test::CupsPeer cups;
    ASSERT_TRUE(cups.ready());
    ASSERT_TRUE(cups.AddQueue(QStringLiteral("alpha")));
    ASSERT_TRUE(cups.AddQueue(QStringLiteral("beta")));
    test::ProgramFolderScope home;
    SetStartValues();
    ConfigFile = QStringLiteral("shop.ntt");
    home.write(QStringLiteral("shop_printers.dat"), "\"beta\"\r\n\"beta\"\r\n");
    cups.Stall();
    // Should the listing hold the window, the server comes back all the same.
    std::thread resume([&] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        cups.Resume();
    });
    LoadPrinters();
    const QStringList atOnce = Printers;
    const bool knownAtOnce = InstalledPrintersKnown;
    resume.join();
    EXPECT_FALSE(knownAtOnce);
    EXPECT_EQ(atOnce, (QStringList{"beta", ComPortPrinterName, QString()}));
    EXPECT_EQ(MappedPrinter(ReceiptPrinterType), QStringLiteral("beta"));
    EXPECT_FALSE(UseComPortDriver);

    ASSERT_TRUE(test::WaitForServerPrinters());
    EXPECT_EQ(Printers.mid(0, 2), (QStringList{"alpha", "beta"}));
    EXPECT_EQ(MappedPrinter(ReceiptPrinterType), QStringLiteral("beta"));
    EXPECT_EQ(MappedPrinter(ReportPrinterType), QStringLiteral("beta"));
    EXPECT_EQ(MappedPrinter(2), QStringLiteral("alpha"));
}

} // namespace
