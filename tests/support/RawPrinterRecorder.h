#pragma once

#include "devices/RawPrinter.h"

#include <QList>
#include <memory>

namespace zor::test {

// A raw printer that lists the names it is given and keeps the jobs it is
// sent, installed as the program's while the scope lives.
class RawPrinterRecorder : public RawPrinter {
public:
    struct Job {
        QString Text;
        QString Printer;
        QString DocName;
    };
    QStringList printers;
    QList<Job> jobs;
    // The answer to every job that is not empty; Ok when Error is "".
    QString error;

    QStringList ListPrinters() override { return printers; }
    RawJobResult PrintRaw(const QString& text, const QString& printer, const QString& docName) override
    {
        if (text.isEmpty())
            return {false, QStringLiteral("Nothing to print")};
        if (!error.isEmpty())
            return {false, error};
        jobs.append({text, printer, docName});
        return {true, QString()};
    }
};

class RawPrinterScope {
public:
    RawPrinterScope()
    {
        auto recorder = std::make_unique<RawPrinterRecorder>();
        recorder_ = recorder.get();
        previous_ = InstallRawPrinter(std::move(recorder));
    }
    ~RawPrinterScope() { InstallRawPrinter(std::move(previous_)); }
    RawPrinterRecorder& operator*() const { return *recorder_; }
    RawPrinterRecorder* operator->() const { return recorder_; }

private:
    RawPrinterRecorder* recorder_;
    std::unique_ptr<RawPrinter> previous_;
};

} // namespace zor::test
