// Opening and closing the line to the host, and leaving the program.
#include "session/fConnection.h"

#include "core/Dialogs.h"
#include "core/Rounding.h"
#include "core/ScreenPointer.h"
#include "core/Text.h"
#include "core/Trace.h"
#include "core/WindowUtils.h"
#include "devices/DirectPrinter.h"
#include "session/AutoReplies.h"
#include "session/KeyboardHandler.h"
#include "session/WindowChange.h"
#include "session/fDisconnect.h"
#include "settings/Properties.h"
#include "settings/fLogin.h"
#include "tools/fJump.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>
#include <limits>

namespace zor {

namespace {

const QString CloseQuestion =
    QStringLiteral("You are currently connected to the server.  Are you sure you wish to close the connection?");

struct StateRow {
    const char* name;
    bool open;
    bool connected;
};

// The channel's states by code: name, channel open, connected.
constexpr StateRow States[] = {
    {"Closed", false, false},      {"Opening", false, false}, {"Open", true, false},
    {"Connecting", true, false},   {"Connected", true, true}, {"Disconnecting", true, false},
    {"Disconnected", true, false}, {"Closing", false, false}, {"Resetting", false, false},
    {"Answering", false, false},
};

// The port box as a 32-bit number: text that is no number, or one beyond
// the range, fails as the conversion would.
qint32 PortNumber(const QString& text)
{
    bool ok = false;
    const double value = Trim(text).toDouble(&ok);
    if (!ok)
        throw ChannelError(13, QStringLiteral("Type mismatch"));
    if (value < std::numeric_limits<qint32>::min() - 0.5 || value >= std::numeric_limits<qint32>::max() + 0.5)
        throw ChannelError(6, QStringLiteral("Overflow"));
    return static_cast<qint32>(RoundHalfEven(value));
}

bool IsConfigured(const QString& host)
{
    return !host.isEmpty() && host.front() != QChar(0);
}

} // namespace

void fConnection::WireConnection()
{
    connect(mChannel, &HostChannel::CommState, this, &fConnection::mChannel_CommState);
    // The channel has told the user why; waiting on for the time-out would
    // only add a second, vaguer message.
    connect(mChannel, &HostChannel::FailureShown, Timer3, &QTimer::stop);
    connect(Timer3, &QTimer::timeout, this, &fConnection::Timer3_Timer);
    ReplyLink().CloseConnection = [this] { CloseConnection(); };
    ReplyLink().LogonFailed = [this] { LogonRefused(); };
}

int fConnection::GetChannelProtocol() const
{
    return Properties::instance().cbSecureConnection->isChecked() ? HostChannel::Secure : HostChannel::Telnet;
}

void fConnection::puConnect_Click()
{
    // The wait below lets events run; a second click meanwhile is the same
    // request.
    if (Connected || mConnecting)
        return;
    const QString host = Trim(Settings.HostName);
    if (!IsConfigured(host)) {
        Dialogs::MsgBox(QStringLiteral("You must first fill out the connection information."),
                        Dialogs::OKOnly + Dialogs::Critical, QStringLiteral("ERROR"));
        Properties::instance().exec();
        return;
    }
    fLogin& login = fLogin::instance();
    login.Text1->setText(Trim(LastUser));
    login.Text1->selectAll();
    LoginCancelled = VbFalse;
    SetScreenPointer(ScreenPointer::Default);
    login.exec();
    if (LoginCancelled)
        return;
    login.setWindowTitle(QStringLiteral("Log On"));
    // The new log-on's host sends its own menu.
    fJump::instance().Unload();

    AppendConsole(*ConsoleText, QStringLiteral("Attempting to connect to '") + Trim(HostDescription) +
                                    QStringLiteral("' at ") + host + QStringLiteral(" on port ") +
                                    QString::number(Settings.Port) + QStringLiteral("..."));
    SetScreenPointer(ScreenPointer::Hourglass);
    socket_Connect();
    Timer3->start();

    mConnecting = true;
    while (Timer3->isActive()) {
        if (Connected)
            Timer3->stop();
        SetScreenPointer(ScreenPointer::Hourglass);
        // Sleeps until the next event: the channel's, a timer's or the user's.
        if (Timer3->isActive())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    mConnecting = false;

    SetScreenPointer(ScreenPointer::Default);
    if (Connected) {
        Timer3->stop();
        SetConnectedItems(true);
        UseCustomPointer(*MainPic);
        PaintBackdrop();
    }
}

void fConnection::Timer3_Timer()
{
    SetScreenPointer(ScreenPointer::Default);
    // A user reading the host's key fingerprint is not a connection that
    // failed; the time-out starts again.
    if (mChannel->AwaitingUser())
        return;
    // Stopped before the box, which lets events run: the timer must not
    // fire again behind it.
    Timer3->stop();
    // The attempt is given up before the box too: one completing behind it,
    // or later, would be a session nobody waits for, on a channel that
    // refuses the next Log On.
    if (!Connected)
        mChannel->Close(0);
    Dialogs::MsgBox(QStringLiteral("Unable to connect to ") + Trim(Settings.HostName) +
                        QStringLiteral("\r\nThe port specified may be invalid or it\r\n"
                                       "may be in use by another application."),
                    Dialogs::OKOnly + Dialogs::Exclamation, QStringLiteral("Connect Failed"));
}

void fConnection::socket_Connect()
{
    try {
        const int protocol = GetChannelProtocol();
        mChannel->SetProtocol(protocol, QString());
        Properties& settings = Properties::instance();
        mChannel->Host = Trim(settings.PropText[0]->text());
        mChannel->Port = PortNumber(settings.PropText[1]->text());
        mChannel->TerminalType = QStringLiteral("vt220");
        mChannel->UserName = fLogin::instance().Text1->text();
        mChannel->Password = fLogin::instance().Text2->text();
        mChannel->Open(mChannel->Host, 0);
        CommStatusText =
            (protocol == HostChannel::Secure ? QStringLiteral("Secure -> ") : QStringLiteral("Telnet -> ")) +
            mChannel->Host;
        UpdateMainCaption(*this);
    } catch (const ChannelError& error) {
        Dialogs::MsgBox(ChannelErrorText(QStringLiteral("Connect Error: "), error));
    }
}

void fConnection::mChannel_CommState(int state)
{
    Connected = false;
    ChannelOpen = false;
    if (state >= 0 && state < static_cast<int>(std::size(States))) {
        const StateRow& row = States[state];
        CommStateText = QLatin1String(row.name);
        ChannelOpen = row.open;
        Connected = row.connected;
    } else {
        CommStateText = QStringLiteral("Unknown state");
    }
    WriteTrace(QStringLiteral("COMMSTATE"), CommStateText);
    // Whatever of the last session's text waits is dropped when its channel
    // closes and again when a new one opens: it is never handled as the
    // next session's, nor answered on its connection.
    if (state == static_cast<int>(ChannelState::Closed) || state == static_cast<int>(ChannelState::Opening))
        Receiver->Reset();
    // A local close never passes through Disconnected: the caption forgets
    // the host once the channel is closed too.
    if (state == static_cast<int>(ChannelState::Closed) || state == static_cast<int>(ChannelState::Disconnected)) {
        CommStatusText.clear();
        UpdateMainCaption(*this);
    }
    if (state != static_cast<int>(ChannelState::Disconnected))
        return;
    if (LogonFailed)
        return;
    // Leaving the program takes effect once control is back in the event
    // loop, so the channel is closed here in both cases.
    if (Properties::instance().cbExitMode->isChecked())
        exitmnu_Click();
    else
        fDisconnect::instance().show();
    puDisconnect_Click();
}

void fConnection::SetConnectedItems(bool connected)
{
    ToolbarButton(QStringLiteral("connect"))->setEnabled(!connected);
    puConnect->setEnabled(!connected);
    connectmnu->setEnabled(!connected);
    ToolbarButton(QStringLiteral("disconnect"))->setEnabled(connected);
    puDisconnect->setEnabled(connected);
    disconnectmnu->setEnabled(connected);
}

void fConnection::ClearToBackdrop()
{
    QPainter painter(&Work);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, BackDrop);
}

void fConnection::HideSessionPanels()
{
    for (QWidget* panel :
         {static_cast<QWidget*>(MsgPic), static_cast<QWidget*>(ProcPic), static_cast<QWidget*>(ParmFrame),
          static_cast<QWidget*>(ProgBarPic), static_cast<QWidget*>(ListPic), static_cast<QWidget*>(lvMainPic)})
        panel->hide();
}

// The connect items back, and the backdrop with the screen cleared and the
// given closing unit run.
void fConnection::ShowDisconnectedScreen(const QString& closingUnit)
{
    SetConnectedItems(false);
    ClearToBackdrop();
    MainPic->Refresh();
    Process(QStringLiteral("cs"));
    Process(closingUnit);
    DrawEntities();
    UseDefaultPointer(*MainPic);
}

void fConnection::puDisconnect_Click()
{
    if (Connected) {
        if (Dialogs::MsgBox(CloseQuestion, Dialogs::YesNo + Dialogs::Information, QStringLiteral("Close")) ==
            Dialogs::No)
            return;
        if (Connected)
            mChannel->Disconnect(0);
    }
    if (ChannelOpen)
        mChannel->Close(0);
    EndReportCapture();
    ProcMode = false;
    ComMode = false;
    ShowDisconnectedScreen(QStringLiteral("lv^-1"));
    HideSessionPanels();
    if (ShadowOn)
        Shadow->hide();
}

void fConnection::CloseConnection()
{
    if (!Connected)
        return;
    mChannel->Disconnect(0);
    mChannel->Close(0);
    EndReportCapture();
    ProcMode = false;
    ShowDisconnectedScreen(QStringLiteral("sm^^"));
    DataList->clear();
    HideSessionPanels();
    ComMode = false;
}

void fConnection::LogonRefused()
{
    LogonFailed = VbTrue;
    ReportMode = false;
    ProcMode = false;
    ComMode = false;
    SetConnectedItems(false);
    ClearToBackdrop();
    if (Connected)
        mChannel->Disconnect(0);
    if (ChannelOpen)
        mChannel->Close(0);
    fLogin::instance().setWindowTitle(QStringLiteral("Incorrect Log On - Try Again!"));
    puConnect_Click();
}

bool fConnection::exitmnu_Click()
{
    if (Connected) {
        if (Dialogs::MsgBox(CloseQuestion, Dialogs::YesNo + Dialogs::Information, QStringLiteral("Close")) ==
            Dialogs::No)
            return false;
        mChannel->Disconnect(0);
        mChannel->Close(0);
    }
    if (SendFunKeys != 0 || KioskMode != 0) {
        // The keyboard is given back before the window goes.
        RemoveKeyboardHook();
        UnsubclassWindow();
    }
    hide();
    EndReportCapture();
    CloseComPort();
    QCoreApplication::exit(0);
    return true;
}

void fConnection::closeEvent(QCloseEvent* event)
{
    if (exitmnu_Click())
        event->accept();
    else
        event->ignore();
}

} // namespace zor
