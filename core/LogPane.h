#pragma once

#include <QPlainTextEdit>

namespace zor {

// A text box written to as a log (the console, the procedure text). While it
// is not on screen, what it is given waits as plain text and goes into the box
// in one insert when it is shown or read: laying out every line of a hidden
// box made a long stream of plain text crawl.
class LogPane : public QPlainTextEdit {
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

    // Characters held, a line end counting as the two characters CR LF.
    int Length() const;
    // Appends at the end and leaves the caret after it.
    void Append(const QString& text);
    // Appends like Append; a text longer than maxChars alone (counted as
    // Length counts) would be cut at the next append anyway, so only its last
    // keptChars go in, in place of everything held: a long line then costs
    // what is kept, not its whole length laid out.
    void AppendCapped(const QString& text, int maxChars, int keptChars);
    // Keeps only the last count characters, a line end counting as two like
    // in Length, so the cut and the check that asks for it agree.
    void KeepLast(int count);
    // Everything held, what is waiting included.
    QString Text();
    void ClearText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Flush();
    void InsertAtEnd(const QString& text);

    QString pending_;
    // Length of pending_ the way Length counts it.
    int pendingLength_ = 0;
};

} // namespace zor
