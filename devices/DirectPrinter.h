#pragma once

#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace zor {

// Report lines printed as they come, on the first installed printer (or the
// system's default one): one document from the first line to End, in
// "Courier New", a new page where the next line would not fit and at each
// host page break.
class DirectPrinter {
public:
    DirectPrinter();
    ~DirectPrinter();
    // Begins the document at the first line. False when the printer cannot
    // print (none, or it failed); the line is not printed then.
    bool PrintLine(const QString& line);
    void NewPage();
    // Ends an open document, which releases it to the printer.
    void End();
    bool IsOpen() const;

private:
    bool Begin();
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
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
