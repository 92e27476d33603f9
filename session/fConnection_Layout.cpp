// Placing the session window's surfaces and open panels on the cell grid
// whenever the window changes size.
#include "session/fConnection.h"

#include "core/Colors.h"
#include "core/Fields.h"
#include "core/NumberConversion.h"
#include "core/Rounding.h"
#include "core/Surface.h"
#include "core/Text.h"
#include "core/Twips.h"
#include "core/WindowUtils.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

namespace zor {

namespace {

constexpr int MinimumOuterHeight = TwipsToPixels(5100);

// Field n of a panel's cell tag, read as the command that opened the panel
// read it, so a resize keeps the panel where and as large as it was.
double TagCell(const QWidget& panel, int n)
{
    const QString field = Trim(GetCaretField(panel.property("Tag").toString(), n));
    return Val(field);
}

void Place(QWidget& widget, double left, double top)
{
    widget.move(ToPixel(left), ToPixel(top));
}

void Place(QWidget& widget, double left, double top, double width, double height)
{
    widget.setGeometry(ToPixel(left), ToPixel(top), qMax(0, ToPixel(width)), qMax(0, ToPixel(height)));
}

// A picture sized from the host's cells, never larger than the main picture.
void PlaceSurface(QWidget& widget, const QWidget& mainPic, double left, double top, double width, double height)
{
    widget.setGeometry(WithinSize(QRect(ToPixel(left), ToPixel(top), ToPixel(width), ToPixel(height)), mainPic.size()));
}

} // namespace

void fConnection::Form_Resize()
{
    if (isMinimized())
        return;
    const int frameExtra = frameGeometry().height() - height();
    if (frameGeometry().height() < MinimumOuterHeight)
        resize(width(), MinimumOuterHeight - frameExtra);

    const int toolbarHeight = Toolbar->sizeHint().height();
    Toolbar->setGeometry(0, 0, ClientArea->width(), toolbarHeight);
    // The client area ends at the status bar, which the window's inner height
    // would otherwise take off again.
    const int mainHeight = qMax(0, ClientArea->height() - 2 - HelpBar->height() - toolbarHeight);
    MainPic->setGeometry(0, toolbarHeight, ClientArea->width(), mainHeight);

    const QColor backColour = ToQColor(Settings.BackColor);
    ResizeSurface(Work, MainPic->size(), backColour);
    ResizeSurface(BackDrop, MainPic->size(), backColour);
    for (QImage& buffer : Buffer)
        ResizeSurface(buffer, MainPic->size(), backColour);

    CellWidth = Currency::fromDouble(static_cast<float>(MainPic->width()) / 81.0f);
    CellHeight = Currency::fromDouble(static_cast<float>(MainPic->height()) / 25.0f);
    const double cw = CellWidth.toDouble();
    const double ch = CellHeight.toDouble();

    Console->setGeometry(MainPic->geometry());
    ConsoleText->setGeometry(0, 0, Console->width(), Console->height());
    SetFontPoints(*ConsoleText, Console->width() / 75.0);
    HelpBar->setGeometry(0, MainPic->y() + MainPic->height(), MainPic->width(), HelpBar->height());

    const double subLeft = SubWindowRect[0];
    const double subTop = SubWindowRect[1];
    PlaceSurface(*lvMainPic, *MainPic, subLeft * cw, subTop * ch, (SubWindowRect[2] + 2) * cw + ch,
                 SubWindowRect[3] * ch);
    GuiWindowCap->resize(lvMainPic->width(), ToPixel(ch));
    if (ShadowOn)
        Shadow->setGeometry(lvMainPic->x() + ToPixel(cw), lvMainPic->y() + ToPixel(ch), lvMainPic->width(),
                            lvMainPic->height());
    lvMainPic->Clear();

    PaintBackdrop();
    DrawEntities();

    if (IsVisible(*INTextPic)) {
        const double width = (TagCell(*INText, 3) + 1) * cw;
        PlaceSurface(*INTextPic, *MainPic, TagCell(*INText, 1) * cw, TagCell(*INText, 2) * ch, width, ch);
        INText->setGeometry(INTextPic->rect());
        SetFontPoints(*INText, cw);
    }
    if (IsVisible(*lvINTextPic)) {
        const double width = (TagCell(*lvINText, 3) + 1) * cw;
        PlaceSurface(*lvINTextPic, *MainPic, (TagCell(*lvINText, 1) - subLeft) * cw,
                     (TagCell(*lvINText, 2) - subTop + 1) * ch, width, ch);
        lvINText->setGeometry(lvINTextPic->rect());
        SetFontPoints(*lvINText, cw);
    }
    for (QListWidget* list : ILList) {
        if (!list || !IsVisible(*list))
            continue;
        Place(*list, TagCell(*list, 1) * cw, TagCell(*list, 2) * ch, (TagCell(*list, 3) + 1) * cw,
              (TagCell(*list, 4) + 1) * ch);
        SetFontPoints(*list, cw);
    }
    Place(*MVPic, TagCell(*MVPic, 1) * cw, TagCell(*MVPic, 2) * ch);
    Place(*lvMVPic, (TagCell(*lvMVPic, 1) - subLeft) * cw, (TagCell(*lvMVPic, 2) - subTop + 1) * ch);

    lWorking->move(MainPic->width() - lWorking->width() - 5, MainPic->height() - lWorking->height() - 5);

    for (QWidget* panel : {static_cast<QWidget*>(ListPic), static_cast<QWidget*>(MsgPic),
                           static_cast<QWidget*>(ProgBarPic), static_cast<QWidget*>(ParmFrame)}) {
        if (IsVisible(*panel))
            CenterInParent(*panel, *MainPic);
    }
    ResizeProc();
    if (IsVisible(*HelpPicContainer))
        CenterInParent(*HelpPicContainer, *MainPic);
}

void fConnection::ResizeProc()
{
    ProcPic->setGeometry(30, 30, qMax(0, MainPic->width() - 60), qMax(0, MainPic->height() - 60));
    const int inner = ProcPic->width();
    ProcText->move(5, 5);
    bool anyButton = false;
    for (QPushButton* button : ProcButt) {
        button->move(inner - button->width() - 10, button->y());
        anyButton = anyButton || IsVisible(*button);
    }
    ProcText->resize(qMax(0, anyButton ? inner - 100 : inner - 10), qMax(0, ProcPic->height() - 65));
    fProcInput->setGeometry(fProcInput->x(), ProcPic->height() - 35, qMax(0, inner - 10), fProcInput->height());
    lblProcLabel->move(lblProcLabel->x(), ProcPic->height() - 55);
}

} // namespace zor
