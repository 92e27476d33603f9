#pragma once

#include <QString>
#include <QStringView>
#include <array>

namespace zor {

// One command unit: "^"-separated fields, field 1 the command code. The unit
// keeps its text whole (that is what the history records) and its fields are
// views into that text, so splitting allocates nothing.
class CommandUnit {
public:
    // Slots 0..30: slot 0 stays empty, the fields take slots 1..29 and the end
    // of the unit would take the next slot, 30 at the most.
    static constexpr int FieldSlots = 31;
    static constexpr int MaxFields = FieldSlots - 2;
    // A field equal to this ends the unit's fields as the end of the text does.
    static constexpr QStringView EndMarker = u"~!@";

    explicit CommandUnit(const QString& text);

    // Splits the text into the field slots. False (and no fields) when the
    // unit has more fields than the slots hold.
    bool Split();

    const QString& Text() const { return text_; }
    bool HasCaret() const { return text_.contains(QLatin1Char('^')); }
    // Field k from 1; slot 0 and every slot beyond the last field are empty.
    QStringView Field(int k) const;
    QString FieldText(int k) const { return Field(k).toString(); }
    // The number of fields the split found.
    int FieldCount() const { return count_; }

    // Field 1 of a text, as the split would give it (also without a split).
    static QStringView CodeOf(QStringView text);

private:
    QString text_;
    std::array<QStringView, FieldSlots> fields_{};
    int count_ = 0;
};

} // namespace zor
