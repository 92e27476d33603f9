#include "core/EntityDrawing.h"

#include "core/Colors.h"
#include "core/DrawList.h"
#include "core/Parallel.h"
#include "core/Rounding.h"
#include "core/ScreenChanges.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/TextFace.h"
#include "core/Trace.h"
#include "core/WindowUtils.h"

#include <QPainter>
#include <limits>

namespace zor {

namespace {

// num / den rounded to the nearest whole number, halves to the even one, in
// integers so that Currency products round exactly as they are stored.
int RoundDiv(qint64 num, qint64 den)
{
    qint64 q = num / den;
    qint64 r = num % den;
    if (r < 0) {
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1)))
        ++q;
    constexpr qint64 limit = std::numeric_limits<int>::max() / 2;
    return static_cast<int>(qBound(-limit, q, limit));
}

// A Currency value given by its scaled integer, as a whole pixel.
int Pixel(qint64 raw)
{
    return RoundDiv(raw, Currency::Scale);
}

constexpr qint64 Scaled(qint64 pixels)
{
    return pixels * Currency::Scale;
}

bool IsOn(qint16 flag)
{
    return flag != 0;
}

QString CaptionByTrimMode(const QString& caption, qint16 trimMode)
{
    switch (trimMode) {
    case 1:
        return TrimLeft(caption);
    case 2:
        return TrimRight(caption);
    case 3:
        return Trim(caption);
    default:
        return caption;
    }
}

// The point is the top left of the text, as the host's screens are laid out.
void DrawTextAt(DrawList& list, const std::shared_ptr<const TextFace>& face, int x, int y, QStringView text,
                bool shadow, QRgb colour)
{
    if (shadow)
        list.Text(face, x + 2, y + 2, text, qRgb(0, 0, 0));
    list.Text(face, x, y, text, colour);
}

// The picture in the upper half and its mask in the lower half: the mask is
// and-ed in, the picture or-ed over it; a shadow is the mask and-ed in 5
// pixels down and right first.
void DrawOptionPicture(DrawList& list, const QImage& picture, int x, int y, int width, int height, bool shadow)
{
    if (picture.height() < 2 || width <= 0 || height <= 0)
        return;
    const int half = picture.height() / 2;
    const QRect image(0, 0, picture.width(), half);
    const QRect mask(0, half, picture.width(), half);
    if (shadow)
        list.Put(picture, mask, QRect(x + 5, y + 5, width, height), Raster::Combine::And);
    list.Put(picture, mask, QRect(x, y, width, height), Raster::Combine::And);
    list.Put(picture, image, QRect(x, y, width, height), Raster::Combine::Or);
}

const QImage* PictureAt(std::span<const QImage> pictures, int index)
{
    if (index < 0 || index >= static_cast<int>(pictures.size()))
        return nullptr;
    const QImage& picture = pictures[static_cast<size_t>(index)];
    return picture.isNull() ? nullptr : &picture;
}

// The light and dark edge of a 3-D frame on a colour: its low three bytes,
// 50 lighter and 50 darker. A system colour is not resolved first: its index
// bytes are taken as they are.
struct Bevel {
    qint32 light, dark;
};

Bevel BevelOf(qint32 colour)
{
    const quint32 low = static_cast<quint32>(colour) & 0xFFFFFFu;
    const int red = static_cast<int>(low & 0xFF);
    const int green = static_cast<int>((low >> 8) & 0xFF);
    const int blue = static_cast<int>((low >> 16) & 0xFF);
    return {RGBLong(qMin(red + 50, 255), qMin(green + 50, 255), qMin(blue + 50, 255)),
            RGBLong(qMax(red - 50, 0), qMax(green - 50, 0), qMax(blue - 50, 0))};
}

// The colour pair 1 is made from: the entity's fill, or the backdrop's.
qint32 PairOneColour(const EntityAttr& attr)
{
    return IsOn(attr.FillBackground) ? attr.BackColor : Settings.BackColor;
}

// The shared bevel colours as drawing the entity leaves them.
void KeepBevelsOf(const EntityAttr& attr)
{
    MakeBevelColours(Settings.BackColor, 1);
    MakeBevelColours(PairOneColour(attr), 0);
}

