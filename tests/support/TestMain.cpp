#include "tests/support/RawPrinterRecorder.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <gtest/gtest.h>

// Every test program runs with a real QApplication on the offscreen platform,
// so widgets can be created, shown and sent events without a display. Its
// raw printer has no printers and answers at once, as where no print server
// runs, unless a test starts a print server of its own.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/zor-test-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QApplication app(argc, argv);
    zor::InstallRawPrinter(std::make_unique<zor::test::RawPrinterRecorder>());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
