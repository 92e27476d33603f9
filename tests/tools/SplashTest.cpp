#include "tools/Splash.h"
#include "core/SharedState.h"

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zor;

TEST(SplashTest, ShowsTheVersionLineAndGoesAfterASecondOrAClick)
{
    VersionSuffix = QStringLiteral("1");
    EXPECT_EQ(VersionLine(), QStringLiteral("Version 1.0.01"));
    {
        Splash splash;
        EXPECT_EQ(splash.Label1->text(), QStringLiteral("Version 1.0.01"));
        EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(splash.height(), splash.SplashPic->height() + 6);
        splash.show();
        QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 1800);
    }
    for (const char* place : {"picture", "label"}) {
        SCOPED_TRACE(place);
        Splash splash;
        splash.show();
        QWidget* target = place == std::string("picture") ? static_cast<QWidget*>(splash.SplashPic) : splash.Label1;
        QTest::mouseClick(target, Qt::LeftButton);
        EXPECT_FALSE(splash.isVisible());
    }
}
