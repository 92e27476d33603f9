#include "core/SharedState.h"
#include "session/BusyAnimation.h"
#include "session/ScreenPrint.h"
#include "session/ShellLink.h"
#include "session/fConnection.h"
#include "settings/Properties.h"
#include "settings/fSpawn.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tools/fHelpAbout.h"
#include "tools/fPrintType.h"
#include "tools/fTips.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

using namespace zor;
using test::WhenModal;

namespace {

void ChoosePrintType(int option)
{
    WhenModal([option](QWidget& modal) {
        auto* chooser = qobject_cast<fPrintType*>(&modal);
        ASSERT_NE(chooser, nullptr);
        if (option >= 0)
            chooser->optPrintType[static_cast<size_t>(option)]->setChecked(true);
        chooser->Command1->click();
    });
}

class ShellTest : public ::testing::Test {
protected:
    fConnection& window = fConnection::instance();
    test::ProgramFolderScope folder;
    test::DialogScript dialogs;
    ShellLink saved = Shell();
    QList<QStringList> started; // program, then its arguments
    QStringList opened;
    QString savedConfig = ConfigFile;

    void SetUp() override
    {
        window.show();
        ConfigFile = QStringLiteral("shop.ntt");
        Properties::instance().PropCheck[12]->setChecked(false);
        Shell().StartProgram = [this](const QString& program, const QStringList& arguments) {
            started << (QStringList{program} + arguments);
            return true;
        };
        Shell().OpenDocument = [this](const QString& path) {
            opened << path;
            return true;
        };
    }

    void TearDown() override
    {
        Shell() = saved;
        ConfigFile = savedConfig;
        window.Console->hide();
        window.frTenKey->hide();
    }

    QStringList MessagesAsked() const
    {
        QStringList texts;
        for (const Dialogs::Request& request : dialogs.asked)
            if (request.kind == Dialogs::Request::MessageBox)
                texts << request.prompt;
        return texts;
    }
};

} // namespace

TEST_F(ShellTest, EveryMenuAndToolbarItemDoesItsWork)
{
    Shell().ChooseConfiguration = [] { return QStringLiteral("b c.ntt"); };
    Shell().ShowTips = [this] { opened << QStringLiteral("tips"); };
    Shell().ShowReportViewer = [this] { opened << QStringLiteral("reports"); };
    folder.write(QStringLiteral("userg2.html"), "<html></html>");
    const QString program = QCoreApplication::applicationFilePath();
    const QString guide = folder.file(QStringLiteral("userg2.html"));

    struct Row {
        QAction* item;
        std::function<void()> check;
    };
    const auto spawned = [&] {
        EXPECT_EQ(started, (QList<QStringList>{{program, "b c.ntt"}}));
        EXPECT_EQ(ConfigFile, QStringLiteral("shop.ntt"));
    };
    const auto saved = [&] { EXPECT_FALSE(folder.read(QStringLiteral("shop.ntt")).isEmpty()); };
    const auto consoleShown = [&] { EXPECT_FALSE(window.Console->isHidden()); };
    const auto guideOpened = [&] { EXPECT_EQ(opened, QStringList{guide}); };
    const auto reportsOpened = [&] { EXPECT_EQ(opened, QStringList{"reports"}); };
    const Row rows[] = {
        {window.SpawnMnu, spawned},
        {window.puSpawn, spawned},
        {window.ToolbarButton("spawn"), spawned},
        {window.SaveMnu, saved},
        {window.puSave, saved},
        {window.ToolbarButton("save"), saved},
        {window.ConsoleMnu, consoleShown},
        {window.puConsole, consoleShown},
        {window.ToolbarButton("console"), consoleShown},
        {window.HelpContents, guideOpened},
        {window.ToolbarButton("help"), guideOpened},
        {window.HelpSearch, [&] { EXPECT_EQ(opened, QStringList{"tips"}); }},
        {window.mnuReportView, reportsOpened},
        {window.puReportViewer, reportsOpened},
        {window.ToolbarButton("reportviewer"), reportsOpened},
        {window.ToolbarButton("TenKey"), [&] { EXPECT_FALSE(window.frTenKey->isHidden()); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.item->objectName().toStdString());
        started.clear();
        opened.clear();
        QFile::remove(folder.file(QStringLiteral("shop.ntt")));
        window.Console->hide();
        window.frTenKey->hide();
        row.item->trigger();
        row.check();
    }
    EXPECT_TRUE(MessagesAsked().isEmpty()) << MessagesAsked().join('|').toStdString();
}

TEST_F(ShellTest, ModalItemsOpenTheirWindows)
{
    for (QAction* item : {window.PropertiesMnu, window.puProperties, window.ToolbarButton("properties")}) {
        QString shown;
        WhenModal([&shown](QWidget& modal) {
            shown = modal.objectName();
            static_cast<QDialog&>(modal).done(0);
        });
        item->trigger();
        EXPECT_EQ(shown, QStringLiteral("Properties")) << item->objectName().toStdString();
    }

    QString version;
    WhenModal([&version](QWidget& modal) {
        auto* about = qobject_cast<fHelpAbout*>(&modal);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->windowTitle(), QStringLiteral("About ZOR Graphical User Interface"));
        version = about->Label4->text();
        about->Command1->click();
    });
    window.HelpAbout->trigger();
    EXPECT_EQ(version, QStringLiteral("Version ") + VersionNumber() + VersionSuffix);
    EXPECT_EQ(version, QStringLiteral("Version 1.0.01"));
}

