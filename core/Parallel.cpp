#include "core/Parallel.h"

#include <QSemaphore>
#include <QThreadPool>
#include <algorithm>
#include <atomic>

namespace zor {

// Shared with the helpers, which may wake after every job has been taken:
// they then find nothing left and touch nothing of the caller's.
struct Spread::Progress {
    const std::function<void(int)>* job = nullptr;
    int count = 0;
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    QSemaphore finished;
};

namespace {

// Threads of their own, so that drawing never waits behind other work of the
// application's pool.
QThreadPool& Helpers()
{
    static QThreadPool pool;
    return pool;
}

} // namespace

void Spread::TakeJobs(Progress& progress)
{
    for (int i = progress.next++; i < progress.count; i = progress.next++) {
        (*progress.job)(i);
        if (++progress.done == progress.count)
            progress.finished.release();
    }
}

Spread::Spread(int count, std::function<void(int)> job) : job_(std::move(job))
{
    if (count <= 0)
        return;
    progress_ = std::make_shared<Progress>();
    progress_->job = &job_;
    progress_->count = count;
    QThreadPool& pool = Helpers();
    const int helpers = std::min(count, pool.maxThreadCount());
    for (int i = 0; i < helpers && pool.tryStart([progress = progress_] { TakeJobs(*progress); }); ++i) {
    }
}

void Spread::Wait()
{
    if (!progress_)
        return;
    TakeJobs(*progress_);
    // Only for the jobs the helpers took, not for helpers still waking up.
    progress_->finished.acquire();
    progress_.reset();
}

} // namespace zor
