// Commands that feed the session window's chrome: the help line with the busy
// indicator, the status-bar panels, the system-functions menu, the inline
// help, the screen cache and the version reply.
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/WindowUtils.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/BusyAnimation.h"
#include "session/fConnection.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace zor {

namespace {

const QString VersionReply = QStringLiteral("ZOR GUI User Interface version ");

// The status-bar panels the host writes; the last one is the clock's.
constexpr int HostStatusPanels = StatusPanelCount - 1;

} // namespace

void Interpreter::StatusMessage(const CommandUnit& unit)
{
    const QString message = Trim(unit.FieldText(2));
    QLabel& busy = *window_.lWorking;
    if (!message.isEmpty()) {
        busy.show();
        ShowNextBusyFrame(busy, window_.AnimFrame);
        // "1" and "-1" only keep the indicator turning.
        if (message != QLatin1String("1") && message != QLatin1String("-1"))
            window_.HelpBar->setText(message);
    } else {
        window_.HelpBar->setText(QString());
        busy.hide();
    }
    const PictureBox& screen = *window_.MainPic;
    busy.move(screen.width() - busy.width(), screen.height() - busy.height());
    AddToHistory(unit);
}

void Interpreter::StatusBarText(const CommandUnit& unit)
{
    for (int panel = 1; panel <= HostStatusPanels; ++panel)
        window_.StatusPanels[static_cast<size_t>(panel)]->clear();
    // Only the first text is trimmed: the host aligns the others with blanks.
    QString text = Trim(unit.FieldText(2));
    for (int k = 2; k <= HostStatusPanels + 1 && text.left(3).toLower() != QLatin1String("end"); ++k) {
        window_.StatusPanels[static_cast<size_t>(k - 1)]->setText(text);
        text = unit.FieldText(k + 1);
    }
    AddToHistory(unit);
}

void Interpreter::AddToolbarItem(const CommandUnit& unit)
{
    // An "&" in the text marks the item's access key, as the host means it.
    QAction* item = window_.SystemFunctionsMenu->addAction(unit.FieldText(2));
    item->setData(unit.FieldText(3));
    AddToHistory(unit);
}

void Interpreter::InlineHelp(const CommandUnit& unit)
{
    HelpShown = true;
    window_.HelpPicContainer->show();
    window_.HelpPicContainer->raise();
    window_.DoHelp(unit.FieldText(2));
    AddToHistory(unit);
    // The open input box keeps the typing while the help shows.
    if (IsVisible(*window_.INTextPic))
        window_.INText->setFocus();
    if (IsVisible(*window_.lvINTextPic))
        window_.lvINText->setFocus();
}

void Interpreter::SaveScreenCache(const CommandUnit& unit)
{
    Saved(unit.Text());
    if (doneBefore_.savedBy == unit.Text())
        return;
    if (UseScreenCache != 0)
        window_.SaveCache(unit.FieldText(2), unit.FieldText(3));
}

void Interpreter::LoadScreenCache(const CommandUnit& unit)
{
    window_.LoadCache(unit.FieldText(2), unit.FieldText(3));
}

void Interpreter::ReplyVersion(const CommandUnit&)
{
    SendReply(VersionReply + VersionNumber());
}

void Interpreter::NoEffect(const CommandUnit&) {}

} // namespace zor
