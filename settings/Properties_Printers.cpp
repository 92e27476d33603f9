// The printer frame of the Other tab: the printer of each printer type, and
// the serial options of the receipt port when the pseudo printer is chosen.
#include "settings/Properties.h"

#include "devices/ModPrinter.h"
#include "settings/ComPortOptions.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

namespace zor {

namespace {

constexpr int DisplayPoleType = 3;

// Only these types can print to the receipt port.
bool OffersComPort(int type)
{
    return type == ReceiptPrinterType || type == DisplayPoleType;
}

// The Printers index of each combo entry for a type.
QList<int> PrinterChoices(int type)
{
    QList<int> indexes = PrinterComboIndexes();
    if (!OffersComPort(type))
        indexes.removeAll(ComPortPrinterIndex());
    return indexes;
}

} // namespace

void Properties::ConnectPrinterFrame()
{
    udPrinterType->setRange(0, NamedPrinterTypes - 1);
    connect(udPrinterType, &QSpinBox::valueChanged, this, [this](int type) { udPrinterType_Change(type); });
    connect(cbPrinterSelect, &QComboBox::activated, this, [this] { cbPrinterSelect_Click(); });
    connect(CmndBtnOptions, &QPushButton::clicked, this, [this] { CmndBtnOptions_Click(); });
}

void Properties::ShowPrinters()
{
    const int type = std::clamp<int>(CurrentPrinterType, 0, NamedPrinterTypes - 1);
    const QList<int> indexes = PrinterChoices(type);
    {
        const QSignalBlocker blockType(udPrinterType);
        const QSignalBlocker blockPrinter(cbPrinterSelect);
        udPrinterType->setValue(type);
        cbPrinterSelect->clear();
        for (int index : indexes)
            cbPrinterSelect->addItem(index == ComPortPrinterIndex() || index < PrinterCount ? Printers[index]
                                                                                            : NoPrintersText);
        // A printer gone since the map was saved, or one this type cannot
        // use: what is shown is what the type prints to.
        qsizetype shown = indexes.indexOf(PrinterMap[type]);
        if (shown < 0) {
            shown = 0;
            PrinterMap[type] = static_cast<qint16>(indexes.first());
        }
        cbPrinterSelect->setCurrentIndex(static_cast<int>(shown));
    }
    lblPrinterType->setText(QStringLiteral("  ") + PrinterTypes[type]);
    CmndBtnOptions->setEnabled(OffersComPort(type) && PrinterMap[type] == ComPortPrinterIndex());
    UpdateComPortDriver();
}

void Properties::udPrinterType_Change(int type)
{
    CurrentPrinterType = static_cast<qint16>(type);
    ShowPrinters();
}

void Properties::cbPrinterSelect_Click()
{
    const int type = std::clamp<int>(CurrentPrinterType, 0, NamedPrinterTypes - 1);
    const QList<int> indexes = PrinterChoices(type);
    const int entry = cbPrinterSelect->currentIndex();
    if (entry < 0 || entry >= indexes.size())
        return;
    PrinterMap[type] = static_cast<qint16>(indexes[entry]);
    NoteChosenPrinter();
    CmndBtnOptions->setEnabled(OffersComPort(type) && PrinterMap[type] == ComPortPrinterIndex());
    UpdateComPortDriver();
}

void Properties::CmndBtnOptions_Click()
{
    ComPortOptions::ShowModal();
}

} // namespace zor
