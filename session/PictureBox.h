#pragma once

#include "core/Surface.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

namespace zor {

// A visible picture: a widget that owns an image of its own size and shows
// it. Child controls placed on it are drawn over the image.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(const QString& name, QWidget* parent = nullptr);

    // The image always has the widget's size, also while the widget is
    // hidden and its resize event is still to come.
    QImage& Image();
    const QImage& Image() const;
    // The font of drawing on the image. It is kept apart from the widget's
    // font so that the size set for one entity never reaches the child
    // controls.
    QFont DrawFont;
    zor::Surface Surface() { return {Image(), DrawFont}; }

    QColor BackColor() const { return mBackColor; }
    void SetBackColor(const QColor& colour);
    // Fills the image with the back colour, within a raised border when the
    // picture is a panel that has one (drawn again at every new size).
    void Clear();
    void SetRaisedBorder(bool on);
    // Shows the image as it now is.
    void Refresh();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FollowSize() const;

    mutable QImage mImage;
    QColor mBackColor;
    bool mRaisedBorder = false;
};

} // namespace zor
