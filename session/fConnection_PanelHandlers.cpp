// What the user's answers on the host's panels send: the list selection,
// the item lists, the parameter choice, the message box's buttons and its
// countdown, the procedure panel's links and input line, and Enter on the
// panel shown last.
#include "session/fConnection.h"

#include "core/NumberConversion.h"
#include "core/Rounding.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/WindowUtils.h"
#include "session/CountdownAnimation.h"

#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace zor {

namespace {

constexpr int CountdownFrames = CountdownLastFrame - CountdownFirstFrame + 1;

// The list's choice as a press reaches it. A press on another line makes
// that line the choice, and the choice is handled then; the click that
// follows is handled only when its line was the choice already, so a click
// is handled once either way.
class ChoiceAtPress : public QObject {
public:
    explicit ChoiceAtPress(QListWidget& list) : QObject(&list), list_(list)
    {
        list.viewport()->installEventFilter(this);
    }

    bool WasChosen(const QListWidgetItem* item) const { return item && list_.row(item) == row_; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            row_ = list_.currentRow();
        return QObject::eventFilter(watched, event);
    }

private:
    QListWidget& list_;
    int row_ = -1;
};

} // namespace

void fConnection::ConnectPanelHandlers()
{
    connect(LSList, &QListWidget::itemClicked, this, &fConnection::LSList_Click);
    connect(LSList, &QListWidget::itemDoubleClicked, this, [this] { LSCmnd_Click(0); });
    for (int i = 0; i < static_cast<int>(LSCmnd.size()); ++i)
        connect(LSCmnd[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { LSCmnd_Click(i); });
    // A choice made by mouse, by keys or by the host's "id" alike, and a
    // click on the line already chosen: a link drawn after the choice was
    // made becomes ready then.
    for (int i = 0; i < ItemListSlots; ++i) {
        QListWidget* list = ILList[static_cast<size_t>(i)];
        connect(list, &QListWidget::currentRowChanged, this, [this, i](int row) { ILList_Click(i, row); });
        const auto* atPress = new ChoiceAtPress(*list);
        connect(list, &QListWidget::itemClicked, this, [this, i, list, atPress](QListWidgetItem* item) {
            if (atPress->WasChosen(item))
                ILList_Click(i, list->row(item));
        });
    }
    for (int i = 0; i < static_cast<int>(MBCommand.size()); ++i)
        connect(MBCommand[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { MBCommand_Click(i); });
    connect(Timer4, &QTimer::timeout, this, &fConnection::Timer4_Timer);
    for (int i = 0; i < static_cast<int>(PLCommand.size()); ++i)
        connect(PLCommand[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { PLCommand_Click(i); });
    for (int i = 0; i < ProcButtonSlots; ++i)
        connect(ProcButt[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { ProcButt_Click(i); });
}

void fConnection::MakeDefaultButton(QPushButton& button)
{
    DefaultButtons.removeAll(&button);
    DefaultButtons.append(&button);
}

bool fConnection::PressDefaultButton()
{
    for (auto it = DefaultButtons.crbegin(); it != DefaultButtons.crend(); ++it) {
        QPushButton* button = *it;
        const QWidget* panel = button->parentWidget();
        if (!IsVisible(*panel))
            continue;
        // A button of the panel that the user has moved to answers instead.
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        QPushButton* target = focused && focused->parentWidget() == panel ? focused : button;
        if (IsVisible(*target) && target->isEnabled())
            target->click();
        return true;
    }
    return false;
}

bool fConnection::PressPanelAccessKey(const QKeySequence& key)
{
    for (auto it = DefaultButtons.crbegin(); it != DefaultButtons.crend(); ++it) {
        const QWidget* panel = (*it)->parentWidget();
        if (!IsVisible(*panel))
            continue;
        for (QPushButton* button : panel->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
            if (IsVisible(*button) && button->isEnabled() && QKeySequence::mnemonic(button->text()) == key) {
                button->click();
                return true;
            }
        }
    }
    return false;
}

void fConnection::LayoutMessageBox()
{
    int shown = 0;
    for (const QPushButton* button : MBCommand)
        shown += IsVisible(*button) ? 1 : 0;
    const int width = MBCommand[0]->width();
    const int first = ToPixel(MsgPic->width() / 2.0 - shown * width / 2.0);
    for (size_t k = 0; k < MBCommand.size(); ++k)
        MBCommand[k]->move(first + width * static_cast<int>(k), MBCommand[k]->y());
    // Once, as the box opens: the user may then move to another button.
    MBCommand[0]->setFocus();
    DrawRaisedBorder(MsgPic->Image(), MsgPic->BackColor());
    MsgPic->update();
}

void fConnection::MBCommand_Click(int index)
{
    SendReply(MBCommand[static_cast<size_t>(index)]->property("Tag").toString());
    MsgPic->hide();
    for (QPushButton* button : MBCommand)
        button->hide();
    if (IsVisible(*INTextPic))
        INText->setFocus();
}

void fConnection::Timer4_Timer()
{
    ++MsgElapsed;
    iErrEffect[2]->setPixmap(CountdownFrame(CountdownFirstFrame - 1 + MsgAnimFrame));
    QApplication::processEvents();
    // A box the host opened meanwhile has its own countdown, or none.
    if (!Timer4->isActive())
        return;
    // At or past its value: a value the count never meets exactly (a
    // fraction, a word, a negative) must still close the box.
    if (MsgElapsed >= Val(MsgCountdown)) {
        if (IsVisible(*INTextPic))
            INText->setFocus();
        Timer4->stop();
        MsgPic->hide();
    }
    MsgAnimFrame = MsgAnimFrame >= CountdownFrames ? 1 : MsgAnimFrame + 1;
}

void fConnection::LSList_Click()
{
    LSCmnd[0]->setEnabled(true);
}

void fConnection::LSCmnd_Click(int index)
{
    if (index == 0) {
        // A list the user has left without a current line answers with an
        // empty line.
        const QListWidgetItem* chosen = LSList->currentItem();
        AnswerListSelection(chosen ? Trim(chosen->text()) : QString());
        return;
    }
    const char* codes[] = {"", "", "^M", "^P"};
    AnswerListSelection(QLatin1String(codes[index]));
}

void fConnection::AnswerListSelection(const QString& reply)
{
    SendReply(reply);
    TypeAhead.clear();
    ListPic->hide();
    FocusOpenInputBox();
}

void fConnection::ILList_Click(int index, int row)
{
    // An emptied list has no line; it keeps the value its emptying cleared.
    if (row < 0)
        return;
    const QString line = Trim(ILList[static_cast<size_t>(index)]->item(row)->text());
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    ItemListValues[static_cast<size_t>(index)] = blank < 0 ? line : line.left(blank);
    // The links to any list can now answer. Once they all can, another
    // choice changes nothing on the screen, and a list the host fills with
    // many lines costs no redraw for each.
    bool enabled = false;
    for (int i = 0; i < EntityCount; ++i) {
        Entity& entity = Entities[static_cast<size_t>(i)];
        if (entity.Align >= 50 && entity.Active == 0) {
            entity.Active = VbTrue;
            enabled = true;
        }
    }
    if (enabled)
        DrawEntities();
}

void fConnection::oParams_DblClick(int index)
{
    AnswerParameters(oParams[static_cast<size_t>(index)]->property("Tag").toString());
}

void fConnection::PLCommand_Click(int index)
{
    if (index == 2) {
        // Help: the host explains, the choice stays open.
        SendReply(QStringLiteral("?"));
        return;
    }
    if (index == 1) {
        AnswerParameters(QStringLiteral("X"));
        return;
    }
    QString reply;
    for (const QRadioButton* option : oParams) {
        if (IsVisible(*option) && option->isChecked()) {
            reply = option->property("Tag").toString();
            break;
        }
    }
    AnswerParameters(reply);
}

void fConnection::AnswerParameters(const QString& reply)
{
    SendReply(reply);
    TypeAhead.clear();
    ParmFrame->hide();
    FocusOpenInputBox();
}

void fConnection::ProcButt_Click(int index)
{
    SendReply(ProcButt[static_cast<size_t>(index)]->property("Tag").toString());
    TypeAhead.clear();
    for (QPushButton* button : ProcButt)
        button->hide();
    ProcLinkCount = 0;
    ResizeProc();
}

void fConnection::fProcInput_KeyDown(int keyCode)
{
    if (keyCode != 9 && keyCode != 13)
        return;
    // What the user typed goes as one line: a "~" in it splits nothing and
    // "@open" opens no file dialog.
    SendLine(fProcInput->text());
    TypeAhead.clear();
    fProcInput->clear();
    fProcInput->hide();
    lblProcLabel->hide();
}

} // namespace zor
