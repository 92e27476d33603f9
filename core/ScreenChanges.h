#pragma once

#include "core/Currency.h"
#include "core/Records.h"
#include "core/SharedState.h"
#include "core/TextFace.h"

#include <QRect>
#include <array>
#include <memory>
#include <span>
#include <vector>

namespace zor {

struct ScreenSurfaces;

// One entity as a redraw drew it.
struct DrawnEntity {
    int Index = 0;
    Entity Record;
    std::shared_ptr<const TextFace> Face;
    bool SubWindow = false;
    // The pixels its shapes may touch on its surface.
    QRect Bounds;

    // Drawn with the same shapes, when the rest of the screen is the same.
    bool SameShapesAs(const DrawnEntity& other) const
    {
        return Record == other.Record && Face == other.Face && SubWindow == other.SubWindow;
    }
};

// All that a redraw's pixels depend on besides its entities and the
// surfaces' pixels. Whether the sub-window is shown, and its caption's
// height, reach only the sub-window.
struct ScreenInputs {
    std::array<EntityAttr, EntityAttrSlots> Attrs;
    Currency CellWidth;
    Currency CellHeight;
    std::array<qint16, 4> SubWindowRect;
    qint16 TabletMode = 0;
    qint32 BackColor = 0;
    qint64 BackDrop = 0;
    std::vector<qint64> Pictures;

    static ScreenInputs Of(const ScreenSurfaces& surfaces);
    friend bool operator==(const ScreenInputs&, const ScreenInputs&) = default;
};

// The sub-window's picture as a redraw finds it or leaves it, known by its
// cache key: any drawing on it, or another picture, makes it new.
struct SubWindowState {
    qint64 Picture = 0;
    bool Shown = false;
    int CaptionHeight = 0;

    static SubWindowState Of(const ScreenSurfaces& surfaces);
    friend bool operator==(const SubWindowState&, const SubWindowState&) = default;
};

// Where a redraw must draw again. A surface is drawn whole, only within
// the rectangles, or not at all when nothing on it changed.
struct ScreenChanges {
    bool WholeScreen = true;
    std::vector<QRect> Screen;
    bool WholeSubWindow = true;

    bool ScreenChanged() const { return WholeScreen || !Screen.empty(); }
};

// What the last redraw drew. Every shape of a redraw sets each pixel it
// touches to (pixel AND a) OR b for constants a and b, so drawing the same
// shapes again over what they drew changes nothing: where no entity
// changed, the surfaces already show what a redraw would draw.
class DrawnScreen {
public:
    // The work surface is known by its picture's cache key, as the
    // sub-window is.
    ScreenChanges Compare(const ScreenInputs& inputs, qint64 work, const SubWindowState& subWindow,
                          std::span<const DrawnEntity> entities) const;
    void Keep(ScreenInputs inputs, qint64 work, const SubWindowState& subWindow, std::vector<DrawnEntity> entities);

private:
    bool kept_ = false;
    ScreenInputs inputs_;
    qint64 work_ = 0;
    SubWindowState subWindow_;
    std::vector<DrawnEntity> entities_; // by Index, rising
};

} // namespace zor
