#include "devices/ModPrinter.h"

#include "core/FileSave.h"
#include "core/ProgramFolder.h"
#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "devices/RawPrinter.h"
#include "devices/modComm.h"

#include <QFile>
#include <QSerialPort>
#include <QStringDecoder>
#include <algorithm>
#include <memory>
#include <optional>

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

// Queue names are Unicode; files of the Windows design hold Latin-1. A name
// is written in Latin-1 when it fits, so those files stay byte for byte, and
// in UTF-8 when it does not.
QByteArray NameBytes(const QString& name)
{
    const bool latin1 = std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() <= 0xff; });
    return latin1 ? name.toLatin1() : name.toUtf8();
}

// A line with bytes above 127 that is valid UTF-8 was written so; any other
// line is Latin-1.
QString LineText(QByteArrayView line)
{
    if (std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) > 127; })) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(line);
        if (!utf8.hasError())
            return text;
    }
    return QString::fromLatin1(line);
}

QString MapFileText(const QByteArray& bytes)
{
    QString text;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', at);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        text += LineText(QByteArrayView(bytes).sliced(at, end - at));
        at = end;
    }
    return text;
}

bool IsPrinterIndex(int index)
{
    return index >= 0 && index <= PrinterCount && index < Printers.size();
}

QByteArray MapFileBytes()
{
    QFile file(PrinterMapPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SetPrinters(const QStringList& names)
{
    PrinterCount = static_cast<qint16>(std::min<qsizetype>(names.size(), 32000));
    Printers = names.mid(0, PrinterCount);
    Printers << ComPortPrinterName << QString();
    if (PrinterCount == 0)
        Printers << QString();
}

// An entry that pointed at a printer by name keeps pointing at it; one left
// past the new list falls back to 0.
void UsePrinterList(const QStringList& installed)
{
    std::array<QString, PrinterTypeSlots> wasMapped;
    for (int type = 0; type < PrinterTypeSlots; ++type)
        wasMapped[type] = MappedPrinter(type);
    SetPrinters(installed);
    for (int type = 0; type < PrinterTypeSlots; ++type) {
        const qsizetype found = wasMapped[type].isEmpty() ? -1 : Printers.indexOf(wasMapped[type]);
        if (found >= 0 && found <= PrinterCount)
            PrinterMap[type] = static_cast<qint16>(found);
        else if (!IsPrinterIndex(PrinterMap[type]))
            PrinterMap[type] = 0;
    }
    UpdateComPortDriver();
}

// While the first list is awaited, the map file's printers stand in for the
// installed ones. What there was before, so that the list is taken as if it
// had come at once, unless the user chose a printer among the stand-ins.
struct StandIn {
    QStringList Printers;
    qint16 Count = 0;
    std::array<qint16, PrinterTypeSlots> MapBefore;
    bool Chosen = false;
};

std::optional<StandIn>& PendingStandIn()
{
    static std::optional<StandIn> standIn;
    return standIn;
}

// A type the file does not name points at no printer until the list comes.
void UseMapFilePrinters(const QByteArray& mapFile)
{
    std::optional<StandIn>& standIn = PendingStandIn();
    if (!standIn)
        standIn = StandIn{Printers, PrinterCount, PrinterMap};
    QStringList names;
    for (const QString& name : WrittenItems(MapFileText(mapFile))) {
        if (!name.isEmpty() && name != ComPortPrinterName && !names.contains(name))
            names << name;
    }
    SetPrinters(names);
    PrinterMap.fill(-1);
}

void TakeLaterList(const QStringList& installed)
{
    std::optional<StandIn>& standIn = PendingStandIn();
    if (standIn && !standIn->Chosen) {
        Printers = standIn->Printers;
        PrinterCount = standIn->Count;
        PrinterMap = standIn->MapBefore;
        UsePrinterList(installed);
        ReadPrinterMap(MapFileBytes());
    } else {
        // A printer chosen among the stand-ins was chosen by its name.
        UsePrinterList(installed);
    }
    standIn.reset();
    UpdateComPortDriver();
    // Start-up opened the receipt port only if the stand-ins made it the
    // receipt printer.
    if (UseComPortDriver && UseComm && !ReceiptPrinter().isOpen())
        OpenComPort();
    if (Link().PrintersListed)
        Link().PrintersListed();
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
    const auto asking = std::make_shared<bool>(true);
    bool answeredAtOnce = false;
    // answeredAtOnce is written only while this call runs.
    TheRawPrinter().ListPrinters([asking, &answeredAtOnce](const std::optional<QStringList>& installed) {
        if (*asking)
            answeredAtOnce = true;
        // A server that did not answer leaves the printers known so far.
        if (!installed)
            return;
        InstalledPrintersKnown = true;
        if (*asking)
            UsePrinterList(*installed);
        else
            TakeLaterList(*installed);
    });
    *asking = false;
    const QByteArray mapFile = MapFileBytes();
    if (!answeredAtOnce && !InstalledPrintersKnown)
        UseMapFilePrinters(mapFile);
    ReadPrinterMap(mapFile);
    UpdateComPortDriver();
}

void NoteChosenPrinter()
{
    if (PendingStandIn())
        PendingStandIn()->Chosen = true;
}

QString MappedPrinter(int type)
{
    if (type < 0 || type >= PrinterTypeSlots || !IsPrinterIndex(PrinterMap[type]))
        return QString();
    return Printers[PrinterMap[type]];
}

void ReadPrinterMap(const QByteArray& bytes)
{
    const QStringList items = WrittenItems(MapFileText(bytes));
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
        text += '"' + NameBytes(MappedPrinter(type)) + "\"\r\n";
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
