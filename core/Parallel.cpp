#include "core/Parallel.h"

#include <QSemaphore>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <memory>

namespace zor {

namespace {

// Threads of their own, so that drawing never waits behind other work of the
// application's pool.
QThreadPool& Helpers()
{
    static QThreadPool pool;
    return pool;
}

// Shared with the helpers, which may wake after every job has been taken:
// they then find nothing left and touch nothing of the caller's.
struct Progress {
    const std::function<void(int)>* job = nullptr;
    int count = 0;
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    QSemaphore finished;
};

void TakeJobs(Progress& progress)
{
    for (int i = progress.next++; i < progress.count; i = progress.next++) {
        (*progress.job)(i);
        if (++progress.done == progress.count)
            progress.finished.release();
    }
}

} // namespace

void RunSpread(int count, const std::function<void(int)>& job)
{
    if (count <= 0)
        return;
    auto progress = std::make_shared<Progress>();
    progress->job = &job;
    progress->count = count;
    QThreadPool& pool = Helpers();
    const int helpers = std::min(count, pool.maxThreadCount()) - 1;
    for (int i = 0; i < helpers && pool.tryStart([progress] { TakeJobs(*progress); }); ++i) {
    }
    TakeJobs(*progress);
    // Only for the jobs the helpers took, not for helpers still waking up.
    progress->finished.acquire();
}

} // namespace zor
