#include "session/PictureBox.h"

#include <QPaintEvent>
#include <QPainter>

namespace zor {

PictureBox::PictureBox(const QString& name, QWidget* parent)
    : QWidget(parent), DrawFont(DefaultSurfaceFont()), mBackColor(QColor(0xC0, 0xC0, 0xC0))
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    mImage = MakeSurfaceImage(size(), mBackColor);
}

void PictureBox::SetBackColor(const QColor& colour)
{
    mBackColor = colour;
}

void PictureBox::Clear()
{
    mImage.fill(mBackColor);
    update();
}

void PictureBox::Refresh()
{
    update();
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    ResizeSurface(mImage, event->size(), mBackColor);
    QWidget::resizeEvent(event);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), mImage, event->rect());
}

} // namespace zor
