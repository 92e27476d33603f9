#include "session/CountdownAnimation.h"
#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/TypedAnswerScope.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace zor;

namespace {

class MessageCommands : public test::ProcessTest {
protected:
    test::TypedAnswerScope typed;

    void TearDown() override
    {
        TabletMode = 0;
        ProcessTest::TearDown();
    }

    // The visible buttons' captions and every button's reply.
    QStringList Captions() const
    {
        QStringList captions;
        for (const QPushButton* button : window.MBCommand) {
            if (!button->isHidden())
                captions << button->text();
        }
        return captions;
    }
    QStringList Replies() const
    {
        QStringList replies;
        for (const QPushButton* button : window.MBCommand)
            replies << button->property("Tag").toString();
        return replies;
    }
    QPixmap Icon() const { return window.iErrEffect[2]->pixmap(); }
};

} // namespace

TEST_F(MessageCommands, ButtonsTitleTextAndIcon)
{
    struct Case {
        QString unit;
        QStringList captions;
        QStringList replies;
        int icon; // the iErrEffect shown, -1 none
    };
    const Case cases[] = {
        {"mb^Title^Line one~Line two^1^OK^Y^end", {"&OK"}, {"Y", "", "", ""}, 0},
        {"mb^T^x^2^A^1^B^2^C^3^D^4^E^5", {"&A", "&B", "&C", "&D"}, {"1", "2", "3", "4"}, 1},
        // Without an end the loop runs on through empty fields.
        {"mb^T^x^^Yes^Y^No^N", {"&Yes", "&No"}, {"Y", "N", "", ""}, -1},
        {"mb^T^x^9^ end^Y", {}, {"", "", "", ""}, -1},
        // Only the first caption is trimmed for the end test.
        {"mb^T^x^^OK^Y^ end^Z^end", {"&OK", " &end"}, {"Y", "Z", "", ""}, -1},
        {"mb^T^x^^Save^A~B^Send^C^end", {"&Save", "S&end"}, {"A\rB", "C", "", ""}, -1},
        {"mb^T^x^^ ^Y^Go^G^end", {"&Go"}, {"Y", "G", "", ""}, -1},
    };
    for (const Case& c : cases) {
        window.stack.clear();
        window.Process(c.unit);
        EXPECT_FALSE(window.MsgPic->isHidden()) << c.unit.toStdString();
        EXPECT_EQ(window.MsgPic->height(), 135) << c.unit.toStdString();
        EXPECT_EQ(Captions(), c.captions) << c.unit.toStdString();
        EXPECT_EQ(Replies(), c.replies) << c.unit.toStdString();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(!window.iErrEffect[static_cast<size_t>(i)]->isHidden(), i == c.icon)
                << c.unit.toStdString() << " icon " << i;
        EXPECT_EQ(History(), QStringList{c.unit});
    }
    window.Process("mb^Title^Line one~Line two^1^OK^Y^end");
    EXPECT_EQ(window.MsgPicCap->text(), QStringLiteral("Title"));
    EXPECT_EQ(window.lErrMessage->text(), QStringLiteral("Line one\nLine two"));
    EXPECT_EQ(window.MsgPic->pos(), QPoint(window.MainPic->width() / 2 - 200, window.MainPic->height() / 2 - 67));
}

TEST_F(MessageCommands, TextLayoutsAndTheBell)
{
    window.Process("mb^T^\aRing^3^OK^Y^end");
    EXPECT_EQ(window.lErrMessage->text(), QStringLiteral("Ring"));
    EXPECT_EQ(window.lErrMessage->x(), 5);
    EXPECT_EQ(window.lErrMessage->width(), 390);
    EXPECT_EQ(window.lErrMessage->font().pointSizeF(), 24);
    EXPECT_TRUE(window.lErrMessage->alignment() & Qt::AlignHCenter);

    window.Process("mb^T^Plain^^OK^Y^end");
    EXPECT_EQ(window.lErrMessage->x(), 56);
    EXPECT_EQ(window.lErrMessage->width(), 309);
    EXPECT_EQ(window.lErrMessage->font().pointSizeF(), 8);
    EXPECT_TRUE(window.lErrMessage->alignment() & Qt::AlignLeft);

    TabletMode = 1;
    window.Process("mb^T^Plain^^OK^Y^end");
    EXPECT_EQ(window.MsgPic->height(), 185);
    EXPECT_EQ(window.MsgPic->y(), window.MainPic->height() / 2 - 67);

    const int before = static_cast<int>(History().size());
    window.Process("mb");
    EXPECT_EQ(History().size(), before);
}

