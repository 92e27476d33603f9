#include "core/Parallel.h"

#include <QSemaphore>
#include <QThreadPool>
#include <algorithm>
#include <atomic>

namespace zor {

namespace {

// Threads of their own, so that drawing never waits behind other work of the
// application's pool.
QThreadPool& Helpers()
{
    static QThreadPool pool;
    return pool;
}

} // namespace

void RunSpread(int count, const std::function<void(int)>& job)
{
    std::atomic<int> next{0};
    const auto work = [&] {
        for (int i = next++; i < count; i = next++)
            job(i);
    };
    QThreadPool& pool = Helpers();
    const int wanted = std::min(count, pool.maxThreadCount()) - 1;
    QSemaphore finished;
    int started = 0;
    while (started < wanted && pool.tryStart([&] {
        work();
        finished.release();
    }))
        ++started;
    work();
    finished.acquire(started);
}

} // namespace zor
