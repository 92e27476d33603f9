#include "devices/ReceiptOutput.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "devices/ModPrinter.h"
#include "devices/modComm.h"
#include "session/fConnection.h"
#include "tests/support/RawPrinterRecorder.h"
#include "tests/support/TestSupport.h"

#include <QSerialPort>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zor {
namespace {

class ReceiptOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetStartValues();
        ConfigFile = QStringLiteral("shop.ntt");
        raw->printers = QStringList{QStringLiteral("alpha")};
        LoadPrinters();
        Trace().On = true;
        Trace().Folder = traceFolder.path();
        Trace().Lines.clear();
    }
    void TearDown() override
    {
        Trace().On = false;
        Trace().Lines.clear();
    }
    QStringList TraceLines() const { return QStringList(Trace().Lines.begin(), Trace().Lines.end()); }
    test::ProgramFolderScope home;
    test::RawPrinterScope raw;
    QTemporaryDir traceFolder;
};

TEST_F(ReceiptOutputTest, Cleaning)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("AB\x1b\nCD"), QStringLiteral("AB\r\nCD")},
        {QStringLiteral("X\x1b"), QStringLiteral("X")},
        {QStringLiteral("X\x1bY"), QStringLiteral("X\x1b")},
        {QStringLiteral("X\x1b\n"), QStringLiteral("X\r\n")},
        {QString(QStringLiteral("\r")) + QChar(0) + QStringLiteral("\r\n"), QStringLiteral("\r\n")},
        {QStringLiteral("\x1b\x1b"), QStringLiteral("\x1b")},
        {QStringLiteral("A\x0c"
                        "B"),
         QStringLiteral("A\x0c"
                        "B")},
        {QStringLiteral("\x1b"), QString()},
        {QStringLiteral("Y"), QStringLiteral("Y")},
        {QString(), QString()},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(CleanReceiptText(in), out) << in.toStdString();
}

TEST_F(ReceiptOutputTest, RawReceiptsGoToTheReceiptPrinterAndEmptyOnesNowhere)
{
    ComPortOut(QStringLiteral("A\x0c"
                              "B\x1b"));
    ComPortOut(QString());
    ComPortOut(QStringLiteral("\x1b"));
    ASSERT_EQ(raw->jobs.size(), 1);
    EXPECT_EQ(raw->jobs[0].Text, QStringLiteral("A\x0c"
                                                "B"));
    EXPECT_EQ(raw->jobs[0].Printer, QStringLiteral("alpha"));
    EXPECT_EQ(raw->jobs[0].DocName, QStringLiteral("ZOR Receipt"));
    EXPECT_EQ(TraceLines().mid(0, 4), (QStringList{"[ComPortOut][A\x0c"
                                                   "B\x1b]",
                                                   "[ComPortOut]Found a FF!", "[ComPortOut]Using RawPrinterDriver",
                                                   "[ComPortOut]A\x0c"
                                                   "B"}));
    EXPECT_EQ(TraceLines().count(QStringLiteral("[ComPortOut]Found a FF!")), 1);

    // A job that fails is not lost without a sign.
    raw->error = QStringLiteral("The printer or class does not exist.");
    fConnection::instance().setWindowTitle(QString());
    SessionTitle = QStringLiteral("ZOR v1.0.0 [shop.ntt]1");
    ComPortOut(QStringLiteral("Book"));
    EXPECT_TRUE(
        TraceLines().contains(QStringLiteral("[ComPortOut]Receipt not printed: The printer or class does not exist.")));
    EXPECT_TRUE(fConnection::instance().windowTitle().endsWith(ReceiptNotAvailable));
}

TEST_F(ReceiptOutputTest, SerialReceiptsWithThePortClosedAreOnlyTraced)
{
    UseComPortDriver = true;
    ASSERT_FALSE(ReceiptPrinter().isOpen());
    ComPortOut(QStringLiteral("Book\x1b\n"));
    EXPECT_TRUE(raw->jobs.isEmpty());
    EXPECT_EQ(TraceLines(),
              (QStringList{"[ComPortOut][Book\x1b\n]", "[ComPortOut]Using ComPort Driver", "[ComPortOut]Book\r\n"}));
}

} // namespace
} // namespace zor
