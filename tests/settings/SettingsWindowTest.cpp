#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Twips.h"
#include "devices/ModPrinter.h"
#include "session/KeyboardHandler.h"
#include "session/WindowChange.h"
#include "session/fConnection.h"
#include "settings/ComPortOptions.h"
#include "settings/CompanionFiles.h"
#include "settings/ConfigFile.h"
#include "settings/ControlColours.h"
#include "settings/Properties.h"
#include "tests/support/RawPrinterRecorder.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace zor;

namespace {

// Where the items sit in a configuration file with a window width.
constexpr int SettingsAt = 74;
constexpr int HostAt = SettingsAt + 14;
constexpr int PortAt = SettingsAt + 46;
constexpr int GradientAt = SettingsAt + 48;
constexpr int TiledAt = SettingsAt + 54;
constexpr int StretchedAt = SettingsAt + 56;
constexpr int ChannelsAt = SettingsAt + 160;
constexpr int DescriptionAt = 998;
constexpr int SecureAt = 1058;
constexpr int SuppressLFAt = 1062;
constexpr int ExitAt = 1064;

void Patch(QByteArray& file, int at, const QByteArray& bytes)
{
    file.replace(at, bytes.size(), bytes);
}

QByteArray Int16(qint16 value)
{
    return QByteArray(1, static_cast<char>(value & 0xFF)) + QByteArray(1, static_cast<char>((value >> 8) & 0xFF));
}

QByteArray Padded(const char* text, int width)
{
    return QByteArray(text).leftJustified(width, ' ');
}

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ConfigFile = QStringLiteral("shop.ntt");
        SavedWindowWidth = static_cast<float>(PixelsToTwips(600));
        SavedWindowHeight = static_cast<qint16>(PixelsToTwips(400));
        Settings = SessionSettings();
        Settings.HostName = FixedWidth(QStringLiteral("shop.host"), SessionSettings::HostNameWidth);
        Settings.Port = 2323;
        Settings.BackColor = 0x0000FF;
        Settings.BackStretched = VbTrue;
        Settings.NoBackImage = 1; // as an earlier Apply stored a ticked box
        HostDescription = QStringLiteral("Main shop");
        SecureConnection = 1;
        SuppressLF = 0;
        ExitOnDisconnect = 0;
        KioskMode = 0;
        TabletMode = 0;
        SendFunKeys = 0;
        EncryptScripts = 0;
        ConfigWindowItems window;
        window.FontName = FixedWidth(QStringLiteral("DejaVu Sans"), ConfigFontNameWidth);
        window.Left = static_cast<qint16>(PixelsToTwips(30));
        window.Top = static_cast<qint16>(PixelsToTwips(45));
        original = WriteConfig(window);
        home.write(ConfigFile, original);
        home.write(QStringLiteral("termid.dat"), "T42\r\n");
        home.write(QStringLiteral("cacheval.dat"), "1\r\n");
        fConnection::instance().setWindowState(Qt::WindowNoState);
        Open();
    }
    void TearDown() override
    {
        p->Unload();
        EnableFunctionKeys(false);
    }
    // The window loaded afresh from the files, as a user opens it.
    void Open()
    {
        Properties::instance().Unload();
        p = &Properties::instance();
    }
    QByteArray config() const { return home.read(ConfigFile); }

    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    QByteArray original;
    Properties* p = nullptr;
};

TEST_F(SettingsWindowTest, ApplyWritesBackTheFileAsItWasOrWithEachChangeInItsBytes)
{
    // A preview left from an earlier configuration is no picture chosen here.
    p->bImage[0]->setProperty("Tag", QStringLiteral("/elsewhere/old.bmp"));
    Open();
    EXPECT_EQ(p->PropText[0]->text(), QStringLiteral("shop.host"));
    EXPECT_FALSE(p->OptionsButt[0]->isEnabled());
    p->OptionsButt_Click(0);
    EXPECT_EQ(config(), original);
    EXPECT_TRUE(dialogs.asked.isEmpty());

    p->PropText[0]->setText(QStringLiteral("other.host"));
    p->PropText[1]->setText(QStringLiteral("60000"));
    QTest::keyClick(p->PropText[4], Qt::Key_End);
    QTest::keyClicks(p->PropText[4], QStringLiteral(" 2"));
    EXPECT_TRUE(p->OptionsButt[0]->isEnabled());
    p->PropText[5]->setText(QStringLiteral("POS7"));
    p->PropCheck[2]->setChecked(true);  // gradient
    p->PropCheck[5]->setChecked(true);  // blue channel
    p->PropOption[1]->setChecked(true); // tiled
    p->cbSecureConnection->setChecked(false);
    p->cbSuppressLF->setChecked(true);
    p->cbExitMode->click();
    p->OptionsButt_Click(0);

    QByteArray expected = original;
    Patch(expected, HostAt, Padded("other.host", 30));
    Patch(expected, PortAt, Int16(static_cast<qint16>(60000)));
    Patch(expected, GradientAt, Int16(VbTrue));
    Patch(expected, TiledAt, Int16(VbTrue));
    Patch(expected, StretchedAt, Int16(0));
    Patch(expected, ChannelsAt + 4, Int16(VbTrue));
    Patch(expected, DescriptionAt, Padded("Main shop 2", 50));
    Patch(expected, SecureAt, Int16(0));
    Patch(expected, SuppressLFAt, Int16(VbTrue));
    Patch(expected, ExitAt, Int16(VbTrue));
    EXPECT_EQ(config().toHex(' '), expected.toHex(' '));
    EXPECT_EQ(home.read(QStringLiteral("termid.dat")), QByteArray("POS7\r\n"));
    EXPECT_FALSE(p->OptionsButt[0]->isEnabled());
    EXPECT_TRUE(dialogs.asked.isEmpty());

    Open();
    EXPECT_EQ(p->PropText[1]->text(), QStringLiteral("60000"));
    EXPECT_EQ(p->PropText[4]->text(), QStringLiteral("Main shop 2"));
}

