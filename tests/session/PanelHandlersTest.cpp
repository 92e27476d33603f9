#include "tests/session/AnswerFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
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
    // Through the window, as the platform delivers one: the widget overload
    // of the test library sends no second press.
    static void DoubleClick(QWidget* target, QPoint at)
    {
        QWindow* window = target->window()->windowHandle();
        const QPoint inWindow = target->mapTo(target->window(), at);
        QTest::mouseClick(window, Qt::LeftButton, {}, inWindow);
        QTest::mouseDClick(window, Qt::LeftButton, {}, inWindow);
        QApplication::processEvents();
    }
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

TEST_F(PanelHandlersTest, ListSelectionAnswersCloseIt)
{
    struct Case {
        const char* name;
        std::function<void(fConnection&)> act;
        QStringList sent;
    };
    const auto rowCentre = [](fConnection& w, int row) {
        return w.LSList->visualItemRect(w.LSList->item(row)).center();
    };
    const Case cases[] = {
        {"OK", [](fConnection& w) { QTest::mouseClick(w.LSCmnd[0], Qt::LeftButton); }, {"A100 Smith" + CR}},
        {"Cancel", [](fConnection& w) { QTest::mouseClick(w.LSCmnd[1], Qt::LeftButton); }, {CR}},
        {"Maint", [](fConnection& w) { QTest::mouseClick(w.LSCmnd[2], Qt::LeftButton); }, {"^M" + CR}},
        {"Print", [](fConnection& w) { QTest::mouseClick(w.LSCmnd[3], Qt::LeftButton); }, {"^P" + CR}},
        {"double click",
         [&](fConnection& w) { DoubleClick(w.LSList->viewport(), rowCentre(w, 1)); },
         {"B200 Jones" + CR}},
        {"Down, Enter",
         [](fConnection& w) {
             Key(w.LSList, Qt::Key_Down);
             Key(w.LSList, Qt::Key_Return);
         },
         {"B200 Jones" + CR}},
        {"Tab to Cancel, Enter",
         [](fConnection& w) {
             w.LSCmnd[1]->setFocus();
             Key(w.LSCmnd[1], Qt::Key_Return);
         },
         {CR}},
        {"Esc", [](fConnection& w) { Key(w.LSList, Qt::Key_Escape); }, {CR}},
        {"no current line",
         [](fConnection& w) {
             w.LSList->setCurrentItem(nullptr);
             QTest::mouseClick(w.LSCmnd[0], Qt::LeftButton);
         },
         {CR}},
    };
    for (const Case& c : cases) {
        host.sent.clear();
        window.Process("ls^Pick^^5^M");
        window.Process("ld^x^  A100 Smith  ");
        window.Process("ld^x^B200 Jones");
        window.Process("le");
        QApplication::processEvents();
        EXPECT_EQ(Focused(), window.LSList) << c.name;
        TypeAhead = QStringLiteral("typed");
        c.act(window);
        EXPECT_EQ(host.sent, c.sent) << c.name;
        EXPECT_TRUE(window.ListPic->isHidden()) << c.name;
        EXPECT_TRUE(TypeAhead.isEmpty()) << c.name;
    }
}

TEST_F(PanelHandlersTest, ItemListChoiceIsWhatItsLinksSend)
{
    EntityAttrs[static_cast<size_t>(KindActionButton)].Clickable = VbTrue;
    window.Process("cs");
    window.Process("to^10^12^10^b^Use code^CODE^4");
    window.Process("is^0^10^5^19^4");
    window.Process("id^0^A100 First line");
    window.Process("id^0^B200 Second");
    window.Process("ie^0");
    QListWidget& list = *window.ILList[0];
    ASSERT_FALSE(list.isHidden());
    ASSERT_EQ(EntityCount, 1);
    EXPECT_NE(Entities[0].Active, 0);
    const QPoint button(10 * 10 + 5, 12 * 20 + 5);

    QTest::mouseClick(window.MainPic, Qt::LeftButton, {}, button);
    EXPECT_EQ(host.sent, QStringList({"CODE" + CR, "B200" + CR}));

    host.sent.clear();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(0)).center());
    EXPECT_EQ(ItemListValues[0], QStringLiteral("A100"));
    QTest::mouseClick(window.MainPic, Qt::LeftButton, {}, button);
    EXPECT_EQ(host.sent, QStringList({"CODE" + CR, "A100" + CR}));
    // A double click chooses and sends nothing of its own.
    host.sent.clear();
    DoubleClick(list.viewport(), list.visualItemRect(list.item(1)).center());
    EXPECT_TRUE(host.sent.isEmpty());
    window.Process("cs");
}

