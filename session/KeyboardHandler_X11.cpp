#include "session/KeyboardHandler.h"

#include "core/Trace.h"

#include <QGuiApplication>

// Xlib's macros (KeyPress, Bool, None) would rename Qt's: it comes last.
#include <X11/XKBlib.h>

namespace zor {

void AskForHeldKeysAsPresses()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return;
    Bool supported = False;
    XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
    if (!supported)
        WriteTrace(QStringLiteral("KEYS"), QStringLiteral("The X server repeats a held key as release and press"));
}

} // namespace zor
