#include "app/StartUp.h"
#include "core/TerminationSignals.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("zor"));
    zor::EndOnTerminationSignals();
    if (!zor::Main(zor::CommandLineConfig(app.arguments())))
        return 0;
    return app.exec();
}
