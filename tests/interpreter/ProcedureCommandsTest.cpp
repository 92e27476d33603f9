#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/TypedAnswerScope.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zor;

namespace {

class ProcedureCommands : public test::ProcessTest {
protected:
    test::TypedAnswerScope typed;

    void TearDown() override
    {
        Run({"pe"});
        ProcessTest::TearDown();
    }

    // "caption:reply" of every visible link button, in order.
    QStringList Links() const
    {
        QStringList links;
        for (const QPushButton* button : window.ProcButt) {
            if (!button->isHidden())
                links << button->text() + ":" + button->property("Tag").toString();
        }
        return links;
    }
};

} // namespace

TEST_F(ProcedureCommands, OpenTextLinksAndClose)
{
    Run({"ph", "Copying files", "+LINK=Print report:P", "+link = Quit:Q"});
    EXPECT_TRUE(ProcMode);
    EXPECT_FALSE(window.ProcPic->isHidden());
    EXPECT_EQ(window.ProcText->Text(), QStringLiteral("Copying files\n"));
    EXPECT_EQ(Links(), QStringList({"Print report:P", "Quit:Q"}));
    EXPECT_EQ(ProcLinkCount, 2);
    // The text makes room for the buttons at the right.
    EXPECT_LE(window.ProcText->geometry().right(), window.ProcButt[0]->x());
    EXPECT_TRUE(window.ConsoleText->Text().isEmpty());
    EXPECT_EQ(TraceLines().filter("PROC").size(), 3);

    TypeAhead = QStringLiteral("typed");
    Run({"OFF"});
    EXPECT_FALSE(ProcMode);
    EXPECT_TRUE(window.ProcPic->isHidden());
    EXPECT_TRUE(TypeAhead.isEmpty());
    // Only the two commands are history; what "pe" runs follows its own rules.
    EXPECT_TRUE(History().contains("ph"));
    EXPECT_TRUE(History().contains("OFF"));
    EXPECT_EQ(History().filter("link").size(), 0);
    // Plain text goes to the console again.
    Run({"After"});
    EXPECT_TRUE(window.ConsoleText->Text().contains("After"));
}

TEST_F(ProcedureCommands, PlainLinesInTheProcedure)
{
    struct Case {
        QString line;
        QString text;
        QStringList links;
    };
    const Case cases[] = {
        {"   ", "", {}},
        {"", "", {}},
        {"+link=Print report:P", "", {"Print report:P"}},
        // No ":": the text is the caption and the reply.
        {"+link=Reprint", "", {"Reprint:Reprint"}},
        {"+link=Time: 12:30", "", {"Time: 12:30"}},
        {"+linkage is text", "", {"+linkage is text:+linkage is text"}},
        {"Line  with blanks ", "Line  with blanks \n", {}},
    };
    for (const Case& c : cases) {
        Run({"on"});
        Run({c.line});
        EXPECT_EQ(window.ProcText->Text(), c.text) << c.line.toStdString();
        EXPECT_EQ(Links(), c.links) << c.line.toStdString();
    }
    // A code without "^" in the text is that command: "cs" clears the screen
    // and leaves the panel open.
    Entities[0].EntityType = KindField;
    EntityCount = 1;
    Run({"cs"});
    EXPECT_EQ(EntityCount, -1);
    EXPECT_FALSE(window.ProcPic->isHidden());
}

TEST_F(ProcedureCommands, LinksPastTheSixteenthButtonAreDropped)
{
    Run({"ph"});
    for (int i = 0; i < 40; ++i)
        Run({QStringLiteral("+link=Step %1:S%1").arg(i)});
    EXPECT_EQ(Links().size(), 16);
    EXPECT_EQ(Links().last(), QStringLiteral("Step 15:S15"));
    EXPECT_EQ(ProcLinkCount, 16);
    EXPECT_EQ(TraceLines().filter("No button left for the link").size(), 24);

    // Opened again: no text, no buttons, and no input line of the last one.
    Run({"+input=old answer"});
    EXPECT_FALSE(window.fProcInput->isHidden());
    Run({"ph"});
    EXPECT_TRUE(Links().isEmpty());
    EXPECT_EQ(ProcLinkCount, 0);
    EXPECT_TRUE(window.ProcText->Text().isEmpty());
    EXPECT_TRUE(window.fProcInput->isHidden());
    EXPECT_TRUE(window.lblProcLabel->isHidden());
    EXPECT_TRUE(window.fProcInput->text().isEmpty());
}

TEST_F(ProcedureCommands, InputLineOpensWithItsText)
{
    Run({"ph", "+INPUT= ABC "});
    EXPECT_FALSE(window.fProcInput->isHidden());
    EXPECT_FALSE(window.lblProcLabel->isHidden());
    EXPECT_EQ(window.fProcInput->text(), QStringLiteral("ABC"));
    EXPECT_EQ(window.fProcInput->cursorPosition(), 3);
    EXPECT_FALSE(window.fProcInput->hasSelectedText());

    // Report mode wins: its text is no procedure text.
    ReportMode = true;
    Run({"+link=Hidden:H", "report line"});
    ReportMode = false;
    EXPECT_TRUE(Links().isEmpty());
    EXPECT_TRUE(window.ProcText->Text().isEmpty());
}
