#include "settings/Properties.h"
#include "app/StartUp.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Twips.h"
#include "session/fConnection.h"
#include "settings/ConfigFile.h"
#include "settings/ControlColours.h"
#include "tests/support/PipeReaderWatch.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace zor;

namespace {

// A configuration of a normal window 600 x 400 pixels at 30, 45.
QByteArray SampleConfig(qint16 state = 0)
{
    SavedWindowWidth = static_cast<float>(PixelsToTwips(600));
    SavedWindowHeight = static_cast<qint16>(PixelsToTwips(400));
    OldUserName = QStringLiteral("OLDUSER1");
    Settings = SessionSettings();
    Settings.HostName = FixedWidth(QStringLiteral("shop.host"), SessionSettings::HostNameWidth);
    Settings.Port = 2323;
    Settings.BackColor = 0x0000FF;
    Settings.UseGradient = VbTrue;
    Settings.BackStretched = VbTrue;
    Settings.GradChannel2 = VbTrue;
    InputForeColor = 0x00FF00;
    InputBackColor = 0x000080;
    HostDescription = FixedWidth(QStringLiteral("Main shop"), 50);
    SecureConnection = VbTrue;
    SuppressLF = 0;
    ExitOnDisconnect = VbTrue;
    EntityAttrs[KindOptionButton].TrimMode = 3;
    LastUser = FixedWidth(QStringLiteral("clerk"), ConfigLastUserWidth);
    ConfigWindowItems window;
    window.FontName = FixedWidth(QStringLiteral("DejaVu Sans"), ConfigFontNameWidth);
    window.FontBold = VbTrue;
    window.Left = static_cast<qint16>(PixelsToTwips(30));
    window.Top = static_cast<qint16>(PixelsToTwips(45));
    window.WindowState = state;
    return WriteConfig(window);
}

// The sample written as the session's configuration and loaded.
Properties& LoadSample(const test::ProgramFolderScope& home, const char* name)
{
    ConfigFile = QLatin1String(name);
    home.write(ConfigFile, SampleConfig());
    Properties& p = Properties::instance();
    p.LoadINI();
    return p;
}

} // namespace

