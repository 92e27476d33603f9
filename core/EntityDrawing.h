#pragma once

#include "core/Records.h"
#include "core/Surface.h"

#include <QImage>
#include <span>

namespace zor {

// The edge colours of 3-D frames: pair 1 from the entity's fill, pair 2 from
// the backdrop's colour.
inline qint32 BevelLight1 = 0;
inline qint32 BevelDark1 = 0;
inline qint32 BevelLight2 = 0;
inline qint32 BevelDark2 = 0;

// Sets pair 1 (which 0) or pair 2 (which 1) from the colour's low three
// bytes, 50 lighter and 50 darker. A system colour is not resolved first:
// its index bytes are taken as they are. Other values of which do nothing.
void MakeBevelColours(qint32 colour, int which);

// The pictures entities show: the option pictures (picture above, mask
// below) by Entity::ImageIndex for option buttons, the host's pictures for
// image displays. An index without a picture draws no picture.
struct EntityPictures {
    std::span<const QImage> OptionPictures;
    std::span<const QImage> HostPictures;
};

// Draws one entity record with one attribute record onto the surface.
void DrawEntity(Surface surface, const Entity& entity, const EntityAttr& attr, const EntityPictures& pictures);

// The surfaces of one redraw of the screen. Entities of the sub-window are
// drawn on SubWindow whether it is shown or not; only a shown sub-window gets
// its backdrop and border.
struct ScreenSurfaces {
    const QImage& BackDrop;
    Surface Work;
    QImage& Target;
    Surface SubWindow;
    bool SubWindowShown = false;
    int SubWindowCaptionHeight = 0;
    EntityPictures Pictures;
};

// Redraws the whole screen: the backdrop on Work (and on the sub-window),
// every entity of the screen in index order, then Work given to Target in
// one step: a target of Work's size shares its pixels, copy-on-write, one of
// another size gets a copy. Entities of a kind outside the attribute table
// are left out.
void DrawEntities(const ScreenSurfaces& surfaces);

} // namespace zor
