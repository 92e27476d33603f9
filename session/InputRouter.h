#pragma once

#include <QObject>

class QKeyEvent;
class QLabel;
class QEvent;
class QWidget;

namespace zor {

class fConnection;

// Turns the session window's keyboard and mouse events into its handlers.
// Keys are previewed for the whole window: whatever control has the focus,
// the window's key handlers see a key first (the key code, then the
// character), and a key they swallow never reaches the control. A Tab in an
// input box asks the box's validation first, which may keep the key.
class InputRouter : public QObject {
    Q_OBJECT

public:
    explicit InputRouter(fConnection& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool KeyPressed(QWidget& receiver, QKeyEvent& key);
    // A caption bar keeps its presses, moves and releases: they drag its
    // panel and never answer for what lies under it.
    bool CaptionMouse(QLabel& caption, QEvent& event);
    bool IsInWindow(const QObject* watched) const;

    fConnection& window_;
    // Set while a previewed key is handed on to its control, so the key is
    // not previewed again as it travels up to the control's parents.
    bool delivering_ = false;
};

// The key code and the shift flags (1 Shift, 2 Ctrl, 4 Alt) of a key, and
// the character code it types (0 for none), as the window's handlers take
// them.
int KeyCodeOf(const QKeyEvent& key);
int ShiftFlagsOf(const QKeyEvent& key);
int KeyAsciiOf(const QKeyEvent& key);

} // namespace zor
