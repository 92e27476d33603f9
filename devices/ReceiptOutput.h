#pragma once

#include <QString>

namespace zor {

// The receipt text as the printer gets it: every ESC LF a CR LF, every CR NUL
// gone, and an ESC among the last two characters takes the last one with it.
QString CleanReceiptText(QString text);

// One piece of receipt text from the host to the receipt printer: a raw job
// "ZOR Receipt" to the printer of the receipt type, or the serial port when
// receipts go there. Nothing is sent for a text that cleans to nothing; a
// job that fails is traced and marked in the caption.
void ComPortOut(const QString& text);

inline const QString ReceiptDocName = QStringLiteral("ZOR Receipt");

} // namespace zor
