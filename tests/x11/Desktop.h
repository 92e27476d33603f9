#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <sys/types.h>

class QWindow;
struct xcb_connection_t;

namespace zor::test {

// An Xvfb with a display number it chose itself, ended with this object.
class XServer {
public:
    explicit XServer(bool start);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    bool running() const { return pid_ > 0; }
    QString display() const { return display_; }
    // Why it is not running, for a skipped test.
    static QString Failure();

private:
    pid_t pid_ = -1;
    QString display_;
};

// True when the tests run on the X server (its main could start one).
bool OnXServer();

// Runs the application's event loop, as the program does, until done()
// holds or the time is up: keys are handled as soon as they arrive.
bool RunUntil(const std::function<bool()>& done, int timeoutMs = 30000);

// Runs xdotool with the arguments to its end (bounded); true when it succeeded.
bool Xdotool(const QStringList& arguments);

// Gives the window the X input focus and waits until Qt has it as its focus window.
bool FocusWindow(QWindow& window);

// Another X client, which takes the keyboard when it can and holds it while
// it lives.
class KeyboardHolder {
public:
    KeyboardHolder();
    ~KeyboardHolder();
    KeyboardHolder(const KeyboardHolder&) = delete;
    KeyboardHolder& operator=(const KeyboardHolder&) = delete;
    bool holds() const { return holds_; }

private:
    xcb_connection_t* connection_;
    bool holds_ = false;
};

// Whether another X client can take the keyboard now: false while this
// program holds it.
inline bool AnotherClientCanGrabKeyboard()
{
    return KeyboardHolder().holds();
}

} // namespace zor::test
