#include "core/StartUp.h"
#include "core/SharedState.h"
#include "tests/support/TestSupport.h"

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
