#include "core/Backdrop.h"
#include "core/Appearance.h"
#include "core/Colors.h"
#include "core/SharedState.h"
#include "core/Surface.h"
#include "core/Text.h"
#include "tests/support/PipeReaderWatch.h"
#include "tests/support/ScreenStateScope.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zor;

namespace {

const QRgb Back = qRgb(192, 192, 192);

// A 3 x 2 picture with a different colour in every pixel.
QImage Picture()
{
    QImage picture(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            picture.setPixel(x, y, qRgb(10 + 40 * x, 20 + 100 * y, 200));
    }
    return picture;
}

class Backdrop : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings = SessionSettings();
        Settings.BackColor = RGBLong(192, 192, 192);
        Settings.GradChannel2 = 1;
        Settings.GradChannel3 = 1;
        Settings.GradReverse = 1;
        TestMode = 0;
        CellWidth = Currency::fromDouble(10);
        CellHeight = Currency::fromDouble(20);
        const QString file = dir.filePath(QStringLiteral("pic.bmp"));
        Picture().save(file);
        Settings.BackImageFile = FixedWidth(file, SessionSettings::BackImageFileWidth);
    }
    void Paint(QSize size = QSize(10, 7))
    {
        backDrop = MakeSurfaceImage(size, Qt::white);
        PaintBackdrop(backDrop, backImage, size);
    }
    test::ScreenStateScope state;
    QTemporaryDir dir;
    QImage backDrop;
    QImage backImage;
};

TEST_F(Backdrop, PlacesThePictureByTheFirstSwitchThatIsOn)
{
    const QImage pic = Picture();
    struct Probe {
        int x, y;
        QRgb colour;
    };
    struct Case {
        const char* what;
        qint16 centred, tiled, stretched, left;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        // Centred at (5 - 2, 4 - 1): the halves 1.5 and 3.5 round to even.
        {"centred", 1, 1, 1, 1, {{3, 3, pic.pixel(0, 0)}, {5, 4, pic.pixel(2, 1)}, {2, 3, Back}, {6, 3, Back}}},
        {"tiled",
         0,
         1,
         1,
         1,
         {{0, 0, pic.pixel(0, 0)}, {3, 0, pic.pixel(0, 0)}, {9, 5, pic.pixel(0, 1)}, {8, 6, pic.pixel(2, 0)}}},
        {"stretched", 0, 0, 1, 1, {{0, 0, pic.pixel(0, 0)}, {9, 6, pic.pixel(2, 1)}, {9, 0, pic.pixel(2, 0)}}},
        {"left", 0, 0, 0, 1, {{0, 0, pic.pixel(0, 0)}, {2, 1, pic.pixel(2, 1)}, {3, 0, Back}, {0, 2, Back}}},
    };
    for (const Case& c : cases) {
        Settings.BackCentred = c.centred;
        Settings.BackTiled = c.tiled;
        Settings.BackStretched = c.stretched;
        Settings.BackLeft = c.left;
        Paint();
        for (const Probe& p : c.probes)
            EXPECT_EQ(backDrop.pixel(p.x, p.y), p.colour) << c.what << " at " << p.x << "," << p.y;
    }
}

TEST_F(Backdrop, DefaultSettingsTileTheProgramsPictureFromTheTopLeft)
{
    test::ProgramFolderScope folder;
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(ZOR_SOURCE_DIR "/resources/back3.bmp"), folder.file(QStringLiteral("back3.bmp"))));
    SetDefaultAppearance();
    Paint(QSize(300, 200));
    const QImage tile(folder.file(QStringLiteral("back3.bmp")));
    ASSERT_FALSE(tile.isNull());
    for (const QPoint p : {QPoint(0, 0), QPoint(63, 63), QPoint(64, 0), QPoint(130, 70), QPoint(299, 199)})
        EXPECT_EQ(backDrop.pixel(p), tile.pixel(p.x() % tile.width(), p.y() % tile.height())) << p.x() << "," << p.y();
}

TEST_F(Backdrop, AProgramFolderTooLongForThePathStoresTheDefaultPictureByNameAndFindsIt)
{
    test::ProgramFolderScope outer;
    const QString folder = outer.file(QString(120, QLatin1Char('f')));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(ZOR_SOURCE_DIR "/resources/back3.bmp"), folder + QStringLiteral("/back3.bmp")));
    qputenv("ZOR_HOME", folder.toLocal8Bit());
    SetDefaultAppearance();
    EXPECT_EQ(Trim(Settings.BackImageFile), QStringLiteral("back3.bmp"));
    Paint(QSize(100, 80));
    const QImage tile(folder + QStringLiteral("/back3.bmp"));
    ASSERT_FALSE(tile.isNull());
    EXPECT_EQ(backDrop.pixel(70, 70), tile.pixel(70 % tile.width(), 70 % tile.height()));
}

TEST_F(Backdrop, WithoutAPictureThePlainColourGetsTheGridInDesignMode)
{
    Settings.NoBackImage = 1;
    Settings.BackTiled = 1;
    Paint(QSize(810, 500));
    EXPECT_EQ(backDrop, MakeSurfaceImage(QSize(810, 500), QColor(Back)));

    TestMode = 1;
    Paint(QSize(810, 500));
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(backDrop.pixel(10, 5), black);
    EXPECT_EQ(backDrop.pixel(800, 499), black);
    EXPECT_EQ(backDrop.pixel(11, 5), Back);
    EXPECT_EQ(backDrop.pixel(5, 20), black);
    EXPECT_EQ(backDrop.pixel(5, 21), Back);
    EXPECT_EQ(backDrop.pixel(5, 5), Back);
    EXPECT_EQ(backDrop.pixel(805, 5), Back); // 80 lines, none at the 81st cell
}

