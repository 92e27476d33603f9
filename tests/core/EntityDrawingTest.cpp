#include "core/EntityDrawing.h"
#include "core/Colors.h"
#include "core/SharedState.h"
#include "core/TextFace.h"
#include "tests/support/ScreenStateScope.h"
#include "tests/support/SettledMemory.h"

#include <QFontMetrics>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace zor;

namespace {

const QRgb Back = qRgb(40, 90, 40);
const QRgb Red = qRgb(255, 0, 0);
const qint32 BackdropColour = RGBLong(100, 100, 100);
const qint32 Fill = RGBLong(0, 0, 200);

struct Canvas {
    QImage image = MakeSurfaceImage(QSize(810, 500), QColor(Back));
    QFont font = DefaultSurfaceFont();
    Surface surface() { return {image, font}; }
    QRgb at(int x, int y) const { return image.pixel(x, y); }
};

EntityAttr Plain()
{
    EntityAttr a;
    a.TextColor = RGBLong(255, 0, 0);
    a.DisabledColor = RGBLong(0, 0, 255);
    a.FontScale = Currency::fromDouble(1);
    return a;
}

Entity Make(int x, int y, int width, int height, const QString& caption = QString(), int align = 0)
{
    return test::MakeEntity(KindField, x, y, width, height, caption, align);
}

int Distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// A pixel of text in this colour, smoothed edges included as far as they are
// nearer the colour than the background.
bool IsInk(QRgb pixel, QRgb colour)
{
    return Distance(pixel, colour) < Distance(pixel, Back);
}

// Bounding box of the text pixels of this colour.
QRect Ink(const QImage& image, QRgb colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsInk(image.pixel(x, y), colour))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The left edges of the runs of columns holding the colour.
std::vector<int> InkColumnStarts(const QImage& image, QRgb colour)
{
    std::vector<int> starts;
    bool previous = false;
    for (int x = 0; x < image.width(); ++x) {
        bool any = false;
        for (int y = 0; y < image.height() && !any; ++y)
            any = IsInk(image.pixel(x, y), colour);
        if (any && !previous)
            starts.push_back(x);
        previous = any;
    }
    return starts;
}

int Round(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

QFont FontOf(double points)
{
    QFont font = DefaultSurfaceFont();
    font.setPointSizeF(points);
    return font;
}

// The text drawn as the host's screens expect it: the point is its top left.
QImage Reference(const QString& text, double points, int x, int y)
{
    QImage image = MakeSurfaceImage(QSize(810, 500), QColor(Back));
    QPainter painter(&image);
    painter.setFont(FontOf(points));
    painter.setPen(QColor(Red));
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
    return image;
}

QFontMetrics MetricsOf(double points)
{
    const QImage device = MakeSurfaceImage(QSize(1, 1), Qt::white);
    return QFontMetrics(FontOf(points), &device);
}

class EntityDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        CellWidth = Currency::fromDouble(10);
        CellHeight = Currency::fromDouble(20);
        Settings.BackColor = BackdropColour;
        TabletMode = 0;
        SubWindowRect = {0, 0, 0, 0};
        EntityCount = 0;
    }
    test::ScreenStateScope state;
    Canvas canvas;
};

TEST_F(EntityDrawing, TextLandsWhereItsAlignmentPutsIt)
{
    // Columns 10..30 (one cell beyond the width), rows 5..7: x 100, r 310,
    // y 100, b 160. The caption is 10 points (cell width x font scale 1).
    const QString caption = QStringLiteral("Total");
    const QFontMetrics metrics = MetricsOf(10);
    const int width = metrics.horizontalAdvance(caption);
    const int top = 100 + Round(10 - metrics.height() / 2.0);
    const int centre = static_cast<int>(std::nearbyint(205 - width / 2.0));
    struct Case {
        int align;
        int textX;
        int textY;
    };
    const Case cases[] = {
        {0, 103, top},         {1, 310 - width - 5, top}, // ends 5 pixels left of the right edge
        {2, centre, top + 20},                            // centred across and down the three rows
        {3, centre, top + 20}, {50, centre, top},         // item-list links centre across only
        {7, 0, top},                                      // a code the host never sends starts at the edge
    };
    EntityAttr attr = Plain();
    attr.TrimMode = 3;
    for (const Case& c : cases) {
        Canvas drawn;
        DrawEntity(drawn.surface(), Make(10, 5, 20, 3, caption, c.align), attr, {});
        EXPECT_EQ(Ink(drawn.image, Red), Ink(Reference(caption, 10, c.textX, c.textY), Red)) << "align " << c.align;
    }

    // Kinds that never trim store the caption with its 80 blanks; centring
    // still goes by the visible text.
    attr.TrimMode = 0;
    const QString stored = caption.leftJustified(Entity::CaptionWidth);
    for (const int align : {2, 50}) {
        Canvas drawn;
        DrawEntity(drawn.surface(), Make(10, 5, 20, 3, stored, align), attr, {});
        EXPECT_EQ(Ink(drawn.image, Red), Ink(Reference(caption, 10, centre, align == 2 ? top + 20 : top), Red))
            << "align " << align;
    }
}