TEST_F(SettingsWindowTest, ABadFieldIsNamedAndNothingIsAppliedOrSaved)
{
    const QString longPath = QStringLiteral("/") + QString(100, QLatin1Char('p'));
    const struct {
        const char* name;
        std::function<void(Properties&)> type;
        const char* named; // the refusal names the field
    } cases[] = {
        {"port past 16 bits", [](Properties& w) { w.PropText[1]->setText(QStringLiteral("70000")); }, "Port:"},
        {"port not a number", [](Properties& w) { w.PropText[1]->setText(QStringLiteral("abc")); }, "Port:"},
        {"port zero", [](Properties& w) { w.PropText[1]->setText(QStringLiteral("0")); }, "Port:"},
        {"port empty", [](Properties& w) { w.PropText[1]->clear(); }, "Port:"},
        {"port signed", [](Properties& w) { w.PropText[1]->setText(QStringLiteral("-23")); }, "Port:"},
        {"port with text", [](Properties& w) { w.PropText[1]->setText(QStringLiteral("23a")); }, "Port:"},
        {"host beyond Latin-1", [](Properties& w) { w.PropText[0]->setText(QStringLiteral("h\u20AC")); },
         "Name/Address:"},
        {"description beyond Latin-1", [](Properties& w) { w.PropText[4]->setText(QStringLiteral("d\u20AC")); },
         "Description"},
        {"description leaving the folder", [](Properties& w) { w.PropText[4]->setText(QStringLiteral("../shop")); },
         "Description"},
        {"terminal id beyond Latin-1", [](Properties& w) { w.PropText[5]->setText(QStringLiteral("t\u20AC")); },
         "Terminal Identification"},
        {"picture path of 101 characters", [&longPath](Properties& w) { w.bImage[0]->setProperty("Tag", longPath); },
         "Backdrop Image:"},
    };
    for (const auto& c : cases) {
        for (int close : {0, 2}) {
            p->bImage[0]->setProperty("Tag", QString());
            Open();
            p->show();
            dialogs.asked.clear();
            // Good edits beside the bad one are not applied either.
            p->PropText[0]->setText(QStringLiteral("new.host"));
            p->cbSuppressLF->setChecked(true);
            c.type(*p);
            p->OptionsButt[0]->setEnabled(true);
            p->OptionsButt_Click(close);

            ASSERT_EQ(dialogs.asked.size(), 1) << c.name;
            EXPECT_TRUE(dialogs.asked[0].prompt.contains(QLatin1String(c.named)))
                << dialogs.asked[0].prompt.toStdString();
            EXPECT_EQ(config(), original) << c.name;
            EXPECT_EQ(Trim(Settings.HostName), QStringLiteral("shop.host")) << c.name;
            EXPECT_EQ(Settings.Port, 2323) << c.name;
            EXPECT_EQ(SuppressLF, 0) << c.name;
            EXPECT_EQ(TermId, QStringLiteral("T42")) << c.name;
            EXPECT_TRUE(p->isVisible()) << c.name;
            EXPECT_TRUE(p->OptionsButt[0]->isEnabled()) << c.name;
        }
    }
}

