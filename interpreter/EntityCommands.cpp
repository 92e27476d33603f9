#include "core/Ciphers.h"
#include "core/EntityDrawing.h"
#include "core/NumberConversion.h"
#include "core/Rounding.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/fConnection.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace zor {

namespace {

// Host kind codes that map to a kind; the rest leave the kind as it is.
void ApplyKindCode(Entity& entity, QStringView field, bool withFixedPitch)
{
    static constexpr std::array<qint16, 8> Kinds = {
        KindNothing,      KindFieldCaption,      KindField,       KindColumnCaption,
        KindActionButton, KindFixedPitchCaption, KindSmallButton, KindFixedField,
    };
    const double code = Val(field);
    if (code < 1 || code > 7 || code != std::floor(code))
        return;
    entity.EntityType = Kinds[static_cast<size_t>(code)];
    if (withFixedPitch && entity.EntityType == KindFixedPitchCaption)
        entity.Align = 4;
}

// "w" or "w,h": the height is 1 unless given after the first ",".
void ApplySize(Entity& entity, QStringView field)
{
    const qsizetype comma = field.indexOf(QLatin1Char(','));
    if (comma < 0) {
        entity.Width = IntegerValue(field);
        entity.Height = 1;
        return;
    }
    entity.Width = IntegerValue(field.first(comma));
    entity.Height = IntegerValue(field.sliced(comma + 1));
}

// The first letter picks the alignment; more than one letter (or an item-list
// entity) makes the entity inactive.
void ApplyAttributes(Entity& entity, QStringView field)
{
    const QString letters = Trim(field.toString());
    entity.Active = letters.size() > 1 ? VbFalse : VbTrue;
    if (letters.isEmpty())
        return;
    switch (letters.at(0).toLower().unicode()) {
    case u'l':
        entity.Align = 0;
        break;
    case u'r':
        entity.Align = 1;
        break;
    case u'c':
        entity.Align = 2;
        break;
    case u'f':
        entity.Align = 4;
        break;
    case u'b':
        entity.Align = 50;
        entity.Active = VbFalse;
        break;
    default:
        break;
    }
}

// Key indexes 1..30 mean the caption arrived enciphered. The caption is
// deciphered as sent, before its padding: deciphering the blanks that pad it
// would turn them into control characters.
void DecipherCaption(Entity& entity, QStringView caption, QStringView keyField)
{
    const double key = Val(keyField);
    if (key <= 0 || key >= 31)
        return;
    const QString sent = caption.first(qMin<qsizetype>(caption.size(), Entity::CaptionWidth)).toString();
    entity.SetCaption(DecryptWithKey(sent, static_cast<int>(RoundHalfEven(key))));
}

void StartEntityCount()
{
    if (EntityCount < 0)
        EntityCount = 0;
}

// The first slot in use at the cell on the current level, or -1.
int FindEntityAt(qint16 column, qint16 row, bool includeBoxes)
{
    for (int slot = 0; slot < EntityCount; ++slot) {
        const Entity& entity = Entities[static_cast<size_t>(slot)];
        if (entity.X == column && entity.Y == row && entity.Region == CurPage &&
            (includeBoxes || entity.EntityType != KindBox))
            return slot;
    }
    return -1;
}

// Where a command that may replace what stands at its cell writes: the
// entity found there, else the next new slot (possibly beyond the table).
struct CellSlot {
    int slot;
    bool added;
};
CellSlot SlotForCell(qint16 column, qint16 row, bool includeBoxes)
{
    const int found = FindEntityAt(column, row, includeBoxes);
    return found >= 0 ? CellSlot{found, false} : CellSlot{EntityCount, true};
}

Entity& Slot(int slot)
{
    return Entities[static_cast<size_t>(slot)];
}

const QString TableFull = QStringLiteral("the entity table is full");

// Picture sources of "im": 0 a file, 2 a bitmap resource, anything else an
// icon resource. The resources are the program's own pictures, by number.
QImage LoadPicture(double source, const QString& file)
{
    if (source == 0)
        return QImage(file);
    // Resource numbers are 16-bit.
    const double number = Val(file);
    if (number < 0 || number > 65535 || number != std::floor(number))
        return {};
    const QString name = source == 2 ? QStringLiteral(":/zor/bitmap_%1.bmp") : QStringLiteral(":/zor/icon_%1.png");
    return QImage(name.arg(static_cast<qint64>(number)));
}

// What a picture of "im" is known by on its screen: where it comes from and
// the size it is asked to take. A file changed since it was read is another
// picture.
QString PictureKey(double source, const QString& file, QStringView width, QStringView height, bool design)
{
    QStringList parts = {QString::number(source), file, width.toString(), height.toString(),
                         QLatin1String(design ? "pixels" : "cells")};
    if (source == 0)
        parts << QString::number(QFileInfo(file).lastModified().toMSecsSinceEpoch());
    return parts.join(QLatin1Char('|'));
}

// The screen the session window shows on: no picture is ever drawn larger.
QSize ScreenSize(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1920, 1080);
}

