#include "tools/Debugger.h"

#include "core/Dialogs.h"
#include "core/Trace.h"
#include "core/Twips.h"
#include "core/WindowUtils.h"
#include "session/fConnection.h"
#include "settings/AdminPassword.h"
#include "tools/FolderList.h"
#include "tools/LinePrinting.h"
#include "tools/TraceLines.h"
#include "tools/TraceLocation.h"

#include <QCloseEvent>
#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QListView>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

namespace zor {

Debugger& Debugger::instance()
{
    static Debugger* window = new Debugger(&fConnection::instance());
    return *window;
}

Debugger::Debugger(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Debugger"));
    setWindowTitle(QStringLiteral("Velmora Trace"));
    List1 = new QListView(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(QFont(QStringLiteral("Courier New"), 8));
    List1->setUniformItemSizes(true);
    List1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Lines = new TraceLines(this);
    List1->setModel(Lines);
    Command1 = new QPushButton(QStringLiteral("Print"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &Debugger::Command1_Click);
    connect(Lines, &TraceLines::RowsUpdated, this, &Debugger::SelectNewest);
    resize(640, 400);
}

void Debugger::SelectNewest()
{
    const int rows = Lines->rowCount();
    if (rows > 0)
        List1->setCurrentIndex(Lines->index(rows - 1));
}

void Debugger::Form_Resize()
{
    if (isMinimized())
        return;
    // The layout rule counts the window with its frame, in twips.
    const QRect outer = frameGeometry();
    const int listWidth = std::max(0, outer.width() - TwipsToPixels(260));
    const int listHeight = std::max(0, outer.height() - TwipsToPixels(700) - Command1->sizeHint().height());
    List1->setGeometry(0, 0, listWidth, listHeight);
    // Below the list, not over its last line: this list does not shrink to
    // whole lines the way the rule expects.
    Command1->setGeometry(0, List1->height() + TwipsToPixels(40), Command1->sizeHint().width(),
                          Command1->sizeHint().height());
    SetListExtent();
}

void Debugger::SetListExtent()
{
    // Measured in the list's own font, the one the lines are shown in.
    const QFontMetrics metrics(List1->font());
    int widest = 0;
    for (const QString& line : Trace().Lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    Lines->SetRowSize(QSize(widest + 2 * metrics.averageCharWidth(), metrics.height()));
    SelectNewest();
}

void Debugger::Command1_Click()
{
    const QStringList lines(Trace().Lines.begin(), Trace().Lines.end());
    if (lines.isEmpty())
        return;
    QPrinter printer;
    if (!Dialogs::ChoosePrinter(printer))
        return;
    if (!PrintLines(printer, lines, List1->font().family()))
        Dialogs::MsgBox(QStringLiteral("The trace could not be printed on ") + printer.printerName() +
                            QStringLiteral("."),
                        Dialogs::Critical, QStringLiteral("Printer Error"));
}

void Debugger::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Trace().On = true;
}

void Debugger::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Minimised it is still open: only a real hide ends the trace.
    if (!event->spontaneous())
        Trace().On = false;
}

void Debugger::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    Trace().On = false;
    // A trace switched on again tells of a file that still fails.
    Trace().FailingFile.clear();
    Lines->Clear();
}

void Debugger::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Debugger::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void OpenTraceWindows()
{
    if (!AskAdminPassword())
        return;
    TraceLocation& location = TraceLocation::instance();
    location.TraceDir->setPath(QDir::homePath());
    Trace().Folder = location.TraceDir->path();
    Debugger& debugger = Debugger::instance();
    if (!debugger.isVisible())
        CenterOverWindow(debugger, fConnection::instance());
    debugger.show();
    location.show();
    location.raise();
}

} // namespace zor