// The face the entity's text is drawn with. An entity in cells sets the
// surface's font size for itself and the entities after it; a "[design]"
// entity keeps the size it finds.
std::shared_ptr<const TextFace> EntityFace(QFont& font, const QPaintDevice& device, const Entity& entity,
                                           const EntityAttr& attr, bool design)
{
    if (!design) {
        const qint64 scaled = RoundDiv(CellWidth.raw * attr.FontScale.raw, Currency::Scale);
        double points = static_cast<double>(scaled) / Currency::Scale + entity.FontAdjust;
        if (TabletMode != 0)
            points *= 0.75;
        if (points > 0)
            font.setPointSizeF(points);
    }
    return TextFace::For(font, device);
}

// Records the shapes of one entity, in the order they are drawn. It reads
// shared state only, so that entities can be recorded side by side.
void RecordEntity(DrawList& list, const std::shared_ptr<const TextFace>& face, const Entity& entity,
                  const EntityAttr& attr, bool design, const EntityPictures& pictures)
{
    const qint64 cw = CellWidth.raw;
    const qint64 ch = CellHeight.raw;
    int x, y, r, b;
    if (design) {
        x = entity.X;
        y = entity.Y;
        r = entity.Width;
        b = entity.Height;
    } else {
        x = Pixel(entity.X * cw);
        y = Pixel(entity.Y * ch);
        r = Pixel(Scaled(x) + (entity.Width + 1) * cw);
        b = Pixel(Scaled(y) + entity.Height * ch);
    }

    if (entity.Region != 0) {
        const qint64 left = SubWindowRect[0] * cw;
        const qint64 top = SubWindowRect[1] * ch;
        x = Pixel(Scaled(x) - left);
        r = Pixel(Scaled(r) - left);
        y = Pixel(Scaled(y) - top + ch);
        b = Pixel(Scaled(b) - top + ch);
    }

    const Bevel pairTwo = BevelOf(Settings.BackColor);
    const Bevel pairOne = BevelOf(PairOneColour(attr));

    QString caption = CaptionByTrimMode(entity.Caption, attr.TrimMode);
    int textWidth = face->Width(caption);
    if (attr.TrimMode > 0) {
        const double room = (entity.Width + 1) * CellWidth.toDouble();
        while (!caption.isEmpty() && textWidth > room) {
            textWidth -= face->Width(caption.back());
            caption.chop(1);
        }
    }

    int textDY = ToPixel(CellHeight.toDouble() / 2 - face->Height() / 2.0);
    int textX = 0;
    if (entity.Align == 0) {
        textX = x + 3;
    } else if (entity.Align == 1) {
        textX = r - textWidth - 5;
    } else if (entity.Align == 2 || entity.Align == 3 || entity.Align >= 50) {
        // Kinds that never trim keep their 80 stored characters, blanks
        // included: centre on what is visible, not on the blanks.
        textX = ToPixel(x + (r - x) / 2.0 - face->Width(caption.trimmed()) / 2.0);
        if (entity.Align < 50)
            textDY = ToPixel(textDY + (b - CellHeight.toDouble()) / 2 - y / 2.0);
    }

    const bool optionPicture = IsOn(attr.HasImage) && attr.ImagePlacement == 1;
    if (optionPicture)
        r = Pixel(Scaled(r) + 2 * cw + Scaled(12));

    const int fw = attr.FrameWidth;
    if (IsOn(attr.ShadowLines))
        list.Fill(x + 5 + fw, y + 5 + fw, r + 4 - fw, b + 4 - fw, qRgb(0, 0, 0));
    if (IsOn(attr.FillBackground))
        list.Fill(x + fw, y + fw, r - 1 - fw, b - 1 - fw, ToRgb(attr.BackColor));

    if (attr.FrameStyle > 0) {
        const bool firstPair = attr.FrameStyle == FrameRaised || attr.FrameStyle == FrameEmbossed;
        const QRgb a = ToRgb(firstPair ? pairOne.light : pairTwo.dark);
        const QRgb bc = ToRgb(firstPair ? pairOne.dark : pairTwo.light);
        if (attr.FrameStyle == FrameRaised || attr.FrameStyle == FrameIndented) {
            list.Fill(x + fw, y + fw, r - fw, y + 1 + fw, a);
            list.Fill(x + fw, y + fw, x + 1 + fw, b - 1 - fw, a);
            list.Fill(x + fw, b - 1 - fw, r - fw, b - 2 - fw, bc);
            list.Fill(r - fw, b - 1 - fw, r - 1 - fw, y + fw, bc);
        } else if (attr.FrameStyle == FrameEngraved || attr.FrameStyle == FrameEmbossed) {
            list.Outline(x + fw, y + fw, r - fw, b - 1 - fw, a);
            list.Outline(x + 1 + fw, y + 1 + fw, r + 1 - fw, b - fw, bc);
        }
    }

    if (IsOn(attr.HasImage)) {
        if (attr.ImagePlacement == 1) {
            if (const QImage* picture = PictureAt(pictures.OptionPictures, entity.ImageIndex))
                DrawOptionPicture(list, *picture, x, y, Pixel(2 * cw), Pixel(ch), IsOn(attr.ImageShadow));
            textX = Pixel(Scaled(x) + 2 * cw + Scaled(12));
        } else if (attr.ImagePlacement == 2) {
            const QImage* picture = PictureAt(pictures.HostPictures, entity.ImageIndex);
            const int width = r - 3 - x;
            const int height = b - 4 - y;
            if (picture && width > 0 && height > 0)
                list.Put(*picture, picture->rect(), QRect(x + 2, y + 2, width, height), Raster::Combine::Copy);
        }
    }

    if (!caption.isEmpty()) {
        const bool shadow = IsOn(attr.TextShadow);
        const QRgb colour = ToRgb(IsOn(entity.Active) ? attr.TextColor : attr.DisabledColor);
        if (entity.Align == 4) {
            const qint64 pitch = cw + Scaled(entity.FontAdjust);
            for (qsizetype i = 0; i < caption.size(); ++i) {
                const QChar c = caption.at(i);
                // Twice the cell's centre less the character's width, so that
                // the half pitch rounds exactly.
                const qint64 twice = 2 * Scaled(x + 1) + 2 * i * pitch + pitch - Scaled(face->Width(c));
                DrawTextAt(list, face, RoundDiv(twice, 2 * Currency::Scale), y + textDY, QStringView(caption).mid(i, 1),
                           shadow, colour);
            }
        } else {
            DrawTextAt(list, face, textX, y + textDY, caption, shadow, colour);
        }
    }

    if (IsOn(attr.UseBorder))
        list.Outline(x + fw, y + fw, r - fw, b - 1 - fw, ToRgb(attr.BorderColor));
}

