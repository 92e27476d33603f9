#include "core/Trace.h"
#include "core/SharedState.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace zor;

class TraceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Trace() = TraceLog();
        Trace().Folder = folder.path();
    }
    void TearDown() override { Trace() = TraceLog(); }
    test::ProgramFolderScope folder;
};

TEST_F(TraceTest, OffTracesNothingAnywhere)
{
    WriteTrace(QStringLiteral("Process"), QStringLiteral("cs"));
    EXPECT_TRUE(Trace().Lines.empty());
    EXPECT_FALSE(QFile::exists(folder.file(TraceFileName)));
}

TEST_F(TraceTest, OnAddsTheSameLineToListAndFileAppending)
{
    folder.write(TraceFileName, "[old]line\r\n");
    Trace().On = true;
    QStringList added;
    Trace().LineAdded = [&](const QString& line) { added << line; };
    WriteTrace(QStringLiteral("Process"), QStringLiteral("cs"));
    WriteTrace(QStringLiteral("SEND"), QString::fromLatin1("x\xe9"));
    EXPECT_EQ(added, (QStringList{"[Process]cs", QString::fromLatin1("[SEND]x\xe9")}));
    EXPECT_EQ(Trace().Lines.back(), QString::fromLatin1("[SEND]x\xe9"));
    EXPECT_EQ(folder.read(TraceFileName), QByteArray("[old]line\r\n[Process]cs\r\n[SEND]x\xe9\r\n"));
}

TEST_F(TraceTest, ListIsCappedDroppingTheOldest)
{
    Trace().On = true;
    for (int i = 1; i <= TraceMaxLines; ++i)
        WriteTrace(QStringLiteral("t"), QString::number(i));
    EXPECT_EQ(Trace().Lines.size(), 30000u);
    EXPECT_EQ(Trace().Lines.front(), QStringLiteral("[t]1"));
    WriteTrace(QStringLiteral("t"), QStringLiteral("30001"));
    EXPECT_EQ(Trace().Lines.size(), 30000u);
    EXPECT_EQ(Trace().Lines.front(), QStringLiteral("[t]2"));
    EXPECT_EQ(Trace().Lines.back(), QStringLiteral("[t]30001"));
}

TEST_F(TraceTest, AFileThatCannotBeWrittenIsToldOnceAndTheListGoesOn)
{
    test::DialogScript dialogs;
    Trace().On = true;
    const QString file = folder.file(TraceFileName);
    QDir(folder.path()).mkdir(TraceFileName);
    const QString told = QStringLiteral("[Trace]The trace file %1 cannot be written: Is a directory.").arg(file);
    for (int i = 1; i <= 3; ++i)
        WriteTrace(QStringLiteral("t"), QString::number(i));
    QCoreApplication::processEvents();
    EXPECT_EQ(QStringList(Trace().Lines.begin(), Trace().Lines.end()), (QStringList{"[t]1", told, "[t]2", "[t]3"}));
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].title, "Trace File");
    EXPECT_TRUE(dialogs.asked[0].prompt.startsWith(told.mid(7))) << dialogs.asked[0].prompt.toStdString();

    // Written again, the file is used again; failing anew, it is told anew.
    QDir(folder.path()).rmdir(TraceFileName);
    WriteTrace(QStringLiteral("t"), QStringLiteral("4"));
    EXPECT_EQ(folder.read(TraceFileName), QByteArray("[t]4\r\n"));
    Trace().Folder = folder.file(QStringLiteral("gone"));
    WriteTrace(QStringLiteral("t"), QStringLiteral("5"));
    WriteTrace(QStringLiteral("t"), QStringLiteral("6"));
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_TRUE(dialogs.asked[1].prompt.contains(QStringLiteral("No such file or directory")))
        << dialogs.asked[1].prompt.toStdString();
    EXPECT_EQ(Trace().Lines.size(), 8u);
}
