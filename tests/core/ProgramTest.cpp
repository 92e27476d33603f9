#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// The real program, on the offscreen platform, with a home and a program
// folder of its own so that it reads no file of the user's.
struct Program {
    QTemporaryDir home;
    QTemporaryDir folder;
    QProcess process;

    void Start(const QStringList& arguments)
    {
        // The rest of the environment (the sanitizers' options) stays.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            environment.insert(QLatin1String(name), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("ZOR_HOME"), folder.path());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(home.path());
        process.start(QStringLiteral(ZOR_PROGRAM), arguments);
    }

    QStringList Files() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }

    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
};

} // namespace

TEST(Program, ComesUpAsUsersExpectAndEndsCleanlyWhenTheSystemSaysSo)
{
    struct Run {
        const char* what;
        QStringList arguments;
        const char* tips; // "tips.txt", or none
        int signal;
        QStringList filesAfter;
    };
    const Run runs[] = {
        // Without a name the splash goes after its second and the launcher
        // waits; told to end, it closes with nothing chosen and no session
        // has started (no session file written).
        {"no name, SIGTERM", {}, nullptr, SIGTERM, {}},
        {"no name, SIGINT", {}, nullptr, SIGINT, {}},
        // A name starts the session window (its serial settings are written
        // beside the configuration at load), which leaves by its exit path.
        {"a name", {"shop.ntt"}, nullptr, SIGTERM, {"shop_comm.dat"}},
        {"a name, the start-up tips up", {"shop.ntt"}, "{Tip\r\nText\r\n}\r\n", SIGTERM, {"shop_comm.dat", "tips.txt"}},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.what);
        Program zor;
        if (run.tips) {
            QFile tips(QDir(zor.folder.path()).filePath(QStringLiteral("tips.txt")));
            ASSERT_TRUE(tips.open(QIODevice::WriteOnly));
            tips.write(run.tips);
        }
        zor.Start(run.arguments);
        ASSERT_TRUE(zor.process.waitForStarted(10000));
        // Still there well after the splash's second: the launcher or the
        // session window is up and waits for the user.
        EXPECT_FALSE(zor.process.waitForFinished(3000));
        EXPECT_EQ(zor.Files(), run.filesAfter);
        ::kill(static_cast<pid_t>(zor.process.processId()), run.signal);
        ASSERT_TRUE(zor.process.waitForFinished(10000));
        EXPECT_EQ(zor.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(zor.process.exitCode(), 0);
        EXPECT_EQ(zor.Files(), run.filesAfter);
    }
}
