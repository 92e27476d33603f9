#include "core/Ciphers.h"
#include "core/TypedLimit.h"
#include "interpreter/Interpreter.h"
#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/SettledMemory.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace zor;

namespace {

using InputCommands = test::ConnectedProcessTest;

} // namespace

TEST_F(InputCommands, QueuedAnswersAnswerTheNextRequestsInOrderThenTheBoxOpens)
{
    Run({"dl^first", "dl^second~part", "in^5^3^10^^^^0", "in^6^3^10^^^^0"});
    EXPECT_EQ(host.sent, QStringList({"first\r", "second\r", "part\r"}));
    EXPECT_TRUE(window.INTextPic->isHidden());
    EXPECT_FALSE(InputPending);
    EXPECT_EQ(window.DataList->count(), 0);

    Run({"in^5^3^10^^Name^^0"});
    EXPECT_FALSE(window.INTextPic->isHidden());
    EXPECT_TRUE(InputPending);
    EXPECT_FALSE(InputChanged);
    EXPECT_EQ(host.sent.size(), 3);

    // An answer queued while a box is open answers the next request and
    // closes the box; InputPending stays as it was.
    Run({"dl^third", "in^6^3^10^^^^0"});
    EXPECT_EQ(host.sent.last(), QStringLiteral("third\r"));
    EXPECT_TRUE(window.INTextPic->isHidden());
    EXPECT_TRUE(InputPending);
    // None of the three commands enters the history.
    EXPECT_TRUE(History().isEmpty());
}

TEST_F(InputCommands, TheQueueOfAnswersIsBoundedAndEndsWithTheScreen)
{
    // A megabyte for each answer: the queue keeps what its size allows.
    Trace().On = false;
    const QString large(1 << 20, QLatin1Char('a'));
    const double before = test::SettledResidentMb();
    for (int i = 0; i < 300; ++i)
        window.Process(QStringLiteral("dl^%1").arg(i) + large);
    EXPECT_LT(test::SettledResidentMb() - before, 100);
    EXPECT_LT(window.DataList->count(), 300);
    EXPECT_GT(window.DataList->count(), 0);

    Run({"cs"});
    EXPECT_EQ(window.DataList->count(), 0);
    Trace().On = true;
    for (int i = 0; i < Interpreter::MaxQueuedAnswers + 5; ++i)
        window.Process(QStringLiteral("dl^%1").arg(i));
    ASSERT_EQ(window.DataList->count(), Interpreter::MaxQueuedAnswers);
    EXPECT_EQ(window.DataList->item(Interpreter::MaxQueuedAnswers - 1)->text(), QStringLiteral("1001"));
    EXPECT_TRUE(TraceLines().last().contains(QStringLiteral("Not queued")));
    Run({"in^5^3^10^^^^0"});
    EXPECT_EQ(host.sent, QStringList{"0\r"});
    Run({"cs"});
}

TEST_F(InputCommands, BoxTakesItsPlaceWidthTagLengthAndText)
{
    struct Case {
        QString unit;
        QString typedAhead;
        QRect geometry; // cells of 10 x 20 pixels
        QString text;
        int maxLength;
        QString tag;
    };
    const Case cases[] = {
        {"in^5^3^0^x^Host^b^8", "", QRect(50, 60, 10, 20), "Host", 8, "5^3^0^x^8"},
        {"in^5^3^9^^Host text^^0", "AB", QRect(50, 60, 100, 20), "AB", 0, "5^3^9^^0"},
        {"in^5^3^9^^Host text", "   ", QRect(50, 60, 100, 20), "Host text", 0, "5^3^9^^"},
        {"in^2.5^1^3^^^^-4", "", QRect(25, 20, 40, 20), "", 0, "2.5^1^3^^-4"},
        // The limit binds what the user adds, never the host's own text.
        {"in^5^3^20^^ABCDEFGHIJ^^5", "", QRect(50, 60, 210, 20), "ABCDEFGHIJ", 5, "5^3^20^^5"},
        {"in^5^3^20^^AB^^3", "LONG TYPE-AHEAD", QRect(50, 60, 210, 20), "LONG TYPE-AHEAD", 3, "5^3^20^^3"},
    };
    for (const Case& c : cases) {
        SetUp();
        TypeAhead = c.typedAhead;
        window.Process(c.unit);
        SCOPED_TRACE(c.unit.toStdString());
        EXPECT_EQ(window.INTextPic->geometry(), c.geometry);
        EXPECT_EQ(window.INText->width(), c.geometry.width());
        EXPECT_EQ(window.INText->text(), c.text);
        EXPECT_EQ(TypedLimitOf(*window.INText), c.maxLength);
        EXPECT_EQ(window.INText->property("Tag").toString(), c.tag);
        EXPECT_EQ(window.INText->cursorPosition(), c.text.size());
        EXPECT_FALSE(window.INText->hasSelectedText());
        // The text set while the box opened is not an answer typed.
        EXPECT_EQ(TypeAhead, c.typedAhead);
    }
    EXPECT_EQ(window.INText->property("Attribute").toString(), QString());
    window.Process("in^1^1^1^^^bold^0");
    EXPECT_EQ(window.INText->property("Attribute").toString(), QStringLiteral("bold"));
}

