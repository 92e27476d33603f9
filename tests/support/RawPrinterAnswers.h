#pragma once

// The answers of a raw printer, waited for while the application's events
// run, as the window waits for them.

#include "devices/RawPrinter.h"

namespace zor::test {

RawJobResult PrintAndWait(RawPrinter& printer, const QString& text, const QString& queue, const QString& docName,
                          int timeoutMs = 60000);
// No list as well when none came in time.
std::optional<QStringList> ListAndWait(RawPrinter& printer, int timeoutMs = 60000);

} // namespace zor::test