// The picture no larger than the entity can ever show it: the entity in its
// cells at the largest cells the screen allows, and never beyond the screen.
// It is drawn stretched over the entity, so each side is reduced on its own.
QImage WithinDrawnSize(const QImage& picture, const Entity& entity, QSize screen)
{
    QSize most = screen;
    if (!entity.IsDesign()) {
        const double cells = std::ceil((entity.Width + 1.0) * screen.width() / 81.0);
        const double rows = std::ceil(entity.Height * screen.height() / 25.0);
        most =
            most.boundedTo(QSize(static_cast<int>(qBound(1.0, cells, 1e6)), static_cast<int>(qBound(1.0, rows, 1e6))));
    }
    const QSize kept = picture.size().boundedTo(most);
    if (picture.isNull() || kept == picture.size())
        return picture;
    return picture.scaled(kept, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

void Interpreter::CreateEntity(const CommandUnit& unit)
{
    StartEntityCount();
    const qint16 column = IntegerValue(unit.Field(2));
    const qint16 row = IntegerValue(unit.Field(3));
    if (column == 0 && row == 0)
        return;
    const auto [slot, added] = SlotForCell(column, row, false);
    if (slot >= EntitySlots) {
        Refuse(unit, TableFull);
        return;
    }
    if (slot >= EntityDataSlots && !unit.Field(9).isEmpty()) {
        Refuse(unit, QStringLiteral("no help text slot for entity %1").arg(slot));
        return;
    }
    Entity& entity = Slot(slot);
    entity.Region = CurPage;
    entity.X = column;
    entity.Y = row;
    ApplySize(entity, unit.Field(4));
    ApplyAttributes(entity, unit.Field(5));
    entity.SetCaption(unit.Field(6));
    entity.SetTag(unit.Field(7));
    ApplyKindCode(entity, unit.Field(8), true);
    if (slot < EntityDataSlots)
        EntityData[static_cast<size_t>(slot)] = unit.FieldText(9);
    entity.FontAdjust = ByteValue(unit.Field(10));
    DecipherCaption(entity, unit.Field(6), unit.Field(11));
    if (added)
        ++EntityCount;
    AddToHistory(unit);
    ScreenChanged = true;
}

void Interpreter::DrawAlone(const Entity& entity)
{
    // What the whole-screen redraw leaves out is not drawn alone either.
    if (entity.EntityType <= 0 || entity.EntityType >= EntityAttrSlots || entity.Width <= 0)
        return;
    PictureBox& target = entity.Region < 1 ? *window_.MainPic : *window_.lvMainPic;
    if (target.Image().isNull())
        return;
    DrawEntity(target.Surface(), entity, EntityAttrs[static_cast<size_t>(entity.EntityType)], window_.Pictures());
    target.Refresh();
}

void Interpreter::ReplaceEntity(const CommandUnit& unit)
{
    if (unit.Field(2).isEmpty())
        return;
    const qint16 column = IntegerValue(unit.Field(2));
    const qint16 row = IntegerValue(unit.Field(3));
    const int slot = FindEntityAt(column, row, true);
    if (slot >= 0) {
        Entity& entity = Slot(slot);
        entity.SetCaption(unit.Field(4));
        if (!IsBlank(unit.Field(5)))
            entity.SetTag(unit.Field(5));
        if (!IsBlank(unit.Field(6)))
            ApplyKindCode(entity, unit.Field(6), false);
        DecipherCaption(entity, unit.Field(4), unit.Field(7));
        DrawAlone(entity);
    }
    AddToHistory(unit);
    ScreenChanged = false;
}

void Interpreter::AddOption(const CommandUnit& unit)
{
    if (IsBlank(unit.Field(6)))
        return;
    StartEntityCount();
    if (EntityCount >= EntitySlots) {
        Refuse(unit, TableFull);
        return;
    }
    Entity& entity = Slot(EntityCount);
    entity.Region = CurPage;
    entity.SetCaption(unit.Field(6));
    entity.EntityType = KindOptionButton;
    entity.X = IntegerValue(unit.Field(2));
    entity.Y = IntegerValue(unit.Field(3));
    entity.Width = static_cast<qint16>(Trim(entity.Caption).size());
    entity.Height = 1;
    entity.SetTag(unit.Field(7));
    entity.Align = 0;
    const QString picture = unit.Field(8).toString().toLower();
    entity.ImageIndex = picture == QLatin1String("m") ? 1 : picture == QLatin1String("p") ? 2 : 0;
    ++EntityCount;
    AddToHistory(unit);
    ScreenChanged = true;
}

void Interpreter::AddPageHeader(const CommandUnit& unit)
{
    StartEntityCount();
    if (EntityCount >= EntitySlots) {
        Refuse(unit, TableFull);
        return;
    }
    Entity& entity = Slot(EntityCount);
    entity.Region = CurPage;
    entity.EntityType = KindPageHeader;
    entity.SetCaption(unit.Field(2));
    entity.X = 0;
    entity.Y = 0;
    entity.Width = 81;
    entity.Height = 1;
    entity.Align = 2;
    ++EntityCount;
    AddToHistory(unit);
    ScreenChanged = true;
}

void Interpreter::AddBox(const CommandUnit& unit)
{
    if (CurPage != 0)
        return;
    StartEntityCount();
    const qint16 column = IntegerValue(unit.Field(2));
    const qint16 row = IntegerValue(unit.Field(3));
    if (column == 0 && row == 0)
        return;
    const auto [slot, added] = SlotForCell(column, row, true);
    if (slot >= EntitySlots) {
        Refuse(unit, TableFull);
        return;
    }
    Entity& entity = Slot(slot);
    entity.Region = CurPage;
    entity.EntityType = KindBox;
    entity.X = column;
    entity.Y = row;
    entity.Width = IntegerValue(Val(unit.Field(4)) + 1);
    entity.Height = IntegerValue(Val(unit.Field(5)) + 1);
    entity.SetCaption(unit.Field(6));
    entity.Align = 2;
    if (added)
        ++EntityCount;
    AddToHistory(unit);
    ScreenChanged = true;
}

void Interpreter::AddImage(const CommandUnit& unit)
{
    StartEntityCount();
    const double source = Val(unit.Field(6));
    const QString file = unit.FieldText(7);
    // Only a plain file can be a picture: a device or a pipe named by the host
    // could be read without end.
    if (source == 0 && !QFileInfo(file).isFile())
        return;
    if (EntityCount >= EntitySlots) {
        Refuse(unit, TableFull);
        return;
    }
    if (ImageCount < 0 || ImageCount >= HostPictureSlots) {
        Refuse(unit, QStringLiteral("no picture slot %1").arg(ImageCount));
        return;
    }
    // The first picture of a screen starts its set of pictures anew.
    if (ImageCount == 0) {
        screenPictures_.clear();
        screenPictureBytes_ = 0;
    }
    Entity made;
    made.X = IntegerValue(unit.Field(2));
    made.Y = IntegerValue(unit.Field(3));
    made.SetTag(unit.Field(8));
    const double width = Val(unit.Field(4));
    const double height = Val(unit.Field(5));
    const QString key = PictureKey(source, file, unit.Field(4), unit.Field(5), made.IsDesign());
    auto known = screenPictures_.constFind(key);
    const bool loading = known == screenPictures_.cend();
    QImage loaded;
    if (loading)
        loaded = LoadPicture(source, file);
    const QSize natural = loading ? loaded.size() : known->natural;
    made.Width = IntegerValue(width == 0 ? natural.width() / CellWidth.toDouble() : width - 1);
    made.Height = IntegerValue(height == 0 ? natural.height() / CellHeight.toDouble() : height);
    if (loading) {
        const QImage kept = WithinDrawnSize(loaded, made, ScreenSize(window_));
        if (screenPictureBytes_ + kept.sizeInBytes() > MaxScreenPictureBytes) {
            Refuse(unit, QStringLiteral("the pictures of the screen take all the room for pictures"));
            return;
        }
        screenPictureBytes_ += kept.sizeInBytes();
        known = screenPictures_.insert(key, {kept, natural});
    }
    window_.eImage[static_cast<size_t>(ImageCount)] = known->picture;

    Entity& entity = Slot(EntityCount);
    entity.Region = CurPage;
    entity.EntityType = KindImageDisplay;
    entity.X = made.X;
    entity.Y = made.Y;
    entity.Width = made.Width;
    entity.Height = made.Height;
    entity.ImageIndex = ImageCount;
    entity.SetCaption(QStringView());
    entity.SetTag(unit.Field(8));
    ++ImageCount;
    ++EntityCount;
    AddToHistory(unit);
    ScreenChanged = true;
}

} // namespace zor
