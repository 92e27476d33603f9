#include "core/Ciphers.h"
#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/ScreenStateScope.h"
#include "tests/support/SettledMemory.h"

#include <QImage>
#include <QTemporaryDir>

using namespace zor;
using zor::test::ProcessTest;

TEST_F(ProcessTest, ToFieldRules)
{
    struct Case {
        QString unit;
        qint16 width, height, active, align, kind;
    };
    const Case cases[] = {
        {QStringLiteral("to^5^3^12,3^l^N"), 12, 3, VbTrue, 0, KindNothing},
        {QStringLiteral("to^5^3^12^l^N"), 12, 1, VbTrue, 0, KindNothing},
        {QStringLiteral("to^5^3^12,3,9^l^N"), 12, 3, VbTrue, 0, KindNothing},
        {QStringLiteral("to^5^3^12^left^N"), 12, 1, VbFalse, 0, KindNothing},
        {QStringLiteral("to^5^3^12^ R ^N"), 12, 1, VbTrue, 1, KindNothing},
        {QStringLiteral("to^5^3^12^C^N"), 12, 1, VbTrue, 2, KindNothing},
        {QStringLiteral("to^5^3^12^f^N"), 12, 1, VbTrue, 4, KindNothing},
        {QStringLiteral("to^5^3^12^b^N"), 12, 1, VbFalse, 50, KindNothing},
        {QStringLiteral("to^5^3^12^b12^N"), 12, 1, VbFalse, 50, KindNothing},
        {QStringLiteral("to^5^3^12^x^N"), 12, 1, VbTrue, 0, KindNothing},
        {QStringLiteral("to^5^3^12^^N"), 12, 1, VbTrue, 0, KindNothing},
        {QStringLiteral("to^5^3^12^l^N^^1"), 12, 1, VbTrue, 0, KindFieldCaption},
        {QStringLiteral("to^5^3^12^l^N^^2"), 12, 1, VbTrue, 0, KindField},
        {QStringLiteral("to^5^3^12^l^N^^3"), 12, 1, VbTrue, 0, KindColumnCaption},
        {QStringLiteral("to^5^3^12^l^N^^4"), 12, 1, VbTrue, 0, KindActionButton},
        {QStringLiteral("to^5^3^12^r^N^^5"), 12, 1, VbTrue, 4, KindFixedPitchCaption},
        {QStringLiteral("to^5^3^12^l^N^^6"), 12, 1, VbTrue, 0, KindSmallButton},
        {QStringLiteral("to^5^3^12^l^N^^7"), 12, 1, VbTrue, 0, KindFixedField},
        {QStringLiteral("to^5^3^12^l^N^^8"), 12, 1, VbTrue, 0, KindNothing},
        {QStringLiteral("to^5^3^12^l^N^^2.5"), 12, 1, VbTrue, 0, KindNothing},
        {QStringLiteral("to^5^3^12^l^N^^99999999"), 12, 1, VbTrue, 0, KindNothing},
    };
    for (const Case& c : cases) {
        SetUp();
        window.Process(c.unit);
        ASSERT_EQ(EntityCount, 1) << c.unit.toStdString();
        const Entity& e = Slot(0);
        EXPECT_EQ(e.Width, c.width) << c.unit.toStdString();
        EXPECT_EQ(e.Height, c.height) << c.unit.toStdString();
        EXPECT_EQ(e.Active, c.active) << c.unit.toStdString();
        EXPECT_EQ(e.Align, c.align) << c.unit.toStdString();
        EXPECT_EQ(e.EntityType, c.kind) << c.unit.toStdString();
    }
}

TEST_F(ProcessTest, ToStoresTextsAndMissingFieldsReadEmpty)
{
    Run({QStringLiteral("to^5^3^10^l^Customer^CUST^2^Who pays^3"), QStringLiteral("to^7^4")});
    ASSERT_EQ(EntityCount, 2);
    EXPECT_EQ(Slot(0).Caption.size(), Entity::CaptionWidth);
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Customer"));
    EXPECT_EQ(Trim(Slot(0).Tag), QStringLiteral("CUST"));
    EXPECT_EQ(EntityData[0], QStringLiteral("Who pays"));
    EXPECT_EQ(Slot(0).FontAdjust, 3);
    EXPECT_EQ(Slot(0).Region, 0);
    EXPECT_EQ(Slot(1).X, 7);
    EXPECT_EQ(Slot(1).Y, 4);
    EXPECT_TRUE(IsBlank(Slot(1).Caption));
    EXPECT_TRUE(IsBlank(Slot(1).Tag));
    EXPECT_TRUE(EntityData[1].isEmpty());
    EXPECT_TRUE(ScreenChanged);
}

