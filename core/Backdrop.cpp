#include "core/Backdrop.h"

#include "core/Colors.h"
#include "core/ProgramFolder.h"
#include "core/Raster.h"
#include "core/Rounding.h"
#include "core/SharedState.h"
#include "core/Text.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace zor {

namespace {

constexpr int GridColumns = 80;
constexpr int GridRows = 25;

void PlacePicture(QPainter& painter, const QImage& picture, QSize area)
{
    const int w = picture.width();
    const int h = picture.height();
    const int W = area.width();
    const int H = area.height();
    if (Settings.BackCentred != 0) {
        const int x = ToPixel(W / 2.0) - ToPixel(w / 2.0);
        const int y = ToPixel(H / 2.0) - ToPixel(h / 2.0);
        painter.drawImage(x, y, picture);
    } else if (Settings.BackTiled != 0) {
        for (int y = 0; y <= H; y += h) {
            for (int x = 0; x <= W; x += w)
                painter.drawImage(x, y, picture);
        }
    } else if (Settings.BackStretched != 0) {
        painter.drawImage(QRect(0, 0, W, H), picture);
    } else {
        painter.drawImage(0, 0, picture);
    }
}

bool AnyPlacement()
{
    return Settings.BackCentred != 0 || Settings.BackTiled != 0 || Settings.BackStretched != 0 ||
           Settings.BackLeft != 0;
}

// The picture keeps the name it was read for, so that a repaint reads no
// file and only a new name is read again. Only a plain file is read: a pipe
// or a device could keep the window waiting without end.
const QString LoadedFromKey = QStringLiteral("zor-loaded-from");

void LoadOnce(QImage& backImage, const QString& file)
{
    if (backImage.text(LoadedFromKey) == file)
        return;
    QImage loaded;
    if (QFileInfo(file).isFile() && loaded.load(file))
        backImage = loaded.convertToFormat(QImage::Format_RGB32);
    backImage.setText(LoadedFromKey, file);
}

void DrawGrid(QImage& surface, QSize mainSize)
{
    Raster raster(surface);
    const QRgb black = qRgb(0, 0, 0);
    for (int i = 1; i <= GridColumns; ++i) {
        const int x = ToPixel(i * CellWidth.toDouble());
        raster.Fill(x, 0, x, mainSize.height(), black);
    }
    for (int i = 1; i <= GridRows; ++i) {
        const int y = ToPixel(i * CellHeight.toDouble());
        raster.Fill(0, y, mainSize.width(), y, black);
    }
}

} // namespace

void PaintBackdrop(QImage& backDrop, QImage& backImage, QSize mainSize)
{
    backDrop.fill(ToQColor(Settings.BackColor));
    if (Settings.NoBackImage == 1) {
        if (Settings.UseGradient == 1)
            DrawGradient(backDrop);
    } else {
        // No name is no picture: nothing to open.
        const QString file = BackdropPicturePath(Trim(Settings.BackImageFile));
        if (!file.isEmpty())
            LoadOnce(backImage, file);
        if (!AnyPlacement())
            return;
        // An empty picture has no size to step by, and a backdrop the window
        // has not sized yet has nowhere to take it: only the colour shows.
        if (!backImage.isNull() && !backDrop.isNull()) {
            QPainter painter(&backDrop);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            PlacePicture(painter, backImage, backDrop.size());
        }
    }
    if (TestMode != 0)
        DrawGrid(backDrop, mainSize);
}

QString BackdropPicturePath(const QString& stored)
{
    return stored.isEmpty() ? stored : QDir(ProgramFolder()).filePath(stored);
}

void DrawGradient(QImage& surface, GradientColours colours)
{
    Raster raster(surface);
    const double band = surface.height() / 150.0;
    double y = 0;
    for (int step = 0; step <= 150; ++step) {
        const int v = colours.Reverse ? 205 - step : 55 + step;
        y += band;
        const QRgb colour = qRgb(colours.Red ? v : 0, colours.Green ? v : 0, colours.Blue ? v : 0);
        raster.Fill(0, ToPixel(y), surface.width(), ToPixel(y + band), colour);
    }
}

void DrawGradient(QImage& surface)
{
    DrawGradient(surface, {Settings.GradChannel1 == 1, Settings.GradChannel2 == 1, Settings.GradChannel3 == 1,
                           Settings.GradReverse == 1});
}

} // namespace zor
