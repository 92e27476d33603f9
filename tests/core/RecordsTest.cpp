#include "core/Records.h"
#include "core/Appearance.h"
#include "core/Colors.h"
#include "core/PackedIO.h"
#include "core/SharedState.h"
#include "tests/support/TestSupport.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace zor;

namespace {

template <typename Record> QByteArray Pack(const Record& r)
{
    PackedWriter out;
    Write(out, r);
    return out.data();
}

template <typename Record> Record Unpack(const QByteArray& bytes)
{
    Record r;
    PackedReader in(bytes);
    EXPECT_TRUE(Read(in, r));
    EXPECT_EQ(in.remaining(), 0);
    return r;
}

qint16 Int16At(const QByteArray& b, int offset)
{
    return qFromLittleEndian<qint16>(b.constData() + offset);
}
qint32 Int32At(const QByteArray& b, int offset)
{
    return qFromLittleEndian<qint32>(b.constData() + offset);
}

Entity SampleEntity()
{
    Entity e;
    e.SetCaption(QString::fromLatin1("Caption \xe9"));
    e.SetTag(QStringLiteral("TAG"));
    e.EntityType = 7;
    e.X = -3;
    e.Y = 24;
    e.Width = 80;
    e.Height = 2;
    e.ImageIndex = 5;
    e.Align = 52;
    e.Region = 1;
    e.Spare1 = 0x1234;
    e.Active = VbTrue;
    e.Spare2 = 0x0A0B0C0D;
    e.FontAdjust = 200;
    return e;
}

} // namespace

TEST(Records, EntityPacksTo255BytesAtTheDocumentedOffsets)
{
    const QByteArray b = Pack(SampleEntity());
    ASSERT_EQ(b.size(), Entity::PackedSize);
    EXPECT_EQ(b.left(10), QByteArray("Caption \xe9 "));
    EXPECT_EQ(b.mid(80, 4), QByteArray("TAG "));
    EXPECT_EQ(b.at(229), ' ');
    EXPECT_EQ(Int16At(b, 230), 7);
    EXPECT_EQ(Int16At(b, 232), -3);
    EXPECT_EQ(Int16At(b, 234), 24);
    EXPECT_EQ(Int16At(b, 236), 80);
    EXPECT_EQ(Int16At(b, 238), 2);
    EXPECT_EQ(Int16At(b, 240), 5);
    EXPECT_EQ(Int16At(b, 242), 52);
    EXPECT_EQ(Int16At(b, 244), 1);
    EXPECT_EQ(Int16At(b, 246), 0x1234);
    EXPECT_EQ(Int16At(b, 248), -1);
    EXPECT_EQ(Int32At(b, 250), 0x0A0B0C0D);
    EXPECT_EQ(static_cast<quint8>(b.at(254)), 200);
}

