#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace zor {

// What a raw job came to: Ok, or the spooler's reason it failed.
struct RawJobResult {
    bool Ok = false;
    QString Error;
};

// The raw printer: the installed printers, and raw jobs that carry every
// character 0..255 of a text to a printer as one byte each, untranslated
// (ESC, CR, LF, FF, STX and ETX are the printer's own codes). One job per
// call, under its document name; the job is done once the spooler has it,
// without waiting for the printing.
//
// Answers come on the application's thread, in the order they were asked:
// at once, or, where the spooler is another program that may keep the caller
// waiting, in a later event.
class RawPrinter {
public:
    using ListDone = std::function<void(const std::optional<QStringList>& printers)>;
    using JobDone = std::function<void(const RawJobResult& result)>;

    virtual ~RawPrinter() = default;
    // The printers in the order the user sees them; each is a name PrintRaw
    // accepts. None where no spooler runs; no list when one did not answer.
    virtual void ListPrinters(ListDone done) = 0;
    // An empty text makes no job (the spooler would hold an empty one for
    // ever); a job that fails half-made is cancelled, so nothing is left held.
    virtual void PrintRaw(const QString& text, const QString& printer, const QString& docName, JobDone done) = 0;
    // A PDF document as one job, for the spooler to print as it prints PDF.
    virtual void PrintDocument(const QByteArray& pdf, const QString& printer, const QString& docName, JobDone done) = 0;
};

// The program-wide raw printer, the CUPS one unless another was installed.
RawPrinter& TheRawPrinter();
// Puts another raw printer in its place (a recorder for tests and fuzzing);
// returns the one it replaces. nullptr goes back to CUPS.
std::unique_ptr<RawPrinter> InstallRawPrinter(std::unique_ptr<RawPrinter> printer);

} // namespace zor
