#include "core/Appearance.h"

#include "core/Colors.h"
#include "core/ProgramFolder.h"
#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Twips.h"

#include <array>

namespace zor {

namespace {

constexpr qint16 T = VbTrue;
constexpr qint16 F = VbFalse;

struct DefaultStyle {
    qint16 frameStyle, frameWidth, auxStyle, trimMode, imagePlacement;
    qint32 textColor, backColor;
    qint16 useBorder, fillBackground, textShadow, shadowLines, clickable, hasImage, imageShadow;
    double fontScaleAdjust;
};

// The default look of kinds 0..11 (names come from KindName).
constexpr std::array<DefaultStyle, NamedKindCount> DefaultStyles = {{
    {0, 0, 0, 0, 0, 0, RGBLong(192, 192, 192), F, F, F, F, T, F, F, 0},
    {0, 0, 0, 3, 0, COLOR_BTNTEXT, COLOR_BTNFACE, F, F, F, F, T, F, F, 0},
    {2, 0, 0, 2, 0, COLOR_MENUTEXT, COLOR_WINDOW, F, T, F, F, T, F, F, 0},
    {3, 0, 2, 3, 0, COLOR_CAPTIONTEXT, COLOR_ACTIVECAPTION, F, T, T, F, F, F, F, 0.4},
    {3, 0, 0, 3, 0, COLOR_CAPTIONTEXT, COLOR_ACTIVECAPTION, F, T, T, T, F, F, F, 0},
    {0, 0, 4, 2, 0, COLOR_MENUTEXT, COLOR_BTNFACE, F, F, F, F, T, F, F, 0},
    {0, 0, 0, 0, 1, COLOR_MENUTEXT, COLOR_BTNFACE, F, F, F, F, T, T, T, 0.5},
    {3, 0, 0, 0, 0, 0, COLOR_BTNFACE, T, T, F, T, F, F, F, 0},
    {1, 0, 0, 3, 0, 0, RGBLong(192, 192, 192), T, T, F, F, T, F, F, 0},
    {1, 2, 0, 3, 0, 0, RGBLong(192, 192, 192), T, T, F, F, T, F, F, -0.2},
    {2, 0, 0, 2, 0, COLOR_MENUTEXT, COLOR_BTNFACE, F, T, F, F, F, F, F, 0},
    {0, 0, 0, 0, 2, 0, COLOR_BTNFACE, F, F, F, F, T, T, F, 0},
}};

// The program's own picture by its full path; in a program folder whose path
// the field cannot hold, by its bare name, which the backdrop looks for in
// the program folder. A path cut short would name no file.
QString DefaultPicture()
{
    const QString name = QStringLiteral("back3.bmp");
    const QString path = ProgramFile(name);
    const bool fits =
        path.size() <= SessionSettings::BackImageFileWidth && QString::fromLatin1(path.toLatin1()) == path;
    return fits ? path : name;
}

} // namespace

void SetDefaultAppearance()
{
    if (Link().ResizeWindow)
        Link().ResizeWindow(640, 480);

    Settings.Geometry1 = 0;
    Settings.Geometry2 = 0;
    Settings.Geometry3 = static_cast<qint16>(640 * TwipsPerPixel);
    Settings.Geometry4 = static_cast<qint16>(480 * TwipsPerPixel);
    Settings.Geometry5 = 0;
    Settings.BackColor = QBColor(7);
    Settings.HostName = FixedWidth(QString(), SessionSettings::HostNameWidth);
    Settings.Option1 = 1;
    Settings.Port = 23;
    Settings.UseGradient = 0;
    Settings.NoBackImage = 0;
    Settings.BackCentred = 0;
    Settings.BackTiled = VbTrue;
    Settings.BackStretched = 0;
    Settings.BackLeft = 0;
    Settings.BackImageFile = FixedWidth(DefaultPicture(), SessionSettings::BackImageFileWidth);
    Settings.GradChannel1 = 0;
    Settings.GradChannel2 = 1;
    Settings.GradChannel3 = 1;
    Settings.GradReverse = 1;

    SecureConnection = 1;
    SuppressLF = 0;
    ExitOnDisconnect = VbFalse;
    InputForeColor = 0;
    InputBackColor = RGBLong(255, 255, 255);
    if (Link().ApplyInputColours)
        Link().ApplyInputColours(InputForeColor, InputBackColor);

    for (int kind = 0; kind < NamedKindCount; ++kind) {
        const DefaultStyle& d = DefaultStyles[static_cast<size_t>(kind)];
        EntityAttr& a = EntityAttrs[static_cast<size_t>(kind)];
        a.TypeName = FixedWidth(KindName(kind), EntityAttr::TypeNameWidth);
        a.FrameStyle = d.frameStyle;
        a.FrameWidth = d.frameWidth;
        a.AuxStyle = d.auxStyle;
        a.TrimMode = d.trimMode;
        a.ImagePlacement = d.imagePlacement;
        a.TextColor = d.textColor;
        a.DisabledColor = COLOR_GRAYTEXT;
        a.BackColor = d.backColor;
        a.BorderColor = 0;
        a.UseBorder = d.useBorder;
        a.FillBackground = d.fillBackground;
        a.TextShadow = d.textShadow;
        a.ShadowLines = d.shadowLines;
        a.Clickable = d.clickable;
        a.HasImage = d.hasImage;
        a.ImageShadow = d.imageShadow;
        a.FontScale = Currency::fromRaw(DefaultFontScale.raw + Currency::fromDouble(d.fontScaleAdjust).raw);
    }
}

Entity StyleSample()
{
    Entity sample;
    sample.SetCaption(QStringLiteral("Sample Entity"));
    sample.SetTag(QStringLiteral("[design]"));
    sample.EntityType = KindNothing;
    sample.X = 10;
    sample.Y = 10;
    sample.Width = 239;
    sample.Height = 44;
    sample.ImageIndex = 200;
    sample.Align = 3;
    sample.Active = VbTrue;
    return sample;
}

} // namespace zor
