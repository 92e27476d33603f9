#include "core/ScreenChanges.h"

#include "core/EntityDrawing.h"

namespace zor {

ScreenInputs ScreenInputs::Of(const ScreenSurfaces& s)
{
    ScreenInputs inputs;
    inputs.Attrs = EntityAttrs;
    inputs.CellWidth = zor::CellWidth;
    inputs.CellHeight = zor::CellHeight;
    inputs.SubWindowRect = zor::SubWindowRect;
    inputs.TabletMode = zor::TabletMode;
    inputs.BackColor = Settings.BackColor;
    inputs.BackDrop = s.BackDrop.cacheKey();
    inputs.Pictures.reserve(s.Pictures.OptionPictures.size() + s.Pictures.HostPictures.size());
    for (const auto pictures : {s.Pictures.OptionPictures, s.Pictures.HostPictures}) {
        for (const QImage& picture : pictures)
            inputs.Pictures.push_back(picture.cacheKey());
    }
    return inputs;
}

SubWindowState SubWindowState::Of(const ScreenSurfaces& s)
{
    return {s.SubWindow.Image.cacheKey(), s.SubWindowShown, s.SubWindowCaptionHeight};
}

ScreenChanges DrawnScreen::Compare(const ScreenInputs& inputs, qint64 work, const SubWindowState& subWindow,
                                   std::span<const DrawnEntity> entities) const
{
    ScreenChanges changes;
    if (!kept_ || inputs != inputs_)
        return changes;
    changes.WholeScreen = work != work_;
    changes.WholeSubWindow = subWindow != subWindow_;
    bool subWindowChanged = false;
    // An entity that changed is drawn again where it was and where it is.
    const auto changed = [&](const DrawnEntity& entity) {
        if (entity.SubWindow)
            subWindowChanged = true;
        else if (!changes.WholeScreen && !entity.Bounds.isEmpty())
            changes.Screen.push_back(entity.Bounds);
    };
    auto before = entities_.begin();
    auto now = entities.begin();
    while (before != entities_.end() || now != entities.end()) {
        if (now == entities.end() || (before != entities_.end() && before->Index < now->Index)) {
            changed(*before++);
        } else if (before == entities_.end() || now->Index < before->Index) {
            changed(*now++);
        } else {
            if (!before->SameShapesAs(*now)) {
                changed(*before);
                changed(*now);
            }
            ++before;
            ++now;
        }
    }
    changes.WholeSubWindow = changes.WholeSubWindow || subWindowChanged;
    return changes;
}

void DrawnScreen::Keep(ScreenInputs inputs, qint64 work, const SubWindowState& subWindow,
                       std::vector<DrawnEntity> entities)
{
    kept_ = true;
    inputs_ = std::move(inputs);
    work_ = work;
    subWindow_ = subWindow;
    entities_ = std::move(entities);
}

} // namespace zor
