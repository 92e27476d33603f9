// The session window's redraw: backdrop and entities.
#include "session/fConnection.h"

#include "core/Backdrop.h"
#include "core/Images.h"
#include "core/WindowUtils.h"

#include <QLabel>

namespace zor {

EntityPictures fConnection::Pictures() const
{
    return {Images().AnImage, eImage};
}

void fConnection::PaintBackdrop()
{
    ::zor::PaintBackdrop(BackDrop, BackImage, MainPic->size());
}

void fConnection::DrawEntities()
{
    ::zor::DrawEntities({.BackDrop = BackDrop,
                         .Work = {Work, WorkFont},
                         .Target = MainPic->Image(),
                         .SubWindow = lvMainPic->Surface(),
                         .SubWindowShown = IsVisible(*lvMainPic),
                         .SubWindowCaptionHeight = GuiWindowCap->height(),
                         .Pictures = Pictures()});
    MainPic->Refresh();
    lvMainPic->Refresh();
}

} // namespace zor
