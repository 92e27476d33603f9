#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace zor::Dialogs {

// Message-box styles: buttons in the low bits, the icon above them.
enum Style {
    OKOnly = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
    DefaultButton2 = 256,
    DefaultButton3 = 512,
};

// The button that closed a message box.
enum Answer { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct Request {
    enum Kind { MessageBox, InputBox, OpenFile, SaveFile, Colour, Font, Folder, Printer };
    Kind kind;
    QString prompt; // message text or input prompt
    QString title;
    QString initial; // default answer, folder or file
    QString filter;  // "Name|*.ext|..." as the callers give it
    int style = 0;
};

// Tests answer the boxes here instead of showing them: a message box expects
// an int Answer, the others a QString (empty means cancelled), a QColor or a
// QFont (invalid QVariant means cancelled). The printer dialog's QString is
// the PDF file to print into. Requests are recorded either way.
using Answerer = std::function<QVariant(const Request&)>;
void SetAnswerer(Answerer answerer);
void ClearAnswerer();

// The parent of the boxes (the session window once it exists).
void SetParentWindow(QWidget* parent);

int MsgBox(const QString& prompt, int style = OKOnly, const QString& title = QString());
// The typed text; empty when cancelled.
QString InputBox(const QString& prompt, const QString& title = QString(), const QString& initial = QString());
// The chosen path; empty when cancelled.
QString GetOpenFileName(const QString& title, const QString& filter, const QString& initialFolder);
// chosenFilter, when given, receives the name of the filter entry the user
// chose ("Text Files" of "...|Text Files|*.txt"). A test's answer is the path,
// or a QStringList of the path and the filter's name.
QString GetSaveFileName(const QString& title, const QString& filter, const QString& initialFolder,
                        QString* chosenFilter = nullptr);
QString GetFolder(const QString& title, const QString& initialFolder);
std::optional<QColor> ChooseColour(const QColor& initial);
std::optional<QFont> ChooseFont(const QFont& initial);
// The printer dialog on the printer; false when cancelled.
bool ChoosePrinter(QPrinter& printer);

// "Text (*.txt)|*.txt|All|*.*" as the file dialog's filter list.
QString ToQtFilter(const QString& filter);

} // namespace zor::Dialogs