TEST_F(Backdrop, NoPlacementSwitchLeavesItClearedWithoutGridEvenInDesignMode)
{
    TestMode = 1;
    Settings.UseGradient = 1;
    Paint(QSize(810, 500));
    EXPECT_EQ(backDrop, MakeSurfaceImage(QSize(810, 500), QColor(Back)));
}

TEST_F(Backdrop, AnUnreadablePictureKeepsThePictureLoadedBefore)
{
    Settings.BackLeft = 1;
    Paint();
    const QImage loaded = backImage;
    ASSERT_FALSE(loaded.isNull());
    QFile(dir.filePath(QStringLiteral("bad.bmp"))).open(QIODevice::WriteOnly);
    for (const QString& name : {QStringLiteral("missing.bmp"), QStringLiteral("bad.bmp")}) {
        Settings.BackImageFile = FixedWidth(dir.filePath(name), SessionSettings::BackImageFileWidth);
        Paint();
        EXPECT_EQ(backImage, loaded) << name.toStdString();
        EXPECT_EQ(backDrop.pixel(0, 0), Picture().pixel(0, 0)) << name.toStdString();
    }

    // With nothing loaded yet only the colour shows, the grid still over it.
    backImage = QImage();
    TestMode = 1;
    Settings.BackTiled = 1;
    Paint(QSize(810, 500));
    EXPECT_EQ(backDrop.pixel(5, 5), Back);
    EXPECT_EQ(backDrop.pixel(10, 5), qRgb(0, 0, 0));
}

TEST_F(Backdrop, APictureIsReadOncePerNameAndOnlyFromAPlainFile)
{
    Settings.BackLeft = 1;
    Paint();
    const QImage first = backImage;
    QImage other(5, 4, QImage::Format_RGB32);
    other.fill(Qt::red);
    ASSERT_TRUE(other.save(dir.filePath(QStringLiteral("pic.bmp"))));
    Paint();
    EXPECT_EQ(backImage, first);
    ASSERT_TRUE(other.save(dir.filePath(QStringLiteral("other.bmp"))));
    Settings.BackImageFile = FixedWidth(dir.filePath(QStringLiteral("other.bmp")), SessionSettings::BackImageFileWidth);
    Paint();
    EXPECT_EQ(backImage.size(), QSize(5, 4));

    const QString pipe = dir.filePath(QStringLiteral("pipe.bmp"));
    test::PipeReaderWatch watch(pipe);
    ASSERT_TRUE(watch.Made());
    Settings.BackImageFile = FixedWidth(pipe, SessionSettings::BackImageFileWidth);
    Paint();
    Paint();
    EXPECT_FALSE(watch.ReaderCame());
    EXPECT_EQ(backImage.size(), QSize(5, 4));
}

TEST_F(Backdrop, DefaultRampIsCyanBrightAtTheTopBelowAStripOfBackground)
{
    Settings.NoBackImage = 1;
    Settings.UseGradient = 1;
    Paint(QSize(100, 300)); // bands of 2 pixels
    EXPECT_EQ(backDrop.pixel(50, 0), Back);
    EXPECT_EQ(backDrop.pixel(50, 1), Back);
    EXPECT_EQ(backDrop.pixel(50, 3), qRgb(0, 205, 205));
    EXPECT_EQ(backDrop.pixel(99, 5), qRgb(0, 204, 204));
    EXPECT_EQ(backDrop.pixel(50, 299), qRgb(0, 57, 57)); // the last bands lie below the edge

    // With a picture the ramp has no effect.
    Settings.NoBackImage = 0;
    Settings.BackLeft = 1;
    Paint(QSize(100, 300));
    EXPECT_EQ(backDrop.pixel(50, 3), Back);
}

TEST_F(Backdrop, RampChannelsAndDirectionFollowTheirSwitches)
{
    struct Case {
        qint16 red, green, blue, reverse;
        QRgb top;
    };
    const Case cases[] = {
        {1, 0, 0, 0, qRgb(55, 0, 0)},
        {1, 1, 1, 1, qRgb(205, 205, 205)},
        {0, 1, 0, 0, qRgb(0, 55, 0)},
        {0, 0, 0, 1, qRgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        Settings.GradChannel1 = c.red;
        Settings.GradChannel2 = c.green;
        Settings.GradChannel3 = c.blue;
        Settings.GradReverse = c.reverse;
        QImage surface = MakeSurfaceImage(QSize(20, 150), QColor(Back));
        DrawGradient(surface);
        EXPECT_EQ(surface.pixel(0, 0), Back);
        EXPECT_EQ(surface.pixel(10, 1), c.top) << c.red << c.green << c.blue << c.reverse;
    }
}

} // namespace

// The backdrop is painted once before the window has its size, and a file
// name may be blank: neither is a fault to tell the user about.
TEST_F(Backdrop, AnUnsizedBackdropOrABlankNameWarnsOfNothing)
{
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { warnings << message; });
    Settings.BackTiled = VbTrue;
    PaintBackdrop(backDrop, backImage, QSize());
    EXPECT_TRUE(backDrop.isNull());
    Settings.BackImageFile = FixedWidth(QString(), SessionSettings::BackImageFileWidth);
    Paint();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
    // The picture loaded at the first paint still shows.
    EXPECT_EQ(backDrop.pixel(0, 0), Picture().pixel(0, 0));
}
