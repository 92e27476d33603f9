#pragma once

#include "devices/RawPrinter.h"

#include <QList>
#include <memory>
#include <vector>

namespace zor::test {

// A raw printer that lists the names it is given and keeps the jobs it is
// sent, answering each at once, installed as the program's while the scope
// lives.
class RawPrinterRecorder : public RawPrinter {
public:
    struct Job {
        QString Text;
        QString Printer;
        QString DocName;
        // "raw", or "pdf" for a document.
        QString Format = QStringLiteral("raw");
    };
    QStringList printers;
    QList<Job> jobs;
    // The answer to every job that is not empty; Ok when Error is "".
    QString error;
    // Lists and jobs are answered when the test says, as a print server
    // answers in a later event.
    bool holdLists = false;
    bool holdJobs = false;

    void ListPrinters(ListDone done) override
    {
        if (holdLists)
            heldLists.push_back(std::move(done));
        else
            done(printers);
    }
    void AnswerHeldLists()
    {
        std::vector<ListDone> held;
        held.swap(heldLists);
        for (const ListDone& done : held)
            done(printers);
    }
    void AnswerHeldJobs()
    {
        std::vector<std::pair<Job, JobDone>> held;
        held.swap(heldJobs);
        for (const auto& [job, done] : held)
            done(Record(job));
    }
    void PrintRaw(const QString& text, const QString& printer, const QString& docName, JobDone done) override
    {
        Answer({text, printer, docName}, std::move(done));
    }
    void PrintDocument(const QByteArray& pdf, const QString& printer, const QString& docName, JobDone done) override
    {
        Answer({QString::fromLatin1(pdf), printer, docName, QStringLiteral("pdf")}, std::move(done));
    }

private:
    std::vector<ListDone> heldLists;
    std::vector<std::pair<Job, JobDone>> heldJobs;

    void Answer(const Job& job, JobDone done)
    {
        if (holdJobs)
            heldJobs.emplace_back(job, std::move(done));
        else
            done(Record(job));
    }

    RawJobResult Record(const Job& job)
    {
        if (job.Text.isEmpty())
            return {false, QStringLiteral("Nothing to print")};
        if (!error.isEmpty())
            return {false, error};
        jobs.append(job);
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