void DrawSubWindowFrame(Raster sub, const QImage& backDrop, int captionHeight)
{
    const double ch = CellHeight.toDouble();
    const int top = ToPixel(captionHeight - ch);
    const int height = qMax(0, ToPixel(sub.Bottom() - captionHeight + ch));
    sub.Rows(top, top + height).Put(backDrop, 0, top, Raster::Combine::Copy);
    DrawRaisedEdges(sub, 3);
}

} // namespace

void MakeBevelColours(qint32 colour, int which)
{
    const Bevel bevel = BevelOf(colour);
    if (which == 0) {
        BevelDark1 = bevel.dark;
        BevelLight1 = bevel.light;
    } else if (which == 1) {
        BevelDark2 = bevel.dark;
        BevelLight2 = bevel.light;
    }
}

void DrawEntity(Surface surface, const Entity& entity, const EntityAttr& attr, const EntityPictures& pictures)
{
    if (surface.Image.isNull())
        return;
    EntityAttrs[KindOptionButton].TrimMode = 0;
    const bool design = entity.IsDesign();
    DrawList list;
    RecordEntity(list, EntityFace(surface.Font, surface.Image, entity, attr, design), entity, attr, design, pictures);
    KeepBevelsOf(attr);
    list.Draw(surface.Image);
}

namespace {

// An entity of the screen to record: its place in the table, the list it
// goes to and the face of its text, worked out in screen order before the
// entities are recorded side by side.
struct Reading {
    DrawnEntity drawn;
    const EntityAttr* attr;
    bool design;
};

// Entities recorded by one job.
constexpr int EntitiesPerPart = 32;

// The lists of a redraw, one for each part of the entities, for the screen
// and for the sub-window. Two sets are used in turn and keep their room: the
// drawing threads have just read the set of the last redraw, and writing the
// shapes of this one over it would make each of its cache lines wait for
// theirs.
struct ScreenLists {
    std::vector<DrawList> Screen;
    std::vector<DrawList> SubWindow;
};

ScreenLists& NextLists(size_t parts)
{
    static ScreenLists sets[2];
    static size_t next = 0;
    ScreenLists& lists = sets[next];
    next = 1 - next;
    if (lists.Screen.size() < parts) {
        lists.Screen.resize(parts);
        lists.SubWindow.resize(parts);
    }
    for (size_t part = 0; part < parts; ++part) {
        lists.Screen[part].Clear();
        lists.SubWindow[part].Clear();
    }
    return lists;
}

void CopyOver(QImage& target, const QImage& source)
{
    if (target.isNull())
        return;
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, source, 0, 0, target.width(), target.height());
}

} // namespace

