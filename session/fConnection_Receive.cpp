// The host's text on its way in, and the one raw way out.
#include "session/fConnection.h"

#include "tools/fReport.h"

#include "core/Dialogs.h"
#include "core/ScreenPointer.h"
#include "core/SessionLink.h"
#include "core/Trace.h"
#include "core/WindowUtils.h"
#include "devices/ReceiptOutput.h"
#include "devices/modComm.h"
#include "session/AutoReplies.h"
#include "session/BusyAnimation.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zor {

void fConnection::CreateChannel()
{
    mChannel = new HostChannel(this);
    mChannel->setObjectName(QStringLiteral("mChannel"));
    Receiver = new ReceivePipeline(this);
    connect(mChannel, &HostChannel::DataReady, this, &fConnection::mChannel_DataReady);

    ReceivePipeline::Hooks& hooks = Receiver->hooks;
    hooks.Read = [this] { return mChannel->Read(5000, 5); };
    hooks.MoreToRead = [this] { return mChannel->Unread() > 0; };
    hooks.ProcessScript = [](QString& text) { return Process_Script(text); };
    hooks.ComPortOut = [this](const QString& text) { ComPortOut(text); };
    hooks.CloseComPort = [this] { CloseComPort(); };
    hooks.Beep = [] { QApplication::beep(); };
    hooks.BeforeCut = [this] {
        ShowBusy();
        if (MsgBoxUp) {
            MsgBoxUp = false;
            MsgPic->hide();
        }
    };
    hooks.ConsoleVisible = [this] { return Console->isVisible(); };
    hooks.Console = [this](const QString& unit) { AppendConsole(*ConsoleText, unit); };
    hooks.Process = [this](const QString& unit) { mInterpreter.Process(unit, true); };
    hooks.AfterUnits = [this] {
        mInterpreter.StreamEnds();
        if (ScreenChanged)
            DrawEntities();
        if (Console->isVisible()) {
            ConsoleText->setFocus();
        } else if (InputPending) {
            if (CurPage != 0) {
                lvINTextPic->show();
            } else {
                INTextPic->show();
                if (!ListPic->isVisible() && !MsgPic->isVisible() && !fReport::instance().isVisible())
                    INText->setFocus();
            }
        }
        SetScreenPointer(ScreenPointer::Default);
    };
    hooks.ReadFailed = [](const ChannelError& error) {
        Dialogs::MsgBox(ChannelErrorText(QStringLiteral("Data Read Error: "), error));
    };

    Link().Send = [this](const QString& text) { Send(text); };
    ReplyLink().ShowBusy = [this] { ShowBusy(); };
    WireConnection();
}

void fConnection::ComPortOut(const QString& text)
{
    zor::ComPortOut(text);
}

void fConnection::CloseComPort()
{
    zor::CloseComPort();
}

void fConnection::mChannel_DataReady()
{
    Receiver->DataReady();
}

void fConnection::Socket_Receive(QString& data)
{
    Receiver->Socket_Receive(data);
}

void fConnection::ShowBusy()
{
    AdvanceBusyAnimation(*lWorking, AnimFrame);
    SetScreenPointer(ScreenPointer::Hourglass);
}

void fConnection::Send(const QString& text)
{
    WriteTrace(QStringLiteral("SEND"), text);
    try {
        mChannel->Write(text, 0);
    } catch (const ChannelError& error) {
        Dialogs::MsgBox(ChannelErrorText(QStringLiteral("Data Send Error: "), error));
    }
}

} // namespace zor
