#pragma once

#include <QPixmap>
#include <functional>

class QLabel;
class QPainter;

namespace zor {

// A picture of the busy and countdown icons' size on a clear ground, drawn
// about its centre.
QPixmap DrawnIcon(const std::function<void(QPainter&)>& draw);

// The busy animation's pictures, numbered like their resources.
constexpr int BusyFirstFrame = 251;
constexpr int BusyLastFrame = 266;
QPixmap BusyFrame(int number);

// Shows the next frame on the busy picture: a number below the first becomes
// the first, and past the last it wraps to the first.
void ShowNextBusyFrame(QLabel& picture, int& frame);

// The same, only while the busy picture is shown.
void AdvanceBusyAnimation(QLabel& picture, int& frame);

} // namespace zor