TEST_F(ShellTest, RefreshRedrawsTheScreenFromTheEntities)
{
    window.DrawEntities();
    const QImage drawn = window.MainPic->Image();
    window.MainPic->Image().fill(Qt::magenta);
    window.mnuRefresh->trigger();
    EXPECT_EQ(window.MainPic->Image(), drawn);
}

TEST_F(ShellTest, UnknownToolbarKeysAndTheDropDownButtonDoNothing)
{
    Shell().ChooseConfiguration = [] { return QStringLiteral("x.ntt"); };
    window.Toolbar_ButtonClick(QStringLiteral("nosuchkey"));
    window.Toolbar_ButtonClick(QStringLiteral("Spawn"));
    window.ToolbarButton(QStringLiteral("systemfunctions"))->trigger();
    EXPECT_TRUE(started.isEmpty());
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(ShellTest, LaunchSessionAndTipsOpenTheRealWindows)
{
    folder.write(QStringLiteral("other.ntt"), "x");
    folder.write(QStringLiteral("tips.txt"), "{First\r\nUse the menu.\r\n}\r\n");
    QString launcherTitle;
    WhenModal([&launcherTitle](QWidget& modal) {
        auto* launcher = qobject_cast<fSpawn*>(&modal);
        ASSERT_NE(launcher, nullptr);
        launcherTitle = launcher->windowTitle();
        launcher->Text1->setText(QStringLiteral("other.ntt"));
        launcher->SpawnButt[0]->click();
    });
    window.puSpawn->trigger();
    EXPECT_EQ(launcherTitle, QStringLiteral("Launch ZOR GUI Connection"));
    EXPECT_EQ(started, (QList<QStringList>{{QCoreApplication::applicationFilePath(), "other.ntt"}}));
    EXPECT_EQ(ConfigFile, QStringLiteral("shop.ntt"));

    QString tip;
    WhenModal([&tip](QWidget& modal) {
        auto* tips = qobject_cast<fTips*>(&modal);
        ASSERT_NE(tips, nullptr);
        tip = tips->TipCaption->text();
        tips->Command1->click();
    });
    window.HelpSearch->trigger();
    EXPECT_EQ(tip, QStringLiteral("First"));
    EXPECT_TRUE(MessagesAsked().isEmpty()) << MessagesAsked().join('|').toStdString();
}

TEST_F(ShellTest, SpawnStartsNothingWhenCancelledAndTellsWhenTheStartFails)
{
    Shell().ChooseConfiguration = [] {
        ConfigFile = QStringLiteral("   ");
        return QStringLiteral("   ");
    };
    window.puSpawn->trigger();
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(ConfigFile, QStringLiteral("shop.ntt"));
    EXPECT_TRUE(dialogs.asked.isEmpty());

    Shell().ChooseConfiguration = [] {
        ConfigFile = QStringLiteral("other.ntt");
        return ConfigFile;
    };
    Shell().StartProgram = [](const QString&, const QStringList&) { return false; };
    window.puSpawn->trigger();
    EXPECT_EQ(MessagesAsked(), QStringList{"Unable to start a new session with other.ntt"});
    EXPECT_EQ(ConfigFile, QStringLiteral("shop.ntt"));
}

TEST_F(ShellTest, SaveAsWritesTheNewNameOrRefusesIt)
{
    dialogs.answer(QStringLiteral("abc.txt"));
    window.saveasmnu->trigger();
    EXPECT_EQ(ConfigFile, QStringLiteral("abc.ntt"));
    EXPECT_FALSE(folder.read(QStringLiteral("abc.ntt")).isEmpty());
    ASSERT_FALSE(dialogs.asked.isEmpty());
    EXPECT_EQ(dialogs.asked.front().prompt, QStringLiteral("Enter the name of the new configuration:"));
    EXPECT_EQ(dialogs.asked.front().title, QStringLiteral("Save As"));

    // An empty answer does nothing.
    dialogs.asked.clear();
    dialogs.answer(QString());
    window.puSaveAs->trigger();
    EXPECT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(ConfigFile, QStringLiteral("abc.ntt"));

    for (const char* typed : {"../x", "/tmp/x", ".ntt", "a\\b"}) {
        dialogs.asked.clear();
        dialogs.answer(QLatin1String(typed));
        window.puSaveAs->trigger();
        EXPECT_EQ(ConfigFile, QStringLiteral("abc.ntt")) << typed;
        ASSERT_EQ(dialogs.asked.size(), 2) << typed;
        EXPECT_EQ(dialogs.asked[1].style, Dialogs::Exclamation) << typed;
        EXPECT_EQ(dialogs.asked[1].title, QStringLiteral("Save As")) << typed;
    }
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("../x.ntt"))));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/x.ntt")));
}

