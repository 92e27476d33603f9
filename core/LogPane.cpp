#include "core/LogPane.h"

#include <QTextCursor>
#include <QTextDocument>

namespace zor {

int LogPane::Length() const
{
    const QTextDocument* doc = document();
    return doc->characterCount() - 1 + doc->blockCount() - 1 + static_cast<int>(pending_.size()) + pendingLineEnds_;
}

void LogPane::Append(const QString& text)
{
    if (!isVisible()) {
        pending_ += text;
        pendingLineEnds_ += static_cast<int>(text.count(QLatin1Char('\n')));
        return;
    }
    Flush();
    InsertAtEnd(text);
}

void LogPane::KeepLast(int count)
{
    const int held = document()->characterCount() - 1;
    const int cut = held + static_cast<int>(pending_.size()) - count;
    if (cut <= 0)
        return;
    if (cut >= held) {
        document()->clear();
        const qsizetype dropped = cut - held;
        pendingLineEnds_ -= static_cast<int>(QStringView(pending_).first(dropped).count(QLatin1Char('\n')));
        pending_.remove(0, dropped);
        return;
    }
    // Removing the head leaves the lines that stay as they are laid out;
    // setting the whole tail again would lay out every one of them anew.
    QTextCursor head(document());
    head.setPosition(cut, QTextCursor::KeepAnchor);
    head.removeSelectedText();
}

QString LogPane::Text()
{
    Flush();
    return toPlainText();
}

void LogPane::ClearText()
{
    pending_.clear();
    pendingLineEnds_ = 0;
    clear();
}

void LogPane::showEvent(QShowEvent* event)
{
    Flush();
    QPlainTextEdit::showEvent(event);
}

void LogPane::Flush()
{
    if (pending_.isEmpty())
        return;
    InsertAtEnd(pending_);
    pending_.clear();
    pendingLineEnds_ = 0;
}

// Inserts at the end without going through the widget's line handling, so
// CR LF arrive as they are written.
void LogPane::InsertAtEnd(const QString& text)
{
    // A log grows all day: an undo history of every insert would grow with it.
    if (document()->isUndoRedoEnabled())
        document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    setTextCursor(cursor);
}

} // namespace zor
