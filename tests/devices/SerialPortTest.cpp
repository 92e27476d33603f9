#include "core/SharedState.h"
#include "core/Trace.h"
#include "devices/ReceiptOutput.h"
#include "devices/modComm.h"
#include "session/ReceivePipeline.h"
#include "session/fConnection.h"
#include "tests/support/Loopback.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TestSupport.h"

#include <QSerialPort>
#include <gtest/gtest.h>

namespace zor {
namespace {

const QByteArray DefaultFile = "None\r\n9600\r\nN\r\n8\r\n1\r\nNone\r\n";

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseComPort();
        SetStartValues();
        ConfigFile = QStringLiteral("shop.ntt");
        UseComPortDriver = true;
        SessionTitle = QStringLiteral("ZOR v1.0.0 [shop.ntt]1");
        CommStatusText.clear();
        fConnection::instance().setWindowTitle(QString());
    }
    void TearDown() override { CloseComPort(); }
    void Settings(const QByteArray& file) { home.write(QStringLiteral("shop_comm.dat"), file); }
    QStringList Current() const
    {
        return {CommPortName, CommBaud, CommParity, CommDataBits, CommStopBits, CommHandshaking};
    }
    test::ProgramFolderScope home;
};

TEST_F(SerialPortTest, TheSettingsFile)
{
    LoadCommSettings();
    EXPECT_EQ(home.read(QStringLiteral("shop_comm.dat")), DefaultFile);
    InitComPort();
    EXPECT_FALSE(UseComm);

    QFile::remove(home.file(QStringLiteral("shop_comm.dat")));
    const QByteArray fallback = "COM3\r\n19200\r\nE\r\n7\r\n2\r\nHardware\r\n";
    home.write(QStringLiteral("comm.dat"), fallback);
    LoadCommSettings();
    EXPECT_EQ(Current(), (QStringList{"COM3", "19200", "E", "7", "2", "Hardware"}));
    ASSERT_TRUE(SaveCommSettings());
    EXPECT_EQ(home.read(QStringLiteral("shop_comm.dat")), fallback);
    EXPECT_EQ(home.read(QStringLiteral("comm.dat")), fallback);

    // A short file sets what it has lines for.
    Settings("COM5\r\n2400\r\nO\r\n");
    LoadCommSettings();
    EXPECT_EQ(Current(), (QStringList{"COM5", "2400", "O", "7", "2", "Hardware"}));
}

TEST_F(SerialPortTest, HandshakeCodes)
{
    const std::pair<const char*, int> cases[] = {{"XON/XOFF", 1}, {"xon/xoff", 0}, {"Hardware", 2},
                                                 {"Both", 3},     {"", 0},         {"None", 0}};
    for (const auto& [text, code] : cases)
        EXPECT_EQ(HandshakeCode(QLatin1String(text)), code) << text;
}

TEST_F(SerialPortTest, ReceiptsReachThePortWholeThoughItClosesAtOnce)
{
    test::PtyPair pair(10);
    ASSERT_TRUE(pair.ready());
    test::PtyReader reader(pair.b());
    ASSERT_TRUE(reader.opened);
    Settings("COM10\r\n9600\r\nN\r\n8\r\n1\r\nNone\r\n");
    InitComPort();
    ASSERT_TRUE(UseComm);
    ASSERT_TRUE(ReceiptPrinter().isOpen());

    // Every byte value, in an order the cleaning leaves alone.
    QString all;
    for (int code = 0; code < 256; ++code)
        all += QChar(code);
    ComPortOut(all);
    ComPortOut(QStringLiteral("Book 10.00\x1b\nTotal 20.00\x1b\n\x1b"));
    CloseComPort();
    EXPECT_FALSE(UseComm);
    EXPECT_FALSE(ReceiptPrinter().isOpen());
    const QByteArray expected = all.toLatin1() + QByteArray("Book 10.00\r\nTotal 20.00\r\n");
    EXPECT_EQ(reader.Read(expected.size()), expected);

    // A closed port takes nothing.
    ComPortOut(QStringLiteral("late"));
    EXPECT_EQ(reader.Read(expected.size() + 1), expected);
}

