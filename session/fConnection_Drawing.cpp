// The session window's redraw: backdrop and entities.
#include "session/fConnection.h"

#include "core/Colors.h"

#include <QPainter>

namespace zor {

void fConnection::PaintBackdrop()
{
    BackDrop.fill(ToQColor(Settings.BackColor));
}

void fConnection::DrawEntities()
{
    Work = BackDrop.copy();
    QPainter painter(&MainPic->Image());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, Work);
    painter.end();
    MainPic->Refresh();
}

} // namespace zor
