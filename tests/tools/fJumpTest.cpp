#include "tools/fJump.h"
#include "core/SharedState.h"
#include "session/fConnection.h"
#include "tests/support/TestSupport.h"
#include "tools/MenuTree.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

using namespace zor;
using zor::test::DialogScript;
using zor::test::SentRecorder;

namespace {

// Nodes: 0 All Menus, 1 Sales, 2 Orders, 3 Enter orders [SO1], 4 Invoices,
// 5 Print invoices [IN1].
class fJumpTest : public ::testing::Test {
protected:
    fConnection& session = fConnection::instance();
    fJump& jump = fJump::instance();

    void SetUp() override
    {
        JumpKey.clear();
        JumpSearchText.clear();
        JumpSearchPos = 0;
        jump.Unload();
        session.Process(QStringLiteral("go^Sales[Orders[Enter orders^SO1^3"));
        session.Process(QStringLiteral("go^Sales[Invoices[Print invoices^IN1^3"));
        session.stack.clear();
    }

    void TearDown() override
    {
        jump.hide();
        jump.Unload();
    }

    // Opens the window (not modally, so the test goes on) with every branch
    // open, as a user would click through it.
    void Open()
    {
        jump.show();
        jump.JumpTree->expandAll();
        QApplication::processEvents();
    }

    void Click(int node)
    {
        QTreeWidgetItem* item = jump.Item(node);
        const QRect place = jump.JumpTree->visualItemRect(item);
        ASSERT_TRUE(place.isValid());
        QTest::mouseClick(jump.JumpTree->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
    }

    // A key as the keyboard gives it: to the widget with the focus.
    void Press(Qt::Key key)
    {
        QApplication::setActiveWindow(&jump);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), key);
    }

    QString Current() const
    {
        QTreeWidgetItem* item = jump.JumpTree->currentItem();
        return item ? item->text(0) : QString();
    }
};

} // namespace

TEST_F(fJumpTest, TheWindowShowsTheTreeFilledHidden)
{
    EXPECT_FALSE(jump.isVisible());
    EXPECT_EQ(jump.windowTitle(), QStringLiteral("Menu Tree"));
    ASSERT_EQ(jump.JumpTree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = jump.JumpTree->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("All Menus"));
    ASSERT_EQ(root->childCount(), 1);
    QTreeWidgetItem* sales = root->child(0);
    ASSERT_EQ(sales->childCount(), 2);
    EXPECT_EQ(sales->child(1)->text(0), QStringLiteral("Invoices"));
    QTreeWidgetItem* entry = sales->child(1)->child(0);
    EXPECT_EQ(entry, jump.Item(5));
    EXPECT_EQ(fJump::KeyOf(*entry), QStringLiteral("IN1"));
    EXPECT_TRUE(fJump::IsLeaf(*entry));
    EXPECT_FALSE(fJump::IsLeaf(*sales));
    // Entry pictures differ from the folder; an unknown number still shows one.
    session.Process(QStringLiteral("go^Odd^ODD^77"));
    EXPECT_FALSE(jump.Item(6)->icon(0).isNull());
    EXPECT_NE(jump.Item(6)->icon(0).pixmap(16).toImage(), sales->icon(0).pixmap(16).toImage());
    EXPECT_NE(entry->icon(0).pixmap(16).toImage(), sales->icon(0).pixmap(16).toImage());
    // Ten thousand entries start collapsed.
    for (int i = 0; i < 10000; ++i)
        session.Process(QStringLiteral("go^Bulk %1[Entry %2^B%2^2").arg(i % 50).arg(i));
    EXPECT_EQ(jump.JumpTree->topLevelItem(0)->childCount(), 1 + 1 + 50);
    EXPECT_FALSE(jump.JumpTree->topLevelItem(0)->isExpanded());
    session.stack.clear();
}

