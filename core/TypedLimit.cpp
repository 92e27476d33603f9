#include "core/TypedLimit.h"

#include <QLineEdit>
#include <QObject>
#include <algorithm>

namespace zor {

LimitedEdit LimitAddedText(const QString& before, const QString& after, int limit)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const qsizetype added = after.size() - prefix - suffix;
    const qsizetype room = std::max<qsizetype>(0, limit - prefix - suffix);
    if (limit < 1 || after.size() <= std::max<qsizetype>(limit, before.size()) || added <= room)
        return {after, static_cast<int>(prefix + added)};
    const QString text = after.left(prefix) + after.mid(prefix, room) + after.right(suffix);
    return {text, static_cast<int>(prefix + room)};
}

namespace {

// Remembers the last text of the box so that an edit can be measured
// against it. Program-set text (which clears the modified flag) is taken
// as it is.
class TypedLimit : public QObject {
public:
    explicit TypedLimit(QLineEdit& box) : QObject(&box), box_(box), accepted_(box.text())
    {
        QObject::connect(&box, &QLineEdit::textChanged, this, [this] { Check(); });
    }

    int limit = 0;

private:
    void Check()
    {
        const QString text = box_.text();
        if (!box_.isModified() || limit < 1) {
            accepted_ = text;
            return;
        }
        const LimitedEdit edit = LimitAddedText(accepted_, text, limit);
        accepted_ = edit.text;
        if (edit.text != text) {
            box_.setText(edit.text);
            box_.setModified(true);
            box_.setCursorPosition(edit.cursor);
        }
    }

    QLineEdit& box_;
    QString accepted_;
};

TypedLimit* LimitOf(const QLineEdit& box)
{
    // No meta-object of its own, so qobject_cast cannot tell it apart.
    for (QObject* child : box.children()) {
        if (auto* typed = dynamic_cast<TypedLimit*>(child))
            return typed;
    }
    return nullptr;
}

} // namespace

void SetTypedLimit(QLineEdit& box, int limit)
{
    TypedLimit* typed = LimitOf(box);
    if (!typed)
        typed = new TypedLimit(box);
    typed->limit = limit;
}

int TypedLimitOf(const QLineEdit& box)
{
    const TypedLimit* typed = LimitOf(box);
    return typed ? typed->limit : 0;
}

} // namespace zor
