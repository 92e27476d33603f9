#pragma once

#include <QByteArray>
#include <QString>
#include <array>

class QObject;
class QSerialPort;

namespace zor {

// The receipt printer's serial port: its six settings as the settings file
// and the options dialog hold them (texts), and the port they open.
inline QString CommPortName = QStringLiteral("None"); // "None", "COM1".."COM16"
inline QString CommBaud = QStringLiteral("9600");
inline QString CommParity = QStringLiteral("N"); // E, M, N, O, S
inline QString CommDataBits = QStringLiteral("8");
inline QString CommStopBits = QStringLiteral("1");       // 1, 1.5, 2
inline QString CommHandshaking = QStringLiteral("None"); // None, XON/XOFF, Hardware, Both

inline const QString ReceiptNotAvailable = QStringLiteral("- Receipt printer NOT AVAILABLE!");

// The six settings in the order of the settings file.
std::array<QString*, 6> CommSettingVariables();

// "<base>_comm.dat" in the program folder; "comm.dat" is read when it is
// missing, and never written.
QString CommSettingsPath();
// The six settings, one CR LF line each.
QByteArray CommSettingsFileText();
// Reads the file (a short one sets what it has lines for); with neither file,
// the defaults are taken and written.
void LoadCommSettings();
bool SaveCommSettings();

// 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both; the texts compare exactly.
int HandshakeCode(const QString& text);

// The device of port n: $ZOR_COMn when set, else /dev/ttyS(n-1).
QString SerialDevice(int portNumber);

// The session's receipt port (objectName "ReceiptPrinter").
QSerialPort& ReceiptPrinter();
// The window the port belongs to, so that it goes with the window.
void SetReceiptPrinterOwner(QObject& owner);

// A receipt port that failed a write or went away: it is closed, the
// receipt it was printing is traced and the caption marked; the next
// receipt opens it again.
void LoseReceiptPort(const QString& reason);
inline bool ReceiptPortLost = false;
// The receipt last handed to the port, named in the trace when it is lost.
inline QString LastReceiptWritten;

// Start-up: the settings, and the port opened when one is named.
void InitComPort();
// Opens the receipt port with the settings, when receipts go to it. A port
// that is absent, busy or given a setting it cannot take leaves UseComm off
// and says so in the session window's caption.
void OpenComPort();
// Closes the receipt port once what was written to it has left (within a
// bound), and sets UseComm off.
void CloseComPort();

// Opens a port with the settings texts; the reason when it cannot.
QString OpenSerialPort(QSerialPort& port, const QString& portName, const QString& baud, const QString& parity,
                       const QString& dataBits, const QString& stopBits, const QString& handshaking);
// Waits until what was written has left, at most for the time its bytes need
// at the port's speed plus two seconds; closes the port. Qt itself would
// throw away whatever it has not yet handed on. False when some of it did not
// leave in time.
bool DrainAndClose(QSerialPort& port);

} // namespace zor
