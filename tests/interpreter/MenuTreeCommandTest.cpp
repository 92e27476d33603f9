#include "tests/interpreter/ProcessFixture.h"
#include "tools/MenuTree.h"

using namespace zor;
using zor::test::ProcessTest;

namespace {

// The tree as indented lines in node order under each parent: a branch by
// its text, a leaf as "text [key,image]".
void DumpChildren(const MenuTree& tree, int parent, int depth, QStringList& lines)
{
    for (int i = 0; i < tree.Count(); ++i) {
        const MenuTree::Node& node = tree.At(i);
        if (node.parent != parent)
            continue;
        QString line = QString(depth * 2, QLatin1Char(' ')) + node.text;
        if (node.leaf)
            line += QStringLiteral(" [%1,%2]").arg(node.key).arg(node.image);
        lines << line;
        DumpChildren(tree, i, depth + 1, lines);
    }
}

QStringList Dump()
{
    QStringList lines;
    DumpChildren(SessionMenuTree(), -1, 0, lines);
    return lines;
}

class MenuTreeCommandTest : public ProcessTest {
protected:
    void SetUp() override
    {
        ProcessTest::SetUp();
        SessionMenuTree().Clear();
    }
    void TearDown() override
    {
        SessionMenuTree().Clear();
        ProcessTest::TearDown();
    }
};

} // namespace

