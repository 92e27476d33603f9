#include "devices/CupsRawPrinter.h"

#include <cups/cups.h>

namespace zor {

namespace {

constexpr qsizetype WriteChunk = 64 * 1024;

QString LastCupsError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

} // namespace

QStringList CupsRawPrinter::ListPrinters()
{
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QStringList names;
    // Instances are option sets of a queue the list already has.
    for (int i = 0; i < count; ++i) {
        if (!dests[i].instance)
            names << QString::fromUtf8(dests[i].name);
    }
    cupsFreeDests(count, dests);
    return names;
}

RawJobResult CupsRawPrinter::PrintRaw(const QString& text, const QString& printer, const QString& docName)
{
    if (text.isEmpty())
        return {false, QStringLiteral("Nothing to print")};
    const QByteArray bytes = text.toLatin1();
    const QByteArray name = printer.toUtf8();
    const QByteArray title = docName.toUtf8();
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), title.constData(), 0, nullptr);
    if (job == 0)
        return {false, LastCupsError()};
    RawJobResult result{true, QString()};
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job, title.constData(), CUPS_FORMAT_RAW, 1) !=
        HTTP_STATUS_CONTINUE) {
        result = {false, LastCupsError()};
    } else {
        for (qsizetype at = 0; at < bytes.size() && result.Ok; at += WriteChunk) {
            const size_t length = static_cast<size_t>(std::min(WriteChunk, bytes.size() - at));
            if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, bytes.constData() + at, length) != HTTP_STATUS_CONTINUE)
                result = {false, LastCupsError()};
        }
        // The request is ended either way, so the connection is ready for
        // the cancel below and for the next job.
        if (cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) != IPP_STATUS_OK && result.Ok)
            result = {false, LastCupsError()};
    }
    if (!result.Ok)
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
    return result;
}

} // namespace zor
