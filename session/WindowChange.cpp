#include "session/WindowChange.h"

#include "core/SharedState.h"
#include "session/KeyboardHandler.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWindow>

namespace zor {

namespace {

QMetaObject::Connection& StateConnection()
{
    static QMetaObject::Connection connection;
    return connection;
}

QPointer<QWindow>& Grabbed()
{
    static QPointer<QWindow> window;
    return window;
}

void ApplicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive) {
        InstallKeyboardHook();
        KeyboardHookActive = true;
    } else {
        RemoveKeyboardHook();
        KeyboardHookActive = false;
    }
    UpdateKioskGrab();
}

void ReleaseGrab()
{
    if (Grabbed())
        Grabbed()->setKeyboardGrabEnabled(false);
    Grabbed() = nullptr;
}

} // namespace

void SubclassWindow()
{
    if (IsWindowSubclassed())
        return;
    StateConnection() = QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &ApplicationStateChanged);
    static const QMetaObject::Connection followFocus =
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, [](QWindow*) { UpdateKioskGrab(); });
}

void UnsubclassWindow()
{
    QObject::disconnect(StateConnection());
    StateConnection() = {};
    UpdateKioskGrab();
}

bool IsWindowSubclassed()
{
    return static_cast<bool>(StateConnection());
}

void EnableFunctionKeys(bool on)
{
    if (on) {
        InstallKeyboardHook();
        SubclassWindow();
    } else {
        RemoveKeyboardHook();
        UnsubclassWindow();
    }
    UpdateKioskGrab();
}

void UpdateKioskGrab()
{
    const bool wanted = IsKeyboardHooked() && KeyboardHookActive && KioskMode != 0;
    QWindow* focus = wanted ? QGuiApplication::focusWindow() : nullptr;
    if (focus == Grabbed())
        return;
    ReleaseGrab();
    if (focus) {
        focus->setKeyboardGrabEnabled(true);
        Grabbed() = focus;
    }
}

QWindow* KioskGrabWindow()
{
    return Grabbed();
}

} // namespace zor
