#include "core/Ciphers.h"
#include "tests/session/AnswerFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace zor;
using zor::test::AnswerTest;

namespace {

const QString CR = QStringLiteral("\r");

} // namespace

TEST_F(AnswerTest, TypedTextMirrorsIntoTypeAheadAndTabSendsItOnce)
{
    OpenInputBox();
    QTest::keyClicks(window.INText, "ABC");
    EXPECT_EQ(window.INText->text(), QStringLiteral("ABC"));
    EXPECT_EQ(TypeAhead, QStringLiteral("ABC"));
    EXPECT_TRUE(InputChanged);

    QTest::keyClick(window.INText, Qt::Key_Tab);
    EXPECT_EQ(host.sent, QStringList{"ABC" + CR});
    EXPECT_TRUE(window.INTextPic->isHidden());
    EXPECT_FALSE(InputPending);
    EXPECT_TRUE(TypeAhead.isEmpty());

    // Every later Tab answers its own prompt.
    for (const char* answer : {"D", "", "EF"}) {
        host.sent.clear();
        OpenInputBox();
        QTest::keyClicks(window.INText, answer);
        QTest::keyClick(window.INText, Qt::Key_Tab);
        EXPECT_EQ(host.sent, QStringList{answer + CR}) << answer;
    }
}

TEST_F(AnswerTest, LimitStopsWhatIsTypedButKeepsTheHostsLongerText)
{
    OpenInputBox("in^5^3^20^^ABCDEFGHIJ^^5");
    QTest::keyClick(window.INText, Qt::Key_End);
    QTest::keyClick(window.INText, Qt::Key_Backspace);
    QTest::keyClicks(window.INText, "X");
    EXPECT_EQ(window.INText->text(), QStringLiteral("ABCDEFGHI"));
    QTest::keyClick(window.INText, Qt::Key_Tab);
    EXPECT_EQ(host.sent, QStringList{"ABCDEFGHI" + CR});

    host.sent.clear();
    OpenInputBox("in^5^3^20^^AB^^5");
    QTest::keyClicks(window.INText, "CDEFGH");
    EXPECT_EQ(window.INText->text(), QStringLiteral("ABCDE"));
    EXPECT_EQ(TypeAhead, QStringLiteral("ABCDE"));
    QTest::keyClick(window.INText, Qt::Key_Tab);
    EXPECT_EQ(host.sent, QStringList{"ABCDE" + CR});
}

TEST_F(AnswerTest, SecondValidationOfTheSameTabSendsNothing)
{
    OpenInputBox();
    QTest::keyClicks(window.INText, "ABC");
    // Validations raised one after the other: the first, third and fifth
    // answer.
    const QStringList expected[] = {
        {"ABC" + CR}, {"ABC" + CR}, {"ABC" + CR, CR}, {"ABC" + CR, CR}, {"ABC" + CR, CR, CR}};
    for (const QStringList& sent : expected) {
        EXPECT_TRUE(window.InputBox_Validate(true, false));
        EXPECT_EQ(host.sent, sent);
    }
}

TEST_F(AnswerTest, ShiftTabAnswersAndGoesBackOneField)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"ABC", {"ABC" + CR, "<" + CR, "<" + CR}},
        {"", {"<" + CR}},
    };
    for (const auto& [typedText, sent] : cases) {
        host.sent.clear();
        OpenInputBox();
        QTest::keyClicks(window.INText, typedText);
        QTest::keyClick(window.INText, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(host.sent, sent) << typedText;
        EXPECT_TRUE(window.INTextPic->isHidden());
    }
}

TEST_F(AnswerTest, EncipheredTabIgnoresShiftAndTheAlternation)
{
    LoadScriptKeys();
    for (const bool shift : {false, true, false}) {
        host.sent.clear();
        OpenInputBox("in^5^3^10^^^^0^7");
        QTest::keyClicks(window.INText, "PIN9");
        EXPECT_TRUE(window.InputBox_Validate(true, shift));
        EXPECT_EQ(host.sent, QStringList{EncryptWithKey("PIN9", 7) + CR}) << shift;
    }
}

TEST_F(AnswerTest, ValidationWithoutTabOrWhileClearingLetsTheFocusGo)
{
    OpenInputBox();
    QTest::keyClicks(window.INText, "AB");
    EXPECT_FALSE(window.InputBox_Validate(false, false));
    ClearingScreen = true;
    EXPECT_FALSE(window.InputBox_Validate(true, false));
    ClearingScreen = false;
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_FALSE(window.INTextPic->isHidden());
    EXPECT_TRUE(InputPending);
    EXPECT_EQ(TypeAhead, QStringLiteral("AB"));
}