TEST_F(EntityDrawing, FramesUseTheBevelPairOfTheirStyle)
{
    // Pair 1 comes from the fill (0,0,200), pair 2 from the backdrop colour
    // (100,100,100). The entity spans x 20..70, y 60..100.
    const QRgb l1 = qRgb(50, 50, 250), d1 = qRgb(0, 0, 150), l2 = qRgb(150, 150, 150), d2 = qRgb(50, 50, 50);
    const QRgb fill = qRgb(0, 0, 200);
    struct Probe {
        int x, y;
        QRgb colour;
    };
    struct Case {
        qint16 style;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {FrameRaised,
         {{40, 60, l1},
          {40, 61, l1},
          {20, 80, l1},
          {21, 80, l1},
          {40, 99, d1},
          {40, 98, d1},
          {70, 80, d1},
          {69, 80, d1},
          {40, 80, fill}}},
        {FrameIndented, {{40, 60, d2}, {21, 80, d2}, {40, 98, l2}, {69, 80, l2}, {40, 80, fill}}},
        {FrameEngraved,
         {{40, 60, d2},
          {40, 61, l2},
          {20, 80, d2},
          {21, 80, l2},
          {70, 80, d2},
          {71, 80, l2},
          {40, 99, d2},
          {40, 100, l2},
          {40, 80, fill}}},
        {FrameEmbossed, {{40, 60, l1}, {40, 61, d1}, {70, 80, l1}, {71, 80, d1}, {40, 100, d1}, {40, 80, fill}}},
        {FrameFlat, {{40, 60, fill}, {70, 80, Back}, {40, 80, fill}}},
    };
    for (const Case& c : cases) {
        Canvas drawn;
        EntityAttr attr = Plain();
        attr.FillBackground = VbTrue;
        attr.BackColor = Fill;
        attr.FrameStyle = c.style;
        DrawEntity(drawn.surface(), Make(2, 3, 4, 2), attr, {});
        for (const Probe& p : c.probes)
            EXPECT_EQ(drawn.at(p.x, p.y), p.colour) << "style " << c.style << " at " << p.x << "," << p.y;
    }
}

TEST_F(EntityDrawing, BevelsTakeTheLowBytesOfASystemColourAndTheBackdropWithoutFill)
{
    EntityAttr attr = Plain();
    attr.FrameStyle = FrameRaised;
    attr.FillBackground = VbTrue;
    attr.BackColor = COLOR_BTNFACE; // index 15: red byte 15, green and blue 0
    DrawEntity(canvas.surface(), Make(2, 3, 4, 2), attr, {});
    EXPECT_EQ(canvas.at(40, 60), qRgb(65, 50, 50));
    EXPECT_EQ(canvas.at(40, 99), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.at(40, 80), ToRgb(COLOR_BTNFACE));

    Canvas unfilled;
    attr.FillBackground = VbFalse;
    DrawEntity(unfilled.surface(), Make(2, 3, 4, 2), attr, {});
    EXPECT_EQ(unfilled.at(40, 60), qRgb(150, 150, 150));
    EXPECT_EQ(unfilled.at(40, 99), qRgb(50, 50, 50));
    EXPECT_EQ(unfilled.at(40, 80), Back);
}

