#include "session/PictureBox.h"

#include "core/WindowUtils.h"

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
    const bool resized = mImage.size() != size();
    ResizeSurface(mImage, size(), mBackColor);
    if (resized && mRaisedBorder)
        DrawRaisedBorder(mImage, mBackColor);
}

void PictureBox::SetRaisedBorder(bool on)
{
    mRaisedBorder = on;
    Clear();
}

void PictureBox::SetBackColor(const QColor& colour)
{
    mBackColor = colour;
}

void PictureBox::Clear()
{
    if (mRaisedBorder)
        DrawRaisedBorder(Image(), mBackColor);
    else
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
