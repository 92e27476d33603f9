#include "core/Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zor;

namespace {

// Looks at the dialog that opens next, then closes it with Esc's answer.
template <typename D> Qt::TextFormat FormatOfNextDialog(const std::function<void()>& open)
{
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (const QLabel* label : dialog->template findChildren<QLabel*>()) {
            if (label->text().contains(QLatin1String("<B>")))
                format = label->textFormat();
        }
        dialog->reject();
    });
    open();
    return format;
}

} // namespace

TEST(Dialogs, HostPromptsAreNeverReadAsMarkup)
{
    Dialogs::ClearAnswerer();
    const QString prompt = QStringLiteral("<B>ack orders <img src=\"/etc/hosts\">");
    EXPECT_EQ(FormatOfNextDialog<QInputDialog>([&] { Dialogs::InputBox(prompt, QStringLiteral("Title"), {}); }),
              Qt::PlainText);
    EXPECT_EQ(FormatOfNextDialog<QMessageBox>([&] { Dialogs::MsgBox(prompt, 0, QStringLiteral("Title")); }),
              Qt::PlainText);
}
