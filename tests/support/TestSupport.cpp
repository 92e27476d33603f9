#include "tests/support/TestSupport.h"

#include "core/SessionLink.h"
#include "core/SharedState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTimer>

namespace zor::test {

ProgramFolderScope::ProgramFolderScope()
    : previous_(qgetenv("ZOR_HOME")), hadPrevious_(qEnvironmentVariableIsSet("ZOR_HOME"))
{
    qputenv("ZOR_HOME", dir_.path().toLocal8Bit());
}

ProgramFolderScope::~ProgramFolderScope()
{
    if (hadPrevious_)
        qputenv("ZOR_HOME", previous_);
    else
        qunsetenv("ZOR_HOME");
}

void ProgramFolderScope::write(const QString& name, const QByteArray& bytes) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray ProgramFolderScope::read(const QString& name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

SentRecorder::SentRecorder() : previous_(Link().Send)
{
    Connected = true;
    Link().Send = [this](const QString& text) { sent << text; };
}

SentRecorder::~SentRecorder()
{
    Link().Send = previous_;
    Connected = false;
}

DialogScript::DialogScript()
{
    Dialogs::SetAnswerer([this](const Dialogs::Request& request) -> QVariant {
        asked << request;
        if (!answers_.empty()) {
            QVariant value = answers_.front();
            answers_.pop_front();
            return value;
        }
        if (request.kind == Dialogs::Request::MessageBox)
            return int(Dialogs::OK);
        return QString();
    });
}

DialogScript::~DialogScript()
{
    Dialogs::ClearAnswerer();
}

QString SaveTestOutput(const QString& name, const QImage& image)
{
    const QString folder = QStringLiteral(ZOR_TEST_OUTPUT_DIR);
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name;
    image.save(path);
    return path;
}

void WhenModal(std::function<void(QWidget&)> act)
{
    auto* timer = new QTimer();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(*modal);
        }
    });
    timer->start();
}

} // namespace zor::test
