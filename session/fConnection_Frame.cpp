// The session window's menus, toolbar, status bar and timers.
#include "session/fConnection.h"

#include "core/SendReply.h"
#include "tools/fJump.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcutEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace zor {

namespace {

QAction* AddItem(QMenu& menu, const char* name, const QString& caption)
{
    QAction* action = menu.addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* AddMenu(QMenuBar& bar, const char* name, const QString& caption)
{
    QMenu* menu = bar.addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QTimer* MakeTimer(QObject* owner, const char* name, int interval, bool running)
{
    auto* timer = new QTimer(owner);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    if (running)
        timer->start();
    return timer;
}

// Gives the access keys of the host's panels to their buttons first. The
// menu bar has letters of its own (Alt+C is Connection and Cancel too), and
// a letter that two own would only move the focus.
class PanelKeysFirst : public QObject {
public:
    explicit PanelKeysFirst(fConnection& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Shortcut &&
            window_.PressPanelAccessKey(static_cast<QShortcutEvent*>(event)->key()))
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    fConnection& window_;
};

} // namespace

void fConnection::CreateMenus()
{
    QMenuBar& bar = *menuBar();
    filemnu = AddMenu(bar, "filemnu", QStringLiteral("&File"));
    SpawnMnu = AddItem(*filemnu, "SpawnMnu", QStringLiteral("&Launch Session"));
    SaveMnu = AddItem(*filemnu, "SaveMnu", QStringLiteral("&Save"));
    saveasmnu = AddItem(*filemnu, "saveasmnu", QStringLiteral("Save &As"));
    filemnu->addSeparator();
    printmnu = AddItem(*filemnu, "printmnu", QStringLiteral("&Print"));
    filemnu->addSeparator();
    exitmnu = AddItem(*filemnu, "exitmnu", QStringLiteral("E&xit"));

    connectionmnu = AddMenu(bar, "connectionmnu", QStringLiteral("&Connection"));
    connectmnu = AddItem(*connectionmnu, "connectmnu", QStringLiteral("&Log On"));
    disconnectmnu = AddItem(*connectionmnu, "disconnectmnu", QStringLiteral("Log &Off"));
    disconnectmnu->setEnabled(false);

    ViewMnu = AddMenu(bar, "ViewMnu", QStringLiteral("&View"));
    ConsoleMnu = AddItem(*ViewMnu, "ConsoleMnu", QStringLiteral("&Console Window"));
    jumptreemnu = AddItem(*ViewMnu, "jumptreemnu", QStringLiteral("&Menu Tree (ALT+J)"));
    mnuReportView = AddItem(*ViewMnu, "mnuReportView", QStringLiteral("Report &Viewer"));
    ViewMnu->addSeparator();
    mnuRefresh = AddItem(*ViewMnu, "mnuRefresh", QStringLiteral("Refresh"));
    ViewMnu->addSeparator();
    PropertiesMnu = AddItem(*ViewMnu, "PropertiesMnu", QStringLiteral("&Properties"));

    HelpMnu = AddMenu(bar, "HelpMnu", QStringLiteral("&Help"));
    HelpContents = AddItem(*HelpMnu, "HelpContents", QStringLiteral("&Contents"));
    HelpSearch = AddItem(*HelpMnu, "HelpSearch", QStringLiteral("&Tips"));
    HelpMnu->addSeparator();
    HelpAbout = AddItem(*HelpMnu, "HelpAbout", QStringLiteral("&About ZOR GUI"));

    ThePopUp = new QMenu(this);
    ThePopUp->setObjectName(QStringLiteral("ThePopUp"));
    puSpawn = AddItem(*ThePopUp, "puSpawn", QStringLiteral("Spa&wn"));
    puSave = AddItem(*ThePopUp, "puSave", QStringLiteral("&Save"));
    puSaveAs = AddItem(*ThePopUp, "puSaveAs", QStringLiteral("Save &As"));
    puPrint = AddItem(*ThePopUp, "puPrint", QStringLiteral("P&rint"));
    ThePopUp->addSeparator();
    puConnect = AddItem(*ThePopUp, "puConnect", QStringLiteral("&Connect"));
    puDisconnect = AddItem(*ThePopUp, "puDisconnect", QStringLiteral("&Disconnect"));
    puDisconnect->setEnabled(false);
    ThePopUp->addSeparator();
    puConsole = AddItem(*ThePopUp, "puConsole", QStringLiteral("C&onsole"));
    puJumpTree = AddItem(*ThePopUp, "puJumpTree", QStringLiteral("&Menu Tree"));
    puReportViewer = AddItem(*ThePopUp, "puReportViewer", QStringLiteral("Report &Viewer"));
    ThePopUp->addSeparator();
    puProperties = AddItem(*ThePopUp, "puProperties", QStringLiteral("&Properties"));

    // Each menu-bar item does what its pop-up twin does.
    const std::pair<QAction*, QAction*> twins[] = {
        {SpawnMnu, puSpawn},           {SaveMnu, puSave},         {saveasmnu, puSaveAs},
        {printmnu, puPrint},           {connectmnu, puConnect},   {disconnectmnu, puDisconnect},
        {ConsoleMnu, puConsole},       {jumptreemnu, puJumpTree}, {mnuReportView, puReportViewer},
        {PropertiesMnu, puProperties},
    };
    for (const auto& [item, twin] : twins)
        connect(item, &QAction::triggered, twin, &QAction::trigger);
}

void fConnection::puJumpTree_Click()
{
    fJump::instance().ShowModal();
}

void fConnection::CreateToolbar()
{
    // The toolbar is a control of the client area (not a dock), so that the
    // screen below it is placed by the window's own layout rules.
    Toolbar = new QToolBar(ClientArea);
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setMovable(false);
    Toolbar->setIconSize(QSize(16, 16));
    struct Button {
        const char* key;
        QStyle::StandardPixmap icon;
        const char* tip;
    };
    const Button buttons[] = {
        {"spawn", QStyle::SP_FileDialogNewFolder, "Launch Session"},
        {"save", QStyle::SP_DialogSaveButton, "Save"},
        {"print", QStyle::SP_FileDialogDetailedView, "Print"},
        {"connect", QStyle::SP_DialogYesButton, "Log On"},
        {"disconnect", QStyle::SP_DialogNoButton, "Log Off"},
        {"properties", QStyle::SP_FileDialogInfoView, "Properties"},
        {"console", QStyle::SP_ComputerIcon, "Console Window"},
        {"menutree", QStyle::SP_DirOpenIcon, "Menu Tree"},
        {"reportviewer", QStyle::SP_FileIcon, "Report Viewer"},
        {"TenKey", QStyle::SP_DesktopIcon, "Ten-Key Pad"},
        {"systemfunctions", QStyle::SP_DriveNetIcon, "System Functions"},
        {"help", QStyle::SP_DialogHelpButton, "Help"},
    };
    for (const Button& b : buttons) {
        QAction* action = Toolbar->addAction(style()->standardIcon(b.icon), QLatin1String(b.tip));
        action->setObjectName(QLatin1String(b.key));
    }
    ToolbarButton(QStringLiteral("disconnect"))->setEnabled(false);

    SystemFunctionsMenu = new QMenu(this);
    SystemFunctionsMenu->setObjectName(QStringLiteral("SystemFunctionsMenu"));
    QAction* systemFunctions = ToolbarButton(QStringLiteral("systemfunctions"));
    systemFunctions->setMenu(SystemFunctionsMenu);
    if (auto* button = qobject_cast<QToolButton*>(Toolbar->widgetForAction(systemFunctions)))
        button->setPopupMode(QToolButton::InstantPopup);
    connect(SystemFunctionsMenu, &QMenu::triggered, this, &fConnection::Toolbar_ButtonMenuClick);
    Toolbar->adjustSize();
}

void fConnection::Toolbar_ButtonMenuClick(QAction* item)
{
    SendReply(item->data().toString());
}

void fConnection::CreateStatusBar()
{
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    setStatusBar(StatusBar);
    for (int i = 1; i <= StatusPanelCount; ++i) {
        auto* panel = new QLabel(StatusBar);
        panel->setObjectName(QStringLiteral("StatusPanel_%1").arg(i));
        panel->setTextFormat(Qt::PlainText);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(40);
        // The host's texts are shown as they stand, never as markup.
        panel->setTextFormat(Qt::PlainText);
        StatusBar->addPermanentWidget(panel, i == 1 ? 1 : 0);
        StatusPanels[static_cast<size_t>(i)] = panel;
    }
}

void fConnection::CreateTimers()
{
    Timer1 = MakeTimer(this, "Timer1", 10000, true);
    Timer2 = MakeTimer(this, "Timer2", 100, true);
    Timer3 = MakeTimer(this, "Timer3", 5000, false);
    Timer4 = MakeTimer(this, "Timer4", 1000, false);
    lvTimer1 = MakeTimer(this, "lvTimer1", 1000, true);
}

void fConnection::WireShell()
{
    connect(Timer1, &QTimer::timeout, this, &fConnection::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &fConnection::Timer2_Timer);
    Timer1_Timer();

    // The pop-up and the menus without a pop-up twin: what choosing each does.
    const std::pair<QAction*, void (fConnection::*)()> items[] = {
        {puSpawn, &fConnection::puSpawn_Click},
        {puSave, &fConnection::puSave_Click},
        {puSaveAs, &fConnection::puSaveAs_Click},
        {puPrint, &fConnection::puPrint_Click},
        {puConnect, &fConnection::puConnect_Click},
        {puDisconnect, &fConnection::puDisconnect_Click},
        {puConsole, &fConnection::showConsole},
        {puJumpTree, &fConnection::puJumpTree_Click},
        {puReportViewer, &fConnection::puReportViewer_Click},
        {puProperties, &fConnection::puProperties_Click},
        {mnuRefresh, &fConnection::mnuRefresh_Click},
        {HelpContents, &fConnection::HelpContents_Click},
        {HelpSearch, &fConnection::HelpSearch_Click},
        {HelpAbout, &fConnection::HelpAbout_Click},
    };
    for (const auto& [item, handler] : items)
        connect(item, &QAction::triggered, this, handler);
    connect(exitmnu, &QAction::triggered, this, &fConnection::exitmnu_Click);

    // Every owner of such a letter: the menu bar and the panels' buttons.
    auto* panelKeys = new PanelKeysFirst(*this);
    menuBar()->installEventFilter(panelKeys);
    for (const PictureBox* panel : {ListPic, ParmFrame, MsgPic, ProcPic}) {
        for (QPushButton* button : panel->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
            button->installEventFilter(panelKeys);
    }

    for (QAction* button : Toolbar->actions())
        connect(button, &QAction::triggered, this, [this, key = button->objectName()] { Toolbar_ButtonClick(key); });
}

void fConnection::Toolbar_ButtonClick(const QString& key)
{
    // The buttons by key; "systemfunctions" only opens its drop-down.
    const std::pair<const char*, void (fConnection::*)()> buttons[] = {
        {"spawn", &fConnection::puSpawn_Click},           {"save", &fConnection::puSave_Click},
        {"print", &fConnection::PrintFromToolbar},        {"connect", &fConnection::puConnect_Click},
        {"properties", &fConnection::puProperties_Click}, {"disconnect", &fConnection::puDisconnect_Click},
        {"console", &fConnection::showConsole},           {"menutree", &fConnection::puJumpTree_Click},
        {"help", &fConnection::HelpContents_Click},       {"reportviewer", &fConnection::puReportViewer_Click},
        {"TenKey", &fConnection::OpenPinnedTenKey},
    };
    for (const auto& [name, handler] : buttons) {
        if (key == QLatin1String(name)) {
            (this->*handler)();
            return;
        }
    }
}

} // namespace zor
