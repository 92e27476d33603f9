#include "devices/TestReceipt.h"

#include "core/SharedState.h"
#include "core/Trace.h"
#include "devices/modComm.h"

#include <QSerialPort>

namespace zor {

QByteArray TestReceiptBytes()
{
    return QByteArrayLiteral("      ZOR Test Receipt\r\n\r\n"
                             "Book                   10.00\r\n"
                             "Basket                 10.00\r\n\r\n"
                             "Tax                     1.20\r\n"
                             "----------------------------\r\n"
                             "Total                  21.20\r\n"
                             "Tendered               25.00\r\n"
                             "Change                  3.80\r\n\r\n"
                             "      Have a nice day!\r\n\r\n\r\n\r\n");
}

QString PrintTestReceipt(QSerialPort& testPort, const CommSettingTexts& settings)
{
    QString failure = RefusedCommSetting(settings);
    if (!failure.isEmpty())
        return failure;

    const bool restore = ReceiptPrinter().isOpen() || UseComm;
    CloseComPort();
    failure = OpenSerialPort(testPort, settings[CommPortSetting], settings[BaudSetting], settings[ParitySetting],
                             settings[DataBitsSetting], settings[StopBitsSetting], settings[HandshakingSetting]);
    if (failure.isEmpty()) {
        const QByteArray receipt = TestReceiptBytes();
        if (testPort.write(receipt) != receipt.size())
            failure = settings[CommPortSetting] + QStringLiteral(": ") + testPort.errorString();
        if (!DrainAndClose(testPort) && failure.isEmpty())
            failure = settings[CommPortSetting] + QStringLiteral(": the receipt did not leave the port in time.");
    }
    // A test port left open would keep the receipt port from opening.
    testPort.close();
    if (restore)
        OpenComPort();
    if (!failure.isEmpty())
        WriteTrace(QStringLiteral("COMMPORT"), QStringLiteral("Test receipt not printed: ") + failure);
    return failure;
}

} // namespace zor
