#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace zor;

TEST(SendReply, NothingWhileNotConnected)
{
    test::SentRecorder host;
    Connected = false;
    SendReply(QStringLiteral("abc"));
    SendReply(QString());
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST(SendReply, SplitsAtTildeEachPartEndedByCr)
{
    struct Case {
        const char* reply;
        QStringList sent;
    };
    const Case cases[] = {
        {"", {"\r"}},          {"~", {"\r", "\r"}}, {"one~two~three", {"one\r", "two\r", "three\r"}},
        {"a~*&^%~b", {"a\r"}}, {"*&^%", {}},
    };
    for (const Case& c : cases) {
        test::SentRecorder host;
        SendReply(QString::fromLatin1(c.reply));
        EXPECT_EQ(host.sent, c.sent) << c.reply;
    }
}

TEST(SendReply, TracesEachPartTwice)
{
    test::SentRecorder host;
    test::ProgramFolderScope traceFolder;
    Trace().On = true;
    Trace().Folder = traceFolder.path();
    Trace().Lines.clear();
    SendReply(QStringLiteral("a~b"));
    Trace().On = false;
    const std::deque<QString> expected = {"[Call SEND 3]a & vbCrLf", "[Transmited]a", "[Call SEND 3]b & vbCrLf",
                                          "[Transmited]b"};
    EXPECT_EQ(Trace().Lines, expected);
}

TEST(SendReply, OpenInCapitalsAsksForAFileAndSendsThePathWithCrLf)
{
    test::ProgramFolderScope home;
    test::SentRecorder host;
    test::DialogScript dialogs;
    dialogs.answer(QStringLiteral("/data/report.txt"));
    SendReply(QStringLiteral("first~@OPEN,Pick a report,Text|*.txt~last"));
    EXPECT_EQ(host.sent, (QStringList{"first\r", "/data/report.txt\r\n", "last\r"}));
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].kind, Dialogs::Request::OpenFile);
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Pick a report"));
    EXPECT_EQ(dialogs.asked[0].filter, QStringLiteral("Text|*.txt"));
    EXPECT_EQ(dialogs.asked[0].initial, home.path());
}

TEST(SendReply, CancelledOpenSendsAnEmptyLine)
{
    test::SentRecorder host;
    test::DialogScript dialogs;
    SendReply(QStringLiteral("@open,Title,*.*"));
    EXPECT_EQ(host.sent, QStringList{QStringLiteral("\r\n")});
}