TEST_F(fJumpTest, ClicksAndButtonsSendTheChosenKey)
{
    enum Act { ClickEnterOrders, ClickPrintInvoices, ClickSales, Ok, Cancel, Escape };
    struct Case {
        const char* name;
        std::vector<Act> acts;
        const char* sent;
        const char* selected;
        bool open;
    };
    const Case cases[] = {
        {"a second click on the same entry sends it", {ClickEnterOrders, ClickEnterOrders}, "SO1\r", "", false},
        {"two entries in turn only choose", {ClickEnterOrders, ClickPrintInvoices}, "", "IN1", true},
        {"a branch changes nothing", {ClickEnterOrders, ClickSales}, "", "SO1", true},
        {"OK sends the chosen entry", {ClickPrintInvoices, Ok}, "IN1\r", "", false},
        {"OK with nothing chosen sends an empty line", {Ok}, "\r", "", false},
        {"Cancel sends nothing", {ClickEnterOrders, Cancel}, "", "SO1", false},
        {"Esc sends nothing", {Escape}, "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        jump.SelectedKey.clear();
        JumpKey.clear();
        SentRecorder recorder;
        Open();
        for (Act act : c.acts) {
            switch (act) {
            case ClickEnterOrders:
                Click(3);
                break;
            case ClickPrintInvoices:
                Click(5);
                break;
            case ClickSales:
                Click(1);
                break;
            case Ok:
                QTest::mouseClick(jump.JumpCmnd[0], Qt::LeftButton);
                break;
            case Cancel:
                QTest::mouseClick(jump.JumpCmnd[1], Qt::LeftButton);
                break;
            case Escape:
                QTest::keyClick(jump.JumpTree, Qt::Key_Escape);
                break;
            }
        }
        EXPECT_EQ(recorder.joined(), QString::fromLatin1(c.sent));
        EXPECT_EQ(jump.SelectedKey, QString::fromLatin1(c.selected));
        EXPECT_EQ(jump.isVisible(), c.open);
        if (*c.sent) {
            EXPECT_EQ(JumpKey + QLatin1Char('\r'), QString::fromLatin1(c.sent));
        }
        jump.hide();
    }
}

TEST_F(fJumpTest, AKeySentIsNoLongerChosen)
{
    SentRecorder recorder;
    Open();
    Click(3);
    Click(3);
    EXPECT_EQ(recorder.joined(), QStringLiteral("SO1\r"));
    // Opened again: one more click on the same entry only chooses it, and OK
    // sends an empty line, not the entry once more.
    Open();
    QTest::mouseClick(jump.JumpCmnd[0], Qt::LeftButton);
    Open();
    Click(3);
    EXPECT_EQ(recorder.joined(), QStringLiteral("SO1\r\r"));
    EXPECT_TRUE(jump.isVisible());
    EXPECT_EQ(JumpKey, QString());
}

TEST_F(fJumpTest, FindAndF3SearchTheNodesInTurn)
{
    session.Process(QStringLiteral("go^Quit^X^2"));
    DialogScript dialogs;
    SentRecorder recorder;
    Open();
    jump.JumpTree->collapseAll();
    dialogs.answer(QStringLiteral("  invoice "));
    QTest::mouseClick(jump.JumpCmnd[2], Qt::LeftButton);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].prompt, QStringLiteral("Enter a partial string to search for.  (F3 continues search)"));
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Node Search"));
    EXPECT_EQ(JumpSearchText, QStringLiteral("invoice"));
    // A branch found: selected, its levels opened, no key chosen.
    EXPECT_EQ(Current(), QStringLiteral("Invoices"));
    EXPECT_TRUE(jump.Item(1)->isExpanded());
    EXPECT_EQ(jump.SelectedKey, QString());

    QTest::keyClick(jump.JumpTree, Qt::Key_F3);
    EXPECT_EQ(Current(), QStringLiteral("Print invoices"));
    EXPECT_EQ(jump.SelectedKey, QStringLiteral("IN1"));
    EXPECT_EQ(dialogs.asked.size(), 1);

    QTest::keyClick(jump.JumpTree, Qt::Key_F3);
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[1].kind, Dialogs::Request::MessageBox);
    EXPECT_EQ(dialogs.asked[1].prompt, QStringLiteral("No more matches found"));
    EXPECT_EQ(dialogs.asked[1].style, 0);
    EXPECT_EQ(dialogs.asked[1].title, QString());
    EXPECT_EQ(JumpSearchPos, 1);

    QTest::keyClick(jump.JumpTree, Qt::Key_F3);
    EXPECT_EQ(Current(), QStringLiteral("Invoices"));
    EXPECT_TRUE(recorder.sent.isEmpty());
    EXPECT_TRUE(jump.isVisible());

    // A text found nowhere.
    dialogs.answer(QStringLiteral("refunds"));
    QTest::mouseClick(jump.JumpCmnd[2], Qt::LeftButton);
    ASSERT_EQ(dialogs.asked.size(), 4);
    EXPECT_EQ(dialogs.asked[3].prompt, QStringLiteral("No matches found"));

    // An empty answer searches nothing and says nothing; F3 then asks first
    // and goes on from where the search stands.
    dialogs.answer(QStringLiteral("   "));
    QTest::mouseClick(jump.JumpCmnd[2], Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.size(), 5);
    EXPECT_EQ(JumpSearchText, QString());
    JumpSearchPos = 4;
    dialogs.answer(QStringLiteral("ORDER"));
    QTest::keyClick(jump.JumpTree, Qt::Key_F3);
    EXPECT_EQ(dialogs.asked.size(), 6);
    EXPECT_EQ(dialogs.asked[5].kind, Dialogs::Request::InputBox);
    EXPECT_EQ(Current(), QStringLiteral("Enter orders"));
    EXPECT_EQ(jump.SelectedKey, QStringLiteral("SO1"));

    // F3 with no text and an empty answer searches all the same: the empty
    // text matches the node at the position.
    JumpSearchText.clear();
    JumpSearchPos = 2;
    dialogs.answer(QString());
    Press(Qt::Key_F3);
    ASSERT_EQ(dialogs.asked.size(), 7);
    EXPECT_EQ(dialogs.asked[6].kind, Dialogs::Request::InputBox);
    EXPECT_EQ(Current(), QStringLiteral("Sales"));
    EXPECT_EQ(JumpSearchPos, 3);
}

