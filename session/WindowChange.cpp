#include "session/WindowChange.h"

#include "core/SharedState.h"
#include "core/Trace.h"
#include "session/KeyboardHandler.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <xcb/xcb.h>

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

// Something else of the program let go of the keyboard: Qt does as a pop-up
// or a menu closes (it holds the keyboard for them, and gives it up for the
// whole program), and the X server tells the focused window whenever another
// grab ends, the program's own or another program's that made ours fail.
// The grab is taken again once the event is done with.
class GrabKeeper : public QObject, public QAbstractNativeEventFilter {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->windowType() == Qt::Popup)
            TakeAgain();
        return false;
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~0x80) == XCB_FOCUS_IN &&
            reinterpret_cast<const xcb_focus_in_event_t*>(event)->mode == XCB_NOTIFY_MODE_UNGRAB)
            TakeAgain();
        return false;
    }

private:
    static void TakeAgain() { QTimer::singleShot(0, qApp, &UpdateKioskGrab); }
};

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
    [[maybe_unused]] static GrabKeeper* const keeper = [] {
        auto* filter = new GrabKeeper(qApp);
        qApp->installEventFilter(filter);
        qApp->installNativeEventFilter(filter);
        return filter;
    }();
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
    // An open pop-up holds the keyboard itself; it runs this as it closes.
    if (QApplication::activePopupWidget())
        return;
    const bool wanted = IsKeyboardHooked() && KeyboardHookActive && KioskMode != 0;
    QWindow* focus = wanted ? QGuiApplication::focusWindow() : nullptr;
    if (focus != Grabbed())
        ReleaseGrab();
    if (!focus)
        return;
    // Asked again even for the window that had it: the grab may be gone
    // without the window having changed.
    Grabbed() = focus;
    if (!focus->setKeyboardGrabEnabled(true))
        WriteTrace(QStringLiteral("KIOSK"), QStringLiteral("The keyboard could not be held for ") + focus->title());
}

QWindow* KioskGrabWindow()
{
    return Grabbed();
}

} // namespace zor
