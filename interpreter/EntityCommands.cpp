#include "core/Ciphers.h"
#include "core/EntityDrawing.h"
#include "core/NumberConversion.h"
#include "core/Rounding.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/fConnection.h"

#include <QFileInfo>

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
    QImage& picture = window_.eImage[static_cast<size_t>(ImageCount)];
    picture = LoadPicture(source, file);

    Entity& entity = Slot(EntityCount);
    entity.Region = CurPage;
    entity.EntityType = KindImageDisplay;
    entity.X = IntegerValue(unit.Field(2));
    entity.Y = IntegerValue(unit.Field(3));
    const double width = Val(unit.Field(4));
    entity.Width = IntegerValue(width == 0 ? picture.width() / CellWidth.toDouble() : width - 1);
    const double height = Val(unit.Field(5));
    entity.Height = IntegerValue(height == 0 ? picture.height() / CellHeight.toDouble() : height);
    entity.ImageIndex = ImageCount;
    entity.SetCaption(QStringView());
    entity.SetTag(unit.Field(8));
    ++ImageCount;
    ++EntityCount;
    AddToHistory(unit);
    ScreenChanged = true;
}

} // namespace zor
