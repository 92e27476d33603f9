#include "core/Trace.h"
#include "core/SharedState.h"
#include "tests/support/TestSupport.h"

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
    Trace().Folder = folder.path() + QStringLiteral("/missing"); // file errors must not matter
    for (int i = 1; i <= TraceMaxLines; ++i)
        WriteTrace(QStringLiteral("t"), QString::number(i));
    EXPECT_EQ(Trace().Lines.size(), 30000u);
    EXPECT_EQ(Trace().Lines.front(), QStringLiteral("[t]1"));
    WriteTrace(QStringLiteral("t"), QStringLiteral("30001"));
    EXPECT_EQ(Trace().Lines.size(), 30000u);
    EXPECT_EQ(Trace().Lines.front(), QStringLiteral("[t]2"));
    EXPECT_EQ(Trace().Lines.back(), QStringLiteral("[t]30001"));
    EXPECT_TRUE(Trace().FileError);
}
