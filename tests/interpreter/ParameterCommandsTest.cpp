#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/TypedAnswerScope.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>

using namespace zor;

namespace {

class ParameterCommands : public test::ProcessTest {
protected:
    test::TypedAnswerScope typed;

    // "Tag=caption" of every visible option, in order.
    QStringList Options() const
    {
        QStringList options;
        for (const QRadioButton* option : window.oParams) {
            if (!option->isHidden())
                options << option->property("Tag").toString() + "=" + option->text();
        }
        return options;
    }
    static QPoint Centred(const QWidget& panel, const QWidget& parent)
    {
        return {parent.width() / 2 - panel.width() / 2, parent.height() / 2 - panel.height() / 2};
    }
};

} // namespace

TEST_F(ParameterCommands, ChoicesUpToTheEndMark)
{
    struct Case {
        QString unit;
        QString title;
        QStringList options;
    };
    const Case cases[] = {
        {"pl^Print to^1=Screen^2=Printer^end", "Print to", {"1=Screen", "2=Printer"}},
        {"pl^Q^A=x=y", "Q", {"A=x"}},
        {"pl^Q^Screen", "Q", {"Screen=Screen"}},
        {"pl^T^1=A^^2=B", "T", {"1=A"}},
        {"pl^T^1=A^ end", "T", {"1=A", " end= end"}},
        {"pl^T^1=A^ENDING^2=B", "T", {"1=A"}},
        {"pl^ Pad ^1=A", "Pad", {"1=A"}},
    };
    for (const Case& c : cases) {
        window.stack.clear();
        Run({c.unit});
        EXPECT_EQ(window.frame->title(), c.title) << c.unit.toStdString();
        EXPECT_EQ(Options(), c.options) << c.unit.toStdString();
        EXPECT_FALSE(window.ParmFrame->isHidden());
        EXPECT_EQ(window.ParmFrame->pos(), Centred(*window.ParmFrame, *window.MainPic));
        EXPECT_EQ(History(), QStringList{c.unit});
    }
    // An empty title ends the list at once: no options, the title as it was.
    Run({"pl^^1=A"});
    EXPECT_TRUE(Options().isEmpty());
    EXPECT_EQ(window.frame->title(), QStringLiteral("Pad"));
}

TEST_F(ParameterCommands, TwelveChoicesStopAtTenAndNothingStaysChosen)
{
    QString unit = QStringLiteral("pl^Many");
    for (int i = 1; i <= 12; ++i)
        unit += QStringLiteral("^%1=Choice %1").arg(i);
    Run({unit});
    EXPECT_EQ(Options().size(), 10);
    EXPECT_EQ(Options().last(), QStringLiteral("10=Choice 10"));
    EXPECT_EQ(TraceLines().filter("Choices after the tenth left out").size(), 1);

    // Chosen on the last panel, shown or hidden since: nothing is chosen on
    // the next.
    window.oParams[9]->setChecked(true);
    Run({"pl^Print to^1=Screen^2=Printer^end"});
    for (const QRadioButton* option : window.oParams)
        EXPECT_FALSE(option->isChecked()) << option->objectName().toStdString();
}

TEST_F(ParameterCommands, ProgressShowsFollowsAndCloses)
{
    Run({"pb^Loading^5^10"});
    EXPECT_FALSE(window.ProgBarPic->isHidden());
    EXPECT_EQ(window.ProgBar->maximum(), 10);
    EXPECT_EQ(window.ProgBar->value(), 5);
    EXPECT_EQ(window.ProgBarMsg->text(), QStringLiteral("Loading"));
    EXPECT_EQ(window.ProgBarPic->pos(), Centred(*window.ProgBarPic, *window.MainPic));
    // An open panel keeps its place; a larger maximum is taken first.
    window.ProgBarPic->move(7, 9);
    Run({"pb^Copying^50^100"});
    EXPECT_EQ(window.ProgBarPic->pos(), QPoint(7, 9));
    EXPECT_EQ(window.ProgBar->value(), 50);
    EXPECT_EQ(window.ProgBarMsg->text(), QStringLiteral("Copying"));
    Run({"pb^^-3^10"});
    EXPECT_EQ(window.ProgBar->value(), 0);
    // Below nothing: an empty bar that stands still, not one that runs busy.
    Run({"pb^^-8^-5"});
    EXPECT_FALSE(window.ProgBarPic->isHidden());
    EXPECT_LT(window.ProgBar->minimum(), window.ProgBar->maximum());
    EXPECT_EQ(window.ProgBar->value(), window.ProgBar->minimum());
    EXPECT_EQ(History(), QStringList({"pb^Loading^5^10", "pb^Copying^50^100", "pb^^-3^10", "pb^^-8^-5"}));

    for (const char* closing : {"pb^Loading^12^10", "pb^^0^0", "pb^^10^10"}) {
        Run({"pb^Loading^5^10"});
        window.stack.clear();
        Run({QString::fromLatin1(closing)});
        EXPECT_TRUE(window.ProgBarPic->isHidden()) << closing;
        EXPECT_TRUE(History().isEmpty()) << closing;
    }
    // Beyond a 16-bit value the unit ends before it changes anything.
    Run({"pb^Loading^5^10", "pb^Big^40000^50000"});
    EXPECT_EQ(window.ProgBarMsg->text(), QStringLiteral("Loading"));
    EXPECT_EQ(TraceLines().filter("a value does not fit").size(), 1);
}