TEST(Properties, LoadFillsTheSessionWindowAndTheSettingsWindow)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    home.write(QStringLiteral("termid.dat"), "T42\r\n");
    TermId.clear();
    Properties& p = LoadSample(home, "shop.ntt");
    fConnection& session = fConnection::instance();

    EXPECT_EQ(session.x(), 30);
    EXPECT_EQ(session.y(), 45);
    EXPECT_EQ(session.size(), QSize(600, 400));
    EXPECT_EQ(session.WorkFont.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(session.WorkFont.bold());
    EXPECT_EQ(session.INText->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(session.MainPic->DrawFont.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(session.ILList[0]->font().bold());
    EXPECT_EQ(session.INText->palette().color(QPalette::Text), QColor(0, 255, 0));
    EXPECT_EQ(session.ConsoleText->palette().color(QPalette::Base), QColor(128, 0, 0));
    EXPECT_EQ(session.lvMainPic->BackColor(), QColor(255, 0, 0));
    EXPECT_EQ(session.windowTitle(), QStringLiteral("ZOR [shop]  v") + VersionNumber() + VersionSuffix);
    EXPECT_EQ(SessionTitle, QStringLiteral("ZOR v") + VersionNumber() + QStringLiteral(" [shop.ntt]") + VersionSuffix);

    EXPECT_EQ(p.PropText[0]->text(), QStringLiteral("shop.host"));
    EXPECT_EQ(Settings.HostName, QStringLiteral("shop.host"));
    EXPECT_EQ(p.PropText[1]->text(), QStringLiteral("2323"));
    EXPECT_EQ(p.PropText[4]->text(), QStringLiteral("Main shop"));
    EXPECT_EQ(p.PropText[5]->text(), QStringLiteral("T42"));
    EXPECT_EQ(TermId, QStringLiteral("T42"));
    EXPECT_TRUE(p.PropCheck[2]->isChecked());
    EXPECT_FALSE(p.PropCheck[1]->isChecked());
    EXPECT_TRUE(p.PropCheck[4]->isChecked());
    EXPECT_FALSE(p.PropCheck[3]->isChecked());
    const bool placements[] = {false, false, true, false};
    for (int i = 0; i < PropOptionSlots; ++i)
        EXPECT_EQ(p.PropOption[i]->isChecked(), placements[i]) << i;
    EXPECT_TRUE(p.cbSecureConnection->isChecked());
    EXPECT_FALSE(p.cbSuppressLF->isChecked());
    EXPECT_TRUE(p.cbExitMode->isChecked());
    EXPECT_EQ(BackColor(*p.PropClr[1]), 0x0000FF);
    EXPECT_EQ(BackColor(*p.PropClr[6]), 0x00FF00);
    EXPECT_EQ(BackColor(*p.PropClr[7]), 0x000080);
    EXPECT_EQ(BackColor(*p.Label2), 0x000080);
    EXPECT_EQ(EntityAttrs[KindOptionButton].TrimMode, 0);
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST(Properties, WindowSizeFromTheFileStaysWithinTheScreen)
{
    test::ProgramFolderScope home;
    ConfigFile = QStringLiteral("wide.ntt");
    SampleConfig();
    SavedWindowWidth = 1e6f;
    SavedWindowHeight = 32767;
    home.write(ConfigFile, WriteConfig({}));
    Properties::instance().LoadINI();
    fConnection& session = fConnection::instance();
    const QSize room = session.screen()->availableGeometry().size();
    EXPECT_EQ(session.size(), room);
    EXPECT_EQ(session.MainPic->size(), session.MainPic->size().boundedTo(room));
}

TEST(Properties, MissingOrShortFileKeepsEarlierValuesSilently)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    fConnection& session = fConnection::instance();
    Properties& p = Properties::instance();
    session.resize(640, 480);

    struct Case {
        const char* name;
        int cut; // -1: no file at all
    };
    // The short file ends inside the attribute records.
    for (const Case c : {Case{"gone.ntt", -1}, Case{"short.ntt", 600}}) {
        ConfigFile = QLatin1String(c.name);
        const QByteArray whole = SampleConfig();
        if (c.cut >= 0)
            home.write(ConfigFile, whole.left(c.cut));
        SavedWindowWidth.reset();
        SavedWindowHeight = 0;
        HostDescription = QStringLiteral("kept");
        EncryptScripts = VbTrue;
        Settings.Port = 99;
        session.setWindowTitle(QStringLiteral("before"));

        p.LoadINI();
        EXPECT_EQ(HostDescription, QStringLiteral("kept")) << c.name;
        EXPECT_EQ(EncryptScripts, VbTrue) << c.name;
        EXPECT_EQ(Settings.Port, c.cut < 0 ? 99 : 2323) << c.name;
        EXPECT_EQ(p.PropText[4]->text(), QStringLiteral("kept")) << c.name;
        // The later steps still ran.
        EXPECT_TRUE(session.windowTitle().startsWith(QStringLiteral("ZOR ["))) << c.name;
        EXPECT_TRUE(SessionTitle.contains(ConfigFile)) << c.name;
        if (c.cut < 0)
            EXPECT_EQ(session.size(), QSize(640, 480)) << c.name;
        else
            EXPECT_EQ(session.size(), QSize(600, 400)) << c.name;
    }
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST(Properties, MaximisedWindowSavesTheRememberedNormalSize)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    Properties& p = LoadSample(home, "max.ntt");
    fConnection& session = fConnection::instance();
    session.showMaximized();
    ASSERT_TRUE(session.windowState() & Qt::WindowMaximized);
    for (int i = 0; i < 100 && session.size() == QSize(600, 400); ++i)
        QTest::qWait(10);
    ASSERT_NE(session.size(), QSize(600, 400));

    ASSERT_TRUE(p.SaveINI());
    const QByteArray saved = home.read(ConfigFile);
    ASSERT_EQ(saved.size(), ConfigSizeWithWidth);
    SavedWindowWidth.reset();
    SavedWindowHeight = 0;
    ConfigWindowItems window;
    ASSERT_EQ(ReadConfig(saved, window), ConfigItemCount);
    EXPECT_EQ(window.WindowState, 2);
    EXPECT_EQ(SavedWindowWidth, static_cast<float>(PixelsToTwips(600)));
    EXPECT_EQ(SavedWindowHeight, PixelsToTwips(400));

    // Loading restores the normal size, then maximises.
    session.setWindowState(Qt::WindowNoState);
    session.resize(300, 200);
    p.LoadINI();
    EXPECT_TRUE(session.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(session.normalGeometry().size(), QSize(600, 400));
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST(Properties, SaveWritesTheFileAndCompanionsThatLoadBack)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    Properties& p = LoadSample(home, "round.ntt");
    fConnection& session = fConnection::instance();
    session.setWindowState(Qt::WindowNoState);
    session.resize(700, 500);
    TermId = QStringLiteral("POS7");
    UseScreenCache = 0;
    KioskMode = VbTrue;

    ASSERT_TRUE(p.SaveINI());
    EXPECT_EQ(home.read(QStringLiteral("cacheval.dat")), QByteArray("0\r\n"));
    EXPECT_EQ(home.read(QStringLiteral("termid.dat")), QByteArray("POS7\r\n"));
    EXPECT_EQ(home.read(ConfigFile).size(), ConfigSizeWithWidth);

    KioskMode = 0;
    TermId.clear();
    session.resize(100, 100);
    p.LoadINI();
    EXPECT_EQ(KioskMode, VbTrue);
    EXPECT_EQ(TermId, QStringLiteral("POS7"));
    EXPECT_EQ(session.size(), QSize(700, 500));
    EXPECT_EQ(session.WorkFont.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST(Properties, FailedSaveIsReportedAndTheOldFileStays)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    home.write(QStringLiteral("folder"), "a file, not a folder");
    ConfigFile = QStringLiteral("folder/shop.ntt");
    EXPECT_FALSE(Properties::instance().SaveINI());
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].style, 16);
    EXPECT_TRUE(dialogs.asked[0].prompt.contains(QStringLiteral("shop.ntt")));
    EXPECT_EQ(home.read(QStringLiteral("folder")), QByteArray("a file, not a folder"));
}

TEST(Properties, FirstUseAndEveryUseAfterUnloadLoadTheConfiguration)
{
    test::ProgramFolderScope home;
    ConfigFile = QStringLiteral("first.ntt");
    SampleConfig();
    Settings.HostName = QStringLiteral("first.host");
    home.write(ConfigFile, WriteConfig({}));
    Properties::instance().Unload();
    EXPECT_EQ(Properties::instance().PropText[0]->text(), QStringLiteral("first.host"));

    Settings.HostName = QStringLiteral("second.host");
    home.write(ConfigFile, WriteConfig({}));
    EXPECT_EQ(Properties::instance().PropText[0]->text(), QStringLiteral("first.host"));
    Properties::instance().Unload();
    EXPECT_EQ(Properties::instance().PropText[0]->text(), QStringLiteral("second.host"));
}

TEST(Properties, StartUpLoadsTheNamedConfigurationBeforeShowingTheWindow)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    home.write(QStringLiteral("start.ntt"), SampleConfig());
    home.write(QStringLiteral("cacheval.dat"), "0\r\n");
    Settings = SessionSettings();
    ASSERT_TRUE(Main(QStringLiteral("start.ntt")));
    fConnection& session = fConnection::instance();
    EXPECT_TRUE(session.isVisible());
    EXPECT_EQ(session.size(), QSize(600, 400));
    EXPECT_EQ(session.windowTitle(), QStringLiteral("ZOR [start]  v") + VersionNumber() + VersionSuffix);
    EXPECT_EQ(Properties::instance().PropText[0]->text(), QStringLiteral("shop.host"));
    EXPECT_EQ(UseScreenCache, 0);
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST(Properties, BackdropPictureLoadsOrLeavesThePreviewsAlone)
{
    test::ProgramFolderScope home;
    ConfigFile = QStringLiteral("pic.ntt");
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QString path = home.file(QStringLiteral("back.png"));
    ASSERT_TRUE(picture.save(path));
    Properties& p = Properties::instance();
    fConnection& session = fConnection::instance();

    SampleConfig();
    Settings.BackImageFile = FixedWidth(path, SessionSettings::BackImageFileWidth);
    home.write(ConfigFile, WriteConfig({}));
    p.LoadINI();
    EXPECT_EQ(Settings.BackImageFile, path);
    EXPECT_EQ(p.bImage[0]->property("Tag").toString(), path);
    EXPECT_EQ(session.BackImage.size(), QSize(4, 3));

    Settings.BackImageFile = home.file(QStringLiteral("missing.bmp"));
    home.write(ConfigFile, WriteConfig({}));
    p.LoadINI();
    EXPECT_EQ(p.bImage[0]->property("Tag").toString(), path);
    EXPECT_EQ(session.BackImage.size(), QSize(4, 3));

    // A pipe is never opened: it could hold the start-up without end.
    const test::PipeReaderWatch pipe(home.file(QStringLiteral("pipe.bmp")));
    ASSERT_TRUE(pipe.Made());
    Settings.BackImageFile = home.file(QStringLiteral("pipe.bmp"));
    home.write(ConfigFile, WriteConfig({}));
    p.LoadINI();
    EXPECT_FALSE(pipe.ReaderCame());
    EXPECT_EQ(session.BackImage.size(), QSize(4, 3));
}
