#include "core/Ciphers.h"
#include "tests/session/AnswerFixture.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace zor;
using zor::test::AnswerTest;

namespace {

const QString CR = QStringLiteral("\r");

// A key with a text of its own, as a keyboard layout would give it.
void TypeCharacter(QWidget* widget, QChar character)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
    QApplication::sendEvent(widget, &press);
}

} // namespace

TEST_F(AnswerTest, OnlyPrintableCharactersAreTypedAhead)
{
    QTest::keyClicks(&window, "Ab 9~");
    TypeCharacter(&window, QChar(0xe9));
    TypeCharacter(&window, QChar(0x7f));
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_Backspace);
    QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(TypeAhead, QStringLiteral("Ab 9~"));

    // A host message box takes no type-ahead.
    window.MsgPic->show();
    QTest::keyClicks(&window, "zz");
    EXPECT_EQ(TypeAhead, QStringLiteral("Ab 9~"));
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST_F(AnswerTest, TypedAheadTextOpensInTheNextBoxAndIsTheAnswer)
{
    QTest::keyClicks(&window, "12");
    OpenInputBox("in^5^3^10^^Default^^0");
    EXPECT_EQ(window.INText->text(), QStringLiteral("12"));
    QTest::keyClicks(window.INText, "3");
    EXPECT_EQ(TypeAhead, QStringLiteral("123"));
    QTest::keyClick(window.INText, Qt::Key_Return);
    EXPECT_EQ(host.sent, QStringList{"123" + CR});
}

TEST_F(AnswerTest, CtrlZThenThreeKeysIsOneWriteWithTheMark)
{
    QTest::keyClicks(&window, "AB");
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(window.AnswerArmed);
    EXPECT_TRUE(TypeAhead.isEmpty());
    QTest::keyClicks(&window, "12");
    EXPECT_TRUE(host.sent.isEmpty());
    QTest::keyClick(&window, Qt::Key_3);
    EXPECT_EQ(host.sent, QStringList{QStringLiteral("AB") + QChar(26) + QStringLiteral("123")});
    EXPECT_FALSE(window.AnswerArmed);
    EXPECT_TRUE(window.PendingPrefix.isEmpty());
    EXPECT_TRUE(TypeAhead.isEmpty());
    EXPECT_FALSE(InputPending);
}

TEST_F(AnswerTest, CtrlZInAnOpenInputBoxKeepsTheArmedKeysOutOfTheBox)
{
    OpenInputBox();
    QTest::keyClicks(window.INText, "AB");
    QTest::keyClick(window.INText, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.INText->text(), QStringLiteral("AB"));
    QTest::keyClicks(window.INText, "123");
    EXPECT_EQ(host.sent, QStringList{QStringLiteral("AB") + QChar(26) + QStringLiteral("123")});
    EXPECT_TRUE(window.INTextPic->isHidden());
    EXPECT_TRUE(TypeAhead.isEmpty());
}

TEST_F(AnswerTest, EnterSendsTheAnswerTypedAndClosesTheBox)
{
    LoadScriptKeys();
    struct Case {
        const char* unit;
        const char* typedText;
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        QString sent;
    };
    const Case cases[] = {
        {"in^5^3^10^^^^0", "", Qt::NoModifier, Qt::Key_Return, CR},
        {"in^5^3^10^^^^0", "42", Qt::NoModifier, Qt::Key_Enter, "42" + CR},
        {"in^5^3^10^^^^0", "7", Qt::ControlModifier, Qt::Key_M, "7" + CR},
        {"in^5^3^10^^^^0^3", "42", Qt::NoModifier, Qt::Key_Return, EncryptWithKey("42", 3) + CR},
        {"in^5^3^10^^^^0", "a~b", Qt::NoModifier, Qt::Key_Return, "a~b" + CR},
    };
    for (const Case& c : cases) {
        host.sent.clear();
        OpenInputBox(c.unit);
        QTest::keyClicks(window.INText, c.typedText);
        QTest::keyClick(window.INText, c.key, c.modifiers);
        EXPECT_EQ(host.sent, QStringList{c.sent}) << c.unit << " " << c.typedText;
        EXPECT_TRUE(window.INTextPic->isHidden());
        EXPECT_FALSE(InputPending);
        EXPECT_TRUE(TypeAhead.isEmpty());
    }
    // With no box open Enter still answers: an empty line.
    host.sent.clear();
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_EQ(host.sent, QStringList{CR});
}