TEST_F(EntityDrawing, MakeBevelColoursClampsAndSetsOnlyTheChosenPair)
{
    MakeBevelColours(RGBLong(10, 240, 100), 0);
    EXPECT_EQ(BevelLight1, RGBLong(60, 255, 150));
    EXPECT_EQ(BevelDark1, RGBLong(0, 190, 50));
    MakeBevelColours(RGBLong(1, 2, 3), 1);
    EXPECT_EQ(BevelLight2, RGBLong(51, 52, 53));
    EXPECT_EQ(BevelDark2, RGBLong(0, 0, 0));
    MakeBevelColours(RGBLong(200, 200, 200), 2);
    EXPECT_EQ(BevelLight1, RGBLong(60, 255, 150));
    EXPECT_EQ(BevelLight2, RGBLong(51, 52, 53));
}

TEST_F(EntityDrawing, ShadowFillInsetAndBorder)
{
    EntityAttr attr = Plain();
    attr.ShadowLines = VbTrue;
    attr.FillBackground = VbTrue;
    attr.BackColor = Fill;
    DrawEntity(canvas.surface(), Make(2, 3, 4, 2), attr, {});
    const QRgb fill = qRgb(0, 0, 200);
    EXPECT_EQ(canvas.at(20, 60), fill);
    EXPECT_EQ(canvas.at(69, 99), fill);
    EXPECT_EQ(canvas.at(72, 66), qRgb(0, 0, 0));  // the shadow shows right of the fill
    EXPECT_EQ(canvas.at(74, 104), qRgb(0, 0, 0)); // ... to 4 pixels beyond the edges
    EXPECT_EQ(canvas.at(75, 104), Back);
    EXPECT_EQ(canvas.at(72, 64), Back); // it starts 5 pixels down
    EXPECT_EQ(canvas.at(24, 102), Back);
    EXPECT_EQ(canvas.at(25, 102), qRgb(0, 0, 0));

    Canvas inset;
    attr.ShadowLines = VbFalse;
    attr.FrameWidth = 3;
    attr.UseBorder = VbTrue;
    attr.BorderColor = RGBLong(0, 255, 0);
    DrawEntity(inset.surface(), Make(2, 3, 4, 2), attr, {});
    EXPECT_EQ(inset.at(22, 62), Back);
    EXPECT_EQ(inset.at(23, 63), qRgb(0, 255, 0));
    EXPECT_EQ(inset.at(67, 80), qRgb(0, 255, 0));
    EXPECT_EQ(inset.at(40, 96), qRgb(0, 255, 0));
    EXPECT_EQ(inset.at(40, 80), fill);
}

TEST_F(EntityDrawing, OptionButtonIsWiderAndItsTextFollowsThePicture)
{
    // A picture whose left half is blue and right half transparent, with its
    // mask below.
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int y = 0; y < 2; ++y) {
        picture.setPixel(0, y, qRgb(0, 0, 255));
        picture.setPixel(1, y, qRgb(0, 0, 255));
        picture.setPixel(2, y + 2, qRgb(255, 255, 255));
        picture.setPixel(3, y + 2, qRgb(255, 255, 255));
    }
    const std::vector<QImage> options = {picture};
    EntityAttr attr = Plain();
    attr.HasImage = VbTrue;
    attr.ImagePlacement = 1;
    attr.ImageShadow = VbTrue;
    attr.UseBorder = VbTrue;
    attr.BorderColor = RGBLong(0, 255, 0);
    DrawEntity(canvas.surface(), Make(2, 3, 4, 1, QStringLiteral("Go")), attr, {options, {}});

    // 2 cells and 12 pixels wider: the border's right edge is at x 102
    // instead of 70.
    EXPECT_EQ(canvas.at(102, 70), qRgb(0, 255, 0));
    EXPECT_EQ(canvas.at(103, 70), Back);
    // The picture is 2 cells wide and one high at the entity's corner; its
    // shadow is the mask 5 pixels down and right.
    EXPECT_EQ(canvas.at(27, 70), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.at(32, 70), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.at(36, 70), Back);
    EXPECT_EQ(canvas.at(32, 82), qRgb(0, 0, 0));
    const int top = 60 + Round(10 - MetricsOf(10).height() / 2.0);
    EXPECT_EQ(Ink(canvas.image, Red), Ink(Reference(QStringLiteral("Go"), 10, 20 + 20 + 12, top), Red));
}

