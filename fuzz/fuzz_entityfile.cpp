// The entity file reader on arbitrary bytes: a file is taken whole or
// refused whole, never past the table, and what it takes writes back to the
// same bytes.
#include "core/SharedState.h"
#include "tools/EntityFile.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const zor::EntityFileRead read = zor::ReadEntityFile(bytes);
    if (!read.Ok()) {
        if (!read.Entities.empty())
            std::abort();
        return 0;
    }
    const auto count = static_cast<int>(read.Entities.size());
    if (count > zor::EntitySlots || zor::EntityFileBytes(read.Entities.data(), count) != bytes)
        std::abort();
    return 0;
}
