#include "session/fConnection.h"

#include "core/Colors.h"
#include "core/Dialogs.h"
#include "core/SessionLink.h"

#include <QAction>
#include <QLineEdit>
#include <QPalette>
#include <QToolBar>

namespace zor {

namespace {

void ApplyInputColours(QLineEdit& box, qint32 fore, qint32 back)
{
    QPalette palette = box.palette();
    palette.setColor(QPalette::Text, ToQColor(fore));
    palette.setColor(QPalette::Base, ToQColor(back));
    box.setPalette(palette);
}

} // namespace

fConnection& fConnection::instance()
{
    static fConnection* window = new fConnection();
    return *window;
}

fConnection::fConnection()
{
    setObjectName(QStringLiteral("fConnection"));
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(ClientArea);

    CreateMenus();
    CreateToolbar();
    CreateStatusBar();
    CreateTimers();
    CreateSurfaces();
    CreateInputPanels();
    CreateListPanels();
    CreateMessagePanels();
    CreateProcedurePanel();
    CreateHelpPanel();
    CreateConsole();
    CreateTenKeyPad();
    CreateChannel();

    resize(640, 480);
    Dialogs::SetParentWindow(this);
    Link().ResizeWindow = [this](int width, int height) { resize(width, height); };
    Link().ApplyInputColours = [this](qint32 fore, qint32 back) {
        ApplyInputColours(*INText, fore, back);
        ApplyInputColours(*lvINText, fore, back);
    };
    ConnectInputHandlers();
}

QAction* fConnection::ToolbarButton(const QString& key) const
{
    for (QAction* action : Toolbar->actions()) {
        if (action->objectName() == key)
            return action;
    }
    return nullptr;
}

void fConnection::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

} // namespace zor
