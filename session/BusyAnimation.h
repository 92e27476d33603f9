#pragma once

#include <QPixmap>

class QLabel;

namespace zor {

// The busy animation's pictures, numbered like their resources.
constexpr int BusyFirstFrame = 251;
constexpr int BusyLastFrame = 266;
QPixmap BusyFrame(int number);

// While the busy picture is shown, shows its next frame: a number below the
// first becomes the first, and past the last it wraps to the first.
void AdvanceBusyAnimation(QLabel& picture, int& frame);

} // namespace zor
