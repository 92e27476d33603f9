#pragma once

#include "devices/CommSettingChoices.h"

#include <QByteArray>
#include <QString>

class QSerialPort;

namespace zor {

// The receipt the serial options dialog prints to try its settings.
QByteArray TestReceiptBytes();

// Prints the test receipt on testPort with the settings. The receipt port is
// closed for it, since it is usually the same device, and opened again
// afterwards when it was open or meant to be, whatever happened. Returns why
// the receipt could not be printed; empty when it was.
QString PrintTestReceipt(QSerialPort& testPort, const CommSettingTexts& settings);

} // namespace zor
