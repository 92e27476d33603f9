#pragma once

#include "core/SharedState.h"

namespace zor::test {

// An enabled entity of the kind at a cell position.
inline Entity MakeEntity(qint16 kind, int x, int y, int width, int height, const QString& caption = QString(),
                         int align = 0)
{
    Entity e;
    e.EntityType = kind;
    e.X = static_cast<qint16>(x);
    e.Y = static_cast<qint16>(y);
    e.Width = static_cast<qint16>(width);
    e.Height = static_cast<qint16>(height);
    e.SetCaption(caption);
    e.Align = static_cast<qint16>(align);
    e.Active = VbTrue;
    return e;
}

// Keeps the screen model and its geometry for one test and puts them back
// afterwards: the entity table, the attribute records, the settings record,
// the cell size, the sub-window and the drawing modes.
class ScreenStateScope {
public:
    ScreenStateScope()
        : entities_(Entities), count_(EntityCount), attrs_(EntityAttrs), settings_(Settings), cellWidth_(CellWidth),
          cellHeight_(CellHeight), subWindow_(SubWindowRect), curPage_(CurPage), tablet_(TabletMode), test_(TestMode),
          shadow_(ShadowOn)
    {
    }
    ~ScreenStateScope()
    {
        Entities = entities_;
        EntityCount = count_;
        EntityAttrs = attrs_;
        Settings = settings_;
        CellWidth = cellWidth_;
        CellHeight = cellHeight_;
        SubWindowRect = subWindow_;
        CurPage = curPage_;
        TabletMode = tablet_;
        TestMode = test_;
        ShadowOn = shadow_;
    }
    ScreenStateScope(const ScreenStateScope&) = delete;
    ScreenStateScope& operator=(const ScreenStateScope&) = delete;

private:
    decltype(Entities) entities_;
    qint16 count_;
    decltype(EntityAttrs) attrs_;
    SessionSettings settings_;
    Currency cellWidth_;
    Currency cellHeight_;
    decltype(SubWindowRect) subWindow_;
    qint16 curPage_;
    qint16 tablet_;
    qint16 test_;
    qint16 shadow_;
};

} // namespace zor::test
