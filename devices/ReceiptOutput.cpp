#include "devices/ReceiptOutput.h"

#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "devices/ModPrinter.h"
#include "devices/RawPrinter.h"
#include "devices/modComm.h"

#include <QSerialPort>

namespace zor {

namespace {

const QChar Esc(0x1b);
const QString Tag = QStringLiteral("ComPortOut");

} // namespace

QString CleanReceiptText(QString text)
{
    text.replace(QLatin1String("\x1b\n"), QLatin1String("\r\n"));
    text.replace(QString(QLatin1Char('\r')) + QChar(0), QString());
    const qsizetype size = text.size();
    if ((size >= 1 && text[size - 1] == Esc) || (size >= 2 && text[size - 2] == Esc))
        text.chop(1);
    return text;
}

void ComPortOut(const QString& text)
{
    if (TraceOn()) {
        WriteTrace(Tag, QLatin1Char('[') + text + QLatin1Char(']'));
        if (text.contains(QChar(0x0c)))
            WriteTrace(Tag, QStringLiteral("Found a FF!"));
    }
    const QString cleaned = CleanReceiptText(text);
    if (!UseComPortDriver) {
        WriteTrace(Tag, QStringLiteral("Using RawPrinterDriver"));
        WriteTrace(Tag, cleaned);
        if (cleaned.isEmpty())
            return;
        TheRawPrinter().PrintRaw(cleaned, MappedPrinter(ReceiptPrinterType), ReceiptDocName,
                                 [](const RawJobResult& result) {
                                     if (result.Ok)
                                         return;
                                     WriteTrace(Tag, QStringLiteral("Receipt not printed: ") + result.Error);
                                     if (Link().ReceiptPrinterNotAvailable)
                                         Link().ReceiptPrinterNotAvailable();
                                 });
        return;
    }
    WriteTrace(Tag, QStringLiteral("Using ComPort Driver"));
    WriteTrace(Tag, cleaned);
    if (cleaned.isEmpty())
        return;
    if (ReceiptPortLost)
        OpenComPort();
    QSerialPort& port = ReceiptPrinter();
    if (!port.isOpen() || !UseComm)
        return;
    LastReceiptWritten = cleaned;
    const QByteArray bytes = cleaned.toLatin1();
    if (port.write(bytes) != bytes.size() && port.isOpen())
        LoseReceiptPort(port.errorString());
}

} // namespace zor
