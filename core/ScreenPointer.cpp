#include "core/ScreenPointer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QVariant>
#include <QWidget>

namespace zor {

void SetScreenPointer(ScreenPointer pointer)
{
    if (pointer == ScreenPointer::Default) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    } else if (!QGuiApplication::overrideCursor()) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

void UseDefaultPointer(QWidget& picture)
{
    picture.unsetCursor();
}

void UseCustomPointer(QWidget& picture)
{
    const QVariant icon = picture.property("MouseIcon");
    picture.setCursor(icon.canConvert<QCursor>() ? icon.value<QCursor>() : QCursor(Qt::ArrowCursor));
}

} // namespace zor
