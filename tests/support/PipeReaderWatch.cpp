#include "tests/support/PipeReaderWatch.h"

#include <QFile>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zor::test {

PipeReaderWatch::PipeReaderWatch(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    made_ = mkfifo(name.constData(), 0600) == 0;
    if (!made_)
        return;
    writer_ = std::thread([this, name] {
        while (!stop_) {
            // Without a reader a non-blocking open for writing fails.
            const int fd = open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                readerCame_ = true;
                close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
}

PipeReaderWatch::~PipeReaderWatch()
{
    stop_ = true;
    if (writer_.joinable())
        writer_.join();
}

} // namespace zor::test
