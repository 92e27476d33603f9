#include "app/StartUp.h"
#include "core/SharedState.h"
#include "core/WindowUtils.h"
#include "session/ShellLink.h"
#include "session/fConnection.h"
#include "settings/ConfigFile.h"
#include "settings/fSpawn.h"
#include "tests/support/TestSupport.h"

#include <QListWidget>
#include <gtest/gtest.h>

using namespace zor;

TEST(StartUp, CommandLineBlanksOnlyIsEmptyOtherwiseUntrimmed)
{
    EXPECT_EQ(CommandLineConfig({"zor"}), QString());
    EXPECT_EQ(CommandLineConfig({"zor", "   "}), QString());
    EXPECT_EQ(CommandLineConfig({"zor", " default.ntt "}), QStringLiteral(" default.ntt "));
    EXPECT_EQ(CommandLineConfig({"zor", "my", "shop.ntt"}), QStringLiteral("my shop.ntt"));
}

TEST(StartUp, CacheValueFromFileElseOn)
{
    test::ProgramFolderScope home;
    UseScreenCache = 7;
    LoadCacheValue();
    EXPECT_EQ(UseScreenCache, 1);
    home.write(QStringLiteral("cacheval.dat"), "0\r\n");
    LoadCacheValue();
    EXPECT_EQ(UseScreenCache, 0);
}

TEST(StartUp, StartValues)
{
    MsgBoxUp = InputPending = ItemListUp = true;
    ShadowOn = 0;
    TraceMaxLines = 5;
    SetStartValues();
    EXPECT_FALSE(MsgBoxUp || InputPending || ItemListUp);
    EXPECT_EQ(ShadowOn, VbTrue);
    EXPECT_EQ(TraceMaxLines, 30000);
    EXPECT_EQ(DefaultFontScale.raw, 10000);
    EXPECT_EQ(ComPortPrinterName, QStringLiteral("Com Port Printer"));
    EXPECT_EQ(VersionSuffix, QStringLiteral("1"));
}

TEST(StartUp, AMissingConfigurationStartsFromTheDefaults)
{
    test::ProgramFolderScope home;
    Settings = SessionSettings();
    ASSERT_TRUE(Main(QStringLiteral("missing.ntt")));
    EXPECT_EQ(ConfigFile, QStringLiteral("missing.ntt"));
    EXPECT_EQ(Settings.Port, 23);
    EXPECT_EQ(Settings.BackTiled, VbTrue);
    EXPECT_EQ(Settings.BackColor, 0xC0C0C0);
}

namespace {

// Stands in for the start-up windows: counts them, and the launcher gives
// the answer set.
struct StartUpWindowsScope {
    ShellLink previous = Shell();
    int splashes = 0;
    int launchers = 0;
    int tips = 0;
    QString choice;
    StartUpWindowsScope()
    {
        Shell().ShowSplash = [this] { ++splashes; };
        Shell().ChooseConfiguration = [this] {
            ++launchers;
            return choice;
        };
        Shell().ShowTips = [this] { ++tips; };
    }
    ~StartUpWindowsScope() { Shell() = previous; }
};

} // namespace

TEST(StartUp, WithoutANameTheSplashAndTheLauncherChoose)
{
    struct Case {
        const char* commandLine;
        const char* choice;
        bool started;
        const char* config;
        int launchers;
    };
    const Case cases[] = {
        {"", "", false, "", 1},
        {"   ", "", false, "", 1},
        {"", "shop.ntt", true, "shop.ntt", 1},
        {" default.ntt ", "", true, " default.ntt ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        test::ProgramFolderScope home;
        StartUpWindowsScope windows;
        windows.choice = QString::fromLatin1(c.choice);
        ConfigFile.clear();
        EXPECT_EQ(Main(QString::fromLatin1(c.commandLine)), c.started);
        EXPECT_EQ(ConfigFile, QString::fromLatin1(c.config));
        EXPECT_EQ(windows.launchers, c.launchers);
        EXPECT_EQ(windows.splashes, c.launchers);
    }
}

TEST(StartUp, WithoutANameTheRealLauncherStartsTheConfigurationChosenInIt)
{
    test::ProgramFolderScope home;
    home.write(QStringLiteral("alpha.ntt"), "");
    home.write(QStringLiteral("shop.ntt"), "");
    StartUpWindowsScope windows;
    Shell().ChooseConfiguration = windows.previous.ChooseConfiguration;
    QStringList listed;
    test::WhenModal([&listed](QWidget& modal) {
        auto* launcher = qobject_cast<fSpawn*>(&modal);
        ASSERT_NE(launcher, nullptr);
        listed = ListItems(*launcher->File1);
        launcher->File1_DblClick(launcher->File1->item(1));
    });
    ConfigFile.clear();
    ASSERT_TRUE(Main(QString()));
    EXPECT_EQ(listed, (QStringList{"alpha.ntt", "shop.ntt"}));
    EXPECT_EQ(ConfigFile, QStringLiteral("shop.ntt"));
    EXPECT_EQ(windows.splashes, 1);
    EXPECT_TRUE(fConnection::instance().isVisible());
}

TEST(StartUp, NoConfigurationChosenEndsWithoutTheSessionWindow)
{
    test::ProgramFolderScope home;
    StartUpWindowsScope windows;
    EXPECT_FALSE(Main(QString()));
    EXPECT_FALSE(fConnection::instance().isVisible());
}

TEST(StartUp, TipsShowWhenTheirFileIsThereAndTheMarkerIsNot)
{
    struct Case {
        bool tips;
        bool noTips;
        int shown;
    };
    for (const Case c : {Case{true, false, 1}, Case{true, true, 0}, Case{false, false, 0}, Case{false, true, 0}}) {
        SCOPED_TRACE(testing::Message() << c.tips << c.noTips);
        test::ProgramFolderScope home;
        if (c.tips)
            home.write(QStringLiteral("tips.txt"), "{Tip\r\nText\r\n}\r\n");
        if (c.noTips)
            home.write(QStringLiteral("notips.txt"), "Show Tips\r\n");
        StartUpWindowsScope windows;
        ASSERT_TRUE(Main(QStringLiteral("shop.ntt")));
        EXPECT_EQ(windows.tips, c.shown);
    }
}