TEST_F(MenuTreeCommandTest, UnitsBuildTheTree)
{
    struct Case {
        const char* name;
        QStringList units;
        QStringList tree;
    };
    const QString orders = QStringLiteral("go^Sales[Orders[Enter orders^SO1^3");
    const Case cases[] = {
        {"levels and the entry", {orders}, {"All Menus", "  Sales", "    Orders", "      Enter orders [SO1,3]"}},
        {"levels are shared by their keys",
         {orders, "go^Sales[Invoices[Print invoices^IN1^3"},
         {"All Menus", "  Sales", "    Orders", "      Enter orders [SO1,3]", "    Invoices",
          "      Print invoices [IN1,3]"}},
        {"an entry under the root", {"go^Quit^X^2"}, {"All Menus", "  Quit [X,2]"}},
        {"end in any case ends the path", {"go^Sales[eNd[Enter orders^SO1^3"}, {"All Menus", "  Sales [SO1,3]"}},
        {"an entry key that exists is not added again",
         {orders, "go^Stock[Enter stock^SO1^2"},
         {"All Menus", "  Sales", "    Orders", "      Enter orders [SO1,3]", "  Stock"}},
        // Keys are unique in the whole tree: a level named like an existing
        // key is that node, and what follows hangs under it.
        {"a level named like an entry's key hangs under the entry",
         {"go^Quit^X^2", "go^X[Really^Y^2"},
         {"All Menus", "  Quit [X,2]", "    Really [Y,2]"}},
        {"a level named like a level elsewhere is that level",
         {orders, "go^Stock[Orders[Stock orders^ST1^2"},
         {"All Menus", "  Sales", "    Orders", "      Enter orders [SO1,3]", "      Stock orders [ST1,2]", "  Stock"}},
        {"an unknown picture keeps the entry",
         {"go^A[B^K^", "go^A[C^L^99"},
         {"All Menus", "  A", "    B [K,0]", "    C [L,99]"}},
        {"the folder picture on an entry keeps it an entry", {"go^A[B^K^1"}, {"All Menus", "  A", "    B [K,1]"}},
        {"blanks are part of the names", {"go^ Sales [Orders ^O^2"}, {"All Menus", "   Sales ", "    Orders  [O,2]"}},
        {"the root's own name is the root", {"go^All Menus[Top^T^2"}, {"All Menus", "  Top [T,2]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SessionMenuTree().Clear();
        for (const QString& unit : c.units)
            window.Process(unit);
        EXPECT_EQ(Dump(), c.tree);
    }
}

TEST_F(MenuTreeCommandTest, ABlankPathClearsTheTreeWithoutHistory)
{
    for (const char* clearing : {"go^ ^", "go", "GO^", "go^^K^2"}) {
        SCOPED_TRACE(clearing);
        window.stack.clear();
        Run({QStringLiteral("go^Sales[Orders^SO1^3")});
        EXPECT_EQ(History(), QStringList{QStringLiteral("go^Sales[Orders^SO1^3")});
        EXPECT_EQ(SessionMenuTree().Count(), 3);
        window.Process(QString::fromLatin1(clearing));
        EXPECT_EQ(SessionMenuTree().Count(), 0);
        EXPECT_EQ(History(), QStringList{QStringLiteral("go^Sales[Orders^SO1^3")});
    }
}

TEST_F(MenuTreeCommandTest, AHostileTreeIsRefusedWhereItHasNoParent)
{
    // An empty level is a node without a key: nothing can hang under it, so
    // the rest of its path is refused and traced, never lost silently.
    Run({QStringLiteral("go^Sales[[Orders[Enter^SO1^3"), QStringLiteral("go^Sales[^E^2")});
    EXPECT_EQ(Dump(), (QStringList{"All Menus", "  Sales", "    ", "     [E,2]"}));
    EXPECT_TRUE(TraceLines().contains(
        QStringLiteral("[Process]Refused, no menu level \"\" to hold \"Orders\": Sales[[Orders[Enter")));
    EXPECT_EQ(History().size(), 2);

    // Ten thousand entries, each in its own levels three deep, with every
    // level's name repeated as the key of an entry.
    SessionMenuTree().Clear();
    Trace().On = false;
    for (int i = 0; i < 10000; ++i)
        window.Process(QStringLiteral("go^M%1[S%2[Entry %3^K%3^%4").arg(i % 10).arg(i % 100).arg(i).arg(i % 7));
    for (int i = 0; i < 10; ++i)
        window.Process(QStringLiteral("go^Again[M%1^M%1^2").arg(i));
    const MenuTree& tree = SessionMenuTree();
    EXPECT_EQ(tree.Count(), 1 + 10 + 100 + 10000 + 1);
    const int entry = tree.IndexOf(QStringLiteral("K9999"));
    ASSERT_GE(entry, 0);
    EXPECT_EQ(tree.At(tree.At(entry).parent).text, QStringLiteral("S99"));
    EXPECT_EQ(tree.At(tree.At(tree.At(entry).parent).parent).text, QStringLiteral("M9"));
}

TEST_F(MenuTreeCommandTest, APathDeeperThanAMenuCanBeIsRefusedAndTraced)
{
    // "L<from>[L<from + 1>[...", count levels.
    const auto levels = [](int from, int count) {
        QStringList names;
        for (int i = 0; i < count; ++i)
            names << QStringLiteral("L%1").arg(from + i);
        return names.join(QLatin1Char('['));
    };
    const MenuTree& tree = SessionMenuTree();
    // The deepest entry accepted lies 64 levels below the root.
    Run({QStringLiteral("go^") + levels(1, 63) + QStringLiteral("[Entry^K^2")});
    ASSERT_EQ(tree.Count(), 65);
    EXPECT_EQ(tree.At(tree.IndexOf(QStringLiteral("K"))).level, MenuTree::MaxLevels);

    // Refused whole, however much of the path exists already.
    for (const int count : {65, 150000}) {
        SCOPED_TRACE(count);
        Trace().Lines.clear();
        Run({QStringLiteral("go^") + levels(1, count) + QStringLiteral("^K2^2")});
        EXPECT_EQ(tree.Count(), 65);
        const QStringList refusals = TraceLines().filter(QStringLiteral("Refused"));
        ASSERT_EQ(refusals.size(), 1) << TraceLines().join('\n').left(2000).toStdString();
        EXPECT_TRUE(refusals[0].startsWith(QStringLiteral("[Process]Refused, deeper than 64 levels: L1[L2[L3[")));
        EXPECT_LT(refusals[0].size(), 300);
    }
    // Below levels that exist, the path goes on only as deep as a tree may.
    Trace().Lines.clear();
    Run({QStringLiteral("go^L63[L64[L65^K3^2")});
    EXPECT_EQ(tree.Count(), 66);
    EXPECT_EQ(tree.At(tree.IndexOf(QStringLiteral("L64"))).level, 64);
    EXPECT_EQ(tree.IndexOf(QStringLiteral("K3")), -1);
    EXPECT_EQ(TraceLines().filter(QStringLiteral("Refused")),
              QStringList{QStringLiteral("[Process]Refused, \"L65\" would lie deeper than 64 levels: L63[L64[L65")});

    // A level that exists goes on where it is, however deep the path came.
    Run({QStringLiteral("go^L64[L1[Near the top^K4^2")});
    EXPECT_EQ(tree.At(tree.IndexOf(QStringLiteral("K4"))).level, 2);

    Run({QStringLiteral("go^ ^")});
    EXPECT_EQ(tree.Count(), 0);
}
