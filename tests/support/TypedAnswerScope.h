#pragma once

#include "core/SharedState.h"
#include "session/fConnection.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

namespace zor::test {

// The typed-answer state back at its start for one test and afterwards: the
// answer typed ahead, the key index, the help and input flags, the item-list
// choices, the window's own answer state, the canned answers and every panel
// the keys and the mouse look at hidden.
class TypedAnswerScope {
public:
    TypedAnswerScope() { Reset(); }
    ~TypedAnswerScope() { Reset(); }
    TypedAnswerScope(const TypedAnswerScope&) = delete;
    TypedAnswerScope& operator=(const TypedAnswerScope&) = delete;

    static void Reset()
    {
        fConnection& w = fConnection::instance();
        for (QWidget* panel :
             {static_cast<QWidget*>(w.INTextPic), static_cast<QWidget*>(w.lvINTextPic), static_cast<QWidget*>(w.MVPic),
              static_cast<QWidget*>(w.lvMVPic), static_cast<QWidget*>(w.ListPic), static_cast<QWidget*>(w.ParmFrame),
              static_cast<QWidget*>(w.MsgPic), static_cast<QWidget*>(w.ProcPic), static_cast<QWidget*>(w.ProgBarPic),
              static_cast<QWidget*>(w.HelpPicContainer), w.Console, static_cast<QWidget*>(w.lvMainPic),
              static_cast<QWidget*>(w.ThePopUp)})
            panel->hide();
        for (QLineEdit* box : {w.INText, w.lvINText, w.MVText, w.lvMVText}) {
            box->clear();
            box->setEnabled(true);
        }
        w.ConsoleText->ClearText();
        w.DataList->clear();
        w.stack.clear();
        w.TabAnswered = false;
        w.AnswerArmed = false;
        w.PendingPrefix.clear();
        w.ConsoleLine.clear();
        TypeAhead.clear();
        InputKeyIndex = 0;
        InputChanged = false;
        InputPending = false;
        HelpShown = false;
        BreakChar = 0;
        ItemListValues.fill(QString());
        CaptureEnabled = 0;
        ClearingScreen = false;
        MsgBoxUp = false;
        ProcMode = false;
        w.Timer4->stop();
    }
};

} // namespace zor::test
