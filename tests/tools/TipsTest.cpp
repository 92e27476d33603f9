#include "tools/Tips.h"
#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "tests/support/TestSupport.h"
#include "tools/fTips.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zor;
using zor::test::DialogScript;
using zor::test::ProgramFolderScope;

namespace {

const QStringList TwoTips = {"{First", "Alpha", "Beta", "}", "{ Second ", "Gamma", "!", "Delta", "}"};

} // namespace

TEST(TipsTest, NextAndBackWalkTheTips)
{
    // The line rules give the text; the paragraph break is the only thing
    // between Gamma's blank and Delta.
    TipWalk walk = NextTip(TwoTips, {});
    EXPECT_EQ(walk.Caption, QStringLiteral("First"));
    EXPECT_EQ(walk.Text, QStringLiteral("Alpha Beta "));
    EXPECT_EQ(walk.TipStart, 0);
    EXPECT_EQ(walk.TipPos, 4);
    EXPECT_EQ(PreviousTip(TwoTips, walk).Caption, QStringLiteral("First"));

    walk = NextTip(TwoTips, walk);
    EXPECT_EQ(walk.Caption, QStringLiteral("Second"));
    EXPECT_EQ(walk.Text, QStringLiteral("Gamma \r\n\r\nDelta "));
    EXPECT_EQ(walk.TipStart, 4);
    EXPECT_EQ(walk.TipPos, 9);
    EXPECT_EQ(PreviousTip(TwoTips, walk).Caption, QStringLiteral("First"));

    // After the last tip the walk goes round to the first.
    walk = NextTip(TwoTips, walk);
    EXPECT_EQ(walk.Caption, QStringLiteral("First"));
    EXPECT_EQ(walk.TipPos, 4);
}

TEST(TipsTest, LooseLinesAndAMissingEnd)
{
    // Text before the first "{" is the first tip's; a tip without "}" at the
    // end is shown, and the next walk starts from the same place.
    const QStringList lines = {"Intro", "{Only", "Text", "  }  ", "{Open", "Tail"};
    TipWalk walk = NextTip(lines, {});
    EXPECT_EQ(walk.Caption, QStringLiteral("Only"));
    EXPECT_EQ(walk.Text, QStringLiteral("Intro Text "));
    walk = NextTip(lines, walk);
    EXPECT_EQ(walk.Caption, QStringLiteral("Open"));
    EXPECT_EQ(walk.Text, QStringLiteral("Tail "));
    EXPECT_EQ(walk.TipPos, 4);
    EXPECT_EQ(NextTip(lines, walk).Caption, QStringLiteral("Open"));
    EXPECT_EQ(NextTip({}, {}).Caption, QString());
}

TEST(TipsTest, BlankLinesAfterTheLastTipAreNoTip)
{
    for (const QStringList& tail : {QStringList{""}, QStringList{"", "  ", "\t"}}) {
        const QStringList lines = QStringList{"{First", "Alpha", "}", "{Second", "Beta", "}"} + tail;
        TipWalk walk = NextTip(lines, NextTip(lines, {}));
        ASSERT_EQ(walk.Caption, QStringLiteral("Second"));
        walk = NextTip(lines, walk);
        EXPECT_EQ(walk.Caption, QStringLiteral("First")) << tail.size();
        EXPECT_EQ(walk.Text, QStringLiteral("Alpha ")) << tail.size();
    }
}

TEST(TipsTest, TheWindowShowsTipsAndKeepsTheMarkerFile)
{
    ProgramFolderScope home;
    DialogScript dialogs;
    home.write(QStringLiteral("tips.txt"), "{First\r\nAlpha\r\nBeta\r\n}\r\n{Second\r\nGamma\r\n!\r\nDelta\r\n}\r\n");
    {
        fTips tips;
        EXPECT_EQ(tips.windowTitle(), QStringLiteral("ZOR GUI Tips"));
        EXPECT_EQ(tips.TipCaption->text(), QStringLiteral("First"));
        EXPECT_EQ(tips.TipText->text(), QStringLiteral("Alpha Beta "));
        EXPECT_FALSE(tips.Check1->isChecked());
        EXPECT_FALSE(tips.Image1->pixmap().isNull());
        QTest::mouseClick(tips.Command2, Qt::LeftButton);
        EXPECT_EQ(tips.TipCaption->text(), QStringLiteral("Second"));
        EXPECT_EQ(tips.TipText->text(), QStringLiteral("Gamma \n\nDelta "));
        QTest::mouseClick(tips.Command3, Qt::LeftButton);
        EXPECT_EQ(tips.TipCaption->text(), QStringLiteral("First"));

        QTest::mouseClick(tips.Check1, Qt::LeftButton);
        EXPECT_EQ(home.read(QStringLiteral("notips.txt")), QByteArray("Show Tips\r\n"));
        QTest::mouseClick(tips.Check1, Qt::LeftButton);
        EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("notips.txt"))));
    }
    // A marker present at load ticks the box and is written anew.
    home.write(QStringLiteral("notips.txt"), "old");
    {
        fTips tips;
        EXPECT_TRUE(tips.Check1->isChecked());
        EXPECT_EQ(home.read(QStringLiteral("notips.txt")), QByteArray("Show Tips\r\n"));
    }
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST(TipsTest, AMissingFileSaysSoAndTheWindowOpensEmpty)
{
    ProgramFolderScope home;
    DialogScript dialogs;
    fTips tips;
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].prompt, ProgramFolder() + QStringLiteral("/tips.txt file not found. (v1.0.0)"));
    EXPECT_EQ(dialogs.asked[0].style, Dialogs::Critical);
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Error"));
    EXPECT_EQ(tips.TipCaption->text(), QString());
}

TEST(TipsTest, AMarkerThatCannotBeChangedIsReportedAndShownAsItIs)
{
    ProgramFolderScope home;
    home.write(QStringLiteral("tips.txt"), "{Only\r\nOne\r\n}\r\n");
    // A folder in the marker's place: it can be neither written nor removed.
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("notips.txt/inside")));
    DialogScript dialogs;
    fTips tips;
    EXPECT_TRUE(tips.Check1->isChecked());
    const qsizetype reported = dialogs.asked.size();
    EXPECT_GE(reported, 1);
    QTest::mouseClick(tips.Check1, Qt::LeftButton);
    EXPECT_TRUE(tips.Check1->isChecked());
    ASSERT_EQ(dialogs.asked.size(), reported + 1);
    EXPECT_EQ(dialogs.asked.last().title, QStringLiteral("ERROR"));
    EXPECT_TRUE(QFile::exists(home.file(QStringLiteral("notips.txt/inside"))));
}
