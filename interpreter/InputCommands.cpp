// Commands that ask the user for a typed answer: the input box on the screen
// or in the sub-window, the queue of canned answers that stand in for the
// user, and the modal input dialog.
#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/NumberConversion.h"
#include "core/ProgramFolder.h"
#include "core/Rounding.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Surface.h"
#include "core/Text.h"
#include "core/TextFile.h"
#include "core/Trace.h"
#include "core/TypedLimit.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/fConnection.h"

#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

namespace zor {

namespace {

// A limit beyond what a text box can hold is no limit (0).
constexpr int UnlimitedLength = 32767;

int MaxLengthOf(QStringView field)
{
    const double value = RoundHalfEven(Val(field));
    return value >= 1 && value < UnlimitedLength ? static_cast<int>(value) : 0;
}

qint16 KeyIndexOf(QStringView field)
{
    const double value = Val(field);
    return value > 0 && value < 31 ? static_cast<qint16>(RoundHalfEven(value)) : qint16(0);
}

// Opens the box at the given pixel place, one cell high and columns + 1
// cells wide but never larger than the main picture, with the answer typed
// ahead winning over the host's text.
void OpenBox(PictureBox& picture, QLineEdit& box, const CommandUnit& unit, double left, double top, QSize most)
{
    const double cellWidth = CellWidth.toDouble();
    const double cellHeight = CellHeight.toDouble();
    if (!picture.isHidden())
        picture.hide();
    QFont font = box.font();
    if (cellWidth > 0)
        font.setPointSizeF(cellWidth);
    box.setFont(font);

    // A width below none is none before it meets the place: a place and a
    // width both far below zero would add up past the range of an int.
    const int width = std::max(0, ToPixel((Val(unit.Field(4)) + 1) * cellWidth));
    picture.setGeometry(WithinSize(QRect(ToPixel(left), ToPixel(top), width, ToPixel(cellHeight)), most));
    box.setGeometry(0, 0, picture.width(), picture.height());

    box.setText(IsBlank(TypeAhead) ? unit.FieldText(6) : TypeAhead);
    SetTypedLimit(box, MaxLengthOf(unit.Field(8)));
    box.setProperty("Attribute", unit.FieldText(7));
    const QChar caret(QLatin1Char('^'));
    box.setProperty("Tag", unit.FieldText(2) + caret + unit.FieldText(3) + caret + unit.FieldText(4) + caret +
                               unit.FieldText(5) + caret + unit.FieldText(8));
    box.deselect();
    box.setCursorPosition(static_cast<int>(box.text().size()));
    picture.show();
    picture.raise();
}

} // namespace

void Interpreter::RequestInput(const CommandUnit& unit)
{
    if (window_.DataList->count() > 0) {
        window_.INTextPic->hide();
        const QString answer = window_.DataList->item(0)->text();
        delete window_.DataList->takeItem(0);
        SendReply(answer);
        return;
    }
    InputChanged = false;
    const double cellWidth = CellWidth.toDouble();
    const double cellHeight = CellHeight.toDouble();
    const double column = Val(unit.Field(2));
    const double row = Val(unit.Field(3));
    if (CurPage == 0) {
        OpenBox(*window_.INTextPic, *window_.INText, unit, column * cellWidth, row * cellHeight,
                window_.MainPic->size());
    } else {
        // The host gives the place on the whole screen; the box lives in the
        // sub-window, below its caption bar.
        OpenBox(*window_.lvINTextPic, *window_.lvINText, unit, (column - SubWindowRect[0]) * cellWidth,
                (row - SubWindowRect[1] + 1) * cellHeight, window_.MainPic->size());
        window_.lvINText->setFocus();
    }
    InputKeyIndex = KeyIndexOf(unit.Field(9));
    InputPending = true;
    InputChanged = false;

    if (CaptureEnabled) {
        // A failure has been shown to the user; the box stays open.
        if (!SaveFileWhole(ProgramFile(QStringLiteral("capture.qms")), TextFileBytes(window_.stack)))
            WriteTrace(QStringLiteral("Process"), QStringLiteral("capture.qms not written"));
    }
}

void Interpreter::QueueAnswer(const CommandUnit& unit)
{
    QListWidget& queue = *window_.DataList;
    const QString answer = unit.FieldText(2);
    qsizetype queued = answer.size();
    for (int i = 0; i < queue.count(); ++i)
        queued += queue.item(i)->text().size();
    if (queue.count() >= MaxQueuedAnswers || queued > MaxQueuedChars) {
        WriteTrace(
            QStringLiteral("Process"),
            QStringLiteral("Not queued, the queue of answers is full: an answer of %1 characters").arg(answer.size()));
        return;
    }
    queue.addItem(answer);
}

void Interpreter::AskInput(const CommandUnit& unit)
{
    // A cancelled dialog answers with the empty text, so the host still gets
    // its line.
    SendReply(Dialogs::InputBox(unit.FieldText(3), unit.FieldText(2), unit.FieldText(4)));
}

} // namespace zor
