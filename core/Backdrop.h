#pragma once

#include <QImage>
#include <QSize>

namespace zor {

// Repaints the backdrop from the settings: the picture of BackImageFile
// (loaded into backImage; a file that cannot be read leaves the picture it
// held) centred, tiled, stretched or at the top left, or without a picture
// the optional colour ramp; in design mode the cell grid over it, its lines
// as long as the main picture (mainSize) is wide and high.
void PaintBackdrop(QImage& backDrop, QImage& backImage, QSize mainSize);

// The colour ramp of the settings over the whole surface: 151 bands, the
// first one band height below the top.
void DrawGradient(QImage& surface);

} // namespace zor
