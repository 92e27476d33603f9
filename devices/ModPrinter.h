#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "core/SharedState.h"

namespace zor {

// The kinds of device a session prints to, each assigned one printer: an
// installed one or the pseudo printer that stands for the receipt port.
constexpr int ReceiptPrinterType = 0;
constexpr int ReportPrinterType = 1;
// Types with a name; the map file also keeps type 9.
constexpr int NamedPrinterTypes = 9;
constexpr int MapFileTypes = 10;

// "<base>_printers.dat" in the program folder.
QString PrinterMapPath();

// Names the types, asks the raw printer for the installed printers and
// builds Printers from them, then reads the map file. An entry that pointed
// at a printer by name keeps pointing at it; one left past the new list
// falls back to 0. A list that comes in a later event is taken the same way
// and told through Link().PrintersListed; until the first one came, the map
// file's printers stand for the installed ones.
void LoadPrinters();
// The user chose a type's printer: a list that comes later keeps it by name.
void NoteChosenPrinter();

// The printer of a type: "" for a type or a map entry out of range, which
// callers treat as "no printer".
QString MappedPrinter(int type);

// Reads the map file's items, in the quoted form it is written in, and maps
// each type to the first of Printers 0..PrinterCount of that exact name.
// Unknown names and items past the last type change nothing.
void ReadPrinterMap(const QByteArray& bytes);
// Types 0..9, one quoted name a line.
QByteArray PrinterMapFileText();
bool SavePrinterMap();

// Where the pseudo printer stands in Printers.
inline int ComPortPrinterIndex()
{
    return PrinterCount;
}

// UseComPortDriver follows the receipt printer alone.
void UpdateComPortDriver();

// The Printers index of each item of the settings window's printer combo:
// the installed printers, then the pseudo printer. With none installed, the
// first item is the "No Printers Installed!" placeholder, which stands for
// no printer.
QList<int> PrinterComboIndexes();
inline const QString NoPrintersText = QStringLiteral("No Printers Installed!");

} // namespace zor