TEST_F(SettingsWindowTest, AFailedSaveKeepsApplyEnabledAndTheWindowOpen)
{
    p->show();
    p->PropText[0]->setText(QStringLiteral("kept.host"));
    p->OptionsButt[0]->setEnabled(true);
    // A folder where the configuration file should be: it cannot be replaced.
    QFile::remove(home.file(ConfigFile));
    ASSERT_TRUE(QDir(home.path()).mkdir(ConfigFile));

    for (int button : {0, 2}) {
        dialogs.asked.clear();
        p->OptionsButt_Click(button);
        EXPECT_FALSE(dialogs.asked.isEmpty()) << button;
        EXPECT_TRUE(p->OptionsButt[0]->isEnabled()) << button;
        EXPECT_TRUE(p->isVisible()) << button;
        EXPECT_EQ(p->PropText[0]->text(), QStringLiteral("kept.host")) << button;
    }
}

TEST_F(SettingsWindowTest, CancelKeepsTheImmediateSwitchesButSavesNothing)
{
    home.write(QStringLiteral("response.dat"), "hi=there\r\n");
    Open();
    p->show();
    p->cbExitMode->click();
    p->cbTablet->click();
    p->setKiosk->click();
    p->Check1->click();
    QTest::keyClicks(p->breakChar, QStringLiteral("27"));
    p->PropText[0]->setText(QStringLiteral("not.applied"));
    p->OptionsButt_Click(1);

    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(ExitOnDisconnect, VbTrue);
    EXPECT_EQ(TabletMode, VbTrue);
    EXPECT_EQ(KioskMode, VbTrue);
    EXPECT_EQ(UseScreenCache, 0);
    EXPECT_EQ(BreakChar, 27);
    EXPECT_EQ(Trim(Settings.HostName), QStringLiteral("shop.host"));
    EXPECT_EQ(config(), original);
    EXPECT_EQ(home.read(QStringLiteral("cacheval.dat")), QByteArray("1\r\n"));

    // A break key typed as anything but a key code keeps the last good one.
    Open();
    EXPECT_EQ(p->breakChar->text(), QStringLiteral("27"));
    for (const char* typed : {"x", "-1", "", " "}) {
        p->breakChar->clear();
        QTest::keyClicks(p->breakChar, QLatin1String(typed));
        EXPECT_EQ(BreakChar, 27) << typed;
    }
}

TEST_F(SettingsWindowTest, EscIsCancelAndTheNextOpeningReadsTheFileAgain)
{
    p->show();
    QApplication::setActiveWindow(p);
    ASSERT_TRUE(QTest::qWaitForWindowActive(p));
    p->PropText[0]->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(".typed"));
    ASSERT_EQ(p->PropText[0]->text(), QStringLiteral("shop.host.typed"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(p->isVisible());

    // Opened again as the program does, with no unloading of its own.
    p = &Properties::instance();
    EXPECT_EQ(p->PropText[0]->text(), QStringLiteral("shop.host"));
    EXPECT_FALSE(p->OptionsButt[0]->isEnabled());
    p->OptionsButt_Click(2);
    EXPECT_TRUE(config() == original);
}

TEST_F(SettingsWindowTest, EncryptScriptsRewritesTheThreeListsAndLeavesTheShownTab)
{
    p->SSTab2->setCurrentIndex(0);
    ASSERT_FALSE(QFile::exists(home.file(QStringLiteral("response.dat"))));
    p->PropEncrypt->click();
    EXPECT_EQ(EncryptScripts, VbTrue);
    for (const char* name : {"response.dat", "Main shop.dat", "Main shop-accounts.dat"}) {
        EXPECT_TRUE(QFile::exists(home.file(QLatin1String(name)))) << name;
        EXPECT_EQ(home.read(QLatin1String(name)), QByteArray()) << name;
    }
    EXPECT_EQ(p->SSTab2->currentIndex(), 0);
}

TEST_F(SettingsWindowTest, LoadingTwiceLeavesTheReplyFilesAndTheHookAlone)
{
    // Plain lines under the enciphering switch: a load that ran the switch's
    // handler would rewrite them enciphered.
    EncryptScripts = VbTrue;
    SendFunKeys = VbTrue;
    ConfigWindowItems window;
    window.Left = static_cast<qint16>(PixelsToTwips(30));
    window.Top = static_cast<qint16>(PixelsToTwips(45));
    home.write(ConfigFile, WriteConfig(window));
    const QStringList files = {"response.dat", "Main shop.dat", "Main shop-accounts.dat"};
    for (const QString& name : files)
        home.write(name, "plain=line\r\n");
    const QDateTime written = QFileInfo(home.file(files[0])).lastModified();

    Open();
    ASSERT_TRUE(IsKeyboardHooked());
    Open();
    EXPECT_TRUE(p->PropEncrypt->isChecked());
    EXPECT_TRUE(p->sendFunKeys->isChecked());
    EXPECT_TRUE(IsKeyboardHooked());
    for (const QString& name : files)
        EXPECT_EQ(home.read(name), QByteArray("plain=line\r\n")) << name.toStdString();
    EXPECT_EQ(QFileInfo(home.file(files[0])).lastModified(), written);
    EXPECT_EQ(p->SSTab2->currentIndex(), 0);
    EXPECT_FALSE(p->OptionsButt[0]->isEnabled());

    // The user's click alone takes the hook away.
    p->sendFunKeys->click();
    EXPECT_FALSE(IsKeyboardHooked());
    EXPECT_EQ(SendFunKeys, 0);
}

TEST_F(SettingsWindowTest, ClearCacheAsksThenRemovesOnlyCachedScreens)
{
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("cache")));
    home.write(QStringLiteral("cache/a.bef"), "x");
    home.write(QStringLiteral("cache/keep.txt"), "x");

    dialogs.answer(Dialogs::No);
    p->Command4->click();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].prompt, QStringLiteral("Are you sure to want to clear the cache files?"));
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Clear Cache"));
    EXPECT_EQ(dialogs.asked[0].style, 36);
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("cache/a.bef"))));

    dialogs.answer(Dialogs::Yes);
    p->Command4->click();
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("cache/a.bef"))));
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("cache/keep.txt"))));

    QDir(home.file(QStringLiteral("cache"))).removeRecursively();
    dialogs.answer(Dialogs::Yes);
    p->Command4->click();
    EXPECT_EQ(dialogs.asked.size(), 3);
}