TEST_F(AnswerTest, TabFromTheBoxPutsTheFocusInTheOpenEditor)
{
    window.MVPic->show();
    OpenInputBox();
    QTest::keyClick(window.INText, Qt::Key_Tab);
    EXPECT_TRUE(window.MVPic->hasFocus());
}

TEST_F(AnswerTest, SubWindowBoxWinsTheMirrorAndYieldsTheFocusToAMessage)
{
    window.lvMainPic->show();
    OpenInputBox();
    window.lvINTextPic->show();
    window.lvINText->setText(QStringLiteral("sub"));
    window.INText->setText(QStringLiteral("main"));
    EXPECT_EQ(TypeAhead, QStringLiteral("sub"));

    window.MsgPic->show();
    window.lvINText->setFocus();
    EXPECT_TRUE(window.MsgPic->hasFocus());
}

TEST_F(AnswerTest, EditorButtonsSendTheirTagAndCloseTheInputBox)
{
    window.MVPic->show();
    window.MVCmd[5]->setProperty("Tag", QStringLiteral("ADD"));
    window.MVCmd[6]->setProperty("Tag", QString());
    OpenInputBox();
    QTest::mouseClick(window.MVCmd[5], Qt::LeftButton);
    EXPECT_EQ(host.sent, QStringList{"ADD" + CR});
    EXPECT_TRUE(window.INTextPic->isHidden());
    EXPECT_FALSE(InputPending);
    EXPECT_FALSE(window.MVPic->isHidden());

    OpenInputBox();
    QTest::mouseClick(window.MVCmd[6], Qt::LeftButton);
    EXPECT_EQ(host.sent.size(), 1);
    EXPECT_TRUE(window.INTextPic->isHidden());
    EXPECT_FALSE(InputPending);

    window.lvMainPic->show();
    window.lvMVPic->show();
    window.lvMVCmd[0]->setProperty("Tag", QStringLiteral("TOP"));
    window.lvINTextPic->show();
    QTest::mouseClick(window.lvMVCmd[0], Qt::LeftButton);
    EXPECT_EQ(host.sent.last(), "TOP" + CR);
    EXPECT_TRUE(window.lvINTextPic->isHidden());
}

TEST_F(AnswerTest, EditorTextIsSentWithTabOrEnterUnlessEmpty)
{
    window.MVPic->show();
    window.MVText->setFocus();
    QTest::keyClick(window.MVText, Qt::Key_Return);
    QTest::keyClick(window.MVText, Qt::Key_Tab);
    EXPECT_TRUE(host.sent.isEmpty());

    window.MVText->setText(QStringLiteral("Smith"));
    window.MVText->setFocus();
    QTest::keyClick(window.MVText, Qt::Key_End);
    QTest::keyClicks(window.MVText, "son");
    QTest::keyClick(window.MVText, Qt::Key_Return);
    EXPECT_EQ(host.sent, QStringList{"Smithson" + CR});
    EXPECT_EQ(window.MVText->text(), QStringLiteral("Smithson"));
    // The keys typed into the editor are in its value, not a second answer.
    EXPECT_TRUE(TypeAhead.isEmpty());

    window.MVText->setFocus();
    QTest::keyClick(window.MVText, Qt::Key_Tab);
    EXPECT_EQ(host.sent, QStringList({"Smithson" + CR, "Smithson" + CR}));
}

TEST_F(AnswerTest, ClickInTheEditorSelectsItsValue)
{
    window.MVPic->show();
    window.MVText->setText(QStringLiteral("Smith"));
    QTest::mouseClick(window.MVText, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(window.MVText->selectedText(), QStringLiteral("Smith"));
    EXPECT_EQ(window.MVText->selectionStart(), 0);
}

TEST_F(AnswerTest, DeferredFocusWaitsForTheSubWindowEditor)
{
    window.lvTimer1->start();
    window.lvTimer1_Timer();
    EXPECT_TRUE(window.lvTimer1->isActive());

    window.lvMainPic->show();
    window.lvMVPic->show();
    window.lvMVText->setEnabled(false);
    window.lvTimer1_Timer();
    EXPECT_TRUE(window.lvTimer1->isActive());

    window.lvMVText->setEnabled(true);
    window.lvMVText->setText(QStringLiteral("Line 2"));
    window.lvTimer1_Timer();
    EXPECT_FALSE(window.lvTimer1->isActive());
    EXPECT_TRUE(window.lvMVText->hasFocus());
    EXPECT_EQ(window.lvMVText->selectedText(), QStringLiteral("Line 2"));
    window.lvTimer1->start();
}
