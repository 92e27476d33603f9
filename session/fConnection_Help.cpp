// The session window's inline help panel: laid out over the middle of the
// screen on every help line, its text picture scrolled by the bar beside it.
#include "session/fConnection.h"

#include "core/Images.h"
#include "core/WindowUtils.h"

#include <QLabel>
#include <QScrollBar>

namespace zor {

void fConnection::DoHelp(const QString& line)
{
    PictureBox& container = *HelpPicContainer;
    HelpPicture& picture = *HelpPic;
    HelpPage& page = picture.Page;
    container.resize(MainPic->width() / 2, MainPic->height() / 2);
    CenterInParent(container, *MainPic);
    const int scrollWidth = HelpVScroll->width();
    HelpVScroll->setGeometry(container.width() - scrollWidth - 1, 0, scrollWidth, container.height() - 1);
    helppiccap->resize(container.width() - scrollWidth - 1, helppiccap->height());

    const int lineHeight = page.LineHeight();
    const int height = page.PrintY() + 2 * lineHeight;
    // The text shows below the caption: at the bar's end the picture's foot
    // meets the panel's.
    const int shown = container.height() - helppiccap->height();
    // Back to the top on every line, so the start of the help shows first.
    HelpVScroll->setValue(0);
    if (height > shown) {
        HelpVScroll->setEnabled(true);
        HelpVScroll->setMaximum(height - shown);
        HelpVScroll->setSingleStep(lineHeight);
        HelpVScroll->setPageStep(5 * lineHeight);
    } else {
        HelpVScroll->setEnabled(false);
    }
    int width = container.width() - scrollWidth;

    const QColor back = page.BackColour();
    const int textWidth = page.Apply(line, helppiccap->height());
    if (page.BackColour() != back) {
        QImage& helpImage = Images().HelpImage;
        if (helpImage.isNull())
            helpImage = QImage(1, 1, QImage::Format_RGB32);
        helpImage.fill(page.BackColour());
    }
    // A line wider than the picture widens it while that line is printed.
    if (textWidth > width - 10)
        width = textWidth + 10;
    picture.resize(width, height);
    picture.update();
}

void fConnection::HelpVScroll_Change()
{
    HelpPic->move(0, helppiccap->height() - HelpVScroll->value());
}

} // namespace zor