TEST_F(SerialPortTest, APrinterThatGoesAwayIsTracedMarkedAndOpenedAgainForTheNextReceipt)
{
    Trace().On = true;
    Trace().Lines.clear();
    Settings("COM11\r\n9600\r\nN\r\n8\r\n1\r\nNone\r\n");
    {
        test::PtyPair pair(11);
        ASSERT_TRUE(pair.ready());
        test::PtyReader reader(pair.b());
        InitComPort();
        ASSERT_TRUE(ReceiptPrinter().isOpen());
        ComPortOut(QStringLiteral("First\x1b\n"));
        EXPECT_EQ(reader.Read(7), QByteArray("First\r\n"));
    }
    // The other end is gone: the receipt cannot be printed.
    ComPortOut(QStringLiteral("Lost receipt\x1b\n"));
    test::WaitUntil([] { return !ReceiptPrinter().isOpen(); }, 5000);
    EXPECT_FALSE(ReceiptPrinter().isOpen());
    EXPECT_FALSE(UseComm);
    EXPECT_TRUE(fConnection::instance().windowTitle().endsWith(ReceiptNotAvailable));
    const QStringList lines(Trace().Lines.begin(), Trace().Lines.end());
    EXPECT_TRUE(
        lines.filter(QStringLiteral("Receipt printer lost")).join(QString()).contains(QStringLiteral("Lost receipt")))
        << lines.join(QLatin1Char('\n')).toStdString();

    // The printer is back: the next receipt opens the port again.
    test::PtyPair again(11);
    ASSERT_TRUE(again.ready());
    test::PtyReader reader(again.b());
    fConnection::instance().setWindowTitle(QString());
    ComPortOut(QStringLiteral("Next\x1b\n"));
    EXPECT_TRUE(ReceiptPrinter().isOpen());
    EXPECT_EQ(reader.Read(6), QByteArray("Next\r\n"));
    Trace().On = false;
}

TEST_F(SerialPortTest, APortThatCannotOpenIsNamedInTheCaption)
{
    test::PtyPair pair(2);
    ASSERT_TRUE(pair.ready());
    QSerialPort holder;
    holder.setPortName(pair.a());
    struct Case {
        const char* why;
        QByteArray file;
    };
    const Case cases[] = {
        {"no such device", "COM3\r\n9600\r\nN\r\n8\r\n1\r\nNone\r\n"},
        {"busy", "COM2\r\n9600\r\nN\r\n8\r\n1\r\nNone\r\n"},
        {"no port number", "COMX\r\n9600\r\nN\r\n8\r\n1\r\nNone\r\n"},
        {"four data bits", "COM2\r\n9600\r\nN\r\n4\r\n1\r\nNone\r\n"},
        {"one and a half stop bits", "COM2\r\n9600\r\nN\r\n8\r\n1.5\r\nNone\r\n"},
        {"unknown parity", "COM2\r\n9600\r\nX\r\n8\r\n1\r\nNone\r\n"},
        {"baud not a number", "COM2\r\nfast\r\nN\r\n8\r\n1\r\nNone\r\n"},
    };
    qputenv("ZOR_COM3", home.file(QStringLiteral("missing-tty")).toLocal8Bit());
    for (const Case& c : cases) {
        if (QByteArray(c.why) == "busy") {
            ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
        }
        fConnection::instance().setWindowTitle(QString());
        Settings(c.file);
        InitComPort();
        EXPECT_FALSE(UseComm) << c.why;
        EXPECT_FALSE(ReceiptPrinter().isOpen()) << c.why;
        EXPECT_EQ(fConnection::instance().windowTitle(),
                  QStringLiteral("ZOR v1.0.0 [shop.ntt]1 - Receipt printer NOT AVAILABLE!"))
            << c.why;
        holder.close();
    }
    qunsetenv("ZOR_COM3");

    // With receipts as raw jobs the port is taken as named, and not opened.
    UseComPortDriver = false;
    Settings("COM2\r\n9600\r\nN\r\n8\r\n1\r\nNone\r\n");
    InitComPort();
    EXPECT_TRUE(UseComm);
    EXPECT_FALSE(ReceiptPrinter().isOpen());
    EXPECT_TRUE(holder.open(QIODevice::ReadWrite));
}

TEST_F(SerialPortTest, APassThroughReceiptArrivesWholeThoughThePortClosesRightAfterIt)
{
    test::PtyPair pair(1);
    ASSERT_TRUE(pair.ready());
    test::PtyReader reader(pair.b());
    ASSERT_TRUE(reader.opened);
    Settings("COM1\r\n9600\r\nN\r\n8\r\n1\r\nNone\r\n");
    InitComPort();
    ASSERT_TRUE(UseComm);
    ReceivePipeline pipeline;
    pipeline.hooks.Process = [](const QString& unit) { fConnection::instance().Process(unit); };
    pipeline.hooks.ComPortOut = ComPortOut;
    pipeline.hooks.CloseComPort = CloseComPort;
    QString data = QStringLiteral("\x1b"
                                  "com^on\x1b"
                                  "Book 10.00\r\nTotal 20.00\r\n\x1b"
                                  "COM^OFF\x1b");
    pipeline.Socket_Receive(data);
    EXPECT_FALSE(ComMode);
    EXPECT_FALSE(UseComm);
    EXPECT_FALSE(ReceiptPrinter().isOpen());
    EXPECT_EQ(reader.Read(25), QByteArray("Book 10.00\r\nTotal 20.00\r\n"));
}

} // namespace
} // namespace zor
