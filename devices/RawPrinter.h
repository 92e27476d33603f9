#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace zor {

// What a raw job came to: Ok, or the spooler's reason it failed.
struct RawJobResult {
    bool Ok = false;
    QString Error;
};

// The raw printer: the installed printers, and raw jobs that carry every
// character 0..255 of a text to a printer as one byte each, untranslated
// (ESC, CR, LF, FF, STX and ETX are the printer's own codes). One job per
// call, under its document name; the call returns once the spooler has the
// job, without waiting for the printing.
class RawPrinter {
public:
    virtual ~RawPrinter() = default;
    // The printers in the order the user sees them; each is a name PrintRaw
    // accepts.
    virtual QStringList ListPrinters() = 0;
    // An empty text makes no job (the spooler would hold an empty one for
    // ever); a job that fails half-made is cancelled, so nothing is left held.
    virtual RawJobResult PrintRaw(const QString& text, const QString& printer, const QString& docName) = 0;
};

// The program-wide raw printer, the CUPS one unless another was installed.
RawPrinter& TheRawPrinter();
// Puts another raw printer in its place (a recorder for tests and fuzzing);
// returns the one it replaces. nullptr goes back to CUPS.
std::unique_ptr<RawPrinter> InstallRawPrinter(std::unique_ptr<RawPrinter> printer);

} // namespace zor
