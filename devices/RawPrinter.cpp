#include "devices/RawPrinter.h"

#include "devices/CupsRawPrinter.h"

namespace zor {

namespace {

std::unique_ptr<RawPrinter>& Installed()
{
    static std::unique_ptr<RawPrinter> printer;
    return printer;
}

} // namespace

RawPrinter& TheRawPrinter()
{
    std::unique_ptr<RawPrinter>& printer = Installed();
    if (!printer)
        printer = std::make_unique<CupsRawPrinter>();
    return *printer;
}

std::unique_ptr<RawPrinter> InstallRawPrinter(std::unique_ptr<RawPrinter> printer)
{
    std::unique_ptr<RawPrinter> previous = std::move(Installed());
    Installed() = std::move(printer);
    return previous;
}

} // namespace zor
