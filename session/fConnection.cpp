#include "session/fConnection.h"

#include "core/Colors.h"
#include "core/Dialogs.h"
#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "devices/modComm.h"
#include "session/KeyboardHandler.h"

#include <QAction>
#include <QLineEdit>
#include <QPalette>
#include <QToolBar>
#include <functional>

namespace zor {

namespace {

void ApplyInputColours(QLineEdit& box, qint32 fore, qint32 back)
{
    QPalette palette = box.palette();
    palette.setColor(QPalette::Text, ToQColor(fore));
    palette.setColor(QPalette::Base, ToQColor(back));
    box.setPalette(palette);
}

// The window's client area, below the menu bar and above the status bar.
// The layout runs when its size is final, which for the window's own first
// resize it is not yet.
class ClientAreaWidget : public QWidget {
public:
    using QWidget::QWidget;
    // Set once everything the layout places exists.
    std::function<void()> Resized;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (Resized)
            Resized();
    }
};

} // namespace

fConnection& fConnection::instance()
{
    static fConnection* window = new fConnection();
    return *window;
}

fConnection::fConnection()
{
    setObjectName(QStringLiteral("fConnection"));
    auto* clientArea = new ClientAreaWidget(this);
    ClientArea = clientArea;
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
    WireShell();
    clientArea->Resized = [this] { Form_Resize(); };

    resize(640, 480);
    Dialogs::SetParentWindow(this);
    Link().ResizeWindow = [this](int width, int height) { resize(width, height); };
    Link().ApplyInputColours = [this](qint32 fore, qint32 back) {
        ApplyInputColours(*INText, fore, back);
        ApplyInputColours(*lvINText, fore, back);
    };
    Link().ReceiptPrinterNotAvailable = [this] {
        setWindowTitle(SessionTitle + QLatin1Char(' ') + CommStatusText + ReceiptNotAvailable);
    };
    SetReceiptPrinterOwner(*this);
    ConnectInputHandlers();
    KeyHookSink = this;
    KeyboardHookActive = true;
}

QAction* fConnection::ToolbarButton(const QString& key) const
{
    for (QAction* action : Toolbar->actions()) {
        if (action->objectName() == key)
            return action;
    }
    return nullptr;
}

} // namespace zor
