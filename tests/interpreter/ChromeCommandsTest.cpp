#include "session/BusyAnimation.h"
#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

using namespace zor;
using zor::test::ProcessTest;

namespace {

class ChromeTest : public ProcessTest {
protected:
    void SetUp() override
    {
        ProcessTest::SetUp();
        window.HelpBar->clear();
        window.lWorking->hide();
        window.AnimFrame = 0;
        window.SystemFunctionsMenu->clear();
        for (int panel = 1; panel <= StatusPanelCount; ++panel)
            Panel(panel).clear();
    }
    QLabel& Panel(int panel) const { return *window.StatusPanels[static_cast<size_t>(panel)]; }
    QStringList Panels() const
    {
        QStringList texts;
        for (int panel = 1; panel <= StatusPanelCount; ++panel)
            texts << Panel(panel).text();
        return texts;
    }
    bool BusyShown() const { return !window.lWorking->isHidden(); }
    bool ShowsFrame(int number) const { return window.lWorking->pixmap().cacheKey() == BusyFrame(number).cacheKey(); }
};

} // namespace

TEST_F(ChromeTest, StatusMessageKeepsTheHelpLineAndTurnsTheIndicator)
{
    struct Step {
        const char* unit;
        const char* helpLine;
        bool busy;
        int nextFrame;
        int history;
    };
    const Step steps[] = {
        {"sm^Loading", "Loading", true, 252, 1},
        {"sm^1", "Loading", true, 253, 2},
        {"sm^-1", "Loading", true, 254, 3},
        {"sm^  Saving  ", "Saving", true, 255, 4},
        {"sm", "Saving", true, 255, 4}, // no "^": not run
        {"sm^  ", "", false, 255, 5},
        {"sm^Again", "Again", true, 256, 6},
        {"sm^^", "", false, 256, 7},
    };
    for (const Step& step : steps) {
        Run({QLatin1String(step.unit)});
        EXPECT_EQ(window.HelpBar->text(), QLatin1String(step.helpLine)) << step.unit;
        EXPECT_EQ(BusyShown(), step.busy) << step.unit;
        EXPECT_EQ(window.AnimFrame, step.nextFrame) << step.unit;
        EXPECT_EQ(History().size(), step.history) << step.unit;
    }
    EXPECT_EQ(History().last(), QStringLiteral("sm^^"));
    // The indicator sits flush in the screen's bottom-right corner.
    const QLabel& busy = *window.lWorking;
    EXPECT_EQ(busy.geometry().bottomRight(), window.MainPic->rect().bottomRight());
}

TEST_F(ChromeTest, SeventeenMessagesCycleTheIndicatorOnce)
{
    for (int i = 0; i < 17; ++i) {
        Run({QStringLiteral("sm^Working")});
        const int shown = BusyFirstFrame + i % 16;
        EXPECT_TRUE(ShowsFrame(shown)) << i;
    }
    EXPECT_EQ(window.AnimFrame, BusyFirstFrame + 1);
}

TEST_F(ChromeTest, StatusBarTextFillsPanelsOneToSixAndLeavesTheClock)
{
    struct Case {
        const char* unit;
        QStringList panels; // 1..6
    };
    const Case cases[] = {
        {"sb^A^B^end^C", {"A", "B", "", "", "", ""}},
        {"sb^1^2^3^4^5^6^7", {"1", "2", "3", "4", "5", "6"}},
        {"sb^  Ready^ B^endX^C", {"Ready", " B", "", "", "", ""}},
        {"sb^A^^C", {"A", "", "C", "", "", ""}},
        {"sb^A^End", {"A", "", "", "", "", ""}},
        {"sb^A^endless^B", {"A", "", "", "", "", ""}},
        {"sb^ENDX^A", {"", "", "", "", "", ""}},
        {"sb^<b>bold</b>", {"<b>bold</b>", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        for (int panel = 1; panel < StatusPanelCount; ++panel)
            Panel(panel).setText(QStringLiteral("old"));
        Panel(StatusPanelCount).setText(QStringLiteral("12:34"));
        window.stack.clear();
        Run({QLatin1String(c.unit)});
        EXPECT_EQ(Panels(), c.panels + QStringList{"12:34"}) << c.unit;
        EXPECT_EQ(History(), QStringList{QLatin1String(c.unit)});
    }
    for (int panel = 1; panel <= StatusPanelCount; ++panel)
        EXPECT_EQ(Panel(panel).textFormat(), Qt::PlainText) << panel;
}

TEST_F(ChromeTest, ToolbarItemsReplyTheirTagAndGoWithTheScreen)
{
    Run({QStringLiteral("tb^&Reprint^RP~X"), QStringLiteral("tb^Totals^TOT"), QStringLiteral("tb^Totals^TOT2")});
    const QList<QAction*> items = window.SystemFunctionsMenu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&Reprint"));
    EXPECT_EQ(items[2]->text(), QStringLiteral("Totals"));
    EXPECT_EQ(History().size(), 3);
    {
        test::SentRecorder recorder;
        items[0]->trigger();
        items[2]->trigger();
        EXPECT_EQ(recorder.sent, (QStringList{"RP\r", "X\r", "TOT2\r"}));
    }
    test::SentRecorder recorder;
    Connected = false;
    items[1]->trigger();
    EXPECT_TRUE(recorder.sent.isEmpty());

    Run({QStringLiteral("cs")});
    EXPECT_TRUE(window.SystemFunctionsMenu->actions().isEmpty());
}

TEST_F(ChromeTest, VersionIsRepliedWithoutItsSuffixAndLeavesNoHistory)
{
    for (const char* unit : {"vn", "VN", "vn^x", "Vn^junk"}) {
        test::SentRecorder recorder;
        Run({QLatin1String(unit)});
        EXPECT_EQ(recorder.sent, QStringList{QStringLiteral("ZOR GUI User Interface version 1.0.0\r")}) << unit;
        EXPECT_TRUE(History().isEmpty()) << unit;
    }
    test::SentRecorder recorder;
    Connected = false;
    Run({QStringLiteral("vn")});
    EXPECT_TRUE(recorder.sent.isEmpty());
}

TEST_F(ChromeTest, SignatureAndPdfChangeNothing)
{
    Run({QStringLiteral("to^5^3^10^l^Hello^^1"), QStringLiteral("sm^Busy"), QStringLiteral("sb^A^B")});
    const QStringList history = History();
    const QStringList panels = Panels();
    const Entity first = Slot(0);
    const qint16 count = EntityCount;
    for (const char* unit : {"sig^a^b", "pdf", "SIG", "pdf^x"}) {
        Trace().Lines.clear();
        Run({QLatin1String(unit)});
        EXPECT_EQ(History(), history) << unit;
        EXPECT_EQ(Panels(), panels) << unit;
        EXPECT_EQ(window.HelpBar->text(), QStringLiteral("Busy")) << unit;
        EXPECT_EQ(EntityCount, count) << unit;
        EXPECT_EQ(Slot(0), first) << unit;
        EXPECT_EQ(TraceLines(), QStringList{QStringLiteral("[Process]") + QLatin1String(unit)}) << unit;
    }
}
