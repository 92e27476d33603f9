#pragma once

#include <QString>
#include <QWidget>

namespace zor {

// A control of the settings window, named as the rest of the program and the
// tests find it, with its caption where it has one.
template <typename Control> Control* MakeControl(QWidget* parent, const QString& name, const QString& text = QString())
{
    auto* control = new Control(parent);
    control->setObjectName(name);
    if constexpr (requires { control->setText(text); })
        control->setText(text);
    else if constexpr (requires { control->setTitle(text); })
        control->setTitle(text);
    return control;
}

// The name of element index of a control array: "PropText_4".
inline QString IndexedName(const char* name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

} // namespace zor
