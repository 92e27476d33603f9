#pragma once

// What the tests' peers on 127.0.0.1 share: waiting, free ports, and the
// helper programs they run.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

namespace zor::test {

// How long a wait for a peer gives up after: generous, for a machine loaded
// with other builds; a wait whose condition holds ends at once.
inline constexpr int WaitLimitMs = 30000;

// Runs the event loop until done() holds or the time is up.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = WaitLimitMs);

// A port nobody listens on (just now).
quint16 FreePort();

// True once something listens on the loopback port.
bool WaitForListener(quint16 port, int timeoutMs = WaitLimitMs);

// Runs a program to its end with the input given; true when it exited 0.
bool RunProgram(const QString& program, const QStringList& arguments, const QByteArray& input = {},
                QByteArray* output = nullptr);

void WriteFileBytes(const QString& path, const QByteArray& bytes, bool executable = false);

// Ends a peer: politely first, then by force.
void StopProcess(QProcess& process);

} // namespace zor::test
