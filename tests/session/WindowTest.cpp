#include "session/ShellLink.h"
#include "session/fConnection.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zor;

TEST(SessionWindow, PanelsExistByNameAndStartHidden)
{
    fConnection& window = fConnection::instance();
    EXPECT_EQ(window.objectName(), QStringLiteral("fConnection"));
    const char* panels[] = {"INTextPic", "lvINTextPic", "MVPic",     "lvMVPic", "ListPic",
                            "MsgPic",    "ProgBarPic",  "ParmFrame", "ProcPic", "HelpPicContainer",
                            "Console",   "lWorking",    "lvMainPic", "Shadow",  "MoveBox",
                            "frTenKey",  "ILList_0",    "ILList_10", "DataList"};
    for (const char* name : panels) {
        QWidget* panel = window.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(panel, nullptr) << name;
        EXPECT_TRUE(panel->isHidden()) << name;
    }
    const char* children[] = {"INText",      "lvINText",     "MVText",      "lvMVText",    "LSList",      "LSCmnd_3",
                              "MBCommand_3", "lErrMessage",  "oParams_9",   "PLCommand_2", "ProcText",    "ProcButt_15",
                              "fProcInput",  "lblProcLabel", "ConsoleText", "HelpPic",     "HelpVScroll", "cbTenKey_21",
                              "tbTenKey",    "GuiWindowCap", "HelpBar",     "MainPic"};
    for (const char* name : children)
        EXPECT_NE(window.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(window.MVCmd[2], nullptr);
    EXPECT_EQ(window.lblProcLabel->text(), QStringLiteral("Input:"));
    EXPECT_EQ(window.LSCmnd[2]->text(), QStringLiteral("&Maint"));
}

TEST(SessionWindow, LabelsShowHostTextAsItIs)
{
    fConnection& window = fConnection::instance();
    for (const QLabel* label : window.findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

TEST(SessionWindow, FrameHasItsMenusToolbarStatusPanelsAndTimers)
{
    fConnection& window = fConnection::instance();
    EXPECT_FALSE(window.disconnectmnu->isEnabled());
    EXPECT_FALSE(window.puDisconnect->isEnabled());
    EXPECT_EQ(window.HelpAbout->text(), QStringLiteral("&About ZOR GUI"));
    for (const char* key : {"spawn", "save", "print", "connect", "properties", "disconnect", "console", "help",
                            "menutree", "reportviewer", "TenKey", "systemfunctions"})
        EXPECT_NE(window.ToolbarButton(QLatin1String(key)), nullptr) << key;
    EXPECT_EQ(window.ToolbarButton(QStringLiteral("systemfunctions"))->menu(), window.SystemFunctionsMenu);
    for (int i = 1; i <= StatusPanelCount; ++i)
        EXPECT_EQ(window.StatusPanels[static_cast<size_t>(i)]->parent(), window.StatusBar);

    // A menu-bar item runs its pop-up twin (the launcher choosing nothing).
    test::DialogScript dialogs;
    const ShellLink shell = Shell();
    Shell().ChooseConfiguration = [] { return QString(); };
    int spawned = 0;
    QObject::connect(window.puSpawn, &QAction::triggered, [&spawned] { ++spawned; });
    window.SpawnMnu->trigger();
    EXPECT_EQ(spawned, 1);
    Shell() = shell;

    const std::pair<QTimer*, int> timers[] = {{window.Timer1, 10000},
                                              {window.Timer2, 100},
                                              {window.Timer3, 5000},
                                              {window.Timer4, 1000},
                                              {window.lvTimer1, 1000}};
    for (const auto& [timer, interval] : timers)
        EXPECT_EQ(timer->interval(), interval) << timer->objectName().toStdString();
    EXPECT_FALSE(window.Timer3->isActive());
    EXPECT_FALSE(window.Timer4->isActive());
}

TEST(PictureBoxSurface, ImageFollowsTheSizeAlsoWhileHidden)
{
    PictureBox box(QStringLiteral("Box"));
    box.SetBackColor(QColor(1, 2, 3));
    box.Clear();
    box.Image().setPixel(0, 0, qRgb(9, 9, 9));
    box.resize(300, 200); // hidden: the resize event waits for the show
    EXPECT_EQ(box.Image().size(), QSize(300, 200));
    EXPECT_EQ(box.Image().pixel(0, 0), qRgb(9, 9, 9));
    EXPECT_EQ(box.Image().pixel(299, 199), qRgb(1, 2, 3));
}
