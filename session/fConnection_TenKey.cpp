// The ten-key pad: its designed layout, and what a press on one of its keys
// does to the entry and the host.
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "session/fConnection.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zor {

QRect fConnection::TenKeyDesign(int key)
{
    // Digits in the usual keypad order, then the point, BS, a tall Enter and
    // Close; the extra keys fill two columns to the right, which the pad's
    // widths 443 and 531 uncover.
    constexpr int columns[] = {10, 95, 180, 265, 355, 443};
    constexpr int rows[] = {60, 115, 170, 225};
    struct Place {
        int column, row, rowSpan;
    };
    constexpr Place places[TenKeyButtonSlots] = {
        {0, 3, 1}, {0, 2, 1}, {1, 2, 1}, {2, 2, 1}, {0, 1, 1}, {1, 1, 1}, {2, 1, 1}, {0, 0, 1},
        {1, 0, 1}, {2, 0, 1}, {1, 3, 1}, {2, 3, 1}, {3, 1, 3}, {3, 0, 1}, {4, 0, 1}, {4, 1, 1},
        {4, 2, 1}, {4, 3, 1}, {5, 0, 1}, {5, 1, 1}, {5, 2, 1}, {5, 3, 1},
    };
    const Place& p = places[key];
    return QRect(columns[p.column], rows[p.row], 80, 50 * p.rowSpan + 5 * (p.rowSpan - 1));
}

void fConnection::RestoreTenKeyDesign()
{
    frTenKey->move(frTenKey->x(), frTenKey->y() + TenKeyRaise);
    TenKeyRaise = 0;
    frTenKey->setTitle(QString());
    frTenKey->resize(TenKeyWidth, TenKeyHeight);
    tbTenKey->setGeometry(10, 20, 335, 30);
    lblTK1->hide();
    lblTK2->hide();
    for (int k = 0; k < TenKeyButtonSlots; ++k) {
        QPushButton* key = cbTenKey[static_cast<size_t>(k)];
        key->setGeometry(TenKeyDesign(k));
        key->setVisible(k < 14);
    }
    TenKeyDigits.clear();
}

void fConnection::cbTenKey_Click(int key)
{
    if (TypeAhead != tbTenKey->text()) {
        tbTenKey->clear();
        TenKeyDigits.clear();
    }
    QString entry = tbTenKey->text();
    if (key == 13) {
        tbTenKey->clear();
        TenKeyDigits.clear();
        frTenKey->hide();
    } else if (key == 12) {
        tbTenKey->clear();
        TenKeyDigits.clear();
        if (TenKeyPinned != 1)
            frTenKey->hide();
        SendReply(entry);
    } else if (key == 11) {
        if (ImpliedDecimals && !TenKeyDigits.isEmpty()) {
            // The digits make the entry: dropping only a shown character
            // would bring it back with the next digit.
            TenKeyDigits.chop(1);
            tbTenKey->setText(TenKeyDigits.isEmpty() ? QString() : ImpliedDecimalEntry(TenKeyDigits));
        } else if (!entry.isEmpty()) {
            entry.chop(1);
            tbTenKey->setText(entry);
        }
    } else if (key == 10) {
        if (!entry.contains(QLatin1Char('.')))
            tbTenKey->setText(entry + QLatin1Char('.'));
    } else if (key >= 14 && key < TenKeyButtonSlots) {
        entry += TenKeyExtraValues[static_cast<size_t>(key - 13)];
        tbTenKey->setText(entry);
        TypeAhead = entry;
        SendReply(entry);
        // The entry has gone to the host: a keyboard Enter or a field click
        // must not send it a second time. The display stays until the next
        // key starts a new entry.
        TypeAhead.clear();
        return;
    } else if (key >= 0 && key <= 9) {
        const QChar digit(QLatin1Char(static_cast<char>('0' + key)));
        if (ImpliedDecimals) {
            TenKeyDigits += digit;
            tbTenKey->setText(ImpliedDecimalEntry(TenKeyDigits));
        } else {
            tbTenKey->setText(entry + digit);
        }
    }
    TypeAhead = tbTenKey->text();
}

QString fConnection::ImpliedDecimalEntry(const QString& digits)
{
    // One digit reads as hundredths, like the two-digit rule would give.
    const QString padded = digits.size() < 2 ? digits.rightJustified(2, QLatin1Char('0')) : digits;
    return padded.left(padded.size() - 2) + QLatin1Char('.') + padded.right(2);
}

} // namespace zor
