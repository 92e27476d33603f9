// What the session window's menus, pop-up, toolbar and timers do.
#include "session/fConnection.h"

#include "core/Colors.h"
#include "core/Dialogs.h"
#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/WindowUtils.h"
#include "session/BusyAnimation.h"
#include "session/ScreenPrint.h"
#include "session/ShellLink.h"
#include "settings/AdminPassword.h"
#include "settings/ConfigFile.h"
#include "settings/Properties.h"
#include "tools/fHelpAbout.h"
#include "tools/fPrintType.h"

#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextCursor>
#include <QTime>

namespace zor {

namespace {

const QString SaveAsTitle = QStringLiteral("Save As");

} // namespace

void fConnection::Timer1_Timer()
{
    // Hours and minutes in every locale.
    StatusPanels[StatusPanelCount]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
}

void fConnection::Timer2_Timer()
{
    AdvanceBusyAnimation(*lWorking, AnimFrame);
}

void fConnection::puSpawn_Click()
{
    const QString remembered = ConfigFile;
    const QString chosen = Shell().ChooseConfiguration();
    ConfigFile = remembered;
    if (IsBlank(chosen))
        return;
    // One argument and no shell: a name with blanks, quotes or ";" stays one
    // name. The new process inherits ZOR_HOME and so the program folder.
    if (!Shell().StartProgram(QCoreApplication::applicationFilePath(), {chosen}))
        Dialogs::MsgBox(QStringLiteral("Unable to start a new session with ") + chosen, Dialogs::Critical,
                        QStringLiteral("ERROR"));
}

void fConnection::puSave_Click()
{
    Properties::instance().SaveINI();
}

void fConnection::puSaveAs_Click()
{
    const QString typed = Dialogs::InputBox(QStringLiteral("Enter the name of the new configuration:"), SaveAsTitle);
    if (typed.isEmpty())
        return;
    const ConfigName name = ConfigNameRule(typed);
    if (name.file.isEmpty()) {
        Dialogs::MsgBox(name.refusal, Dialogs::Exclamation, SaveAsTitle);
        return;
    }
    if (QFile::exists(ProgramFile(name.file)) &&
        Dialogs::MsgBox(QStringLiteral("This configuration file already exists.  Overwrite?"),
                        Dialogs::YesNo + Dialogs::Question, SaveAsTitle) != Dialogs::Yes)
        return;
    const QString previous = ConfigFile;
    ConfigFile = name.file;
    // SaveINI has told the user what failed; the session goes on under the
    // name its file still has.
    if (!Properties::instance().SaveINI())
        ConfigFile = previous;
}

void fConnection::puPrint_Click()
{
    const fPrintType::Choice choice = fPrintType::instance().Choose();
    if (choice == fPrintType::NoPrint)
        return;
    QPrinter printer;
    if (!Dialogs::ChoosePrinter(printer))
        return;
    const bool printed =
        choice == fPrintType::ScreenShot ? PrintScreenShot(printer, ClientArea->grab()) : PrintScreenText(printer);
    if (!printed)
        Dialogs::MsgBox(QStringLiteral("Unable to print to ") + printer.printerName(), Dialogs::Critical,
                        QStringLiteral("Printer Error"));
}

void fConnection::PrintFromToolbar()
{
    // The open editor and input box stay out of the picture.
    const bool editorShown = IsVisible(*MVPic);
    const bool inputShown = IsVisible(*INTextPic);
    MVPic->hide();
    INTextPic->hide();
    puPrint_Click();
    MVPic->setVisible(editorShown);
    INTextPic->setVisible(inputShown);
}

void fConnection::puReportViewer_Click()
{
    Shell().ShowReportViewer();
}

void fConnection::puProperties_Click()
{
    if (AskAdminPassword())
        Properties::instance().exec();
}

void fConnection::mnuRefresh_Click()
{
    DrawEntities();
}

void fConnection::HelpContents_Click()
{
    const QString path = ProgramFile(QStringLiteral("userg2.html"));
    if (!QFile::exists(path) || !Shell().OpenDocument(path))
        Dialogs::MsgBox(QStringLiteral("Unable to open the help file ") + path, Dialogs::Exclamation,
                        QStringLiteral("Help"));
}

void fConnection::HelpSearch_Click()
{
    Shell().ShowTips();
}

void fConnection::HelpAbout_Click()
{
    fHelpAbout about(this);
    about.exec();
}

void fConnection::showConsole()
{
    if (IsVisible(*Console)) {
        Console->hide();
        return;
    }
    if (!AskAdminPassword())
        return;
    Console->show();
    Console->raise();
    if (ConsoleText->Length() == 0) {
        AppendConsole(*ConsoleText, QStringLiteral("ZOR Suite ") + VersionNumber() + QStringLiteral(" Console"));
        AppendConsole(*ConsoleText, QString());
    }
    ConsoleText->setFocus();
    QTextCursor caret = ConsoleText->textCursor();
    caret.movePosition(QTextCursor::End);
    ConsoleText->setTextCursor(caret);
}

void fConnection::OpenPinnedTenKey()
{
    RestoreTenKeyDesign();
    cbTenKey[12]->setText(QStringLiteral("E\nn\nt\ne\nr"));
    cbTenKey[10]->setText(QStringLiteral(".\n "));
    QPalette palette = tbTenKey->palette();
    palette.setColor(QPalette::Base, ToQColor(InputBackColor));
    tbTenKey->setPalette(palette);
    frTenKey->show();
    frTenKey->raise();
    TenKeyPinned = 1;
}

} // namespace zor
