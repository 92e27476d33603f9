// The keys of the whole session window, seen before its controls get them:
// typing ahead of the host's prompt, the console line, field moves, Enter
// and Esc, and the Alt hot keys.
#include "session/fConnection.h"

#include "core/Ciphers.h"
#include "core/Rounding.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "core/WindowUtils.h"
#include "tools/Debugger.h"
#include "tools/fCommand.h"
#include "tools/fScriptManager.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace zor {

namespace {

enum KeyCodes {
    KeyBack = 8,
    KeyTab = 9,
    KeyReturn = 13,
    KeyEscape = 27,
    KeyUp = 38,
    KeyDown = 40,
    KeyDelete = 46,
};
enum ShiftFlags { ShiftFlag = 1, CtrlFlag = 2, AltFlag = 4 };

// The character that tells the host the three characters after it answer
// the prompt armed by Ctrl+Z.
constexpr char16_t ArmedAnswerMark = 26;

// Where the caret of a text box is, or where its selection starts.
int SelectionStart(const QLineEdit& box)
{
    return box.hasSelectedText() ? box.selectionStart() : box.cursorPosition();
}

} // namespace

void fConnection::Form_KeyPress(int& keyAscii)
{
    if (HelpShown) {
        HelpPicContainer->hide();
        HelpShown = false;
        FocusOpenInputBox();
        keyAscii = 0;
        return;
    }
    const bool printable = keyAscii >= 32 && keyAscii <= 126;
    if (printable && IsVisible(*Console))
        ConsoleLine += QChar(keyAscii);
    if (printable && !(IsVisible(*INTextPic) && IsVisible(*lvINTextPic)) && !IsVisible(*MsgPic))
        TypeAhead += QChar(keyAscii);

    if (AnswerArmed && TypeAhead.size() == 3) {
        WriteTrace(QStringLiteral("CALL SEND 1"), PendingPrefix + QStringLiteral("CHR26") + TypeAhead);
        SendRaw(PendingPrefix + QChar(ArmedAnswerMark) + TypeAhead);
        PendingPrefix.clear();
        AnswerArmed = false;
        InputPending = false;
        HideInputBoxes();
        TypeAhead.clear();
        FocusOpenEditors();
    } else if (keyAscii == KeyTab || keyAscii == KeyReturn) {
        keyAscii = 0;
    } else if (AnswerArmed && printable) {
        // The armed answer's characters are its own: typed into an open
        // input box they would come back through its mirror as well.
        keyAscii = 0;
    }
}

void fConnection::Form_KeyDown(int& keyCode, int shift)
{
    if (HelpShown)
        return;
    if (IsVisible(*Console)) {
        if (keyCode == KeyReturn) {
            SendLine(ConsoleLine);
            ConsoleLine.clear();
        } else if (keyCode == KeyEscape) {
            Console->hide();
        } else if (keyCode == KeyBack) {
            if (!ConsoleLine.isEmpty()) {
                ConsoleLine.chop(1);
            } else {
                QTextCursor caret = ConsoleText->textCursor();
                caret.movePosition(QTextCursor::End);
                ConsoleText->setTextCursor(caret);
            }
        }
        return;
    }
    if (shift == AltFlag) {
        if (keyCode == 'J') {
            puJumpTree_Click();
        } else if (keyCode == 'G') {
            TestMode = TestMode ? VbFalse : VbTrue;
            PaintBackdrop();
            DrawEntities();
        } else if (keyCode == 'B') {
            // A break character outside the byte range is no character.
            const double code = RoundHalfEven(BreakChar);
            if (code >= 0 && code <= 255)
                SendRaw(QString(QChar(static_cast<char16_t>(code))));
            else
                WriteTrace(QStringLiteral("SEND"), QStringLiteral("No break character %1").arg(BreakChar));
        } else if (keyCode == 'T') {
            OpenTraceWindows();
        } else if (keyCode == 'D') {
            ShowCommandWindow();
        } else if (keyCode == 'M') {
            ShowScriptManager();
        }
        return;
    }
    if (shift == CtrlFlag) {
        if (keyCode == 'Z') {
            AnswerArmed = true;
            PendingPrefix = TypeAhead;
            TypeAhead.clear();
            // Not an undo in the focused box: that would refill TypeAhead.
            keyCode = 0;
            return;
        }
        if (keyCode == 'M')
            keyCode = KeyReturn;
    }

    if (keyCode == KeyReturn && PressDefaultButton()) {
        keyCode = 0;
        return;
    }
    if (IsVisible(*ListPic)) {
        if (keyCode == KeyEscape)
            AnswerListSelection(QString());
        return;
    }
    if (IsVisible(*ParmFrame)) {
        if (keyCode == KeyEscape)
            AnswerParameters(QStringLiteral("X"));
        return;
    }
    if (IsVisible(*MsgPic) || IsVisible(*ProcPic))
        return;

    if (IsVisible(*INTextPic) || IsVisible(*lvINTextPic)) {
        switch (keyCode) {
        case KeyDelete:
            // At the end of a field Delete asks the host to clear it.
            for (const auto& [picture, box] : {std::pair{INTextPic, INText}, std::pair{lvINTextPic, lvINText}}) {
                if (IsVisible(*picture) && SelectionStart(*box) == box->text().size())
                    SendReply(QStringLiteral("#"));
            }
            break;
        case KeyUp:
            SendReply(QStringLiteral("<"));
            break;
        case KeyDown:
            SendReply(QStringLiteral(">"));
            break;
        case KeyEscape:
            SendReply(QStringLiteral(">>"));
            HideInputBoxes();
            break;
        default:
            break;
        }
    }
    if (keyCode == KeyReturn) {
        keyCode = 0;
        InputPending = false;
        HideInputBoxes();
        SendLine(InputKeyIndex != 0 ? EncryptWithKey(TypeAhead, InputKeyIndex) : TypeAhead);
        TypeAhead.clear();
        FocusOpenEditors();
    }
}

bool fConnection::BlockControlEscape()
{
    return KioskMode != 0;
}

bool fConnection::BlockAltEscape()
{
    return KioskMode != 0;
}

bool fConnection::BlockAltTab()
{
    return KioskMode != 0;
}

bool fConnection::BlockFunkey()
{
    return SendFunKeys != 0;
}

} // namespace zor
