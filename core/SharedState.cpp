#include "core/SharedState.h"

namespace zor {

QString VersionNumber()
{
    return QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision);
}

QString VersionLine()
{
    return QStringLiteral("Version ") + VersionNumber() + VersionSuffix;
}

void SetStartValues()
{
    MsgBoxUp = false;
    InputPending = false;
    ItemListUp = false;
    DefaultFontScale = Currency::fromDouble(1);
    CaptureEnabled = 0;
    ShadowOn = VbTrue;
    ComPortPrinterName = QStringLiteral("Com Port Printer");
    TraceMaxLines = 30000;
    PrinterTypes.fill(QString());
    PrinterMap.fill(0);
    PrinterCount = 0;
    Printers.clear();
    InstalledPrintersKnown = false;
    CurrentPrinterType = 0;
    UseComPortDriver = false;
    UseComm = false;
    ReportDirect = 0;
    TargetPrinter = -1;
    ReportBuffer.clear();
    ReportRowCount = 0;
}

} // namespace zor
