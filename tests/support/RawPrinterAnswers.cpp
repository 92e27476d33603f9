#include "tests/support/RawPrinterAnswers.h"

#include "tests/support/Loopback.h"

#include <memory>

namespace zor::test {

namespace {

template <typename Answer>
std::optional<Answer> WaitFor(const std::shared_ptr<std::optional<Answer>>& answer, int timeoutMs)
{
    WaitUntil([&] { return answer->has_value(); }, timeoutMs);
    return *answer;
}

} // namespace

RawJobResult PrintAndWait(RawPrinter& printer, const QString& text, const QString& queue, const QString& docName,
                          int timeoutMs)
{
    // Shared: an answer that comes after the wait gave up has a place to go.
    const auto answer = std::make_shared<std::optional<RawJobResult>>();
    printer.PrintRaw(text, queue, docName, [answer](const RawJobResult& result) { *answer = result; });
    return WaitFor(answer, timeoutMs).value_or(RawJobResult{false, QStringLiteral("no answer in time")});
}

std::optional<QStringList> ListAndWait(RawPrinter& printer, int timeoutMs)
{
    const auto answer = std::make_shared<std::optional<std::optional<QStringList>>>();
    printer.ListPrinters([answer](const std::optional<QStringList>& printers) { *answer = printers; });
    return WaitFor(answer, timeoutMs).value_or(std::nullopt);
}

} // namespace zor::test
