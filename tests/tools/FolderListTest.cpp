#include "tools/FolderList.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace zor;

namespace {

QStringList Names(const QList<FolderEntry>& entries)
{
    QStringList names;
    for (const FolderEntry& e : entries)
        names << e.Name;
    return names;
}

QListWidgetItem* ItemOf(const QListWidget& list, const QString& folder)
{
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->data(Qt::UserRole).toString() == folder)
            return list.item(i);
    return nullptr;
}

} // namespace

class FolderListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir root(folder.path());
        for (const char* name : {"b", "A", "c/deep", ".hidden"})
            root.mkpath(QString::fromLatin1(name));
        folder.write(QStringLiteral("file.txt"), "x");
    }
    test::ProgramFolderScope folder;
};

TEST_F(FolderListTest, EntriesAreTheChainFromTheRootThenTheSubfolders)
{
    const QString open = QDir::cleanPath(folder.path());
    const QList<FolderEntry> entries = FolderEntries(folder.path() + QStringLiteral("/b/.."));
    const QStringList chain = open.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    ASSERT_EQ(entries.size(), chain.size() + 1 + 3);
    EXPECT_EQ(entries.front().Path, QStringLiteral("/"));
    EXPECT_EQ(entries.front().Depth, 0);
    const FolderEntry& opened = entries[chain.size()];
    EXPECT_EQ(opened.Path, open);
    EXPECT_TRUE(opened.Open);
    // Subfolders by name, letter case ignored; no files, no hidden folders.
    EXPECT_EQ(Names(entries.mid(chain.size() + 1)), (QStringList{"A", "b", "c"}));
    for (const FolderEntry& sub : entries.mid(chain.size() + 1)) {
        EXPECT_EQ(sub.Depth, chain.size() + 1);
        EXPECT_FALSE(sub.Open);
        EXPECT_EQ(sub.Path, open + QLatin1Char('/') + sub.Name);
    }
}

TEST_F(FolderListTest, SelectingChoosesAFolderAndActivatingOpensIt)
{
    FolderList list;
    QSignalSpy changed(&list, &FolderList::PathChanged);
    const QString open = QDir::cleanPath(folder.path());
    list.setPath(folder.path());
    EXPECT_EQ(list.path(), open);
    EXPECT_EQ(changed.count(), 1);

    QListWidgetItem* c = ItemOf(list, open + QStringLiteral("/c"));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->text().trimmed(), QStringLiteral("c"));
    list.setCurrentItem(c);
    EXPECT_EQ(list.path(), open + QStringLiteral("/c"));
    EXPECT_EQ(changed.count(), 2);

    emit list.itemActivated(c);
    EXPECT_EQ(list.path(), open + QStringLiteral("/c"));
    EXPECT_EQ(changed.count(), 2); // refilling the list is no change of folder
    EXPECT_NE(ItemOf(list, open + QStringLiteral("/c/deep")), nullptr);
    EXPECT_EQ(ItemOf(list, open + QStringLiteral("/b")), nullptr);
}
