#include "devices/ModPrinter.h"

#include "core/FileSave.h"
#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "devices/RawPrinter.h"

#include <QFile>

namespace zor {

namespace {

const char* const TypeNames[NamedPrinterTypes] = {"Receipt Printer", "Report Printer", "Barcode Printer",
                                                  "Display Pole",    "Alt 5",          "Alt 6",
                                                  "Alt 7",           "Alt 8",          "Alt 9"};

// The items of a file in the sequential write form: a quoted item runs to the
// next quote (commas and blanks are its own), then to the next comma or line
// end; an unquoted one runs to the comma or line end, without its blanks.
QStringList WrittenItems(const QString& text)
{
    QStringList items;
    qsizetype at = 0;
    const qsizetype end = text.size();
    auto isLineEnd = [&](qsizetype i) { return text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n'); };
    while (at < end) {
        while (at < end && text[at] == QLatin1Char(' '))
            ++at;
        QString item;
        if (at < end && text[at] == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), at + 1);
            const qsizetype stop = close < 0 ? end : close;
            item = text.mid(at + 1, stop - at - 1);
            at = stop < end ? stop + 1 : end;
            while (at < end && text[at] != QLatin1Char(',') && !isLineEnd(at))
                ++at;
        } else {
            const qsizetype start = at;
            while (at < end && text[at] != QLatin1Char(',') && !isLineEnd(at))
                ++at;
            item = text.mid(start, at - start).trimmed();
        }
        items << item;
        // One separator: a comma, or a line end (CR LF counts once).
        if (at < end && text[at] == QLatin1Char('\r') && at + 1 < end && text[at + 1] == QLatin1Char('\n'))
            at += 2;
        else if (at < end)
            ++at;
    }
    return items;
}

bool IsPrinterIndex(int index)
{
    return index >= 0 && index <= PrinterCount && index < Printers.size();
}

} // namespace

QString PrinterMapPath()
{
    return ProgramFile(CompanionBaseName(ConfigFile) + QStringLiteral("_printers.dat"));
}

void LoadPrinters()
{
    for (int type = 0; type < NamedPrinterTypes; ++type)
        PrinterTypes[type] = QLatin1String(TypeNames[type]);
    std::array<QString, PrinterTypeSlots> wasMapped;
    for (int type = 0; type < PrinterTypeSlots; ++type)
        wasMapped[type] = MappedPrinter(type);

    const QStringList installed = TheRawPrinter().ListPrinters();
    PrinterCount = static_cast<qint16>(std::min<qsizetype>(installed.size(), 32000));
    Printers = installed.mid(0, PrinterCount);
    Printers << ComPortPrinterName << QString();
    if (PrinterCount == 0)
        Printers << QString();

    for (int type = 0; type < PrinterTypeSlots; ++type) {
        const qsizetype found = wasMapped[type].isEmpty() ? -1 : Printers.indexOf(wasMapped[type]);
        if (found >= 0 && found <= PrinterCount)
            PrinterMap[type] = static_cast<qint16>(found);
        else if (!IsPrinterIndex(PrinterMap[type]))
            PrinterMap[type] = 0;
    }
    QFile file(PrinterMapPath());
    if (file.open(QIODevice::ReadOnly))
        ReadPrinterMap(file.readAll());
    UpdateComPortDriver();
}

QString MappedPrinter(int type)
{
    if (type < 0 || type >= PrinterTypeSlots || !IsPrinterIndex(PrinterMap[type]))
        return QString();
    return Printers[PrinterMap[type]];
}

void ReadPrinterMap(const QByteArray& bytes)
{
    const QStringList items = WrittenItems(QString::fromLatin1(bytes));
    for (int type = 0; type < std::min<qsizetype>(items.size(), PrinterTypeSlots); ++type) {
        for (int index = 0; index <= PrinterCount && index < Printers.size(); ++index) {
            if (Printers[index] == items[type]) {
                PrinterMap[type] = static_cast<qint16>(index);
                break;
            }
        }
    }
}

QByteArray PrinterMapFileText()
{
    QByteArray text;
    for (int type = 0; type < MapFileTypes; ++type)
        text += '"' + MappedPrinter(type).toLatin1() + "\"\r\n";
    return text;
}

bool SavePrinterMap()
{
    return SaveFileWhole(PrinterMapPath(), PrinterMapFileText());
}

void UpdateComPortDriver()
{
    UseComPortDriver = PrinterMap[ReceiptPrinterType] == ComPortPrinterIndex() && IsPrinterIndex(ComPortPrinterIndex());
}

QList<int> PrinterComboIndexes()
{
    QList<int> indexes;
    if (PrinterCount < 1)
        indexes << ComPortPrinterIndex() + 1; // the placeholder: the empty entry
    for (int index = 0; index < PrinterCount; ++index)
        indexes << index;
    indexes << ComPortPrinterIndex();
    return indexes;
}

} // namespace zor
