#include "session/EntityHitTest.h"

#include "core/Rounding.h"
#include "core/SharedState.h"

#include <algorithm>

namespace zor {

namespace {

// The entities in use: EntityCount of them, none after a cleared screen.
int EntitiesInUse()
{
    return std::clamp(static_cast<int>(EntityCount), 0, EntitySlots);
}

} // namespace

HitRect HitRectOf(const Entity& entity, const HitGeometry& g)
{
    double left = entity.X * g.cellWidth;
    double top = entity.Y * g.cellHeight;
    double right = left + entity.Width * g.cellWidth;
    if (entity.EntityType == KindOptionButton)
        right += OptionHitExtra;
    double bottom = top + entity.Height * g.cellHeight;
    if (g.subWindow && entity.Region != 0) {
        const double dx = g.subLeft * g.cellWidth;
        const double dy = g.subTop * g.cellHeight - g.cellHeight;
        left -= dx;
        right -= dx;
        top -= dy;
        bottom -= dy;
    }
    return {RoundHalfEven(left), RoundHalfEven(top), RoundHalfEven(right), RoundHalfEven(bottom)};
}

int ClickTarget(double x, double y, int page, const HitGeometry& geometry)
{
    for (int i = EntitiesInUse() - 1; i >= 0; --i) {
        const Entity& entity = Entities[static_cast<size_t>(i)];
        if (entity.Region == page && HitRectOf(entity, geometry).Contains(x, y))
            return i;
    }
    return -1;
}

PointerHits PointerTargets(double x, double y, const HitGeometry& geometry, bool testMode, bool pageOnly, int page)
{
    PointerHits hits;
    const int count = EntitiesInUse();
    for (int i = 0; i < count; ++i) {
        const Entity& entity = Entities[static_cast<size_t>(i)];
        if (pageOnly && entity.Region != page)
            continue;
        if (!HitRectOf(entity, geometry).Contains(x, y))
            continue;
        hits.passed.push_back(i);
        if (testMode || IsClickableKind(entity.EntityType)) {
            hits.found = i;
            break;
        }
    }
    return hits;
}

bool IsClickableKind(int kind)
{
    return kind >= 0 && kind < EntityAttrSlots && EntityAttrs[static_cast<size_t>(kind)].Clickable != 0;
}

} // namespace zor
