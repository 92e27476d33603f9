// What the user's typing and clicks in the input boxes and the multi-value
// editors send to the host.
#include "session/fConnection.h"

#include "core/Ciphers.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/WindowUtils.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace zor {

namespace {

// An editor button sends its tag (none when empty) and closes the input box;
// the editor stays open until the host closes it.
void AnswerWithButton(const QPushButton& button, QWidget& inputPicture)
{
    const QString tag = button.property("Tag").toString();
    if (!tag.isEmpty())
        SendReply(tag);
    inputPicture.hide();
    InputPending = false;
}

// Tab or Enter sends the editor's value; the keys typed into it are in that
// value and no longer wait as an answer of their own.
void SendEditorText(const QLineEdit& editor, int keyCode)
{
    if (keyCode != 9 && keyCode != 13)
        return;
    if (!editor.text().isEmpty())
        SendLine(editor.text());
    TypeAhead.clear();
}

} // namespace

void fConnection::InputBox_Change()
{
    // The sub-window box wins when both are open.
    if (IsVisible(*INTextPic))
        TypeAhead = INText->text();
    if (IsVisible(*lvINTextPic))
        TypeAhead = lvINText->text();
    InputChanged = true;
}

bool fConnection::InputBox_Validate(bool tabDown, bool shiftDown)
{
    if (ClearingScreen || !tabDown)
        return false;
    InputPending = false;
    HideInputBoxes();
    if (InputKeyIndex != 0) {
        SendLine(EncryptWithKey(TypeAhead, InputKeyIndex));
    } else if (TabAnswered) {
        TabAnswered = false;
    } else {
        if (shiftDown) {
            // Back one field: the answer first when there is one.
            if (!TypeAhead.isEmpty()) {
                SendLine(TypeAhead);
                SendReply(QStringLiteral("<"));
            }
            SendReply(QStringLiteral("<"));
        } else {
            SendLine(TypeAhead);
        }
        TabAnswered = true;
    }
    TypeAhead.clear();
    FocusOpenEditors();
    return true;
}

void fConnection::HideInputBoxes()
{
    if (IsVisible(*INTextPic))
        INTextPic->hide();
    if (IsVisible(*lvINTextPic))
        lvINTextPic->hide();
}

void fConnection::FocusOpenEditors()
{
    if (IsVisible(*MVPic))
        MVPic->setFocus();
    if (IsVisible(*lvMVPic))
        lvMVPic->setFocus();
}

void fConnection::FocusOpenInputBox()
{
    if (IsVisible(*INTextPic))
        INText->setFocus();
    if (IsVisible(*lvINTextPic))
        lvINText->setFocus();
}

void fConnection::lvINText_GotFocus()
{
    // A host message box keeps the focus.
    if (IsVisible(*MsgPic))
        MsgPic->setFocus();
}

void fConnection::MVCmd_Click(int index)
{
    AnswerWithButton(*MVCmd[static_cast<size_t>(index)], *INTextPic);
}

void fConnection::lvMVCmd_Click(int index)
{
    AnswerWithButton(*lvMVCmd[static_cast<size_t>(index)], *lvINTextPic);
}

void fConnection::MVText_KeyDown(int keyCode)
{
    SendEditorText(*MVText, keyCode);
}

void fConnection::lvMVText_KeyDown(int keyCode)
{
    SendEditorText(*lvMVText, keyCode);
}

void fConnection::MVText_Click()
{
    MVText->selectAll();
}

void fConnection::lvMVText_Click()
{
    lvMVText->selectAll();
}

void fConnection::lvTimer1_Timer()
{
    // Waits for the sub-window editor to appear, then gives it the focus once.
    if (lvMVText->isVisibleTo(this) && lvMVText->isEnabled()) {
        lvMVText->selectAll();
        lvMVText->setFocus();
        lvTimer1->stop();
    }
}

} // namespace zor
