// Arbitrary host text through the read buffer and the cutting into units,
// with pauses, pass-through and an automatic reply that matches some texts.
#include "core/SharedState.h"
#include "session/ReceivePipeline.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    zor::Connected = true;
    zor::ComMode = false;
    zor::ReceivePipeline pipeline;
    qint64 now = 1000;
    QString pending;
    qsizetype unitBytes = 0;
    auto& hooks = pipeline.hooks;
    hooks.Now = [&] { return now; };
    hooks.Read = [&] { return std::exchange(pending, QString()); };
    hooks.ProcessScript = [](QString& text) { return text.contains(QLatin1String("ogin:")); };
    hooks.Process = [&](const QString& unit) {
        unitBytes += unit.size();
        if (unit == QLatin1String("cp"))
            zor::ComMode = true;
    };
    hooks.ComPortOut = [&](const QString& text) { unitBytes += text.size(); };

    size_t at = 0;
    while (at < size) {
        const uint8_t control = data[at++];
        const size_t length = control % 32;
        const size_t take = length < size - at ? length : size - at;
        pending += QString::fromLatin1(reinterpret_cast<const char*>(data + at), static_cast<qsizetype>(take));
        at += take;
        if (control & 0x80)
            now += zor::ReceivePipeline::ReleaseAfterMs + 1;
        pipeline.DataReady();
    }
    // Everything handed on was at most what came in, plus the ESC added to
    // every chunk.
    if (unitBytes > static_cast<qsizetype>(size) * 2 + 1)
        __builtin_trap();
    zor::Connected = false;
    zor::ComMode = false;
    return 0;
}
