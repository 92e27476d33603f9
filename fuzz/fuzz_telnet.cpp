// Arbitrary bytes from a host through the Telnet layer and the library under
// it, in reads of varying size; and the data back out through Encode.
#include "session/TelnetProtocol.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    zor::TelnetProtocol protocol;
    size_t at = 0;
    while (at < size) {
        // Each read's length comes from the stream itself.
        const size_t length = 1 + data[at] % 64;
        const size_t take = length < size - at ? length : size - at;
        const auto result =
            protocol.Receive(QByteArray(reinterpret_cast<const char*>(data + at), static_cast<qsizetype>(take)));
        const QByteArray wire = protocol.Encode(result.data);
        if (wire.size() < result.data.size())
            __builtin_trap();
        at += take;
    }
    return 0;
}
