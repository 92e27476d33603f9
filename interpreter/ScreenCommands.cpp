// Commands that manage the drawn screen as a whole and the sub-window.
#include "core/NumberConversion.h"
#include "core/Rounding.h"
#include "core/SharedState.h"
#include "core/Surface.h"
#include "core/Text.h"
#include "core/WindowUtils.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/fConnection.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>

namespace zor {

namespace {

// The sub-window's caption when neither the host nor the screen names one.
const QString SubWindowCaption = QStringLiteral("ZOR Suite");

// Copies the top-left part of source that the main picture shows into target,
// pixel for pixel.
void CopyScreenRect(const QImage& source, QImage& target, QSize size)
{
    if (source.isNull() || target.isNull())
        return;
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), source, QRect(QPoint(0, 0), size));
}

} // namespace

void Interpreter::ClearScreen(const CommandUnit& unit)
{
    ClearingScreen = true;
    window_.stack.clear();
    window_.DataList->clear();
    for (QListWidget* list : window_.ILList) {
        list->clear();
        list->hide();
    }
    InputPending = false;
    ItemListUp = false;
    window_.INTextPic->hide();
    window_.lvINTextPic->hide();
    // Every slot, the last one too: an entity left there from an earlier
    // screen would otherwise lend its state to the next one made in it.
    for (Entity& entity : Entities) {
        entity.EntityType = KindNothing;
        entity.X = -1;
        entity.Y = -1;
        entity.Active = VbTrue;
        entity.Region = 0;
        entity.FontAdjust = 0;
    }
    EntityCount = -1;
    window_.SystemFunctionsMenu->clear();
    ImageCount = 0;
    window_.eImage.fill(QImage());
    screenPictures_.clear();
    screenPictureBytes_ = 0;
    window_.MVPic->hide();
    AddToHistory(unit);
    ScreenChanged = true;
    window_.HelpBar->setText(QString());
    ClearingScreen = false;
}

void Interpreter::Redraw(const CommandUnit& unit)
{
    const Drawn before = doneBefore_.drawn;
    if (before == Drawn::Nothing)
        window_.DrawEntities();
    Drew(before == Drawn::Nothing ? Drawn::Entities : before);
    if (InputPending)
        (CurPage == 0 ? window_.INTextPic : window_.lvINTextPic)->show();
    AddToHistory(unit);
}

void Interpreter::SelectLevel(const CommandUnit& unit)
{
    CurPage = IntegerValue(unit.Field(2));
    if (CurPage == -1) {
        window_.lvMainPic->hide();
        if (ShadowOn)
            window_.Shadow->hide();
        CurPage = 0;
    }
    AddToHistory(unit);
}

void Interpreter::OpenSubWindow(const CommandUnit& unit)
{
    if (!Connected)
        return;
    // The host's caption first, then the screen's first entity; a slot left
    // from an earlier screen names nothing.
    QString caption = unit.FieldText(2);
    if (IsBlank(caption))
        caption = EntityCount > 0 ? Trim(Entities[0].Caption) : QString();
    if (caption.isEmpty())
        caption = SubWindowCaption;
    window_.GuiWindowCap->setText(caption);
    const double cellWidth = CellWidth.toDouble();
    const double cellHeight = CellHeight.toDouble();
    window_.GuiWindowCap->resize(window_.GuiWindowCap->width(), ToPixel(cellHeight));

    const qint16 left = IntegerValue(unit.Field(3));
    const qint16 top = IntegerValue(Val(unit.Field(4)) + 1);
    const qint16 columns = IntegerValue(unit.Field(5));
    const qint16 rows = IntegerValue(unit.Field(6));
    SubWindowRect = {left, top, columns, rows};

    PictureBox& sub = *window_.lvMainPic;
    sub.setGeometry(WithinSize(QRect(ToPixel(cellWidth * left), ToPixel(cellHeight * top),
                                     ToPixel(cellWidth * (columns + 2.0) + cellHeight), ToPixel(cellHeight * rows)),
                               window_.MainPic->size()));
    if (ShadowOn) {
        window_.Shadow->setGeometry(sub.geometry().translated(ToPixel(cellWidth), ToPixel(cellHeight)));
        window_.Shadow->show();
        window_.Shadow->raise();
    }
    window_.GuiWindowCap->resize(sub.width(), window_.GuiWindowCap->height());
    sub.show();
    sub.raise();
    LetEventsRunOnceAFrame();
    AddToHistory(unit);
    CurPage = 1;
}

void Interpreter::SaveScreen(const CommandUnit& unit)
{
    const qint16 number = IntegerValue(unit.Field(2));
    if (number < 0 || number >= MaxBufferSlots) {
        Refuse(unit, QStringLiteral("no picture buffer %1").arg(number));
        return;
    }
    std::vector<QImage>& buffers = window_.Buffer;
    if (static_cast<size_t>(number) >= buffers.size())
        buffers.resize(static_cast<size_t>(number) + 1);
    const QSize size = window_.MainPic->size();
    QImage& buffer = buffers[static_cast<size_t>(number)];
    if (buffer.size() != size)
        buffer = QImage(size, window_.Work.format());
    CopyScreenRect(window_.Work, buffer, size);
    AddToHistory(unit);
}

void Interpreter::RestoreScreen(const CommandUnit& unit)
{
    const qint16 number = IntegerValue(unit.Field(2));
    if (number >= 0 && static_cast<size_t>(number) < window_.Buffer.size()) {
        const QImage& buffer = window_.Buffer[static_cast<size_t>(number)];
        CopyScreenRect(buffer, window_.Work, window_.MainPic->size());
    }
    AddToHistory(unit);
}

void Interpreter::SwitchTestMode(const CommandUnit& unit)
{
    const qint16 before = TestMode;
    TestMode = Val(unit.Field(2)) != 0 ? VbTrue : VbFalse;
    Drew(Drawn::BackdropAndEntities);
    if (doneBefore_.drawn == Drawn::BackdropAndEntities && TestMode == before)
        return;
    window_.PaintBackdrop();
    window_.DrawEntities();
}

} // namespace zor
