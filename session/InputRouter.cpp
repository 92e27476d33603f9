#include "session/InputRouter.h"

#include "session/fConnection.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace zor {

namespace {

int MouseButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int ButtonsOf(Qt::MouseButtons buttons)
{
    int flags = 0;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons & button)
            flags |= MouseButtonOf(button);
    }
    return flags;
}

int ShiftFlagsOf(Qt::KeyboardModifiers modifiers)
{
    int flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= 1;
    if (modifiers & Qt::ControlModifier)
        flags |= 2;
    if (modifiers & Qt::AltModifier)
        flags |= 4;
    return flags;
}

// The keys whose key code is also the character they type.
int ControlKeyCode(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        return 0;
    }
}

} // namespace

int KeyCodeOf(const QKeyEvent& key)
{
    const int k = key.key();
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9) || k == Qt::Key_Space)
        return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    if (const int code = ControlKeyCode(k))
        return code;
    switch (k) {
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

int ShiftFlagsOf(const QKeyEvent& key)
{
    return ShiftFlagsOf(key.modifiers());
}

int KeyAsciiOf(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    // Alt with a key types nothing; it is a hot key.
    if (modifiers & Qt::AltModifier)
        return 0;
    const int k = key.key();
    if (modifiers & Qt::ControlModifier) {
        if (k >= Qt::Key_A && k <= Qt::Key_Z)
            return k - Qt::Key_A + 1;
        return 0;
    }
    if (const int code = ControlKeyCode(k))
        return code;
    const QString text = key.text();
    if (text.size() != 1 || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return 0;
    return text.at(0).unicode();
}

InputRouter::InputRouter(fConnection& window) : QObject(&window), window_(window)
{
    qApp->installEventFilter(this);
}

bool InputRouter::IsInWindow(const QObject* watched) const
{
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget && widget->window() == &window_;
}

bool InputRouter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (delivering_ || !IsInWindow(watched))
            return false;
        return KeyPressed(*static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove: {
        if (window_.DraggedBy(watched))
            return CaptionMouse(*static_cast<QLabel*>(watched), *event);
        const bool main = watched == window_.MainPic;
        if (!main && watched != window_.lvMainPic)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int shift = ShiftFlagsOf(mouse->modifiers());
        const double x = mouse->position().x();
        const double y = mouse->position().y();
        if (event->type() == QEvent::MouseButtonPress) {
            // A control lying on the picture (a caption bar, a panel, the
            // pad, the shadow) passes on the presses it does not use itself;
            // they were meant for that control, not for the entity under it.
            if (static_cast<QWidget*>(watched)->childAt(mouse->position().toPoint()))
                return true;
            const int button = MouseButtonOf(mouse->button());
            // A side button (Back, Forward) is none of the screen's buttons: it
            // must not act as a click.
            if (button == 0)
                return true;
            main ? window_.MainPic_MouseDown(button, shift, x, y) : window_.lvMainPic_MouseDown(button, shift, x, y);
        } else {
            const int buttons = ButtonsOf(mouse->buttons());
            main ? window_.MainPic_MouseMove(buttons, shift, x, y) : window_.lvMainPic_MouseMove(buttons, shift, x, y);
        }
        // Handled here: the sub-window's events must not reach the screen
        // under it as well.
        return true;
    }
    case QEvent::MouseButtonDblClick:
        for (size_t i = 0; i < window_.oParams.size(); ++i) {
            if (watched == window_.oParams[i]) {
                window_.oParams_DblClick(static_cast<int>(i));
                return true;
            }
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (window_.DraggedBy(watched))
            return CaptionMouse(*static_cast<QLabel*>(watched), *event);
        if (watched == window_.MVText)
            window_.MVText_Click();
        else if (watched == window_.lvMVText)
            window_.lvMVText_Click();
        return false;
    case QEvent::FocusIn:
        if (watched == window_.lvINText)
            window_.lvINText_GotFocus();
        return false;
    default:
        return false;
    }
}

bool InputRouter::CaptionMouse(QLabel& caption, QEvent& event)
{
    const auto& mouse = static_cast<const QMouseEvent&>(event);
    if (event.type() == QEvent::MouseButtonPress)
        window_.Caption_MouseDown(caption, mouse.position().toPoint());
    else if (event.type() == QEvent::MouseMove)
        window_.Caption_MouseMove(caption, mouse.buttons(), mouse.globalPosition());
    else
        window_.Caption_MouseUp(caption, mouse.button());
    return true;
}

bool InputRouter::KeyPressed(QWidget& receiver, QKeyEvent& key)
{
    const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const bool inInputBox = &receiver == window_.INText || &receiver == window_.lvINText;
    const bool inEditor = &receiver == window_.MVText || &receiver == window_.lvMVText;
    if (&receiver == window_.fProcInput && (tab || enter)) {
        window_.fProcInput_KeyDown(tab ? 9 : 13);
        return true;
    }
    const auto editorKeyDown = [&](int keyCode) {
        &receiver == window_.MVText ? window_.MVText_KeyDown(keyCode) : window_.lvMVText_KeyDown(keyCode);
    };
    if (tab) {
        // Tab moves between the controls; an input box first answers with
        // it, and an editor sends its value on the way out.
        if (inInputBox) {
            // Every Tab answers once: a validation raised again for this same
            // key finds the answer given.
            window_.TabAnswered = false;
            const bool shift = key.key() == Qt::Key_Backtab || (key.modifiers() & Qt::ShiftModifier);
            if (window_.InputBox_Validate(true, shift))
                return true;
        }
        if (inEditor)
            editorKeyDown(9);
        return false;
    }
    if (inEditor && enter) {
        // The editor's value is the answer, not the keys typed into it.
        editorKeyDown(13);
        return true;
    }

    int keyCode = KeyCodeOf(key);
    window_.Form_KeyDown(keyCode, ShiftFlagsOf(key));
    bool swallowed = keyCode == 0 && KeyCodeOf(key) != 0;
    int keyAscii = KeyAsciiOf(key);
    if (keyAscii != 0) {
        window_.Form_KeyPress(keyAscii);
        swallowed = swallowed || keyAscii == 0;
    }
    if (swallowed)
        return true;

    // The control gets the key now, and its parents when it leaves it; the
    // key has been previewed once and is not stopped again on the way.
    delivering_ = true;
    QApplication::instance()->notify(&receiver, &key);
    delivering_ = false;
    key.accept();
    return true;
}

void fConnection::ConnectInputHandlers()
{
    new InputRouter(*this);
    lvMainPic->setMouseTracking(true);
    connect(INText, &QLineEdit::textChanged, this, &fConnection::InputBox_Change);
    connect(lvINText, &QLineEdit::textChanged, this, &fConnection::InputBox_Change);
    for (int i = 0; i < MultiValueButtonSlots; ++i) {
        if (QPushButton* button = MVCmd[static_cast<size_t>(i)])
            connect(button, &QPushButton::clicked, this, [this, i] { MVCmd_Click(i); });
        if (QPushButton* button = lvMVCmd[static_cast<size_t>(i)])
            connect(button, &QPushButton::clicked, this, [this, i] { lvMVCmd_Click(i); });
    }
    for (int k = 0; k < TenKeyButtonSlots; ++k)
        connect(cbTenKey[static_cast<size_t>(k)], &QPushButton::clicked, this, [this, k] { cbTenKey_Click(k); });
    connect(lvTimer1, &QTimer::timeout, this, &fConnection::lvTimer1_Timer);
    ConnectPanelHandlers();
}

} // namespace zor
