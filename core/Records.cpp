#include "core/Records.h"

#include "core/PackedIO.h"
#include "core/Text.h"

#include <algorithm>
#include <array>

namespace zor {

namespace {

// Writes into the field's own buffer: a screen sets thousands of captions and
// tags, and the field is nearly always already of its width and unshared.
void AssignFixedWidth(QString& field, QStringView text, int width)
{
    field.resize(width);
    char16_t* out = reinterpret_cast<char16_t*>(field.data());
    const qsizetype used = qMin<qsizetype>(text.size(), width);
    std::copy_n(text.utf16(), used, out);
    std::fill(out + used, out + width, u' ');
}

} // namespace

void Entity::SetCaption(QStringView text)
{
    AssignFixedWidth(Caption, text, CaptionWidth);
}
void Entity::SetTag(QStringView text)
{
    AssignFixedWidth(Tag, text, TagWidth);
}
bool Entity::IsDesign() const
{
    return Trim(Tag) == QLatin1String("[design]");
}

QString KindName(int kind)
{
    static const std::array<const char*, NamedKindCount> names = {
        "Nothing",       "Field Caption", "Field",         "Page Header",  "Column Caption", "Fixed Pitch Caption",
        "Option Button", "Box",           "Action Button", "Small Button", "Fixed Field",    "Image Display",
    };
    if (kind < 0 || kind >= NamedKindCount)
        return {};
    return QString::fromLatin1(names[static_cast<size_t>(kind)]);
}

void Write(PackedWriter& out, const Entity& e)
{
    out.Fixed(e.Caption, Entity::CaptionWidth);
    out.Fixed(e.Tag, Entity::TagWidth);
    for (qint16 v : {e.EntityType, e.X, e.Y, e.Width, e.Height, e.ImageIndex, e.Align, e.Region, e.Spare1, e.Active})
        out.Int16(v);
    out.Int32(e.Spare2);
    out.Byte(e.FontAdjust);
}

bool Read(PackedReader& in, Entity& e)
{
    return in.Fixed(e.Caption, Entity::CaptionWidth) && in.Fixed(e.Tag, Entity::TagWidth) && in.Int16(e.EntityType) &&
           in.Int16(e.X) && in.Int16(e.Y) && in.Int16(e.Width) && in.Int16(e.Height) && in.Int16(e.ImageIndex) &&
           in.Int16(e.Align) && in.Int16(e.Region) && in.Int16(e.Spare1) && in.Int16(e.Active) && in.Int32(e.Spare2) &&
           in.Byte(e.FontAdjust);
}

void Write(PackedWriter& out, const EntityAttr& a)
{
    out.Fixed(a.TypeName, EntityAttr::TypeNameWidth);
    for (qint16 v : {a.FrameStyle, a.FrameWidth, a.AuxStyle, a.TrimMode, a.ImagePlacement})
        out.Int16(v);
    for (qint32 v : {a.TextColor, a.DisabledColor, a.BackColor, a.BorderColor})
        out.Int32(v);
    for (qint16 v :
         {a.UseBorder, a.FillBackground, a.TextShadow, a.ShadowLines, a.Clickable, a.HasImage, a.ImageShadow})
        out.Int16(v);
    out.Money(a.FontScale);
}

bool Read(PackedReader& in, EntityAttr& a)
{
    return in.Fixed(a.TypeName, EntityAttr::TypeNameWidth) && in.Int16(a.FrameStyle) && in.Int16(a.FrameWidth) &&
           in.Int16(a.AuxStyle) && in.Int16(a.TrimMode) && in.Int16(a.ImagePlacement) && in.Int32(a.TextColor) &&
           in.Int32(a.DisabledColor) && in.Int32(a.BackColor) && in.Int32(a.BorderColor) && in.Int16(a.UseBorder) &&
           in.Int16(a.FillBackground) && in.Int16(a.TextShadow) && in.Int16(a.ShadowLines) && in.Int16(a.Clickable) &&
           in.Int16(a.HasImage) && in.Int16(a.ImageShadow) && in.Money(a.FontScale);
}

void Write(PackedWriter& out, const SessionSettings& s)
{
    for (qint16 v : {s.Geometry1, s.Geometry2, s.Geometry3, s.Geometry4, s.Geometry5})
        out.Int16(v);
    out.Int32(s.BackColor);
    out.Fixed(s.HostName, SessionSettings::HostNameWidth);
    for (qint16 v :
         {s.Option1, s.Port, s.UseGradient, s.NoBackImage, s.BackCentred, s.BackTiled, s.BackStretched, s.BackLeft})
        out.Int16(v);
    out.Fixed(s.BackImageFile, SessionSettings::BackImageFileWidth);
    for (qint16 v : {s.GradChannel1, s.GradChannel2, s.GradChannel3, s.GradReverse})
        out.Int16(v);
}

bool Read(PackedReader& in, SessionSettings& s)
{
    return in.Int16(s.Geometry1) && in.Int16(s.Geometry2) && in.Int16(s.Geometry3) && in.Int16(s.Geometry4) &&
           in.Int16(s.Geometry5) && in.Int32(s.BackColor) && in.Fixed(s.HostName, SessionSettings::HostNameWidth) &&
           in.Int16(s.Option1) && in.Int16(s.Port) && in.Int16(s.UseGradient) && in.Int16(s.NoBackImage) &&
           in.Int16(s.BackCentred) && in.Int16(s.BackTiled) && in.Int16(s.BackStretched) && in.Int16(s.BackLeft) &&
           in.Fixed(s.BackImageFile, SessionSettings::BackImageFileWidth) && in.Int16(s.GradChannel1) &&
           in.Int16(s.GradChannel2) && in.Int16(s.GradChannel3) && in.Int16(s.GradReverse);
}

} // namespace zor
