#pragma once

// A CUPS server of the test's own on 127.0.0.1, whose raw queues each end at
// a socat listener that appends what it receives to a file. The program's
// raw printer is the CUPS one, and its calls go to this server, while it
// lives.

#include "devices/RawPrinter.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
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
    // Stops the server as a hung one stands (SIGSTOP): it still takes
    // connections, as the kernel queues them, and answers none. Resume goes on.
    void Stall();
    void Resume();

private:
    QTemporaryDir dir_;
    QProcess cupsd_;
    std::map<QString, std::unique_ptr<QProcess>> listeners_;
    QByteArray previousServer_;
    std::unique_ptr<RawPrinter> previousPrinter_;
    quint16 port_ = 0;
    bool ready_ = false;
};

// Waits until the print server's list of printers has come.
bool WaitForServerPrinters(int timeoutMs = 15000);
// LoadPrinters, then waits until the print server's list has come.
bool LoadPrintersFromServer(int timeoutMs = 15000);

// How long a print-server call may take, while the scope lives.
class PrintServerWaitScope {
public:
    explicit PrintServerWaitScope(std::chrono::milliseconds wait);
    ~PrintServerWaitScope();

private:
    std::chrono::milliseconds previous_;
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
