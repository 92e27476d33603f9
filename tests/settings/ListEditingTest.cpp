#include "settings/ListEditing.h"
#include "core/Ciphers.h"
#include "core/SharedState.h"
#include "core/WindowUtils.h"
#include "settings/Properties.h"
#include "settings/fLogin.h"
#include "tests/support/Loopback.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace zor;

namespace {

// The settings window loaded from a program folder with two hosts' lists, as
// at start-up with "North Shop" as the session's description.
class ListEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadScriptKeys();
        EncryptScripts = 0;
        ConfigFile = QStringLiteral("none.ntt");
        HostDescription = QStringLiteral("North Shop");
        home.write(QStringLiteral("response.dat"), "Login:=@userid\r\n");
        home.write(QStringLiteral("North Shop.dat"), "Menu:=1\r\n");
        home.write(QStringLiteral("North Shop-accounts.dat"), "SALES\r\nSTOCK\r\n");
        home.write(QStringLiteral("South Shop.dat"), "Menu:=2\r\n");
        home.write(QStringLiteral("South Shop-accounts.dat"), "PARTS\r\n");
        home.write(QStringLiteral("server.lst"),
                   "north,23,North Shop:North Shop\r\nsouth,2323,South Shop:South Shop\r\n");
        Reload();
    }
    void TearDown() override
    {
        // The next use loads the window again, for whatever description
        // that test gives.
        window->Unload();
        EncryptScripts = 0;
        HostDescription.clear();
        ConfigFile.clear();
    }
    void Reload()
    {
        Properties::instance().Unload();
        window = &Properties::instance();
    }
    // A click on the entry, as the user makes it.
    void ClickRow(QListWidget& list, int row)
    {
        window->show();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    }
    // Every file of the program folder with its bytes.
    QMap<QString, QByteArray> Files() const
    {
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(home.path()).entryList(QDir::Files))
            files[name] = home.read(name);
        return files;
    }
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    Properties* window = nullptr;
};

} // namespace

