#pragma once

#include "core/Dialogs.h"
#include "tests/support/QtPrinters.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <deque>
#include <functional>

class QWidget;

namespace zor::test {

// A fresh program folder (ZOR_HOME) for one test, removed afterwards.
class ProgramFolderScope {
public:
    ProgramFolderScope();
    ~ProgramFolderScope();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
    QByteArray previous_;
    bool hadPrevious_;
};

// Records every write to the host channel, in order, and marks the channel
// connected while it lives.
class SentRecorder {
public:
    SentRecorder();
    ~SentRecorder();
    QStringList sent;
    QString joined() const { return sent.join(QString()); }

private:
    std::function<void(const QString&)> previous_; // the session window's Send
};

// Answers message, input and file boxes from a queue and records what was
// asked. An empty queue answers OK / an empty text.
class DialogScript {
public:
    DialogScript();
    ~DialogScript();
    void answer(const QVariant& value) { answers_.push_back(value); }
    QList<Dialogs::Request> asked;

private:
    std::deque<QVariant> answers_;
};

// Acts on the next modal window once it shows: its exec() holds the test's
// call until then.
void WhenModal(std::function<void(QWidget&)> act);

// Writes an image into the test output folder, for a person to look at.
QString SaveTestOutput(const QString& name, const class QImage& image);

} // namespace zor::test
