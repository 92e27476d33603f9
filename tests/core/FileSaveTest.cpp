#include "core/FileSave.h"
#include "core/Dialogs.h"
#include "tests/support/TestSupport.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace zor;

TEST(FileSave, FailureIsReportedAndTheOldFileStays)
{
    test::ProgramFolderScope home;
    test::DialogScript dialogs;

    // A folder that is a plain file.
    home.write(QStringLiteral("plain"), "x");
    EXPECT_FALSE(SaveFileWhole(home.file(QStringLiteral("plain/default.ntt")), "new"));
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].style, Dialogs::Critical);
    EXPECT_TRUE(dialogs.asked[0].prompt.contains(QStringLiteral("plain/default.ntt")));

    // The disk fills up in the middle of the new content.
    const QString target = home.file(QStringLiteral("default.ntt"));
    home.write(QStringLiteral("default.ntt"), "old content");
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 100;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = SaveFileWhole(target, QByteArray(1000, 'n'));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved);
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_TRUE(dialogs.asked[1].prompt.contains(QStringLiteral("disk full")));
    EXPECT_EQ(home.read(QStringLiteral("default.ntt")), QByteArray("old content"));

    EXPECT_TRUE(SaveFileWhole(target, "new"));
    EXPECT_EQ(home.read(QStringLiteral("default.ntt")), QByteArray("new"));
    EXPECT_EQ(dialogs.asked.size(), 2);
}
