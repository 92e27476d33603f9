// Lists the host fills line by line: the list selection panel, from which
// the user picks one line as the answer, and the item lists on the screen,
// whose chosen line's first word the entities linked to them send.
#include "core/Dialogs.h"
#include "core/NumberConversion.h"
#include "core/Rounding.h"
#include "core/ScreenPointer.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/WindowUtils.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/fConnection.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <optional>

namespace zor {

namespace {

const QString DefaultListHeader = QStringLiteral("##### Description......................");

constexpr int ListMargin = 5;
// The header's room on the list panel: the panel is as wide as its header
// and a little more.
constexpr int HeaderMargins = 30;

// The header as far as a panel no wider than the screen shows it: a header
// of any length costs no more than the screen's width.
void ShowHeader(fConnection& w, const QString& text)
{
    QLabel& header = *w.LSHeader;
    const int room = w.MainPic->width() - HeaderMargins;
    header.setText(QFontMetrics(header.font()).elidedText(text, Qt::ElideRight, qMax(0, room)));
    header.adjustSize();
}

} // namespace

void Interpreter::StartList(const CommandUnit& unit)
{
    fConnection& w = window_;
    const QString header = IsBlank(unit.Field(3)) ? DefaultListHeader : unit.FieldText(3);
    ShowHeader(w, header);
    ListHeader = header;
    w.LSList->clear();
    w.LSForm->setText(ShownCaption(unit.FieldText(2)));
    const double rows = Val(unit.Field(4));
    // No taller than the screen: beyond it the buttons could not be reached,
    // and the panel's picture would take memory for nothing.
    if (rows > 3)
        w.ListPic->resize(w.ListPic->width(),
                          qBound(0, ToPixel(CellHeight.toDouble() * (rows + 1)), w.MainPic->height()));
    w.LSCmnd[2]->setEnabled(unit.Field(5).toString().toLower() == QLatin1String("m"));
    AddToHistory(unit);
}

void Interpreter::AddListLine(const CommandUnit& unit)
{
    window_.LSList->addItem(unit.FieldText(3));
    AddToHistory(unit);
}

void Interpreter::EndList(const CommandUnit& unit)
{
    fConnection& w = window_;
    SetScreenPointer(ScreenPointer::Default);
    if (w.LSList->count() == 0) {
        Dialogs::MsgBox(QStringLiteral("There are no items to display."), Dialogs::Exclamation,
                        QStringLiteral("Item Listing"));
    } else {
        ShowHeader(w, ListHeader);
        w.LSList->setCurrentRow(0);
        // Never narrower than the buttons side by side, so that every one
        // lies inside the panel and none covers another.
        int buttons = ListMargin;
        for (const QPushButton* button : w.LSCmnd)
            buttons += IsVisible(*button) ? button->width() + ListMargin : 0;
        const int inner = qMax(buttons, qMin(w.LSHeader->width() + HeaderMargins, w.MainPic->width()));
        const int height = w.ListPic->height();
        w.ListPic->resize(inner, height);
        w.LSForm->resize(inner, w.LSForm->height());
        w.LSList->resize(qMax(0, inner - ListMargin), qMax(0, height - 70));
        // From the right: OK, Cancel, Print; Maint keeps its place.
        const std::pair<size_t, int> fromRight[] = {{0, 1}, {1, 2}, {3, 3}};
        for (const auto& [button, place] : fromRight)
            w.LSCmnd[button]->move(inner - place * (w.LSCmnd[button]->width() + ListMargin), w.LSCmnd[button]->y());
        for (QPushButton* button : w.LSCmnd)
            button->move(button->x(), height - button->height() - ListMargin);
        CenterInParent(*w.ListPic, *w.MainPic);
        w.ListPic->show();
        w.ListPic->raise();
        w.MakeDefaultButton(*w.LSCmnd[0]);
        w.LSList->setFocus();
    }
    AddToHistory(unit);
}

std::optional<size_t> Interpreter::ItemListNamed(const CommandUnit& unit)
{
    const double number = RoundHalfEven(Val(unit.Field(2)));
    if (number >= 0 && number < ItemListSlots)
        return static_cast<size_t>(number);
    Refuse(unit, QStringLiteral("no item list %1").arg(unit.FieldText(2)));
    return std::nullopt;
}

void Interpreter::StartItemList(const CommandUnit& unit)
{
    const std::optional<size_t> number = ItemListNamed(unit);
    if (!number)
        return;
    QListWidget& list = *window_.ILList[*number];
    ItemListValues[*number].clear();
    {
        // Emptied, the list has no choice; that is no choice of the user's.
        const QSignalBlocker quiet(list);
        list.clear();
    }
    const double cellWidth = CellWidth.toDouble();
    const double cellHeight = CellHeight.toDouble();
    SetFontPoints(list, cellWidth);
    list.setGeometry(ToPixel(Val(unit.Field(3)) * cellWidth), ToPixel(Val(unit.Field(4)) * cellHeight),
                     qMax(0, ToPixel((Val(unit.Field(5)) + 1) * cellWidth)),
                     qMax(0, ToPixel((Val(unit.Field(6)) + 1) * cellHeight)));
    const QChar caret(QLatin1Char('^'));
    list.setProperty("Tag", unit.FieldText(3) + caret + unit.FieldText(4) + caret + unit.FieldText(5) + caret +
                                unit.FieldText(6));
    AddToHistory(unit);
}

void Interpreter::AddItemListLine(const CommandUnit& unit)
{
    const std::optional<size_t> number = ItemListNamed(unit);
    if (!number)
        return;
    QListWidget& list = *window_.ILList[*number];
    list.addItem(unit.FieldText(3));
    // The line just added is the list's choice, as if the user had clicked it.
    list.setCurrentRow(list.count() - 1);
    AddToHistory(unit);
}

void Interpreter::ShowItemList(const CommandUnit& unit)
{
    const std::optional<size_t> number = ItemListNamed(unit);
    if (!number)
        return;
    SetScreenPointer(ScreenPointer::Default);
    QListWidget& list = *window_.ILList[*number];
    list.setEnabled(true);
    list.show();
    ItemListUp = true;
    AddToHistory(unit);
}

} // namespace zor
