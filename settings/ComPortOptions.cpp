#include "settings/ComPortOptions.h"

#include "core/Dialogs.h"
#include "core/SharedState.h"
#include "core/WindowUtils.h"
#include "devices/TestReceipt.h"
#include "devices/modComm.h"
#include "session/fConnection.h"
#include "settings/Properties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zor {

namespace {

constexpr int DefaultBlockSize = 100;
constexpr int DefaultPause = 250;
// Stored values below this are no pacing a printer can use; the defaults
// are shown instead.
constexpr int SmallestPacing = 10;

QSpinBox* MakePacingBox(QWidget* parent, const QString& name, int step, const QString& tip)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, 32767);
    box->setSingleStep(step);
    box->setToolTip(tip);
    return box;
}

int ShownPacing(qint16 stored, int fallback)
{
    return stored < SmallestPacing ? fallback : stored;
}

} // namespace

ComPortOptions& ComPortOptions::instance()
{
    static ComPortOptions* dialog = new ComPortOptions();
    return *dialog;
}

void ComPortOptions::ShowModal()
{
    ComPortOptions& dialog = instance();
    dialog.ShowPacing();
    dialog.exec();
}

ComPortOptions::ComPortOptions() : QDialog(&fConnection::instance())
{
    setObjectName(QStringLiteral("ComPortOptions"));
    setWindowTitle(QStringLiteral("Com Port Options"));
    setModal(true);

    auto* settings = new QGridLayout;
    const auto& choices = CommSettingChoices();
    for (int setting = 0; setting < CommSettingCount; ++setting) {
        auto* label = new QLabel(choices[setting].Label, this);
        label->setObjectName(QStringLiteral("PropLabel_%1").arg(setting));
        auto* combo = new QComboBox(this);
        combo->setObjectName(choices[setting].Combo);
        // Editable, so that a value from the settings file that the list does
        // not hold is kept as it is.
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(choices[setting].Offered);
        label->setBuddy(combo);
        settings->addWidget(label, setting, 0);
        settings->addWidget(combo, setting, 1);
        PropLabel[setting] = label;
        SettingCombos[setting] = combo;
    }
    cmbCommPort = SettingCombos[CommPortSetting];
    cmbBaud = SettingCombos[BaudSetting];
    cmbParity = SettingCombos[ParitySetting];
    cmbDataBits = SettingCombos[DataBitsSetting];
    cmbStopBits = SettingCombos[StopBitsSetting];
    cmbHardware = SettingCombos[HandshakingSetting];

    cbComPortPacing = new QCheckBox(QStringLiteral("Use Com Port Pacing?"), this);
    cbComPortPacing->setObjectName(QStringLiteral("cbComPortPacing"));
    cbComPortPacing->setToolTip(QStringLiteral("Click here to turn on pacing to your receipt printer."));
    ComPortBlockSize =
        MakePacingBox(this, QStringLiteral("ComPortBlockSize"), 10,
                      QStringLiteral("Set the number of charecters to send in a single chunk to the printer"));
    ComPortPause = MakePacingBox(
        this, QStringLiteral("ComPortPause"), 50,
        QStringLiteral("Set the number of millliseconds to pause after a chunk of data is sent to the printer."));
    lblComPortBlockSizeLabel = new QLabel(QStringLiteral("Com Port Block Size (Letters)"), this);
    lblComPortBlockSizeLabel->setObjectName(QStringLiteral("lblComPortBlockSizeLabel"));
    LblComPortPause = new QLabel(QStringLiteral("Com Port Pause (Milliseconds)"), this);
    LblComPortPause->setObjectName(QStringLiteral("LblComPortPause"));
    auto* pacing = new QGridLayout;
    pacing->addWidget(cbComPortPacing, 0, 0, 1, 2);
    pacing->addWidget(lblComPortBlockSizeLabel, 1, 0);
    pacing->addWidget(ComPortBlockSize, 1, 1);
    pacing->addWidget(LblComPortPause, 2, 0);
    pacing->addWidget(ComPortPause, 2, 1);

    btnTest = new QPushButton(QStringLiteral("Test"), this);
    btnTest->setObjectName(QStringLiteral("btnTest"));
    btnReset = new QPushButton(QStringLiteral("Reset"), this);
    btnReset->setObjectName(QStringLiteral("btnReset"));
    BtnOK = new QPushButton(QStringLiteral("Close"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnTest);
    buttons->addWidget(btnReset);
    buttons->addStretch(1);
    buttons->addWidget(BtnOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addLayout(pacing);
    layout->addLayout(buttons);

    connect(cbComPortPacing, &QCheckBox::clicked, this, &ComPortOptions::cbComPortPacing_Click);
    connect(btnReset, &QPushButton::clicked, this, &ComPortOptions::btnReset_Click);
    connect(BtnOK, &QPushButton::clicked, this, &ComPortOptions::BtnOK_Click);
    connect(btnTest, &QPushButton::clicked, this, &ComPortOptions::btnTest_Click);

    CenterForm(*this);
    CenterOverWindowOnActivation(*this, fConnection::instance());
    ShowPacing();
}

void ComPortOptions::ShowPacing()
{
    cbComPortPacing->setChecked(ComPortPacing != VbFalse);
    // Filled from the stored values: "Close" stores what the boxes show.
    ComPortBlockSize->setValue(ShownPacing(zor::ComPortBlockSize, DefaultBlockSize));
    ComPortPause->setValue(ShownPacing(zor::ComPortPause, DefaultPause));
}

void ComPortOptions::cbComPortPacing_Click()
{
    ComPortPacing = cbComPortPacing->isChecked() ? VbTrue : VbFalse;
    ComPortBlockSize->setValue(ShownPacing(zor::ComPortBlockSize, DefaultBlockSize));
    ComPortPause->setValue(ShownPacing(zor::ComPortPause, DefaultPause));
}

void ComPortOptions::btnReset_Click()
{
    ComPortBlockSize->setValue(DefaultBlockSize);
    ComPortPause->setValue(DefaultPause);
    zor::ComPortBlockSize = DefaultBlockSize;
    zor::ComPortPause = DefaultPause;
    ComPortPacing = VbTrue;
    cbComPortPacing->setChecked(true);
    update();
}

void ComPortOptions::BtnOK_Click()
{
    // The boxes hold whole numbers in the Integer's range only; a text
    // being typed counts once it is one.
    ComPortBlockSize->interpretText();
    ComPortPause->interpretText();
    zor::ComPortBlockSize = static_cast<qint16>(ComPortBlockSize->value());
    zor::ComPortPause = static_cast<qint16>(ComPortPause->value());
    hide();
}

void ComPortOptions::btnTest_Click()
{
    // Read first: the settings window's first use loads the configuration,
    // which shows the stored settings in the combos.
    const CommSettingTexts chosen = ChosenSettings();
    const QString failure = PrintTestReceipt(*Properties::instance().testcomm, chosen);
    if (!failure.isEmpty())
        Dialogs::MsgBox(QStringLiteral("Invalid setting or port not found\n\n") + failure, Dialogs::Critical,
                        QStringLiteral("COMMERROR"));
}

CommSettingTexts ComPortOptions::ChosenSettings() const
{
    CommSettingTexts texts;
    for (int setting = 0; setting < CommSettingCount; ++setting)
        texts[setting] = SettingCombos[setting]->currentText();
    return texts;
}

void ShowCommSettingsOnForm()
{
    const auto& combos = ComPortOptions::instance().SettingCombos;
    const auto settings = CommSettingVariables();
    for (std::size_t i = 0; i < settings.size(); ++i)
        combos[i]->setCurrentText(*settings[i]);
}

void ReadCommSettingsFromForm()
{
    const auto& combos = ComPortOptions::instance().SettingCombos;
    const auto settings = CommSettingVariables();
    for (std::size_t i = 0; i < settings.size(); ++i)
        *settings[i] = combos[i]->currentText();
}

} // namespace zor
