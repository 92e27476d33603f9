#include "session/KeyboardHandler.h"

#include "core/Ciphers.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "session/InputRouter.h"
#include "session/KeyboardHook.h"
#include "tools/fJump.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace zor {

namespace {

constexpr int KeyTab = 9;
constexpr int KeyEscape = 27;
constexpr int KeyF1 = 112;
constexpr int KeyF3 = 114;
constexpr int KeyF12 = 123;
constexpr char16_t FunctionKeyMark = 26;

class HookFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        return FilterHookedKey(HookRecordOf(*static_cast<QKeyEvent*>(event)));
    }
};

QPointer<HookFilter>& Filter()
{
    static QPointer<HookFilter> filter;
    return filter;
}

} // namespace

HookRecord HookRecordOf(const QKeyEvent& key)
{
    HookRecord record;
    record.vkCode = KeyCodeOf(key);
    if (key.type() == QEvent::KeyRelease)
        record.flags |= HookKeyUp;
    if (key.modifiers() & Qt::AltModifier)
        record.flags |= HookAltDown;
    record.ctrlDown = key.modifiers() & Qt::ControlModifier;
    record.autoRepeat = key.isAutoRepeat();
    return record;
}

void InstallKeyboardHook()
{
    if (Filter())
        return;
    AskForHeldKeysAsPresses();
    // Installed last, so it sees a key before the session window's own
    // filter: a swallowed key never reaches the window's handlers.
    Filter() = new HookFilter(qApp);
    qApp->installEventFilter(Filter());
}

void RemoveKeyboardHook()
{
    if (!Filter())
        return;
    qApp->removeEventFilter(Filter());
    // It may be the filter running now.
    Filter()->deleteLater();
    Filter() = nullptr;
}

bool IsKeyboardHooked()
{
    return !Filter().isNull();
}

bool FilterHookedKey(const HookRecord& record)
{
    if (!KeyHookSink || !KeyboardHookActive)
        return false;
    const bool kiosk = KioskMode != 0;
    const bool alt = record.flags & HookAltDown;
    if (record.ctrlDown && record.vkCode == KeyEscape && kiosk)
        return KeyHookSink->BlockControlEscape();
    if (alt && record.vkCode == KeyTab && kiosk)
        return KeyHookSink->BlockAltTab();
    if (alt && record.vkCode == KeyEscape && kiosk)
        return KeyHookSink->BlockAltEscape();
    if (record.flags != 0 && record.vkCode >= KeyF1 && record.vkCode <= KeyF12 && SendFunKeys != 0) {
        // F3 continues the menu tree's search while it is open.
        if (record.vkCode == KeyF3 && fJump::IsOpen())
            return false;
        const bool swallowed = KeyHookSink->BlockFunkey();
        // One send per press: on the key's release, not on a press with Alt
        // held, and not for the repeats of a held key (where the window
        // system repeats it as releases and presses).
        if ((record.flags & HookKeyUp) && !record.autoRepeat)
            SendFunctionKey(swallowed, record);
        return swallowed;
    }
    return false;
}

void SendFunctionKey(bool swallowed, const HookRecord& record)
{
    if (!swallowed)
        return;
    // The typed text goes as Enter sends it, in one line with the key.
    const QString typed = InputKeyIndex != 0 ? EncryptWithKey(TypeAhead, InputKeyIndex) : TypeAhead;
    TypeAhead.clear();
    SendLine(typed + QChar(FunctionKeyMark) + QString::number(record.vkCode - (KeyF1 - 1)));
}

} // namespace zor
