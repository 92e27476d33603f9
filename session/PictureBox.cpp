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

QImage& PictureBox::Image()
{
    FollowSize();
    return mImage;
}

const QImage& PictureBox::Image() const
{
    FollowSize();
    return mImage;
}

void PictureBox::FollowSize() const
{
    ResizeSurface(mImage, size(), mBackColor);
}

void PictureBox::SetBackColor(const QColor& colour)
{
    mBackColor = colour;
}

void PictureBox::Clear()
{
    Image().fill(mBackColor);
    update();
}

void PictureBox::Refresh()
{
    update();
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    FollowSize();
    QWidget::resizeEvent(event);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), Image(), event->rect());
}

} // namespace zor