TEST_F(InputCommands, SubWindowBoxSitsBelowTheCaptionBarAndTakesTheFocus)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CellWidth = Currency::fromDouble(10);
    CellHeight = Currency::fromDouble(20);
    window.lvMainPic->show();
    SubWindowRect = {4, 3, 30, 10};
    CurPage = 1;
    window.Process("in^10^6^4^^^^0");
    EXPECT_TRUE(window.INTextPic->isHidden());
    EXPECT_FALSE(window.lvINTextPic->isHidden());
    EXPECT_EQ(window.lvINTextPic->geometry(), QRect(60, 80, 50, 20));
    EXPECT_EQ(window.lvINText->property("Tag").toString(), QStringLiteral("10^6^4^^0"));
    EXPECT_TRUE(window.lvINText->hasFocus());
    window.hide();
}

TEST_F(InputCommands, KeyIndexOnlyInsideOneToThirty)
{
    const std::pair<const char*, int> cases[] = {{"1", 1},  {"30", 30}, {"31", 0},  {"0", 0},
                                                 {"-1", 0}, {"", 0},    {"2.5", 2}, {"0.4", 0}};
    for (const auto& [field, index] : cases) {
        InputKeyIndex = 7;
        window.Process(QStringLiteral("in^1^1^5^^^^0^") + QLatin1String(field));
        EXPECT_EQ(InputKeyIndex, index) << field;
    }
}

TEST_F(InputCommands, AnswerIsEncipheredWithKeyOneAndClearWithThirtyOne)
{
    LoadScriptKeys();
    for (const auto& [field, answer] :
         {std::pair{"1", EncryptWithKey("ABC", 1)}, std::pair{"31", QStringLiteral("ABC")}}) {
        host.sent.clear();
        window.Process(QStringLiteral("in^1^1^5^^^^0^") + QLatin1String(field));
        window.INText->setText(QStringLiteral("ABC"));
        ASSERT_EQ(TypeAhead, QStringLiteral("ABC"));
        window.InputBox_Validate(true, false);
        EXPECT_EQ(host.sent, QStringList{answer + "\r"}) << field;
        window.TabAnswered = false;
    }
    EXPECT_NE(EncryptWithKey("ABC", 1), QStringLiteral("ABC"));
}

TEST_F(InputCommands, CaptureWritesTheHistoryWithoutTheRequest)
{
    test::ProgramFolderScope folder;
    CaptureEnabled = VbTrue;
    window.Process("in^1^1^5^^^^0");
    EXPECT_TRUE(QFile::exists(folder.file("capture.qms")));
    EXPECT_EQ(folder.read("capture.qms"), QByteArray());

    folder.write("capture.qms", "old contents that are longer\r\n");
    Run({"cs", QStringLiteral("to^5^3^10^l^Caf") + QChar(0xe9), "in^1^1^5^^^^0"});
    EXPECT_EQ(folder.read("capture.qms"), QByteArray("cs\r\nto^5^3^10^l^Caf\xe9\r\n"));

    CaptureEnabled = 0;
    Run({"dr", "in^1^1^5^^^^0"});
    EXPECT_EQ(folder.read("capture.qms"), QByteArray("cs\r\nto^5^3^10^l^Caf\xe9\r\n"));
}

TEST_F(InputCommands, CaptureThatCannotBeWrittenLeavesTheBoxOpen)
{
    test::ProgramFolderScope folder;
    test::DialogScript dialogs;
    QDir(folder.path()).mkdir("capture.qms");
    CaptureEnabled = VbTrue;
    window.Process("in^1^1^5^^^^0");
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].prompt.contains("capture.qms"));
    EXPECT_TRUE(InputPending);
    EXPECT_FALSE(window.INTextPic->isHidden());
    EXPECT_TRUE(TraceLines().join('\n').contains("capture.qms not written"));
}

TEST_F(InputCommands, InputDialogSendsTheAnswerAndAnEmptyLineWhenCancelled)
{
    test::DialogScript dialogs;
    dialogs.answer(QStringLiteral("42 boxes"));
    dialogs.answer(QString());
    Run({"ib^Count^How many?^12", "ib^Count^How many?^12"});
    EXPECT_EQ(host.sent, QStringList({"42 boxes\r", "\r"}));
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[0].kind, Dialogs::Request::InputBox);
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Count"));
    EXPECT_EQ(dialogs.asked[0].prompt, QStringLiteral("How many?"));
    EXPECT_EQ(dialogs.asked[0].initial, QStringLiteral("12"));

    // Without a "^" none of the three commands acts.
    Run({"ib", "dl", "in"});
    EXPECT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(window.DataList->count(), 0);
    EXPECT_TRUE(window.INTextPic->isHidden());
    EXPECT_TRUE(History().isEmpty());
}
