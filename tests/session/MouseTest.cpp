#include "core/Colors.h"
#include "core/ScreenPointer.h"
#include "session/EntityHitTest.h"
#include "tests/session/AnswerFixture.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

using namespace zor;

namespace {

const QString CR = QStringLiteral("\r");

// A screen of cells of 10 x 20 pixels with entities of every case a click
// has to tell apart.
class MouseTest : public test::AnswerTest {
protected:
    void SetUp() override
    {
        AnswerTest::SetUp();
        for (EntityAttr& attr : EntityAttrs)
            attr.Clickable = 0;
        for (const qint16 kind : {KindField, KindOptionButton, KindActionButton})
            EntityAttrs[static_cast<size_t>(kind)].Clickable = VbTrue;
        Put(0, KindField, 10, 6, 10, 1, "  F1  ");         // 100..200 x 120..140
        Put(1, KindOptionButton, 30, 6, 5, 1, "OPT");      // 300..382 x 120..140
        Put(2, KindFieldCaption, 10, 9, 10, 1, "CAP");     // 100..200 x 180..200
        Put(3, KindField, 30, 9, 5, 1, "DIS", 0, VbFalse); // 300..350 x 180..200
        Put(4, KindField, 12, 6, 4, 1, "TOP");             // 120..160 x 120..140, over 0
        Put(5, KindActionButton, 10, 12, 8, 2, "GO");      // 100..180 x 240..280
        Put(6, KindActionButton, 30, 12, 8, 1, "ONE");     // 300..380 x 240..260
        Put(7, KindField, 10, 15, 5, 1, "ITEM", 52);       // 100..150 x 300..320
        Put(8, KindField, 30, 15, 5, 1, "", 53);           // 300..350 x 300..320
        for (int i = 0; i < EntityCount; ++i)
            EntityData[static_cast<size_t>(i)] = QStringLiteral("help %1").arg(i);
    }

    static void Put(int slot, qint16 kind, qint16 column, qint16 row, qint16 width, qint16 height, const char* tag,
                    qint16 align = 0, qint16 active = VbTrue, qint16 page = 0)
    {
        Entity& e = Entities[static_cast<size_t>(slot)];
        e.EntityType = kind;
        e.X = column;
        e.Y = row;
        e.Width = width;
        e.Height = height;
        e.SetTag(QString::fromLatin1(tag));
        e.Align = align;
        e.Active = active;
        e.Region = page;
        EntityCount = static_cast<qint16>(qMax<int>(EntityCount, slot + 1));
    }

    void Click(QWidget* picture, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(picture, button, {}, at);
    }

