#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace zor {

// The six serial settings, in the order of the settings file and of the
// options dialog.
enum CommSetting {
    CommPortSetting,
    BaudSetting,
    ParitySetting,
    DataBitsSetting,
    StopBitsSetting,
    HandshakingSetting,
    CommSettingCount
};
using CommSettingTexts = std::array<QString, CommSettingCount>;

// One setting as the options dialog shows it: its combo, the label beside it
// and the values the combo offers.
struct CommSettingChoice {
    QString Combo;
    QString Label;
    QStringList Offered;
};
const std::array<CommSettingChoice, CommSettingCount>& CommSettingChoices();

// Why the settings cannot be tried on a port: a value the dialog does not
// offer, or no port chosen. Empty when they can. The port itself takes any
// value on some devices, so this check is the only one some values get.
QString RefusedCommSetting(const CommSettingTexts& texts);

} // namespace zor