TEST(Records, EveryRecordRoundTripsKeepingSpares)
{
    const Entity e = SampleEntity();
    EXPECT_EQ(Unpack<Entity>(Pack(e)), e);

    EntityAttr a;
    a.TypeName = QStringLiteral("Kind                ");
    a.FrameStyle = 4;
    a.FrameWidth = 2;
    a.AuxStyle = 9;
    a.TrimMode = 3;
    a.ImagePlacement = 1;
    a.TextColor = COLOR_MENUTEXT;
    a.DisabledColor = COLOR_GRAYTEXT;
    a.BackColor = 0x123456;
    a.BorderColor = 0x654321;
    a.UseBorder = a.FillBackground = a.TextShadow = a.ShadowLines = VbTrue;
    a.Clickable = a.HasImage = a.ImageShadow = VbTrue;
    a.FontScale = Currency::fromDouble(1.4);
    const QByteArray ab = Pack(a);
    ASSERT_EQ(ab.size(), EntityAttr::PackedSize);
    EXPECT_EQ(Int16At(ab, 24), 9);
    EXPECT_EQ(Int32At(ab, 30), COLOR_MENUTEXT);
    EXPECT_EQ(Int16At(ab, 58), -1);
    EXPECT_EQ(qFromLittleEndian<qint64>(ab.constData() + 60), 14000);
    EXPECT_EQ(Unpack<EntityAttr>(ab), a);

    SessionSettings s;
    s.Geometry1 = 1;
    s.Geometry5 = 5;
    s.BackColor = 0xC0C0C0;
    s.HostName = QStringLiteral("127.0.0.1").leftJustified(30);
    s.Option1 = 1;
    s.Port = 2323;
    s.BackTiled = VbTrue;
    s.BackImageFile = QStringLiteral("/x/back3.bmp").leftJustified(100);
    s.GradReverse = 1;
    const QByteArray sb = Pack(s);
    ASSERT_EQ(sb.size(), SessionSettings::PackedSize);
    EXPECT_EQ(Int16At(sb, 8), 5);
    EXPECT_EQ(sb.mid(14, 9), QByteArray("127.0.0.1"));
    EXPECT_EQ(Int16At(sb, 46), 2323);
    EXPECT_EQ(Int16At(sb, 54), -1);
    EXPECT_EQ(sb.mid(60, 12), QByteArray("/x/back3.bmp"));
    EXPECT_EQ(Int16At(sb, 166), 1);
    EXPECT_EQ(Unpack<SessionSettings>(sb), s);
}

TEST(Records, ShortDataKeepsTheFieldsItLacks)
{
    Entity e;
    e.FontAdjust = 9;
    e.Spare2 = 77;
    const QByteArray cut = Pack(SampleEntity()).left(250);
    PackedReader in(cut);
    EXPECT_FALSE(Read(in, e));
    EXPECT_EQ(e.Active, VbTrue);
    EXPECT_EQ(e.Spare2, 77);
    EXPECT_EQ(e.FontAdjust, 9);
}

TEST(Records, CaptionsAndTagsAreCutOrPadded)
{
    Entity e;
    e.SetCaption(QString(100, QLatin1Char('x')));
    EXPECT_EQ(e.Caption, QString(80, QLatin1Char('x')));
    e.SetCaption(QStringLiteral("ab"));
    EXPECT_EQ(e.Caption.size(), 80);
    EXPECT_TRUE(e.Caption.startsWith(QStringLiteral("ab  ")));
    e.SetTag(QString(151, QLatin1Char('t')));
    EXPECT_EQ(e.Tag.size(), 150);
    e.SetTag(QStringLiteral("  [design] "));
    EXPECT_TRUE(e.IsDesign());
}

