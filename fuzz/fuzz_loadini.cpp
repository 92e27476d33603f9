// The configuration reader on arbitrary bytes: it must read what it can,
// never read past the data, and leave a state that writes back whole.
#include "settings/ConfigFile.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    zor::ConfigWindowItems window;
    const int items = zor::ReadConfig(bytes, window);
    if (items < 0 || items > zor::ConfigItemCount)
        std::abort();
    zor::NormaliseLoadedConfig();
    const qsizetype written = zor::WriteConfig(window).size();
    if (written != zor::ConfigSizeWithWidth && written != zor::ConfigSizeWithoutWidth)
        std::abort();
    return 0;
}
