#include "settings/ReplyLists.h"
#include "core/Ciphers.h"
#include "core/SharedState.h"
#include "core/WindowUtils.h"
#include "session/AutoReplies.h"
#include "settings/Properties.h"
#include "settings/fLogin.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace zor;

namespace {

// The settings window loaded from a program folder of companion files, as at
// start-up.
class ReplyLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadScriptKeys();
        EncryptScripts = 0;
        ConfigFile = QStringLiteral("none.ntt");
        HostDescription = QStringLiteral("North Shop");
        home.write(QStringLiteral("response.dat"), "<$Sc%@-TtipqC>Fysmwkk\r\nPassword:=@password\r\n");
        home.write(QStringLiteral("North Shop.dat"), "Menu:=1\r\n");
        home.write(QStringLiteral("North Shop-accounts.dat"), "SALES\r\nSTOCK\r\n");
        home.write(QStringLiteral("server.lst"), "shop1,23,North Shop\r\n");
        Properties::instance().Unload();
        window = &Properties::instance();
    }
    void TearDown() override
    {
        EncryptScripts = 0;
        HostDescription.clear();
        ConfigFile.clear();
    }
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    Properties* window = nullptr;
};

} // namespace

TEST_F(ReplyLists, LoadingFillsTheListsOnceAndTheFirstPromptIsAnswered)
{
    for (int load = 0; load < 2; ++load) {
        EXPECT_EQ(ListItems(*window->List2), (QStringList{"Login:=@userid", "Password:=@password"}));
        EXPECT_EQ(ListItems(*window->List5), QStringList{"Menu:=1"});
        EXPECT_EQ(ListItems(*window->List7), (QStringList{"SALES", "STOCK"}));
        EXPECT_EQ(ListItems(*fLogin::instance().lbAccountList), (QStringList{"SALES", "STOCK"}));
        EXPECT_EQ(window->SSTab2->tabText(1), QStringLiteral("North Shop"));
        EXPECT_EQ(ListItems(*window->List3), QStringList{"shop1,23,North Shop"});
        EXPECT_EQ(ListItems(*window->List4), QStringList{"shop1,23,North Shop"});
        EXPECT_FALSE(window->PropCheck[12]->isChecked());
        window->Unload();
        window = &Properties::instance();
    }

    test::SentRecorder host;
    fLogin::instance().Text1->setText(QStringLiteral("clerk"));
    fLogin::instance().Text2->setText(QStringLiteral("pw"));
    fLogin::instance().lbAccountList->setCurrentRow(1);
    window->List2->addItem(QStringLiteral("Account:=@account"));
    for (const char* prompt : {"Login:", "Password:", "Account:"}) {
        QString data = QString::fromLatin1(prompt);
        EXPECT_TRUE(Process_Script(data)) << prompt;
    }
    EXPECT_EQ(host.sent, (QStringList{"clerk\r", "pw\r", "STOCK\r"}));
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(ReplyLists, SessionRepliesAreCopiedAtLogOnAndUsedOnce)
{
    test::SentRecorder host;
    QString prompt = QStringLiteral("Main Menu:");
    EXPECT_FALSE(Process_Script(prompt));
    SetTempList();
    EXPECT_TRUE(Process_Script(prompt));
    EXPECT_FALSE(Process_Script(prompt));
    EXPECT_EQ(ListItems(*window->List6), QStringList());
    EXPECT_EQ(ListItems(*window->List5), QStringList{"Menu:=1"});
    // Opening and closing the settings window keeps this log-on's copy.
    window->Unload();
    window = &Properties::instance();
    EXPECT_FALSE(Process_Script(prompt));
    SetTempList();
    EXPECT_TRUE(Process_Script(prompt));
    EXPECT_EQ(host.sent, (QStringList{"1\r", "1\r"}));
}

TEST_F(ReplyLists, ChangesGoToTheFilesAsTheyStandAndSavingWritesNoOtherList)
{
    // Another session saves its own lines after this window read the files.
    const QByteArray theirs = "Login:=@userid\r\nPassword:=@password\r\nOther:=2\r\n";
    home.write(QStringLiteral("response.dat"), theirs);
    home.write(QStringLiteral("server.lst"), "shop1,23,North Shop\r\nwest,23,West:West\r\n");
    window->List2->addItem(QStringLiteral("Stale:=0")); // no change of the user's
    ASSERT_TRUE(window->SaveINI());
    EXPECT_EQ(home.read(QStringLiteral("response.dat")), theirs);
    EXPECT_EQ(home.read(QStringLiteral("North Shop.dat")), QByteArray("Menu:=1\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("North Shop-accounts.dat")), QByteArray("SALES\r\nSTOCK\r\n"));

    EncryptScripts = VbTrue;
    ASSERT_TRUE(window->ChangeReplies(0, ListChange{ListChange::Add, QStringLiteral("Shop=hello"), QString()}));
    const QStringList global = {"Login:=@userid", "Password:=@password", "Other:=2", "Shop=hello"};
    EXPECT_EQ(ListItems(*window->List2), global);
    EXPECT_EQ(home.read(QStringLiteral("response.dat")).left(23), QByteArray("<$Sc%@-TtipqC>Fysmwkk\r\n"));
    EncryptScripts = 0;
    window->Unload();
    window = &Properties::instance();
    EXPECT_EQ(ListItems(*window->List2), global);

    ASSERT_TRUE(window->ChangeServers(
        ListChange{ListChange::Remove, QStringLiteral("shop1,23,North Shop:shop1,23,North Shop"), QString()}));
    EXPECT_EQ(home.read(QStringLiteral("server.lst")), QByteArray("west,23,West:West\r\n"));
    EXPECT_EQ(ListItems(*window->List4), QStringList{"West"});
    EXPECT_TRUE(dialogs.asked.isEmpty());
}
