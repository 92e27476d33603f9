#include "tools/MenuTree.h"

#include <gtest/gtest.h>

using namespace zor;

namespace {

// All Menus(1) > Sales(2) > Orders(3) > Enter orders(4), Sales > Invoices(5)
// > Print invoices(6), All Menus > Order history(7).
MenuTree SalesTree()
{
    MenuTree tree;
    tree.AddEntry(u"Sales[Orders[Enter orders", QStringLiteral("SO1"), 3);
    tree.AddEntry(u"Sales[Invoices[Print invoices", QStringLiteral("IN1"), 3);
    tree.AddEntry(u"Order history", QStringLiteral("OH"), 2);
    return tree;
}

} // namespace

TEST(MenuTreeTest, SearchGoesOnAfterEachMatchAndStartsAgainAfterTheLast)
{
    const MenuTree tree = SalesTree();
    struct Step {
        const char* text;
        int positionBefore;
        int match; // 0-based node, -1 none
        bool fromFirst;
        int positionAfter;
    };
    const Step steps[] = {
        {"ORDER", 1, 2, true, 4},                                  // "Orders", ignoring case
        {"ORDER", 4, 3, false, 5},                                 // "Enter orders"
        {"ORDER", 5, 6, false, 8},                                 // "Order history", the last node
        {"ORDER", 8, 2, true, 4},                                  // past the last node: from the first again
        {"invoice", 0, 4, true, 6},                                // 0 is the first node too
        {"invoice", 6, 5, false, 7}, {"invoice", 7, -1, false, 1}, // no more matches
        {"nothing", 1, -1, true, 1},                               // no match at all
        {"all", 99, 0, true, 2},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.text + QString::number(s.positionBefore).toStdString());
        int position = s.positionBefore;
        const MenuTree::Match match = tree.Search(QString::fromLatin1(s.text), position);
        EXPECT_EQ(match.node, s.match);
        EXPECT_EQ(match.fromFirst, s.fromFirst);
        EXPECT_EQ(position, s.positionAfter);
    }
}

TEST(MenuTreeTest, ObserversSeeEachAddedNodeAndTheClearing)
{
    MenuTree tree = SalesTree();
    std::vector<int> added;
    int cleared = 0;
    tree.NodeAdded = [&](int index) { added.push_back(index); };
    tree.Cleared = [&] { ++cleared; };
    tree.AddEntry(u"Sales[Orders[Amend orders", QStringLiteral("SO2"), 3);
    tree.AddEntry(u"Sales[Orders[Amend again", QStringLiteral("SO2"), 3);
    EXPECT_EQ(added, std::vector<int>{7});
    tree.Clear();
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_EQ(tree.IndexOf(QStringLiteral("Sales")), -1);
    // The search position of a larger tree starts again at the first node.
    tree.AddEntry(u"Sales", QStringLiteral("S"), 2);
    int position = 8;
    EXPECT_EQ(tree.Search(QStringLiteral("sales"), position).node, 1);
}
