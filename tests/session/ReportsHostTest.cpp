#include "core/SessionLink.h"
#include "core/SharedState.h"
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
#include <gtest/gtest.h>

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
    LoadPrinters();
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
    LoadPrinters();
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

} // namespace
