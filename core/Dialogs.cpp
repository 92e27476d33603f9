#include "core/Dialogs.h"

#include "core/Fields.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace zor::Dialogs {

namespace {

Answerer& CurrentAnswerer()
{
    static Answerer answerer;
    return answerer;
}

QPointer<QWidget>& ParentWindow()
{
    static QPointer<QWidget> parent;
    return parent;
}

std::optional<QVariant> Answered(const Request& request)
{
    if (!CurrentAnswerer())
        return std::nullopt;
    return CurrentAnswerer()(request);
}

QMessageBox::Icon IconOf(int style)
{
    switch (style & 0x70) {
    case Critical:
        return QMessageBox::Critical;
    case Question:
        return QMessageBox::Question;
    case Exclamation:
        return QMessageBox::Warning;
    case Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    Answer answer;
};

QList<ButtonSpec> ButtonsOf(int style)
{
    switch (style & 7) {
    case OKCancel:
        return {{QMessageBox::Ok, OK}, {QMessageBox::Cancel, Cancel}};
    case AbortRetryIgnore:
        return {{QMessageBox::Abort, Abort}, {QMessageBox::Retry, Retry}, {QMessageBox::Ignore, Ignore}};
    case YesNoCancel:
        return {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}, {QMessageBox::Cancel, Cancel}};
    case YesNo:
        return {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}};
    case RetryCancel:
        return {{QMessageBox::Retry, Retry}, {QMessageBox::Cancel, Cancel}};
    default:
        return {{QMessageBox::Ok, OK}};
    }
}

} // namespace

void SetAnswerer(Answerer answerer)
{
    CurrentAnswerer() = std::move(answerer);
}
void ClearAnswerer()
{
    CurrentAnswerer() = nullptr;
}
void SetParentWindow(QWidget* parent)
{
    ParentWindow() = parent;
}

int MsgBox(const QString& prompt, int style, const QString& title)
{
    if (auto answer = Answered({Request::MessageBox, prompt, title, {}, {}, style}))
        return answer->toInt();
    QMessageBox box(IconOf(style), title, prompt, QMessageBox::NoButton, ParentWindow());
    box.setTextFormat(Qt::PlainText);
    const QList<ButtonSpec> buttons = ButtonsOf(style);
    for (const ButtonSpec& spec : buttons)
        box.addButton(spec.button);
    const int defaultIndex = (style & DefaultButton3) ? 2 : (style & DefaultButton2) ? 1 : 0;
    if (defaultIndex < buttons.size())
        box.setDefaultButton(buttons[defaultIndex].button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonSpec& spec : buttons)
        if (spec.button == clicked)
            return spec.answer;
    // Closed by Esc or the frame: the box's cancel answer, else its only one.
    for (const ButtonSpec& spec : buttons)
        if (spec.answer == Cancel || spec.answer == No)
            return spec.answer;
    return buttons.front().answer;
}

QString InputBox(const QString& prompt, const QString& title, const QString& initial)
{
    if (auto answer = Answered({Request::InputBox, prompt, title, initial, {}, 0}))
        return answer->toString();
    QInputDialog dialog(ParentWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    // The prompt comes from the host: never let it be read as markup.
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString ToQtFilter(const QString& filter)
{
    // Pairs of "name|patterns"; the file dialog reads the patterns from the
    // parentheses of each entry.
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString GetOpenFileName(const QString& title, const QString& filter, const QString& initialFolder)
{
    if (auto answer = Answered({Request::OpenFile, {}, title, initialFolder, filter, 0}))
        return answer->toString();
    return QFileDialog::getOpenFileName(ParentWindow(), title, initialFolder, ToQtFilter(filter));
}

QString GetSaveFileName(const QString& title, const QString& filter, const QString& initialFolder,
                        QString* chosenFilter)
{
    // The entries' names stand at the even places of "name|patterns|...".
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QString path;
    QString chosen;
    if (auto answer = Answered({Request::SaveFile, {}, title, initialFolder, filter, 0})) {
        const QStringList given = answer->toStringList();
        path = given.value(0);
        chosen = given.size() > 1 ? given[1] : parts.value(0);
    } else {
        const QString entries = ToQtFilter(filter);
        QString selected;
        path = QFileDialog::getSaveFileName(ParentWindow(), title, initialFolder, entries, &selected);
        const qsizetype index = entries.split(QStringLiteral(";;")).indexOf(selected);
        chosen = parts.value(2 * std::max<qsizetype>(0, index));
    }
    if (chosenFilter)
        *chosenFilter = chosen;
    return path;
}

QString GetFolder(const QString& title, const QString& initialFolder)
{
    if (auto answer = Answered({Request::Folder, {}, title, initialFolder, {}, 0}))
        return answer->toString();
    return QFileDialog::getExistingDirectory(ParentWindow(), title, initialFolder);
}

std::optional<QColor> ChooseColour(const QColor& initial)
{
    if (auto answer = Answered({Request::Colour, {}, {}, initial.name(), {}, 0})) {
        if (!answer->isValid())
            return std::nullopt;
        return answer->value<QColor>();
    }
    const QColor colour = QColorDialog::getColor(initial, ParentWindow());
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::optional<QFont> ChooseFont(const QFont& initial)
{
    if (auto answer = Answered({Request::Font, {}, {}, initial.toString(), {}, 0})) {
        if (!answer->isValid())
            return std::nullopt;
        return answer->value<QFont>();
    }
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, ParentWindow());
    if (!ok)
        return std::nullopt;
    return font;
}

bool ChoosePrinter(QPrinter& printer)
{
    if (auto answer = Answered({Request::Printer, {}, {}, printer.printerName(), {}, 0})) {
        const QString pdf = answer->toString();
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    QPrintDialog dialog(&printer, ParentWindow());
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zor::Dialogs
