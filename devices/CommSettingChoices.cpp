#include "devices/CommSettingChoices.h"

namespace zor {

namespace {

QStringList PortNames()
{
    QStringList names{QStringLiteral("None")};
    for (int port = 1; port <= 16; ++port)
        names << QStringLiteral("COM%1").arg(port);
    return names;
}

} // namespace

const std::array<CommSettingChoice, CommSettingCount>& CommSettingChoices()
{
    static const std::array<CommSettingChoice, CommSettingCount> choices = {{
        {QStringLiteral("cmbCommPort"), QStringLiteral("Comm Port:"), PortNames()},
        {QStringLiteral("cmbBaud"),
         QStringLiteral("Baud Rate:"),
         {QStringLiteral("110"), QStringLiteral("300"), QStringLiteral("1200"), QStringLiteral("2400"),
          QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
          QStringLiteral("57600"), QStringLiteral("115200")}},
        {QStringLiteral("cmbParity"),
         QStringLiteral("Parity:"),
         {QStringLiteral("E"), QStringLiteral("M"), QStringLiteral("N"), QStringLiteral("O"), QStringLiteral("S")}},
        {QStringLiteral("cmbDataBits"),
         QStringLiteral("Data Bits:"),
         {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")}},
        {QStringLiteral("cmbStopBits"),
         QStringLiteral("Stop Bits:"),
         {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")}},
        {QStringLiteral("cmbHardware"),
         QStringLiteral("Handshaking:"),
         {QStringLiteral("None"), QStringLiteral("XON/XOFF"), QStringLiteral("Hardware"), QStringLiteral("Both")}},
    }};
    return choices;
}

QString RefusedCommSetting(const CommSettingTexts& texts)
{
    const auto& choices = CommSettingChoices();
    for (int setting = 0; setting < CommSettingCount; ++setting) {
        if (!choices[setting].Offered.contains(texts[setting]))
            return QStringLiteral("%1 \"%2\" is not in the list.").arg(choices[setting].Label, texts[setting]);
    }
    if (texts[CommPortSetting] == QLatin1String("None"))
        return QStringLiteral("Comm Port: \"None\" names no port.");
    return QString();
}

} // namespace zor
