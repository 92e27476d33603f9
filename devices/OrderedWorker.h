#pragma once

#include <QMutex>
#include <QWaitCondition>
#include <chrono>
#include <deque>
#include <functional>

class QThread;

namespace zor {

// One thread of its own that runs the work it is given, one piece after the
// other in the order given, so a call that waits on another program never
// holds up the window. The thread lives as long as the program: a piece still
// running when the program ends cannot hold up its exit.
class OrderedWorker {
public:
    OrderedWorker();
    OrderedWorker(const OrderedWorker&) = delete;
    OrderedWorker& operator=(const OrderedWorker&) = delete;

    void Post(std::function<void()> work);
    // True once every piece given so far has run; false when `limit` passed
    // first.
    bool WaitUntilDone(std::chrono::milliseconds limit);

private:
    void RunPieces();

    QMutex mutex_;
    QWaitCondition changed_;
    std::deque<std::function<void()>> pieces_;
    bool running_ = false;
    QThread* thread_ = nullptr;
};

// Runs `answer` on the application's thread in a later event.
void AnswerOnApplicationThread(std::function<void()> answer);

} // namespace zor
