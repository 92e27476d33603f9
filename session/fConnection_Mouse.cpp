// Clicks on the host's entities answer the host; moving the pointer shows
// their help and switches the pointer picture. In test mode the same moves
// show grid places and entity numbers, and clicks queue canned answers.
#include "session/fConnection.h"

#include "core/Colors.h"
#include "core/Rounding.h"
#include "core/ScreenPointer.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Trace.h"
#include "core/WindowUtils.h"
#include "session/EntityHitTest.h"

#include <QCursor>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

// The resources live in the static library; the linker keeps them only when
// something refers to their initialiser.
static void InitialisePointerResources()
{
    Q_INIT_RESOURCE(pointers);
}

namespace zor {

namespace {

constexpr int RightButton = 2;

// The pointer pictures by their resource numbers.
enum PointerIcon { DisabledEntityPointer = 101, TestPointer = 102, EntityPointer = 201, EmptySpacePointer = 202 };

QCursor LoadPointer(int icon)
{
    static const bool initialised = [] {
        InitialisePointerResources();
        return true;
    }();
    Q_UNUSED(initialised);
    const QPixmap picture(QStringLiteral(":/zor/pointers/%1.xpm").arg(icon));
    // The hand points with its finger tip, the cross hair with its centre.
    if (icon == EntityPointer || icon == DisabledEntityPointer)
        return QCursor(picture, 11, 1);
    if (icon == TestPointer)
        return QCursor(picture, 16, 16);
    return QCursor(picture, 1, 1);
}

HitGeometry GeometryOf(bool subWindow)
{
    HitGeometry geometry;
    geometry.cellWidth = CellWidth.toDouble();
    geometry.cellHeight = CellHeight.toDouble();
    geometry.subWindow = subWindow;
    geometry.subLeft = SubWindowRect[0];
    geometry.subTop = SubWindowRect[1];
    return geometry;
}

bool PanelBlocksMouse(const fConnection& w)
{
    return IsVisible(*w.MsgPic) || IsVisible(*w.ParmFrame) || IsVisible(*w.ListPic) || IsVisible(*w.ProcPic);
}

// The answer of a click on an entity of the screen or the sub-window.
void ClickEntity(fConnection& w, PictureBox& picture, bool subWindow, int button, double x, double y)
{
    if (button == RightButton && !TestMode) {
        w.ThePopUp->popup(picture.mapToGlobal(QPointF(x, y).toPoint()));
        return;
    }
    const int index = ClickTarget(x, y, CurPage, GeometryOf(subWindow));
    if (index < 0) {
        SendReply(QString());
        return;
    }
    const Entity& entity = Entities[static_cast<size_t>(index)];
    if (!TestMode && (!IsClickableKind(entity.EntityType) || entity.Active == 0))
        return;
    const QString tag = Trim(entity.Tag);
    if (entity.Align < 50) {
        if (TestMode) {
            // The design run answers the host's next prompts itself.
            SendReply(QStringLiteral(">>"));
            w.DataList->addItem(QString());
            w.DataList->addItem(tag.mid(2));
            return;
        }
        if (subWindow) {
            SendReply(tag);
            w.lvINTextPic->hide();
            InputPending = false;
            return;
        }
        // A two-row action button takes the typed text into its own line.
        if (entity.EntityType == KindActionButton && entity.Height == 2) {
            SendReply(TypeAhead + tag);
        } else {
            if (!TypeAhead.isEmpty())
                SendLine(TypeAhead);
            SendReply(tag);
        }
        TypeAhead.clear();
        w.INTextPic->hide();
        InputPending = false;
        return;
    }
    const int list = entity.Align - 50;
    if (list >= ItemListSlots) {
        WriteTrace(QStringLiteral("MOUSE"),
                   QStringLiteral("Entity %1 links to no item list (%2)").arg(index).arg(entity.Align));
        return;
    }
    const QString& value = ItemListValues[static_cast<size_t>(list)];
    if (value.isEmpty())
        return;
    if (!tag.isEmpty())
        SendReply(tag);
    SendReply(value);
}

void PointerMoved(fConnection& w, PictureBox& picture, bool subWindow, double x, double y)
{
    const QString remembered = picture.property("Tag").toString();
    const HitGeometry geometry = GeometryOf(subWindow);
    QString help;
    if (TestMode && geometry.cellWidth > 0 && geometry.cellHeight > 0) {
        help = QStringLiteral("X=%1,Y=%2").arg(ToPixel(x / geometry.cellWidth)).arg(ToPixel(y / geometry.cellHeight));
        w.HelpBar->setText(help);
    }
    const PointerHits hits = PointerTargets(x, y, geometry, TestMode != 0, subWindow, CurPage);
    for (const int index : hits.passed) {
        const Entity& entity = Entities[static_cast<size_t>(index)];
        if (TestMode) {
            help += QStringLiteral(" Ent=%1 Width=%2").arg(index).arg(entity.Width);
            w.HelpBar->setText(help);
            const HitRect r = HitRectOf(entity, geometry);
            QPainter painter(&picture.Image());
            painter.setPen(ToQColor(QBColor(14)));
            painter.drawRect(QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top));
            picture.update();
        } else {
            w.HelpBar->setText(index < EntityDataSlots ? EntityData[static_cast<size_t>(index)] : QString());
        }
    }
    int icon = 0;
    if (hits.found >= 0)
        icon =
            Entities[static_cast<size_t>(hits.found)].Active != 0 || TestMode ? EntityPointer : DisabledEntityPointer;
    else
        icon = TestMode ? TestPointer : EmptySpacePointer;
    const QString number = QString::number(icon);
    picture.setProperty("Tag", number);
    if (number != remembered)
        picture.setProperty("MouseIcon", QVariant::fromValue(LoadPointer(icon)));
    // Without a connection the picture always shows its own pointer; with
    // one, the connection chose the pointer mode and a new icon shows in it.
    if (!Connected || picture.testAttribute(Qt::WA_SetCursor))
        UseCustomPointer(picture);
}

} // namespace

void fConnection::MainPic_MouseDown(int button, int, double x, double y)
{
    if (CurPage != 0 || PanelBlocksMouse(*this))
        return;
    // A click closes the inline help, so the next key is a key again.
    HelpPicContainer->hide();
    HelpShown = false;
    ClickEntity(*this, *MainPic, false, button, x, y);
}

void fConnection::lvMainPic_MouseDown(int button, int, double x, double y)
{
    if (CurPage != 1 || PanelBlocksMouse(*this))
        return;
    ClickEntity(*this, *lvMainPic, true, button, x, y);
}

void fConnection::MainPic_MouseMove(int, int, double x, double y)
{
    if (CurPage != 0 || PanelBlocksMouse(*this)) {
        UseCustomPointer(*MainPic);
        return;
    }
    PointerMoved(*this, *MainPic, false, x, y);
}

void fConnection::lvMainPic_MouseMove(int, int, double x, double y)
{
    if (CurPage != 1 || PanelBlocksMouse(*this)) {
        UseCustomPointer(*lvMainPic);
        return;
    }
    PointerMoved(*this, *lvMainPic, true, x, y);
}

} // namespace zor