TEST_F(ShellTest, SaveAsOverAnExistingFileAsksFirst)
{
    folder.write(QStringLiteral("old.ntt"), "keep");
    dialogs.answer(QStringLiteral("old"));
    dialogs.answer(int(Dialogs::No));
    window.puSaveAs->trigger();
    EXPECT_EQ(ConfigFile, QStringLiteral("shop.ntt"));
    EXPECT_EQ(folder.read(QStringLiteral("old.ntt")), QByteArray("keep"));
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[1].prompt, QStringLiteral("This configuration file already exists.  Overwrite?"));
    EXPECT_EQ(dialogs.asked[1].style, 36);
    EXPECT_EQ(dialogs.asked[1].title, QStringLiteral("Save As"));

    dialogs.answer(QStringLiteral("OLD.ntt"));
    dialogs.answer(int(Dialogs::Yes));
    window.puSaveAs->trigger();
    EXPECT_EQ(ConfigFile, QStringLiteral("OLD.ntt"));
    EXPECT_GT(folder.read(QStringLiteral("OLD.ntt")).size(), 4);
}

TEST_F(ShellTest, SaveAsThatCannotWriteKeepsTheOldName)
{
    QDir(folder.path()).mkdir(QStringLiteral("taken.ntt")); // a folder: no file can be written there
    dialogs.answer(QStringLiteral("taken"));
    dialogs.answer(int(Dialogs::Yes));
    window.puSaveAs->trigger();
    EXPECT_EQ(ConfigFile, QStringLiteral("shop.ntt"));
    EXPECT_GE(MessagesAsked().size(), 2); // the overwrite question and the failure
}