TEST_F(EntityDrawing, PictureNumbersWithoutAPictureDrawNoPicture)
{
    const std::vector<QImage> none(2);
    for (const qint16 index : {qint16(-1), qint16(1), qint16(7), qint16(32000)}) {
        for (const qint16 placement : {qint16(1), qint16(2)}) {
            Canvas drawn;
            EntityAttr attr = Plain();
            attr.HasImage = VbTrue;
            attr.ImagePlacement = placement;
            Entity e = Make(2, 3, 6, 2, QStringLiteral("Text"));
            e.ImageIndex = index;
            DrawEntity(drawn.surface(), e, attr, {none, none});
            EXPECT_FALSE(Ink(drawn.image, Red).isEmpty()) << index << " " << placement;
        }
    }
}

TEST_F(EntityDrawing, TrimModeZeroDrawsTheWholeCaptionAndNeverShortens)
{
    const QString wide(Entity::CaptionWidth, QLatin1Char('W'));
    EntityAttr attr = Plain();
    attr.TrimMode = 0;
    DrawEntity(canvas.surface(), Make(2, 1, 3, 1, wide), attr, {});
    EXPECT_GT(Ink(canvas.image, Red).right(), 400);

    for (const qint16 mode : {qint16(1), qint16(2), qint16(3)}) {
        Canvas shortened;
        attr.TrimMode = mode;
        DrawEntity(shortened.surface(), Make(2, 1, 3, 1, wide), attr, {});
        EXPECT_LE(Ink(shortened.image, Red).right(), 20 + 3 + 40) << mode;
    }

    // Leading blanks stay with mode 0 and go with mode 1.
    const int top = 20 + Round(10 - MetricsOf(10).height() / 2.0);
    const QString padded = QStringLiteral("  AB");
    Canvas kept;
    attr.TrimMode = 0;
    DrawEntity(kept.surface(), Make(2, 1, 10, 1, padded), attr, {});
    EXPECT_EQ(Ink(kept.image, Red), Ink(Reference(padded, 10, 23, top), Red));
    Canvas trimmed;
    attr.TrimMode = 1;
    DrawEntity(trimmed.surface(), Make(2, 1, 10, 1, padded), attr, {});
    EXPECT_EQ(Ink(trimmed.image, Red), Ink(Reference(QStringLiteral("AB"), 10, 23, top), Red));
}

TEST_F(EntityDrawing, OptionButtonKindNeverTrims)
{
    EntityAttrs[KindOptionButton].TrimMode = 3;
    DrawEntity(canvas.surface(), Make(1, 1, 5, 1, QStringLiteral("x")), Plain(), {});
    EXPECT_EQ(EntityAttrs[KindOptionButton].TrimMode, 0);
}

TEST_F(EntityDrawing, FixedPitchSpreadsCharactersByCellWidthPlusFontAdjust)
{
    for (const quint8 adjust : {quint8(0), quint8(2)}) {
        Canvas drawn;
        Entity e = Make(2, 1, 10, 1, QStringLiteral("....."), 4);
        e.FontAdjust = adjust;
        EntityAttr attr = Plain();
        attr.TrimMode = 3;
        DrawEntity(drawn.surface(), e, attr, {});
        const std::vector<int> starts = InkColumnStarts(drawn.image, Red);
        ASSERT_EQ(starts.size(), 5u) << int(adjust);
        for (size_t i = 1; i < starts.size(); ++i)
            EXPECT_EQ(starts[i] - starts[i - 1], 10 + adjust) << int(adjust);
        EXPECT_DOUBLE_EQ(drawn.font.pointSizeF(), 10 + adjust);
    }
}

TEST_F(EntityDrawing, TabletModeDrawsAtThreeQuartersAndDesignEntitiesKeepTheFont)
{
    const QSize normal = Ink(Reference(QStringLiteral("H"), 10, 0, 0), Red).size();
    const QSize small = Ink(Reference(QStringLiteral("H"), 7.5, 0, 0), Red).size();
    ASSERT_NE(normal, small);
    EntityAttr attr = Plain();
    attr.TrimMode = 3;
    TabletMode = 1;
    DrawEntity(canvas.surface(), Make(2, 1, 5, 1, QStringLiteral("H")), attr, {});
    EXPECT_EQ(Ink(canvas.image, Red).size(), small);
    EXPECT_DOUBLE_EQ(canvas.font.pointSizeF(), 7.5);

    Canvas design;
    design.font.setPointSizeF(20);
    Entity e = Make(33, 44, 133, 77, QStringLiteral("H"));
    e.SetTag(QStringLiteral("[design]"));
    DrawEntity(design.surface(), e, attr, {});
    EXPECT_DOUBLE_EQ(design.font.pointSizeF(), 20);
    EXPECT_EQ(Ink(design.image, Red).size(), Ink(Reference(QStringLiteral("H"), 20, 0, 0), Red).size());
}

