#pragma once

#include <QByteArray>
#include <QProcess>
#include <QSerialPort>
#include <QString>
#include <QTemporaryDir>

namespace zor::test {

// Two connected serial ends made by socat: what is written to one can be
// read from the other. A, the end the program opens, is also set as the
// device of port n (ZOR_COMn) while the pair lives.
class PtyPair {
public:
    explicit PtyPair(int portNumber = 1);
    ~PtyPair();
    bool ready() const { return ready_; }
    QString a() const { return dir_.filePath(QStringLiteral("A")); }
    QString b() const { return dir_.filePath(QStringLiteral("B")); }

private:
    QTemporaryDir dir_;
    QProcess socat_;
    QByteArray variable_;
    bool ready_ = false;
};

// The reading end of a pair, opened before the program writes: bytes with
// nobody at the other end are lost.
class PtyReader {
public:
    explicit PtyReader(const QString& device);
    // What has arrived so far, once it is count bytes or the wait is over.
    QByteArray Read(qsizetype count);
    QSerialPort port;
    QByteArray received;
    bool opened = false;
};

} // namespace zor::test
