#pragma once

namespace zor {

// SIGTERM and SIGINT (the desktop logging out, a shop's script stopping its
// terminals, Ctrl+C where it was started) end the program as closing its
// windows would: a start-up window closes with nothing chosen, and the session
// window leaves by its own exit path, which asks while connected, gives the
// keyboard back and drains and closes the receipt port. Call once, after the
// application object exists.
void EndOnTerminationSignals();

// True once such a signal has been handled. A window that start-up opens
// after it (the launcher after the splash, the session window after the
// launcher) would wait for a user who is gone: start-up asks this first.
bool TerminationRequested();

} // namespace zor
