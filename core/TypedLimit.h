// A length limit on a typed answer that binds only what the user adds: text
// the program puts into the box (the host's initial text, a type-ahead) stays
// whole even when it is longer, and can still be shortened by the user.
#pragma once

#include <QString>

class QLineEdit;

namespace zor {

struct LimitedEdit {
    QString text;
    int cursor = 0;
};

// The edit from `before` to `after` with the added characters cut so that
// the result holds at most `limit` characters, or no more than `before`
// where that was already longer.
LimitedEdit LimitAddedText(const QString& before, const QString& after, int limit);

// Keeps what the user types into `box` to `limit` characters; below 1 means
// no limit.
void SetTypedLimit(QLineEdit& box, int limit);
int TypedLimitOf(const QLineEdit& box);

} // namespace zor
