#include "devices/modComm.h"

#include "core/FileSave.h"
#include "core/NumberConversion.h"
#include "core/ProgramFolder.h"
#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "core/TextFile.h"
#include "core/Trace.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSerialPort>

namespace zor {

namespace {

constexpr qint64 DrainSpareMs = 2000;
constexpr int PortBufferSize = 2048;
const QString FallbackFileName = QStringLiteral("comm.dat");

void SetDefaults()
{
    CommPortName = QStringLiteral("None");
    CommBaud = QStringLiteral("9600");
    CommParity = QStringLiteral("N");
    CommDataBits = QStringLiteral("8");
    CommStopBits = QStringLiteral("1");
    CommHandshaking = QStringLiteral("None");
}

std::optional<QSerialPort::Parity> ParityOf(const QString& letter)
{
    switch (letter.toUpper().toLatin1().constData()[0]) {
    case 'E':
        return QSerialPort::EvenParity;
    case 'M':
        return QSerialPort::MarkParity;
    case 'N':
        return QSerialPort::NoParity;
    case 'O':
        return QSerialPort::OddParity;
    case 'S':
        return QSerialPort::SpaceParity;
    default:
        return std::nullopt;
    }
}

// The port number after "COM"; 0 for "None" and anything unnumbered.
int PortNumber(const QString& name)
{
    try {
        const qint64 number = IntegerValue(name.mid(3));
        return number > 0 && number <= 255 ? static_cast<int>(number) : 0;
    } catch (const ValueDoesNotFit&) {
        return 0;
    }
}

} // namespace

std::array<QString*, 6> CommSettingVariables()
{
    return {&CommPortName, &CommBaud, &CommParity, &CommDataBits, &CommStopBits, &CommHandshaking};
}

QString CommSettingsPath()
{
    return ProgramFile(CompanionBaseName(ConfigFile) + QStringLiteral("_comm.dat"));
}

QByteArray CommSettingsFileText()
{
    QStringList lines;
    for (const QString* setting : CommSettingVariables())
        lines << *setting;
    return TextFileBytes(lines);
}

void LoadCommSettings()
{
    TextFileRead read = ReadTextFile(CommSettingsPath());
    if (read.Missing)
        read = ReadTextFile(ProgramFile(FallbackFileName));
    if (read.Missing) {
        // The defaults are written for the next start; a folder that cannot
        // take them is reported by the next save of the configuration.
        SetDefaults();
        SaveFileWhole(CommSettingsPath(), CommSettingsFileText(), false);
        return;
    }
    const std::array<QString*, 6> settings = CommSettingVariables();
    for (qsizetype i = 0; i < std::min<qsizetype>(read.Lines.size(), settings.size()); ++i)
        *settings[i] = read.Lines[i];
}

bool SaveCommSettings()
{
    return SaveFileWhole(CommSettingsPath(), CommSettingsFileText());
}

int HandshakeCode(const QString& text)
{
    if (text == QLatin1String("XON/XOFF"))
        return 1;
    if (text == QLatin1String("Hardware"))
        return 2;
    if (text == QLatin1String("Both"))
        return 3;
    return 0;
}

QString SerialDevice(int portNumber)
{
    const QByteArray named = qgetenv(QStringLiteral("ZOR_COM%1").arg(portNumber).toLatin1().constData());
    if (!named.isEmpty())
        return QString::fromLocal8Bit(named);
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

QSerialPort& ReceiptPrinter()
{
    static QSerialPort* port = [] {
        auto* created = new QSerialPort();
        created->setObjectName(QStringLiteral("ReceiptPrinter"));
        // A write the port fails later, or a device that goes away, is
        // noticed when it happens, not at the next receipt.
        QObject::connect(created, &QSerialPort::errorOccurred, created, [created](QSerialPort::SerialPortError error) {
            if (created->isOpen() && (error == QSerialPort::WriteError || error == QSerialPort::ResourceError))
                LoseReceiptPort(created->errorString());
        });
        return created;
    }();
    return *port;
}

void LoseReceiptPort(const QString& reason)
{
    QSerialPort& port = ReceiptPrinter();
    const qint64 unsent = port.bytesToWrite();
    port.close();
    UseComm = false;
    ReceiptPortLost = true;
    WriteTrace(QStringLiteral("ComPortOut"),
               QStringLiteral("Receipt printer lost (%1), %2 bytes not printed of: ").arg(reason).arg(unsent) +
                   LastReceiptWritten);
    if (Link().ReceiptPrinterNotAvailable)
        Link().ReceiptPrinterNotAvailable();
}

void SetReceiptPrinterOwner(QObject& owner)
{
    ReceiptPrinter().setParent(&owner);
}

QString OpenSerialPort(QSerialPort& port, const QString& portName, const QString& baud, const QString& parity,
                       const QString& dataBits, const QString& stopBits, const QString& handshaking)
{
    const int number = PortNumber(portName);
    if (number == 0)
        return QStringLiteral("No port: ") + portName;
    bool baudOk = false;
    const qint32 rate = baud.toInt(&baudOk);
    if (!baudOk || rate <= 0)
        return QStringLiteral("Bad baud rate: ") + baud;
    const std::optional<QSerialPort::Parity> parityMode = ParityOf(parity);
    if (!parityMode || parity.size() != 1)
        return QStringLiteral("Bad parity: ") + parity;
    const int bits = dataBits.toInt();
    if (bits < 5 || bits > 8)
        return QStringLiteral("Data bits the port cannot take: ") + dataBits;
    // 1.5 stop bits have no form on this platform's ports.
    if (stopBits != QLatin1String("1") && stopBits != QLatin1String("2"))
        return QStringLiteral("Stop bits the port cannot take: ") + stopBits;

    const QString device = SerialDevice(number);
    port.setPortName(device);
    port.setReadBufferSize(PortBufferSize);
    if (!port.open(QIODevice::ReadWrite))
        return portName + QStringLiteral(" (") + device + QStringLiteral("): ") + port.errorString();
    // RTS/CTS together with XON/XOFF is not a mode of the port: it gets
    // RTS/CTS, the half that stops the printer's buffer from overflowing.
    const int code = HandshakeCode(handshaking);
    const QSerialPort::FlowControl flow = code == 1   ? QSerialPort::SoftwareControl
                                          : code >= 2 ? QSerialPort::HardwareControl
                                                      : QSerialPort::NoFlowControl;
    const bool set = port.setBaudRate(rate) && port.setParity(*parityMode) &&
                     port.setDataBits(static_cast<QSerialPort::DataBits>(bits)) &&
                     port.setStopBits(stopBits == QLatin1String("2") ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
                     port.setFlowControl(flow);
    if (!set) {
        const QString reason = port.errorString();
        port.close();
        return reason;
    }
    return QString();
}

bool DrainAndClose(QSerialPort& port)
{
    if (!port.isOpen())
        return true;
    const qint64 rate = std::max<qint64>(port.baudRate(), 1);
    QDeadlineTimer deadline(DrainSpareMs + port.bytesToWrite() * 10 * 1000 / rate);
    while (port.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!port.waitForBytesWritten(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1))))
            break;
    }
    const qint64 unsent = port.bytesToWrite();
    if (unsent > 0)
        WriteTrace(QStringLiteral("CloseComPort"), QStringLiteral("%1 bytes not sent").arg(unsent));
    port.close();
    return unsent == 0;
}

void InitComPort()
{
    LoadCommSettings();
    if (!CommPortName.isEmpty() && CommPortName != QLatin1String("None")) {
        UseComm = true;
        OpenComPort();
    } else {
        UseComm = false;
    }
}

void OpenComPort()
{
    if (!UseComPortDriver)
        return;
    ReceiptPortLost = false;
    QSerialPort& port = ReceiptPrinter();
    DrainAndClose(port);
    const QString failure =
        OpenSerialPort(port, CommPortName, CommBaud, CommParity, CommDataBits, CommStopBits, CommHandshaking);
    if (failure.isEmpty()) {
        UseComm = true;
        return;
    }
    UseComm = false;
    WriteTrace(QStringLiteral("OpenComPort"), failure);
    if (Link().ReceiptPrinterNotAvailable)
        Link().ReceiptPrinterNotAvailable();
}

void CloseComPort()
{
    QSerialPort& port = ReceiptPrinter();
    if (!port.isOpen())
        return;
    DrainAndClose(port);
    UseComm = false;
}

} // namespace zor