TEST_F(MessageCommands, VisibleButtonsSitCentredSideBySide)
{
    const std::pair<QString, QList<int>> cases[] = {
        {"mb^T^x^^OK^Y^end", {160}},
        {"mb^T^x^^Yes^Y^No^N^end", {120, 200}},
        {"mb^T^x^^A^1^B^2^C^3^D^4", {40, 120, 200, 280}},
    };
    for (const auto& [unit, lefts] : cases) {
        window.Process(unit);
        for (int k = 0; k < lefts.size(); ++k)
            EXPECT_EQ(window.MBCommand[static_cast<size_t>(k)]->x(), lefts[k]) << unit.toStdString() << " button " << k;
    }
}

TEST_F(MessageCommands, CountdownFormsAndTheirClose)
{
    window.Process("mb^Wait^Please wait^1^timer=5");
    EXPECT_EQ(window.MsgPic->height(), 70);
    EXPECT_TRUE(Captions().isEmpty());
    EXPECT_TRUE(window.iErrEffect[0]->isHidden());
    EXPECT_FALSE(window.iErrEffect[2]->isHidden());
    EXPECT_EQ(Icon().toImage(), CountdownFrame(104).toImage());
    EXPECT_TRUE(window.Timer4->isActive());
    EXPECT_FALSE(MsgBoxUp);

    window.Process("mb^Wait^Please wait^^ TIMER = 0 ");
    EXPECT_FALSE(window.Timer4->isActive());
    EXPECT_TRUE(MsgBoxUp);
    EXPECT_FALSE(window.MsgPic->isHidden());

    // "off" closes without a history entry and gives the input box back
    // its focus.
    window.Process("in^5^3^10^^^^0");
    window.stack.clear();
    window.Process("mb^^^^timer=OFF");
    EXPECT_TRUE(window.MsgPic->isHidden());
    EXPECT_TRUE(History().isEmpty());
}

TEST_F(MessageCommands, ANewBoxKeepsNothingOfTheLastOne)
{
    window.Process("mb^T^x^^A^1^B^2^C^3^end");
    window.Process("mb^^^^timer=off");
    window.Process("mb^T^x^^OK^Y^end");
    EXPECT_EQ(Captions(), QStringList{"&OK"});
    EXPECT_EQ(Replies(), QStringList({"Y", "", "", ""}));

    // A countdown box shows no button of an earlier box.
    window.Process("mb^T^x^^timer=3");
    EXPECT_TRUE(Captions().isEmpty());
    EXPECT_EQ(Replies(), QStringList({"", "", "", ""}));

    // A box to stay until new data, then a box to answer in the same chunk:
    // the new data must not close the second.
    window.Process("mb^T^x^^timer=0");
    window.Process("mb^T^x^^OK^Y^end");
    EXPECT_FALSE(MsgBoxUp);
    EXPECT_FALSE(window.Timer4->isActive());
}

TEST_F(MessageCommands, CountdownClosesAtOrPastItsValue)
{
    const std::pair<QString, int> cases[] = {
        {"5", 5}, {"1", 1}, {"abc", 1}, {"", 1}, {"2.5", 3}, {"-1", 1}, {"00", 1},
    };
    for (const auto& [value, ticks] : cases) {
        window.Process("mb^T^x^^timer=" + value);
        for (int tick = 1; tick < ticks; ++tick)
            window.Timer4_Timer();
        EXPECT_FALSE(window.MsgPic->isHidden()) << value.toStdString();
        window.Timer4_Timer();
        EXPECT_TRUE(window.MsgPic->isHidden()) << value.toStdString();
        EXPECT_FALSE(window.Timer4->isActive()) << value.toStdString();
    }
    // "timer" alone has no value: it closes at the first tick too.
    window.Process("mb^T^x^^timer");
    window.Timer4_Timer();
    EXPECT_TRUE(window.MsgPic->isHidden());
}

TEST_F(MessageCommands, CountdownPicturesGoRoundTwelveFrames)
{
    window.Process("mb^T^x^^timer=20");
    QList<int> shown;
    for (int tick = 0; tick < 14; ++tick) {
        window.Timer4_Timer();
        for (int number = CountdownFirstFrame; number <= CountdownLastFrame; ++number) {
            if (Icon().toImage() == CountdownFrame(number).toImage())
                shown << number;
        }
    }
    EXPECT_EQ(shown, QList<int>({105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 104, 105, 106}));
}