TEST_F(ListEditing, EditsRoundTripThroughTheFilesPlainAndEnciphered)
{
    for (qint16 encrypt : {VbFalse, VbTrue}) {
        EncryptScripts = encrypt;
        Reload();
        window->SSTab2->setCurrentIndex(0);
        dialogs.answer(QStringLiteral("  Shop:=hello  "));
        window->Command1->click();
        ClickRow(*window->List2, 0);
        dialogs.answer(QStringLiteral("Login:=@user"));
        window->Command3->click();

        window->SSTab2->setCurrentIndex(1);
        dialogs.answer(QStringLiteral("Menu 2:=2"));
        window->Command1->click();
        ClickRow(*window->List5, 0);
        window->Command2->click();

        window->SSTab2->setCurrentIndex(2);
        dialogs.answer(QStringLiteral(" RETURNS "));
        window->Command1->click();
        ClickRow(*window->List7, 1);
        // Editing takes what is typed; no "=" is asked of an account.
        dialogs.answer(QStringLiteral("STORES"));
        window->Command3->click();

        const QStringList global = {"Login:=@user", "Shop:=hello"};
        const QStringList session = {"Menu 2:=2"};
        const QStringList accounts = {"SALES", "STORES", "RETURNS"};
        EXPECT_EQ(ListItems(*fLogin::instance().lbAccountList), accounts) << encrypt;
        const QString files[] = {QStringLiteral("response.dat"), QStringLiteral("North Shop.dat"),
                                 QStringLiteral("North Shop-accounts.dat")};
        const QStringList* expected[] = {&global, &session, &accounts};
        for (int i = 0; i < 3; ++i) {
            const QByteArray bytes = home.read(files[i]);
            if (encrypt)
                EXPECT_EQ(bytes.count(ScriptMarker.toLatin1()), expected[i]->size()) << files[i].toStdString();
            else
                EXPECT_EQ(bytes, expected[i]->join(QStringLiteral("\r\n")).toLatin1() + "\r\n")
                    << files[i].toStdString();
        }

        Reload();
        EXPECT_EQ(ListItems(*window->List2), global) << encrypt;
        EXPECT_EQ(ListItems(*window->List5), session) << encrypt;
        EXPECT_EQ(ListItems(*window->List7), accounts) << encrypt;
        EXPECT_EQ(window->SSTab2->tabText(1), QStringLiteral("North Shop"));

        // Back to the fixture's lists for the next round.
        home.write(files[0], "Login:=@userid\r\n");
        home.write(files[1], "Menu:=1\r\n");
        home.write(files[2], "SALES\r\nSTOCK\r\n");
    }
    EXPECT_EQ(home.read(QStringLiteral("South Shop.dat")), QByteArray("Menu:=2\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("South Shop-accounts.dat")), QByteArray("PARTS\r\n"));
    EXPECT_TRUE(std::none_of(dialogs.asked.cbegin(), dialogs.asked.cend(),
                             [](const Dialogs::Request& r) { return r.kind == Dialogs::Request::MessageBox; }));
}

TEST_F(ListEditing, TheButtonsFollowTheSelection)
{
    for (QPushButton* button : {window->Command1, window->Command2, window->Command3})
        EXPECT_TRUE(window->Frame2->isAncestorOf(button));
    for (QPushButton* button : window->SrvList)
        EXPECT_TRUE(window->ServerListPane->isAncestorOf(button));
    window->SSTab2->setCurrentIndex(0);
    EXPECT_FALSE(window->Command2->isEnabled());
    EXPECT_FALSE(window->Command3->isEnabled());
    ClickRow(*window->List2, 0);
    EXPECT_TRUE(window->Command2->isEnabled());
    EXPECT_TRUE(window->Command3->isEnabled());
    window->SSTab2->setCurrentIndex(2);
    EXPECT_FALSE(window->Command2->isEnabled());

    ClickRow(*window->List7, 0);
    window->Command2->click();
    EXPECT_FALSE(window->Command2->isEnabled());
    EXPECT_FALSE(window->Command3->isEnabled());
    EXPECT_TRUE(window->Command1->isEnabled());
    EXPECT_EQ(home.read(QStringLiteral("North Shop-accounts.dat")), QByteArray("STOCK\r\n"));

    // With nothing selected any more, the handlers themselves do nothing; so
    // also when a Ctrl-click took the selection and left the current entry.
    const QMap<QString, QByteArray> before = Files();
    ClickRow(*window->List4, 0);
    QTest::keyClick(window->List4, Qt::Key_Space, Qt::ControlModifier);
    window->SSTab2->setCurrentIndex(2);
    ClickRow(*window->List7, 0);
    QTest::keyClick(window->List7, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(window->List7->currentItem());
    ASSERT_TRUE(window->List7->selectedItems().isEmpty());
    dialogs.asked.clear();
    window->Command2_Click();
    window->Command3_Click();
    window->SrvList_Click(1);
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(ListItems(*window->List7), QStringList{"STOCK"});
    EXPECT_EQ(window->List4->count(), 2);
    EXPECT_TRUE(dialogs.asked.isEmpty());

    Reload();
    for (int i = 1; i < 4; ++i)
        EXPECT_FALSE(window->SrvList[i]->isEnabled()) << i;
    ClickRow(*window->List4, 1);
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(window->SrvList[i]->isEnabled()) << i;
    window->SrvList[1]->click();
    EXPECT_FALSE(window->SrvList[1]->isEnabled());
    EXPECT_EQ(home.read(QStringLiteral("server.lst")), QByteArray("north,23,North Shop:North Shop\r\n"));
}

TEST_F(ListEditing, EmptyOrCancelledAnswersChangeNoFile)
{
    window->SSTab2->setCurrentIndex(1);
    home.write(QStringLiteral("North Shop.dat"), "Menu:=1");
    dialogs.answer(QStringLiteral("   "));
    window->Command1->click();
    EXPECT_EQ(ListItems(*window->List5), QStringList{"Menu:=1"});
    EXPECT_EQ(home.read(QStringLiteral("North Shop.dat")), QByteArray("Menu:=1"));

    ClickRow(*window->List5, 0);
    window->Command3->click(); // cancelled
    EXPECT_EQ(ListItems(*window->List5), QStringList{"Menu:=1"});
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[1].initial, QStringLiteral("Menu:=1"));
    EXPECT_EQ(dialogs.asked[1].title, QStringLiteral("Edit data stream reply"));
    EXPECT_TRUE(window->Command2->isEnabled());
}

TEST_F(ListEditing, RefusedEntriesNameTheirFieldAndChangeNoFile)
{
    struct Case {
        const char* host;
        const char* port;
        const char* description;
        const char* field; // named by the message
    };
    const Case cases[] = {
        {"fe80::1", "23", "Lab", "Name/Address"},
        {"a,b", "23", "Lab", "Name/Address"},
        {"lab", "", "Lab", "Port"},
        {"lab", "abc", "Lab", "Port"},
        {"lab", "0", "Lab", "Port"},
        {"lab", "70000", "Lab", "Port"},
        {"lab", "23,1", "Lab", "Port"},
        {"lab", "23", "Lab:2", "Description"},
        {"lab", "23", "   ", "Description"},
        {"lab", "23", "../Lab", "Description"},
        {"lab", "23", "a/b", "Description"},
        {"lab", "23", "a\\b", "Description"},
        {"lab", "23", ".hidden", "Description"},
        {"lab", "23", "tab\there", "Description"},
    };
    const QMap<QString, QByteArray> before = Files();
    for (const Case& c : cases) {
        dialogs.asked.clear();
        window->PropText[0]->setText(QString::fromUtf8(c.host));
        window->PropText[1]->setText(QString::fromUtf8(c.port));
        window->PropText[4]->setText(QString::fromUtf8(c.description));
        window->SrvList[0]->click();
        ASSERT_EQ(dialogs.asked.size(), 1) << c.description;
        EXPECT_EQ(dialogs.asked[0].style, Dialogs::Critical);
        EXPECT_TRUE(dialogs.asked[0].prompt.startsWith(QLatin1String(c.field) + QLatin1Char(':')))
            << dialogs.asked[0].prompt.toStdString();
        EXPECT_EQ(window->List4->count(), 2) << c.description;
        EXPECT_EQ(window->List3->count(), 2) << c.description;
    }

    // A description the configuration cannot keep is refused as well.
    dialogs.asked.clear();
    window->PropText[0]->setText(QStringLiteral("lab"));
    window->PropText[1]->setText(QStringLiteral("23"));
    window->PropText[4]->setText(QStringLiteral("Lab \u6771"));
    window->SrvList[0]->click();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].prompt.startsWith(QStringLiteral("Description:")));

    dialogs.asked.clear();
    window->SSTab2->setCurrentIndex(0);
    dialogs.answer(QStringLiteral("no equals sign"));
    window->Command1->click();
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[1].prompt, InvalidReplyMessage);
    EXPECT_EQ(dialogs.asked[1].title, QStringLiteral("Error"));
    EXPECT_EQ(window->List2->count(), 1);
    EXPECT_EQ(Files(), before);
}

