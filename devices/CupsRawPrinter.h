#pragma once

#include "devices/RawPrinter.h"

#include <chrono>

namespace zor {

// How long one call to the print server may take, from the connection to
// its last answer, before it counts as failed.
inline std::chrono::milliseconds PrintServerWait{10'000};

// Raw jobs through the CUPS server libcups is set to on the thread that asks
// (CUPS_SERVER, or the local one): the destinations without their instances,
// and jobs of the raw format, streamed in pieces. Every call runs on a thread
// of its own, in the order asked, each with a connection of its own that
// gives up after PrintServerWait; a stopped server holds up only the jobs.
class CupsRawPrinter : public RawPrinter {
public:
    void ListPrinters(ListDone done) override;
    void PrintRaw(const QString& text, const QString& printer, const QString& docName, JobDone done) override;
    void PrintDocument(const QByteArray& pdf, const QString& printer, const QString& docName, JobDone done) override;
};

// Waits, at most `limit`, until every call asked of the print server so far
// has been answered there (the exit path, so that a last receipt is not lost).
bool FinishPrintServerCalls(std::chrono::milliseconds limit);

} // namespace zor