    static void Move(QWidget* picture, QPointF at)
    {
        QMouseEvent move(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
    }
};

} // namespace

TEST_F(MouseTest, ClickAnswersWithTheTopMostEntityUnderIt)
{
    ItemListValues[3] = QStringLiteral("C1");
    struct Case {
        QPoint at;
        QStringList sent;
    };
    const Case cases[] = {
        {{5, 5}, {CR}},             // empty space: an Enter
        {{110, 130}, {"F1" + CR}},  // the trimmed tag
        {{140, 130}, {"TOP" + CR}}, // the later of two overlapping
        {{200, 140}, {"F1" + CR}},  // right and bottom edges belong to it
        {{201, 130}, {CR}},         // one beyond is empty space
        {{382, 130}, {"OPT" + CR}}, // an option reaches 32 further
        {{383, 130}, {CR}},         //
        {{150, 190}, {}},           // a kind that does not react
        {{320, 190}, {}},           // a disabled entity
        {{120, 310}, {}},           // a link to a list with no choice
        {{320, 310}, {"C1" + CR}},  // a link without a tag of its own
        {{150, 250}, {"GO" + CR}},  // nothing typed: only the tag
    };
    for (const Case& c : cases) {
        host.sent.clear();
        Click(window.MainPic, c.at);
        EXPECT_EQ(host.sent, c.sent) << c.at.x() << "," << c.at.y();
    }
    ItemListValues[2] = QStringLiteral("B200");
    host.sent.clear();
    Click(window.MainPic, {120, 310});
    EXPECT_EQ(host.sent, QStringList({"ITEM" + CR, "B200" + CR}));
}

TEST_F(MouseTest, SideButtonsAnswerNothing)
{
    for (const Qt::MouseButton button : {Qt::BackButton, Qt::ForwardButton}) {
        for (const QPoint at : {QPoint(5, 5), QPoint(110, 130)}) {
            host.sent.clear();
            Click(window.MainPic, at, button);
            EXPECT_TRUE(host.sent.isEmpty()) << button << " at " << at.x() << "," << at.y();
        }
    }
}

TEST_F(MouseTest, TypedTextGoesAheadOfTheTagOrIntoATwoRowButton)
{
    const std::pair<QPoint, QStringList> cases[] = {
        {{110, 130}, {"AB" + CR, "F1" + CR}},
        {{150, 250}, {"ABGO" + CR}},
        {{310, 250}, {"AB" + CR, "ONE" + CR}},
    };
    for (const auto& [at, sent] : cases) {
        host.sent.clear();
        OpenInputBox("in^5^3^4^^^^0");
        QTest::keyClicks(window.INText, "AB");
        Click(window.MainPic, at);
        EXPECT_EQ(host.sent, sent) << at.x() << "," << at.y();
        EXPECT_TRUE(TypeAhead.isEmpty());
        EXPECT_TRUE(window.INTextPic->isHidden());
        EXPECT_FALSE(InputPending);
    }
}

TEST_F(MouseTest, TestModeQueuesTheTagsInsteadOfAnswering)
{
    TestMode = VbTrue;
    for (const QPoint at : {QPoint(150, 190), QPoint(320, 190), QPoint(110, 130)})
        Click(window.MainPic, at);
    Click(window.MainPic, {110, 130}, Qt::RightButton);
    Click(window.MainPic, {5, 5});
    EXPECT_EQ(host.sent, QStringList({">>" + CR, ">>" + CR, ">>" + CR, ">>" + CR, CR}));
    QStringList queued;
    for (int i = 0; i < window.DataList->count(); ++i)
        queued << window.DataList->item(i)->text();
    EXPECT_EQ(queued, QStringList({"", "P", "", "S", "", "", "", ""}));
    EXPECT_TRUE(window.ThePopUp->isHidden());

    // The next input requests take the queued answers.
    host.sent.clear();
    window.Process("in^1^1^5^^^^0");
    window.Process("in^1^1^5^^^^0");
    EXPECT_EQ(host.sent, QStringList({CR, "P" + CR}));
}

TEST_F(MouseTest, RightClickOpensThePopUpMenuAndPanelsStopClicks)
{
    // Away from the help panel: a press on the panel itself is its own.
    window.HelpPicContainer->move(500, 400);
    window.HelpPicContainer->show();
    HelpShown = true;
    Click(window.MainPic, {110, 130}, Qt::RightButton);
    EXPECT_FALSE(window.ThePopUp->isHidden());
    window.ThePopUp->hide();
    EXPECT_TRUE(window.HelpPicContainer->isHidden());
    EXPECT_FALSE(HelpShown);

    for (QWidget* panel : {static_cast<QWidget*>(window.MsgPic), static_cast<QWidget*>(window.ParmFrame),
                           static_cast<QWidget*>(window.ListPic), static_cast<QWidget*>(window.ProcPic)}) {
        panel->show();
        Click(window.MainPic, {5, 5});
        panel->hide();
    }
    CurPage = 1;
    Click(window.MainPic, {110, 130});
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST_F(MouseTest, SubWindowClicksUseItsShiftedEntitiesAndOnlyTheTag)
{
    SubWindowRect = {5, 4, 30, 10};
    // Column 10, row 6 of the screen is 50, 60 in the sub-window: five
    // columns in, two rows down plus its caption row.
    Put(9, KindField, 10, 6, 5, 1, "SUB", 0, VbTrue, 1);
    window.lvMainPic->setGeometry(60, 60, 400, 300);
    window.lvMainPic->show();
    window.lvMainPic->raise();
    CurPage = 1;
    window.lvINTextPic->show();
    InputPending = true;
    TypeAhead = QStringLiteral("AB");

    Click(window.lvMainPic, {100, 80});
    EXPECT_EQ(host.sent, QStringList{"SUB" + CR});
    EXPECT_EQ(TypeAhead, QStringLiteral("AB"));
    EXPECT_TRUE(window.lvINTextPic->isHidden());
    EXPECT_FALSE(InputPending);

    // Entities of the main screen are not in the sub-window; page 0 rules
    // out the sub-window.
    host.sent.clear();
    Click(window.lvMainPic, {110, 130});
    Click(window.lvMainPic, {101, 80});
    EXPECT_EQ(host.sent, QStringList({CR, CR}));
    CurPage = 0;
    Click(window.lvMainPic, {100, 80});
    EXPECT_EQ(host.sent.size(), 2);
}

TEST_F(MouseTest, PointerShowsHelpAndThePictureOfWhatLiesUnderIt)
{
    Put(10, KindField, 15, 9, 5, 1, "UNDER"); // under the caption 2, at 150..200 x 180..200
    EntityData[10] = QStringLiteral("help 10");
    struct Case {
        QPointF at;
        QString help;
        QString icon;
    };
    // A connected window shows the pictures' own pointers.
    UseCustomPointer(*window.MainPic);
    const Case cases[] = {
        {{140, 130}, "help 0", "201"},  // the lower index first
        {{120, 190}, "help 2", "202"},  // only a caption that does not react
        {{160, 190}, "help 10", "201"}, // the caption passed over, the field found
        {{320, 190}, "help 3", "101"},  // reacting but disabled
        {{5, 5}, "help 3", "202"},      // the help line keeps its text
    };
    for (const Case& c : cases) {
        Move(window.MainPic, c.at);
        EXPECT_EQ(window.HelpBar->text(), c.help) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(window.MainPic->property("Tag").toString(), c.icon) << c.at.x() << "," << c.at.y();
        EXPECT_FALSE(window.MainPic->cursor().pixmap().isNull());
    }
    const qint64 disabled = window.MainPic->cursor().pixmap().cacheKey();
    Move(window.MainPic, {320, 190});
    Move(window.MainPic, {110, 130});
    EXPECT_NE(window.MainPic->cursor().pixmap().cacheKey(), disabled);

    // Without a connection a move brings the picture's own pointer back.
    UseDefaultPointer(*window.MainPic);
    Connected = false;
    Move(window.MainPic, {5, 5});
    EXPECT_FALSE(window.MainPic->cursor().pixmap().isNull());
    Connected = true;

    // Blocked by a panel: nothing changes.
    window.MsgPic->show();
    Move(window.MainPic, {110, 130});
    EXPECT_EQ(window.MainPic->property("Tag").toString(), QStringLiteral("202"));
}

TEST_F(MouseTest, TestModeShowsTheGridPlaceAndOutlinesTheEntity)
{
    TestMode = VbTrue;
    window.MainPic->Clear();
    Move(window.MainPic, {5, 5});
    EXPECT_EQ(window.HelpBar->text(), QStringLiteral("X=0,Y=0"));
    EXPECT_EQ(window.MainPic->property("Tag").toString(), QStringLiteral("102"));

    Move(window.MainPic, {145, 130});
    EXPECT_EQ(window.HelpBar->text(), QStringLiteral("X=14,Y=6 Ent=0 Width=10"));
    EXPECT_EQ(window.MainPic->property("Tag").toString(), QStringLiteral("201"));
    const QImage& image = window.MainPic->Image();
    const QRgb yellow = ToQColor(QBColor(14)).rgb();
    for (const QPoint corner : {QPoint(100, 120), QPoint(200, 120), QPoint(100, 140), QPoint(200, 140)})
        EXPECT_EQ(image.pixel(corner), yellow) << corner.x() << "," << corner.y();
    EXPECT_NE(image.pixel(150, 130), yellow);

    // A disabled entity reacts in test mode.
    Move(window.MainPic, {320, 190});
    EXPECT_EQ(window.MainPic->property("Tag").toString(), QStringLiteral("201"));
}

TEST_F(MouseTest, HitRectanglesOfTheSubWindowAndBeyondTheTable)
{
    HitGeometry geometry{10, 20, true, 5, 4};
    Entity onPage;
    onPage.X = 10;
    onPage.Y = 6;
    onPage.Width = 5;
    onPage.Height = 1;
    onPage.Region = 1;
    const HitRect r = HitRectOf(onPage, geometry);
    EXPECT_EQ(QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)), QRectF(50, 60, 50, 20));
    Entity mainScreen = onPage;
    mainScreen.Region = 0;
    const HitRect m = HitRectOf(mainScreen, geometry);
    EXPECT_EQ(QRectF(QPointF(m.left, m.top), QPointF(m.right, m.bottom)), QRectF(100, 120, 50, 20));

    // Corners round to whole pixels; a count beyond the table reads the table.
    geometry = HitGeometry{10.25, 20, false, 0, 0};
    EXPECT_EQ(HitRectOf(onPage, geometry).left, 102);
    EntityCount = 5000;
    EXPECT_EQ(ClickTarget(-100, -100, 0, geometry), -1);
    EntityCount = -1;
    EXPECT_TRUE(PointerTargets(105, 125, geometry, true, false, 0).passed.empty());
}