TEST_F(AnswerTest, DeleteAtTheEndOfTheFieldAsksToClearIt)
{
    OpenInputBox();
    QTest::keyClicks(window.INText, "ABC");
    window.INText->setCursorPosition(1);
    QTest::keyClick(window.INText, Qt::Key_Delete);
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_EQ(window.INText->text(), QStringLiteral("AC"));

    window.INText->setCursorPosition(2);
    QTest::keyClick(window.INText, Qt::Key_Delete);
    EXPECT_EQ(host.sent, QStringList{"#" + CR});
    EXPECT_FALSE(window.INTextPic->isHidden());
}

TEST_F(AnswerTest, ArrowsAndEscapeMoveBetweenFields)
{
    OpenInputBox();
    QTest::keyClick(window.INText, Qt::Key_Up);
    QTest::keyClick(window.INText, Qt::Key_Down);
    EXPECT_EQ(host.sent, QStringList({"<" + CR, ">" + CR}));
    QTest::keyClick(window.INText, Qt::Key_Escape);
    EXPECT_EQ(host.sent.last(), ">>" + CR);
    EXPECT_TRUE(window.INTextPic->isHidden());

    // Without an input box the arrows are only keys.
    host.sent.clear();
    QTest::keyClick(&window, Qt::Key_Up);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST_F(AnswerTest, EscapeClosesTheListAndParameterPanelsWithTheirAnswers)
{
    struct Case {
        QWidget* panel;
        QStringList sent;
    };
    const Case cases[] = {
        {window.ListPic, {CR}},
        {window.ParmFrame, {"X" + CR}},
        {window.MsgPic, {}},
        {window.ProcPic, {}},
    };
    for (const Case& c : cases) {
        host.sent.clear();
        OpenInputBox();
        c.panel->show();
        QTest::keyClick(window.INText, Qt::Key_Up);
        QTest::keyClick(window.INText, Qt::Key_Return);
        QTest::keyClick(window.INText, Qt::Key_Escape);
        EXPECT_EQ(host.sent, c.sent) << c.panel->objectName().toStdString();
        // The panel stays unless Esc closed it; the input box keeps the focus.
        EXPECT_EQ(c.panel->isHidden(), !c.sent.isEmpty()) << c.panel->objectName().toStdString();
        EXPECT_FALSE(window.INTextPic->isHidden());
        EXPECT_TRUE(window.INText->hasFocus());
        c.panel->hide();
    }
}

TEST_F(AnswerTest, FirstKeyAfterTheHelpOnlyClosesIt)
{
    OpenInputBox();
    window.HelpPicContainer->show();
    HelpShown = true;
    window.MainPic->setFocus();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.HelpPicContainer->isHidden());
    EXPECT_FALSE(HelpShown);
    EXPECT_TRUE(window.INText->hasFocus());
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_TRUE(TypeAhead.isEmpty());
    EXPECT_FALSE(window.INTextPic->isHidden());
}

TEST_F(AnswerTest, ConsoleLineIsTypedEditedAndSent)
{
    window.Console->show();
    window.ConsoleText->setFocus();
    QTest::keyClicks(window.ConsoleText, "lsx");
    QTest::keyClick(window.ConsoleText, Qt::Key_Backspace);
    EXPECT_EQ(window.ConsoleLine, QStringLiteral("ls"));
    QTest::keyClick(window.ConsoleText, Qt::Key_Return);
    EXPECT_EQ(host.sent, QStringList{"ls" + CR});
    EXPECT_TRUE(window.ConsoleLine.isEmpty());
    QTest::keyClick(window.ConsoleText, Qt::Key_Escape);
    EXPECT_TRUE(window.Console->isHidden());
}

TEST_F(AnswerTest, AltGTogglesTestModeAndAltBSendsTheBreakCharacter)
{
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(TestMode, VbTrue);
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(TestMode, 0);

    const std::pair<double, QStringList> cases[] = {
        {3, {QString(QChar(3))}},
        {2.5, {QString(QChar(2))}},
        {300, {}},
        {-1, {}},
    };
    for (const auto& [code, sent] : cases) {
        host.sent.clear();
        BreakChar = code;
        QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);
        EXPECT_EQ(host.sent, sent) << code;
    }
    EXPECT_TRUE(TypeAhead.isEmpty());
}