TEST(Records, DefaultAppearanceTable)
{
    test::ProgramFolderScope home;
    EntityAttrs[12].FrameStyle = 3; // kinds beyond 11 are left as they are
    SetDefaultAppearance();

    EXPECT_EQ(Settings.BackColor, 0xC0C0C0);
    EXPECT_EQ(Settings.Port, 23);
    EXPECT_EQ(Settings.Option1, 1);
    EXPECT_EQ(Settings.Geometry3, 9600);
    EXPECT_EQ(Settings.Geometry4, 7200);
    EXPECT_EQ(Settings.BackTiled, VbTrue);
    EXPECT_EQ(Settings.BackImageFile.trimmed(), home.file(QStringLiteral("back3.bmp")));
    EXPECT_EQ((std::array{Settings.GradChannel1, Settings.GradChannel2, Settings.GradChannel3, Settings.GradReverse}),
              (std::array<qint16, 4>{0, 1, 1, 1}));
    EXPECT_EQ(SecureConnection, 1);
    EXPECT_EQ(InputBackColor, 0xFFFFFF);
    EXPECT_EQ(EntityAttrs[12].FrameStyle, 3);

    struct Row {
        int kind;
        const char* name;
        qint16 frame, frameWidth, aux, trim, placement;
        qint32 text, back;
        qint16 border, fill, textShadow, shadow, clickable, image, imageShadow;
        qint64 scale;
    };
    const qint16 T = -1, F = 0;
    const Row rows[] = {
        {0, "Nothing", 0, 0, 0, 0, 0, 0, 0xC0C0C0, F, F, F, F, T, F, F, 10000},
        {1, "Field Caption", 0, 0, 0, 3, 0, COLOR_BTNTEXT, COLOR_BTNFACE, F, F, F, F, T, F, F, 10000},
        {2, "Field", 2, 0, 0, 2, 0, COLOR_MENUTEXT, COLOR_WINDOW, F, T, F, F, T, F, F, 10000},
        {3, "Page Header", 3, 0, 2, 3, 0, COLOR_CAPTIONTEXT, COLOR_ACTIVECAPTION, F, T, T, F, F, F, F, 14000},
        {4, "Column Caption", 3, 0, 0, 3, 0, COLOR_CAPTIONTEXT, COLOR_ACTIVECAPTION, F, T, T, T, F, F, F, 10000},
        {5, "Fixed Pitch Caption", 0, 0, 4, 2, 0, COLOR_MENUTEXT, COLOR_BTNFACE, F, F, F, F, T, F, F, 10000},
        {6, "Option Button", 0, 0, 0, 0, 1, COLOR_MENUTEXT, COLOR_BTNFACE, F, F, F, F, T, T, T, 15000},
        {7, "Box", 3, 0, 0, 0, 0, 0, COLOR_BTNFACE, T, T, F, T, F, F, F, 10000},
        {8, "Action Button", 1, 0, 0, 3, 0, 0, 0xC0C0C0, T, T, F, F, T, F, F, 10000},
        {9, "Small Button", 1, 2, 0, 3, 0, 0, 0xC0C0C0, T, T, F, F, T, F, F, 8000},
        {10, "Fixed Field", 2, 0, 0, 2, 0, COLOR_MENUTEXT, COLOR_BTNFACE, F, T, F, F, F, F, F, 10000},
        {11, "Image Display", 0, 0, 0, 0, 2, 0, COLOR_BTNFACE, F, F, F, F, T, T, F, 10000},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const EntityAttr& a = EntityAttrs[static_cast<size_t>(r.kind)];
        EXPECT_EQ(a.TypeName, QString::fromLatin1(r.name).leftJustified(20));
        EXPECT_EQ((std::array{a.FrameStyle, a.FrameWidth, a.AuxStyle, a.TrimMode, a.ImagePlacement}),
                  (std::array{r.frame, r.frameWidth, r.aux, r.trim, r.placement}));
        EXPECT_EQ(a.TextColor, r.text);
        EXPECT_EQ(a.BackColor, r.back);
        EXPECT_EQ(a.BorderColor, 0);
        EXPECT_EQ(a.DisabledColor, COLOR_GRAYTEXT);
        EXPECT_EQ((std::array{a.UseBorder, a.FillBackground, a.TextShadow, a.ShadowLines, a.Clickable, a.HasImage,
                              a.ImageShadow}),
                  (std::array{r.border, r.fill, r.textShadow, r.shadow, r.clickable, r.image, r.imageShadow}));
        EXPECT_EQ(a.FontScale.raw, r.scale);
    }
}

TEST(Colors, SystemColoursComeFromTheClassicSchemeAndLongsAreBgr)
{
    EXPECT_EQ(ToQColor(COLOR_BTNFACE), QColor(192, 192, 192));
    EXPECT_EQ(ToQColor(COLOR_ACTIVECAPTION), QColor(0, 0, 128));
    EXPECT_EQ(ToQColor(RGBLong(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(QBColor(7), 0xC0C0C0);
    EXPECT_EQ(QBColor(12), 0x0000FF);
    EXPECT_EQ(QBColor(9), 0xFF0000);
}
