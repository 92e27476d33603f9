// The multi-value editor: one value of a host-side list at a time, with the
// buttons the host offers for walking and editing the list.
#include "core/Colors.h"
#include "core/NumberConversion.h"
#include "core/Rounding.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/fConnection.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace zor {

namespace {

struct Editor {
    PictureBox* picture;
    QLineEdit* text;
    std::array<QPushButton*, MultiValueButtonSlots>& buttons;
};

void SetReply(QPushButton* button, const QString& reply)
{
    // Element 2 of the button row does not exist.
    if (!button)
        return;
    button->setProperty("Tag", reply);
    button->setEnabled(!reply.isEmpty());
}

} // namespace

void Interpreter::OpenMultiValueEditor(const CommandUnit& unit)
{
    fConnection& w = window_;
    if (w.DataList->count() > 0) {
        w.MVPic->hide();
        w.lvMVPic->hide();
        const QString answer = w.DataList->item(0)->text();
        delete w.DataList->takeItem(0);
        SendReply(answer);
        return;
    }
    const bool main = CurPage == 0;
    Editor editor = main ? Editor{w.MVPic, w.MVText, w.MVCmd} : Editor{w.lvMVPic, w.lvMVText, w.lvMVCmd};
    const double column = Val(unit.Field(2));
    if (column == -1) {
        editor.picture->hide();
        return;
    }
    const double cellWidth = CellWidth.toDouble();
    const double cellHeight = CellHeight.toDouble();
    const double row = Val(unit.Field(3));
    if (main)
        editor.picture->move(ToPixel(column * cellWidth), ToPixel(row * cellHeight));
    else
        editor.picture->move(ToPixel((column - SubWindowRect[0]) * cellWidth),
                             ToPixel((row - SubWindowRect[1]) * cellHeight + cellHeight));
    editor.picture->setProperty("Tag", unit.FieldText(2) + QLatin1Char('^') + unit.FieldText(3));
    editor.picture->show();

    SetReply(editor.buttons[0], Trim(unit.FieldText(5)));
    SetReply(editor.buttons[1], Trim(unit.FieldText(6)));

    QString value = Trim(unit.FieldText(7));
    if (value.startsWith(QLatin1Char('*'))) {
        value.remove(0, 1);
        editor.text->setText(value);
        editor.text->setEnabled(false);
    } else {
        editor.text->setText(value);
        editor.text->setEnabled(true);
        editor.text->setFocus();
        editor.text->setSelection(0, static_cast<int>(value.size()));
        QPalette palette = editor.text->palette();
        palette.setColor(QPalette::Base, ToQColor(InputBackColor));
        editor.text->setPalette(palette);
    }
    for (int k = 3; k < MultiValueButtonSlots; ++k)
        SetReply(editor.buttons[static_cast<size_t>(k)], Trim(unit.FieldText(k + 5)));

    editor.picture->show();
    editor.picture->raise();
    AddToHistory(unit);
}

} // namespace zor