TEST_F(PanelHandlersTest, AClickOnTheChosenLineReadiesALinkDrawnAfterTheChoice)
{
    EntityAttrs[static_cast<size_t>(KindActionButton)].Clickable = VbTrue;
    window.Process("cs");
    window.Process("is^0^10^5^19^4");
    window.Process("id^0^A100 First line");
    window.Process("id^0^B200 Second");
    window.Process("ie^0");
    window.Process("to^10^12^10^b^Use code^CODE^4");
    ASSERT_EQ(EntityCount, 1);
    ASSERT_EQ(Entities[0].Active, 0);
    QListWidget& list = *window.ILList[0];
    const QPoint button(10 * 10 + 5, 12 * 20 + 5);

    // Through the window, as the platform delivers a click.
    QWindow* handle = window.windowHandle();
    const QPoint chosen = list.viewport()->mapTo(&window, list.visualItemRect(list.item(1)).center());
    QTest::mouseClick(handle, Qt::LeftButton, {}, chosen);
    QApplication::processEvents();
    EXPECT_NE(Entities[0].Active, 0);
    QTest::mouseClick(window.MainPic, Qt::LeftButton, {}, button);
    EXPECT_EQ(host.sent, QStringList({"CODE" + CR, "B200" + CR}));

    // A choice by keys counts as well.
    host.sent.clear();
    list.setFocus();
    Key(Focused(), Qt::Key_Up);
    EXPECT_EQ(ItemListValues[0], QStringLiteral("A100"));
    window.Process("cs");
}

TEST_F(PanelHandlersTest, ParameterChoiceAnswers)
{
    struct Case {
        const char* name;
        std::function<void(fConnection&)> act;
        QStringList sent;
        bool stays;
    };
    const Case cases[] = {
        {"Printer, Ok",
         [](fConnection& w) {
             QTest::mouseClick(w.oParams[1], Qt::LeftButton, {}, QPoint(5, 10));
             QTest::mouseClick(w.PLCommand[0], Qt::LeftButton);
         },
         {"2" + CR},
         false},
        {"Printer, Enter",
         [](fConnection& w) {
             QTest::mouseClick(w.oParams[1], Qt::LeftButton, {}, QPoint(5, 10));
             Key(w.oParams[1], Qt::Key_Return);
         },
         {"2" + CR},
         false},
        {"double click Screen", [](fConnection& w) { DoubleClick(w.oParams[0], QPoint(5, 10)); }, {"1" + CR}, false},
        {"Ok, none chosen", [](fConnection& w) { QTest::mouseClick(w.PLCommand[0], Qt::LeftButton); }, {CR}, false},
        {"Cancel", [](fConnection& w) { QTest::mouseClick(w.PLCommand[1], Qt::LeftButton); }, {"X" + CR}, false},
        {"Esc", [](fConnection& w) { Key(w.PLCommand[0], Qt::Key_Escape); }, {"X" + CR}, false},
        {"Help", [](fConnection& w) { QTest::mouseClick(w.PLCommand[2], Qt::LeftButton); }, {"?" + CR}, true},
        {"hidden choice",
         [](fConnection& w) {
             w.oParams[5]->setAutoExclusive(false);
             w.oParams[5]->setChecked(true);
             QTest::mouseClick(w.PLCommand[0], Qt::LeftButton);
         },
         {CR},
         false},
    };
    for (const Case& c : cases) {
        host.sent.clear();
        window.Process("pl^Print to^1=Screen^2=Printer^end");
        QApplication::processEvents();
        TypeAhead = QStringLiteral("typed");
        c.act(window);
        EXPECT_EQ(host.sent, c.sent) << c.name;
        EXPECT_EQ(window.ParmFrame->isHidden(), !c.stays) << c.name;
        if (!c.stays) {
            EXPECT_TRUE(TypeAhead.isEmpty()) << c.name;
        }
    }
}