TEST_F(EntityDrawing, DesignEntityIsPlacedInPixels)
{
    Entity e = Make(33, 44, 133, 77);
    e.SetTag(QStringLiteral("  [design]  "));
    EntityAttr attr = Plain();
    attr.FillBackground = VbTrue;
    attr.BackColor = Fill;
    DrawEntity(canvas.surface(), e, attr, {});
    const QRgb fill = qRgb(0, 0, 200);
    EXPECT_EQ(canvas.at(33, 44), fill);
    EXPECT_EQ(canvas.at(132, 76), fill);
    EXPECT_EQ(canvas.at(32, 44), Back);
    EXPECT_EQ(canvas.at(33, 43), Back);
    EXPECT_EQ(canvas.at(133, 76), Back);
    EXPECT_EQ(canvas.at(132, 77), Back);
}

TEST_F(EntityDrawing, ExtremeHostValuesAreClippedToTheSurface)
{
    EntityAttr attr = Plain();
    attr.FillBackground = VbTrue;
    attr.BackColor = Fill;
    attr.ShadowLines = VbTrue;
    attr.FrameStyle = FrameRaised;
    attr.UseBorder = VbTrue;
    attr.TrimMode = 3;
    const qint16 big = 32767, small = -32768;
    const Entity cases[] = {
        Make(big, big, big, big, QStringLiteral("far")),
        Make(-100, -100, big, big, QStringLiteral("everywhere")),
        Make(small, 2, 2, 1, QStringLiteral("left")),
        Make(5, 5, big, 1, QString(Entity::CaptionWidth, QLatin1Char('x')), 4),
    };
    for (const Entity& e : cases)
        DrawEntity(canvas.surface(), e, attr, {});
    // The second one covers the whole surface with its fill.
    EXPECT_EQ(canvas.at(400, 250), qRgb(0, 0, 200));

    Canvas large;
    Entity e = Make(1, 1, 10, 1, QStringLiteral("Big"));
    e.FontAdjust = 255;
    DrawEntity(large.surface(), e, attr, {});
    EXPECT_DOUBLE_EQ(large.font.pointSizeF(), 265);
}

class ScreenDrawing : public EntityDrawing {
protected:
    QImage backDrop = MakeSurfaceImage(QSize(810, 500), QColor(Back));
    Canvas work;
    Canvas sub;
    QImage target = MakeSurfaceImage(QSize(810, 500), Qt::white);

    std::vector<QImage> pictures = {MakeSurfaceImage(QSize(4, 4), QColor(0, 0, 255))};

    void Draw(bool subShown, int captionHeight = 20)
    {
        DrawEntities({.BackDrop = backDrop,
                      .Work = work.surface(),
                      .Target = target,
                      .SubWindow = sub.surface(),
                      .SubWindowShown = subShown,
                      .SubWindowCaptionHeight = captionHeight,
                      .Pictures = {pictures, pictures}});
    }

