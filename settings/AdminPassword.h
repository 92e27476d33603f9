#pragma once

#include <QString>

namespace zor {

// Guards the settings window, the console and the trace window. With the lock
// off it grants access at once; with it on it asks for the password until the
// user types the settings password (letter case ignored) or gives up with an
// empty answer, and tells "Pwd Failed" after every wrong one.
bool AskAdminPassword(bool locked, const QString& password);
// The same with the settings window's lock box and password.
bool AskAdminPassword();

} // namespace zor
