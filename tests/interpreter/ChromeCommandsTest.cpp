#include "session/BusyAnimation.h"
#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>

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
        window.HelpPic->Page = HelpPage();
        window.HelpPicContainer->hide();
        HelpShown = false;
    }
    // The help picture as it paints, and how many pixels of its rows are
    // red, or a shade of red where text is smoothed onto the white.
    QImage HelpPainted() const { return window.HelpPic->grab().toImage(); }
    static int RedPixels(const QImage& image, int top, int bottom)
    {
        int red = 0;
        for (int y = qMax(0, top); y < qMin(image.height(), bottom); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                red += qRed(pixel) == 255 && qGreen(pixel) < 200 && qGreen(pixel) == qBlue(pixel);
            }
        return red;
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

TEST_F(ChromeTest, HelpShowsThePanelAndRendersItsLines)
{
    Run({QStringLiteral("help^+color=&hFF"), QStringLiteral("help^Alpha"), QStringLiteral("help^+LINE"),
         QStringLiteral("help^+line"), QStringLiteral("help^{skip")});
    EXPECT_TRUE(HelpShown);
    EXPECT_FALSE(window.HelpPicContainer->isHidden());
    EXPECT_EQ(History().size(), 5);

    const HelpPage& page = window.HelpPic->Page;
    const int line = page.LineHeight();
    ASSERT_EQ(page.Items().size(), 2u);
    EXPECT_EQ(page.Items()[0].text, QStringLiteral("Alpha"));
    EXPECT_TRUE(page.Items()[1].rule);
    const QImage shown = HelpPainted();
    EXPECT_GT(RedPixels(shown, 0, line), 0) << "no red text";
    EXPECT_EQ(RedPixels(shown, line, line + 1), shown.width()) << "no red rule across";
    EXPECT_EQ(shown.pixel(shown.width() - 1, line + 3), qRgb(255, 255, 255));
    test::SaveTestOutput(QStringLiteral("inline-help.png"), shown);

    // The panel lies over the middle of the screen, the bar at its right.
    const QRect panel = window.HelpPicContainer->geometry();
    const QSize screen = window.MainPic->size();
    EXPECT_EQ(panel, QRect(screen.width() / 2 - screen.width() / 4, screen.height() / 2 - screen.height() / 2 / 2,
                           screen.width() / 2, screen.height() / 2));
    EXPECT_EQ(window.HelpVScroll->geometry().right(), panel.width() - 2);
    EXPECT_EQ(window.HelpPic->width(), panel.width() - window.HelpVScroll->width());

    // The first key only closes it.
    const QString typed = TypeAhead;
    int key = 'x';
    window.Form_KeyPress(key);
    EXPECT_FALSE(HelpShown);
    EXPECT_TRUE(window.HelpPicContainer->isHidden());
    EXPECT_EQ(TypeAhead, typed);
}

TEST_F(ChromeTest, HelpScrollsOnlyWhenTallerThanThePanel)
{
    Run({QStringLiteral("help^one"), QStringLiteral("help^two"), QStringLiteral("help^three")});
    EXPECT_FALSE(window.HelpVScroll->isEnabled());

    const int line = window.HelpPic->Page.LineHeight();
    const int panelHeight = window.MainPic->height() / 2;
    for (int i = 0; i < panelHeight / line + 2; ++i)
        Run({QStringLiteral("help^more")});
    QScrollBar& bar = *window.HelpVScroll;
    EXPECT_TRUE(bar.isEnabled());
    EXPECT_EQ(bar.singleStep(), line);
    EXPECT_EQ(bar.pageStep(), 5 * line);
    EXPECT_EQ(bar.value(), 0);
    // At the bar's end the whole picture has been shown, its last line too.
    bar.setValue(bar.maximum());
    EXPECT_EQ(window.HelpPic->geometry().bottom(), window.HelpPicContainer->height() - 1);
    EXPECT_LE(window.HelpPic->y() + window.HelpPic->Page.Items().back().y + line, panelHeight);
    bar.setValue(3 * line);
    EXPECT_EQ(window.HelpPic->y(), window.helppiccap->height() - 3 * line);
    Run({QStringLiteral("help^+clear"), QStringLiteral("help^top")});
    EXPECT_EQ(window.HelpPic->y(), window.helppiccap->height());
    EXPECT_EQ(window.HelpPic->Page.Items().front().y, 0);
}

TEST_F(ChromeTest, ALongLineWidensThePictureForItselfOnly)
{
    Run({QStringLiteral("help^short")});
    const int normal = window.HelpPic->width();
    Run({QStringLiteral("help^") + QString(300, QLatin1Char('W'))});
    EXPECT_GT(window.HelpPic->width(), normal);
    Run({QStringLiteral("help^short again")});
    EXPECT_EQ(window.HelpPic->width(), normal);
}

TEST_F(ChromeTest, ABadHelpValueIsIgnoredAndTheUnitCompletes)
{
    window.INTextPic->show();
    for (const char* unit : {"help^+color=16", "help^+size=0", "help^+bold=maybe", "help^+back=&hFFFFFFFFF"})
        Run({QLatin1String(unit)});
    EXPECT_EQ(History().size(), 4);
    EXPECT_EQ(window.HelpPic->Page.ForeColour(), QColor(Qt::black));
    EXPECT_EQ(window.HelpPic->Page.BackColour(), QColor(Qt::white));
    EXPECT_TRUE(window.INText->hasFocus());
    window.INTextPic->hide();
}
