#include "session/AutoReplies.h"
#include "core/SharedState.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace zor;

namespace {

// The lists and the windows' actions, recorded in one log so that the order
// of sends, messages and actions shows.
class AutoReplies : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = ReplyLink();
        TermId = QStringLiteral("T01");
        ComMode = false;
        AutoReplyLink& link = ReplyLink();
        link.GlobalReplies = [this] { return global; };
        link.SessionReplies = [this] { return session; };
        link.UseSessionReply = [this](const QString& entry) { session.removeOne(entry); };
        link.UserId = [] { return QStringLiteral("POS"); };
        link.Password = [this] { return password; };
        link.Account = [] { return QStringLiteral("SALES"); };
        link.ShowBusy = [this] { ++busy; };
        link.CloseConnection = [this] { events << QStringLiteral("close"); };
        link.LogonFailed = [this] { events << QStringLiteral("logon failed"); };
        Dialogs::SetAnswerer([this](const Dialogs::Request& request) -> QVariant {
            events << QStringLiteral("box %1 %2:").arg(request.style).arg(request.title) + request.prompt;
            return int(Dialogs::OK);
        });
    }
    void TearDown() override
    {
        ReplyLink() = saved;
        Dialogs::ClearAnswerer();
        TermId.clear();
        ComMode = false;
    }
    bool Offer(const QString& text)
    {
        QString data = text;
        const bool answered = Process_Script(data);
        EXPECT_EQ(data, text) << "the text is left to the caller";
        return answered;
    }

    AutoReplyLink saved;
    test::SentRecorder host;
    QStringList global;
    QStringList session;
    QString password = QStringLiteral("pw~1");
    QStringList events;
    int busy = 0;
};

} // namespace

TEST_F(AutoReplies, AnswersFromTheLists)
{
    struct Case {
        const char* name;
        QStringList global;
        QStringList session;
        const char* data;
        bool answered;
        QStringList sent;
        QStringList sessionAfter;
    };
    const Case cases[] = {
        {"every global match fires, in list order",
         {"Term:=@termid", "Login:=@userid", "Shop=hello~there", "Other=never"},
         {},
         "Shop Login: Term:",
         true,
         {"T01\r\r", "POS\r", "hello\r", "there\r"},
         {}},
        {"triggers match case-sensitively",
         {"login:=POS"},
         {"password:=x"},
         "Login: Password:",
         false,
         {},
         {"password:=x"}},
        {"action names ignore case",
         {"Password:=@PASSWORD", "Account:=@Account"},
         {},
         "Account: Password:",
         true,
         {"pw~1\r", "SALES\r"},
         {}},
        {"a plain session reply is used once and ends the lists",
         {},
         {"", "Menu:=1", "Menu:=2", "Menu:=@userid"},
         "Main Menu:",
         true,
         {"1\r"},
         {"", "Menu:=2", "Menu:=@userid"}},
        {"session actions stay and go on to the next entry",
         {"Menu:=g"},
         {"Menu:=@account", "Menu:=@process", "Menu:=@unknown", "Menu:=s"},
         "Menu:",
         true,
         {"g\r", "SALES\r", "s\r"},
         {"Menu:=@account", "Menu:=@process", "Menu:=@unknown"}},
        {"process and unknown words answer without sending", {"Go=@process", "Go=@nothing"}, {}, "Go", true, {}, {}},
        {"lines without a trigger are no replies", {"Login:", "=@close", ""}, {"=1"}, "Login:", false, {}, {"=1"}},
    };
    for (const Case& c : cases) {
        global = c.global;
        session = c.session;
        host.sent.clear();
        events.clear();
        EXPECT_EQ(Offer(QString::fromLatin1(c.data)), c.answered) << c.name;
        EXPECT_EQ(host.sent, c.sent) << c.name;
        EXPECT_EQ(session, c.sessionAfter) << c.name;
        EXPECT_TRUE(events.isEmpty()) << c.name;
    }
    EXPECT_EQ(busy, int(std::size(cases)));
}

TEST_F(AutoReplies, SessionReplyAnswersOnlyTheFirstPromptOfALogOn)
{
    session = {QStringLiteral("Password:=secret")};
    EXPECT_TRUE(Offer(QStringLiteral("Password:")));
    EXPECT_FALSE(Offer(QStringLiteral("Password:")));
    EXPECT_EQ(host.sent, QStringList{"secret\r"});
}

TEST_F(AutoReplies, NothingIsSentWhileNotConnected)
{
    Connected = false;
    global = {QStringLiteral("Login:=@userid")};
    session = {QStringLiteral("Login:=x")};
    EXPECT_TRUE(Offer(QStringLiteral("Login:")));
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST_F(AutoReplies, CloseShowsItsMessageAfterClosingForGlobalAndBeforeForSession)
{
    const QStringList message = {"box 16 Closing:Bye\r\nTerminating connection."};
    global = {QStringLiteral("Bye=@CLOSE")};
    EXPECT_TRUE(Offer(QStringLiteral("Bye")));
    EXPECT_EQ(events, QStringList{"close"} + message);

    global.clear();
    events.clear();
    session = {QStringLiteral("Bye=@close")};
    EXPECT_TRUE(Offer(QStringLiteral("Bye")));
    EXPECT_EQ(events, message + QStringList{"close"});
    EXPECT_EQ(session, QStringList{"Bye=@close"});
}

TEST_F(AutoReplies, ErrorStartsTheLogOnAgainAndAnswersNothingMore)
{
    for (int list = 0; list < 2; ++list) {
        const QStringList entries = {"Invalid=@error", "Login:=@userid"};
        global = list == 0 ? entries : QStringList();
        session = list == 1 ? entries : QStringList();
        events.clear();
        EXPECT_TRUE(Offer(QStringLiteral("Invalid password\r\nLogin:"))) << list;
        EXPECT_EQ(events, QStringList{"logon failed"}) << list;
        EXPECT_TRUE(host.sent.isEmpty()) << list;
    }
}

TEST_F(AutoReplies, PassThroughTextIsNeverAnswered)
{
    global = {QStringLiteral("Login:=@userid"), QStringLiteral("total=x")};
    session = {QStringLiteral("Login:=y")};
    ComMode = true;
    for (const char* text : {"Login: total 9.99\f", "receipt\x1b"
                                                    "COM^OFFLogin:"}) {
        EXPECT_FALSE(Offer(QString::fromLatin1(text))) << text;
        EXPECT_TRUE(ComMode) << text;
    }
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_EQ(busy, 0);
}