    // A screen of overlapping entities of every way of drawing: text in
    // sizes that change from entity to entity, frames, shadows, option
    // pictures with their shadow, host pictures; "[design]" entities that
    // keep the size the one before them set, and entities of the
    // sub-window. Enough of them to be read in several parts, crossing the
    // rows where the screen is drawn in parts.
    void Crowd()
    {
        CellWidth = Currency::fromDouble(10);
        Settings.BackColor = BackdropColour;
        EntityAttr& field = EntityAttrs[KindField];
        field = Plain();
        field.FillBackground = VbTrue;
        field.BackColor = Fill;
        field.FrameStyle = FrameEngraved;
        field.ShadowLines = VbTrue;
        field.TextShadow = VbTrue;
        EntityAttr& option = EntityAttrs[KindOptionButton];
        option = Plain();
        option.HasImage = VbTrue;
        option.ImagePlacement = 1;
        option.ImageShadow = VbTrue;
        EntityAttr& image = EntityAttrs[KindImageDisplay];
        image = Plain();
        image.HasImage = VbTrue;
        image.ImagePlacement = 2;
        const qint16 kinds[] = {KindField, KindOptionButton, KindImageDisplay};
        SubWindowRect = {10, 5, 40, 12};
        EntityCount = 0;
        for (int i = 0; i < 150; ++i) {
            Entity e =
                Make((i * 7) % 60, (i * 5) % 23, 4 + i % 9, 1 + i % 3, QStringLiteral("Row %1 text").arg(i), i % 5);
            e.EntityType = kinds[i % 3];
            e.FontAdjust = static_cast<quint8>(i % 4 + (i % 7 == 0 ? 30 : 0));
            if (i % 6 == 5) {
                e.SetTag(QStringLiteral("[design]"));
                e.X = static_cast<qint16>((i * 13) % 700);
                e.Y = static_cast<qint16>((i * 7) % 450);
                e.Width = static_cast<qint16>(e.X + 60 + i % 50);
                e.Height = static_cast<qint16>(e.Y + 20 + i % 30);
            }
            if (i % 10 == 9) {
                e.Region = 1;
                e.X = static_cast<qint16>(10 + i % 20);
                e.Y = static_cast<qint16>(5 + i % 8);
            }
            Entities[static_cast<size_t>(EntityCount++)] = e;
        }
    }
};

TEST_F(ScreenDrawing, EmptyScreensAndEntitiesNotToDrawShowTheBackdropOnly)
{
    backDrop.setPixel(5, 5, qRgb(1, 2, 3));
    EntityAttrs[KindField] = Plain();
    EntityAttrs[KindField].FillBackground = VbTrue;
    EntityAttrs[KindField].BackColor = Fill;
    struct Case {
        const char* what;
        qint16 count;
        qint16 kind;
        qint16 width;
    };
    const Case cases[] = {
        {"cleared screen", -1, KindField, 5}, {"no entities", 0, KindField, 5}, {"kind 0", 1, 0, 5},
        {"width 0", 1, KindField, 0},         {"negative kind", 1, -3, 5},      {"kind beyond the table", 1, 25, 5},
        {"kind 32000", 1, 32000, 5},
    };
    for (const Case& c : cases) {
        Entities[0] = Make(1, 1, c.width, 1);
        Entities[0].EntityType = c.kind;
        EntityCount = c.count;
        target.fill(Qt::white);
        Draw(false);
        EXPECT_EQ(target, backDrop) << c.what;
        EXPECT_EQ(work.image, backDrop) << c.what;
    }
}

TEST_F(ScreenDrawing, AScreenOfHundredsOfSizesKeepsItsFacesInLittleMemory)
{
    EntityAttrs[KindField] = Plain();
    for (int i = 0; i < 512; ++i) {
        Entities[static_cast<size_t>(i)] = Make(1 + i % 60, i % 24, 10, 1, QStringLiteral("Total %1").arg(i));
        Entities[static_cast<size_t>(i)].FontAdjust = static_cast<quint8>(i % 256);
    }
    EntityCount = 512;
    const double before = test::SettledResidentMb();
    Draw(false);
    Draw(false);
    EXPECT_LT(test::SettledResidentMb() - before, 150);

    // Every size of the screen is still at hand for the next redraw.
    QFont font = work.font;
    font.setPointSizeF(work.font.pointSizeF() - 255 + 3);
    const auto face = TextFace::For(font, work.image);
    Draw(false);
    EXPECT_EQ(TextFace::For(font, work.image).get(), face.get());
    EntityCount = 0;
}

TEST_F(ScreenDrawing, LaterEntitiesPaintOverEarlierOnesAndTheTargetGetsTheWholeScreen)
{
    EntityAttrs[KindField] = Plain();
    EntityAttrs[KindField].FillBackground = VbTrue;
    EntityAttrs[KindField].BackColor = Fill;
    EntityAttrs[KindBox] = Plain();
    EntityAttrs[KindBox].FillBackground = VbTrue;
    EntityAttrs[KindBox].BackColor = RGBLong(0, 255, 0);
    Entities[0] = Make(1, 1, 5, 1);
    Entities[1] = Make(3, 1, 5, 1);
    Entities[1].EntityType = KindBox;
    EntityCount = 2;
    Draw(false);
    EXPECT_EQ(target.pixel(15, 30), qRgb(0, 0, 200));
    EXPECT_EQ(target.pixel(45, 30), qRgb(0, 255, 0));
    EXPECT_EQ(target, work.image);
}