TEST_F(PanelHandlersTest, EnterAnswersThePanelOpenedLast)
{
    struct Panel {
        const char* name;
        QStringList units;
        QString reply;
    };
    const Panel panels[] = {
        {"list", {"ls^Pick^^5", "ld^x^A100 Smith", "le"}, "A100 Smith" + CR},
        {"parameters", {"pl^Print to^1=Screen^2=Printer^end"}, CR},
        {"message box", {"mb^Q^Continue?^2^Yes^Y^No^N^end"}, "Y" + CR},
        {"procedure", {"ph", "+link=Quit:Q"}, "Q" + CR},
    };
    const auto picture = [this](int panel) -> QWidget* {
        QWidget* pictures[] = {window.ListPic, window.ParmFrame, window.MsgPic, window.ProcPic};
        return pictures[panel];
    };
    const auto closeAll = [&] {
        window.Process("pe");
        for (int panel = 0; panel < 3; ++panel)
            picture(panel)->hide();
    };
    constexpr int Procedure = 3;
    for (int first = 0; first < 4; ++first) {
        for (int last = 0; last < 4; ++last) {
            for (const bool linkAfter : {false, true}) {
                if (first == last || (linkAfter && first != Procedure && last != Procedure))
                    continue;
                const std::string row =
                    std::string(panels[first].name) + " then " + panels[last].name + (linkAfter ? ", then a link" : "");
                host.sent.clear();
                for (int panel : {first, last})
                    for (const QString& unit : panels[panel].units)
                        window.Process(unit);
                if (linkAfter)
                    window.Process("+link=Print:P");
                QApplication::processEvents();
                QWidget* focused = Focused();
                Key(focused ? focused : &window, Qt::Key_Return);
                EXPECT_EQ(host.sent, QStringList{panels[last].reply}) << row;
                EXPECT_FALSE(picture(first)->isHidden()) << row;
                if (last != Procedure) {
                    EXPECT_TRUE(picture(last)->isHidden()) << row;
                }
                closeAll();
            }
        }
    }
}

