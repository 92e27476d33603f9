#include "settings/ControlColours.h"

#include "core/Colors.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace zor {

namespace {

void SetRole(QWidget& widget, QPalette::ColorRole role, qint32 colour)
{
    QPalette palette = widget.palette();
    palette.setColor(role, ToQColor(colour));
    widget.setPalette(palette);
}

} // namespace

void SetBoxColours(QWidget& box, qint32 fore, qint32 back)
{
    SetRole(box, QPalette::Text, fore);
    SetRole(box, QPalette::Base, back);
    box.setProperty("ForeColor", fore);
    box.setProperty("BackColor", back);
}

void SetForeColor(QWidget& label, qint32 colour)
{
    SetRole(label, QPalette::WindowText, colour);
    label.setProperty("ForeColor", colour);
}

void SetBackColor(QWidget& label, qint32 colour)
{
    label.setAutoFillBackground(true);
    SetRole(label, QPalette::Window, colour);
    label.setProperty("BackColor", colour);
}

qint32 BackColor(const QWidget& label)
{
    return label.property("BackColor").value<qint32>();
}

} // namespace zor
