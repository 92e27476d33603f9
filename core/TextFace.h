#pragma once

#include <QFont>
#include <QRgb>
#include <QStringView>
#include <array>
#include <memory>
#include <vector>

class QPaintDevice;

namespace zor {

class Raster;

// One font at one size on a surface, for host text: characters 0..255
// measured and drawn one glyph after another, without shaping or kerning, in
// whole pixels, as the screen's text service does. Each glyph is kept as the
// runs of pixels it sets, so measuring and drawing a caption costs a table
// look-up and a few spans per character.
class TextFace {
public:
    // The face of the font on the device, kept for later calls.
    static std::shared_ptr<const TextFace> For(const QFont& font, const QPaintDevice& device);

    int Width(QStringView text) const;
    int Width(QChar c) const { return glyphs_[Code(c)].advance; }
    int Height() const { return height_; }
    int Ascent() const { return ascent_; }
    // The rows any glyph may set, relative to the text's top.
    int InkTop() const { return inkTop_; }
    int InkBottom() const { return inkBottom_; }
    // Draws the text with its top left at (x, top), on the raster's rows.
    void Draw(Raster& raster, int x, int top, QStringView text, QRgb colour) const;

    TextFace(const QFont& font, const QPaintDevice& device);

private:
    static size_t Code(QChar c) { return c.unicode() < 256 ? c.unicode() : '?'; }

    struct Run {
        int dx, dy, length;
    };
    struct Glyph {
        int advance = 0;
        std::vector<Run> runs; // relative to the text's top left
    };

    QFont font_;
    int dpi_;
    std::array<Glyph, 256> glyphs_;
    int height_ = 0;
    int ascent_ = 0;
    int inkTop_ = 0;
    int inkBottom_ = 0;
    // How far any glyph may set pixels left of its origin and right of its
    // advance.
    int inkLeft_ = 0;
    int inkRight_ = 0;
};

} // namespace zor
