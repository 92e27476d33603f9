#pragma once

#include <functional>

namespace zor {

// Runs job(0) .. job(count - 1), each once, spread over the processor's cores,
// and returns when all have run. The calling thread takes part, so the jobs
// run even when no other thread is free. Jobs must not touch the same data.
void RunSpread(int count, const std::function<void(int)>& job);

} // namespace zor
