// The switches that act at once, without Apply: the Misc tab, the screen
// cache and its clearing. Filling them from the settings changes nothing;
// only the user's clicks and typing run their handlers.
#include "settings/Properties.h"

#include "core/Dialogs.h"
#include "core/SharedState.h"
#include "session/ScreenCache.h"
#include "session/WindowChange.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace zor {

namespace {

qint16 Switch(const QCheckBox& box)
{
    return box.isChecked() ? VbTrue : VbFalse;
}

} // namespace

void Properties::ConnectSwitches()
{
    connect(breakChar, &QLineEdit::textEdited, this, [this] { breakChar_Change(); });
    connect(cbExitMode, &QCheckBox::clicked, this, [this] { cbExitMode_Click(); });
    connect(cbTablet, &QCheckBox::clicked, this, [this] { cbTablet_Click(); });
    connect(setKiosk, &QCheckBox::clicked, this, [this] { setKiosk_Click(); });
    connect(PropEncrypt, &QCheckBox::clicked, this, [this] { PropEncrypt_Click(); });
    connect(sendFunKeys, &QCheckBox::clicked, this, [this] { sendFunKeys_Click(); });
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
}

void Properties::ShowSwitches()
{
    Check1->setChecked(UseScreenCache != 0);
    sendFunKeys->setChecked(SendFunKeys != 0);
    setKiosk->setChecked(KioskMode != 0);
    cbExitMode->setChecked(ExitOnDisconnect != 0);
    cbTablet->setChecked(TabletMode != 0);
    PropEncrypt->setChecked(EncryptScripts != 0);
    // The break key is no configuration item: it lasts as long as the program.
    breakChar->setText(BreakChar != 0 ? QString::number(BreakChar) : QString());
}

void Properties::breakChar_Change()
{
    // Only a key code changes the break key; anything else typed on the way
    // to one (a sign, a letter) leaves the last good code in effect.
    bool ok = false;
    const uint code = breakChar->text().trimmed().toUInt(&ok);
    if (ok && code <= 255)
        BreakChar = code;
}

void Properties::cbExitMode_Click()
{
    ExitOnDisconnect = Switch(*cbExitMode);
}

void Properties::cbTablet_Click()
{
    TabletMode = Switch(*cbTablet);
}

void Properties::setKiosk_Click()
{
    KioskMode = Switch(*setKiosk);
    UpdateKioskGrab();
}

void Properties::PropEncrypt_Click()
{
    EncryptScripts = Switch(*PropEncrypt);
    // Every list file in the new form at once, whichever reply tab is shown.
    for (int tab = 0; tab < 3; ++tab)
        ChangeReplies(tab);
}

void Properties::sendFunKeys_Click()
{
    SendFunKeys = Switch(*sendFunKeys);
    EnableFunctionKeys(SendFunKeys != 0);
}

void Properties::Check1_Click()
{
    UseScreenCache = Check1->isChecked() ? 1 : 0;
}

void Properties::Command4_Click()
{
    if (Dialogs::MsgBox(QStringLiteral("Are you sure to want to clear the cache files?"),
                        Dialogs::YesNo + Dialogs::Question, QStringLiteral("Clear Cache")) == Dialogs::Yes)
        ClearCacheFiles();
}

} // namespace zor
