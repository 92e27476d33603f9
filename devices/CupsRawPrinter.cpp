#include "devices/CupsRawPrinter.h"

#include "devices/OrderedWorker.h"

#include <cups/cups.h>

#include <algorithm>

namespace zor {

namespace {

using Clock = std::chrono::steady_clock;

constexpr qsizetype WriteChunk = 64 * 1024;
// How often a wait on the server looks at the clock.
constexpr double PollSeconds = 0.2;

// libcups keeps its server per thread: the worker is pointed at the one of
// the thread that asked, as it was when it asked.
struct ServerCallPlan {
    QByteArray Host;
    int Port = 0;
    http_encryption_t Encryption = HTTP_ENCRYPTION_IF_REQUESTED;
    std::chrono::milliseconds Wait{0};
};

ServerCallPlan PlanOnThisThread()
{
    return {QByteArray(cupsServer()), ippPort(), cupsEncryption(), PrintServerWait};
}

OrderedWorker& Worker()
{
    static OrderedWorker* worker = new OrderedWorker();
    return *worker;
}

// A connection of one call's own, whose every wait gives up once the call's
// time is over, so libcups' own retries end there too.
class ServerCall {
public:
    explicit ServerCall(const ServerCallPlan& plan) : deadline_(Clock::now() + plan.Wait), plan_(plan)
    {
        // The queue URIs libcups builds name this thread's server and port.
        cupsSetServer(plan.Host.constData());
        ippSetPort(plan.Port);
        cupsSetEncryption(plan.Encryption);
        const int connectMs = static_cast<int>(std::max<qint64>(1, plan.Wait.count()));
        http_ =
            httpConnect2(plan.Host.constData(), plan.Port, nullptr, AF_UNSPEC, plan.Encryption, 1, connectMs, nullptr);
        if (http_)
            httpSetTimeout(http_, PollSeconds, &ServerCall::InTime, this);
    }
    ~ServerCall()
    {
        if (http_)
            httpClose(http_);
    }
    ServerCall(const ServerCall&) = delete;
    ServerCall& operator=(const ServerCall&) = delete;

    http_t* Http() const { return http_; }
    bool TimedOut() const { return Clock::now() >= deadline_; }
    QString Failure() const
    {
        if (!http_)
            return QStringLiteral("The print server %1 cannot be reached").arg(QString::fromUtf8(plan_.Host));
        if (TimedOut())
            return QStringLiteral("The print server %1 did not answer within %2 ms")
                .arg(QString::fromUtf8(plan_.Host))
                .arg(plan_.Wait.count());
        return QString::fromUtf8(cupsLastErrorString());
    }

private:
    static int InTime(http_t*, void* call) { return static_cast<ServerCall*>(call)->TimedOut() ? 0 : 1; }

    http_t* http_ = nullptr;
    Clock::time_point deadline_;
    ServerCallPlan plan_;
};

std::optional<QStringList> ListOnServer(const ServerCallPlan& plan)
{
    ServerCall call(plan);
    // Where no print server runs, no printer is installed.
    if (!call.Http())
        return call.TimedOut() ? std::nullopt : std::optional<QStringList>(QStringList());
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(call.Http(), &dests);
    QStringList names;
    // Instances are option sets of a queue the list already has.
    for (int i = 0; i < count; ++i) {
        if (!dests[i].instance)
            names << QString::fromUtf8(dests[i].name);
    }
    cupsFreeDests(count, dests);
    // A list cut short by the bound is no list.
    if (call.TimedOut())
        return std::nullopt;
    return names;
}

// Create-Job asked on the call's own connection. The library's own helper
// first looks the queue up on the thread's shared connection, which has no
// bound.
int CreateJob(http_t* http, const QByteArray& printer, const QByteArray& title)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     printer.constData());
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.constData());
    const QByteArray resource = "/printers/" + printer;
    ipp_t* response = cupsDoRequest(http, request, resource.constData());
    ipp_attribute_t* id = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER);
    const int job = cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE && id ? ippGetInteger(id, 0) : 0;
    ippDelete(response);
    return job;
}

RawJobResult JobOnServer(const ServerCallPlan& plan, const QByteArray& bytes, const QByteArray& printer,
                         const QByteArray& title, const char* format)
{
    if (bytes.isEmpty())
        return {false, QStringLiteral("Nothing to print")};
    ServerCall call(plan);
    if (!call.Http())
        return {false, call.Failure()};
    http_t* http = call.Http();
    const int job = CreateJob(http, printer, title);
    if (job == 0)
        return {false, call.Failure()};
    RawJobResult result{true, QString()};
    if (cupsStartDocument(http, printer.constData(), job, title.constData(), format, 1) != HTTP_STATUS_CONTINUE) {
        result = {false, call.Failure()};
    } else {
        for (qsizetype at = 0; at < bytes.size() && result.Ok; at += WriteChunk) {
            const size_t length = static_cast<size_t>(std::min(WriteChunk, bytes.size() - at));
            if (cupsWriteRequestData(http, bytes.constData() + at, length) != HTTP_STATUS_CONTINUE)
                result = {false, call.Failure()};
        }
        // The request is ended either way, so the connection is ready for
        // the cancel below.
        if (cupsFinishDocument(http, printer.constData()) != IPP_STATUS_OK && result.Ok)
            result = {false, call.Failure()};
    }
    // Past the bound this gives up at once too; a server that comes back
    // later holds the job, which then waits for data that never comes.
    if (!result.Ok)
        cupsCancelJob2(http, printer.constData(), job, 0);
    return result;
}

void PostJob(QByteArray bytes, const QString& printer, const QString& docName, const char* format,
             RawPrinter::JobDone done)
{
    Worker().Post([plan = PlanOnThisThread(), bytes = std::move(bytes), name = printer.toUtf8(),
                   title = docName.toUtf8(), format, done = std::move(done)] {
        const RawJobResult result = JobOnServer(plan, bytes, name, title, format);
        AnswerOnApplicationThread([done, result] { done(result); });
    });
}

} // namespace

void CupsRawPrinter::ListPrinters(ListDone done)
{
    Worker().Post([plan = PlanOnThisThread(), done = std::move(done)] {
        const std::optional<QStringList> printers = ListOnServer(plan);
        AnswerOnApplicationThread([done, printers] { done(printers); });
    });
}

void CupsRawPrinter::PrintRaw(const QString& text, const QString& printer, const QString& docName, JobDone done)
{
    PostJob(text.toLatin1(), printer, docName, CUPS_FORMAT_RAW, std::move(done));
}

void CupsRawPrinter::PrintDocument(const QByteArray& pdf, const QString& printer, const QString& docName, JobDone done)
{
    PostJob(pdf, printer, docName, CUPS_FORMAT_PDF, std::move(done));
}

bool FinishPrintServerCalls(std::chrono::milliseconds limit)
{
    return Worker().WaitUntilDone(limit);
}

} // namespace zor
