#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Twips.h"
#include "session/AutoReplies.h"
#include "session/fConnection.h"
#include "settings/ConfigFile.h"
#include "settings/Properties.h"
#include "settings/fLogin.h"
#include "tests/support/TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zor;

namespace {

// The dialog shown (not modally, so the test can drive it) with these
// accounts.
fLogin& ShowWithAccounts(const QStringList& accounts)
{
    fLogin& dialog = fLogin::instance();
    dialog.hide();
    dialog.lbAccountList->clear();
    dialog.lbAccountList->addItems(accounts);
    dialog.show();
    return dialog;
}

} // namespace

TEST(Login, LayoutFollowsTheNumberOfAccounts)
{
    test::ProgramFolderScope home;
    struct Case {
        QStringList accounts;
        bool listShown;
        int height, buttonTop; // twips
        int selected;
    };
    for (const Case& c : {Case{{}, false, 2335, 1245, -1}, Case{{"SHOP"}, false, 2335, 1245, 0},
                          Case{{"SHOP", "BACK"}, true, 2835, 1845, 0}}) {
        fLogin& dialog = ShowWithAccounts(c.accounts);
        EXPECT_EQ(!dialog.lbAccountList->isHidden(), c.listShown) << c.accounts.size();
        EXPECT_EQ(!dialog.Label3->isHidden(), c.listShown) << c.accounts.size();
        EXPECT_EQ(dialog.height(), TwipsToPixels(c.height)) << c.accounts.size();
        EXPECT_EQ(dialog.Command1->y(), TwipsToPixels(c.buttonTop)) << c.accounts.size();
        EXPECT_EQ(dialog.Command2->y(), TwipsToPixels(c.buttonTop)) << c.accounts.size();
        EXPECT_EQ(dialog.lbAccountList->currentRow(), c.selected) << c.accounts.size();
        if (c.selected >= 0) {
            EXPECT_EQ(dialog.lbAccountList->currentItem()->text(), QStringLiteral("SHOP"));
            EXPECT_EQ(ReplyLink().Account(), QStringLiteral("SHOP"));
        }
    }
    fLogin::instance().hide();
}

TEST(Login, LogOnKeepsUserAndPasswordSavesAndCopiesTheSessionReplies)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    ConfigFile = QStringLiteral("login.ntt");
    Properties& settings = Properties::instance();
    settings.List5->clear();
    settings.List5->addItems({QStringLiteral("login:~@user"), QStringLiteral("password:~@pass")});
    settings.List6->addItem(QStringLiteral("stale"));
    LogonFailed = VbTrue;
    fLogin& dialog = ShowWithAccounts({});

    // An empty user id does nothing.
    dialog.Text1->clear();
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(QFile::exists(home.file(ConfigFile)));
    EXPECT_EQ(LogonFailed, VbTrue);

    QTest::keyClicks(dialog.Text1, QStringLiteral("clerk"));
    QTest::keyClicks(dialog.Text2, QStringLiteral("abcdefghijkl"));
    EXPECT_EQ(dialog.Text2->displayText(), QString(12, QLatin1Char('*')));
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(LoginPassword, QStringLiteral("abcdefghij"));
    EXPECT_EQ(LastUser, FixedWidth(QStringLiteral("clerk"), ConfigLastUserWidth));
    EXPECT_EQ(LogonFailed, VbFalse);
    ASSERT_EQ(settings.List6->count(), 2);
    EXPECT_EQ(settings.List6->item(1)->text(), QStringLiteral("password:~@pass"));
    // What the automatic replies see.
    EXPECT_EQ(ReplyLink().UserId(), QStringLiteral("clerk"));
    EXPECT_EQ(ReplyLink().Password(), QStringLiteral("abcdefghijkl"));
    EXPECT_EQ(ReplyLink().Account(), QString());
    EXPECT_EQ(ReplyLink().SessionReplies(), QStringList({"login:~@user", "password:~@pass"}));
    ReplyLink().UseSessionReply(QStringLiteral("login:~@user"));
    EXPECT_EQ(ReplyLink().SessionReplies(), QStringList({"password:~@pass"}));

    // The user id went into the configuration file.
    LastUser.clear();
    ConfigWindowItems window;
    ASSERT_EQ(ReadConfig(home.read(ConfigFile), window), ConfigItemCount);
    EXPECT_EQ(Trim(LastUser), QStringLiteral("clerk"));

    // A short password is padded; showing again clears it and keeps the id.
    dialog.show();
    EXPECT_TRUE(dialog.Text2->text().isEmpty());
    EXPECT_EQ(dialog.Text1->text(), QStringLiteral("clerk"));
    QTest::keyClicks(dialog.Text2, QStringLiteral("abc"));
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_EQ(LoginPassword, QStringLiteral("abc       "));
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST(Login, OnlyTheButtonsCloseIt)
{
    test::ProgramFolderScope home;
    fLogin& dialog = ShowWithAccounts({});
    dialog.Text1->setText(QStringLiteral("clerk"));
    EXPECT_FALSE(dialog.close());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());

    LoginCancelled = VbFalse;
    QTest::mouseClick(dialog.Command2, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(LoginCancelled, VbTrue);
    EXPECT_TRUE(dialog.Text1->text().isEmpty());
}

TEST(Login, EmptyLastUserItemShowsTheOldUserName)
{
    test::ProgramFolderScope home;
    ConfigFile = QStringLiteral("old.ntt");
    OldUserName = QStringLiteral("OLDUSER1");
    LastUser = QString(ConfigLastUserWidth, QChar(0));
    home.write(ConfigFile, WriteConfig({}));
    LastUser.clear();
    OldUserName.clear();

    Properties::instance().LoadINI();
    fLogin& dialog = fLogin::instance();
    dialog.Form_Load();
    EXPECT_EQ(dialog.Text1->text(), QStringLiteral("OLDUSER1"));
    EXPECT_EQ(dialog.Text1->selectedText(), QStringLiteral("OLDUSER1"));
}
