#include "tests/session/AnswerFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace zor;

namespace {

const QString CR = QStringLiteral("\r");

// One field under the whole screen and the sub-window, so that any press the
// screen took for its own would answer with the field's tag.
class PressOnControlsTest : public test::AnswerTest {
protected:
    void SetUp() override
    {
        AnswerTest::SetUp();
        EntityAttrs[static_cast<size_t>(KindField)].Clickable = VbTrue;
        Entity& field = Entities[0];
        field.EntityType = KindField;
        field.X = 0;
        field.Y = 0;
        field.Width = 80;
        field.Height = 24;
        field.SetTag(QStringLiteral("UNDER"));
        field.Active = VbTrue;
        EntityCount = 1;
        window.MainPic->resize(810, 500);
    }

    void TearDown() override
    {
        for (QWidget* control : Controls())
            control->hide();
        window.lvMainPic->hide();
        HelpShown = false;
        AnswerTest::TearDown();
    }

    QList<QWidget*> Controls() const
    {
        return {window.HelpPicContainer, window.frTenKey, window.lWorking, window.MVPic,     window.Shadow,
                window.ProgBarPic,       window.MsgPic,   window.ListPic,  window.ParmFrame, window.ProcPic};
    }

    // Shows the control at a place of the screen away from every other one.
    static void ShowAt(QWidget* control, QPoint at)
    {
        control->move(at);
        control->show();
        control->raise();
    }
};

} // namespace

TEST_F(PressOnControlsTest, PressesOnControlsOnTheScreenAnswerNothing)
{
    // Where in each control the press lands: on its own background, on a
    // caption or label it holds, or in a margin beside its children.
    struct Case {
        const char* name;
        QWidget* control;
        QWidget* target;
        QPoint at;
    };
    const Case cases[] = {
        {"help panel", window.HelpPicContainer, window.HelpPicContainer, {310, 100}},
        {"help caption", window.HelpPicContainer, window.helppiccap, {50, 10}},
        {"help text", window.HelpPicContainer, window.HelpPic, {50, 50}},
        {"ten-key frame", window.frTenKey, window.frTenKey, {5, 280}},
        {"busy picture", window.lWorking, window.lWorking, {10, 10}},
        {"editor margin", window.MVPic, window.MVPic, {285, 45}},
        {"shadow", window.Shadow, window.Shadow, {5, 5}},
        {"progress panel", window.ProgBarPic, window.ProgBarMsg, {5, 5}},
        {"message caption", window.MsgPic, window.MsgPicCap, {50, 10}},
        {"list caption", window.ListPic, window.LSForm, {50, 10}},
        {"list header", window.ListPic, window.LSHeader, {5, 5}},
        {"parameter caption", window.ParmFrame, window.ParamCap, {50, 10}},
        {"parameter group", window.ParmFrame, window.frame, {150, 230}},
        {"procedure panel", window.ProcPic, window.ProcPic, {495, 295}},
    };
    // The shadow takes the size of a sub-window; there is none here.
    window.Shadow->resize(200, 100);
    for (const Case& c : cases) {
        host.sent.clear();
        ShowAt(c.control, {100, 100});
        window.HelpPicContainer->setVisible(c.control == window.HelpPicContainer);
        HelpShown = c.control == window.HelpPicContainer;
        QTest::mouseClick(c.target, Qt::LeftButton, {}, c.at);
        EXPECT_TRUE(host.sent.isEmpty()) << c.name << ": " << host.sent.join(",").toStdString();
        if (c.control == window.HelpPicContainer) {
            EXPECT_TRUE(HelpShown) << c.name;
        }
        c.control->hide();
    }

    // Beside them the screen still answers.
    QTest::mouseClick(window.MainPic, Qt::LeftButton, {}, QPoint(700, 450));
    EXPECT_EQ(host.sent, QStringList{"UNDER" + CR});
}

TEST_F(PressOnControlsTest, PressOnTheSubWindowCaptionAnswersNothing)
{
    SubWindowRect = {0, 0, 40, 10};
    CurPage = 1;
    window.lvMainPic->setGeometry(100, 100, 400, 220);
    window.GuiWindowCap->setGeometry(0, 0, 400, 20);
    window.lvMainPic->show();
    window.lvMainPic->raise();

    QTest::mouseClick(window.GuiWindowCap, Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_TRUE(host.sent.isEmpty()) << host.sent.join(",").toStdString();
    // Below the caption the sub-window's empty space is an Enter.
    QTest::mouseClick(window.lvMainPic, Qt::LeftButton, {}, QPoint(50, 200));
    EXPECT_EQ(host.sent, QStringList{CR});
}