TEST_F(ShellTest, HelpFileMissingOrNotOpenedIsReported)
{
    const QString guide = folder.file(QStringLiteral("userg2.html"));
    window.HelpContents->trigger();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(MessagesAsked(), QStringList{"Unable to open the help file " + guide});

    folder.write(QStringLiteral("userg2.html"), "<html></html>");
    Shell().OpenDocument = [](const QString&) { return false; };
    dialogs.asked.clear();
    window.HelpContents->trigger();
    EXPECT_EQ(MessagesAsked(), QStringList{"Unable to open the help file " + guide});
    EXPECT_EQ(dialogs.asked.front().style, Dialogs::Exclamation);
}

TEST_F(ShellTest, TheShippedGuideIsAPageOfItsOwn)
{
    QFile guide(QStringLiteral(ZOR_SOURCE_DIR "/resources/userg2.html"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QByteArray page = guide.readAll();
    EXPECT_TRUE(page.contains("<title>ZOR GUI User Guide</title>"));
    EXPECT_TRUE(QFile::exists(QStringLiteral(ZOR_BINARY_DIR "/userg2.html")));
}

TEST_F(ShellTest, ConsoleShowsItsBannerOnceAndHidesOnTheSecondCall)
{
    window.ConsoleText->ClearText();
    window.showConsole();
    EXPECT_FALSE(window.Console->isHidden());
    const QString banner = QStringLiteral("ZOR Suite ") + VersionNumber() + QStringLiteral(" Console");
    EXPECT_EQ(window.ConsoleText->Text(), banner + QStringLiteral("\n\n"));
    window.showConsole();
    EXPECT_TRUE(window.Console->isHidden());
    window.showConsole();
    EXPECT_EQ(window.ConsoleText->Text().count(banner), 1);
    EXPECT_EQ(window.ConsoleText->textCursor().position(), window.ConsoleText->document()->characterCount() - 1);

    // With the settings locked, an empty password opens nothing.
    window.Console->hide();
    Properties::instance().PropCheck[12]->setChecked(true);
    WhenModal([](QWidget& prompt) { static_cast<QDialog&>(prompt).done(0); });
    window.showConsole();
    EXPECT_TRUE(window.Console->isHidden());
    Properties::instance().PropCheck[12]->setChecked(false);
}

TEST_F(ShellTest, ClockShowsHoursAndMinutesAndTheBusyPictureTurns)
{
    QLabel& clock = *window.StatusPanels[7];
    static const QRegularExpression hhmm(QStringLiteral("^\\d\\d:\\d\\d$"));
    EXPECT_TRUE(hhmm.match(clock.text()).hasMatch()) << clock.text().toStdString();
    clock.setText(QStringLiteral("x"));
    QTest::qWait(50);
    EXPECT_EQ(clock.text(), QStringLiteral("x"));
    QMetaObject::invokeMethod(window.Timer1, "timeout");
    EXPECT_TRUE(hhmm.match(clock.text()).hasMatch()) << clock.text().toStdString();

    window.AnimFrame = 0;
    window.lWorking->hide();
    QMetaObject::invokeMethod(window.Timer2, "timeout");
    EXPECT_EQ(window.AnimFrame, 0);
    window.lWorking->show();
    QMetaObject::invokeMethod(window.Timer2, "timeout");
    EXPECT_EQ(window.AnimFrame, BusyFirstFrame + 1);
    window.lWorking->hide();
}

TEST_F(ShellTest, TenKeyFromTheToolbarOpensPinned)
{
    InputBackColor = 0x00FFFF; // yellow, red in the low byte
    TenKeyPinned = 0;
    window.Toolbar_ButtonClick(QStringLiteral("TenKey"));
    EXPECT_FALSE(window.frTenKey->isHidden());
    EXPECT_EQ(window.frTenKey->width(), 355);
    EXPECT_TRUE(window.frTenKey->title().isEmpty());
    for (int k = 14; k <= 21; ++k)
        EXPECT_TRUE(window.cbTenKey[static_cast<size_t>(k)]->isHidden()) << k;
    EXPECT_EQ(window.cbTenKey[12]->text(), QStringLiteral("E\nn\nt\ne\nr"));
    EXPECT_EQ(window.cbTenKey[10]->text(), QStringLiteral(".\n "));
    EXPECT_EQ(window.tbTenKey->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(TenKeyPinned, 1);
    TenKeyPinned = 0;
}

TEST(ScreenTextLayout, CaptionsAtTheirCellsButtonsLeftOut)
{
    const auto saved = Entities;
    const qint16 savedCount = EntityCount;
    Entities.fill(Entity{});
    const struct {
        qint16 kind, x, y;
        const char* caption;
    } screen[] = {
        {KindFieldCaption, 2, 3, "  Name  "}, {KindActionButton, 4, 4, "OK"},
        {KindSmallButton, 5, 5, "X"},         {KindBox, 0, 10, ""},
        {KindField, 79, 24, "Last"},
    };
    for (size_t i = 0; i < std::size(screen); ++i) {
        Entity& e = Entities[i];
        e.EntityType = screen[i].kind;
        e.X = screen[i].x;
        e.Y = screen[i].y;
        e.SetCaption(QString::fromLatin1(screen[i].caption));
    }
    Entities[5].SetCaption(QStringLiteral("beyond the count"));
    EntityCount = 5;
    const std::vector<PrintedText> expected = {{270, 900, "Name"}, {0, 3000, ""}, {79 * 135, 24 * 300, "Last"}};
    EXPECT_EQ(ScreenTextLayout(), expected);
    EntityCount = -1;
    EXPECT_TRUE(ScreenTextLayout().empty());
    Entities = saved;
    EntityCount = savedCount;
}

TEST_F(ShellTest, PrintingTheScreenToPdf)
{
    Entities[0].SetCaption(QStringLiteral("Counter 1"));
    Entities[0].EntityType = KindFieldCaption;
    EntityCount = 1;
    for (int option : {0, 1}) {
        const QString pdf = folder.file(QStringLiteral("screen%1.pdf").arg(option));
        ChoosePrintType(option);
        dialogs.answer(pdf);
        window.puPrint->trigger();
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << option;
        EXPECT_TRUE(file.read(5) == "%PDF-") << option;
        EXPECT_GT(file.size(), 500) << option;
    }
    EntityCount = 0;

    // Cancel in the chooser or in the printer dialog prints nothing and says nothing.
    ChoosePrintType(-1);
    window.puPrint->trigger();
    ChoosePrintType(1);
    dialogs.answer(QString());
    window.puPrint->trigger();
    EXPECT_TRUE(MessagesAsked().isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList({"*.pdf"}).size(), 2);

    // A printer that cannot start is reported.
    ChoosePrintType(1);
    dialogs.answer(folder.file(QStringLiteral("no/such/folder/x.pdf")));
    window.puPrint->trigger();
    ASSERT_EQ(MessagesAsked().size(), 1);
    EXPECT_EQ(dialogs.asked.back().title, QStringLiteral("Printer Error"));
}

TEST_F(ShellTest, ToolbarPrintHidesTheEditorAndInputBoxOnlyWhilePrinting)
{
    for (bool shown : {true, false}) {
        window.MVPic->setVisible(shown);
        window.INTextPic->setVisible(!shown);
        bool hiddenWhilePrinting = false;
        WhenModal([&](QWidget& modal) {
            hiddenWhilePrinting = window.MVPic->isHidden() && window.INTextPic->isHidden();
            qobject_cast<fPrintType*>(&modal)->Command2->click();
        });
        window.ToolbarButton(QStringLiteral("print"))->trigger();
        EXPECT_TRUE(hiddenWhilePrinting);
        EXPECT_EQ(window.MVPic->isHidden(), !shown);
        EXPECT_EQ(window.INTextPic->isHidden(), shown);
    }
    window.MVPic->hide();
    window.INTextPic->hide();
}