TEST_F(ProcessTest, ToAtColumnAndRowZeroIsIgnored)
{
    Run({QStringLiteral("to^0^0^10^l^Nothing"), QStringLiteral("to^0.4^^10^l^Nothing")});
    EXPECT_EQ(EntityCount, 0);
    EXPECT_TRUE(History().isEmpty());
}

TEST_F(ProcessTest, ToDeciphersKeysOneToThirty)
{
    LoadScriptKeys();
    const QString secret = EncryptWithKey(QStringLiteral("Price"), 30);
    Run({QStringLiteral("to^1^1^10^l^") + secret + QStringLiteral("^^^^^30"),
         QStringLiteral("to^1^2^10^l^") + secret + QStringLiteral("^^^^^31"),
         QStringLiteral("to^1^3^10^l^") + secret + QStringLiteral("^^^^^0")});
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Price"));
    // The padding stays blank: only the sent caption is deciphered.
    EXPECT_EQ(Slot(0).Caption, QStringLiteral("Price").leftJustified(Entity::CaptionWidth));
    EXPECT_EQ(CaptionOf(1), secret);
    EXPECT_EQ(CaptionOf(2), secret);
}

TEST_F(ProcessTest, ToReplacesOnlyOnTheSameCellAndLevelAndNeverABox)
{
    Run({QStringLiteral("to^5^3^10^l^First"), QStringLiteral("to^5^3^8^r^Second")});
    EXPECT_EQ(EntityCount, 1);
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Second"));
    EXPECT_EQ(Slot(0).Width, 8);

    Run({QStringLiteral("lv^1"), QStringLiteral("to^5^3^10^l^Sub"), QStringLiteral("lv^0")});
    EXPECT_EQ(EntityCount, 2);
    EXPECT_EQ(Slot(1).Region, 1);

    Run({QStringLiteral("bx^20^10^5^2^Box"), QStringLiteral("to^20^10^10^l^Over")});
    EXPECT_EQ(EntityCount, 4);
    EXPECT_EQ(Slot(2).EntityType, KindBox);
    EXPECT_EQ(CaptionOf(3), QStringLiteral("Over"));
}

TEST_F(ProcessTest, ReplaceChangesTheEntityOnItsCellOnly)
{
    Run({QStringLiteral("to^5^3^10^l^Old^OLDTAG^2"), QStringLiteral("rp^5^3^New^ ^ ")});
    EXPECT_EQ(CaptionOf(0), QStringLiteral("New"));
    EXPECT_EQ(Trim(Slot(0).Tag), QStringLiteral("OLDTAG"));
    EXPECT_EQ(Slot(0).EntityType, KindField);
    EXPECT_FALSE(ScreenChanged);

    Run({QStringLiteral("rp^5^3^^NEWTAG^5")});
    EXPECT_TRUE(IsBlank(Slot(0).Caption));
    EXPECT_EQ(Trim(Slot(0).Tag), QStringLiteral("NEWTAG"));
    EXPECT_EQ(Slot(0).EntityType, KindFixedPitchCaption);
    EXPECT_EQ(Slot(0).Align, 0);

    // Nothing stands there: no change, yet the unit is history.
    const Entity before = Slot(0);
    Run({QStringLiteral("rp^40^20^Ghost"), QStringLiteral("rp^^3^Ignored")});
    EXPECT_EQ(Slot(0), before);
    EXPECT_EQ(EntityCount, 1);
    EXPECT_EQ(History().size(), 4);
    EXPECT_EQ(History().last(), QStringLiteral("rp^40^20^Ghost"));
}