TEST_F(PanelHandlersTest, PanelAccessKeysWinOverTheMenuBar)
{
    struct Case {
        const char* name;
        QStringList units;
        Qt::Key key;
        QString sent;
    };
    const Case cases[] = {
        {"list Cancel", {"ls^Pick^^5", "ld^x^A100 Smith", "le"}, Qt::Key_C, CR},
        {"list Print", {"ls^Pick^^5", "ld^x^A100 Smith", "le"}, Qt::Key_P, "^P" + CR},
        {"parameters Cancel", {"pl^Print to^1=Screen^2=Printer^end"}, Qt::Key_C, "X" + CR},
        {"parameters Help", {"pl^Print to^1=Screen^2=Printer^end"}, Qt::Key_H, "?" + CR},
        {"message Close", {"mb^Q^Done^2^Close^C^View^V^end"}, Qt::Key_C, "C" + CR},
        {"message View", {"mb^Q^Done^2^Close^C^View^V^end"}, Qt::Key_V, "V" + CR},
        {"procedure link", {"ph", "+link=&Continue:GO"}, Qt::Key_C, "GO" + CR},
        // Two panels with the same key: the one opened last answers.
        {"parameters over list",
         {"ls^Pick^^5", "ld^x^A100 Smith", "le", "pl^Print to^1=Screen^end"},
         Qt::Key_C,
         "X" + CR},
    };
    for (const Case& c : cases) {
        host.sent.clear();
        for (const QString& unit : c.units)
            window.Process(unit);
        QApplication::processEvents();
        QWidget* focused = Focused();
        QTest::keyClick(focused ? focused : &window, c.key, Qt::AltModifier);
        QApplication::processEvents();
        EXPECT_EQ(host.sent, QStringList{c.sent}) << c.name;
        EXPECT_EQ(window.menuBar()->activeAction(), nullptr) << c.name;
        window.Process("pe");
        for (QWidget* panel : {window.ListPic, window.ParmFrame, window.MsgPic})
            panel->hide();
    }

    // Letters no panel button has still open the menus, and with no panel
    // shown every letter does.
    const std::pair<QStringList, Qt::Key> menus[] = {{{"ls^Pick^^5", "ld^x^A100 Smith", "le"}, Qt::Key_F},
                                                     {{}, Qt::Key_C}};
    for (const auto& [units, key] : menus) {
        host.sent.clear();
        for (const QString& unit : units)
            window.Process(unit);
        QApplication::processEvents();
        QWidget* focused = Focused();
        QTest::keyClick(focused ? focused : &window, key, Qt::AltModifier);
        QApplication::processEvents();
        EXPECT_TRUE(host.sent.isEmpty()) << key;
        QAction* opened = window.menuBar()->activeAction();
        ASSERT_NE(opened, nullptr) << key;
        EXPECT_EQ(opened->menu(), key == Qt::Key_F ? window.filemnu : window.connectionmnu);
        opened->menu()->hide();
        window.ListPic->hide();
    }
}

TEST_F(PanelHandlersTest, ProcedureLinksAndInputLineAnswer)
{
    window.Process("ph");
    window.Process("Copying files");
    window.Process("+link=Print report:P");
    window.Process("+LINK=Quit:Q");
    QTest::mouseClick(window.ProcButt[1], Qt::LeftButton);
    EXPECT_EQ(host.sent, QStringList{"Q" + CR});
    for (const QPushButton* button : window.ProcButt)
        EXPECT_TRUE(button->isHidden());
    EXPECT_EQ(ProcLinkCount, 0);

    // Enter presses the first link unless the user has moved to another.
    const std::pair<int, QStringList> presses[] = {{-1, {"P" + CR}}, {1, {"Q" + CR}}};
    for (const auto& [focus, sent] : presses) {
        host.sent.clear();
        window.Process("+link=Print report:P");
        window.Process("+LINK=Quit:Q");
        window.ProcButt[focus < 0 ? 0 : focus]->setFocus();
        if (focus < 0)
            window.ProcText->setFocus();
        Key(Focused(), Qt::Key_Return);
        EXPECT_EQ(host.sent, sent) << focus;
    }

    // The input line sends what was typed, as one line, with Enter or Tab.
    const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_Return, "a~b"}, {Qt::Key_Tab, "@open,x"}};
    for (const auto& [key, typedText] : keys) {
        host.sent.clear();
        window.Process("+input=");
        ASSERT_EQ(Focused(), window.fProcInput);
        QTest::keyClicks(window.fProcInput, typedText);
        Key(window.fProcInput, key);
        EXPECT_EQ(host.sent, QStringList{typedText + CR}) << typedText;
        EXPECT_TRUE(window.fProcInput->isHidden());
        EXPECT_TRUE(window.lblProcLabel->isHidden());
        EXPECT_TRUE(window.fProcInput->text().isEmpty());
        EXPECT_TRUE(TypeAhead.isEmpty());
    }
    host.sent.clear();
    window.Process("+input=ABC");
    Key(window.fProcInput, Qt::Key_Return);
    window.Process("+input=");
    Key(window.fProcInput, Qt::Key_Return);
    EXPECT_EQ(host.sent, QStringList({"ABC" + CR, CR}));

    host.sent.clear();
    window.Process("pe");
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_TRUE(window.ProcPic->isHidden());
}