TEST_F(ListEditing, LinesTheFilesCannotKeepAreRefusedNamingTheCharacter)
{
    struct Case {
        int tab;
        bool edit;
        const char* typed;
        const char* caption;
        const char* named;
    };
    const Case cases[] = {
        {0, false, "price=\u20ac5", "Reply:", "\u20ac"}, {1, false, "Menu:=\u6771", "Reply:", "\u6771"},
        {2, false, "\u20acURO", "Account:", "\u20ac"},   {0, true, "Login:=\u0153", "Reply:", "\u0153"},
        {2, true, "SALES\u20ac", "Account:", "\u20ac"},
    };
    QListWidget* lists[] = {window->List2, window->List5, window->List7};
    for (qint16 encrypt : {VbFalse, VbTrue}) {
        EncryptScripts = encrypt;
        for (const Case& c : cases) {
            const QMap<QString, QByteArray> before = Files();
            dialogs.asked.clear();
            window->SSTab2->setCurrentIndex(c.tab);
            if (c.edit)
                ClickRow(*lists[c.tab], 0);
            dialogs.answer(QString::fromUtf8(c.typed));
            (c.edit ? window->Command3 : window->Command1)->click();
            ASSERT_EQ(dialogs.asked.size(), 2) << c.typed;
            const QString& prompt = dialogs.asked[1].prompt;
            EXPECT_TRUE(prompt.startsWith(QLatin1String(c.caption))) << prompt.toStdString();
            EXPECT_TRUE(prompt.contains(QStringLiteral("\"%1\"").arg(QString::fromUtf8(c.named))))
                << prompt.toStdString();
            EXPECT_EQ(Files(), before) << c.typed;
            EXPECT_FALSE(ListItems(*lists[c.tab]).contains(QString::fromUtf8(c.typed))) << c.typed;
        }
    }
}

