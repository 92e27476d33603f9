#pragma once

class QWindow;

namespace zor {

// Follows the program becoming the active application or not: the keyboard
// hook is in place only while it is. Subclassing twice is one subscription.
void SubclassWindow();
void UnsubclassWindow();
bool IsWindowSubclassed();

// "Send Function Keys" switched on or off: the hook and the subclassing
// together.
void EnableFunctionKeys(bool on);

// Kiosk mode holds the keyboard while the hook is in place, the program is
// active and KioskMode is on, so that the desktop's task-switching keys reach
// the hook. The grab follows the program's focus window, so its own dialogs
// still get their keys, and is taken again whenever the program lost it (a
// pop-up or a menu closing lets go of it). A grab refused, another program
// holding the keyboard, is traced and taken when that program lets go. Run
// again whenever KioskMode changes.
void UpdateKioskGrab();
// The window the grab follows, or none.
QWindow* KioskGrabWindow();

} // namespace zor