TEST_F(ProcessTest, ReplaceRedrawsOnlyItsEntity)
{
    test::ScreenStateScope scope;
    EntityAttrs[KindField] = EntityAttr{};
    EntityAttrs[KindField].FillBackground = VbTrue;
    EntityAttrs[KindField].BackColor = 0x0000FF;
    Run({QStringLiteral("to^5^3^10^l^Old^^2"), QStringLiteral("dr")});
    QImage& screen = window.MainPic->Image();
    ASSERT_GE(screen.width(), 200);
    ASSERT_GE(screen.height(), 100);
    const QPoint inside(157, 77);
    EXPECT_EQ(screen.pixelColor(inside), QColor(Qt::red));
    screen.setPixelColor(0, 0, Qt::green);

    EntityAttrs[KindField].BackColor = 0xFF0000;
    Run({QStringLiteral("rp^5^3^New")});
    EXPECT_EQ(screen.pixelColor(inside), QColor(Qt::blue));
    EXPECT_EQ(screen.pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(ProcessTest, OptionsHeadersAndBoxes)
{
    Run({QStringLiteral("cs"), QStringLiteral("ob^4^6^^^  Yes please  ^Y^M")});
    ASSERT_EQ(EntityCount, 1);
    EXPECT_EQ(Slot(0).EntityType, KindOptionButton);
    EXPECT_EQ(Slot(0).Width, 10);
    EXPECT_EQ(Slot(0).Height, 1);
    EXPECT_EQ(Slot(0).ImageIndex, 1);
    EXPECT_EQ(Trim(Slot(0).Tag), QStringLiteral("Y"));

    Run({QStringLiteral("ob^4^6^^^No^N^p"), QStringLiteral("ob^4^7^^^Maybe^M^a"), QStringLiteral("ob^4^8^^^  ^X")});
    EXPECT_EQ(EntityCount, 3);
    EXPECT_EQ(Slot(1).ImageIndex, 2);
    EXPECT_EQ(Slot(2).ImageIndex, 0);

    Run({QStringLiteral("mh^Orders"), QStringLiteral("mh^Orders")});
    EXPECT_EQ(EntityCount, 5);
    EXPECT_EQ(Slot(4).EntityType, KindPageHeader);
    EXPECT_EQ(Slot(4).Width, 81);
    EXPECT_EQ(Slot(4).Align, 2);

    Run({QStringLiteral("bx^2^4^30^5^Customer"), QStringLiteral("bx^2^4^2.5^1^Again")});
    EXPECT_EQ(EntityCount, 6);
    EXPECT_EQ(Slot(5).Width, 4);
    EXPECT_EQ(Slot(5).Height, 2);
    EXPECT_EQ(CaptionOf(5), QStringLiteral("Again"));

    // A box over another entity takes its slot, whatever its kind.
    Run({QStringLiteral("bx^4^6^1^1^Over")});
    EXPECT_EQ(Slot(0).EntityType, KindBox);
    EXPECT_EQ(EntityCount, 6);
}

TEST_F(ProcessTest, BoxesBelongToTheMainScreenOnly)
{
    Run({QStringLiteral("lv^1"), QStringLiteral("bx^2^4^30^5^Box")});
    EXPECT_EQ(EntityCount, 0);
    EXPECT_EQ(History(), QStringList{QStringLiteral("lv^1")});
}

TEST_F(ProcessTest, ImagesTakeTheirSizeInCells)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("logo.png"));
    QImage picture(40, 60, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(file));

    Run({QStringLiteral("im^3^2^0^0^0^") + file + QStringLiteral("^LOGO"), QStringLiteral("image^3^5^5^5^0^") + file,
         QStringLiteral("im^3^9^0^0^0^") + file + QStringLiteral("x"), QStringLiteral("im^3^9^7^2^1^99999"),
         QStringLiteral("im^3^9^7^2^2^") + QString(400, QLatin1Char('9'))});
    ASSERT_EQ(EntityCount, 4);
    EXPECT_EQ(Slot(0).EntityType, KindImageDisplay);
    EXPECT_EQ(Slot(0).Width, 4);
    EXPECT_EQ(Slot(0).Height, 3);
    EXPECT_EQ(Trim(Slot(0).Tag), QStringLiteral("LOGO"));
    EXPECT_EQ(Slot(1).Width, 4);
    EXPECT_EQ(Slot(1).Height, 5);
    EXPECT_EQ(Slot(1).ImageIndex, 1);
    EXPECT_EQ(window.eImage[1].size(), QSize(40, 60));
    // A resource the program lacks leaves an empty picture.
    EXPECT_EQ(Slot(2).ImageIndex, 2);
    EXPECT_TRUE(window.eImage[2].isNull());
    EXPECT_EQ(Slot(2).Width, 6);
    EXPECT_TRUE(window.eImage[3].isNull());
    EXPECT_EQ(ImageCount, 4);
    EXPECT_EQ(History().size(), 4);

    Run({QStringLiteral("cs"), QStringLiteral("im^1^1^0^0^0^") + file});
    EXPECT_EQ(Slot(0).ImageIndex, 0);

    // Only a plain file is read: a folder or a device named by the host is
    // no picture file (a device could be read without end).
    Run({QStringLiteral("im^1^2^0^0^0^") + folder.path(), QStringLiteral("im^1^3^0^0^0^/dev/zero")});
    EXPECT_EQ(EntityCount, 1);
    EXPECT_EQ(History().size(), 2);
}

