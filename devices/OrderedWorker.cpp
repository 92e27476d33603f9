#include "devices/OrderedWorker.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace zor {

OrderedWorker::OrderedWorker()
{
    thread_ = QThread::create([this] { RunPieces(); });
    thread_->setObjectName(QStringLiteral("OrderedWorker"));
    thread_->start();
}

void OrderedWorker::Post(std::function<void()> work)
{
    const QMutexLocker lock(&mutex_);
    pieces_.push_back(std::move(work));
    changed_.wakeAll();
}

bool OrderedWorker::WaitUntilDone(std::chrono::milliseconds limit)
{
    const QDeadlineTimer deadline(limit);
    QMutexLocker lock(&mutex_);
    while (!pieces_.empty() || running_) {
        if (!changed_.wait(&mutex_, deadline))
            return pieces_.empty() && !running_;
    }
    return true;
}

void OrderedWorker::RunPieces()
{
    QMutexLocker lock(&mutex_);
    for (;;) {
        while (pieces_.empty())
            changed_.wait(&mutex_);
        std::function<void()> piece = std::move(pieces_.front());
        pieces_.pop_front();
        running_ = true;
        lock.unlock();
        piece();
        lock.relock();
        running_ = false;
        changed_.wakeAll();
    }
}

void AnswerOnApplicationThread(std::function<void()> answer)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    QMetaObject::invokeMethod(application, std::move(answer), Qt::QueuedConnection);
}

} // namespace zor
