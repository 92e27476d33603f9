#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/TestSupport.h"

using namespace zor;
using zor::test::ProcessTest;

namespace {

// A "to" unit of the given number of fields, the caption in field 6.
QString ToUnitOfFields(int count)
{
    QStringList fields = {QStringLiteral("to"), QStringLiteral("5"), QStringLiteral("3"),
                          QStringLiteral("10"), QStringLiteral("l"), QStringLiteral("Name")};
    while (fields.size() < count)
        fields << QString();
    return fields.mid(0, count).join(QLatin1Char('^'));
}

} // namespace

TEST_F(ProcessTest, DispatchRules)
{
    struct Case {
        QString unit;
        int entities;    // EntityCount afterwards
        bool inHistory;  // the unit is the one history entry
        QString console; // what reached the console
    };
    const Case cases[] = {
        {QStringLiteral("   "), 0, false, QString()},
        {QStringLiteral("to^5^3^10^l^Name"), 1, true, QString()},
        {QStringLiteral("TO^5^3^10^l^Name"), 1, true, QString()},
        {QStringLiteral("To^5^3^10^l^Name"), 1, true, QString()},
        {QStringLiteral(" to^5^3^10^l^Name"), 0, false, QStringLiteral(" to^5^3^10^l^Name\n")},
        {QStringLiteral("to"), 0, false, QString()},
        {QStringLiteral("dr"), 0, true, QString()},
        {QStringLiteral("sm"), 0, false, QString()},
        {QStringLiteral("sm^"), 0, true, QString()},
        {QStringLiteral("vn"), 0, false, QString()},
        {ToUnitOfFields(29), 1, true, QString()},
        {ToUnitOfFields(30), 0, false, QString()},
        {QStringLiteral("Hello host"), 0, false, QStringLiteral("Hello host\n")},
        {QStringLiteral("a^") + ToUnitOfFields(40), 0, false, QStringLiteral("a^") + ToUnitOfFields(40) + "\n"},
        {QStringLiteral("bell\x07 gone\x01"), 0, false, QStringLiteral("bell gone\n")},
    };
    for (const Case& c : cases) {
        SetUp();
        window.Process(c.unit);
        EXPECT_EQ(EntityCount, c.entities) << c.unit.toStdString();
        EXPECT_EQ(History(), c.inHistory ? QStringList{c.unit} : QStringList()) << c.unit.toStdString();
        EXPECT_EQ(window.ConsoleText->Text(), c.console) << c.unit.toStdString();
    }
}

TEST_F(ProcessTest, CaretRuleRunsTheCaseWithAnEmptyArgument)
{
    Run({QStringLiteral("lv^1"), QStringLiteral("lv")});
    EXPECT_EQ(CurPage, 1);
    Run({QStringLiteral("lv^")});
    EXPECT_EQ(CurPage, 0);
    EXPECT_EQ(History(), (QStringList{QStringLiteral("lv^1"), QStringLiteral("lv^")}));
}

TEST_F(ProcessTest, TabBecomesBarInFieldsAndHistory)
{
    Run({QStringLiteral("to^5^3^10^l^A\tB")});
    EXPECT_EQ(CaptionOf(0), QStringLiteral("A|B"));
    EXPECT_EQ(History(), QStringList{QStringLiteral("to^5^3^10^l^A|B")});
    EXPECT_EQ(TraceLines(), QStringList{QStringLiteral("[Process]to^5^3^10^l^A\tB")});
}

TEST_F(ProcessTest, TooManyFieldsRunNothingAndAreTraced)
{
    Run({ToUnitOfFields(30)});
    EXPECT_EQ(EntityCount, 0);
    EXPECT_TRUE(IsBlank(Slot(0).Caption));
    ASSERT_EQ(TraceLines().size(), 2);
    EXPECT_TRUE(TraceLines()[1].startsWith(QStringLiteral("[Process]Refused, more than 29 fields")))
        << TraceLines()[1].toStdString();
}

TEST_F(ProcessTest, TraceTagsFollowTheModes)
{
    struct Case {
        bool proc, report, com;
        QString unit;
        QString line;
    };
    const Case cases[] = {
        {false, false, false, QStringLiteral("dr"), QStringLiteral("[Process]dr")},
        {true, true, true, QStringLiteral("dr"), QStringLiteral("[PROC]dr")},
        {false, false, true, QStringLiteral("COM^OFF"), QStringLiteral("[COMMPORT]COM^OFF")},
        {false, true, false, QStringLiteral("a line"), QStringLiteral("[Printer]a line")},
        {false, true, false, QStringLiteral("A"), QStringLiteral("[Printer]Char = 65 (0)")},
    };
    for (const Case& c : cases) {
        SetUp();
        ProcMode = c.proc;
        ReportMode = c.report;
        ComMode = c.com;
        window.Process(c.unit);
        ASSERT_FALSE(TraceLines().isEmpty()) << c.unit.toStdString();
        EXPECT_EQ(TraceLines().first(), c.line);
    }
}

TEST_F(ProcessTest, ReportModeCountsRepeatsOfOneCharacter)
{
    ReportMode = true;
    Run({QStringLiteral("x"), QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("="),
         QStringLiteral("-")});
    EXPECT_EQ(TraceLines(),
              (QStringList{QStringLiteral("[Printer]Char = 120 (0)"), QStringLiteral("[Printer]Char = 45 (0)"),
                           QStringLiteral("[Printer]Char = 45 (1)"), QStringLiteral("[Printer]Char = 45 (2)"),
                           QStringLiteral("[Printer]Char = 61 (0)"), QStringLiteral("[Printer]Char = 45 (0)")}));
    // Report lines belong to the report, never to the console.
    EXPECT_TRUE(window.ConsoleText->Text().isEmpty());
}

TEST_F(ProcessTest, PassThroughSplitsOnlyTheUnitThatEndsIt)
{
    ComMode = true;
    Run({QStringLiteral("to^5^3^10^l^Name"), QStringLiteral("dr")});
    EXPECT_EQ(EntityCount, 0);
    EXPECT_TRUE(History().isEmpty());
    EXPECT_TRUE(window.ConsoleText->Text().isEmpty());
}

TEST_F(ProcessTest, ApplicationErrorIsShownThenKeptInTheConsole)
{
    test::DialogScript dialogs;
    Run({QStringLiteral("Error 12] in program ORDERS")});
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].prompt, QStringLiteral("Application error:\r\nError 12] in program ORDERS"));
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("ERROR"));
    EXPECT_EQ(dialogs.asked[0].style, 16);
    EXPECT_EQ(window.ConsoleText->Text(), QStringLiteral("Error 12] in program ORDERS\n"));
}

TEST_F(ProcessTest, ValueThatDoesNotFitEndsTheUnitKeepingEarlierSteps)
{
    Run({QStringLiteral("to^5^3^10^l^Name^TAG^2^help^300")});
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Name"));
    EXPECT_EQ(Slot(0).EntityType, KindField);
    EXPECT_EQ(EntityData[0], QStringLiteral("help"));
    EXPECT_EQ(Slot(0).FontAdjust, 0);
    EXPECT_EQ(EntityCount, 0);
    EXPECT_TRUE(History().isEmpty());
    EXPECT_FALSE(ScreenChanged);
    EXPECT_TRUE(TraceLines().last().startsWith(QStringLiteral("[Process]Ended, a value does not fit")));

    Run({QStringLiteral("to^5^99999^10^l^Other")});
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Name"));
    EXPECT_EQ(EntityCount, 0);
}
