#pragma once

#include <QString>
#include <atomic>
#include <thread>

namespace zor::test {

// A named pipe that notes whether anything opened it for reading. Such a
// reader would wait for a writer without end; the watch opens the writing end
// whenever a reader waits and closes it at once, so the reader sees an empty
// file and goes on.
class PipeReaderWatch {
public:
    // Makes the pipe at path; Made() says whether that worked.
    explicit PipeReaderWatch(const QString& path);
    ~PipeReaderWatch();
    PipeReaderWatch(const PipeReaderWatch&) = delete;
    PipeReaderWatch& operator=(const PipeReaderWatch&) = delete;

    bool Made() const { return made_; }
    bool ReaderCame() const { return readerCame_; }

private:
    bool made_ = false;
    std::atomic<bool> stop_ = false;
    std::atomic<bool> readerCame_ = false;
    std::thread writer_;
};

} // namespace zor::test
