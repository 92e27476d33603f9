#pragma once

// A CUPS server of the test's own on 127.0.0.1, whose raw queues each end at
// a socat listener that appends what it receives to a file. The program's
// CUPS calls go to it while it lives.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <memory>

namespace zor::test {

struct CupsJob {
    int Id = 0;
    QString Title;
    int State = 0; // ipp_jstate_t
};

class CupsPeer {
public:
    CupsPeer();
    ~CupsPeer();
    bool ready() const { return ready_; }
    QString server() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }

    // A raw queue of this name on its own listener.
    bool AddQueue(const QString& name);
    // What the queue's device has received so far.
    QByteArray Received(const QString& queue) const;
    // Waits until the device has received this many bytes.
    bool WaitForBytes(const QString& queue, qsizetype count, int timeoutMs = 10000) const;
    // Every job the queue has had (every queue for ""), in order, finished
    // ones included.
    QList<CupsJob> Jobs(const QString& queue) const;

private:
    QTemporaryDir dir_;
    QProcess cupsd_;
    std::map<QString, std::unique_ptr<QProcess>> listeners_;
    QByteArray previousServer_;
    quint16 port_ = 0;
    bool ready_ = false;
};

// Points the program's CUPS calls at a server nobody runs, while it lives.
class NoCupsScope {
public:
    NoCupsScope();
    ~NoCupsScope();

private:
    QByteArray previousServer_;
};

} // namespace zor::test
