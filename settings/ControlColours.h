#pragma once

#include <QtGlobal>

class QWidget;

namespace zor {

// Colours are Longs (&HBBGGRR or a system colour). The control keeps the Long
// it was given in the dynamic properties "ForeColor" / "BackColor", so that a
// system colour is read back as the same Long, not as its present RGB.

// Text boxes and list boxes: the typed text and the box's ground.
void SetBoxColours(QWidget& box, qint32 fore, qint32 back);
// Labels and colour swatches: their text and their background.
void SetForeColor(QWidget& label, qint32 colour);
void SetBackColor(QWidget& label, qint32 colour);
qint32 BackColor(const QWidget& label);

} // namespace zor
