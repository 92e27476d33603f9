#include "core/LogPane.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace zor {

namespace {

// A line end of the box: CR LF, a lone CR or LF, or a paragraph separator,
// the way the document makes one block break of each.
qsizetype LineEndAt(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    if (c == QLatin1Char('\r'))
        return i + 1 < text.size() && text[i + 1] == QLatin1Char('\n') ? 2 : 1;
    return c == QLatin1Char('\n') || c == QChar::ParagraphSeparator ? 1 : 0;
}

// Length of text counted with every line end as two characters.
int CountedLength(QStringView text)
{
    int length = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype end = LineEndAt(text, i);
        length += end > 0 ? 2 : 1;
        i += end > 0 ? end : 1;
    }
    return length;
}

// The head of a text to drop so that at least `cut` counted characters go
// (a line end goes whole): its characters, and how many it counts.
struct Head {
    qsizetype chars = 0;
    int counted = 0;
};
Head HeadToDrop(QStringView text, int cut)
{
    Head head;
    while (head.counted < cut && head.chars < text.size()) {
        const qsizetype end = LineEndAt(text, head.chars);
        head.counted += end > 0 ? 2 : 1;
        head.chars += end > 0 ? end : 1;
    }
    return head;
}

} // namespace

int LogPane::Length() const
{
    const QTextDocument* doc = document();
    return doc->characterCount() - 1 + doc->blockCount() - 1 + pendingLength_;
}

void LogPane::Append(const QString& text)
{
    if (!isVisible()) {
        // A CR at the end of what waits and an LF at the head of this text
        // become one line end once inserted together.
        const bool joined = pending_.endsWith(QLatin1Char('\r')) && text.startsWith(QLatin1Char('\n'));
        pending_ += text;
        pendingLength_ += CountedLength(text) - (joined ? 2 : 0);
        return;
    }
    Flush();
    InsertAtEnd(text);
}

void LogPane::AppendCapped(const QString& text, int maxChars, int keptChars)
{
    const int length = CountedLength(text);
    if (length <= maxChars) {
        Append(text);
        return;
    }
    const Head head = HeadToDrop(text, length - keptChars);
    ClearText();
    Append(text.mid(head.chars));
}

void LogPane::KeepLast(int count)
{
    int cut = Length() - count;
    if (cut <= 0)
        return;
    QTextDocument* doc = document();
    const int held = doc->characterCount() - 1 + doc->blockCount() - 1;
    if (cut >= held) {
        doc->clear();
        cut -= held;
        // The head ends between two line ends or characters, so what stays
        // counts what it counted before: no count of the whole rest again.
        const Head head = HeadToDrop(pending_, cut);
        pending_.remove(0, head.chars);
        pendingLength_ -= head.counted;
        return;
    }
    // The place in the document where `cut` counted characters lie behind:
    // each block's text counts as it is, each block break as two.
    int position = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const int text = block.length() - 1;
        if (cut <= text) {
            position = block.position() + cut;
            break;
        }
        cut -= text + 2;
        if (cut <= 0) {
            position = block.position() + block.length();
            break;
        }
    }
    // Removing the head leaves the lines that stay as they are laid out;
    // setting the whole tail again would lay out every one of them anew.
    QTextCursor head(doc);
    head.setPosition(position, QTextCursor::KeepAnchor);
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
    pendingLength_ = 0;
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
    pendingLength_ = 0;
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
