#include "devices/CupsRawPrinter.h"
#include "tests/support/CupsPeer.h"
#include "tests/support/RawPrinterAnswers.h"

#include <gtest/gtest.h>

namespace zor {
namespace {

using test::CupsPeer;
using test::ListAndWait;
using test::PrintAndWait;

QString AllByteValues()
{
    QString text;
    for (int code = 0; code < 256; ++code)
        text += QChar(code);
    return text;
}

class RawPrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(cups.ready());
        ASSERT_TRUE(cups.AddQueue(QStringLiteral("beta")));
        ASSERT_TRUE(cups.AddQueue(QStringLiteral("alpha")));
    }
    CupsPeer cups;
    CupsRawPrinter printer;
};

TEST_F(RawPrinterTest, ListsTheQueuesByName)
{
    EXPECT_EQ(ListAndWait(printer), (QStringList{QStringLiteral("alpha"), QStringLiteral("beta")}));
}

TEST_F(RawPrinterTest, EveryByteValueArrivesUntranslatedOneJobPerCall)
{
    const QString bytes = AllByteValues();
    const RawJobResult first = PrintAndWait(printer, bytes, QStringLiteral("alpha"), QStringLiteral("GUI Print"));
    ASSERT_TRUE(first.Ok) << first.Error.toStdString();
    ASSERT_TRUE(cups.WaitForBytes(QStringLiteral("alpha"), 256));
    const RawJobResult second =
        PrintAndWait(printer, QStringLiteral("Total\r\n\x0c"), QStringLiteral("alpha"), QStringLiteral("ZOR Receipt"));
    ASSERT_TRUE(second.Ok) << second.Error.toStdString();
    ASSERT_TRUE(cups.WaitForBytes(QStringLiteral("alpha"), 256 + 8));

    EXPECT_EQ(cups.Received(QStringLiteral("alpha")), bytes.toLatin1() + QByteArray("Total\r\n\x0c"));
    EXPECT_TRUE(cups.Received(QStringLiteral("beta")).isEmpty());
    const QList<test::CupsJob> jobs = cups.Jobs(QStringLiteral("alpha"));
    ASSERT_EQ(jobs.size(), 2);
    EXPECT_EQ(jobs[0].Title, QStringLiteral("GUI Print"));
    EXPECT_EQ(jobs[1].Title, QStringLiteral("ZOR Receipt"));
}

TEST_F(RawPrinterTest, WhatCannotPrintFailsAndLeavesNoJob)
{
    struct Case {
        const char* why;
        QString text;
        QString printer;
    };
    const Case cases[] = {
        {"the serial pseudo printer is no queue", QStringLiteral("Receipt"), QStringLiteral("Com Port Printer")},
        {"no printer", QStringLiteral("Receipt"), QString()},
        {"an empty text", QString(), QStringLiteral("alpha")},
    };
    for (const Case& c : cases) {
        const RawJobResult result = PrintAndWait(printer, c.text, c.printer, QStringLiteral("ZOR Receipt"));
        EXPECT_FALSE(result.Ok) << c.why;
        EXPECT_FALSE(result.Error.isEmpty()) << c.why;
    }
    EXPECT_TRUE(cups.Jobs(QString()).isEmpty());
}

// A server stopped as a hung one stands takes the connection and answers
// nothing: each call gives up at the bound, and the server, back again,
// answers the next ones.
TEST_F(RawPrinterTest, AServerThatStopsAnsweringFailsEachCallAtTheBound)
{
    const test::PrintServerWaitScope bound(std::chrono::milliseconds(500));
    cups.Stall();
    EXPECT_EQ(ListAndWait(printer, 10000), std::nullopt);
    const RawJobResult job =
        PrintAndWait(printer, QStringLiteral("Receipt"), QStringLiteral("alpha"), QStringLiteral("ZOR Receipt"), 10000);
    EXPECT_FALSE(job.Ok);
    EXPECT_TRUE(job.Error.contains(QStringLiteral("did not answer within 500 ms"))) << job.Error.toStdString();

    cups.Resume();
    EXPECT_EQ(ListAndWait(printer), (QStringList{QStringLiteral("alpha"), QStringLiteral("beta")}));
    const RawJobResult next =
        PrintAndWait(printer, QStringLiteral("Receipt"), QStringLiteral("alpha"), QStringLiteral("ZOR Receipt"));
    EXPECT_TRUE(next.Ok) << next.Error.toStdString();
    EXPECT_TRUE(cups.WaitForBytes(QStringLiteral("alpha"), 7));
}

TEST(RawPrinterWithoutServer, ListsNothingAndFails)
{
    test::NoCupsScope noServer;
    CupsRawPrinter printer;
    EXPECT_EQ(ListAndWait(printer), QStringList());
    const RawJobResult result =
        PrintAndWait(printer, QStringLiteral("x"), QStringLiteral("alpha"), QStringLiteral("GUI Print"));
    EXPECT_FALSE(result.Ok);
    EXPECT_FALSE(result.Error.isEmpty());
}

} // namespace
} // namespace zor
