#pragma once

#include <QPixmap>

namespace zor {

// The message box's countdown pictures, numbered like their resources: a
// clock face whose hand goes round once in twelve frames.
constexpr int CountdownFirstFrame = 104;
constexpr int CountdownLastFrame = 115;
QPixmap CountdownFrame(int number);

} // namespace zor
