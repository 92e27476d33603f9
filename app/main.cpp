#include "app/StartUp.h"
#include "core/TerminationSignals.h"
#include "devices/CupsRawPrinter.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("zor"));
    zor::EndOnTerminationSignals();
    if (!zor::Main(zor::CommandLineConfig(app.arguments())))
        return 0;
    const int code = app.exec();
    // A receipt or report asked for last is with the print server before the
    // program goes, unless the server does not answer in time.
    zor::FinishPrintServerCalls(zor::PrintServerWait);
    return code;
}