TEST_F(SettingsWindowTest, PrinterFrameStepsTheTypesAndOffersThePortPrinterToTwo)
{
    test::RawPrinterScope printers;
    printers->printers = {QStringLiteral("Laser"), QStringLiteral("Label")};
    PrinterMap = {};
    PrinterMap[0] = 7; // a printer gone since the map was saved
    Open();
    EXPECT_EQ(p->cbPrinterSelect->currentIndex(), 0);
    EXPECT_EQ(p->cbPrinterSelect->currentText(), QStringLiteral("Laser"));
    EXPECT_EQ(p->lblPrinterType->text(), QStringLiteral("  Receipt Printer"));

    p->udPrinterType->stepDown();
    EXPECT_EQ(CurrentPrinterType, 0);

    p->cbPrinterSelect->setCurrentIndex(2);
    p->cbPrinterSelect_Click();
    EXPECT_EQ(MappedPrinter(0), ComPortPrinterName);
    EXPECT_TRUE(p->CmndBtnOptions->isEnabled());
    EXPECT_TRUE(UseComPortDriver);
    bool optionsShown = false;
    QTimer::singleShot(0, [&] {
        optionsShown = ComPortOptions::instance().isVisible();
        ComPortOptions::instance().BtnOK->click();
    });
    p->CmndBtnOptions->click();
    EXPECT_TRUE(optionsShown);

    const struct {
        int type;
        bool offersPort;
    } types[] = {{1, false}, {2, false}, {3, true}, {4, false}, {8, false}};
    for (const auto& t : types) {
        p->udPrinterType->setValue(t.type);
        EXPECT_EQ(CurrentPrinterType, t.type);
        EXPECT_EQ(p->lblPrinterType->text(), QStringLiteral("  ") + PrinterTypes[t.type]) << t.type;
        EXPECT_EQ(p->cbPrinterSelect->findText(ComPortPrinterName) >= 0, t.offersPort) << t.type;
    }
    p->udPrinterType->stepUp();
    EXPECT_EQ(CurrentPrinterType, 8);

    p->udPrinterType->setValue(1);
    p->cbPrinterSelect->setCurrentIndex(1);
    p->cbPrinterSelect_Click();
    EXPECT_EQ(MappedPrinter(1), QStringLiteral("Label"));
    EXPECT_FALSE(p->CmndBtnOptions->isEnabled());
    // The receipt printer alone decides the receipt port.
    EXPECT_TRUE(UseComPortDriver);
}

TEST_F(SettingsWindowTest, AWindowSavedOffEveryScreenOpensOnThePrimaryOne)
{
    fConnection& session = fConnection::instance();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        QPoint saved;
        bool kept;
    } cases[] = {{{30, 45}, true}, {{133, 2033}, false}, {{-3000, 40}, false}};
    for (const auto& c : cases) {
        ConfigWindowItems window;
        window.Left = static_cast<qint16>(PixelsToTwips(c.saved.x()));
        window.Top = static_cast<qint16>(PixelsToTwips(c.saved.y()));
        home.write(ConfigFile, WriteConfig(window));
        Open();
        if (c.kept)
            EXPECT_EQ(session.pos(), c.saved);
        else
            EXPECT_TRUE(screen.contains(QRect(session.pos(), session.size()).topLeft())) << c.saved.y();
    }
}

} // namespace
