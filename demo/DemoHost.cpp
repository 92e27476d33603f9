#include "demo/DemoHost.h"

#include "demo/DemoScreens.h"

#include <QTcpSocket>

namespace demo {

namespace {

enum : unsigned char { SE = 240, SB = 250, WILL = 251, WONT = 252, DO = 253, DONT = 254, IAC = 255 };
enum : unsigned char { ECHO_ = 1, SGA = 3, TTYPE = 24 };
enum : unsigned char { TtypeIs = 0, TtypeSend = 1 };

QByteArray Bytes(std::initializer_list<unsigned char> codes)
{
    QByteArray bytes;
    for (const unsigned char code : codes)
        bytes.append(static_cast<char>(code));
    return bytes;
}

} // namespace

DemoHost::DemoHost(Credentials credentials, QTextStream& out) : credentials_(std::move(credentials)), out_(out)
{
    connect(&server_, &QTcpServer::newConnection, this, &DemoHost::Accept);
}

bool DemoHost::Listen(quint16 port)
{
    return server_.listen(QHostAddress::LocalHost, port);
}

void DemoHost::Accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection())
        new DemoSession(socket, credentials_, out_);
}

DemoSession::DemoSession(QTcpSocket* socket, const Credentials& credentials, QTextStream& out)
    : QObject(socket), socket_(socket), credentials_(credentials), out_(out)
{
    connect(socket_, &QTcpSocket::readyRead, this, &DemoSession::OnReadyRead);
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        Report(QStringLiteral("CLOSED"));
        socket_->deleteLater();
    });
    socket_->write(Bytes({IAC, WILL, ECHO_, IAC, WILL, SGA, IAC, DO, TTYPE}));
    socket_->write(LoginPrompt());
}

void DemoSession::Report(const QString& line)
{
    out_ << line << Qt::endl;
}

void DemoSession::OnReadyRead()
{
    Filter(socket_->readAll());
}

void DemoSession::Filter(const QByteArray& bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (telnet_) {
        case Telnet::Data:
            if (byte == IAC) {
                telnet_ = Telnet::Iac;
            } else if (afterCr_ && (c == '\n' || c == '\0')) {
                afterCr_ = false;
            } else if (c == '\r' || c == '\n') {
                afterCr_ = c == '\r';
                OnLine(std::exchange(line_, QByteArray()));
            } else {
                afterCr_ = false;
                line_ += c;
            }
            break;
        case Telnet::Iac:
            if (byte == IAC) {
                line_ += c;
                telnet_ = Telnet::Data;
            } else if (byte == SB) {
                sub_.clear();
                telnet_ = Telnet::Sub;
            } else if (byte >= WILL) {
                command_ = byte;
                telnet_ = Telnet::Option;
            } else {
                telnet_ = Telnet::Data;
            }
            break;
        case Telnet::Option:
            OnCommand(command_, byte);
            telnet_ = Telnet::Data;
            break;
        case Telnet::Sub:
            if (byte == IAC)
                telnet_ = Telnet::SubIac;
            else
                sub_ += c;
            break;
        case Telnet::SubIac:
            if (byte == SE) {
                if (sub_.size() > 1 && static_cast<unsigned char>(sub_[0]) == TTYPE && sub_[1] == TtypeIs)
                    Report(QStringLiteral("TERMINAL ") + QString::fromLatin1(sub_.mid(2)));
                telnet_ = Telnet::Data;
            } else {
                sub_ += c;
                telnet_ = Telnet::Sub;
            }
            break;
        }
    }
}

void DemoSession::OnCommand(unsigned char command, unsigned char option)
{
    if (command == WILL && option == TTYPE)
        socket_->write(Bytes({IAC, SB, TTYPE, TtypeSend, IAC, SE}));
}

void DemoSession::OnLine(const QByteArray& line)
{
    switch (step_) {
    case Step::User:
        user_ = line;
        socket_->write(PasswordPrompt());
        step_ = Step::Password;
        break;
    case Step::Password:
        if (user_ == credentials_.user && line == credentials_.password) {
            Report(QStringLiteral("LOGON ") + QString::fromLatin1(user_));
            step_ = Step::Screen;
            socket_->write(MenuTree());
            socket_->write(EnquiryScreen(QByteArray()));
            break;
        }
        Report(QStringLiteral("REFUSED ") + QString::fromLatin1(user_));
        socket_->write(LoginIncorrect());
        if (++failures_ >= 3) {
            socket_->disconnectFromHost();
            break;
        }
        socket_->write(LoginPrompt());
        step_ = Step::User;
        break;
    case Step::Screen:
        Report(QStringLiteral("GOT ") + QString::fromLatin1(line));
        if (line == LogOffReply) {
            socket_->write(Goodbye());
            socket_->disconnectFromHost();
            break;
        }
        socket_->write(EnquiryScreen(line));
        break;
    }
}

} // namespace demo
