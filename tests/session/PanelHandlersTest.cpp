#include "tests/session/AnswerFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace zor;

namespace {

const QString CR = QStringLiteral("\r");

class PanelHandlersTest : public test::AnswerTest {
protected:
    void TearDown() override
    {
        window.Timer4->stop();
        AnswerTest::TearDown();
    }

    static void Key(QWidget* target, Qt::Key key)
    {
        QTest::keyClick(target, key);
        QApplication::processEvents();
    }
    static QWidget* Focused() { return QApplication::focusWidget(); }
};

} // namespace

TEST_F(PanelHandlersTest, MessageBoxButtonsSendTheirRepliesAndClose)
{
    struct Case {
        const char* name;
        std::function<void(fConnection&)> act;
        QStringList sent;
    };
    const Case cases[] = {
        {"click Yes", [](fConnection& w) { QTest::mouseClick(w.MBCommand[0], Qt::LeftButton); }, {"Y" + CR}},
        {"click No", [](fConnection& w) { QTest::mouseClick(w.MBCommand[1], Qt::LeftButton); }, {"N" + CR}},
        {"Enter", [](fConnection& w) { Key(w.MBCommand[0], Qt::Key_Return); }, {"Y" + CR}},
        {"Tab, Enter",
         [](fConnection& w) {
             Key(w.MBCommand[0], Qt::Key_Tab);
             Key(Focused(), Qt::Key_Return);
         },
         {"N" + CR}},
        {"Tab, Space",
         [](fConnection& w) {
             Key(w.MBCommand[0], Qt::Key_Tab);
             Key(Focused(), Qt::Key_Space);
         },
         {"N" + CR}},
        {"Ctrl+M", [](fConnection& w) { QTest::keyClick(w.MBCommand[0], Qt::Key_M, Qt::ControlModifier); }, {"Y" + CR}},
    };
    for (const Case& c : cases) {
        host.sent.clear();
        window.Process("mb^Q^Continue?^2^Yes^Y^No^N^end");
        QApplication::processEvents();
        EXPECT_EQ(Focused(), window.MBCommand[0]) << c.name;
        c.act(window);
        EXPECT_EQ(host.sent, c.sent) << c.name;
        EXPECT_TRUE(window.MsgPic->isHidden()) << c.name;
        for (const QPushButton* button : window.MBCommand)
            EXPECT_TRUE(button->isHidden()) << c.name;
    }

    // A reply of several lines, and the input box gets the focus back.
    host.sent.clear();
    OpenInputBox();
    window.Process("mb^Q^x^^Both^A~B^end");
    QTest::mouseClick(window.MBCommand[0], Qt::LeftButton);
    EXPECT_EQ(host.joined(), "A" + CR + "B" + CR);
    EXPECT_EQ(Focused(), window.INText);
}

TEST_F(PanelHandlersTest, CountdownClosesSilentlyAndGivesTheInputBoxItsFocus)
{
    OpenInputBox();
    window.Process("mb^Wait^Please wait^^timer=5");
    for (int tick = 0; tick < 4; ++tick)
        window.Timer4_Timer();
    EXPECT_FALSE(window.MsgPic->isHidden());
    // Enter on a box without buttons answers nothing and leaves it open.
    Key(window.MsgPic, Qt::Key_Return);
    EXPECT_FALSE(window.MsgPic->isHidden());
    window.Timer4_Timer();
    EXPECT_TRUE(window.MsgPic->isHidden());
    EXPECT_TRUE(host.sent.isEmpty()) << host.joined().toStdString();
    QApplication::processEvents();
    EXPECT_EQ(Focused(), window.INText);
}
