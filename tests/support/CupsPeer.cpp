#include "tests/support/CupsPeer.h"

#include "core/SharedState.h"
#include "devices/CupsRawPrinter.h"
#include "devices/ModPrinter.h"
#include "tests/support/Loopback.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <cups/cups.h>

namespace zor::test {

namespace {

// The server libcups used before a scope pointed it elsewhere.
QByteArray CurrentServer()
{
    return QByteArray(cupsServer());
}

} // namespace

CupsPeer::CupsPeer()
{
    const QString root = dir_.path();
    // The backends run as another user and read the spooled files.
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadOther | QFileDevice::ExeOther);
    for (const char* sub : {"etc", "spool", "cache", "state", "tmp", "log"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    port_ = FreePort();
    // Everyone may do everything: lpadmin needs no password on loopback.
    WriteFileBytes(root + QStringLiteral("/etc/cupsd.conf"),
                   QStringLiteral("Listen 127.0.0.1:%1\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                                  "LogLevel warn\n<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                                  "<Location /admin>\nOrder allow,deny\nAllow all\n</Location>\n"
                                  "<Policy default>\n<Limit All>\nOrder deny,allow\nAllow all\n</Limit>\n</Policy>\n")
                       .arg(port_)
                       .toLatin1());
    WriteFileBytes(root + QStringLiteral("/printcap"), {});
    WriteFileBytes(root + QStringLiteral("/etc/cups-files.conf"),
                   QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                                  "TempDir %1/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                  "PageLog %1/log/page_log\nPrintcap %1/printcap\nFileDevice Yes\n")
                       .arg(root)
                       .toLatin1());
    cupsd_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                 {QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/etc/cupsd.conf"),
                  QStringLiteral("-s"), root + QStringLiteral("/etc/cups-files.conf")});
    ready_ = cupsd_.waitForStarted(5000) && WaitForListener(port_);
    previousServer_ = CurrentServer();
    cupsSetServer(server().toLatin1().constData());
    previousPrinter_ = InstallRawPrinter(std::make_unique<CupsRawPrinter>());
}

CupsPeer::~CupsPeer()
{
    Resume();
    for (auto& [name, listener] : listeners_)
        StopProcess(*listener);
    StopProcess(cupsd_);
    cupsSetServer(previousServer_.isEmpty() ? nullptr : previousServer_.constData());
    InstallRawPrinter(std::move(previousPrinter_));
}

void CupsPeer::Stall()
{
    if (cupsd_.processId() > 0)
        ::kill(static_cast<pid_t>(cupsd_.processId()), SIGSTOP);
}

void CupsPeer::Resume()
{
    if (cupsd_.processId() > 0)
        ::kill(static_cast<pid_t>(cupsd_.processId()), SIGCONT);
}

bool CupsPeer::AddQueue(const QString& name)
{
    const quint16 devicePort = FreePort();
    auto listener = std::make_unique<QProcess>();
    listener->start(QStringLiteral("socat"),
                    {QStringLiteral("-u"),
                     QStringLiteral("TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr,fork").arg(devicePort),
                     QStringLiteral("OPEN:%1,creat,append").arg(dir_.filePath(name + QStringLiteral(".bin")))});
    if (!listener->waitForStarted(5000) || !WaitForListener(devicePort))
        return false;
    listeners_[name] = std::move(listener);
    QProcess lpadmin;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), server());
    lpadmin.setProcessEnvironment(environment);
    lpadmin.start(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                              QStringLiteral("socket://127.0.0.1:%1").arg(devicePort)});
    return lpadmin.waitForFinished(20000) && lpadmin.exitStatus() == QProcess::NormalExit && lpadmin.exitCode() == 0;
}

QByteArray CupsPeer::Received(const QString& queue) const
{
    QFile file(dir_.filePath(queue + QStringLiteral(".bin")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool CupsPeer::WaitForBytes(const QString& queue, qsizetype count, int timeoutMs) const
{
    return WaitUntil([&] { return Received(queue).size() >= count; }, timeoutMs);
}

QList<CupsJob> CupsPeer::Jobs(const QString& queue) const
{
    cups_job_t* jobs = nullptr;
    const QByteArray name = queue.toUtf8();
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.isEmpty() ? nullptr : name.constData(), 0, CUPS_WHICHJOBS_ALL);
    QList<CupsJob> list;
    for (int i = 0; i < count; ++i)
        list.append({jobs[i].id, QString::fromUtf8(jobs[i].title), static_cast<int>(jobs[i].state)});
    cupsFreeJobs(count, jobs);
    std::sort(list.begin(), list.end(), [](const CupsJob& a, const CupsJob& b) { return a.Id < b.Id; });
    return list;
}

NoCupsScope::NoCupsScope() : previousServer_(CurrentServer())
{
    cupsSetServer(QStringLiteral("127.0.0.1:%1").arg(FreePort()).toLatin1().constData());
}

NoCupsScope::~NoCupsScope()
{
    cupsSetServer(previousServer_.isEmpty() ? nullptr : previousServer_.constData());
}

bool WaitForServerPrinters(int timeoutMs)
{
    return WaitUntil([] { return InstalledPrintersKnown; }, timeoutMs);
}

bool LoadPrintersFromServer(int timeoutMs)
{
    InstalledPrintersKnown = false;
    LoadPrinters();
    return WaitForServerPrinters(timeoutMs);
}

PrintServerWaitScope::PrintServerWaitScope(std::chrono::milliseconds wait) : previous_(PrintServerWait)
{
    PrintServerWait = wait;
}

PrintServerWaitScope::~PrintServerWaitScope()
{
    PrintServerWait = previous_;
}

} // namespace zor::test