TEST_F(ScreenDrawing, TargetAndWorkKeepApartWhenEitherIsDrawnOnAlone)
{
    EntityAttrs[KindField] = Plain();
    EntityAttrs[KindField].FillBackground = VbTrue;
    EntityAttrs[KindField].BackColor = Fill;
    Entities[0] = Make(1, 1, 5, 1);
    EntityCount = 1;
    Draw(false);
    const QImage shown = target.copy();
    const QImage kept = target;

    // One entity drawn onto the target alone, as a replaced caption is.
    QFont font = DefaultSurfaceFont();
    DrawEntity({target, font}, Make(20, 10, 3, 1), EntityAttrs[KindField], {});
    EXPECT_EQ(work.image, shown);
    EXPECT_EQ(kept, shown);
    EXPECT_EQ(target.pixel(210, 210), qRgb(0, 0, 200));

    // The next redraw reaches both; a picture taken of the old one stays.
    Entities[0] = Make(30, 5, 5, 1);
    Draw(false);
    EXPECT_EQ(target, work.image);
    EXPECT_EQ(target.pixel(15, 30), Back);
    EXPECT_EQ(target.pixel(310, 110), qRgb(0, 0, 200));
    EXPECT_EQ(kept, shown);

    // A target of another size gets the screen's top left.
    target = MakeSurfaceImage(QSize(400, 200), Qt::white);
    Draw(false);
    EXPECT_EQ(target, work.image.copy(0, 0, 400, 200));
}

TEST_F(ScreenDrawing, SubWindowEntityAtTheOriginIsDrawnAtLeftEdgeOneCellDown)
{
    SubWindowRect = {5, 4, 20, 6};
    EntityAttrs[KindField] = Plain();
    EntityAttrs[KindField].FillBackground = VbTrue;
    EntityAttrs[KindField].BackColor = Fill;
    Entities[0] = Make(5, 4, 3, 1);
    Entities[0].Region = 1;
    EntityCount = 1;
    Draw(false);
    EXPECT_EQ(sub.at(0, 20), qRgb(0, 0, 200));
    EXPECT_EQ(sub.at(39, 39), qRgb(0, 0, 200));
    EXPECT_EQ(sub.at(0, 19), Back);
    EXPECT_EQ(work.image, backDrop);
}

