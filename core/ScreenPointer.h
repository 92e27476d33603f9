#pragma once

class QWidget;

namespace zor {

// The pointer over the whole program: the default, or the hourglass while
// the program is busy (it stays until the default is set again).
enum class ScreenPointer { Default, Hourglass };
void SetScreenPointer(ScreenPointer pointer);

// A picture's own pointer: the default, or its custom pointer, which is the
// QCursor in its dynamic property "MouseIcon" (the arrow until one is set).
void UseDefaultPointer(QWidget& picture);
void UseCustomPointer(QWidget& picture);

} // namespace zor
