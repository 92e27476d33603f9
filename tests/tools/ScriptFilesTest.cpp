#include "core/PackedIO.h"
#include "core/SharedState.h"
#include "core/TextFile.h"
#include "tests/support/QtPrinters.h"
#include "tools/EntityFile.h"
#include "tools/ScreenShot.h"
#include "tools/TokenFile.h"

#include <gtest/gtest.h>

using namespace zor;

namespace {

qint16 Int16At(const QByteArray& bytes, int offset)
{
    return static_cast<qint16>(static_cast<quint8>(bytes[offset]) | (static_cast<quint8>(bytes[offset + 1]) << 8));
}

Entity Caption(const QString& caption, const QString& tag, qint16 kind, qint16 x)
{
    Entity e;
    e.SetCaption(caption);
    e.SetTag(tag);
    e.EntityType = kind;
    e.X = x;
    e.Y = 5;
    e.Width = 12;
    e.Height = 1;
    e.Active = VbTrue;
    return e;
}

} // namespace

TEST(TokenFileTest, LinesSplitAtCrLfOnlySoEveryUnitComesBackAsItWas)
{
    const QStringList units = {"cs", "to^10^5^12^l^Name:^^1", QString::fromLatin1("\nnext\rx\xe9\xff"), ""};
    const QByteArray bytes = TextFileBytes(units);
    EXPECT_EQ(bytes, QByteArray("cs\r\nto^10^5^12^l^Name:^^1\r\n\nnext\rx\xe9\xff\r\n\r\n"));
    EXPECT_EQ(TokenFileLines(bytes), units);
    EXPECT_EQ(TokenFileLines("a\r\nb"), (QStringList{"a", "b"})); // no line end after the last
    EXPECT_TRUE(TokenFileLines(QByteArray()).isEmpty());
    EXPECT_TRUE(TextFileBytes({}).isEmpty());
}

TEST(EntityFileTest, RecordsAreThePackedEntitiesInTableOrder)
{
    const std::array<Entity, 2> entities = {Caption("Name:", "", 1, 10), Caption("SMITH", "NAME", 2, 23)};
    const QByteArray bytes = EntityFileBytes(entities.data(), 2);
    ASSERT_EQ(bytes.size(), 510);
    EXPECT_EQ(bytes.mid(0, 5), QByteArray("Name:"));
    EXPECT_EQ(bytes.mid(5, 225), QByteArray(225, ' '));
    EXPECT_EQ(Int16At(bytes, 230), 1);
    EXPECT_EQ(Int16At(bytes, 232), 10);
    EXPECT_EQ(Int16At(bytes, 234), 5);
    EXPECT_EQ(Int16At(bytes, 236), 12);
    EXPECT_EQ(Int16At(bytes, 238), 1);
    EXPECT_EQ(Int16At(bytes, 248), -1);
    EXPECT_EQ(bytes.mid(255, 5), QByteArray("SMITH"));
    EXPECT_EQ(bytes.mid(335, 4), QByteArray("NAME"));
    EXPECT_EQ(Int16At(bytes, 485), 2);
    EXPECT_EQ(Int16At(bytes, 487), 23);

    const EntityFileRead read = ReadEntityFile(bytes);
    ASSERT_TRUE(read.Ok()) << read.Error.toStdString();
    ASSERT_EQ(read.Entities.size(), 2u);
    EXPECT_EQ(read.Entities[0], entities[0]);
    EXPECT_EQ(read.Entities[1], entities[1]);
    EXPECT_TRUE(ReadEntityFile(QByteArray()).Ok()); // an empty screen
}

TEST(EntityFileTest, FilesThatAreNotAWholeScreenAreRefusedWhole)
{
    const Entity plain = Caption("x", "", 1, 1);
    const QByteArray one = EntityFileBytes(&plain, 1);
    Entity hostile = plain;
    hostile.EntityType = 99;
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"a partial record", one + one + one.left(100)},
        {"1000 bytes", QByteArray(1000, ' ')},
        {"one record more than the table", one.repeated(EntitySlots + 1)},
        {"a kind with no attributes", one + EntityFileBytes(&hostile, 1)},
        {"a negative kind", QByteArray(230, ' ') + QByteArray("\xff\xff", 2) + QByteArray(23, '\0')},
    };
    for (const Case& c : cases) {
        const EntityFileRead read = ReadEntityFile(c.bytes);
        EXPECT_FALSE(read.Ok()) << c.what;
        EXPECT_TRUE(read.Entities.empty()) << c.what;
    }
    EXPECT_EQ(ReadEntityFile(one.repeated(EntitySlots)).Entities.size(), size_t(EntitySlots));
}

TEST(ScreenShotTest, SizesOfTheListAndTheStretchedPicture)
{
    EXPECT_EQ(ShotSize("640x480", {800, 600}), QSize(640, 480));
    EXPECT_EQ(ShotSize("100x80", {800, 600}), QSize(100, 80));
    EXPECT_EQ(ShotSize("As Seen", {812, 517}), QSize(812, 517));
    EXPECT_EQ(ShotSize("", {800, 600}), std::nullopt);
    EXPECT_EQ(ShotSize("640", {800, 600}), std::nullopt);

    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setPixel(3, 1, qRgb(0, 0, 255));
    const QImage shot = StretchedShot(picture, {8, 4});
    EXPECT_EQ(shot.size(), QSize(8, 4));
    EXPECT_EQ(shot.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(7, 3), qRgb(0, 0, 255)); // nearest pixel, no blending
    EXPECT_EQ(shot.pixel(5, 1), qRgb(255, 0, 0));
    const QByteArray bmp = BitmapBytes(shot);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
}
