#include "tests/x11/Desktop.h"

#include "tests/support/Loopback.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <xcb/xcb.h>

#include <csignal>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zor::test {

namespace {

constexpr int StartLimitMs = 10000;

QString& FailureText()
{
    static QString text = QStringLiteral("Xvfb was not started");
    return text;
}

// The display number Xvfb writes once it accepts clients, or empty.
QString ReadDisplayNumber(int fd)
{
    QByteArray number;
    pollfd ready{fd, POLLIN, 0};
    char c = 0;
    while (poll(&ready, 1, StartLimitMs) == 1 && read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    return c == '\n' ? QString::fromLatin1(number) : QString();
}

} // namespace

XServer::XServer(bool start)
{
    if (!start)
        return;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        FailureText() = QStringLiteral("no pipe for Xvfb");
        return;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        // Ends with the tests however they end.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const QByteArray fd = QByteArray::number(pipeEnds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    if (pid < 0) {
        close(pipeEnds[0]);
        FailureText() = QStringLiteral("no process for Xvfb");
        return;
    }
    const QString number = ReadDisplayNumber(pipeEnds[0]);
    close(pipeEnds[0]);
    if (number.isEmpty()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        FailureText() = QStringLiteral("Xvfb did not start (is it installed? scripts/install-deps.sh installs it)");
        return;
    }
    pid_ = pid;
    display_ = QLatin1Char(':') + number;
}

XServer::~XServer()
{
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

QString XServer::Failure()
{
    return FailureText();
}

bool OnXServer()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(10);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
    return done();
}

bool Xdotool(const QStringList& arguments)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    if (!xdotool.waitForFinished(StartLimitMs)) {
        xdotool.kill();
        xdotool.waitForFinished();
        return false;
    }
    return xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0;
}

bool FocusWindow(QWindow& window)
{
    return Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window.winId())}) &&
           WaitUntil([&] { return QGuiApplication::focusWindow() == &window; });
}

KeyboardHolder::KeyboardHolder() : connection_(xcb_connect(nullptr, nullptr))
{
    if (xcb_connection_has_error(connection_))
        return;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    xcb_grab_keyboard_reply_t* reply = xcb_grab_keyboard_reply(
        connection_,
        xcb_grab_keyboard(connection_, 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), nullptr);
    holds_ = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    free(reply);
}

KeyboardHolder::~KeyboardHolder()
{
    if (holds_) {
        xcb_ungrab_keyboard(connection_, XCB_CURRENT_TIME);
        xcb_flush(connection_);
    }
    xcb_disconnect(connection_);
}

} // namespace zor::test
