// The on-screen ten-key pad as the host sets it up: mode, headings, place,
// first entry, decimal point and up to eight extra keys.
#include "core/Colors.h"
#include "core/NumberConversion.h"
#include "core/Rounding.h"
#include "core/SharedState.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/fConnection.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace zor {

namespace {

// Heading offsets in the pad, designed in twips (15 to the pixel).
constexpr int HeadingLeft = 7;      // 100 twips
constexpr int FirstHeadingTop = 7;  // 100 twips
constexpr int SecondHeadingGap = 5; // 70 twips
constexpr int FirstExtraField = 8;  // f(8)..f(15): keys 14..21
constexpr int ExtraKeyFields = 8;

// A heading placed at the top of the pad; the pad grows by its height.
int PlaceHeading(QGroupBox& pad, QLabel& heading, const QString& text, int top)
{
    heading.setText(text);
    heading.adjustSize();
    heading.move(HeadingLeft, top);
    heading.show();
    pad.resize(pad.width(), pad.height() + heading.height());
    return heading.height();
}

} // namespace

void Interpreter::OpenTenKeyPad(const CommandUnit& unit)
{
    fConnection& w = window_;
    // Every number first: a unit the pad cannot take changes nothing.
    std::optional<qint16> numbers[4];
    const int numberFields[4] = {2, 4, 5, 7};
    for (int i = 0; i < 4; ++i) {
        if (unit.Field(numberFields[i]).isEmpty())
            continue;
        numbers[i] = StrictInteger(unit.Field(numberFields[i]));
        if (!numbers[i]) {
            Refuse(unit, QStringLiteral("field %1 is no Integer").arg(numberFields[i]));
            return;
        }
    }
    const auto& [mode, column, row, decimals] = numbers;

    w.cbTenKey[12]->setText(QStringLiteral("E\nn\nt\ne\nr"));
    w.cbTenKey[10]->setText(QStringLiteral(".\n "));
    QPalette palette = w.tbTenKey->palette();
    palette.setColor(QPalette::Base, ToQColor(InputBackColor));
    w.tbTenKey->setPalette(palette);
    if (mode) {
        TenKeyPinned = *mode;
        if (TenKeyPinned == 2)
            w.frTenKey->hide();
    }

    w.RestoreTenKeyDesign();
    int raise = 0;
    if (!unit.Field(3).isEmpty())
        raise += PlaceHeading(*w.frTenKey, *w.lblTK1, unit.FieldText(3), FirstHeadingTop);
    if (!unit.Field(17).isEmpty())
        raise += PlaceHeading(*w.frTenKey, *w.lblTK2, unit.FieldText(17), w.lblTK1->height() + SecondHeadingGap);
    if (raise > 1) {
        // The pad grows upwards, the keys keeping their place on the screen,
        // as far as the top of the screen: there it grows downwards.
        for (QPushButton* key : w.cbTenKey)
            key->move(key->x(), key->y() + raise);
        w.tbTenKey->move(w.tbTenKey->x(), w.tbTenKey->y() + raise);
        const int lift = std::clamp(w.frTenKey->y(), 0, raise);
        w.frTenKey->move(w.frTenKey->x(), w.frTenKey->y() - lift);
        w.TenKeyRaise = lift;
    }
    if (column)
        w.frTenKey->move(ToPixel(*column * CellWidth.toDouble()), w.frTenKey->y());
    if (row) {
        w.frTenKey->move(w.frTenKey->x(), std::max(0, ToPixel(*row * CellHeight.toDouble())));
        // The place is the host's own now: nothing to undo next time.
        w.TenKeyRaise = 0;
    }

    if (!unit.Field(6).isEmpty())
        w.tbTenKey->setText(unit.FieldText(6));

    w.ImpliedDecimals = false;
    w.cbTenKey[10]->show();
    if (decimals && *decimals == 2) {
        w.cbTenKey[10]->hide();
    } else if (decimals && *decimals == 3) {
        w.ImpliedDecimals = true;
        w.cbTenKey[10]->hide();
    }

    int width = fConnection::TenKeyWidth;
    for (int i = 0; i < ExtraKeyFields; ++i) {
        const int field = FirstExtraField + i;
        if (unit.Field(field).isEmpty())
            continue;
        width = field < 12 ? 443 : 531;
        const QStringList parts = unit.FieldText(field).split(QLatin1Char('\\'));
        QPushButton* key = w.cbTenKey[static_cast<size_t>(field + 6)];
        key->setText(parts[0]);
        const QString reply = parts.value(1);
        w.TenKeyExtraValues[static_cast<size_t>(field - 7)] = reply.isEmpty() ? parts[0] : reply;
        key->show();
    }
    w.frTenKey->resize(width, w.frTenKey->height());

    TypeAhead = w.tbTenKey->text();
    w.frTenKey->show();
    w.frTenKey->raise();
}

} // namespace zor
