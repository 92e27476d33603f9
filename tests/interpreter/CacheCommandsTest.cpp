#include "session/ScreenCache.h"
#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

using namespace zor;
using zor::test::ProcessTest;

namespace {

const QStringList VerOk{QStringLiteral("VER=OK\r")};
const QStringList VerOld{QStringLiteral("VER=OLD\r")};

class CacheTest : public ProcessTest {
protected:
    void SetUp() override
    {
        ProcessTest::SetUp();
        UseScreenCache = 1;
        Connected = true;
        QDir().mkpath(HomeFile(QString()));
        qputenv("ZOR_HOME", HomeFile(QString()).toLocal8Bit());
    }
    void TearDown() override
    {
        qunsetenv("ZOR_HOME");
        UseScreenCache = 1;
        ProcessTest::TearDown();
    }
    // The program folder is a folder of its own inside outside.
    QString HomeFile(const QString& name) const { return outside.filePath(QStringLiteral("home/") + name); }
    QString CachePath(const QString& fileName) const { return HomeFile(QStringLiteral("cache/") + fileName); }
    static QByteArray ReadAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void WriteAll(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray CacheBytes(const QString& fileName) const { return ReadAll(CachePath(fileName)); }
    // What the host gets for the units.
    QStringList Sent(std::initializer_list<QString> units)
    {
        test::SentRecorder recorder;
        Run(units);
        return recorder.sent;
    }
    // Every file under the folder that holds the program folder, by path and
    // content.
    QStringList FilesAround() const
    {
        QStringList files;
        QDirIterator it(outside.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files << path + QLatin1Char('=') + QString::fromLatin1(ReadAll(path).toHex());
        }
        files.sort();
        return files;
    }
    void MakeScreen(std::initializer_list<QString> captions)
    {
        Run({QStringLiteral("cs")});
        int column = 1;
        for (const QString& caption : captions)
            Run({QStringLiteral("to^%1^2^8^l^%2^^1").arg(column++).arg(caption)});
        window.stack.clear();
    }

    QTemporaryDir outside;
};

} // namespace

TEST_F(CacheTest, SavedScreenHasTheLayoutAndComesBackWithoutTheHost)
{
    Run({QStringLiteral("cs"), QStringLiteral("to^5^3^10^l^Hello^^1")});
    EXPECT_TRUE(Sent({QStringLiteral("vs^MENU1^v7")}).isEmpty());
    EXPECT_EQ(History(), (QStringList{"cs", "to^5^3^10^l^Hello^^1"}));

    const QByteArray file = CacheBytes(QStringLiteral("menu1.bef"));
    ASSERT_EQ(file.size(), 50 + 255);
    EXPECT_EQ(file.left(50), "v7" + QByteArray(48, ' '));
    EXPECT_EQ(file.mid(50, 80), "Hello" + QByteArray(75, ' '));
    EXPECT_EQ(file.mid(130, 150), QByteArray(150, ' '));
    EXPECT_EQ(file.mid(50 + 230, 10), QByteArray("\x01\x00\x05\x00\x03\x00\x0a\x00\x01\x00", 10));
    EXPECT_EQ(file.mid(50 + 248, 2), QByteArray("\xff\xff"));

    Run({QStringLiteral("cs")});
    EXPECT_EQ(Sent({QStringLiteral("vl^MENU1^ v7")}), VerOk);
    ASSERT_EQ(EntityCount, 1);
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Hello"));
    EXPECT_EQ(Slot(0).X, 5);
    EXPECT_EQ(Slot(0).Y, 3);
    EXPECT_EQ(History(), QStringList{"cs"});

    // Another version: the screen is cleared and stays empty.
    EXPECT_EQ(Sent({QStringLiteral("vl^menu1^v8")}), VerOld);
    EXPECT_EQ(EntityCount, -1);

    // No such file: the screen stays as it was.
    MakeScreen({QStringLiteral("Kept")});
    EXPECT_EQ(Sent({QStringLiteral("vl^NOSUCH^v7")}), VerOld);
    EXPECT_EQ(EntityCount, 1);
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Kept"));
    EXPECT_TRUE(History().isEmpty());
}

TEST_F(CacheTest, TheSwitchTheLevelAndTheSizesOfAFile)
{
    MakeScreen({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    UseScreenCache = 0;
    Run({QStringLiteral("vs^off^1")});
    EXPECT_FALSE(QFile::exists(CachePath(QStringLiteral("off.bef"))));
    EXPECT_TRUE(History().isEmpty());

    UseScreenCache = -1; // any value but 0 is on
    Run({QStringLiteral("vs^on^1")});
    EXPECT_EQ(CacheBytes(QStringLiteral("on.bef")).size(), 50 + 3 * 255);

    // The switch off: every load is old, the screen untouched.
    UseScreenCache = 0;
    EXPECT_EQ(Sent({QStringLiteral("vl^on^1")}), VerOld);
    EXPECT_EQ(EntityCount, 3);
    UseScreenCache = 1;

    CurPage = 1;
    Run({QStringLiteral("vs^sub^1")});
    EXPECT_FALSE(QFile::exists(CachePath(QStringLiteral("sub.bef"))));
    CurPage = 2;
    Run({QStringLiteral("vs^level2^1")});
    EXPECT_TRUE(QFile::exists(CachePath(QStringLiteral("level2.bef"))));
    CurPage = 0;

    // Three over ten: the file holds the three and nothing else.
    MakeScreen({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    Run({QStringLiteral("vs^over^1")});
    EXPECT_EQ(CacheBytes(QStringLiteral("over.bef")).size(), 50 + 10 * 255);
    MakeScreen({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
    Run({QStringLiteral("vs^over^1")});
    EXPECT_EQ(CacheBytes(QStringLiteral("over.bef")).size(), 50 + 3 * 255);
    MakeScreen({});
    EXPECT_EQ(Sent({QStringLiteral("vl^over^1")}), VerOk);
    EXPECT_EQ(EntityCount, 3);
    EXPECT_EQ(CaptionOf(2), QStringLiteral("z"));

    // An empty screen, cleared or never drawn.
    for (qint16 count : {qint16(-1), qint16(0)}) {
        EntityCount = count;
        Run({QStringLiteral("vs^empty^e")});
        EXPECT_EQ(CacheBytes(QStringLiteral("empty.bef")), "e" + QByteArray(49, ' '));
        MakeScreen({QStringLiteral("Gone")});
        EXPECT_EQ(Sent({QStringLiteral("vl^empty^e")}), VerOk);
        EXPECT_EQ(EntityCount, 0);
    }
}

TEST_F(CacheTest, VersionsAreComparedCutAndTrimmedAndNamesWithoutCase)
{
    const QString longVersion = QString(49, QLatin1Char('v')) + QStringLiteral("XY-more");
    MakeScreen({QStringLiteral("A")});
    Run({QStringLiteral("vs^Orders^") + longVersion});
    EXPECT_EQ(Sent({QStringLiteral("vl^ORDERS^") + longVersion}), VerOk);
    EXPECT_EQ(Sent({QStringLiteral("vl^orders^") + longVersion.left(50) + QStringLiteral("other")}), VerOk);
    EXPECT_EQ(Sent({QStringLiteral("vl^orders^") + longVersion.left(49)}), VerOld);

    Run({QStringLiteral("vs^Blank^v7   ")});
    EXPECT_EQ(Sent({QStringLiteral("vl^blank^  v7")}), VerOk);
}

TEST_F(CacheTest, AFullTableRoundTripsEveryField)
{
    for (int i = 0; i < EntitySlots; ++i) {
        Entity& e = Entities[static_cast<size_t>(i)];
        e.SetCaption(QStringLiteral("Caption %1 \xe9").arg(i));
        e.SetTag(QStringLiteral("TAG%1").arg(i));
        e.EntityType = static_cast<qint16>(i % 12);
        e.X = static_cast<qint16>(i % 80);
        e.Y = static_cast<qint16>(i / 80);
        e.Width = static_cast<qint16>(i % 7 + 1);
        e.Height = static_cast<qint16>(i % 3);
        e.ImageIndex = static_cast<qint16>(i % 5);
        e.Align = static_cast<qint16>(50 + i % 11);
        e.Region = static_cast<qint16>(-i);
        e.Spare1 = static_cast<qint16>(i * 31);
        e.Active = i % 2 ? VbTrue : VbFalse;
        e.Spare2 = -100000 * i;
        e.FontAdjust = static_cast<quint8>(i % 3 == 0 ? 255 - i % 7 : i % 3);
    }
    const std::array<Entity, EntitySlots> saved = Entities;
    EntityCount = EntitySlots;
    Run({QStringLiteral("vs^full^v1")});
    EXPECT_EQ(CacheBytes(QStringLiteral("full.bef")).size(), 50 + EntitySlots * 255);

    Run({QStringLiteral("cs")});
    EXPECT_EQ(Sent({QStringLiteral("vl^full^v1")}), VerOk);
    ASSERT_EQ(EntityCount, EntitySlots);
    for (int i = 0; i < EntitySlots; ++i)
        ASSERT_EQ(Slot(i), saved[static_cast<size_t>(i)]) << i;
}

TEST_F(CacheTest, HostileNamesReachNothingOutsideTheCacheFolder)
{
    // A cache file beside the program folder, and one in it, that a name
    // leaving the cache folder would find.
    MakeScreen({QStringLiteral("Planted")});
    const QByteArray planted = PackScreen(QStringLiteral("v1"), 1);
    WriteAll(HomeFile(QStringLiteral("x.bef")), planted);
    WriteAll(outside.filePath(QStringLiteral("b.bef")), planted);
    QDir().mkpath(CachePath(QString()));
    ASSERT_TRUE(QFile::link(HomeFile(QStringLiteral("x.bef")), CachePath(QStringLiteral("link.bef"))));
    const QStringList before = FilesAround();
    const QString names[] = {
        QStringLiteral("../x"),
        QStringLiteral("/etc/passwd"),
        QStringLiteral("a/../../b"),
        QString(),
        QStringLiteral("."),
        QStringLiteral(".."),
        QStringLiteral(".hidden"),
        QStringLiteral("a\\b"),
        QStringLiteral("a") + QChar(0) + QStringLiteral("b"),
        QStringLiteral("a\rb"),
        QString(300, QLatin1Char('n')),
        QStringLiteral("link"),
    };
    for (const QString& name : names) {
        MakeScreen({QStringLiteral("Current")});
        Run({QStringLiteral("vs^") + name + QStringLiteral("^v1")});
        EXPECT_EQ(Sent({QStringLiteral("vl^") + name + QStringLiteral("^v1")}), VerOld) << name.toStdString();
        EXPECT_EQ(EntityCount, 1) << name.toStdString();
        EXPECT_EQ(CaptionOf(0), QStringLiteral("Current")) << name.toStdString();
        EXPECT_EQ(FilesAround(), before) << name.toStdString();
        EXPECT_FALSE(QFile::exists(QStringLiteral("/etc/passwd.bef")));
    }
    EXPECT_TRUE(QFileInfo(CachePath(QStringLiteral("link.bef"))).isSymLink());
    EXPECT_TRUE(TraceLines().contains(QStringLiteral("[CACHE]refused name ../x")));

    EXPECT_EQ(CacheFile(QStringLiteral("Menu 1")), CachePath(QStringLiteral("menu 1.bef")));
    EXPECT_EQ(CacheFile(QString(251, QLatin1Char('n'))), CachePath(QString(251, QLatin1Char('n')) + ".bef"));
    EXPECT_EQ(CacheFile(QString(252, QLatin1Char('n'))), std::nullopt);
}

TEST_F(CacheTest, ADamagedFileIsRefusedWithTheOldScreenIntact)
{
    MakeScreen({QStringLiteral("A"), QStringLiteral("B")});
    Run({QStringLiteral("vs^good^v1")});
    const QByteArray good = CacheBytes(QStringLiteral("good.bef"));
    const QByteArray damaged[] = {
        good.left(49),
        good.left(50 + 100),
        good.left(good.size() - 1),
        good + QByteArray(10, 'x'),
        good.left(50) + QByteArray((EntitySlots + 1) * 255, ' '),
    };
    for (const QByteArray& bytes : damaged) {
        WriteAll(CachePath(QStringLiteral("bad.bef")), bytes);
        MakeScreen({QStringLiteral("Old")});
        EXPECT_EQ(Sent({QStringLiteral("vl^bad^v1")}), VerOld) << bytes.size();
        EXPECT_EQ(EntityCount, 1) << bytes.size();
        EXPECT_EQ(CaptionOf(0), QStringLiteral("Old")) << bytes.size();
        EXPECT_TRUE(History().isEmpty()) << bytes.size();
    }
    // A folder of the file's name is no file either.
    QDir().mkpath(CachePath(QStringLiteral("dir.bef")));
    EXPECT_EQ(Sent({QStringLiteral("vl^dir^v1")}), VerOld);
    Run({QStringLiteral("vs^dir^v1")});
    EXPECT_TRUE(QFileInfo(CachePath(QStringLiteral("dir.bef"))).isDir());
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Old"));
}

TEST_F(CacheTest, ClearingTheCacheRemovesOnlyCachedScreens)
{
    MakeScreen({QStringLiteral("A")});
    Run({QStringLiteral("vs^one^1"), QStringLiteral("vs^two^1")});
    WriteAll(CachePath(QStringLiteral("notes.txt")), "keep");
    // What saves killed half-way left, by this version and by older ones.
    WriteAll(CachePath(QStringLiteral(".saving.a1B2c3")), "half");
    WriteAll(CachePath(QStringLiteral("one.bef.Xy12Zq")), "half");
    ClearCacheFiles();
    EXPECT_EQ(QDir(CachePath(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{"notes.txt"});
    QDir(CachePath(QString())).removeRecursively();
    ClearCacheFiles();
}

TEST_F(CacheTest, EveryNameAcceptedIsSavedAndLoaded)
{
    for (const int length : {1, 240, 245, 251}) {
        SCOPED_TRACE(length);
        const QString name(length, QLatin1Char('n'));
        ASSERT_TRUE(CacheFile(name));
        MakeScreen({QStringLiteral("Long")});
        Run({QStringLiteral("vs^") + name + QStringLiteral("^v1")});
        Run({QStringLiteral("cs")});
        EXPECT_EQ(Sent({QStringLiteral("vl^") + name + QStringLiteral("^v1")}), VerOk);
        EXPECT_EQ(CaptionOf(0), QStringLiteral("Long"));
    }
    // Only the screens are left in the folder.
    EXPECT_EQ(QDir(CachePath(QString())).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

TEST_F(CacheTest, ACacheFolderThatIsALinkIsNotUsed)
{
    QTemporaryDir elsewhere;
    WriteAll(elsewhere.filePath(QStringLiteral("kept.bef")), PackScreen(QStringLiteral("v1"), 0));
    ASSERT_TRUE(QFile::link(elsewhere.path(), CachePath(QString()).chopped(1)));
    MakeScreen({QStringLiteral("Current")});
    Run({QStringLiteral("vs^menu^v1")});
    EXPECT_EQ(Sent({QStringLiteral("vl^kept^v1")}), VerOld);
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Current"));
    ClearCacheFiles();
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.bef"});
    EXPECT_TRUE(TraceLines().contains(QStringLiteral("[CACHE]not used, a link: ") + CachePath(QString()).chopped(1)));
}

TEST_F(CacheTest, TheSameSaveAgainInOneStreamKeepsWhatChangedBetweenAndANewStreamSavesAnew)
{
    MakeScreen({QStringLiteral("First")});
    const QChar esc(0x1b);
    QString stream = esc + QStringLiteral("vs^menu^1") + esc + QStringLiteral("to^9^2^8^l^Second^^1") + esc +
                     QStringLiteral("vs^menu^1") + esc + QStringLiteral("vs^menu^1") + esc;
    window.Socket_Receive(stream);
    const QByteArray saved = CacheBytes(QStringLiteral("menu.bef"));
    EXPECT_EQ(saved.size(), 50 + 2 * 255);
    EXPECT_TRUE(saved.contains("Second"));

    // Whatever happens between two streams, the next one's save is written.
    QFile::remove(CachePath(QStringLiteral("menu.bef")));
    QString again = esc + QStringLiteral("vs^menu^1") + esc;
    window.Socket_Receive(again);
    EXPECT_EQ(CacheBytes(QStringLiteral("menu.bef")), saved);
}
