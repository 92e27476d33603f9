#pragma once

#include <functional>
#include <memory>

namespace zor {

// Jobs job(0) .. job(count - 1), each run once, spread over the processor's
// cores while the caller goes on with other work. Jobs must not touch the
// same data, nor data the caller touches before Wait.
class Spread {
public:
    Spread(int count, std::function<void(int)> job);
    Spread(const Spread&) = delete;
    Spread& operator=(const Spread&) = delete;
    ~Spread() { Wait(); }

    // Returns when every job has run. The caller runs the jobs no other
    // thread has taken yet, so they run even when no other thread is free.
    void Wait();

private:
    struct Progress;
    static void TakeJobs(Progress& progress);

    std::function<void(int)> job_;
    std::shared_ptr<Progress> progress_;
};

// Runs the jobs spread over the cores, the calling thread among them, and
// returns when all have run.
inline void RunSpread(int count, std::function<void(int)> job)
{
    Spread(count, std::move(job)).Wait();
}

} // namespace zor