TEST_F(fJumpTest, AMatchOnTheLastNodeGoesOnFromTheTop)
{
    DialogScript dialogs;
    Open();
    JumpSearchText = QStringLiteral("invoices");
    QTest::keyClick(jump.JumpTree, Qt::Key_F3);
    QTest::keyClick(jump.JumpTree, Qt::Key_F3);
    EXPECT_EQ(Current(), QStringLiteral("Print invoices"));
    // The position is past the last node, which starts the next search at
    // the first: no "No more matches found" in between.
    QTest::keyClick(jump.JumpTree, Qt::Key_F3);
    EXPECT_EQ(Current(), QStringLiteral("Invoices"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(fJumpTest, AsteriskOpensEveryBranchBelowTheCurrentNode)
{
    Open();
    jump.JumpTree->collapseAll();
    jump.JumpTree->setCurrentItem(jump.Item(0));
    QTest::keyClick(jump.JumpTree, Qt::Key_Asterisk);
    for (int node : {0, 1, 2, 4})
        EXPECT_TRUE(jump.Item(node)->isExpanded()) << node;
}

TEST_F(fJumpTest, TheDeepestTreeOpensSearchesAndClears)
{
    QStringList levels;
    for (int i = 1; i < MenuTree::MaxLevels; ++i)
        levels << QStringLiteral("Level %1").arg(i);
    session.Process(QStringLiteral("go^") + levels.join(QLatin1Char('[')) + QStringLiteral("[Deepest^D^2"));
    session.Process(QStringLiteral("go^Level 63[Level 64[Too deep^T^2"));
    session.stack.clear();
    DialogScript dialogs;
    Open();
    jump.JumpTree->collapseAll();
    jump.JumpTree->setCurrentItem(jump.Item(0));
    jump.JumpTree->setFocus();
    Press(Qt::Key_Asterisk);
    QTreeWidgetItem* deepest = jump.Item(SessionMenuTree().IndexOf(QStringLiteral("D")));
    for (QTreeWidgetItem* item = deepest->parent(); item; item = item->parent())
        EXPECT_TRUE(item->isExpanded()) << item->text(0).toStdString();

    JumpSearchText = QStringLiteral("deepest");
    Press(Qt::Key_F3);
    EXPECT_EQ(Current(), QStringLiteral("Deepest"));
    EXPECT_EQ(jump.SelectedKey, QStringLiteral("D"));
    EXPECT_TRUE(dialogs.asked.isEmpty());

    session.Process(QStringLiteral("go^ ^"));
    EXPECT_EQ(jump.JumpTree->topLevelItemCount(), 0);
    EXPECT_EQ(SessionMenuTree().Count(), 0);
}

TEST_F(fJumpTest, UnloadDiscardsTheTreeAndTheChoiceButKeepsTheSearch)
{
    Open();
    Click(3);
    JumpKey = QStringLiteral("IN1");
    JumpSearchText = QStringLiteral("orders");
    JumpSearchPos = 6;
    jump.Unload();
    EXPECT_FALSE(jump.isVisible());
    EXPECT_EQ(jump.JumpTree->topLevelItemCount(), 0);
    EXPECT_EQ(SessionMenuTree().Count(), 0);
    EXPECT_EQ(jump.SelectedKey, QString());
    EXPECT_EQ(JumpKey, QStringLiteral("IN1"));
    EXPECT_EQ(JumpSearchText, QStringLiteral("orders"));

    // The new session's smaller tree: the old position starts again at 1.
    session.Process(QStringLiteral("go^Orders^O^2"));
    DialogScript dialogs;
    Open();
    QTest::keyClick(jump.JumpTree, Qt::Key_F3);
    EXPECT_EQ(Current(), QStringLiteral("Orders"));
    EXPECT_EQ(jump.SelectedKey, QStringLiteral("O"));
    EXPECT_TRUE(dialogs.asked.isEmpty());
    session.stack.clear();
}

TEST_F(fJumpTest, EveryEntryPointOpensTheWindowModally)
{
    const std::pair<const char*, std::function<void()>> entries[] = {
        {"the pop-up", [&] { session.puJumpTree->trigger(); }},
        {"the View menu", [&] { session.jumptreemnu->trigger(); }},
        {"the toolbar", [&] { session.ToolbarButton(QStringLiteral("menutree"))->trigger(); }},
        {"Alt+J", [&] { QTest::keyClick(&session, Qt::Key_J, Qt::AltModifier); }},
    };
    session.show();
    for (const auto& [name, open] : entries) {
        SCOPED_TRACE(name);
        int opened = 0;
        QTimer::singleShot(0, &jump, [&] {
            if (jump.isVisible() && jump.isModal() && QApplication::activeModalWidget() == &jump)
                ++opened;
            QTest::keyClick(jump.JumpTree, Qt::Key_Escape);
            if (jump.isVisible())
                jump.reject();
        });
        open();
        EXPECT_EQ(opened, 1);
        EXPECT_FALSE(jump.isVisible());
        EXPECT_FALSE(fJump::IsOpen());
    }
}