TEST_F(ScreenDrawing, ShownSubWindowGetsTheBackdropBelowItsCaptionAndARaisedBorder)
{
    backDrop.setPixel(10, 10, qRgb(1, 2, 3));
    sub.image = MakeSurfaceImage(QSize(200, 120), Qt::white);
    EntityCount = 0;
    Draw(true, 30);
    EXPECT_EQ(sub.at(10, 20), qRgb(1, 2, 3)); // copied 30 - 20 = 10 pixels down
    EXPECT_EQ(sub.at(1, 1), ToRgb(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(sub.at(1, 60), ToRgb(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(sub.at(199, 60), ToRgb(COLOR_BTNSHADOW));
    EXPECT_EQ(sub.at(100, 119), ToRgb(COLOR_BTNSHADOW));
    EXPECT_EQ(sub.at(100, 60), Back);
}

TEST_F(ScreenDrawing, ScreenIsTheSameAsItsEntitiesDrawnOneByOne)
{
    Crowd();
    backDrop.fill(Back);
    QImage expected = backDrop.copy();
    QImage expectedSub = sub.image.copy();
    QFont font = DefaultSurfaceFont();
    QFont subFont = DefaultSurfaceFont();
    for (int i = 0; i < EntityCount; ++i) {
        const Entity& e = Entities[static_cast<size_t>(i)];
        const Surface surface = e.Region >= 1 ? Surface{expectedSub, subFont} : Surface{expected, font};
        DrawEntity(surface, e, EntityAttrs[static_cast<size_t>(e.EntityType)], {pictures, pictures});
    }
    const qint32 bevels[] = {BevelLight1, BevelDark1, BevelLight2, BevelDark2};
    BevelLight1 = BevelDark1 = BevelLight2 = BevelDark2 = 0;
    DrawEntities({.BackDrop = backDrop,
                  .Work = work.surface(),
                  .Target = target,
                  .SubWindow = sub.surface(),
                  .Pictures = {pictures, pictures}});
    EXPECT_EQ(sub.image, expectedSub);
    EXPECT_DOUBLE_EQ(work.font.pointSizeF(), font.pointSizeF());
    EXPECT_DOUBLE_EQ(sub.font.pointSizeF(), subFont.pointSizeF());
    EXPECT_EQ((std::vector<qint32>{BevelLight1, BevelDark1, BevelLight2, BevelDark2}),
              (std::vector<qint32>(std::begin(bevels), std::end(bevels))));
    EXPECT_EQ(work.image, expected);
    EXPECT_EQ(target, expected);
}

TEST_F(ScreenDrawing, ARedrawAfterAChangeShowsWhatAWholeDrawShows)
{
    // Each change comes between two redraws of the crowded screen; the
    // second must show what drawing the changed screen afresh shows.
    struct Case {
        const char* what;
        std::function<void()> change;
        bool showOrHideSubWindow = false;
    };
    const Case cases[] = {
        {"nothing", [] {}},
        {"a caption", [] { Entities[7].SetCaption(QStringLiteral("Paid")); }},
        {"the largest size", [] { Entities[12].FontAdjust = 255; }},
        {"a size a design entity keeps", [] { Entities[4].FontAdjust = 40; }},
        {"disabled", [] { Entities[3].Active = VbFalse; }},
        {"removed", [] { Entities[20].EntityType = 0; }},
        {"moved",
         [] {
             Entities[30].X += 5;
             Entities[30].Y += 3;
         }},
        {"added", [] { Entities[EntityCount++] = Make(3, 4, 20, 2, QStringLiteral("New"), 2); }},
        {"fewer", [] { EntityCount -= 10; }},
        {"in the sub-window", [] { Entities[19].SetCaption(QStringLiteral("Sub")); }},
        {"a kind's colours", [] { EntityAttrs[KindField].TextColor = RGBLong(0, 99, 0); }},
        {"the cell size", [] { CellWidth = Currency::fromDouble(11); }},
        {"the backdrop colour", [] { Settings.BackColor = RGBLong(9, 200, 9); }},
        {"the backdrop", [this] { backDrop.fill(qRgb(0, 60, 60)); }},
        {"a picture", [this] { pictures[0].fill(qRgb(200, 0, 200)); }},
        {"the sub-window's place", [] { SubWindowRect[0] = 12; }},
        {"painted on the work surface", [this] { QPainter(&work.image).fillRect(100, 100, 300, 200, Qt::yellow); }},
        {"an entity drawn onto the target alone",
         [this] {
             QFont font = DefaultSurfaceFont();
             DrawEntity({target, font}, Make(20, 10, 3, 1), EntityAttrs[KindField], {});
         }},
        {"painted on the sub-window", [this] { sub.image.fill(Qt::cyan); }},
        {"the sub-window shown or hidden", [] {}, true},
    };
    for (const bool subShown : {false, true}) {
        for (const Case& c : cases) {
            const std::string what = std::string(c.what) + (subShown ? ", sub-window shown" : "");
            Crowd();
            Draw(subShown);
            c.change();
            const QFont workFont = work.font;
            const QFont subFont = sub.font;
            const QImage subBefore = sub.image.copy();
            const qint64 shown = work.image.cacheKey();
            const bool subShownNow = subShown != c.showOrHideSubWindow;
            Draw(subShownNow);
            if (std::string(c.what) == "nothing" || c.showOrHideSubWindow) {
                EXPECT_EQ(work.image.cacheKey(), shown) << what << ": the screen is not drawn again";
            }

            Canvas fresh{MakeSurfaceImage(work.image.size(), Qt::white), workFont};
            Canvas freshSub{subBefore, subFont};
            QImage freshTarget = MakeSurfaceImage(target.size(), Qt::white);
            DrawEntities({.BackDrop = backDrop,
                          .Work = fresh.surface(),
                          .Target = freshTarget,
                          .SubWindow = freshSub.surface(),
                          .SubWindowShown = subShownNow,
                          .SubWindowCaptionHeight = 20,
                          .Pictures = {pictures, pictures}});
            EXPECT_EQ(work.image, fresh.image) << what;
            EXPECT_EQ(target, freshTarget) << what;
            EXPECT_EQ(sub.image, freshSub.image) << what;
            EXPECT_EQ(work.font, fresh.font) << what;
            EXPECT_EQ(sub.font, freshSub.font) << what;
        }
    }
}

} // namespace