TEST_F(ListEditing, ServersRoundTripAndAddEachShownTextOnce)
{
    window->PropText[0]->setText(QStringLiteral("10.0.0.5"));
    window->PropText[1]->setText(QStringLiteral("2424"));
    window->PropText[4]->setText(QStringLiteral("East, upstairs"));
    window->SrvList[0]->click();
    const QByteArray three = "north,23,North Shop:North Shop\r\nsouth,2323,South Shop:South Shop\r\n"
                             "10.0.0.5,2424,East, upstairs:East, upstairs\r\n";
    EXPECT_EQ(home.read(QStringLiteral("server.lst")), three);

    // The same shown text again adds nothing and writes nothing.
    home.write(QStringLiteral("server.lst"), three.chopped(2));
    window->PropText[0]->setText(QStringLiteral("elsewhere"));
    window->SrvList[0]->click();
    EXPECT_EQ(home.read(QStringLiteral("server.lst")), three.chopped(2));

    Reload();
    ClickRow(*window->List4, 2);
    EXPECT_EQ(window->PropText[0]->text(), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(window->PropText[1]->text(), QStringLiteral("2424"));
    EXPECT_EQ(window->PropText[4]->text(), QStringLiteral("East, upstairs"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(ListEditing, HandEditedEntriesFillWhatTheyHold)
{
    struct Case {
        const char* line;
        const char* host;
        const char* port;
    };
    const Case cases[] = {{"h", "h", ""},
                          {"h,23", "h", "23"},
                          {"h,23,Dee:Dee", "h", "23"},
                          {"h,23,Dee,x:Dee", "h", "23"},
                          {",,:Dee", "", ""}};
    for (const Case& c : cases) {
        home.write(QStringLiteral("server.lst"), QByteArray(c.line) + "\r\n");
        Reload();
        ClickRow(*window->List4, 0);
        EXPECT_EQ(window->PropText[0]->text(), QLatin1String(c.host)) << c.line;
        EXPECT_EQ(window->PropText[1]->text(), QLatin1String(c.port)) << c.line;
    }
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(ListEditing, ListsAreWrittenOnlyUnderTheDescriptionTheyWereReadFor)
{
    const QByteArray north = home.read(QStringLiteral("North Shop-accounts.dat"));
    ClickRow(*window->List4, 1);
    EXPECT_EQ(HostDescription, QStringLiteral("South Shop"));
    EXPECT_EQ(window->SSTab2->currentIndex(), 0);
    EXPECT_EQ(window->SSTab2->tabText(1), QStringLiteral("South Shop"));
    EXPECT_EQ(ListItems(*window->List5), QStringList{"Menu:=2"});
    EXPECT_EQ(ListItems(*window->List7), QStringList{"PARTS"});
    EXPECT_EQ(ListItems(*fLogin::instance().lbAccountList), QStringList{"PARTS"});

    window->SSTab1->setCurrentIndex(ConnectionTab);
    window->SrvList[3]->click();
    EXPECT_EQ(window->SSTab1->currentIndex(), ScriptingTab);
    EXPECT_EQ(window->SSTab2->currentIndex(), 2);
    dialogs.answer(QStringLiteral("TOOLS"));
    window->Command1->click();
    EXPECT_EQ(home.read(QStringLiteral("South Shop-accounts.dat")), QByteArray("PARTS\r\nTOOLS\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("North Shop-accounts.dat")), north);

    // A description applied from the field: the lists shown are those of the
    // old one until they are read again, and no save writes them under the
    // new one.
    HostDescription = QStringLiteral("West Shop   ");
    home.write(QStringLiteral("West Shop-accounts.dat"), "WEST\r\n");
    ASSERT_TRUE(window->SaveINI());
    EXPECT_EQ(home.read(QStringLiteral("West Shop-accounts.dat")), QByteArray("WEST\r\n"));
    EXPECT_EQ(ListItems(*window->List7), QStringList{"WEST"});
    EXPECT_EQ(window->SSTab2->tabText(1), QStringLiteral("West Shop"));
    EXPECT_EQ(home.read(QStringLiteral("South Shop-accounts.dat")), QByteArray("PARTS\r\nTOOLS\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("South Shop.dat")), QByteArray("Menu:=2\r\n"));

    // The same before an edit: the stale list is not the one edited.
    HostDescription = QStringLiteral("North Shop");
    window->SSTab2->setCurrentIndex(1);
    dialogs.answer(QStringLiteral("Quit:=q"));
    window->Command1->click();
    EXPECT_EQ(home.read(QStringLiteral("North Shop.dat")), QByteArray("Menu:=1\r\nQuit:=q\r\n"));
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("West Shop.dat"))));
    EXPECT_TRUE(std::none_of(dialogs.asked.cbegin(), dialogs.asked.cend(),
                             [](const Dialogs::Request& r) { return r.kind == Dialogs::Request::MessageBox; }));
}

TEST_F(ListEditing, BlankDescriptionsAccountsAreNotSavedUnderOldEntry)
{
    HostDescription.clear();
    home.write(QStringLiteral("-accounts.dat"), "SALES\r\n");
    Reload();
    EXPECT_EQ(ListItems(*window->List7), QStringList{"SALES"});
    EXPECT_EQ(HostDescription, QStringLiteral("Old Entry"));

    window->SSTab2->setCurrentIndex(2);
    dialogs.answer(QStringLiteral("STOCK"));
    window->Command1->click();
    EXPECT_EQ(home.read(QStringLiteral("Old Entry-accounts.dat")), QByteArray("STOCK\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("-accounts.dat")), QByteArray("SALES\r\n"));
}

TEST_F(ListEditing, AServerThatDoesNotFitTheFieldsLeavesThemAsTheyWere)
{
    const QString host = QStringLiteral("very-long-host-name.branch.example.com");
    const QString description = QString(HostDescriptionWidth + 1, QLatin1Char('d'));
    home.write(QStringLiteral("server.lst"), (host + QStringLiteral(",23,Long:Long\r\nshort,23,") + description +
                                              QLatin1Char(':') + description + QStringLiteral("\r\n"))
                                                 .toLatin1());
    Reload();
    window->PropText[0]->setText(QStringLiteral("kept.host"));
    for (int row : {0, 1}) {
        dialogs.asked.clear();
        ClickRow(*window->List4, row);
        ASSERT_EQ(dialogs.asked.size(), 1) << row;
        EXPECT_TRUE(dialogs.asked[0].prompt.startsWith(row == 0 ? QStringLiteral("Name/Address:")
                                                                : QStringLiteral("Description:")))
            << row;
        EXPECT_EQ(window->PropText[0]->text(), QStringLiteral("kept.host")) << row;
        EXPECT_EQ(window->PropText[4]->text(), QStringLiteral("North Shop")) << row;
        EXPECT_EQ(HostDescription, QStringLiteral("North Shop")) << row;
        EXPECT_FALSE(window->SrvList[2]->isEnabled()) << row;
    }
}

TEST_F(ListEditing, UnsafeServerDescriptionIsNotTakenOn)
{
    home.write(QStringLiteral("server.lst"), "evil,23,x:../North Shop\r\n");
    Reload();
    const QMap<QString, QByteArray> before = Files();
    ClickRow(*window->List4, 0);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].prompt.startsWith(QStringLiteral("Description:")));
    EXPECT_EQ(HostDescription, QStringLiteral("North Shop"));
    EXPECT_EQ(window->PropText[0]->text(), QString());
    EXPECT_FALSE(window->SrvList[2]->isEnabled());
    EXPECT_EQ(Files(), before);
    // It can still be taken out of the list.
    window->SrvList[1]->click();
    EXPECT_EQ(window->List4->count(), 0);
    EXPECT_EQ(home.read(QStringLiteral("server.lst")), QByteArray());
}

TEST_F(ListEditing, FailedSaveKeepsWhatWasTyped)
{
    // The file turns into a folder behind the window's back: no write can
    // replace it.
    QFile::remove(home.file(QStringLiteral("response.dat")));
    QDir(home.path()).mkdir(QStringLiteral("response.dat"));
    window->SSTab2->setCurrentIndex(0);
    dialogs.answer(QStringLiteral("Shop:=hello"));
    window->Command1->click();
    EXPECT_EQ(ListItems(*window->List2), (QStringList{"Login:=@userid", "Shop:=hello"}));
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[1].kind, Dialogs::Request::MessageBox);

    QDir(home.path()).rmdir(QStringLiteral("response.dat"));
    home.write(QStringLiteral("response.dat"), "Login:=@userid\r\n");
    ASSERT_TRUE(window->SaveResponses());
    EXPECT_EQ(home.read(QStringLiteral("response.dat")), QByteArray("Login:=@userid\r\nShop:=hello\r\n"));
}

TEST_F(ListEditing, ApplyRefusesADescriptionThatCannotNameTheFilesAndTheListsFollowOneItTakes)
{
    for (const char* bad : {"../North Shop", "a/b", "a\\b", ".hidden", "tab\there"}) {
        dialogs.asked.clear();
        window->PropText[1]->setText(QStringLiteral("23"));
        window->PropText[4]->setText(QString::fromLatin1(bad));
        window->OptionsButt_Click(0);
        ASSERT_EQ(dialogs.asked.size(), 1) << bad;
        EXPECT_TRUE(dialogs.asked[0].prompt.startsWith(QStringLiteral("Description:"))) << bad;
        EXPECT_EQ(HostDescription, QStringLiteral("North Shop")) << bad;
        EXPECT_FALSE(QFile::exists(home.file(ConfigFile))) << bad;
    }

    const QMap<QString, QByteArray> before = Files();
    dialogs.asked.clear();
    window->PropText[4]->setText(QStringLiteral("South Shop"));
    window->OptionsButt_Click(0);
    EXPECT_EQ(ListItems(*window->List5), QStringList{"Menu:=2"});
    EXPECT_EQ(ListItems(*window->List7), QStringList{"PARTS"});
    EXPECT_EQ(window->SSTab2->tabText(1), QStringLiteral("South Shop"));
    for (const QString& name : {QStringLiteral("North Shop.dat"), QStringLiteral("North Shop-accounts.dat"),
                                QStringLiteral("South Shop.dat"), QStringLiteral("South Shop-accounts.dat")})
        EXPECT_EQ(home.read(name), before.value(name)) << name.toStdString();

    // A blank one stands for "Old Entry", as on loading.
    window->PropText[4]->clear();
    window->OptionsButt_Click(0);
    EXPECT_EQ(HostDescription, QStringLiteral("Old Entry"));
    EXPECT_EQ(window->List5->count(), 0);
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

// The second session of the program on the same folder, as Launch Session
// starts it: it adds a reply and an account through its own window. It runs
// only as the child the test below starts.
TEST(SecondSession, AddsAReplyAndAnAccount)
{
    if (qEnvironmentVariableIsEmpty("ZOR_SECOND_SESSION"))
        GTEST_SKIP() << "runs as the second session of SessionsOnOneFolderKeepEachOthersLines";
    LoadScriptKeys();
    ConfigFile = QStringLiteral("none.ntt");
    HostDescription = QStringLiteral("North Shop");
    test::DialogScript dialogs;
    Properties& window = Properties::instance();
    window.SSTab2->setCurrentIndex(0);
    dialogs.answer(QStringLiteral("Other:=2"));
    window.Command1->click();
    window.SSTab2->setCurrentIndex(2);
    dialogs.answer(QStringLiteral("OTHER"));
    window.Command1->click();
    EXPECT_TRUE(window.SaveINI());
    EXPECT_EQ(dialogs.asked.size(), 2);
}

TEST_F(ListEditing, SessionsOnOneFolderKeepEachOthersLines)
{
    // This window read the lists before the other session changed them.
    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZOR_HOME"), home.path());
    environment.insert(QStringLiteral("ZOR_SECOND_SESSION"), QStringLiteral("1"));
    second.setProcessEnvironment(environment);
    second.setProcessChannelMode(QProcess::MergedChannels);
    second.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=SecondSession.*")});
    ASSERT_TRUE(second.waitForFinished(test::WaitLimitMs));
    const QByteArray output = second.readAll();
    ASSERT_EQ(second.exitCode(), 0) << output.toStdString();
    ASSERT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    const QByteArray global = "Login:=@userid\r\nOther:=2\r\n";
    const QByteArray accounts = "SALES\r\nSTOCK\r\nOTHER\r\n";
    ASSERT_EQ(home.read(QStringLiteral("response.dat")), global);
    ASSERT_EQ(home.read(QStringLiteral("North Shop-accounts.dat")), accounts);

    // Logging on saves the configuration: no list this session left alone.
    ASSERT_TRUE(window->SaveINI());
    EXPECT_EQ(home.read(QStringLiteral("response.dat")), global);
    EXPECT_EQ(home.read(QStringLiteral("North Shop-accounts.dat")), accounts);

    // Each change is made to the file as it stands.
    window->SSTab2->setCurrentIndex(0);
    dialogs.answer(QStringLiteral("Mine:=1"));
    window->Command1->click();
    ClickRow(*window->List2, 0);
    window->Command2->click();
    EXPECT_EQ(home.read(QStringLiteral("response.dat")), QByteArray("Other:=2\r\nMine:=1\r\n"));
    EXPECT_EQ(ListItems(*window->List2), (QStringList{"Other:=2", "Mine:=1"}));
    window->SSTab2->setCurrentIndex(2);
    ClickRow(*window->List7, 1);
    dialogs.answer(QStringLiteral("STORES"));
    window->Command3->click();
    EXPECT_EQ(home.read(QStringLiteral("North Shop-accounts.dat")), QByteArray("SALES\r\nSTORES\r\nOTHER\r\n"));
    EXPECT_EQ(ListItems(*fLogin::instance().lbAccountList), (QStringList{"SALES", "STORES", "OTHER"}));
    ASSERT_TRUE(window->SaveINI());
    EXPECT_EQ(home.read(QStringLiteral("response.dat")), QByteArray("Other:=2\r\nMine:=1\r\n"));
}
