#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace zor {

// Repaints the backdrop from the settings: the picture of BackImageFile
// (loaded into backImage; a file that cannot be read leaves the picture it
// held) centred, tiled, stretched or at the top left, or without a picture
// the optional colour ramp; in design mode the cell grid over it, its lines
// as long as the main picture (mainSize) is wide and high.
void PaintBackdrop(QImage& backDrop, QImage& backImage, QSize mainSize);

// The file a stored picture name stands for: a relative name is one in the
// program folder.
QString BackdropPicturePath(const QString& stored);

// Which colour channels a ramp runs in, and whether it runs from bright at
// the top to dark.
struct GradientColours {
    bool Red = false;
    bool Green = false;
    bool Blue = false;
    bool Reverse = false;
};

// A colour ramp over the whole surface: 151 bands, the first one band height
// below the top. The backdrop and the settings window's preview share it.
void DrawGradient(QImage& surface, GradientColours colours);
// The ramp of the settings.
void DrawGradient(QImage& surface);

} // namespace zor
