#include "core/WindowUtils.h"
#include "tests/session/AnswerFixture.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>

using namespace zor;
using zor::test::AnswerTest;

namespace {

class DraggingTest : public AnswerTest {
protected:
    void SetUp() override
    {
        AnswerTest::SetUp();
        // Away from the screen's origin, so a mapping that forgets where the
        // window is shows.
        window.move(300, 200);
        ShadowOn = VbTrue;
        window.MoveBox->hide();
    }

    // The pointer is where the system says on the screen; a caption that
    // follows it moves away from under the local point it was pressed at.
    static void Mouse(QWidget* widget, QEvent::Type type, QPoint global, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(widget->mapFromGlobal(global)), QPointF(global), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    // Press at (30, 10) of the caption, move by the distance, release.
    static void Drag(QWidget* caption, QPoint distance, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint grab = caption->mapToGlobal(QPoint(30, 10));
        Mouse(caption, QEvent::MouseButtonPress, grab, button, button);
        Mouse(caption, QEvent::MouseMove, grab + distance / 2, Qt::NoButton, button);
        Mouse(caption, QEvent::MouseMove, grab + distance, Qt::NoButton, button);
        Mouse(caption, QEvent::MouseButtonRelease, grab + distance, button, Qt::NoButton);
    }
};

} // namespace

TEST_F(DraggingTest, PanelsFollowTheirCaptionWithTheLeftButtonOnly)
{
    const std::pair<QWidget*, QWidget*> panels[] = {
        {window.MsgPicCap, window.MsgPic},
        {window.LSForm, window.ListPic},
        {window.ParamCap, window.ParmFrame},
        {window.helppiccap, window.HelpPicContainer},
    };
    for (const auto& [caption, panel] : panels) {
        SCOPED_TRACE(panel->objectName().toStdString());
        panel->move(100, 80);
        panel->show();
        panel->raise();
        Drag(caption, QPoint(40, 25));
        EXPECT_EQ(panel->pos(), QPoint(140, 105));
        Drag(caption, QPoint(-30, 50), Qt::RightButton);
        EXPECT_EQ(panel->pos(), QPoint(140, 105));
        panel->hide();
    }
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST_F(DraggingTest, SubWindowIsDroppedWhereItsOutlineWasOnRelease)
{
    window.lvMainPic->setGeometry(100, 60, 200, 120);
    window.lvMainPic->show();
    window.Shadow->setGeometry(110, 80, 200, 120);
    window.Shadow->show();

    // A click that never moves leaves everything where it was.
    Drag(window.GuiWindowCap, QPoint(0, 0));
    EXPECT_EQ(window.lvMainPic->pos(), QPoint(100, 60));
    EXPECT_EQ(window.Shadow->pos(), QPoint(110, 80));
    EXPECT_TRUE(window.MoveBox->isHidden());

    // During the drag only the outline moves.
    const QPoint grab = window.GuiWindowCap->mapToGlobal(QPoint(30, 10));
    Mouse(window.GuiWindowCap, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    Mouse(window.GuiWindowCap, QEvent::MouseMove, grab + QPoint(50, 20), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.MoveBox->geometry(), QRect(150, 80, 200, 120));
    EXPECT_FALSE(window.MoveBox->isHidden());
    EXPECT_EQ(window.lvMainPic->pos(), QPoint(100, 60));
    Mouse(window.GuiWindowCap, QEvent::MouseButtonRelease, grab + QPoint(50, 20), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(window.lvMainPic->pos(), QPoint(150, 80));
    EXPECT_EQ(window.Shadow->pos(), QPoint(160, 100)); // one cell right and down
    EXPECT_TRUE(window.MoveBox->isHidden());

    // Without the shadow switch the shadow stays; a right-button drag moves
    // nothing and leaves its outline up.
    ShadowOn = 0;
    Drag(window.GuiWindowCap, QPoint(-20, 10));
    EXPECT_EQ(window.lvMainPic->pos(), QPoint(130, 90));
    EXPECT_EQ(window.Shadow->pos(), QPoint(160, 100));
    Drag(window.GuiWindowCap, QPoint(40, 40), Qt::RightButton);
    EXPECT_EQ(window.lvMainPic->pos(), QPoint(130, 90));
    EXPECT_FALSE(window.MoveBox->isHidden());
    EXPECT_TRUE(host.sent.isEmpty());
    window.MoveBox->hide();
}

TEST_F(DraggingTest, NoDragTakesACaptionBarOutOfTheScreen)
{
    window.lvMainPic->setGeometry(100, 60, 200, 120);
    window.lvMainPic->show();
    const std::pair<QWidget*, QWidget*> panels[] = {
        {window.MsgPicCap, window.MsgPic},       {window.LSForm, window.ListPic},
        {window.ParamCap, window.ParmFrame},     {window.helppiccap, window.HelpPicContainer},
        {window.GuiWindowCap, window.lvMainPic},
    };
    const QRect screen = window.MainPic->rect();
    for (const auto& [caption, panel] : panels) {
        SCOPED_TRACE(panel->objectName().toStdString());
        panel->move(100, 80);
        panel->show();
        panel->raise();
        for (const QPoint distance : {QPoint(-3000, -3000), QPoint(3000, 3000), QPoint(-3000, 3000)}) {
            Drag(caption, distance);
            EXPECT_TRUE(screen.contains(caption->geometry().translated(panel->pos())))
                << panel->x() << "," << panel->y();
        }
        // Along an edge the panel still follows the pointer.
        panel->move(100, 80);
        Drag(caption, QPoint(0, -3000));
        EXPECT_EQ(panel->pos(), QPoint(100, -caption->y()));
        if (panel != window.lvMainPic)
            panel->hide();
    }
}

TEST_F(DraggingTest, HelpTextScrollsUnderItsCaptionAndPanelsHaveRaisedBorders)
{
    window.HelpVScroll->setMaximum(100);
    window.HelpVScroll->setValue(30);
    EXPECT_EQ(window.HelpPic->y(), -10);
    window.HelpVScroll->setValue(0);
    EXPECT_EQ(window.HelpPic->y(), 20);

    for (PictureBox* panel : {window.ListPic, window.ParmFrame, window.ProcPic, window.ProgBarPic}) {
        panel->resize(120, 80);
        QImage expected(panel->Image().size(), panel->Image().format());
        DrawRaisedBorder(expected, panel->BackColor());
        EXPECT_EQ(panel->Image(), expected) << panel->objectName().toStdString();
    }
}
