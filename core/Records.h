#pragma once

#include "core/Currency.h"

#include <QString>
#include <QtGlobal>

namespace zor {

class PackedReader;
class PackedWriter;

// One element of the host screen. Caption and Tag always hold exactly
// CaptionWidth / TagWidth characters (cut or blank-padded), as in the file.
struct Entity {
    static constexpr int CaptionWidth = 80;
    static constexpr int TagWidth = 150;
    static constexpr int PackedSize = 255;

    QString Caption = QString(CaptionWidth, QLatin1Char(' '));
    QString Tag = QString(TagWidth, QLatin1Char(' '));
    qint16 EntityType = 0;
    qint16 X = 0;
    qint16 Y = 0;
    qint16 Width = 0;
    qint16 Height = 0;
    qint16 ImageIndex = 0;
    qint16 Align = 0;
    qint16 Region = 0;
    qint16 Spare1 = 0;
    qint16 Active = 0;
    qint32 Spare2 = 0;
    quint8 FontAdjust = 0;

    void SetCaption(QStringView text);
    void SetTag(QStringView text);
    // A tag of "[design]" makes the four numbers pixels instead of cells.
    bool IsDesign() const;

    friend bool operator==(const Entity&, const Entity&) = default;
};

// Drawing attributes of one entity kind.
struct EntityAttr {
    static constexpr int TypeNameWidth = 20;
    static constexpr int PackedSize = 68;

    QString TypeName = QString(TypeNameWidth, QLatin1Char(' '));
    qint16 FrameStyle = 0;
    qint16 FrameWidth = 0;
    qint16 AuxStyle = 0;
    qint16 TrimMode = 0;
    qint16 ImagePlacement = 0;
    qint32 TextColor = 0;
    qint32 DisabledColor = 0;
    qint32 BackColor = 0;
    qint32 BorderColor = 0;
    qint16 UseBorder = 0;
    qint16 FillBackground = 0;
    qint16 TextShadow = 0;
    qint16 ShadowLines = 0;
    qint16 Clickable = 0;
    qint16 HasImage = 0;
    qint16 ImageShadow = 0;
    Currency FontScale;

    friend bool operator==(const EntityAttr&, const EntityAttr&) = default;
};

// Frame styles of EntityAttr::FrameStyle.
enum FrameStyles : qint16 { FrameFlat = 0, FrameRaised = 1, FrameIndented = 2, FrameEngraved = 3, FrameEmbossed = 4 };

// Connection and backdrop settings of a session.
struct SessionSettings {
    static constexpr int HostNameWidth = 30;
    static constexpr int BackImageFileWidth = 100;
    static constexpr int PackedSize = 168;

    qint16 Geometry1 = 0;
    qint16 Geometry2 = 0;
    qint16 Geometry3 = 0;
    qint16 Geometry4 = 0;
    qint16 Geometry5 = 0;
    qint32 BackColor = 0;
    QString HostName = QString(HostNameWidth, QLatin1Char(' '));
    qint16 Option1 = 0;
    qint16 Port = 0;
    qint16 UseGradient = 0;
    qint16 NoBackImage = 0;
    qint16 BackCentred = 0;
    qint16 BackTiled = 0;
    qint16 BackStretched = 0;
    qint16 BackLeft = 0;
    QString BackImageFile = QString(BackImageFileWidth, QLatin1Char(' '));
    qint16 GradChannel1 = 0;
    qint16 GradChannel2 = 0;
    qint16 GradChannel3 = 0;
    qint16 GradReverse = 0;

    friend bool operator==(const SessionSettings&, const SessionSettings&) = default;
};

// The packed little-endian layouts. Reading stops at the first field the data
// lacks; the fields before it are set, the rest keep their values.
void Write(PackedWriter& out, const Entity& entity);
void Write(PackedWriter& out, const EntityAttr& attr);
void Write(PackedWriter& out, const SessionSettings& settings);
bool Read(PackedReader& in, Entity& entity);
bool Read(PackedReader& in, EntityAttr& attr);
bool Read(PackedReader& in, SessionSettings& settings);

// Kind codes, the index into EntityAttrs.
enum EntityKind : qint16 {
    KindNothing = 0,
    KindFieldCaption = 1,
    KindField = 2,
    KindPageHeader = 3,
    KindColumnCaption = 4,
    KindFixedPitchCaption = 5,
    KindOptionButton = 6,
    KindBox = 7,
    KindActionButton = 8,
    KindSmallButton = 9,
    KindFixedField = 10,
    KindImageDisplay = 11,
};
constexpr int NamedKindCount = 12;
// The name of kinds 0..11; empty for the rest.
QString KindName(int kind);

} // namespace zor