TEST_F(ProcessTest, PicturesAreKeptNoLargerThanDrawnAndGoWithTheirScreen)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("photo.png"));
    QImage photo(1920, 1080, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    ASSERT_TRUE(photo.save(file));
    const QSize screen = window.screen()->size();
    ASSERT_LT(screen.width(), 1920);

    Trace().On = false;
    const double before = test::SettledResidentMb();
    for (int i = 0; i < 100; ++i)
        window.Process(QStringLiteral("im^1^%1^0^0^0^").arg(i % 20) + file);
    window.Process(QStringLiteral("im^1^22^5^2^0^") + file);
    EXPECT_LT(test::SettledResidentMb() - before, 64);
    ASSERT_EQ(ImageCount, 101);
    // The size in cells still comes from the picture as the file holds it.
    EXPECT_EQ(Slot(0).Width, 192);
    EXPECT_EQ(Slot(0).Height, 54);
    EXPECT_EQ(window.eImage[0].size(), screen.boundedTo(QSize(1920, 1080)));
    EXPECT_EQ(window.eImage[99].constBits(), window.eImage[0].constBits());
    EXPECT_LE(window.eImage[100].width(), 6 * screen.width() / 81 + 1);
    EXPECT_LE(window.eImage[100].height(), 2 * screen.height() / 25 + 1);

    Run({QStringLiteral("cs")});
    for (const QImage& picture : window.eImage)
        EXPECT_TRUE(picture.isNull());
}

TEST_F(ProcessTest, AFullEntityTableRefusesMore)
{
    for (int i = 0; i < EntitySlots - 1; ++i)
        window.Process(QStringLiteral("ob^%1^%2^^^Option^O").arg(i % 80).arg(i / 80));
    ASSERT_EQ(EntityCount, EntitySlots - 1);
    // The last slot has no help text slot beside it.
    Run({QStringLiteral("to^79^24^1^l^Last^^^help")});
    EXPECT_EQ(EntityCount, EntitySlots - 1);
    Run({QStringLiteral("to^79^24^1^l^Last")});
    EXPECT_EQ(EntityCount, EntitySlots);
    EXPECT_EQ(CaptionOf(EntitySlots - 1), QStringLiteral("Last"));

    const int history = static_cast<int>(History().size());
    Run({QStringLiteral("to^78^24^1^l^More"), QStringLiteral("ob^1^1^^^More"), QStringLiteral("mh^More"),
         QStringLiteral("bx^70^24^1^1"), QStringLiteral("im^1^1^0^0^1^1")});
    EXPECT_EQ(EntityCount, EntitySlots);
    EXPECT_EQ(History().size(), history);
    EXPECT_TRUE(TraceLines().last().startsWith(QStringLiteral("[Process]Refused, the entity table is full")));
    // Replacing what stands is still possible.
    Run({QStringLiteral("to^79^24^1^l^Changed")});
    EXPECT_EQ(CaptionOf(EntitySlots - 1), QStringLiteral("Changed"));
}
