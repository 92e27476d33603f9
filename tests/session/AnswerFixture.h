#pragma once

#include "session/fConnection.h"
#include "tests/support/Loopback.h"
#include "tests/support/ScreenStateScope.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TypedAnswerScope.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace zor::test {

// The session window shown and active, on a clean screen of cells of
// 10 x 20 pixels, with everything sent to the host recorded.
class AnswerTest : public ::testing::Test {
protected:
    fConnection& window = fConnection::instance();
    ScreenStateScope screen;
    TypedAnswerScope typed;
    SentRecorder host;

    void SetUp() override
    {
        window.show();
        window.activateWindow();
        // A dialog hidden by an earlier test can stay the active window
        // for the application while the platform has moved on.
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window, test::WaitLimitMs));
        Entities.fill(Entity{});
        EntityData.fill(QString());
        EntityCount = 0;
        CurPage = 0;
        TestMode = 0;
        SubWindowRect = {0, 0, 0, 0};
        CellWidth = Currency::fromDouble(10);
        CellHeight = Currency::fromDouble(20);
    }

    void TearDown() override { EntityData.fill(QString()); }

    // An input box opened by the host, with the focus in it.
    void OpenInputBox(const QString& unit = QStringLiteral("in^5^3^10^^^^0"))
    {
        window.Process(unit);
        window.INText->setFocus();
    }
};

} // namespace zor::test
