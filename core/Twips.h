#pragma once

namespace zor {

// Window positions and sizes in the configuration and the dialogs' layout
// rules are twips; this system works at 96 DPI, 15 twips per pixel both ways.
constexpr int TwipsPerPixel = 15;

constexpr int TwipsToPixels(double twips)
{
    return static_cast<int>(twips / TwipsPerPixel);
}
constexpr double PixelsToTwips(double pixels)
{
    return pixels * TwipsPerPixel;
}

} // namespace zor
