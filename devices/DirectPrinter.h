#pragma once

#include <QString>
#include <memory>

class QPainter;
class QPdfWriter;
class QTemporaryFile;

namespace zor {

// Report lines printed as they come, on the first installed printer: one PDF
// document from the first line to End, in "Courier New", a new page where
// the next line would not fit and at each host page break. The document goes
// to the printer as one job at End; a job that fails is traced and told.
class DirectPrinter {
public:
    DirectPrinter();
    ~DirectPrinter();
    // Begins the document at the first line. False when there is no printer
    // or the document cannot be made; the line is not printed then.
    bool PrintLine(const QString& line);
    void NewPage();
    // Ends an open document, which releases it to the printer.
    void End();
    bool IsOpen() const;

private:
    bool Begin();
    std::unique_ptr<QPdfWriter> printer_;
    std::unique_ptr<QPainter> painter_;
    // The document being made for the printer, and the printer.
    std::unique_ptr<QTemporaryFile> spool_;
    QString target_;
    int y_ = 0;
};

DirectPrinter& TheDirectPrinter();

// Capture ends, and a document open for it is ended (disconnect, exit), so
// that what was printed is released and not lost.
void EndReportCapture();

// When set, documents go to this PDF file instead of a printer (tests, and
// the fuzzer, which must never print).
inline QString DirectPrintFile;

} // namespace zor
