#pragma once

#include "core/Records.h"

#include <vector>

namespace zor {

// Where the entities of the screen lie for the mouse, in the pixels of the
// picture that shows them: the main screen, or the sub-window, whose
// entities of page 1 are shifted to its own corner below its caption bar.
struct HitGeometry {
    double cellWidth = 0;
    double cellHeight = 0;
    bool subWindow = false;
    double subLeft = 0; // the sub-window's left column
    double subTop = 0;  // its top row as stored (one below the host's)
};

// Option entities reach this many pixels further right: their picture.
constexpr int OptionHitExtra = 32;

struct HitRect {
    double left = 0, top = 0, right = 0, bottom = 0;
    // Edges belong to the rectangle.
    bool Contains(double x, double y) const { return left <= x && x <= right && top <= y && y <= bottom; }
};

HitRect HitRectOf(const Entity& entity, const HitGeometry& geometry);

// The entity a click at (x, y) answers: the top-most (highest index) in use
// on the page; -1 for none.
int ClickTarget(double x, double y, int page, const HitGeometry& geometry);

// The entities under the pointer from index 0 up, until the first one that
// reacts to the mouse (any one in test mode), which is found. With
// pageOnly, entities of other pages are passed over.
struct PointerHits {
    std::vector<int> passed; // every entity under the pointer looked at, in order
    int found = -1;          // the last of passed when one reacts, else -1
};
PointerHits PointerTargets(double x, double y, const HitGeometry& geometry, bool testMode, bool pageOnly, int page);

// Whether entities of the kind react to the mouse.
bool IsClickableKind(int kind);

} // namespace zor
