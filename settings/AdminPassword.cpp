#include "settings/AdminPassword.h"

#include "core/Dialogs.h"
#include "session/fConnection.h"
#include "settings/Properties.h"
#include "settings/fPropLock.h"

#include <QCheckBox>
#include <QLineEdit>

namespace zor {

bool AskAdminPassword(bool locked, const QString& password)
{
    if (!locked)
        return true;
    fPropLock prompt(&fConnection::instance());
    for (;;) {
        prompt.Text1->clear();
        prompt.exec();
        const QString typed = prompt.Text1->text();
        if (typed.isEmpty())
            return false;
        if (typed.toLower() == password.toLower())
            return true;
        Dialogs::MsgBox(QStringLiteral("Password was incorrect.  Try again."), Dialogs::Critical,
                        QStringLiteral("Pwd Failed"));
    }
}

bool AskAdminPassword()
{
    const Properties& settings = Properties::instance();
    return AskAdminPassword(settings.PropCheck[12]->isChecked(), settings.PropText[2]->text());
}

} // namespace zor