void DrawEntities(const ScreenSurfaces& s)
{
    QImage& image = s.Work.Image;
    if (image.isNull())
        return;
    QImage& subImage = s.SubWindow.Image;

    std::vector<Reading> readings;
    const int count = qMin<int>(EntityCount, EntitySlots);
    readings.reserve(static_cast<size_t>(qMax(count, 0)));
    for (int i = 0; i < count; ++i) {
        const Entity& entity = Entities[static_cast<size_t>(i)];
        if (entity.EntityType <= 0 || entity.Width <= 0)
            continue;
        if (entity.EntityType >= EntityAttrSlots) {
            WriteTrace(QStringLiteral("Draw"),
                       QStringLiteral("entity %1 has no kind %2: not drawn").arg(i).arg(entity.EntityType));
            continue;
        }
        const bool inSubWindow = entity.Region >= 1;
        if (inSubWindow && subImage.isNull())
            continue;
        const EntityAttr& attr = EntityAttrs[static_cast<size_t>(entity.EntityType)];
        const bool design = entity.IsDesign();
        const Surface& surface = inSubWindow ? s.SubWindow : s.Work;
        std::shared_ptr<const TextFace> face = EntityFace(surface.Font, surface.Image, entity, attr, design);
        // Glyphs are rasterised here, one after another, rather than by the
        // threads that record the entities.
        face->Prepare(entity.Caption);
        readings.push_back({{i, entity, std::move(face), inSubWindow, {}}, &attr, design});
    }
    if (!readings.empty()) {
        EntityAttrs[KindOptionButton].TrimMode = 0;
        KeepBevelsOf(*readings.back().attr);
    }

    const size_t parts = (readings.size() + EntitiesPerPart - 1) / EntitiesPerPart;
    ScreenLists& lists = NextLists(parts);
    RunSpread(static_cast<int>(parts), [&](int part) {
        const size_t first = static_cast<size_t>(part) * EntitiesPerPart;
        const size_t last = std::min(first + EntitiesPerPart, readings.size());
        DrawList& screen = lists.Screen[static_cast<size_t>(part)];
        DrawList& sub = lists.SubWindow[static_cast<size_t>(part)];
        screen.Reserve(EntitiesPerPart);
        for (size_t i = first; i < last; ++i) {
            Reading& r = readings[i];
            DrawList& list = r.drawn.SubWindow ? sub : screen;
            const size_t shapes = list.Shapes();
            RecordEntity(list, r.drawn.Face, r.drawn.Record, *r.attr, r.design, s.Pictures);
            r.drawn.Bounds = list.Bounds(shapes);
        }
    });

    // A screen redrawn with nothing changed on it is drawn again only where
    // its entities changed.
    static DrawnScreen last;
    std::vector<DrawnEntity> drawn;
    drawn.reserve(readings.size());
    for (Reading& r : readings)
        drawn.push_back(std::move(r.drawn));
    ScreenInputs inputs = ScreenInputs::Of(s);
    const ScreenChanges changes = last.Compare(inputs, image.cacheKey(), SubWindowState::Of(s), drawn);

    // The target gets Work's pixels shared rather than copied; copy-on-write
    // keeps the two apart when either is drawn on alone later. While the
    // target still shares the last screen it lets go of it, so that drawing
    // on Work does not first copy the picture it replaces. Nothing shows the
    // target before it is given the new screen.
    const bool shareWithTarget = image.size() == s.Target.size() && image.format() == s.Target.format();
    std::vector<DrawJob> jobs;
    if (changes.ScreenChanged()) {
        if (shareWithTarget && s.Target.constBits() == image.constBits())
            s.Target = QImage();
        jobs.push_back({std::span(lists.Screen.data(), parts), image, &s.BackDrop,
                        changes.WholeScreen ? nullptr : &changes.Screen});
    }
    if (changes.WholeSubWindow && !subImage.isNull()) {
        if (s.SubWindowShown)
            DrawSubWindowFrame(Raster(subImage), s.BackDrop, s.SubWindowCaptionHeight);
        jobs.push_back({std::span(lists.SubWindow.data(), parts), subImage});
    }
    Draw(jobs);
    if (shareWithTarget)
        s.Target = image;
    else
        CopyOver(s.Target, image);
    last.Keep(std::move(inputs), image.cacheKey(), SubWindowState::Of(s), std::move(drawn));
}

} // namespace zor
