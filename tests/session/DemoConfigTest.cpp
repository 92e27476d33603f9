#include "core/Twips.h"
#include "settings/ConfigFile.h"
#include "tests/session/Peers.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zor;

// The demo's first screen is a page whose header is clipped at 640 x 480.
TEST(DemoConfig, OpensTheWindowAt1024By768)
{
    test::ProgramFolderScope home;
    const QString path = home.file(QStringLiteral("demo.ntt"));
    test::DemoHostPeer host({QStringLiteral("--write-config"), path});
    ASSERT_NE(host.port(), 0);
    ASSERT_TRUE(test::WaitUntil([&] { return QFile::exists(path); }));
    SavedWindowWidth.reset();
    SavedWindowHeight = 0;
    ConfigWindowItems window;
    ReadConfig(home.read(QStringLiteral("demo.ntt")), window);
    ASSERT_TRUE(SavedWindowWidth.has_value());
    EXPECT_EQ(TwipsToPixels(*SavedWindowWidth), 1024);
    EXPECT_EQ(TwipsToPixels(SavedWindowHeight), 768);
    EXPECT_EQ(window.WindowState, 0);
}
