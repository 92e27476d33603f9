#pragma once

#include <QString>

namespace demo {

// Writes a session configuration that points at the demo host (127.0.0.1,
// Telnet, the given port), with the window at 1024 x 768, and, beside it, the
// global replies that answer the host's "Login:" and "Password:" prompts from
// the log-on dialog. The folder of the file becomes the program folder. False
// when a file could not be written (the reason is on standard error).
bool WriteDemoConfig(const QString& path, quint16 port, const QString& user);

} // namespace demo
