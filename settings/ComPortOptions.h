#pragma once

#include "devices/CommSettingChoices.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace zor {

// "Com Port Options": the receipt printer's serial settings in six combos,
// the pacing switch with its block size and pause, and a test receipt that
// tries the combos' settings on their port. The settings window reads and
// fills the combos (ReadCommSettingsFromForm, ShowCommSettingsOnForm); the
// dialog itself only hides.
class ComPortOptions : public QDialog {
    Q_OBJECT

public:
    // The one dialog, created hidden on first use.
    static ComPortOptions& instance();
    // What the settings window's Options button calls: shows the dialog
    // modally with the pacing values as stored.
    static void ShowModal();

    // The pacing switch and texts as the stored values are.
    void ShowPacing();

    void cbComPortPacing_Click();
    void btnReset_Click();
    void BtnOK_Click();
    void btnTest_Click();

    // The combos in the order of the settings file.
    CommSettingTexts ChosenSettings() const;

    std::array<QLabel*, CommSettingCount> PropLabel = {};
    std::array<QComboBox*, CommSettingCount> SettingCombos = {};
    QComboBox* cmbCommPort = nullptr;
    QComboBox* cmbBaud = nullptr;
    QComboBox* cmbParity = nullptr;
    QComboBox* cmbDataBits = nullptr;
    QComboBox* cmbStopBits = nullptr;
    QComboBox* cmbHardware = nullptr;
    QCheckBox* cbComPortPacing = nullptr;
    // The text boxes with their up-down arrows.
    QSpinBox* ComPortBlockSize = nullptr;
    QSpinBox* ComPortPause = nullptr;
    QLabel* lblComPortBlockSizeLabel = nullptr;
    QLabel* LblComPortPause = nullptr;
    QPushButton* btnTest = nullptr;
    QPushButton* btnReset = nullptr;
    QPushButton* BtnOK = nullptr; // "Close"

private:
    ComPortOptions();
};

// The six settings shown in the options dialog's combos, and taken back from
// them. Both create the dialog, hidden, when it does not exist yet. A value
// the combos do not offer is shown as it is, so that a load and a save keep
// it.
void ShowCommSettingsOnForm();
void ReadCommSettingsFromForm();

} // namespace zor
