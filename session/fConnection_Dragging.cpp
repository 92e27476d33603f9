// Floating panels dragged by their caption bars: the sub-window through an
// outline dropped on release, the other panels following the pointer.
#include "core/Rounding.h"
#include "core/SharedState.h"
#include "session/fConnection.h"

#include <QFrame>
#include <QLabel>
#include <algorithm>

namespace zor {

namespace {

// Where a panel dragged to the place goes so that its caption bar stays
// inside the area that holds the panel: a panel whose caption is out of
// reach could never be dragged back, nor its buttons reached.
QPoint KeepCaptionInside(QPoint place, const QRect& caption, const QSize& area)
{
    const auto keep = [](int at, int start, int length, int room) {
        return std::max(-start, std::min(at, room - start - length));
    };
    return {keep(place.x(), caption.x(), caption.width(), area.width()),
            keep(place.y(), caption.y(), caption.height(), area.height())};
}

} // namespace

QWidget* fConnection::DraggedBy(const QObject* caption) const
{
    if (caption == GuiWindowCap)
        return lvMainPic;
    if (caption == helppiccap)
        return HelpPicContainer;
    if (caption == LSForm)
        return ListPic;
    if (caption == MsgPicCap)
        return MsgPic;
    if (caption == ParamCap)
        return ParmFrame;
    return nullptr;
}

void fConnection::Caption_MouseDown(const QLabel& caption, QPoint position)
{
    GrabOffset = position;
    if (&caption == GuiWindowCap) {
        // The outline starts on the sub-window, so a click that never moves
        // drops it where it is.
        MoveBox->setGeometry(lvMainPic->geometry());
        MoveBox->show();
        MoveBox->raise();
    }
}

void fConnection::Caption_MouseMove(const QLabel& caption, Qt::MouseButtons buttons, QPointF globalPosition)
{
    if (buttons != Qt::LeftButton)
        return;
    QWidget* panel = DraggedBy(&caption);
    if (!panel)
        return;
    // The caption point under the pointer stays under it, wherever the
    // window is on the screen.
    QWidget& area = *panel->parentWidget();
    const QPoint place =
        KeepCaptionInside(area.mapFromGlobal(globalPosition).toPoint() - GrabOffset, caption.geometry(), area.size());
    if (&caption == GuiWindowCap) {
        MoveBox->setGeometry(QRect(place, lvMainPic->size()));
        MoveBox->raise();
    } else {
        panel->move(place);
    }
}

void fConnection::Caption_MouseUp(const QLabel& caption, Qt::MouseButton button)
{
    if (&caption != GuiWindowCap || button != Qt::LeftButton)
        return;
    lvMainPic->move(MoveBox->pos());
    if (ShadowOn)
        Shadow->move(MoveBox->pos() + QPoint(ToPixel(CellWidth.toDouble()), ToPixel(CellHeight.toDouble())));
    MoveBox->hide();
}

} // namespace zor
